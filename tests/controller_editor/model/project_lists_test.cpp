// The raw lists, the status region and the hexadecimal helpers.
#include <gtest/gtest.h>

#include <cstring>

#include "controller_editor/model/hex_pair.h"
#include "controller_editor/model/project.h"
#include "controller_editor/model/project_file.h"
#include "controller_editor/model/status_region.h"
#include "tests/controller_editor/model/test_projects.h"

using namespace selkan;

namespace {

TOutputParm output(int32_t number) {
  TOutputParm o;
  o.Name = OutputDefaultName(number);
  o.Output = number;
  return o;
}

std::vector<int32_t> indexes(const TOutputCtrl &outputs) {
  std::vector<int32_t> v;
  for (const TOutputParm &o : outputs.Items()) v.push_back(o.Index);
  return v;
}

std::vector<std::string> names(const TDeviceCtrl &devices) {
  std::vector<std::string> v;
  for (const TDeviceParm &d : devices.Items()) v.push_back(d.Name);
  return v;
}

}  // namespace

TEST(HexPairTest, ConvertsBothWays) {
  struct Case {
    const char *text;
    uint8_t value;
  } cases[] = {{"3f", 63}, {"3F", 63}, {"zz", 0}, {"3", 0x30}, {"", 0}, {"a", 0xA0}, {"1g", 0x10}, {"FF00", 255}};
  for (const Case &c : cases) EXPECT_EQ(HexPairToByte(c.text), c.value) << c.text;
  EXPECT_EQ(ByteToHexPair(63), "3F");
  EXPECT_EQ(ByteToHexPair(10), "0A");
  EXPECT_EQ(ByteToHexPair(255), "FF");
  EXPECT_EQ(ByteToHexPair(0), "00");
}

