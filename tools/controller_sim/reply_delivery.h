#pragma once
// Puts a reply plan on a link: the delay, the parts with their gap, pacing
// at a line's character time, or the noise that replaces the reply.
#include <chrono>
#include <optional>
#include <random>
#include <string_view>

#include "tools/controller_sim/fault_mode.h"
#include "tools/controller_sim/stop_signal.h"

namespace controller_sim {

class ReplyOutput {
 public:
  virtual ~ReplyOutput() = default;
  // Sends bytes as one datagram or one write; false when they did not go out.
  virtual bool send(std::string_view bytes) = 0;
  // Largest piece of noise sent at once.
  virtual size_t maxNoiseChunk() const = 0;
};

struct DeliveryTiming {
  std::chrono::steady_clock::time_point received;  // when the request was in
  size_t request_chars = 0;                        // request length, CR LF included
  // Time of one character on the line (10 bits); zero sends at once.
  std::chrono::nanoseconds char_time{0};
};

// Character time of a line at baud (10 bits a character).
std::chrono::nanoseconds CharTime(int baud);

// The time the last byte of the reply went out, or nothing when no reply
// went out (silent, noise, stopped, a failed send).
std::optional<std::chrono::steady_clock::time_point> DeliverReply(const ReplyPlan &plan, ReplyOutput &out,
                                                                  const StopSignal &stop,
                                                                  const DeliveryTiming &timing,
                                                                  std::mt19937 &rng);

}  // namespace controller_sim
