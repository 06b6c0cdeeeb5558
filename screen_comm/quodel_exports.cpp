// The library's exported functions over its one process-wide state.
#include <climits>
#include <cstring>
#include <string>

#include "platform/byte_order.h"
#include "quodel.h"
#include "screen_comm/ack_receiver.h"
#include "screen_comm/screen_frame.h"
#include "screen_comm/screen_links.h"
#include "screen_comm/screen_vars.h"
#include "transport/export_guard.h"

namespace quodel {
namespace {

// Reads of one serial port per Qd_GetAck call, at most: a peer that floods
// the line cannot keep the call going.
constexpr int kMaxReadsPerCall = 16;

struct Library {
  ScreenFrame frame;
  std::string frameText;  // the last frame sent on a serial port
  ScreenLinks links;
};

// Created on first use and never destroyed: the system closes what is still
// open when the process ends.
Library &State() {
  static Library *library = new Library;
  return *library;
}

uint16_t Low16(uint32_t v) { return static_cast<uint16_t>(v & 0xFFFF); }
uint8_t Low8(uint32_t v) { return static_cast<uint8_t>(v & 0xFF); }

int32_t AppendSet(uint32_t id, const uint8_t *data, size_t n) {
  return State().frame.appendSet(Low16(id), data, n) ? 0 : 1;
}

int32_t AppendLittleEndian(uint32_t id, uint32_t v, size_t width) {
  uint8_t bytes[4];
  platform::le::PutU32(bytes, v);
  return AppendSet(id, bytes, width);
}

void ForgetFrame(Library &library) {
  library.frameText.clear();
  library.frame.abandon();
}

int32_t CollectSerial(Library &library, int port, AckCollector &collector) {
  LineCutter *cutter = library.links.lineCutter(port);
  const auto serial = library.links.serialPort(port);
  if (cutter == nullptr || !serial) return 0;
  for (int reads = 0; reads < kMaxReadsPerCall && !collector.full(); ++reads) {
    uint8_t *to = cutter->space();
    const size_t room = cutter->room();
    const int got = serial->read(to, room);
    if (got > 0) cutter->commit(static_cast<size_t>(got));
    if (CollectLines(*cutter, collector) != 0) return 1;
    // Less than the room means the port had nothing more waiting.
    if (got < 0 || static_cast<size_t>(got) < room) break;
  }
  return 0;
}

int32_t CollectUdp(Library &library, AckCollector &collector) {
  transport::CUdpLink *udp = library.links.udp();
  if (udp == nullptr) return 0;
  uint8_t datagram[kMaxDatagram + 1];
  while (!collector.full()) {
    size_t length = 0;
    if (!udp->PeekFrom(datagram, sizeof datagram, &length)) break;
    const size_t copied = length < sizeof datagram ? length : sizeof datagram;
    const AckCollector::Outcome outcome = collector.offerDatagram(datagram, copied, length);
    if (outcome == AckCollector::Outcome::NoRoom) break;
    udp->drain(1);
    if (outcome == AckCollector::Outcome::Bad) return 1;
  }
  return 0;
}

}  // namespace
}  // namespace quodel

using transport::GuardExport;
using quodel::Low16;
using quodel::Low8;
using quodel::State;

