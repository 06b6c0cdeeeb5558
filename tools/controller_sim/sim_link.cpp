#include "tools/controller_sim/sim_link.h"

namespace controller_sim {

SimLink::SimLink(SimCore &core) : core_(core), rng_(std::random_device{}()) {}

SimLink::~SimLink() { stop(); }

void SimLink::start() {
  thread_ = std::thread([this] { run(); });
}

void SimLink::stop() {
  stop_.trigger();
  if (thread_.joinable()) thread_.join();
}

void SimLink::answer(std::string_view text, bool cut_short, ReplyOutput &out, const DeliveryTiming &timing) {
  const std::optional<ReplyPlan> plan = core_.handleText(text, cut_short);
  if (!plan) return;
  if (const auto sent = DeliverReply(*plan, out, stop_, timing, rng_)) core_.noteReplySent(*plan, *sent);
}

}  // namespace controller_sim
