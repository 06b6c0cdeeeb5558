#include "tools/controller_sim/fault_mode.h"

#include <algorithm>
#include <charconv>

namespace controller_sim {
namespace {

struct FaultNameEntry {
  FaultKind kind;
  std::string_view name;
  bool takes_ms;
};

constexpr FaultNameEntry kFaultNames[] = {
    {FaultKind::None, "none", false},
    {FaultKind::Silent, "silent", false},
    {FaultKind::Late, "late", true},
    {FaultKind::WrongAddress, "wrong-address", false},
    {FaultKind::WrongFunction, "wrong-function", false},
    {FaultKind::BadLrc, "bad-lrc", false},
    {FaultKind::Split, "split", true},
    {FaultKind::Garbage, "garbage", false},
    {FaultKind::Noise, "noise", true},
    {FaultKind::Short, "short", false},
};

constexpr int kMaxFaultMs = 600000;

bool IsHexOrFrameByte(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == ':' ||
         c == '\r' || c == '\n';
}

std::string GarbageLine(std::mt19937 &rng, size_t n) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::string line;
  line.reserve(n + 2);
  while (line.size() < n) {
    const auto c = static_cast<unsigned char>(byte(rng));
    if (!IsHexOrFrameByte(c)) line.push_back(static_cast<char>(c));
  }
  return line + "\r\n";
}

// The reply in the other function's form, for the wrong-function fault.
std::vector<uint8_t> OtherFormReply(const Request &request) {
  if (request.function == kFunctionRead) {
    return WriteReplyBody(request.address, request.first, request.count);
  }
  // The values written, as if read back; at most what a byte count can hold.
  const size_t n = std::min<size_t>(request.values.size(), 127);
  return ReadReplyBody(request.address, std::span<const uint16_t>(request.values.data(), n));
}

// Drops the last register of a read reply, keeping at least one.
void ShortenReadReply(std::vector<uint8_t> &body) {
  if (body.size() < 3) return;
  const size_t words = std::min<size_t>(body[2] / 2, (body.size() - 3) / 2);
  if (words <= 1) return;
  const size_t kept = words - 1;
  body.resize(3 + 2 * kept);
  body[2] = static_cast<uint8_t>(2 * kept);
}

}  // namespace

std::optional<Fault> ParseFault(std::string_view text) {
  const size_t colon = text.find(':');
  const std::string_view name = text.substr(0, colon);
  for (const FaultNameEntry &entry : kFaultNames) {
    if (entry.name != name) continue;
    if (!entry.takes_ms) {
      if (colon != std::string_view::npos) return std::nullopt;
      return Fault{entry.kind, 0};
    }
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view digits = text.substr(colon + 1);
    int ms = -1;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), ms);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || ms < 0 ||
        ms > kMaxFaultMs) {
      return std::nullopt;
    }
    return Fault{entry.kind, ms};
  }
  return std::nullopt;
}

std::string FaultName(const Fault &fault) {
  for (const FaultNameEntry &entry : kFaultNames) {
    if (entry.kind != fault.kind) continue;
    std::string name(entry.name);
    if (entry.takes_ms) name += ":" + std::to_string(fault.ms);
    return name;
  }
  return "none";
}

std::string NoiseBytes(std::mt19937 &rng, size_t n) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes;
  bytes.reserve(n);
  while (bytes.size() < n) {
    const char c = static_cast<char>(byte(rng));
    if (c != '\n') bytes.push_back(c);
  }
  return bytes;
}

ReplyPlan PlanReply(const Fault &fault, const Request &request, const std::vector<uint8_t> &reply_body,
                    std::mt19937 &rng) {
  ReplyPlan plan;
  const bool exception = reply_body.size() > 1 && (reply_body[1] & kExceptionFlag) != 0;
  std::vector<uint8_t> body = reply_body;
  std::string text;
  switch (fault.kind) {
    case FaultKind::Silent:
      return plan;
    case FaultKind::Noise:
      plan.noise = std::chrono::milliseconds(fault.ms);
      return plan;
    case FaultKind::WrongAddress:
      body[0] = static_cast<uint8_t>(body[0] + 1);
      break;
    case FaultKind::WrongFunction:
      if (!exception) body = OtherFormReply(request);
      break;
    case FaultKind::Short:
      if (!exception && request.function == kFunctionRead) ShortenReadReply(body);
      break;
    default:
      break;
  }
  text = EncodeFrame(body);
  if (fault.kind == FaultKind::BadLrc) {
    // Flip the low digit of the LRC: still hex, never the right sum.
    char &digit = text[text.size() - 3];
    digit = digit == '0' ? '1' : '0';
  } else if (fault.kind == FaultKind::Garbage) {
    text = GarbageLine(rng, text.size() - 2);
  }
  plan.shown = EscapeForLog(std::string_view(text).substr(0, text.size() - 2));
  if (fault.kind == FaultKind::Late) plan.delay = std::chrono::milliseconds(fault.ms);
  if (fault.kind == FaultKind::Split) {
    const size_t half = text.size() / 2;
    plan.parts = {text.substr(0, half), text.substr(half)};
    plan.gap = std::chrono::milliseconds(fault.ms);
  } else {
    plan.parts = {std::move(text)};
  }
  return plan;
}

}  // namespace controller_sim
