#include "file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "temp_dir.h"

namespace fs = std::filesystem;
using platform::FindFileIgnoreCase;
using platform::ReadWholeFile;
using platform::ResolveConfigFile;
using platform::WriteFileAtomically;

namespace {

void writeFile(const fs::path &p, const std::string &text) {
  std::ofstream(p, std::ios::binary) << text;
}

std::string readFile(const fs::path &p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> entries(const fs::path &dir) {
  std::vector<std::string> names;
  for (const auto &e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(ReadWholeFileTest, ReadsRegularFileAndRefusesOthersBeforeReading) {
  testsupport::TempDir dir;
  writeFile(dir / "a.bin", std::string("x\0y", 3));
  auto ok = ReadWholeFile((dir / "a.bin").string(), 100);
  ASSERT_TRUE(ok.ok());
  EXPECT_EQ(ok.value(), (std::vector<uint8_t>{'x', 0, 'y'}));

  auto big = ReadWholeFile((dir / "a.bin").string(), 2);
  ASSERT_FALSE(big.ok());
  EXPECT_NE(big.error().message.find("a.bin"), std::string::npos);

  // A directory, a FIFO with no writer and an endless device are refused at
  // once instead of hanging or filling memory.
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  for (const std::string &p : {dir.str(), (dir / "fifo").string(), std::string("/dev/zero")}) {
    auto r = ReadWholeFile(p, 1 << 20);
    ASSERT_FALSE(r.ok()) << p;
    EXPECT_EQ(r.error().message.rfind("无法读取文件 \"" + p + "\"：", 0), 0u) << r.error().message;
  }
  auto missing = ReadWholeFile((dir / "none").string(), 10);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error().code, ENOENT);
}

TEST(WriteFileAtomicallyTest, KeepsModeAndLeavesNoTemporaryFile) {
  testsupport::TempDir dir;
  fs::path target = dir / "p.plc";
  writeFile(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileAtomically(target.string(), std::string_view("new contents")).ok());
  EXPECT_EQ(readFile(target), "new contents");
  struct stat st;
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"p.plc"});
}

TEST(WriteFileAtomicallyTest, NewFileGetsUmaskedMode) {
  testsupport::TempDir dir;
  mode_t old = ::umask(027);
  auto r = WriteFileAtomically((dir / "n.ini").string(), std::string_view("x"));
  ::umask(old);
  ASSERT_TRUE(r.ok());
  struct stat st;
  ASSERT_EQ(::stat((dir / "n.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(WriteFileAtomicallyTest, FailureLeavesOldFileIntact) {
  testsupport::TempDir dir;
  fs::path target = dir / "user.ini";
  writeFile(target, "old");
  platform::SetAtomicWriteFaultForTesting(true);
  auto r = WriteFileAtomically(target.string(), std::string_view("new"));
  platform::SetAtomicWriteFaultForTesting(false);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().message.rfind("无法写入文件 \"" + target.string() + "\"：", 0), 0u);
  EXPECT_EQ(readFile(target), "old");
  EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"user.ini"});

  // A regular file where the directory should be: the error names the path.
  writeFile(dir / "notadir", "");
  std::string bad = (dir / "notadir" / "x.ini").string();
  auto r2 = WriteFileAtomically(bad, std::string_view("x"));
  ASSERT_FALSE(r2.ok());
  EXPECT_NE(r2.error().message.find(bad), std::string::npos);
}

TEST(WriteFileAtomicallyTest, WritesThroughSymbolicLink) {
  testsupport::TempDir dir;
  fs::create_directory(dir / "real");
  writeFile(dir / "real" / "t.ini", "old");
  fs::create_symlink("real/t.ini", dir / "link.ini");
  ASSERT_TRUE(WriteFileAtomically((dir / "link.ini").string(), std::string_view("new")).ok());
  EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
  EXPECT_EQ(readFile(dir / "real" / "t.ini"), "new");
}

TEST(FindFileIgnoreCaseTest, ExactNameThenCaseInsensitiveRegularFiles) {
  testsupport::TempDir dir;
  EXPECT_FALSE(FindFileIgnoreCase(dir.str(), "user.ini"));
  EXPECT_EQ(ResolveConfigFile(dir.str(), "user.ini"), (dir / "user.ini").string());

  writeFile(dir / "User.ini", "");
  EXPECT_EQ(FindFileIgnoreCase(dir.str(), "user.ini"), (dir / "User.ini").string());

  // Several candidates: the smallest name in byte order, every time.
  writeFile(dir / "USER.INI", "");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(FindFileIgnoreCase(dir.str() + "/", "user.ini"), (dir / "USER.INI").string());

  // The exact name wins; a directory of that name does not count.
  writeFile(dir / "user.ini", "");
  EXPECT_EQ(FindFileIgnoreCase(dir.str(), "user.ini"), (dir / "user.ini").string());

  testsupport::TempDir other;
  fs::create_directory(other / "user.ini");
  EXPECT_FALSE(FindFileIgnoreCase(other.str(), "USER.INI"));
  writeFile(other / "target", "");
  fs::create_symlink("target", other / "User.Ini");
  EXPECT_EQ(FindFileIgnoreCase(other.str(), "USER.INI"), (other / "User.Ini").string());
}

TEST(FindFileIgnoreCaseTest, TwoByteCharactersMustMatchExactly) {
  testsupport::TempDir dir;
  writeFile(dir / "\xB7\x41.ini", "");
  EXPECT_FALSE(FindFileIgnoreCase(dir.str(), "\xB7\x61.ini"));
  EXPECT_TRUE(FindFileIgnoreCase(dir.str(), "\xB7\x41.INI"));
}
