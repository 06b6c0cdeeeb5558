#pragma once
// Register words of a read reply, by register number.
#include <cstdint>
#include <optional>

#include "plc_register_map.h"
#include "plc_reply.h"

namespace morvit {

// The reply's word for a register of the block it answers; nothing for a
// register outside the block or past the words the reply holds.
inline std::optional<uint16_t> ReplyWord(const PlcReply &reply, const plc::RegisterBlock &block, int64_t reg) {
  if (reg < block.first || reg >= block.end() || reg - block.first >= reply.count) return std::nullopt;
  return reply.data[reg - block.first];
}

}  // namespace morvit
