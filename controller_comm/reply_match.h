#pragma once
// Whether a reply text answers the request a send is waiting for, and what
// it leaves in the reply record.
//
// A reply with the request's address and function must also answer this
// very request: a read reply carries twice the registers asked as its byte
// count, a write reply echoes the first register and count written. A reply
// to another request (a late one, to a request that timed out before) is not
// this send's reply: the record keeps what it held and the wait goes on.
#include <cstdint>
#include <optional>
#include <string_view>

#include "plc_reply.h"

namespace tarnex {

struct ExpectedReply {
  uint8_t address = 0;
  uint8_t function = 0;
  uint16_t firstRegister = 0;  // of the request
  uint16_t count = 0;          // registers read or written
};

// Takes a complete text into record and judges it:
// - it answers the request: parsed into the record, PlcResultDone;
// - another address or function: parsed into the record, PlcResultMismatch;
// - the request's address and function but another request's reply: the
//   record is untouched, nothing (keep waiting);
// - no reply: nothing, and the record as the parser leaves it (a candidate
//   sets address and function).
std::optional<int> TakeReply(std::string_view text, const ExpectedReply &expected, PlcReply &record);

}  // namespace tarnex
