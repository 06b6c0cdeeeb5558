#pragma once
// The frame log: a file in the executable's directory that holds exactly the
// text of the last frame put on a link, ':' .. CR LF: plc_comm.txt for
// serial links, plc_udp.txt for UDP links.
//
// The log is written by a thread of its own, so a file write never stands
// between a request and its reply or notice. A sender posts the frame once
// it is on the wire; the writer replaces the file whole (a reader sees one
// frame, never a mix or a part) and never syncs it. Frames posted faster
// than the writer writes them coalesce: the newest wins. The file's place
// (an existing file of the name in any letter case) is looked up once per
// file and directory, and so is the sweep of temporary files that a killed
// writer left behind. A frame posted again while the file holds it (a poll
// repeating its request) neither wakes the writer nor is written again.
#include <array>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/file_io.h"

namespace tarnex {

inline constexpr char kSerialFrameLog[] = "plc_comm.txt";
inline constexpr char kUdpFrameLog[] = "plc_udp.txt";

class FrameLog {
 public:
  // The process's log writer: never destroyed, so a process may end while
  // it writes.
  static FrameLog &instance();

  // Hands the text of a frame just sent to the writer of the log called
  // name (kSerialFrameLog or kUdpFrameLog; any other name is ignored).
  // Returns at once; the writer thread starts with the first post.
  void post(const char *name, std::string frame) noexcept;

  // Returns once every frame posted before the call is in its file (or its
  // write failed: the directory may be read-only).
  void flush();

  // Flushes, then ends the writer thread; the next post starts it again.
  void stop();

 private:
  struct File {
    const char *name;
    std::optional<std::string> pending;  // the newest frame not yet written
    // The frame posted last, unless its write failed: a poll that repeats
    // it does not wake the writer.
    std::optional<std::string> posted;
    // The writer's own: where the file lies for the directory it was
    // resolved in.
    std::string dir;
    std::unique_ptr<platform::RepeatedFileWriter> writer;
  };

  FrameLog();
  void run();
  // Takes the file's pending frame and writes it with the mutex released.
  void writePending(std::unique_lock<std::mutex> &lock, File &file);
  void write(File &file, const std::string &frame);

  std::mutex mutex_;
  std::condition_variable work_;  // a frame was posted, or the writer is to stop
  std::condition_variable idle_;  // a write ended
  std::array<File, 2> files_;
  std::thread thread_;
  bool writing_ = false;
  bool stopping_ = false;
};

}  // namespace tarnex
