#include "controller_comm/reply_match.h"

#include "controller_comm/ascii_frame.h"
#include "tarnex.h"

namespace tarnex {
namespace {

// Offset of the byte count in a read reply's binary frame.
constexpr size_t kReadByteCountAt = 2;

bool AnswersRequest(std::string_view text, const PlcReply &parsed, const ExpectedReply &expected) {
  if (expected.function == kFunctionRead) {
    const std::optional<uint8_t> byteCount = FrameByteAt(text, kReadByteCountAt);
    return byteCount && *byteCount == 2 * static_cast<unsigned>(expected.count);
  }
  if (expected.function == kFunctionWrite) {
    return parsed.firstRegister == expected.firstRegister && parsed.data[0] == expected.count;
  }
  return true;
}

}  // namespace

std::optional<int> TakeReply(std::string_view text, const ExpectedReply &expected, PlcReply &record) {
  if (text.size() > UINT16_MAX) return std::nullopt;
  PlcReply parsed = record;
  const bool isReply = ParseReply(text.data(), static_cast<uint16_t>(text.size()), parsed) == 1;
  const bool sameSource = parsed.address == expected.address && parsed.function == expected.function;
  if (isReply && sameSource && !AnswersRequest(text, parsed, expected)) return std::nullopt;
  record = parsed;
  if (!isReply) return std::nullopt;
  return sameSource ? PlcResultDone : PlcResultMismatch;
}

}  // namespace tarnex