extern "C" {

QUODEL_API int32_t Qd_OpenComm(uint32_t port, uint32_t baud) {
  return GuardExport<int32_t>(0, [&] {
    if (baud > INT_MAX) return 0;
    quodel::Library &library = State();
    const int opened = library.links.openComm(Low16(port), static_cast<int>(baud));
    if (opened != 0) {
      quodel::ForgetFrame(library);
    }
    return opened;
  });
}

QUODEL_API int32_t Qd_CloseComm(uint32_t port) {
  return GuardExport<int32_t>(0, [&] {
    State().links.closeComm(Low16(port));
    return 0;
  });
}

QUODEL_API int32_t Qd_OpenUdp(uint32_t localPort) {
  return GuardExport<int32_t>(0, [&] { return State().links.openUdp(Low16(localPort)); });
}

QUODEL_API int32_t Qd_CloseUdp(void) {
  return GuardExport<int32_t>(0, [] {
    State().links.closeUdp();
    return 0;
  });
}

QUODEL_API int32_t Qd_OpenTcp(const char *host, uint32_t port) {
  return GuardExport<int32_t>(0, [&] {
    quodel::Library &library = State();
    if (!library.links.openTcp(host, Low16(port))) return 0;
    quodel::ForgetFrame(library);
    library.links.clearLineCutters();
    return 1;
  });
}

QUODEL_API int32_t Qd_CloseTcp(void) {
  return GuardExport<int32_t>(0, [] {
    State().links.closeTcp();
    return 0;
  });
}

QUODEL_API int32_t Qd_MakeCmdHeader(uint32_t address, uint32_t command, uint32_t type,
                                    uint32_t index) {
  State().frame.makeHeader(Low16(address), Low8(command), Low16(type), Low16(index));
  return 0;
}

QUODEL_API int32_t Qd_AddRequestParm(uint32_t id) {
  return State().frame.appendRequest(Low16(id)) ? 0 : 1;
}

QUODEL_API int32_t Qd_AddSetParmByte(uint32_t id, uint32_t v) {
  return quodel::AppendLittleEndian(id, v, 1);
}

QUODEL_API int32_t Qd_AddSetParmWord(uint32_t id, uint32_t v) {
  return quodel::AppendLittleEndian(id, v, 2);
}

QUODEL_API int32_t Qd_AddSetParmInt(uint32_t id, uint32_t v) {
  return quodel::AppendLittleEndian(id, v, 4);
}

QUODEL_API int32_t Qd_AddSetParmDword(uint32_t id, uint32_t v) {
  return quodel::AppendLittleEndian(id, v, 4);
}

QUODEL_API int32_t Qd_AddSetParmFloat(uint32_t id, float v) {
  uint32_t bits;
  static_assert(sizeof bits == sizeof v);
  std::memcpy(&bits, &v, sizeof bits);
  return quodel::AppendLittleEndian(id, bits, 4);
}

QUODEL_API int32_t Qd_AddSetParmBool(uint32_t id, uint32_t v) {
  return quodel::AppendLittleEndian(id, v, 4);
}

QUODEL_API int32_t Qd_AddSetParmString(uint32_t id, const char *text) {
  if (text == nullptr) return 1;
  // Anything longer than a whole frame cannot fit.
  const size_t n = ::strnlen(text, quodel::kFrameCapacity + 1);
  return quodel::AppendSet(id, reinterpret_cast<const uint8_t *>(text), n);
}

QUODEL_API int32_t Qd_SendCmd(uint32_t via, uint32_t port, const char *host,
                              uint32_t udpPort) {
  return GuardExport<int32_t>(0, [&] {
    quodel::Library &library = State();
    if (!library.frame.finish()) return 1;
    const uint8_t *bytes = library.frame.bytes();
    const size_t n = library.frame.size();
    switch (Low8(via)) {
      case QD_TRANSPORT_SERIAL:
        library.frameText = quodel::FrameText(bytes, n);
        if (const auto serial = library.links.serialPort(Low16(port)))
          serial->write(library.frameText.data(), library.frameText.size());
        break;
      case QD_TRANSPORT_UDP:
        // SendTo takes dotted quads only: NULL, "" and names send nothing.
        if (auto *udp = library.links.udp())
          udp->SendTo(bytes, n, Low16(udpPort), host);
        break;
      default:
        break;
    }
    return 0;
  });
}

QUODEL_API int32_t Qd_GetAck(uint32_t via, uint32_t port, const char *, uint32_t,
                             uint8_t *status, int32_t *count, AckParam *params) {
  quodel::AckCollector collector(quodel::ScreenVarsStore::process(), status, count, params);
  return GuardExport<int32_t>(0, [&] {
    switch (Low8(via)) {
      case QD_TRANSPORT_SERIAL:
        return quodel::CollectSerial(State(), Low16(port), collector);
      case QD_TRANSPORT_UDP:
        return quodel::CollectUdp(State(), collector);
      default:
        return 0;
    }
  });
}

QUODEL_API const QdScreenVars *Qd_GetVarsPointer(void) {
  return &quodel::ScreenVarsStore::process().vars();
}

}  // extern "C"
