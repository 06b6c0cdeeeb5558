#include "tests/support/notice_recorder.h"

#include "tarnex.h"

namespace testsupport {
namespace {

// Asked once by the constructor; never a notice.
constexpr UINT kProbeMessage = 0x7FFF0001;

}  // namespace

NoticeRecorder::NoticeRecorder() {
  receiver_ = std::make_unique<platform::ThreadReceiver>(
      [this](const platform::WindowMessage &message) { return handle(message); });
  // Learn the receiver's thread from the thread itself.
  SendMessageA(receiver_->handle(), kProbeMessage, 0, 0);
}

NoticeRecorder::~NoticeRecorder() { receiver_.reset(); }

std::thread::id NoticeRecorder::receiverThread() const {
  std::lock_guard lock(mutex_);
  return receiverThread_;
}

void NoticeRecorder::setInHandler(InHandler inHandler) {
  std::lock_guard lock(mutex_);
  inHandler_ = std::move(inHandler);
}

LRESULT NoticeRecorder::handle(const platform::WindowMessage &message) {
  if (message.message == kProbeMessage) {
    std::lock_guard lock(mutex_);
    receiverThread_ = std::this_thread::get_id();
    return 0;
  }
  Notice notice;
  notice.message = message.message;
  notice.wParam = message.wParam;
  notice.function = static_cast<uint16_t>(message.wParam & 0xFFFF);
  notice.result = static_cast<uint16_t>((message.wParam >> 16) & 0xFFFF);
  notice.lParam = message.lParam;
  notice.thread = std::this_thread::get_id();
  PLC_GetData(&notice.reply);
  InHandler inHandler;
  {
    std::lock_guard lock(mutex_);
    inHandler = inHandler_;
  }
  // The test's code runs before the notice counts as arrived, so a test that
  // waited for it sees what that code did.
  if (inHandler) inHandler(notice);
  {
    std::lock_guard lock(mutex_);
    notices_.push_back(notice);
  }
  arrived_.notify_all();
  return 0;
}

std::optional<Notice> NoticeRecorder::next(std::chrono::milliseconds guard) {
  std::unique_lock lock(mutex_);
  if (!arrived_.wait_for(lock, guard, [this] { return nextIndex_ < notices_.size(); })) return std::nullopt;
  return notices_[nextIndex_++];
}

bool NoticeRecorder::waitForCount(size_t count, std::chrono::milliseconds guard) {
  std::unique_lock lock(mutex_);
  return arrived_.wait_for(lock, guard, [&] { return notices_.size() >= count; });
}

bool NoticeRecorder::quietFor(std::chrono::milliseconds period) {
  std::unique_lock lock(mutex_);
  const size_t before = notices_.size();
  return !arrived_.wait_for(lock, period, [&] { return notices_.size() > before; });
}

size_t NoticeRecorder::count() const {
  std::lock_guard lock(mutex_);
  return notices_.size();
}

std::vector<Notice> NoticeRecorder::notices() const {
  std::lock_guard lock(mutex_);
  return notices_;
}

}  // namespace testsupport
