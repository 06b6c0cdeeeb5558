// A host may unload the link library once PLC_Cleanup returned, also with a
// send under way, and a process may end with a send under way: the host
// runs in processes of its own, fifty times each.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>

#include "tests/support/loopback_udp.h"

extern char **environ;

namespace {

void RunHost(const std::string &port, const char *mode) {
  for (int run = 0; run < 50; ++run) {
    const char *const argv[] = {UNLOAD_HOST, TARNEX_LIBRARY, port.c_str(), mode, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, UNLOAD_HOST, nullptr, nullptr, const_cast<char *const *>(argv), environ), 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "run " << run << " ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    ASSERT_EQ(WEXITSTATUS(status), 0) << "run " << run;
  }
}

TEST(Unload, AHostUnloadsTheLibraryRightAfterCleanupWithASendUnderWay) {
  testsupport::LoopbackUdp silentController;  // takes the requests, never answers
  const std::string port = std::to_string(silentController.port());
  // The library's state is never freed, so that a process may end during a
  // send; once the library is unloaded the leak checker would report it.
  setenv("ASAN_OPTIONS", "detect_leaks=0:abort_on_error=1", 1);
  RunHost(port, nullptr);
}

TEST(Unload, AProcessEndsWithASendUnderWay) {
  testsupport::LoopbackUdp silentController;
  setenv("ASAN_OPTIONS", "detect_leaks=0:abort_on_error=1", 1);
  // The race checker would otherwise sleep a second at every exit.
  setenv("TSAN_OPTIONS", "halt_on_error=1:exitcode=66:atexit_sleep_ms=0", 1);
  RunHost(std::to_string(silentController.port()), "exit");
}

}  // namespace
