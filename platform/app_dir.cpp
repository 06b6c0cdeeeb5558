#include "platform/app_dir.h"

#include <unistd.h>

#include <climits>
#include <mutex>

namespace platform {
namespace {

// Never destroyed: a library's worker still running while the process exits
// may ask for the directory after the exit handlers have run.
struct DirState {
  std::mutex mutex;
  std::string override;
  std::string executable;
  bool read = false;
};

DirState &dirState() {
  static DirState *const state = new DirState;
  return *state;
}

std::string readExecutableDir() {
  char buf[PATH_MAX + 1];
  ssize_t n = ::readlink("/proc/self/exe", buf, PATH_MAX);
  if (n <= 0) return {};
  std::string exe(buf, static_cast<size_t>(n));
  auto slash = exe.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? std::string("/") : exe.substr(0, slash);
}

}  // namespace

std::string ExecutableDir() {
  DirState &state = dirState();
  std::lock_guard<std::mutex> lock(state.mutex);
  if (!state.override.empty()) return state.override;
  if (!state.read) {
    state.executable = readExecutableDir();
    state.read = true;
  }
  return state.executable;
}

void SetExecutableDirForTests(const std::string &path) {
  DirState &state = dirState();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.override = path;
}

}  // namespace platform
