// Fuzzes the controller reply parser with arbitrary received text, handed over
// the way the send worker does: at most one receive buffer (1024 bytes).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "controller_comm/ascii_frame.h"

namespace {
constexpr size_t kReceiveBufferSize = 1024;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const size_t length = size < kReceiveBufferSize ? size : kReceiveBufferSize;
  // An exactly sized copy, so a read past the text is caught.
  std::vector<char> text(data, data + length);

  PlcReply reply;
  std::memset(&reply, 0xA5, sizeof reply);
  const PlcReply before = reply;
  const int parsed = tarnex::ParseReply(text.data(), static_cast<uint16_t>(length), reply);

  if (parsed != 0 && parsed != 1) __builtin_trap();
  if (parsed == 1) {
    if (reply.count < 1 || reply.count > 127) __builtin_trap();
    // Words beyond the count keep their older values.
    for (size_t k = reply.count; k < 128; ++k) {
      if (reply.data[k] != before.data[k]) __builtin_trap();
    }
  }
  return 0;
}
