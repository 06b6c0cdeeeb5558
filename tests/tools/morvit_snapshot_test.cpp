// The snapshot tool as the demo runs it: copied with its libraries into a
// directory of its own beside "User.ini", against the simulated controllers.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/cp936.h"
#include "tests/support/loopback_udp.h"
#include "tests/support/temp_dir.h"
#include "tools/controller_sim/controller_sim.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const fs::path kDemoDir = DEMO_DIR;

// The tool and every library beside it, as copies.
fs::path CopyTool(const fs::path &dir) {
  const fs::path program = SNAPSHOT_PROGRAM;
  fs::copy_file(program, dir / program.filename());
  for (const fs::directory_entry &entry : fs::directory_iterator(program.parent_path())) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with("lib") && name.find(".so") != std::string::npos && fs::is_regular_file(entry.path())) {
      fs::copy_file(entry.path(), dir / name);
    }
  }
  return dir / program.filename();
}

void WriteUserIni(const fs::path &dir, uint16_t port) {
  std::ifstream in(kDemoDir / "demo_user_ini.in");
  std::string text;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with(';')) continue;
    if (const size_t at = line.find("@PORT@"); at != std::string::npos) line.replace(at, 6, std::to_string(port));
    text += line + "\n";
  }
  std::ofstream(dir / "User.ini", std::ios::binary) << cp936::FromUtf8(text);
}

// Runs the program offscreen; its exit status, or -1.
int RunTool(const fs::path &program, std::vector<std::string> args) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (std::string &a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool IsPng(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  char head[8] = {};
  in.read(head, 8);
  return in && std::string(head, 8) == "\x89PNG\r\n\x1a\n";
}

TEST(MorvitSnapshot, OnlineAgainstTheDemoControllers) {
  testsupport::TempDir dir;
  const fs::path tool = CopyTool(dir.path());
  controller_sim::ControllerSim sim(1);
  sim.loadRegisterFile((kDemoDir / "demo_registers.txt").string());
  WriteUserIni(dir.path(), sim.startUdp(0));

  EXPECT_EQ(RunTool(tool, {(dir / "shot.png").string(), "20"}), 0);
  EXPECT_TRUE(IsPng(dir / "shot.png"));
  // The view opened controller 1 and read its plan block first.
  const std::vector<std::string> received = sim.received();
  ASSERT_FALSE(received.empty());
  EXPECT_EQ(received.front(), ":01030040004B71");
}

TEST(MorvitSnapshot, SilentControllerFailsButLeavesThePicture) {
  testsupport::TempDir dir;
  const fs::path tool = CopyTool(dir.path());
  controller_sim::ControllerSim sim(1);
  sim.loadRegisterFile((kDemoDir / "demo_registers.txt").string());
  sim.setFault("silent");
  WriteUserIni(dir.path(), sim.startUdp(0));

  EXPECT_EQ(RunTool(tool, {(dir / "shot.png").string(), "1.5"}), 1);
  EXPECT_TRUE(IsPng(dir / "shot.png"));
  EXPECT_TRUE(sim.waitForEvent("rx", 0ms));

  EXPECT_EQ(RunTool(tool, {}), 2);
  EXPECT_EQ(RunTool(tool, {(dir / "x.png").string(), "soon"}), 2);
  EXPECT_EQ(RunTool(tool, {"--hold"}), 2);
  EXPECT_EQ(RunTool(tool, {"--local-port"}), 2);
  EXPECT_EQ(RunTool(tool, {"--local-port", "65536", (dir / "x.png").string()}), 2);
}

// The tool opens its link on the local port it is given: one held by
// another socket keeps the link from opening.
TEST(MorvitSnapshot, GivenLocalPortIsUsed) {
  testsupport::TempDir dir;
  const fs::path tool = CopyTool(dir.path());
  controller_sim::ControllerSim sim(1);
  sim.loadRegisterFile((kDemoDir / "demo_registers.txt").string());
  WriteUserIni(dir.path(), sim.startUdp(0));
  testsupport::LoopbackUdp holder;
  ASSERT_GT(holder.port(), 0);

  EXPECT_EQ(RunTool(tool, {"--local-port", std::to_string(holder.port()), (dir / "shot.png").string(), "1"}), 1);
  EXPECT_TRUE(sim.received().empty());
}

}  // namespace
