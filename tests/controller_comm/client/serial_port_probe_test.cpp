// Why a serial port does not open, found the way the link library opens it:
// COM links in a temporary executable directory to a device that is gone,
// one the user may not open, one another open holds, and a file that is no
// serial device; and the real library's failed opens that the probe
// explains.
#include "controller_comm/client/serial_port_probe.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "controller_comm/client/open_failure.h"
#include "controller_comm/client/plc_api.h"
#include "tests/support/com_link.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace tarnex_client {

// Shown by gtest when a comparison fails.
void PrintTo(const SerialPortProblem &p, std::ostream *os) {
  *os << "{fault " << static_cast<int>(p.fault) << ", path \"" << p.path << "\", group \"" << p.group << "\"}";
}

namespace {

using testsupport::ComLink;
using testsupport::ExecutableDirOverride;
using testsupport::PtyPair;
using testsupport::TempDir;

constexpr uid_t kNobody = 65534;

void WriteFile(const fs::path &path, mode_t mode) {
  std::ofstream(path) << "not a terminal\n";
  ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

// An open of the device holding the exclusive lock the library takes.
class LockHolder {
 public:
  explicit LockHolder(const std::string &path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {
    locked_ = fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
  }
  ~LockHolder() {
    if (fd_ >= 0) ::close(fd_);
  }
  LockHolder(const LockHolder &) = delete;
  LockHolder &operator=(const LockHolder &) = delete;
  bool locked() const { return locked_; }

 private:
  int fd_ = -1;
  bool locked_ = false;
};

// Runs probe with an ordinary user's file-system identity: root opens any
// file, so a thread of root's takes that of nobody, which drops root's
// override for that thread's file access. False when the identity cannot
// be changed.
bool AsOrdinaryUser(const std::function<void()> &probe) {
  if (::geteuid() != 0) {
    probe();
    return true;
  }
  bool changed = false;
  std::thread([&] {
    ::setfsgid(kNobody);
    ::setfsuid(kNobody);
    changed = ::setfsuid(static_cast<uid_t>(-1)) == kNobody;
    if (changed) probe();
  }).join();
  return changed;
}

class SerialPortProbeTest : public ::testing::Test {
 protected:
  TempDir dir;
  ExecutableDirOverride exeDir{dir.path()};
};

TEST_F(SerialPortProbeTest, NamesTheDeviceAndWhatKeepsItFromOpening) {
  PtyPair pty;
  WriteFile(dir / "plain-file", 0644);
  ComLink gone(dir.path(), 2, dir / "unplugged");
  fs::create_symlink("unplugged-too", dir / "COM3");  // relative to the directory
  ComLink free(dir.path(), 4, pty.slavePath());
  ComLink file(dir.path(), 5, dir / "plain-file");
  ComLink lowerCase(dir.path(), 6, dir / "gone-as-well");
  fs::rename(lowerCase.path(), dir / "com6");
  ComLink held(dir.path(), 7, pty.slavePath());
  fs::create_directory(dir / "a-directory");
  ComLink directory(dir.path(), 9, dir / "a-directory");

  const struct {
    const char *what;
    int32_t com;
    SerialPortProblem expected;
  } cases[] = {
      {"link to a device that is gone", 2, {SerialFault::Missing, (dir / "unplugged").string(), ""}},
      {"relative link", 3, {SerialFault::Missing, (dir / "unplugged-too").string(), ""}},
      {"a free pty", 4, {SerialFault::None, pty.slavePath(), ""}},
      {"a file", 5, {SerialFault::NotSerial, (dir / "plain-file").string(), ""}},
      {"a directory", 9, {SerialFault::NotSerial, (dir / "a-directory").string(), ""}},
      {"link named in another letter case", 6, {SerialFault::Missing, (dir / "gone-as-well").string(), ""}},
      {"COM 0", 0, {SerialFault::BadNumber, "", ""}},
      {"COM 257", 257, {SerialFault::BadNumber, "", ""}},
      {"negative", -3, {SerialFault::BadNumber, "", ""}},
  };
  for (const auto &c : cases) EXPECT_EQ(DiagnoseSerialPort(c.com), c.expected) << c.what;

  // Another open holds the lock: busy, and free again once it lets go.
  {
    LockHolder holder(pty.slavePath());
    ASSERT_TRUE(holder.locked());
    EXPECT_EQ(DiagnoseSerialPort(7), (SerialPortProblem{SerialFault::Busy, pty.slavePath(), ""}));
  }
  EXPECT_EQ(DiagnoseSerialPort(7).fault, SerialFault::None);
}

TEST_F(SerialPortProbeTest, ADeviceTheUserMayNotOpenNamesTheGroupThatMay) {
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);  // nobody may look inside
  WriteFile(dir / "no-access", 0);
  ComLink link(dir.path(), 3, dir / "no-access");
  SerialPortProblem found;
  if (!AsOrdinaryUser([&] { found = DiagnoseSerialPort(3); })) {
    GTEST_SKIP() << "runs as root without the right to take another file-system identity, and root opens any file";
  }
  EXPECT_EQ(found, (SerialPortProblem{SerialFault::NoPermission, (dir / "no-access").string(), "dialout"}));

  // A device its group may use names that group (root can hand it one).
  if (::geteuid() != 0) return;
  WriteFile(dir / "group-device", 0660);
  ASSERT_EQ(::chown((dir / "group-device").c_str(), 0, 0), 0);
  ComLink grouped(dir.path(), 4, dir / "group-device");
  ASSERT_TRUE(AsOrdinaryUser([&] { found = DiagnoseSerialPort(4); }));
  EXPECT_EQ(found, (SerialPortProblem{SerialFault::NoPermission, (dir / "group-device").string(), "root"}));
}

// The library fails these opens; the probe says why, in the words both
// programs show.
TEST_F(SerialPortProbeTest, ExplainsTheLibrarysFailedOpens) {
  PtyPair pty;
  ComLink gone(dir.path(), 2, dir / "unplugged");
  ComLink held(dir.path(), 8, pty.slavePath());
  TarnexPlcApi api;
  api.startup(kDirectMode);
  constexpr int32_t kSerial = 1;

  EXPECT_EQ(api.openDev((2 << 16) | kSerial, 9600, 0), -1);
  EXPECT_EQ(OpenFailureText(api, (2 << 16) | kSerial, 0, "打开设备失败"),
            "打开设备失败（" + (dir / "unplugged").string() + " 不存在）");
  {
    LockHolder holder(pty.slavePath());
    ASSERT_TRUE(holder.locked());
    EXPECT_EQ(api.openDev((8 << 16) | kSerial, 9600, 0), -1);
    EXPECT_EQ(OpenFailureText(api, (8 << 16) | kSerial, 0, "打开设备失败"),
              "打开设备失败（" + pty.slavePath() + " 被其他程序占用）");
  }
  // Once the holder lets go, the same port opens.
  const int32_t slot = api.openDev((8 << 16) | kSerial, 9600, 0);
  EXPECT_NE(slot, -1);
  // While the library holds it, the probe finds it taken.
  EXPECT_EQ(api.serialPortProblem(8).fault, SerialFault::Busy);
  api.closeDev(slot);
  api.cleanup();
}

}  // namespace
}  // namespace tarnex_client
