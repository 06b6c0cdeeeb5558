// The .plc file: exact bytes, round trips, refusal of damaged files, the
// modified check and the open/save commands.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <thread>

#include "controller_editor/model/editor_globals.h"
#include "controller_editor/model/project_file.h"
#include "platform/byte_order.h"
#include "platform/file_io.h"
#include "tests/controller_editor/model/test_projects.h"
#include "tests/support/temp_dir.h"

using namespace selkan;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes &b : parts) out.insert(out.end(), b.begin(), b.end());
  return out;
}

Bytes defaultBlocks() {
  Bytes b(ReservedBlock::kSize + StatusRegion::kSize, 0);
  std::fill(b.begin() + 264, b.begin() + 280, uint8_t{1});
  return b;
}

const Bytes kZeroCount = {0, 0, 0, 0};
const Bytes kOneCount = {1, 0, 0, 0};

void writeFile(const std::filesystem::path &p, const Bytes &b) {
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char *>(b.data()), static_cast<std::streamsize>(b.size()));
}

Bytes readFile(const std::filesystem::path &p) {
  auto r = platform::ReadWholeFile(p.string(), 1 << 30);
  return r.ok() ? r.value() : Bytes{};
}

// The list section of a project's file (everything before the blocks).
Bytes listSection(const Project &p) {
  Bytes b = WriteProject(p);
  b.resize(b.size() - kBlocksSize);
  return b;
}

// Offset named by a refusal, checking that the message carries it.
size_t refusalOffset(const Bytes &file) {
  size_t offset = SIZE_MAX;
  auto r = ReadProject(file, "/x/a.plc", &offset);
  EXPECT_FALSE(r.ok());
  if (r.ok()) return SIZE_MAX;
  EXPECT_EQ(r.error().message,
            "\"/x/a.plc\" 不是有效的工程文件（第 " + std::to_string(offset) + " 字节处出错）。");
  return offset;
}

}  // namespace

