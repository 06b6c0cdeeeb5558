#include "tests/support/temp_dir.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>

#include "platform/app_dir.h"

namespace testsupport {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ledwall-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

ExecutableDirOverride::ExecutableDirOverride(const std::filesystem::path &dir) {
  platform::SetExecutableDirForTests(dir.string());
}

ExecutableDirOverride::~ExecutableDirOverride() { platform::SetExecutableDirForTests(""); }

}  // namespace testsupport
