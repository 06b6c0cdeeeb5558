#include "app_dir.h"

#include <unistd.h>

#include <climits>
#include <mutex>

namespace platform {
namespace {

std::mutex &overrideMutex() {
  static std::mutex m;
  return m;
}

std::string &overridePath() {
  static std::string path;
  return path;
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
  {
    std::lock_guard<std::mutex> lock(overrideMutex());
    if (!overridePath().empty()) return overridePath();
  }
  static const std::string dir = readExecutableDir();
  return dir;
}

void SetExecutableDirForTests(const std::string &path) {
  std::lock_guard<std::mutex> lock(overrideMutex());
  overridePath() = path;
}

}  // namespace platform