TEST(ProjectFileTest, GoldenBytes) {
  const Bytes blocks = defaultBlocks();
  EXPECT_EQ(WriteProject(Project()), cat({kZeroCount, kZeroCount, kZeroCount, blocks}));
  EXPECT_EQ(WriteProject(Project()).size(), kEmptyProjectSize);

  const Bytes plc = {0x03, 0x00, 0x50, 0x4C, 0x43, 0x00, 0x05, 0x00, 0x00, 0x00};
  EXPECT_EQ(WriteProject(selkan_test::ControllerProject()), cat({kOneCount, plc, kZeroCount, kZeroCount, blocks}));

  const Bytes out = {0x02, 0x00, 0x30, 0x31, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(WriteProject(selkan_test::OutputProject()), cat({kOneCount, plc, kOneCount, out, kZeroCount, blocks}));

  const Bytes dev = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0xC9, 0xE8, 0xB1, 0xB8,
                     0x31, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x03, 0x00, 0x19, 0x00};
  EXPECT_EQ(WriteProject(selkan_test::DeviceProject()), cat({kZeroCount, kZeroCount, kOneCount, dev, blocks}));

  const Bytes item = WriteProject(selkan_test::ItemProject());
  ASSERT_EQ(item.size(), kEmptyProjectSize);
  EXPECT_EQ(Bytes(item.begin() + 300, item.begin() + 304), kOneCount);  // Count of block 0
  EXPECT_EQ(Bytes(item.begin() + 308, item.begin() + 312), (Bytes{3, 0, 0, 0}));
  EXPECT_TRUE(std::none_of(item.begin() + 312, item.begin() + 376, [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(Bytes(item.begin() + 388, item.begin() + 412),
            (Bytes{0, 0, 0, 0, 0, 0, 0x34, 0xC0, 0, 0, 0, 0, 0, 0xC0, 0x70, 0x40, 0, 0, 0, 0, 0, 0, 0x18, 0x40}));
  EXPECT_EQ(selkan_test::ItemProject().Status.Item(0, 0).stName().size(), 64u);
}

TEST(ProjectFileTest, GoldenFilesRoundTrip) {
  for (const auto &[name, project] : selkan_test::GoldenProjects()) {
    const Bytes file = WriteProject(project);
    auto loaded = ReadProject(file);
    ASSERT_TRUE(loaded.ok()) << name;
    EXPECT_EQ(loaded.value(), project) << name;
    EXPECT_EQ(WriteProject(loaded.value()), file) << name;
  }
}

TEST(ProjectFileTest, ForeignFileWithJunkInReservedPlacesRoundTrips) {
  Project p = selkan_test::OutputProject();
  for (int i = 0; i < 3; ++i) p.DeviceCtrl.Add("d", 0, i);
  Bytes file = WriteProject(p);
  // Junk after Addr (offset 4 + 6 + 1), in the reserved block, the region's
  // header, a block's reserved word, an item's reserved word and unused slots.
  file[11] = 0xAB;
  file[12] = 0xCD;
  file[13] = 0xEF;
  std::mt19937 rng(7);
  const size_t blocks = file.size() - kBlocksSize;
  for (size_t i = blocks; i < file.size(); ++i) file[i] = static_cast<uint8_t>(rng());
  for (int32_t n = 0; n < 256; ++n) std::memset(&file[blocks + 280 + 8 + 3336 * n], n % 33, 4);  // sane counts
  auto loaded = ReadProject(file);
  ASSERT_TRUE(loaded.ok());
  EXPECT_EQ(WriteProject(loaded.value()), file);
  EXPECT_EQ(loaded.value().PLCCtrl[0].Reserved, (std::array<uint8_t, 3>{0xAB, 0xCD, 0xEF}));
  EXPECT_EQ(loaded.value().DeviceCtrl.NameCounter(), 4);  // D + 1
}

TEST(ProjectFileTest, IndexIsThePositionWhateverTheFileSays) {
  Project p = selkan_test::OutputProject();
  for (int i = 0; i < 3; ++i) AddOutput(p, 0);
  RemoveOutput(p, 1);
  auto loaded = ReadProject(WriteProject(p));
  ASSERT_TRUE(loaded.ok());
  for (int32_t q = 0; q < loaded.value().OutputCtrl.Count(); ++q) EXPECT_EQ(loaded.value().OutputCtrl[q].Index, q);
}

TEST(ProjectFileTest, NamesTheFileCannotHoldAreCutOnACharacterBoundary) {
  Project p;
  std::string longName = "a";
  for (int i = 0; i < 40000; ++i) longName += "\xB7\xE7";
  TPLCParm c;
  c.Name = longName;
  c.Addr = 9;
  p.PLCCtrl.Add(c);
  const Bytes file = WriteProject(p);
  EXPECT_EQ(file[4] | file[5] << 8, 65535);
  auto loaded = ReadProject(file);
  ASSERT_TRUE(loaded.ok());
  EXPECT_EQ(loaded.value().PLCCtrl[0].Name, longName.substr(0, 65535));
  EXPECT_EQ(loaded.value().PLCCtrl[0].Addr, 9);  // the rest of the file is read where it is
}

TEST(ProjectFileTest, NameTextEndsAtTheFirstZero) {
  // L = 3: "A\0B" reads as "A"; a missing terminator leaves all L bytes.
  Bytes lists = {1, 0, 0, 0, 3, 0, 'A', 0, 'B', 0, 5, 0, 0, 0, 1, 0, 0, 0, 2, 0, 'O', 'K', 'x', 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0, 0, 0, 0};
  auto loaded = ReadProject(cat({lists, defaultBlocks()}));
  ASSERT_TRUE(loaded.ok()) << loaded.error().message;
  EXPECT_EQ(loaded.value().PLCCtrl[0].Name, "A");
  EXPECT_EQ(loaded.value().OutputCtrl[0].Name, "OK");
  EXPECT_EQ(loaded.value().OutputCtrl[0].Output, 3);
}

TEST(ProjectFileTest, DamagedFilesAreRefusedWithTheOffset) {
  Project p = selkan_test::ExampleProject();
  AddOutput(p, 0);
  AddEntry(p, 0, 1);
  const Bytes lists = listSection(p);
  const Bytes blocks = defaultBlocks();

  // Every cut inside the list section.
  for (size_t n = 0; n < lists.size(); ++n) {
    const size_t offset = refusalOffset(Bytes(lists.begin(), lists.begin() + static_cast<std::ptrdiff_t>(n)));
    EXPECT_LE(offset, n) << n;
  }
  // Too little after the lists.
  for (size_t tail : {0u, 1u, 279u, 280u, 854303u}) {
    Bytes file = lists;
    file.insert(file.end(), blocks.begin(), blocks.begin() + static_cast<std::ptrdiff_t>(tail));
    EXPECT_EQ(refusalOffset(file), lists.size()) << tail;
  }
  // Trailing bytes are ignored.
  Bytes longer = cat({lists, blocks, Bytes(100, 0xEE)});
  auto ok = ReadProject(longer);
  ASSERT_TRUE(ok.ok());
  EXPECT_EQ(WriteProject(ok.value()), cat({lists, blocks}));
}

TEST(ProjectFileTest, ImpossibleCountsAndLengthsAreRefusedBeforeAllocating) {
  const Bytes blocks = defaultBlocks();
  struct Case {
    const char *what;
    Bytes lists;
    size_t offset;
  } cases[] = {
      {"controllers -1", {0xFF, 0xFF, 0xFF, 0xFF}, 0},
      {"controllers 0x7FFFFFFF", {0xFF, 0xFF, 0xFF, 0x7F}, 0},
      {"outputs -1", {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, 4},
      {"devices 0x7FFFFFFF", {0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}, 8},
      {"entries -1", {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, 23},
      {"entries 0x7FFFFFFF", {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}, 23},
      // Name length 0xFFFF with far fewer bytes behind it than that.
      {"name past the end", {1, 0, 0, 0, 0xFF, 0xFF, 'P', 0, 0, 0, 0, 0}, 4},
  };
  for (const Case &c : cases) {
    // Even with the blocks behind them, these counts cannot fit.
    EXPECT_EQ(refusalOffset(c.lists), c.offset) << c.what;
    if (std::string(c.what) != "name past the end") {
      EXPECT_EQ(refusalOffset(cat({c.lists, blocks})), c.offset) << c.what;
    }
  }
}

// A count the file has room for but the editor does not: refused with the
// list, the count and the limit; one fewer is read.
TEST(ProjectFileTest, CountsPastTheEditorsLimitsAreRefused) {
  const Bytes blocks = defaultBlocks();
  auto i32 = [](int32_t v) {
    Bytes b(4);
    platform::le::PutU32(b.data(), static_cast<uint32_t>(v));
    return b;
  };
  // n records of the least bytes each: empty names, zero fields.
  auto zeros = [](int32_t n, size_t each) { return Bytes(static_cast<size_t>(n) * each, 0); };
  // A device with no entries, then one with n entries.
  auto devicesWithEntries = [&](int32_t n) {
    return cat({i32(0), i32(0), i32(2), zeros(1, 15), zeros(1, 11), i32(n), zeros(n, 4)});
  };
  struct Case {
    const char *list;
    int32_t limit;
    std::function<Bytes(int32_t)> lists;
    size_t countOffset;
  } cases[] = {
      {"PLC单元", kMaxControllers, [&](int32_t n) { return cat({i32(n), zeros(n, 7), i32(0), i32(0)}); }, 0},
      {"输出", kMaxOutputs, [&](int32_t n) { return cat({i32(0), i32(n), zeros(n, 15), i32(0)}); }, 4},
      {"设备", kMaxDevices, [&](int32_t n) { return cat({i32(0), i32(0), i32(n), zeros(n, 15)}); }, 8},
      {"第 2 个设备的逻辑项", kMaxEntriesPerDevice, devicesWithEntries, 12 + 15 + 11},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.list);
    auto full = ReadProject(cat({c.lists(c.limit), blocks}));
    ASSERT_TRUE(full.ok()) << full.error().message;
    EXPECT_EQ(WriteProject(full.value()), cat({c.lists(c.limit), blocks}));

    size_t offset = SIZE_MAX;
    auto over = ReadProject(cat({c.lists(c.limit + 1), blocks}), "/x/a.plc", &offset);
    ASSERT_FALSE(over.ok());
    EXPECT_EQ(over.error().message, "\"/x/a.plc\" 不是有效的工程文件（" + std::string(c.list) + "数量 " +
                                        std::to_string(c.limit + 1) + " 超过上限 " + std::to_string(c.limit) + "）。");
    EXPECT_EQ(offset, c.countOffset);
  }
}

// A 64 MB file of empty controllers, each 7 bytes, as the count claims:
// refused at its count, so it is never read whole; the open project stays.
TEST(EditorGlobalsTest, MillionsOfControllersAreRefusedAndTheProjectStays) {
  testsupport::TempDir dir;
  EditorGlobals g;
  const std::string good = (dir / "good.plc").string();
  ASSERT_TRUE(SaveProjectFile(selkan_test::ExampleProject(), good).ok());
  ASSERT_TRUE(OpenProject(g, good).ok());

  const std::string crafted = (dir / "crafted.plc").string();
  const int32_t claimed = static_cast<int32_t>((kMaxProjectFileBytes - 12 - kBlocksSize) / 7);
  Bytes head(4);
  platform::le::PutU32(head.data(), static_cast<uint32_t>(claimed));
  writeFile(crafted, head);
  std::filesystem::resize_file(crafted, kMaxProjectFileBytes);  // zeros, without writing them

  const std::string refusal = "\"" + crafted + "\" 不是有效的工程文件（PLC单元数量 " + std::to_string(claimed) +
                              " 超过上限 256）。";
  auto loaded = LoadProjectFile(crafted);
  ASSERT_FALSE(loaded.ok());
  EXPECT_EQ(loaded.error().message, refusal);
  auto opened = OpenProject(g, crafted);
  ASSERT_FALSE(opened.ok());
  EXPECT_EQ(opened.error().message, refusal);
  EXPECT_EQ(g.CurrentFileName, good);
  EXPECT_EQ(g.project, selkan_test::ExampleProject());
}

// The fullest project the editor can make: no list can grow further, and it
// opens again as it was saved. Its file is read through more than one
// window, with a name larger than one.
TEST(EditorGlobalsTest, FullProjectRoundTrips) {
  Project full = selkan_test::FullProject();
  ASSERT_EQ(full.PLCCtrl.Count(), kMaxControllers);
  ASSERT_EQ(full.OutputCtrl.Count(), kMaxOutputs);
  ASSERT_EQ(full.DeviceCtrl.Count(), kMaxDevices);
  ASSERT_EQ(full.DeviceCtrl[0].EntryCount(), kMaxEntriesPerDevice);
  ASSERT_EQ(full.PLCCtrl[0].Name.size(), kMaxNameBytes);
  EXPECT_TRUE(FindReferenceProblems(full).empty());
  Project more = full;
  EXPECT_FALSE(AddController(more));
  EXPECT_EQ(AddOutput(more, 5), -1);
  EXPECT_EQ(AddDevice(more, 5), -1);
  EXPECT_EQ(more, full);

  testsupport::TempDir dir;
  EditorGlobals g;
  g.project = full;
  const std::string path = (dir / "full.plc").string();
  ASSERT_TRUE(SaveProjectAs(g, path).ok());
  g.project = Project();
  auto opened = OpenProject(g, path);
  ASSERT_TRUE(opened.ok()) << opened.error().message;
  EXPECT_EQ(g.project, full);
  EXPECT_EQ(g.project.DeviceCtrl.NameCounter(), kMaxDevices + 1);
  EXPECT_FALSE(IsProjectModified(g.project, path));
}

TEST(ProjectFileTest, ModifiedAnswers) {
  testsupport::TempDir dir;
  const std::string path = (dir / "a.plc").string();
  Project p = selkan_test::ExampleProject();
  EXPECT_TRUE(IsProjectModified(p, ""));
  ASSERT_TRUE(SaveProjectFile(p, path).ok());
  EXPECT_FALSE(IsProjectModified(p, path));

  Project changed = p;
  changed.Status.Item(0, 5).SetParm3(2.0);
  EXPECT_TRUE(IsProjectModified(changed, path));

  Bytes withJunk = cat({readFile(path), Bytes{0}});
  writeFile(path, withJunk);
  EXPECT_TRUE(IsProjectModified(p, path));

  std::filesystem::remove(path);
  EXPECT_TRUE(IsProjectModified(p, path));
  EXPECT_TRUE(IsProjectModified(p, dir.str()));  // a directory
}

TEST(ProjectFileTest, LoadingRefusesWhatIsNotARegularFileAtOnce) {
  testsupport::TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo.plc").c_str(), 0600), 0);
  for (const std::string &path : {dir.str(), (dir / "fifo.plc").string(), (dir / "none.plc").string()}) {
    auto r = LoadProjectFile(path);
    ASSERT_FALSE(r.ok()) << path;
    EXPECT_EQ(r.error().message.rfind("无法读取文件 \"" + path + "\"：", 0), 0u) << r.error().message;
  }
}

TEST(EditorGlobalsTest, FailedOpenLeavesProjectAndFileNameAlone) {
  testsupport::TempDir dir;
  EditorGlobals g;
  EXPECT_FALSE(g.LinkIsNetwork);
  EXPECT_EQ(g.LinkPort, 1);
  EXPECT_EQ(g.LinkIP, "192.168.0.2");
  EXPECT_EQ(g.LinkUdpPort, 6666);

  const std::string good = (dir / "good.plc").string();
  ASSERT_TRUE(SaveProjectFile(selkan_test::ExampleProject(), good).ok());
  ASSERT_TRUE(OpenProject(g, good).ok());
  EXPECT_EQ(g.CurrentFileName, good);
  EXPECT_EQ(g.project, selkan_test::ExampleProject());

  const Bytes truncated(100, 0);
  writeFile(dir / "bad.plc", cat({{0xFF, 0xFF, 0xFF, 0xFF}, truncated}));
  writeFile(dir / "short.plc", listSection(selkan_test::ExampleProject()));
  for (const std::string &bad : {(dir / "bad.plc").string(), (dir / "short.plc").string(), dir.str()}) {
    auto r = OpenProject(g, bad);
    ASSERT_FALSE(r.ok()) << bad;
    EXPECT_NE(r.error().message.find(bad), std::string::npos) << r.error().message;
    EXPECT_EQ(g.CurrentFileName, good);
    EXPECT_EQ(g.project, selkan_test::ExampleProject());
  }
  // So answering "save" to the close question writes the project back, not
  // an empty one over the user's file.
  ASSERT_TRUE(SaveProject(g).ok());
  EXPECT_EQ(readFile(good), WriteProject(selkan_test::ExampleProject()));
}

TEST(EditorGlobalsTest, SaveNeedsANameAndSaveAsTakesItOnSuccess) {
  testsupport::TempDir dir;
  EditorGlobals g;
  g.project = selkan_test::ExampleProject();
  EXPECT_FALSE(SaveProject(g).ok());

  std::ofstream(dir / "notadir") << "";
  const std::string bad = (dir / "notadir" / "x.plc").string();
  auto failed = SaveProjectAs(g, bad);
  ASSERT_FALSE(failed.ok());
  EXPECT_NE(failed.error().message.find(bad), std::string::npos);
  EXPECT_EQ(g.CurrentFileName, "");

  const std::string path = (dir / "p.plc").string();
  ASSERT_TRUE(SaveProjectAs(g, path).ok());
  EXPECT_EQ(g.CurrentFileName, path);
  EXPECT_FALSE(IsProjectModified(g.project, g.CurrentFileName));

  g.project.Reserved.Assign(std::array<uint8_t, 280>{9});
  NewProject(g);  // the lists start over; the blocks stay
  EXPECT_EQ(g.CurrentFileName, "");
  EXPECT_EQ(g.project.PLCCtrl.Count(), 0);
  EXPECT_EQ(g.project.DeviceCtrl.NameCounter(), 1);
  EXPECT_EQ(g.project.Reserved.Bytes()[0], 9);
}

// A writer killed at any moment leaves the old or the new file, never a mix.
TEST(ProjectFileTest, KilledSaveLeavesOneWholeProject) {
  testsupport::TempDir dir;
  const std::string path = (dir / "p.plc").string();
  Project a = selkan_test::ItemProject();
  Project b = selkan_test::ExampleProject();
  for (int32_t n = 0; n < 256; ++n) b.Status.Item(n, 31).SetParm1(n + 0.5);
  const Bytes fileA = WriteProject(a), fileB = WriteProject(b);
  ASSERT_NE(fileA, fileB);
  ASSERT_TRUE(SaveProjectFile(a, path).ok());

  std::mt19937 rng(4242);
  for (int round = 0; round < 20; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) {
        SaveProjectFile(b, path);
        SaveProjectFile(a, path);
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 40000)(rng)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const Bytes now = readFile(path);
    EXPECT_TRUE(now == fileA || now == fileB) << "round " << round << ": " << now.size() << " bytes";
  }
}

TEST(EditorGlobalsTest, StartUpTakesTheExecutableDirectory) {
  testsupport::TempDir dir;
  testsupport::ExecutableDirOverride exe(dir.path());
  EditorGlobals g;
  g.project = selkan_test::ItemProject();
  g.project.Reserved.Assign(std::array<uint8_t, 280>{7});
  g.CurrentFileName = "old.plc";
  g.LinkPort = 9;
  InitEditorGlobals(g);
  EXPECT_EQ(g.ExeDir, dir.str() + "/");
  EXPECT_EQ(g.CurrentFileName, "");
  EXPECT_EQ(g.project.Reserved, ReservedBlock());
  EXPECT_EQ(g.LinkPort, 1);
  EXPECT_EQ(&Global(), &Global());
}
