#pragma once
// Whole-file reads, atomic whole-file writes and the case-insensitive lookup
// of configuration files. Paths are byte strings as the file system has them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/result.h"

namespace platform {

// Reads a regular file whole. A path that is not a regular file (directory,
// FIFO, device) or a file larger than maxBytes is refused before anything is
// read. Errors read "无法读取文件 "<path>"：<reason>"; code holds the errno.
Result<std::vector<uint8_t>> ReadWholeFile(const std::string &path, size_t maxBytes);

// A regular file open for reading piece by piece, checked at the open as
// ReadWholeFile checks it, with the same errors. A reader that stops early
// has read, and holds, nothing of the rest.
class FileReader {
 public:
  static Result<FileReader> Open(const std::string &path, size_t maxBytes);
  ~FileReader();
  FileReader(FileReader &&other) noexcept;
  FileReader &operator=(FileReader &&other) noexcept;
  FileReader(const FileReader &) = delete;
  FileReader &operator=(const FileReader &) = delete;

  // The file's size when it was opened.
  uint64_t size() const { return size_; }
  // Reads at most out.size() bytes at offset: the count read, 0 at the end
  // of the file.
  Result<size_t> ReadAt(uint64_t offset, std::span<uint8_t> out);

 private:
  FileReader(int fd, uint64_t size, std::string path) : fd_(fd), size_(size), path_(std::move(path)) {}
  int fd_ = -1;
  uint64_t size_ = 0;
  std::string path_;
};

// Whether a whole-file write waits for its bytes to reach the disk.
enum class Durability {
  Synced,    // the file and its directory are synced: files that hold data
  Unsynced,  // never synced: files rewritten all the time, such as frame logs
};

// Replaces the file at path (the target of a symbolic link) with bytes: a
// temporary file ".<name>.tmp-XXXXXX" in the same directory is written,
// (synced) and renamed over the target, so readers see either the old or the
// new contents, never a part. The target keeps its permission bits; a new
// file gets 0666 less the umask. Temporary files of the same name that a
// killed writer left behind and that are older than a minute are removed
// first; younger ones may belong to a writer still at work and stay.
// Errors read "无法写入文件 "<path>"：<reason>".
Result<void> WriteFileAtomically(const std::string &path, std::span<const uint8_t> bytes,
                                 Durability durability = Durability::Synced);
Result<void> WriteFileAtomically(const std::string &path, std::string_view bytes,
                                 Durability durability = Durability::Synced);

// A file one writer replaces again and again (the text of the last frame
// sent, say), with WriteFileAtomically's guarantees but without its cost at
// every write: the link it may be, its permission bits and the removal of
// temporary files left by a killed writer are settled once, when the writer
// is made. Each replace then creates, writes, closes and renames one
// temporary file, never synced. One thread at a time.
class RepeatedFileWriter {
 public:
  explicit RepeatedFileWriter(const std::string &path);

  const std::string &path() const { return path_; }

  // Errors read as WriteFileAtomically's.
  Result<void> replace(std::string_view bytes);

 private:
  std::string path_;    // as given, for messages
  std::string target_;  // what a link at path points to, or path
  std::string tempPrefix_;
  unsigned mode_ = 0;           // permission bits the file keeps
  bool chmodNeeded_ = false;    // the umask takes some of them away
  uint64_t tempCounter_ = 0;
};

// Test seam: while set, WriteFileAtomically stops after the temporary file is
// written and before it replaces the target, as a writer killed there would:
// the temporary file stays, the target is untouched, and the write fails.
void SetAtomicWriteFaultForTests(bool fail);

// Test seam: the fsync calls the whole-file writes of this process made.
uint64_t SyncCountForTests();

// dir joined with name ("dir/name"; dir may end with '/').
std::string JoinPath(const std::string &dir, const std::string &name);

// The path of the file called name in dir: the exact name when that is a
// regular file (or a link to one), else the entry whose name matches ignoring
// ASCII case (the smallest such name in byte order when several do).
std::optional<std::string> FindFileIgnoreCase(const std::string &dir, const std::string &name);

// The file found by FindFileIgnoreCase, or dir/name when there is none.
std::string ResolveConfigFile(const std::string &dir, const std::string &name);

}  // namespace platform