TEST(OutputListTest, IndexFollowsPositionAndKeysMatchExactly) {
  TOutputCtrl outputs;
  for (int32_t n = 0; n < 3; ++n) outputs.Add(output(n), 7);
  EXPECT_EQ(outputs[2].PLC_ID, 7);
  outputs.Delete(0);
  EXPECT_EQ(indexes(outputs), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(outputs[0].Name, "02");

  const TOutputCtrl before = outputs;
  outputs.DeleteByKey(7, 0);  // number 0 is gone already
  outputs.DeleteByKey(6, 1);  // another controller
  outputs.Delete(2);
  outputs.Delete(-1);
  EXPECT_EQ(outputs, before);

  outputs.DeleteByKey(7, 1);
  EXPECT_EQ(outputs.Count(), 1);
  EXPECT_EQ(outputs[0].Output, 2);
  EXPECT_EQ(outputs[0].Index, 0);

  outputs.SetOutput(0, 0x12345);  // kept as an unsigned 16-bit value
  EXPECT_EQ(outputs[0].Output, 0x2345);
  outputs.SetOutput(0, -1);
  EXPECT_EQ(outputs[0].Output, 0xFFFF);
}

TEST(DeviceListTest, MovesSwapsAndIgnoredIndexes) {
  TDeviceCtrl devices;
  EXPECT_EQ(devices.NameCounter(), 1);
  for (int32_t i = 0; i < 4; ++i) devices.Add(std::string(1, static_cast<char>('A' + i)), 0, i);
  EXPECT_EQ(devices.NameCounter(), 5);

  const TDeviceCtrl before = devices;
  devices.MoveUp(0);
  devices.MoveDown(3);
  devices.MoveUp(4);
  devices.MoveDown(-1);
  devices.Swap(0, 4);
  devices.SetName(9, "x");
  devices.AddEntry(-1, 1);
  devices.DeleteEntry(0, 0);
  devices.EntryUp(0, 0);
  EXPECT_EQ(devices, before);

  devices.MoveUp(1);
  EXPECT_EQ(names(devices), (std::vector<std::string>{"B", "A", "C", "D"}));
  devices.MoveDown(1);
  EXPECT_EQ(names(devices), (std::vector<std::string>{"B", "C", "A", "D"}));
  devices.Swap(0, 3);  // not neighbours
  EXPECT_EQ(names(devices), (std::vector<std::string>{"D", "C", "A", "B"}));

  for (uint16_t k = 0; k < 3; ++k) devices.AddEntry(0, MakeEntry(k, 10));
  devices.EntryUp(0, 2);
  devices.EntryDown(0, 2);  // last entry: nothing
  EXPECT_EQ(devices[0].Entries, (std::vector<uint32_t>{MakeEntry(0, 10), MakeEntry(2, 10), MakeEntry(1, 10)}));
  devices.SetEntryDelay(0, 1, 300 + 0x10000);
  EXPECT_EQ(devices[0].Entries[1], MakeEntry(2, 300));
  devices.DeleteEntry(0, 0);
  EXPECT_EQ(devices[0].EntryCount(), 2);

  devices.Delete(0);
  EXPECT_EQ(names(devices), (std::vector<std::string>{"C", "A", "B"}));
  EXPECT_EQ(devices.NameCounter(), 5);  // never goes down
}

TEST(ListsTest, NamesAreCutOnACharacterBoundary) {
  // 32,767 two-byte characters and one more: the cut falls inside it.
  std::string longName;
  for (int i = 0; i < 32768; ++i) longName += "\xC9\xE8";
  longName = "a" + longName;  // 65,537 bytes, pairs start at odd offsets
  TPLCCtrl plcs;
  TPLCParm c;
  c.Name = longName;
  plcs.Add(c);
  EXPECT_EQ(plcs[0].Name.size(), 65535u);
  EXPECT_EQ(plcs[0].Name, longName.substr(0, 65535));
  plcs.SetName(0, "\xC9\xE8" + longName.substr(1));
  EXPECT_EQ(plcs[0].Name.size(), 65534u);  // the pair across the limit goes whole

  TDeviceCtrl devices;
  devices.Add(longName, 0, 0);
  EXPECT_EQ(devices[0].Name.size(), 65535u);
}

TEST(ListsTest, NextDeviceNameCountsLoadedDevices) {
  Project p;
  for (int i = 0; i < 3; ++i) p.DeviceCtrl.Add("x", 0, i);
  auto loaded = ReadProject(WriteProject(p));
  ASSERT_TRUE(loaded.ok());
  EXPECT_EQ(loaded.value().DeviceCtrl.NameCounter(), 4);
  EXPECT_EQ(DeviceDefaultName(loaded.value().DeviceCtrl.NameCounter()), "\xC9\xE8\xB1\xB8" "4");  // 设备4
  EXPECT_EQ(OutputDefaultName(0), "01");
  EXPECT_EQ(OutputDefaultName(9), "10");
}

TEST(StatusRegionTest, LayoutAndFieldsWriteOnlyTheirOwnBytes) {
  StatusRegion region;
  ASSERT_EQ(region.Bytes().size(), 854024u);
  std::vector<uint8_t> junk(StatusRegion::kSize);
  for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<uint8_t>(i * 37 + 11);
  region.Assign(junk);

  // Block 3, item 5 starts at 8 + 3336 * 3 + 8 + 104 * 5.
  const size_t at = 8 + 3336 * 3 + 8 + 104 * 5;
  auto item = region.Item(3, 5);
  item.SetType(7);
  item.SetID(-2);
  item.SetPrecision(2);
  item.SetParm2(0.5);
  item.SetName("\xB7\xE7");
  std::vector<uint8_t> expected = junk;
  const uint8_t type[] = {7, 0, 0, 0}, id[] = {0xFE, 0xFF, 0xFF, 0xFF}, prec[] = {2, 0, 0, 0};
  const uint8_t half[] = {0, 0, 0, 0, 0, 0, 0xE0, 0x3F};
  std::memcpy(&expected[at], type, 4);
  std::memcpy(&expected[at + 68], id, 4);
  std::memcpy(&expected[at + 72], prec, 4);
  std::memcpy(&expected[at + 88], half, 8);
  std::memset(&expected[at + 4], 0, 64);
  expected[at + 4] = 0xB7;
  expected[at + 5] = 0xE7;
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), region.Bytes().begin()));
  EXPECT_EQ(item.stName(), "\xB7\xE7");
  EXPECT_EQ(item.stParm2(), 0.5);
  EXPECT_EQ(item.stID(), -2);

  // 63 bytes at most, never half a character: 31 pairs and "a" would be 63,
  // "a" then 32 pairs is cut before the pair that crosses the limit.
  std::string name = "a";
  for (int i = 0; i < 32; ++i) name += "\xB7\xE7";
  item.SetName(name);
  EXPECT_EQ(item.stName(), name.substr(0, 63));
  item.SetName("b" + name);
  EXPECT_EQ(item.stName(), ("b" + name).substr(0, 62));
  EXPECT_EQ(region.Bytes()[at + 4 + 62], 0);

  // Outside the region: reads zero, writes nothing.
  const std::vector<uint8_t> snapshot(region.Bytes().begin(), region.Bytes().end());
  for (auto [n, k] : {std::pair{256, 0}, {-1, 0}, {0, 32}, {0, -1}}) {
    auto none = region.Item(n, k);
    EXPECT_FALSE(none.valid());
    none.SetType(1);
    none.SetName("x");
    EXPECT_EQ(none.stType(), 0);
    EXPECT_EQ(none.stName(), "");
  }
  EXPECT_TRUE(std::equal(snapshot.begin(), snapshot.end(), region.Bytes().begin()));
}

