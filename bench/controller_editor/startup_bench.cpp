// selkan-startup-bench: how long the editor takes from exec to the first
// paint of its login dialog, offscreen, over fresh processes of
// selkan-login-probe (the program's start-up with a clock at the first
// paint); and the resident memory of the real Selkan 5 s after exec, while
// it waits at the login.
//
//   selkan-startup-bench [RUNS]      RUNS start-up runs (default 20)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "bench/display_app/bench_common.h"

namespace {

constexpr double kRssAt = 5.0;
constexpr int kRssRuns = 3;
constexpr double kRunLimit = 30.0;  // a child still there then is killed

struct Child {
  pid_t pid = -1;
  int out = -1;
  double started = 0;
};

Child Start(const char *program) {
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) std::exit(1);
  Child child;
  child.started = bench::MonotonicSeconds();
  child.pid = fork();
  if (child.pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDERR_FILENO);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    execl(program, program, static_cast<char *>(nullptr));
    _exit(127);
  }
  close(out[1]);
  child.out = out[0];
  return child;
}

// Reads the child's output until it ends (or the limit); returns it.
std::string Finish(Child &child, double limit) {
  std::string output;
  for (;;) {
    if (bench::MonotonicSeconds() - child.started > limit) {
      kill(child.pid, SIGKILL);
      break;
    }
    pollfd p{child.out, POLLIN, 0};
    if (poll(&p, 1, 200) <= 0) continue;
    char buffer[512];
    const ssize_t n = read(child.out, buffer, sizeof buffer);
    if (n <= 0) break;
    output.append(buffer, static_cast<size_t>(n));
  }
  close(child.out);
  waitpid(child.pid, nullptr, 0);
  return output;
}

std::optional<double> StartupMs(const char *probe) {
  Child child = Start(probe);
  const std::string output = Finish(child, kRunLimit);
  const size_t at = output.find("first-paint ");
  if (at == std::string::npos) return std::nullopt;
  return (std::strtod(output.c_str() + at + 12, nullptr) - child.started) * 1000.0;
}

std::optional<double> RssAfterStartMb(const char *program) {
  Child child = Start(program);
  const double wait = child.started + kRssAt - bench::MonotonicSeconds();
  if (wait > 0) usleep(static_cast<useconds_t>(wait * 1e6));
  // Still waiting at the login: anything else has no figure.
  int status = 0;
  std::optional<double> rss;
  if (waitpid(child.pid, &status, WNOHANG) == 0) rss = bench::ReadRssMb(child.pid);
  kill(child.pid, SIGTERM);
  Finish(child, kRunLimit);
  return rss;
}

}  // namespace

int main(int argc, char **argv) {
  const std::optional<int> runArgument = bench::RunsArgument(argc, argv, 20);
  if (!runArgument) return 2;
  const int runs = *runArgument;
  signal(SIGPIPE, SIG_IGN);
  std::printf("%s", bench::MachineDescription().c_str());

  std::vector<double> startup;
  int missing = 0;
  for (int i = 0; i < runs; ++i) {
    if (const std::optional<double> ms = StartupMs(PROBE_PROGRAM)) {
      startup.push_back(*ms);
    } else {
      ++missing;
    }
  }
  std::vector<double> rss;
  for (int i = 0; i < kRssRuns; ++i) {
    if (const std::optional<double> mb = RssAfterStartMb(SELKAN_PROGRAM)) rss.push_back(*mb);
  }
  std::printf("Selkan, offscreen\n");
  std::printf("  exec to the login's first paint: %s (target: median <= 250 ms)\n",
              bench::Summary(startup, " ms").c_str());
  if (missing > 0) std::printf("  runs without a first paint: %d\n", missing);
  std::printf("  RSS 5 s after exec, at the login: %s (target: <= 60 MB)\n", bench::Summary(rss, " MB").c_str());
  return missing == runs || rss.empty() ? 1 : 0;
}
