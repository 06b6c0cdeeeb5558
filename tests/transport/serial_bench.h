#pragma once
// A pty standing in for the device behind COM n, reached through a "COMn"
// link in a temporary executable directory.
#include <chrono>

#include "tests/support/com_link.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"
#include "transport/wait_result.h"

namespace transport_test {

struct SerialBench {
  explicit SerialBench(int n = 3) : link(dir.path(), n, pty.slavePath()) {}

  testsupport::TempDir dir;
  testsupport::ExecutableDirOverride exeDir{dir.path()};
  testsupport::PtyPair pty;
  testsupport::ComLink link;
};

// A deadline far enough away to serve only as a hang guard.
inline transport::Deadline GuardDeadline() {
  return transport::Clock::now() + std::chrono::seconds(10);
}

}  // namespace transport_test
