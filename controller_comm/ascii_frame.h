#pragma once
// Controller frames in their ASCII-hex text form, and the reply parser.
//
// A request is ":" + every byte of the binary frame as two upper-case hex
// digits (the LRC included) + CR LF:
//   read  (function 3):  address, 0x03, first register, count, LRC
//                        -> always 17 characters
//   write (function 16): address, 0x10, first register, count, the values,
//                        LRC -> 17 + 4n characters for n values
// Words are big-endian on the wire. The write frame carries NO byte count
// between the register count and the values: the cabinet controllers expect
// exactly this form, so it must not be "corrected" to the usual layout.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "plc_reply.h"

namespace tarnex {

inline constexpr uint8_t kFunctionRead = 0x03;
inline constexpr uint8_t kFunctionWrite = 0x10;

// The most values one write frame carries (7 + 2n binary bytes fit in 1024).
inline constexpr int32_t kMaxWriteValues = 508;

// Builds request frames and remembers the function code and address of the
// frame built last (0, 0 before the first frame and after a refused one).
// Of the arguments only the low 8 bits of the address and the low 16 bits of
// register numbers and read counts are used.
class CAsciiFrameBuilder {
 public:
  uint8_t function = 0;
  uint8_t address = 0;

  std::string BuildReadFrame(int32_t address, int32_t firstRegister, int32_t count);

  // Refuses (nullopt, builder reset to 0, 0) a count below 0 or above
  // kMaxWriteValues, and NULL values with a count above 0.
  std::optional<std::string> BuildWriteFrame(int32_t address, int32_t firstRegister,
                                             const uint16_t *values, int32_t count);
};

// Parses a reply text of `length` characters into `reply`. Returns 1 when it
// parsed as a read or write reply, 0 otherwise.
//
// Only a candidate (at least 15 characters, ':' first, CR LF last, at most
// 1024 encoded bytes, every pair two hex digits) touches the record; a
// candidate writes address and function even when it then fails the length
// check of its function. The checksum is not verified and exception replies
// are not recognised. A parse rewrites only the first `count` data words.
int ParseReply(const char *text, uint16_t length, PlcReply &reply);

// The first register and count of a request text built here (":" and the
// hex of address, function, first register, count ...); 0, 0 for a text too
// short or not hex there.
struct RequestRange {
  uint16_t firstRegister = 0;
  uint16_t count = 0;
};
RequestRange RequestRangeOf(std::string_view frame);

// The byte at `index` of the binary frame a text carries (the pair of hex
// digits after the ':' and the index pairs before it); nullopt when the text
// is too short or the pair is not hex.
std::optional<uint8_t> FrameByteAt(std::string_view text, size_t index);

}  // namespace tarnex
