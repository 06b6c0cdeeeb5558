#include "controller_comm/library_state.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>

#include "controller_comm/frame_log.h"

namespace tarnex {

LibraryState &LibraryState::instance() {
  static LibraryState *const state = new LibraryState;
  return *state;
}

// Takes the slot's links out, so they are released only after the mutex.
void LibraryState::moveLinksLocked(DeviceSlot &slot, DetachedLinks &links) {
  if (slot.link) {
    if (slot.comPort != 0) links.comPorts.push_back(slot.comPort);
    links.links.push_back(std::move(slot.link));
  }
  slot = DeviceSlot{};
}

LibraryState::DetachedLinks LibraryState::detachLocked(DeviceSlot &slot) {
  DetachedLinks links;
  moveLinksLocked(slot, links);
  return links;
}

LibraryState::DetachedLinks LibraryState::detachAllLocked() {
  DetachedLinks links;
  links.allPorts = true;
  for (DeviceSlot &slot : slots_) moveLinksLocked(slot, links);
  ++generation_;
  return links;
}

void LibraryState::closeLinks(const DetachedLinks &links) {
  if (links.allPorts) {
    ports_.CloseAll();
  } else {
    for (int n : links.comPorts) ports_.Close(n);
  }
  for (const auto &link : links.links) link->close();
}

void LibraryState::startup(int32_t mode) {
  DetachedLinks links;
  {
    std::lock_guard lock(mutex_);
    links = detachAllLocked();
    mode_ = mode;
  }
  closeLinks(links);
}

void LibraryState::cleanup() {
  DetachedLinks links;
  {
    std::lock_guard lock(mutex_);
    links = detachAllLocked();
    queue_.clear();
  }
  closeLinks(links);
}

void LibraryState::setNotify(HWND window, int32_t message) {
  std::lock_guard lock(mutex_);
  notifyWindow_ = window;
  notifyMessage_ = message;
}

int LibraryState::lowestFreeSlotLocked() const {
  for (int i = 0; i < kSlotCount; ++i) {
    if (!slots_[i].inUse && !slots_[i].reserved) return i;
  }
  return -1;
}

int32_t LibraryState::openDevice(int32_t typePort, int32_t baud, int32_t localPort) {
  const uint8_t type = static_cast<uint8_t>(typePort & 0xFF);
  const uint16_t comPort = static_cast<uint16_t>(static_cast<uint32_t>(typePort) >> 16);

  int index = -1;
  uint64_t generation = 0;
  {
    std::lock_guard lock(mutex_);
    index = lowestFreeSlotLocked();
    const bool udpPortValid = localPort >= 0 && localPort <= 0xFFFF;
    if (index < 0 || (type != kLinkSerial && type != kLinkUdp) || (type == kLinkUdp && !udpPortValid)) {
      queue_.clear();
      return -1;
    }
    slots_[index].reserved = true;
    generation = generation_;
  }

  // The link is opened without the mutex: opening touches the device.
  std::shared_ptr<transport::Link> link =
      type == kLinkSerial ? openSerial(comPort, baud) : openUdp(localPort);
  const uint16_t setNumber = type == kLinkSerial && link ? comPort : 0;

  {
    std::lock_guard lock(mutex_);
    if (generation == generation_) {
      DeviceSlot &slot = slots_[index];
      slot.reserved = false;
      if (link) {
        slot.inUse = true;
        slot.linkType = type;
        slot.comPort = setNumber;
        slot.link = std::move(link);
        return index;
      }
      if (type == kLinkUdp) queue_.clear();
      return -1;
    }
  }
  // Start-up or clean-up reset the slot table while the link was opening:
  // the link belongs to no slot, so it is closed again.
  if (setNumber != 0) ports_.Close(setNumber);
  if (link) link->close();
  return -1;
}

std::shared_ptr<transport::Link> LibraryState::openSerial(uint16_t comPort, int32_t baud) {
  if (ports_.Open(comPort, baud) != comPort) return nullptr;
  std::shared_ptr<transport::SerialPort> port = ports_.acquire(comPort);
  if (!port) ports_.Close(comPort);
  return port;
}

std::shared_ptr<transport::Link> LibraryState::openUdp(int32_t localPort) {
  auto udp = std::make_shared<transport::CUdpLink>();
  if (!udp->Create(localPort)) return nullptr;  // releases the socket at once
  return udp;
}

void LibraryState::closeDevice(int32_t index) {
  DetachedLinks links;
  {
    std::lock_guard lock(mutex_);
    if (index >= 0 && index < kSlotCount && slots_[index].inUse) links = detachLocked(slots_[index]);
    queue_.clear();
  }
  closeLinks(links);
}

void *LibraryState::copyReply(void *buffer) const {
  if (buffer == nullptr) return nullptr;
  std::lock_guard lock(mutex_);
  std::memcpy(buffer, &reply_, sizeof reply_);
  return buffer;
}

size_t LibraryState::commandCount() const {
  std::lock_guard lock(mutex_);
  return queue_.count();
}

template <typename Build>
int32_t LibraryState::queueFrame(Build build) {
  std::lock_guard lock(mutex_);
  std::optional<std::string> text = build(builder_);
  if (!text) {
    // A refused frame leaves nothing that a following send could repeat.
    lastFrame_.clear();
    return 0;
  }
  lastFrame_ = *text;
  queue_.append(std::move(*text), builder_.address, builder_.function);
  return static_cast<int32_t>(queue_.count());
}

int32_t LibraryState::queueRead(int32_t address, int32_t firstRegister, int32_t count) {
  return queueFrame([&](CAsciiFrameBuilder &builder) -> std::optional<std::string> {
    return builder.BuildReadFrame(address, firstRegister, count);
  });
}

int32_t LibraryState::queueWrite(int32_t address, int32_t firstRegister, const uint16_t *values,
                                 int32_t count) {
  return queueFrame([&](CAsciiFrameBuilder &builder) {
    return builder.BuildWriteFrame(address, firstRegister, values, count);
  });
}

int32_t LibraryState::rejectCommand() {
  std::lock_guard lock(mutex_);
  lastFrame_.clear();
  builder_ = CAsciiFrameBuilder{};
  return 0;
}

std::variant<int32_t, SendJob> LibraryState::beginSend(int32_t slot, const char *host, int32_t port,
                                                       SendSource source) {
  SendJob job;
  job.to.host = host != nullptr ? host : "";
  job.to.port = static_cast<uint16_t>(port & 0xFFFF);
  job.slot = slot;

  std::lock_guard lock(mutex_);
  if (busy_) return int32_t{1};
  if (source == SendSource::QueueHead || mode_ != 0) {
    const std::optional<QueuedCommand> head = queue_.head();
    if (!head) return int32_t{0};
    job.frame = head->text;
    job.expected.address = head->address;
    job.expected.function = head->function;
    job.queueEntry = head->id;
  } else {
    job.frame = lastFrame_;
    job.expected.address = builder_.address;
    job.expected.function = builder_.function;
  }
  const RequestRange range = RequestRangeOf(job.frame);
  job.expected.firstRegister = range.firstRegister;
  job.expected.count = range.count;
  if (slot >= 0 && slot < kSlotCount && slots_[slot].inUse) {
    const DeviceSlot &device = slots_[slot];
    job.link = device.link;
    job.frameLog = device.linkType == kLinkSerial ? kSerialFrameLog : kUdpFrameLog;
  }
  lastJob_ = lastJob_ >= INT32_MAX || lastJob_ < 2 ? 2 : lastJob_ + 1;
  job.number = lastJob_;
  busy_ = true;
  return job;
}

void LibraryState::endSend() {
  std::lock_guard lock(mutex_);
  busy_ = false;
}

std::optional<int> LibraryState::takeReply(std::string_view text, const ExpectedReply &expected) {
  std::lock_guard lock(mutex_);
  return TakeReply(text, expected, reply_);
}

void LibraryState::removeSentEntry(uint64_t id) {
  std::lock_guard lock(mutex_);
  queue_.removeHead(id);
}

std::pair<HWND, int32_t> LibraryState::notifyTarget() const {
  std::lock_guard lock(mutex_);
  return {notifyWindow_, notifyMessage_};
}

int32_t LibraryState::mode() const {
  std::lock_guard lock(mutex_);
  return mode_;
}

bool LibraryState::busy() const {
  std::lock_guard lock(mutex_);
  return busy_;
}

std::string LibraryState::lastFrameText() const {
  std::lock_guard lock(mutex_);
  return lastFrame_;
}

CAsciiFrameBuilder LibraryState::builder() const {
  std::lock_guard lock(mutex_);
  return builder_;
}

std::vector<QueuedCommand> LibraryState::queuedCommands() const {
  std::lock_guard lock(mutex_);
  return {queue_.entries().begin(), queue_.entries().end()};
}

DeviceSlot LibraryState::slot(int32_t index) const {
  std::lock_guard lock(mutex_);
  if (index < 0 || index >= kSlotCount) return DeviceSlot{};
  return slots_[index];
}

}  // namespace tarnex
