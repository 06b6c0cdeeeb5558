#include "platform/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <limits>
#include <string_view>
#include <utility>
#include <fstream>

#include "platform/cp936.h"

namespace platform {
namespace {

std::atomic<bool> g_failAfterTempWrite{false};
std::atomic<uint64_t> g_syncCount{0};

int countedSync(int fd) {
  g_syncCount.fetch_add(1, std::memory_order_relaxed);
  return ::fsync(fd);
}

// Temporary files are ".<name>" + kTempMark + six characters of mkstemp.
constexpr std::string_view kTempMark = ".tmp-";
constexpr size_t kTempUniqueLength = 6;
constexpr time_t kLeftoverAgeSeconds = 60;

std::string tempPrefix(const std::string &base) { return "." + base + std::string(kTempMark); }

// Removes the temporary files of base in dir that are older than a minute:
// what a writer killed between creating and renaming one left behind. The
// exact length keeps other files' temporaries out (".a.tmp-b.tmp-XXXXXX"
// belongs to "a.tmp-b").
void removeLeftovers(const std::string &dir, const std::string &base) {
  const std::string prefix = tempPrefix(base);
  DIR *d = ::opendir(dir.c_str());
  if (d == nullptr) return;
  const time_t now = ::time(nullptr);
  while (const dirent *entry = ::readdir(d)) {
    const std::string_view name(entry->d_name);
    if (name.size() != prefix.size() + kTempUniqueLength || name.substr(0, prefix.size()) != prefix) continue;
    const std::string path = JoinPath(dir, std::string(name));
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (st.st_mtime > now - kLeftoverAgeSeconds) continue;  // a writer may still be at work
    ::unlink(path.c_str());
  }
  ::closedir(d);
}

Error readError(const std::string &path, int err, const char *reason = nullptr) {
  return Error{err, "无法读取文件 \"" + path + "\"：" + (reason ? reason : std::strerror(err))};
}

Error writeError(const std::string &path, int err, const char *reason = nullptr) {
  return Error{err, "无法写入文件 \"" + path + "\"：" + (reason ? reason : std::strerror(err))};
}

class FdCloser {
 public:
  explicit FdCloser(int fd) : fd_(fd) {}
  ~FdCloser() {
    if (fd_ >= 0) ::close(fd_);
  }
  FdCloser(const FdCloser &) = delete;
  FdCloser &operator=(const FdCloser &) = delete;
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// Gives up a temporary file: closed when still open, and removed.
Error dropTemporary(FdCloser &closer, const std::string &temp, const std::string &path, int err) {
  const int fd = closer.release();
  if (fd >= 0) ::close(fd);
  ::unlink(temp.c_str());
  return writeError(path, err);
}

// Closes a written temporary file and renames it over target.
Result<void> putInPlace(FdCloser &closer, const std::string &temp, const std::string &target,
                        const std::string &path) {
  if (::close(closer.release()) != 0) return dropTemporary(closer, temp, path, errno);
  if (::rename(temp.c_str(), target.c_str()) != 0) return dropTemporary(closer, temp, path, errno);
  return {};
}

std::string baseOf(const std::string &path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string dirOf(const std::string &path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows one level of symbolic link, so the link itself stays in place.
std::string resolveLinkOnce(const std::string &path) {
  char buf[PATH_MAX + 1];
  ssize_t n = ::readlink(path.c_str(), buf, PATH_MAX);
  if (n <= 0) return path;
  std::string target(buf, static_cast<size_t>(n));
  if (target[0] == '/') return target;
  return JoinPath(dirOf(path), target);
}

mode_t currentUmask() {
  // /proc/self/status carries the umask without changing it (umask() would,
  // for a moment, for every thread).
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
  }
  mode_t old = ::umask(022);
  ::umask(old);
  return old;
}

bool writeAll(int fd, const uint8_t *data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool isRegularFile(const std::string &path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Opens a regular file of at most maxBytes for reading; st gets its status.
Result<int> openRegularFile(const std::string &path, size_t maxBytes, struct stat &st) {
  if (::stat(path.c_str(), &st) != 0) return readError(path, errno);
  if (!S_ISREG(st.st_mode)) return readError(path, EINVAL, "不是普通文件");
  if (static_cast<uintmax_t>(st.st_size) > maxBytes) return readError(path, EFBIG, "文件过大");

  // O_NONBLOCK: should the entry have been swapped for a FIFO since the
  // check, the open does not wait for a writer; fstat then refuses it.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return readError(path, errno);
  FdCloser closer(fd);
  if (::fstat(fd, &st) != 0) return readError(path, errno);
  if (!S_ISREG(st.st_mode)) return readError(path, EINVAL, "不是普通文件");
  if (static_cast<uintmax_t>(st.st_size) > maxBytes) return readError(path, EFBIG, "文件过大");
  return closer.release();
}

}  // namespace

Result<std::vector<uint8_t>> ReadWholeFile(const std::string &path, size_t maxBytes) {
  struct stat st;
  auto opened = openRegularFile(path, maxBytes, st);
  if (!opened.ok()) return opened.error();
  const int fd = opened.value();
  FdCloser closer(fd);

  std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
  size_t got = 0;
  for (;;) {
    if (got == bytes.size()) {
      // The file may have grown since fstat; read on, up to the limit.
      if (bytes.size() >= maxBytes) {
        uint8_t probe;
        ssize_t n = ::read(fd, &probe, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return readError(path, errno);
        if (n > 0) return readError(path, EFBIG, "文件过大");
        break;
      }
      bytes.resize(std::min(maxBytes, std::max<size_t>(bytes.size() * 2, 4096)));
    }
    ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      return readError(path, errno);
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

Result<FileReader> FileReader::Open(const std::string &path, size_t maxBytes) {
  struct stat st;
  auto opened = openRegularFile(path, maxBytes, st);
  if (!opened.ok()) return opened.error();
  return FileReader(opened.value(), static_cast<uint64_t>(st.st_size), path);
}

FileReader::~FileReader() {
  if (fd_ >= 0) ::close(fd_);
}

FileReader::FileReader(FileReader &&other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(other.size_), path_(std::move(other.path_)) {}

FileReader &FileReader::operator=(FileReader &&other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    size_ = other.size_;
    path_ = std::move(other.path_);
  }
  return *this;
}

Result<size_t> FileReader::ReadAt(uint64_t offset, std::span<uint8_t> out) {
  if (fd_ < 0) return readError(path_, EBADF);
  if (offset > static_cast<uint64_t>(std::numeric_limits<off_t>::max())) return size_t{0};
  for (;;) {
    const ssize_t n = ::pread(fd_, out.data(), out.size(), static_cast<off_t>(offset));
    if (n >= 0) return static_cast<size_t>(n);
    if (errno != EINTR) return readError(path_, errno);
  }
}

Result<void> WriteFileAtomically(const std::string &path, std::string_view bytes, Durability durability) {
  return WriteFileAtomically(
      path, std::span<const uint8_t>(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()), durability);
}

Result<void> WriteFileAtomically(const std::string &path, std::span<const uint8_t> bytes, Durability durability) {
  const std::string target = resolveLinkOnce(path);
  const std::string dir = dirOf(target);
  const std::string base = baseOf(target);
  std::string temp = JoinPath(dir, tempPrefix(base) + std::string(kTempUniqueLength, 'X'));
  const bool synced = durability == Durability::Synced;

  mode_t mode;
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return writeError(path, EISDIR, "不是普通文件");
    mode = st.st_mode & 07777;
  } else {
    mode = 0666 & ~currentUmask();
  }

  removeLeftovers(dir, base);
  // Close-on-exec: a program started meanwhile must not inherit the file.
  int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return writeError(path, errno);
  FdCloser closer(fd);
  if (::fchmod(fd, mode) != 0) return dropTemporary(closer, temp, path, errno);
  if (!writeAll(fd, bytes.data(), bytes.size())) return dropTemporary(closer, temp, path, errno);
  if (synced && countedSync(fd) != 0) return dropTemporary(closer, temp, path, errno);
  // As a kill here would: the temporary file stays behind.
  if (g_failAfterTempWrite.load()) return writeError(path, EIO);
  if (auto placed = putInPlace(closer, temp, target, path); !placed.ok()) return placed;
  if (!synced) return {};
  int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    // The data is in place; a failing directory sync only weakens durability.
    countedSync(dirFd);
    ::close(dirFd);
  }
  return {};
}

RepeatedFileWriter::RepeatedFileWriter(const std::string &path) : path_(path), target_(resolveLinkOnce(path)) {
  const std::string dir = dirOf(target_);
  const std::string base = baseOf(target_);
  tempPrefix_ = JoinPath(dir, tempPrefix(base));
  const mode_t mask = currentUmask();
  struct stat st;
  mode_ = ::stat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? (st.st_mode & 07777) : (0666 & ~mask);
  chmodNeeded_ = (mode_ & mask) != 0;
  removeLeftovers(dir, base);
  // Temporary names differ between processes and between the writers of
  // one process; O_EXCL settles the rest.
  tempCounter_ = (static_cast<uint64_t>(::getpid()) << 20) ^ reinterpret_cast<uintptr_t>(this) ^
                 static_cast<uint64_t>(::time(nullptr));
}

Result<void> RepeatedFileWriter::replace(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 64 && fd < 0; ++attempt) {
    uint64_t n = ++tempCounter_ * 0x9E3779B97F4A7C15ull;
    temp = tempPrefix_;
    for (size_t i = 0; i < kTempUniqueLength; ++i, n /= 62) temp += kDigits[n % 62];
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode_));
    if (fd < 0 && errno != EEXIST) return writeError(path_, errno);
  }
  if (fd < 0) return writeError(path_, EEXIST);
  FdCloser closer(fd);
  if (chmodNeeded_ && ::fchmod(fd, static_cast<mode_t>(mode_)) != 0) return dropTemporary(closer, temp, path_, errno);
  if (!writeAll(fd, reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size())) {
    return dropTemporary(closer, temp, path_, errno);
  }
  return putInPlace(closer, temp, target_, path_);
}

void SetAtomicWriteFaultForTests(bool fail) { g_failAfterTempWrite.store(fail); }

uint64_t SyncCountForTests() { return g_syncCount.load(); }

std::string JoinPath(const std::string &dir, const std::string &name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

std::optional<std::string> FindFileIgnoreCase(const std::string &dir, const std::string &name) {
  if (name.empty() || name.find('/') != std::string::npos) return std::nullopt;
  std::string exact = JoinPath(dir, name);
  if (isRegularFile(exact)) return exact;

  DIR *d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return std::nullopt;
  std::optional<std::string> best;
  while (struct dirent *e = ::readdir(d)) {
    std::string_view entry(e->d_name);
    if (!cp936::EqualsIgnoreCase(entry, name)) continue;
    if (best && entry >= std::string_view(*best)) continue;
    if (isRegularFile(JoinPath(dir, std::string(entry)))) best = std::string(entry);
  }
  ::closedir(d);
  if (!best) return std::nullopt;
  return JoinPath(dir, *best);
}

std::string ResolveConfigFile(const std::string &dir, const std::string &name) {
  if (auto found = FindFileIgnoreCase(dir, name)) return *found;
  return JoinPath(dir, name);
}

}  // namespace platform
