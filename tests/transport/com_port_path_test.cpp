#include "transport/com_port_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "transport/com_port_set.h"

namespace fs = std::filesystem;
using testsupport::ExecutableDirOverride;
using testsupport::TempDir;

namespace {

struct PathCase {
  const char *what;
  std::vector<std::string> links;  // entries made in the executable directory
  int n;
  std::optional<std::string> expected;  // relative to the directory unless absolute
};

TEST(ComPortPath, ResolvesNumbersAndLinksBesideTheExecutable) {
  const std::vector<PathCase> cases = {
      {"zero refused", {}, 0, std::nullopt},
      {"257 refused", {}, 257, std::nullopt},
      {"negative refused", {}, -1, std::nullopt},
      {"COM1 without entry", {}, 1, "/dev/ttyS0"},
      {"COM256 without entry", {}, 256, "/dev/ttyS255"},
      {"COM3 link", {"COM3"}, 3, "COM3"},
      {"only a lower-case link", {"com3"}, 3, "com3"},
      {"exact name wins", {"com7", "COM7"}, 7, "COM7"},
      {"smallest in byte order", {"cOm8", "Com8"}, 8, "Com8"},
      {"COM30 is not COM3", {"COM30"}, 3, "/dev/ttyS2"},
      {"another number's link ignored", {"COM2"}, 12, "/dev/ttyS11"},
  };
  for (const PathCase &c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    ExecutableDirOverride exeDir(dir.path());
    for (const std::string &name : c.links) fs::create_symlink("/dev/null", dir / name);
    std::optional<std::string> expected = c.expected;
    if (expected && (*expected)[0] != '/') expected = (dir / *expected).string();
    EXPECT_EQ(transport::ComPortPath(c.n), expected);
  }
}

TEST(ComPortPath, DanglingLinkIsTakenAndTheOpenFails) {
  TempDir dir;
  ExecutableDirOverride exeDir(dir.path());
  fs::create_symlink(dir / "unplugged-adapter", dir / "COM4");
  EXPECT_EQ(transport::ComPortPath(4), (dir / "COM4").string());
  transport::CComPortSet ports;
  EXPECT_EQ(ports.Open(4, 9600), -1);
  EXPECT_FALSE(ports.isOpen(4));
}

}  // namespace
