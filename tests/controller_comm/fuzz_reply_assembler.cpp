// Fuzzes the cutting of link bytes into reply texts with arbitrary reads:
// the input is split into reads by its own bytes (a length byte, then that
// many bytes), each read is at most the free space, as the wait reads, and
// a length byte with the top bit set stops at the next text, as an
// accepted reply does.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "controller_comm/reply_wait.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  tarnex::ReplyAssembler assembler;
  size_t at = 0;
  while (at < size) {
    const uint8_t header = data[at++];
    const bool stopAtText = (header & 0x80) != 0;
    size_t n = header & 0x7F;
    if (n > size - at) n = size - at;
    if (n > assembler.freeSpace()) n = assembler.freeSpace();
    std::memcpy(assembler.space(), data + at, n);
    at += n;
    const uint64_t begunBefore = assembler.textsBegun();
    bool handed = false;
    const bool stopped = assembler.commit(n, [&](std::string_view text) {
      if (text.size() < 3 || text.size() > tarnex::ReplyAssembler::kCapacity) __builtin_trap();
      if (text.front() != ':' || text[text.size() - 2] != '\r' || text.back() != '\n') __builtin_trap();
      // Only the first character is a ':'; CR LF only at the end.
      if (std::memchr(text.data() + 1, ':', text.size() - 1) != nullptr) __builtin_trap();
      if (text.substr(0, text.size() - 2).find("\r\n") != std::string_view::npos) __builtin_trap();
      handed = true;
      return stopAtText;
    });
    if (stopped && (!stopAtText || !handed)) __builtin_trap();
    if (assembler.freeSpace() == 0 || assembler.freeSpace() > tarnex::ReplyAssembler::kCapacity) __builtin_trap();
    if (assembler.textsBegun() < begunBefore) __builtin_trap();
    if (!assembler.inText() && assembler.freeSpace() != tarnex::ReplyAssembler::kCapacity) __builtin_trap();
  }
  return 0;
}
