#include "controller_comm/client/serial_port_probe.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

#include "transport/com_port_path.h"

namespace tarnex_client {
namespace {

constexpr const char *kSerialGroup = "dialout";

// A link's target, made absolute against the link's directory; the path
// itself when it is no link.
std::string DevicePath(const std::string &path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  std::vector<char> target(4096);
  const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
  if (n <= 0 || static_cast<size_t>(n) >= target.size()) return path;
  std::string result(target.data(), static_cast<size_t>(n));
  if (result.front() != '/') {
    const size_t slash = path.rfind('/');
    result = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + result;
  }
  return result;
}

// The group that may read and write the device, when its mode grants that
// to a group that has a name; else the usual serial group.
std::string DeviceGroup(const std::string &path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return kSerialGroup;
  if ((st.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP)) return kSerialGroup;
  std::vector<char> buf(4096);
  group entry{};
  group *found = nullptr;
  if (::getgrgid_r(st.st_gid, &entry, buf.data(), buf.size(), &found) != 0 || found == nullptr ||
      found->gr_name == nullptr || found->gr_name[0] == '\0') {
    return kSerialGroup;
  }
  return found->gr_name;
}

SerialFault FaultOfOpenError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENXIO:
    case ENODEV:
      return SerialFault::Missing;
    case EACCES:
    case EPERM:
    case EROFS:
      return SerialFault::NoPermission;
    case EBUSY:
      return SerialFault::Busy;
    case EISDIR:
      return SerialFault::NotSerial;
    default:
      return SerialFault::None;
  }
}

// What the open, the lock and the terminal check say about the device.
SerialFault Probe(const std::string &path) {
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return FaultOfOpenError(errno);
  SerialFault fault = SerialFault::None;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    fault = errno == EWOULDBLOCK ? SerialFault::Busy : SerialFault::None;
  } else {
    termios settings;
    if (::tcgetattr(fd, &settings) != 0 && errno == ENOTTY) fault = SerialFault::NotSerial;
  }
  ::close(fd);  // also ends the lock
  return fault;
}

}  // namespace

SerialPortProblem DiagnoseSerialPort(int32_t comPort) {
  SerialPortProblem problem;
  const std::optional<std::string> path = transport::ComPortPath(comPort);
  if (!path) {
    problem.fault = SerialFault::BadNumber;
    return problem;
  }
  problem.path = DevicePath(*path);
  problem.fault = Probe(*path);
  if (problem.fault == SerialFault::NoPermission) problem.group = DeviceGroup(*path);
  return problem;
}

}  // namespace tarnex_client
