#pragma once
// How the simulated controller misbehaves, and the reply it then gives.
#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "tools/controller_sim/frame_codec.h"

namespace controller_sim {

enum class FaultKind {
  None,
  Silent,         // no reply
  Late,           // the reply ms later
  WrongAddress,   // the reply names address + 1
  WrongFunction,  // a read answered in the write-reply form and the other way round
  BadLrc,         // the reply's LRC is wrong
  Split,          // the reply in two parts ms apart
  Garbage,        // a line of random non-hex bytes in place of the reply
  Noise,          // random bytes for ms after the request, no reply
  Short,          // a read of n registers answered with max(1, n - 1) of them
};

struct Fault {
  FaultKind kind = FaultKind::None;
  int ms = 0;  // Late, Split, Noise
  bool operator==(const Fault &) const = default;
};

// "none", "silent", "late:MS", "wrong-address", "wrong-function", "bad-lrc",
// "split:MS", "garbage", "noise:MS", "short"; MS is 0..600000.
std::optional<Fault> ParseFault(std::string_view text);
std::string FaultName(const Fault &fault);

// What goes out for one answered request.
struct ReplyPlan {
  std::chrono::milliseconds delay{0};  // before the first byte
  std::vector<std::string> parts;      // nothing goes out when empty
  std::chrono::milliseconds gap{0};    // between the parts
  std::chrono::milliseconds noise{0};  // random bytes for this long instead
  std::string shown;                   // the reply as the tx line shows it
};

// The reply to request under fault; reply_body is the sound reply without
// its LRC (possibly an exception reply).
ReplyPlan PlanReply(const Fault &fault, const Request &request, const std::vector<uint8_t> &reply_body,
                    std::mt19937 &rng);

// n random bytes that never hold a LF, so they never end a text.
std::string NoiseBytes(std::mt19937 &rng, size_t n);

}  // namespace controller_sim
