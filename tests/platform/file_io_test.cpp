#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using platform::FileReader;
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

// The reader in pieces opens only what ReadWholeFile reads, with its errors,
// and reads what is there, to the end of the file.
TEST(FileReaderTest, RefusesAsReadWholeFileAndReadsPiecesToTheEnd) {
  testsupport::TempDir dir;
  writeFile(dir / "a.bin", "abcdef");
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  const std::string file = (dir / "a.bin").string();
  struct Case {
    std::string path;
    size_t maxBytes;
  } refused[] = {{file, 5}, {dir.str(), 100}, {(dir / "fifo").string(), 100}, {"/dev/zero", 100},
                 {(dir / "none").string(), 100}};
  for (const Case &c : refused) {
    auto whole = ReadWholeFile(c.path, c.maxBytes);
    auto opened = FileReader::Open(c.path, c.maxBytes);
    ASSERT_FALSE(opened.ok()) << c.path;
    ASSERT_FALSE(whole.ok()) << c.path;
    EXPECT_EQ(opened.error().message, whole.error().message);
    EXPECT_EQ(opened.error().code, whole.error().code);
  }

  auto opened = FileReader::Open(file, 6);
  ASSERT_TRUE(opened.ok()) << opened.error().message;
  FileReader reader = std::move(opened).value();
  EXPECT_EQ(reader.size(), 6u);
  std::array<uint8_t, 4> buf{};
  struct Piece {
    uint64_t offset;
    size_t count;
    std::string bytes;
  } pieces[] = {{2, 4, "cdef"}, {4, 2, "ef"}, {0, 4, "abcd"}, {6, 0, ""}, {uint64_t{1} << 40, 0, ""}};
  for (const Piece &p : pieces) {
    auto got = reader.ReadAt(p.offset, buf);
    ASSERT_TRUE(got.ok()) << p.offset;
    ASSERT_EQ(got.value(), p.count) << p.offset;
    EXPECT_EQ(std::string(buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(p.count)), p.bytes);
  }
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

// A leftover of a killed write, made by the failure seam.
std::string LeaveTemporary(const fs::path &target) {
  const std::vector<std::string> before = entries(target.parent_path());
  platform::SetAtomicWriteFaultForTests(true);
  EXPECT_FALSE(WriteFileAtomically(target.string(), std::string_view("half")).ok());
  platform::SetAtomicWriteFaultForTests(false);
  for (const std::string &name : entries(target.parent_path()))
    if (std::find(before.begin(), before.end(), name) == before.end()) return name;
  ADD_FAILURE() << "no temporary file left";
  return {};
}

void MakeOld(const fs::path &p) {
  const timespec twoMinutesAgo{::time(nullptr) - 120, 0};
  const timespec times[2] = {twoMinutesAgo, twoMinutesAgo};
  ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), times, 0), 0) << p;
}

TEST(WriteFileAtomicallyTest, LaterWritesRemoveOldLeftoversOfTheSameFileOnly) {
  testsupport::TempDir dir;
  const fs::path user = dir / "User.ini";
  const fs::path other = dir / "User.ini.tmp-b";  // whose temporaries share the prefix
  writeFile(user, "old");
  const std::string killed = LeaveTemporary(user);
  const std::string otherKilled = LeaveTemporary(other);
  const std::string young = ".User.ini.tmp-young1";  // another writer still at work
  const std::string longer = ".User.ini.tmp-abcdefg";
  writeFile(dir / young, "in progress");
  writeFile(dir / longer, "not ours");
  for (const std::string &name : {killed, otherKilled, longer}) MakeOld(dir / name);

  ASSERT_TRUE(WriteFileAtomically(user.string(), std::string_view("new")).ok());
  EXPECT_EQ(readFile(user), "new");
  std::vector<std::string> expected = {"User.ini", young, longer, otherKilled};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(entries(dir.path()), expected);
  EXPECT_EQ(readFile(dir / young), "in progress");
}

TEST(WriteFileAtomicallyTest, UnsyncedWritesReplaceWholeWithoutSyncing) {
  testsupport::TempDir dir;
  const fs::path log = dir / "plc_udp.txt";
  writeFile(log, "an older and longer frame\r\n");
  const uint64_t before = platform::SyncCountForTests();
  ASSERT_TRUE(WriteFileAtomically(log.string(), std::string_view(":010300000040BC\r\n"),
                                  platform::Durability::Unsynced)
                  .ok());
  EXPECT_EQ(platform::SyncCountForTests(), before);
  EXPECT_EQ(readFile(log), ":010300000040BC\r\n");
  EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"plc_udp.txt"});

  // Files that hold data sync the file and its directory.
  ASSERT_TRUE(WriteFileAtomically((dir / "User.ini").string(), std::string_view("[Parms]\r\n")).ok());
  EXPECT_EQ(platform::SyncCountForTests(), before + 2);
}

// A file replaced again and again: its mode and place (through a link) are
// kept, old leftovers go once when the writer is made, and every replace
// leaves exactly the new text and no temporary file.
TEST(RepeatedFileWriterTest, ReplacesWholeKeepingModeAndLinkAndSweepsOnce) {
  testsupport::TempDir dir;
  const fs::path real = dir / "real_log.txt";
  const fs::path log = dir / "plc_udp.txt";
  writeFile(real, "an older and longer frame\r\n");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_write);
  fs::create_symlink("real_log.txt", log);
  const std::string killed = LeaveTemporary(real);
  MakeOld(dir / killed);

  platform::RepeatedFileWriter writer(log.string());
  EXPECT_FALSE(fs::exists(dir / killed));
  const uint64_t syncs = platform::SyncCountForTests();
  for (const char *frame : {":010300000040BC\r\n", ":011000B0000100013D\r\n", ":01\r\n"}) {
    ASSERT_TRUE(writer.replace(frame).ok());
    EXPECT_EQ(readFile(log), frame);
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"plc_udp.txt", "real_log.txt"}));
  }
  EXPECT_TRUE(fs::is_symlink(log));
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_write);
  EXPECT_EQ(platform::SyncCountForTests(), syncs);

  // A directory that refuses the file gives an error, not a crash.
  platform::RepeatedFileWriter nowhere((dir / "missing" / "plc_udp.txt").string());
  EXPECT_FALSE(nowhere.replace("x").ok());
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
  platform::SetAtomicWriteFaultForTests(true);
  auto r = WriteFileAtomically(target.string(), std::string_view("new"));
  platform::SetAtomicWriteFaultForTests(false);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().message.rfind("无法写入文件 \"" + target.string() + "\"：", 0), 0u);
  EXPECT_EQ(readFile(target), "old");
  // The temporary file stays, as after a writer killed before the rename.
  const std::vector<std::string> names = entries(dir.path());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0].rfind(".user.ini.tmp-", 0), 0u) << names[0];
  EXPECT_EQ(names[0].size(), std::string(".user.ini.tmp-XXXXXX").size());
  EXPECT_EQ(readFile(dir / names[0]), "new");

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
