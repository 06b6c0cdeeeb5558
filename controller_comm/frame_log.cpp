#include "controller_comm/frame_log.h"

#include <pthread.h>

#include <cstring>
#include <utility>

#include "platform/app_dir.h"

namespace tarnex {

FrameLog &FrameLog::instance() {
  static FrameLog *const log = new FrameLog;
  return *log;
}

FrameLog::FrameLog() : files_{File{kSerialFrameLog, {}, {}, {}, {}}, File{kUdpFrameLog, {}, {}, {}, {}}} {}

void FrameLog::post(const char *name, std::string frame) noexcept {
  if (name == nullptr) return;
  try {
    std::unique_lock lock(mutex_);
    for (File &file : files_) {
      if (std::strcmp(file.name, name) != 0) continue;
      // The directory is part of it: tests move the executable's directory.
      std::string posted = platform::ExecutableDir() + '\n' + frame;
      if (!file.pending && file.posted == posted) return;  // the file holds it, or soon will
      file.posted = std::move(posted);
      file.pending = std::move(frame);
      // While stop() joins the writer, the writer itself takes the frame.
      if (!thread_.joinable() && !stopping_) {
        try {
          thread_ = std::thread([this] { run(); });
        } catch (...) {
          // No thread to spare: this one writes the log itself.
          writePending(lock, file);
          return;
        }
      }
      lock.unlock();
      work_.notify_one();
      return;
    }
  } catch (...) {
    // Logging never stops a send.
  }
}

void FrameLog::flush() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] {
    if (writing_) return false;
    for (const File &file : files_) {
      if (file.pending && thread_.joinable()) return false;
    }
    return true;
  });
}

void FrameLog::stop() {
  std::unique_lock lock(mutex_);
  if (!thread_.joinable() || thread_.get_id() == std::this_thread::get_id()) return;
  stopping_ = true;
  work_.notify_one();
  std::thread writer = std::move(thread_);
  lock.unlock();
  writer.join();
  lock.lock();
  stopping_ = false;
  idle_.notify_all();
}

void FrameLog::run() {
  pthread_setname_np(pthread_self(), "tarnex-log");
  std::unique_lock lock(mutex_);
  for (;;) {
    File *next = nullptr;
    work_.wait(lock, [&] {
      for (File &file : files_) {
        if (file.pending) next = &file;
      }
      return next != nullptr || stopping_;
    });
    if (next == nullptr) return;  // stopping, and everything is written
    writePending(lock, *next);
  }
}

void FrameLog::writePending(std::unique_lock<std::mutex> &lock, File &file) {
  const std::string text = std::move(*file.pending);
  file.pending.reset();
  writing_ = true;
  lock.unlock();
  write(file, text);
  lock.lock();
  writing_ = false;
  idle_.notify_all();
}

void FrameLog::write(File &file, const std::string &frame) {
  try {
    const std::string dir = platform::ExecutableDir();
    if (dir.empty()) return;
    if (!file.writer || dir != file.dir) {
      file.writer = std::make_unique<platform::RepeatedFileWriter>(platform::ResolveConfigFile(dir, file.name));
      file.dir = dir;
    }
    // A failure is not reported on purpose (the directory may be
    // read-only); the frame's next post tries again.
    if (!file.writer->replace(frame).ok()) {
      std::lock_guard lock(mutex_);
      file.posted.reset();
    }
  } catch (...) {
  }
}

}  // namespace tarnex
