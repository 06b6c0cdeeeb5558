// Resident memory of a process that loads libQuodel.so and asks for its
// variable block, against the same process that does not load it. The
// 7 MB of text buffers must stay untouched zero pages.
//
//   quodel-rss-bench          runs both and prints the figures
#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

// In a child: loads the library (or not) and prints the resident KiB.
int Measure(bool load) {
  if (load) {
    void *library = ::dlopen(QUODEL_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
      std::fprintf(stderr, "%s\n", ::dlerror());
      return 1;
    }
    using GetVars = const void *(*)();
    auto get = reinterpret_cast<GetVars>(::dlsym(library, "Qd_GetVarsPointer"));
    if (get == nullptr || get() == nullptr) return 1;
  }
  std::printf("%ld\n", ResidentKiB());
  return 0;
}

long RunChild(const char *self, bool load) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    ::execl(self, self, load ? "--load" : "--bare", static_cast<char *>(nullptr));
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  char text[64] = {};
  const ssize_t got = ::read(pipeFds[0], text, sizeof text - 1);
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::strtol(text, nullptr, 10);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc > 1 && std::strcmp(argv[1], "--load") == 0) return Measure(true);
  if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) return Measure(false);
  constexpr int kRuns = 5;
  long worst = 0;
  for (int run = 0; run < kRuns; ++run) {
    const long bare = RunChild("/proc/self/exe", false);
    const long loaded = RunChild("/proc/self/exe", true);
    if (bare < 0 || loaded < 0) {
      std::fprintf(stderr, "measuring failed\n");
      return 1;
    }
    std::printf("run %d: without %ld KiB, with libQuodel.so %ld KiB, difference %ld KiB\n", run,
                bare, loaded, loaded - bare);
    if (loaded - bare > worst) worst = loaded - bare;
  }
  std::printf("largest difference: %ld KiB (bound 1024 KiB): %s\n", worst,
              worst <= 1024 ? "within" : "EXCEEDED");
  return worst <= 1024 ? 0 : 1;
}
