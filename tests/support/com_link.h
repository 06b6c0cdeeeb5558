#pragma once
// A "COMn" symlink in a directory (usually the test's executable directory),
// pointing at a device such as a pty slave; removed when the object goes.
#include <filesystem>

namespace testsupport {

class ComLink {
 public:
  // Throws std::filesystem::filesystem_error when the link cannot be made.
  ComLink(const std::filesystem::path &dir, int n, const std::filesystem::path &target);
  ~ComLink();
  ComLink(const ComLink &) = delete;
  ComLink &operator=(const ComLink &) = delete;

  const std::filesystem::path &path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace testsupport
