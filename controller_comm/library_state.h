#pragma once
// The one process-wide state of the controller link library: device slots and
// their links, the serial-port set, the command queue, the frame built last,
// the reply record, the send mode and the notify window.
//
// One mutex guards all of it. It is held only while the state itself is read
// or changed, never across I/O, a wait, a file write, a link's Close or a
// window message: links are detached under the mutex and closed after it is
// released. Slots own their links through shared_ptr, so a sender may keep a
// link while the caller closes the slot (the sender then sees a closed link).
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "controller_comm/ascii_frame.h"
#include "controller_comm/command_queue.h"
#include "controller_comm/reply_match.h"
#include "controller_comm/send_worker.h"
#include "plc_reply.h"
#include "transport/com_port_set.h"
#include "transport/udp_link.h"
#include "window_messages.h"

namespace tarnex {

inline constexpr int kSlotCount = 1024;

enum LinkType : uint8_t {
  kLinkNone = 0,
  kLinkSerial = 1,
  kLinkUdp = 2,
};

struct DeviceSlot {
  bool inUse = false;
  bool reserved = false;  // an open is under way for this slot
  uint8_t linkType = kLinkNone;
  uint16_t comPort = 0;  // serial links: the number in the port set, else 0
  std::shared_ptr<transport::Link> link;
};

class LibraryState {
 public:
  // The library's instance: created on first use and never destroyed, so a
  // sender still running at process exit never meets destroyed objects.
  static LibraryState &instance();

  LibraryState() = default;
  LibraryState(const LibraryState &) = delete;
  LibraryState &operator=(const LibraryState &) = delete;

  // Closes every link, frees every slot and sets the send mode (0 direct,
  // anything else queued).
  void startup(int32_t mode);
  // Closes every link, frees every slot and empties the queue.
  void cleanup();

  void setNotify(HWND window, int32_t message);

  // Opens a link in the lowest free slot. typePort: bits 0-7 link type
  // (1 serial, 2 UDP), bits 16-31 the COM port number. Returns the slot, or
  // -1; every failure but a serial port that does not open empties the queue.
  int32_t openDevice(int32_t typePort, int32_t baud, int32_t localPort);

  // Frees the slot and closes its link when it is in use; empties the queue
  // in every case.
  void closeDevice(int32_t slot);

  // Copies the reply record (sizeof(PlcReply) bytes) into buffer; returns
  // buffer (NULL stays NULL).
  void *copyReply(void *buffer) const;

  size_t commandCount() const;

  // Builds a frame, makes it the frame built last and appends it to the
  // queue. Returns the new queue length, or 0 for a refused write frame
  // (nothing queued, no frame built last).
  int32_t queueRead(int32_t address, int32_t firstRegister, int32_t count);
  int32_t queueWrite(int32_t address, int32_t firstRegister, const uint16_t *values, int32_t count);
  // A command refused before it was built: nothing is queued, the frame
  // built last is emptied and the builder reads (0, 0). Returns 0.
  int32_t rejectCommand();

  // Sends. beginSend takes everything the worker needs under the mutex:
  // 1 when a send is under way, 0 when the frame comes from the queue and
  // the queue is empty; otherwise it sets busy, numbers the job and returns
  // it. The frame is the frame built last (direct mode, SendSource::ByMode)
  // or the queue head with its own address, function and id.
  std::variant<int32_t, SendJob> beginSend(int32_t slot, const char *host, int32_t port, SendSource source);
  // The accepted send ends: busy is cleared (also when its worker could not
  // start).
  void endSend();
  // Takes a reply text into the reply record as TakeReply does: the result
  // it ends the wait with, or nothing to keep waiting.
  std::optional<int> takeReply(std::string_view text, const ExpectedReply &expected);
  // Removes the queue head when it is still the entry `id`.
  void removeSentEntry(uint64_t id);
  // The notify window and message, read together.
  std::pair<HWND, int32_t> notifyTarget() const;

  // Copies of the state for the sender and for checks.
  int32_t mode() const;
  bool busy() const;
  std::string lastFrameText() const;
  CAsciiFrameBuilder builder() const;
  std::vector<QueuedCommand> queuedCommands() const;
  DeviceSlot slot(int32_t index) const;  // a free slot for an index out of range

 private:
  // Links taken out of the slot table, to be closed without the mutex held.
  struct DetachedLinks {
    std::vector<int> comPorts;
    std::vector<std::shared_ptr<transport::Link>> links;
    bool allPorts = false;
  };

  static void moveLinksLocked(DeviceSlot &slot, DetachedLinks &links);
  DetachedLinks detachAllLocked();
  DetachedLinks detachLocked(DeviceSlot &slot);
  void closeLinks(const DetachedLinks &links);
  int lowestFreeSlotLocked() const;
  // Open a link for a slot; nullptr when it does not open.
  std::shared_ptr<transport::Link> openSerial(uint16_t comPort, int32_t baud);
  static std::shared_ptr<transport::Link> openUdp(int32_t localPort);
  template <typename Build>
  int32_t queueFrame(Build build);

  mutable std::mutex mutex_;
  int32_t mode_ = 1;
  HWND notifyWindow_ = 0;
  int32_t notifyMessage_ = 0;
  bool busy_ = false;
  int32_t lastJob_ = 1;  // job numbers run 2 .. INT32_MAX, then 2 again
  // Bumped by startup and cleanup, so an open that ran meanwhile drops its
  // link instead of filling a slot of the reset table.
  uint64_t generation_ = 0;
  std::array<DeviceSlot, kSlotCount> slots_;
  transport::CComPortSet ports_;
  CommandQueue queue_;
  std::string lastFrame_;
  CAsciiFrameBuilder builder_;
  PlcReply reply_{};
};

}  // namespace tarnex
