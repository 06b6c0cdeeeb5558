#include "transport/com_port_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <string_view>

#include "platform/app_dir.h"

namespace transport {
namespace {

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

// Whether an entry of that name exists, dangling links included.
bool EntryExists(const std::string &path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// The smallest name in byte order in dir that matches name ignoring ASCII case.
std::optional<std::string> FindIgnoringCase(const std::string &dir, const std::string &name) {
  DIR *d = ::opendir(dir.c_str());
  if (d == nullptr) return std::nullopt;
  std::optional<std::string> best;
  while (const dirent *entry = ::readdir(d)) {
    std::string_view candidate(entry->d_name);
    if (!EqualIgnoringAsciiCase(candidate, name)) continue;
    if (!best || candidate < *best) best = std::string(candidate);
  }
  ::closedir(d);
  return best;
}

}  // namespace

std::optional<std::string> ComPortPath(int n) {
  if (n < kMinComPort || n > kMaxComPort) return std::nullopt;
  const std::string name = "COM" + std::to_string(n);
  const std::string dir = platform::ExecutableDir();
  if (!dir.empty()) {
    const std::string exact = dir + "/" + name;
    if (EntryExists(exact)) return exact;
    if (auto found = FindIgnoringCase(dir, name)) return dir + "/" + *found;
  }
  return "/dev/ttyS" + std::to_string(n - 1);
}

}  // namespace transport
