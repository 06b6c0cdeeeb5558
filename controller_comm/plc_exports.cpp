// The PLC_ exports: start-up, clean-up, notify window, device slots and the
// reply record; the two send exports.
#include "controller_comm/frame_log.h"
#include "controller_comm/library_state.h"
#include "controller_comm/send_worker.h"
#include "tarnex.h"
#include "transport/export_guard.h"

using tarnex::LibraryState;
using transport::GuardExport;

extern "C" {

int32_t PLC_Startup(int32_t mode) {
  return GuardExport<int32_t>(1, [&] {
    LibraryState::instance().startup(mode);
    // Without a thread now, the first send tries again.
    (void)tarnex::StartWorker();
    return 1;
  });
}

int32_t PLC_Cleanup(void) {
  return GuardExport<int32_t>(1, [] {
    // Closing the links first wakes a send that waits for its reply; the
    // worker and the log writer are then ended and joined, so a host may
    // unload the library once this returns.
    LibraryState::instance().cleanup();
    tarnex::StopWorker();
    tarnex::FrameLog::instance().stop();
    return 1;
  });
}

HWND PLC_SetNotify(HWND window, int32_t message) {
  return GuardExport<HWND>(window, [&] {
    LibraryState::instance().setNotify(window, message);
    return window;
  });
}

int32_t PLC_OpenDev(int32_t devTypePort, int32_t baud, int32_t localPort) {
  return GuardExport<int32_t>(-1, [&] { return LibraryState::instance().openDevice(devTypePort, baud, localPort); });
}

void PLC_CloseDev(int32_t slot) {
  GuardExport<int>(0, [&] {
    LibraryState::instance().closeDevice(slot);
    return 0;
  });
}

void *PLC_GetData(void *buffer) {
  return GuardExport<void *>(nullptr, [&] { return LibraryState::instance().copyReply(buffer); });
}

int32_t PLC_GetCmdCount(void) {
  return GuardExport<int32_t>(0, [] { return static_cast<int32_t>(LibraryState::instance().commandCount()); });
}

int32_t PLC_Send(int32_t slot, const char *host, int32_t port) {
  return GuardExport<int32_t>(0, [&] { return tarnex::StartSend(slot, host, port, tarnex::SendSource::ByMode); });
}

int32_t PLC_QSend(int32_t slot, const char *host, int32_t port) {
  return GuardExport<int32_t>(0, [&] { return tarnex::StartSend(slot, host, port, tarnex::SendSource::QueueHead); });
}

}  // extern "C"
