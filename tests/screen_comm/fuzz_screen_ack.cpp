// Hostile replies: random chunks through the line cutter of one serial port,
// or random datagrams through the frame check, each chunk or run of
// datagrams taken as by one Qd_GetAck call.
//
// Input: byte 0 picks serial (even) or datagrams (odd). Serial: chunks, each
// led by a byte k giving (k + 1) * 8 bytes. Datagrams: each led by a
// little-endian 16-bit length taken modulo 1200.
//
// Invariants: a call reports at most QD_ACK_MAX_PARAMS entries, every text
// it reports stays terminated within its buffer, and the cutter never holds
// more than its capacity.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "screen_comm/ack_receiver.h"
#include "screen_comm/screen_vars.h"

namespace {

using quodel::AckCollector;

void Check(bool condition) {
  if (!condition) std::abort();
}

struct Call {
  AckParam params[QD_ACK_MAX_PARAMS];
  uint8_t status = 0;
  int32_t count = 0;
  AckCollector collector{quodel::ScreenVarsStore::process(), &status, &count, params};

  void checkOutputs() const {
    Check(count >= 0 && count <= QD_ACK_MAX_PARAMS);
    Check(static_cast<size_t>(count) == collector.entries());
    Check(status == 0 || status == 2);
    const quodel::ScreenVarsStore &store = quodel::ScreenVarsStore::process();
    for (int32_t i = 0; i < count; ++i) {
      Check(params[i].reserved == 0);
      if (params[i].command != 0) continue;
      if (const char *text = store.text(params[i].id, params[i].index))
        Check(std::memchr(text, 0, quodel::kTextCapacity) != nullptr);
    }
  }
};

void FeedSerial(const uint8_t *data, size_t size) {
  static quodel::LineCutter cutter;
  cutter.clear();
  size_t at = 0;
  while (at < size) {
    const size_t chunk = std::min<size_t>((size_t{data[at]} + 1) * 8, size - at - 1);
    ++at;
    Call call;
    cutter.append(data + at, chunk);
    Check(cutter.count() <= quodel::LineCutter::kCapacity);
    quodel::CollectLines(cutter, call.collector);
    Check(cutter.count() <= quodel::LineCutter::kCapacity);
    call.checkOutputs();
    at += chunk;
  }
}

void FeedDatagrams(const uint8_t *data, size_t size) {
  Call call;
  size_t at = 0;
  while (at + 2 <= size && !call.collector.full()) {
    const size_t length = (data[at] | size_t{data[at + 1]} << 8) % 1200;
    at += 2;
    const size_t copied = std::min({length, size - at, quodel::kMaxDatagram + 1});
    const AckCollector::Outcome outcome = call.collector.offerDatagram(data + at, copied, length);
    call.checkOutputs();
    if (outcome == AckCollector::Outcome::NoRoom) break;
    at += copied;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  if (data[0] % 2 == 0) {
    FeedSerial(data + 1, size - 1);
  } else {
    FeedDatagrams(data + 1, size - 1);
  }
  return 0;
}
