#include "tests/support/com_link.h"

#include <string>
#include <system_error>

namespace testsupport {

ComLink::ComLink(const std::filesystem::path &dir, int n, const std::filesystem::path &target)
    : path_(dir / ("COM" + std::to_string(n))) {
  std::filesystem::create_symlink(target, path_);
}

ComLink::~ComLink() {
  std::error_code ec;
  std::filesystem::remove(path_, ec);
}

}  // namespace testsupport
