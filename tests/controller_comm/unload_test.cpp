// A host may unload the link library once PLC_Cleanup returned, also with a
// send under way: the host runs in processes of its own, fifty times.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>

#include "loopback_udp.h"

extern char **environ;

namespace {

TEST(Unload, AHostUnloadsTheLibraryRightAfterCleanupWithASendUnderWay) {
  testsupport::LoopbackUdp silentController;  // takes the requests, never answers
  const std::string port = std::to_string(silentController.port());
  // The library's state is never freed, so that a process may end during a
  // send; once the library is unloaded the leak checker would report it.
  setenv("ASAN_OPTIONS", "detect_leaks=0:abort_on_error=1", 1);
  for (int run = 0; run < 50; ++run) {
    const char *const argv[] = {UNLOAD_HOST, TARNEX_LIBRARY, port.c_str(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, UNLOAD_HOST, nullptr, nullptr, const_cast<char *const *>(argv), environ), 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "run " << run << " ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    ASSERT_EQ(WEXITSTATUS(status), 0) << "run " << run;
  }
}

}  // namespace