TEST(StatusRegionTest, CountsAreClampedWhereUsedAndKeptAsStored) {
  StatusRegion region;
  std::vector<uint8_t> raw(region.Bytes().begin(), region.Bytes().end());
  raw[8] = 40;                                        // block 0: 40
  std::memset(&raw[8 + 3336], 0xFF, 4);                // block 1: -1
  region.Assign(raw);
  EXPECT_EQ(region.RawCount(0), 40);
  EXPECT_EQ(region.Count(0), 32);
  EXPECT_EQ(region.RawCount(1), -1);
  EXPECT_EQ(region.Count(1), 0);
  EXPECT_EQ(region.Count(256), 0);
  EXPECT_EQ(region.NextFreeSlot(0), -1);
  EXPECT_EQ(region.NextFreeSlot(1), 0);
  EXPECT_EQ(region.NextFreeSlot(256), -1);

  region.SetCount(2, 31);
  EXPECT_EQ(region.NextFreeSlot(2), 31);
  region.SetCount(2, 32);
  EXPECT_EQ(region.NextFreeSlot(2), -1);
  region.SetCount(2, 99);
  EXPECT_EQ(region.RawCount(2), 32);
  region.SetCount(2, -5);
  EXPECT_EQ(region.RawCount(2), 0);
}

TEST(StatusRegionTest, DeleteAndSwapItems) {
  StatusRegion region;
  for (int32_t k = 0; k < 4; ++k) region.Item(0, k).SetName(std::string(1, static_cast<char>('A' + k)));
  region.SetCount(0, 3);  // slot 3 ("D") is not in use
  auto slotNames = [&region] {
    std::string s;
    for (int32_t k = 0; k < 4; ++k) s += region.Item(0, k).stName();
    return s;
  };

  region.SwapItems(0, 0, 2);
  EXPECT_EQ(slotNames(), "CBAD");
  region.SwapItems(0, 0, 32);
  EXPECT_EQ(slotNames(), "CBAD");

  region.DeleteItem(0, 0);  // the later items move up; the old last slot keeps its bytes
  EXPECT_EQ(slotNames(), "BAAD");
  EXPECT_EQ(region.Count(0), 2);
  region.DeleteItem(0, 2);  // not in use: nothing
  EXPECT_EQ(slotNames(), "BAAD");
  EXPECT_EQ(region.Count(0), 2);
}

TEST(StatusRegionTest, RemoveBlockMovesLaterBlocksDown) {
  StatusRegion region;
  for (int32_t n = 0; n < StatusRegion::kBlocks; ++n) {
    region.SetCount(n, 1);
    region.Item(n, 0).SetID(n + 1000);
  }
  region.RemoveBlock(1);
  EXPECT_EQ(region.Item(0, 0).stID(), 1000);
  EXPECT_EQ(region.Item(1, 0).stID(), 1002);
  EXPECT_EQ(region.Item(254, 0).stID(), 1255);
  EXPECT_EQ(region.RawCount(255), 0);
  const auto bytes = region.Bytes();
  EXPECT_TRUE(std::all_of(bytes.end() - 3336, bytes.end(), [](uint8_t b) { return b == 0; }));

  const std::vector<uint8_t> snapshot(bytes.begin(), bytes.end());
  region.RemoveBlock(256);
  region.RemoveBlock(-1);
  EXPECT_TRUE(std::equal(snapshot.begin(), snapshot.end(), region.Bytes().begin()));
}

TEST(ReservedBlockTest, StartsAsZerosThenOnes) {
  ReservedBlock block;
  for (size_t i = 0; i < ReservedBlock::kSize; ++i) EXPECT_EQ(block.Bytes()[i], i < 264 ? 0 : 1) << i;
}
