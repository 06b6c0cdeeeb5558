#pragma once
// A fresh directory under the system temporary directory, removed with
// everything in it when the object goes.
#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;

  const std::filesystem::path &path() const { return path_; }
  std::string str() const { return path_.string(); }
  // Path of an entry inside the directory.
  std::filesystem::path operator/(const std::string &name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Points platform::ExecutableDir() at a directory for the object's life.
class ExecutableDirOverride {
 public:
  explicit ExecutableDirOverride(const std::filesystem::path &dir);
  ~ExecutableDirOverride();
  ExecutableDirOverride(const ExecutableDirOverride &) = delete;
  ExecutableDirOverride &operator=(const ExecutableDirOverride &) = delete;
};

}  // namespace testsupport
