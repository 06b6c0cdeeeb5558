#include "tools/controller_sim/reply_delivery.h"

namespace controller_sim {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kNoiseInterval = std::chrono::milliseconds(5);

void SendNoise(std::chrono::milliseconds length, ReplyOutput &out, const StopSignal &stop,
               const DeliveryTiming &timing, std::mt19937 &rng) {
  const Clock::time_point end = timing.received + length;
  std::uniform_int_distribution<size_t> size(1, out.maxNoiseChunk());
  while (Clock::now() < end) {
    out.send(NoiseBytes(rng, size(rng)));
    if (!stop.sleepUntil(std::min(Clock::now() + kNoiseInterval, end))) return;
  }
}

// One character per character time, from start on; false when stopped or failed.
bool SendPaced(std::string_view bytes, Clock::time_point &next, ReplyOutput &out, const StopSignal &stop,
               std::chrono::nanoseconds char_time) {
  for (char c : bytes) {
    if (!stop.sleepUntil(next)) return false;
    if (!out.send(std::string_view(&c, 1))) return false;
    next += char_time;
  }
  return true;
}

}  // namespace

std::chrono::nanoseconds CharTime(int baud) {
  if (baud <= 0) return std::chrono::nanoseconds(0);
  return std::chrono::nanoseconds(10'000'000'000LL / baud);
}

std::optional<Clock::time_point> DeliverReply(const ReplyPlan &plan, ReplyOutput &out, const StopSignal &stop,
                                              const DeliveryTiming &timing, std::mt19937 &rng) {
  if (plan.noise.count() > 0) {
    SendNoise(plan.noise, out, stop, timing, rng);
    return std::nullopt;
  }
  if (plan.parts.empty()) return std::nullopt;

  const bool paced = timing.char_time.count() > 0;
  // On a paced line the request itself takes its wire time to arrive.
  Clock::time_point next = timing.received + plan.delay;
  if (paced) next += timing.char_time * static_cast<long>(timing.request_chars);

  for (size_t i = 0; i < plan.parts.size(); ++i) {
    if (i > 0) next = std::max(next, Clock::now()) + plan.gap;
    if (paced) {
      if (!SendPaced(plan.parts[i], next, out, stop, timing.char_time)) return std::nullopt;
      continue;
    }
    if (!stop.sleepUntil(next)) return std::nullopt;
    if (!out.send(plan.parts[i])) return std::nullopt;
  }
  return Clock::now();
}

}  // namespace controller_sim
