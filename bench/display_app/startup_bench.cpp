// morvit-startup-bench: how long the display program takes from exec to the
// first paint of its main window, over fresh morvit_snapshot processes
// offscreen, once without "User.ini" and once with the demo's file against
// the controller simulator in this process; and the resident memory 5 s
// after start.
//
//   morvit-startup-bench [RUNS]      RUNS start-up runs per case (default 20)
//
// The parent notes CLOCK_MONOTONIC just before exec; the child prints the
// same clock at the first paint. Memory is read from /proc/<pid>/status
// (VmRSS) 5 s after exec, in three more runs per case that hold the window.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "bench/display_app/bench_common.h"
#include "tools/controller_sim/controller_sim.h"

namespace {

namespace fs = std::filesystem;

constexpr double kRssAt = 5.0;
constexpr int kRssRuns = 3;
constexpr double kRunLimit = 60.0;  // a child that is still there is killed

struct RunResult {
  std::optional<double> startup_ms;
  std::optional<double> rss_mb;
  int status = -1;
};

// The program and the libraries beside it, copied into dir.
void CopyProgram(const fs::path &program, const fs::path &dir) {
  fs::create_directories(dir);
  fs::copy_file(program, dir / program.filename());
  for (const fs::directory_entry &entry : fs::directory_iterator(program.parent_path())) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with("lib") && name.find(".so") != std::string::npos && fs::is_regular_file(entry.path())) {
      fs::copy_file(entry.path(), dir / name);  // follows links: a copy of the file
    }
  }
}

RunResult Run(const fs::path &program, std::vector<std::string> args, bool read_rss) {
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) std::exit(1);
  std::vector<char *> argv{const_cast<char *>(program.c_str())};
  for (std::string &a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  const double started = bench::MonotonicSeconds();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDERR_FILENO);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);

  RunResult result;
  std::string output;
  bool open_pipe = true;
  while (open_pipe) {
    const double now = bench::MonotonicSeconds();
    if (now - started > kRunLimit) {
      kill(pid, SIGKILL);
      break;
    }
    int wait_ms = 200;
    if (read_rss && !result.rss_mb) {
      if (now - started >= kRssAt) {
        result.rss_mb = bench::ReadRssMb(pid);
        if (!result.rss_mb) result.rss_mb = -1;
        continue;
      }
      wait_ms = std::max(1, static_cast<int>((started + kRssAt - now) * 1000));
    }
    pollfd p{out[0], POLLIN, 0};
    if (poll(&p, 1, std::min(wait_ms, 200)) <= 0) continue;
    char buffer[512];
    const ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n <= 0) {
      open_pipe = false;
    } else {
      output.append(buffer, static_cast<size_t>(n));
    }
  }
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;

  const size_t at = output.find("first-paint ");
  if (at != std::string::npos) {
    const double painted = std::strtod(output.c_str() + at + 12, nullptr);
    result.startup_ms = (painted - started) * 1000.0;
  }
  if (result.rss_mb && *result.rss_mb < 0) result.rss_mb.reset();
  return result;
}

void RunCase(const char *name, const fs::path &program, const std::string &timeout, int runs) {
  const fs::path png = program.parent_path() / "snapshot.png";
  std::vector<double> startup;
  int online = 0;
  int missing = 0;
  for (int i = 0; i < runs; ++i) {
    const RunResult r = Run(program, {"--first-paint", png.string(), timeout}, false);
    if (r.startup_ms) {
      startup.push_back(*r.startup_ms);
    } else {
      ++missing;
    }
    if (r.status == 0) ++online;
  }
  std::vector<double> rss;
  for (int i = 0; i < kRssRuns; ++i) {
    const RunResult r = Run(program, {"--hold", "6", png.string(), timeout}, true);
    if (r.rss_mb) rss.push_back(*r.rss_mb);
  }
  std::printf("%s\n", name);
  std::printf("  exec to first paint: %s (target: median <= 250 ms)\n", bench::Summary(startup, " ms").c_str());
  if (missing > 0) std::printf("  runs without a first paint: %d\n", missing);
  std::printf("  runs that saw \"在线\": %d of %d\n", online, runs);
  std::printf("  RSS 5 s after exec: %s (target: <= 60 MB)\n", bench::Summary(rss, " MB").c_str());
}

}  // namespace

int main(int argc, char **argv) {
  const std::optional<int> runArgument = bench::RunsArgument(argc, argv, 20);
  if (!runArgument) return 2;
  const int runs = *runArgument;
  signal(SIGPIPE, SIG_IGN);
  std::printf("%s", bench::MachineDescription().c_str());

  const fs::path root = bench::MakeTempDir("morvit-startup-");
  const fs::path demo_dir = DEMO_DIR;
  int status = 0;
  try {
    CopyProgram(SNAPSHOT_PROGRAM, root / "plain");
    CopyProgram(SNAPSHOT_PROGRAM, root / "demo");
    const fs::path name = fs::path(SNAPSHOT_PROGRAM).filename();

    controller_sim::ControllerSim sim(1);
    sim.loadRegisterFile((demo_dir / "demo_registers.txt").string());
    const uint16_t port = sim.startUdp(0);
    bench::WriteDemoUserIni(demo_dir / "demo_user_ini.in", root / "demo", port);

    RunCase("without User.ini", root / "plain" / name, "0", runs);
    RunCase("with the demo's User.ini (simulator on 127.0.0.1)", root / "demo" / name, "10", runs);
  } catch (const std::exception &e) {
    std::fprintf(stderr, "morvit-startup-bench: %s\n", e.what());
    status = 1;
  }
  std::error_code ec;
  fs::remove_all(root, ec);
  return status;
}
