#pragma once
// The controller's text frames as the simulated controller sees them: ':' and
// every byte of the binary frame as two upper-case hex digits, the LRC last,
// then CR LF. Requests are read (function 3) and write (function 16, in the
// controller's own form without a byte count); replies are built here.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace controller_sim {

inline constexpr uint8_t kFunctionRead = 0x03;
inline constexpr uint8_t kFunctionWrite = 0x10;
inline constexpr uint8_t kExceptionFlag = 0x80;
inline constexpr uint8_t kExceptionIllegalAddress = 0x02;

// Text of a binary frame body: ':' + hex of the body and its LRC + CR LF.
std::string EncodeFrame(std::span<const uint8_t> body);

// The bytes of a text (LRC included), or nothing when it is not ':' followed
// by pairs of hex digits and CR LF.
std::optional<std::vector<uint8_t>> DecodeText(std::string_view text);

struct Request {
  uint8_t address = 0;
  uint8_t function = 0;
  uint16_t first = 0;
  uint16_t count = 0;
  std::vector<uint16_t> values;  // write requests only
};

enum class DropReason { Malformed, Lrc, Address, Function, Length, TooLong };
const char *DropReasonName(DropReason reason);

// A request for the controller at own_address, or why it is not answered.
std::variant<Request, DropReason> ParseRequest(std::string_view text, uint8_t own_address);
// The same for a set of controllers on one line: is_own tells which
// addresses are answered.
std::variant<Request, DropReason> ParseRequestFor(std::string_view text,
                                                  const std::function<bool(uint8_t)> &is_own);

// Reply bodies, without the LRC.
std::vector<uint8_t> ReadReplyBody(uint8_t address, std::span<const uint16_t> values);
std::vector<uint8_t> WriteReplyBody(uint8_t address, uint16_t first, uint16_t count);
std::vector<uint8_t> ExceptionReplyBody(uint8_t address, uint8_t function, uint8_t code);

// A text as it appears on an output line: printable ASCII as is, anything
// else (CR and LF included) as \xNN, and a backslash as \\.
std::string EscapeForLog(std::string_view bytes);

}  // namespace controller_sim
