#pragma once
// A link of the simulated controller: one thread that takes requests off a
// descriptor and puts the replies back, until stopped.
#include <random>
#include <thread>

#include "tools/controller_sim/reply_delivery.h"
#include "tools/controller_sim/sim_core.h"
#include "tools/controller_sim/stop_signal.h"

namespace controller_sim {

class SimLink {
 public:
  explicit SimLink(SimCore &core);
  virtual ~SimLink();  // the derived class stops the thread first
  SimLink(const SimLink &) = delete;
  SimLink &operator=(const SimLink &) = delete;

  void start();
  void stop();  // signals the thread and joins it; safe to repeat

 protected:
  virtual void run() = 0;

  // Answers one text: the request's effect, its reply on out, the tx event.
  void answer(std::string_view text, bool cut_short, ReplyOutput &out, const DeliveryTiming &timing);

  SimCore &core_;
  StopSignal stop_;
  std::mt19937 rng_;

 private:
  std::thread thread_;
};

}  // namespace controller_sim
