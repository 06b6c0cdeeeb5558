#include "controller_editor/model/logic_words.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cp936.h"

namespace {

using selkan::LogicWords;
using selkan::MakeEntry;
using selkan::Project;

// Controllers with outputs numbered 0..9 each, in list order: controller c's
// output n sits at position 10 * c + n.
Project twoControllerProject(int controllers = 1) {
  Project p;
  for (int c = 0; c < controllers; ++c) {
    p.PLCCtrl.Add(selkan::TPLCParm{});
    for (int n = 0; n < 10; ++n) {
      selkan::TOutputParm out;
      out.Output = n;
      p.OutputCtrl.Add(out, c);
    }
  }
  return p;
}

// A device of ctrl with ID id and entries (output position, delay).
int addDevice(Project &p, const char *name, int ctrl, int id,
              std::initializer_list<std::pair<uint16_t, uint16_t>> entries) {
  p.DeviceCtrl.Add(name, ctrl, id);
  const int row = p.DeviceCtrl.Count() - 1;
  for (const auto &[pos, delay] : entries) p.DeviceCtrl.AddEntry(row, MakeEntry(pos, delay));
  return row;
}

LogicWords padded(std::initializer_list<uint16_t> head) {
  LogicWords w;
  w.fill(0xFFFF);
  std::copy(head.begin(), head.end(), w.begin());
  return w;
}

LogicWords buildOk(const Project &p, int ctrl) {
  auto r = selkan::BuildLogicWords(p, ctrl);
  EXPECT_TRUE(r.ok()) << (r.ok() ? "" : r.error().message);
  return r.ok() ? r.value() : LogicWords{};
}

TEST(LogicWords, PacksIdOutputAndDelayInListOrder) {
  Project p = twoControllerProject();
  addDevice(p, "A", 0, 0, {{0, 10}, {3, 25}});
  addDevice(p, "B", 0, 1, {{1, 0}});
  EXPECT_EQ(buildOk(p, 0), padded({0x000A, 0x0319, 0x1100}));

  // The device field is the device's ID, so moving B first changes only the order.
  p.DeviceCtrl.MoveUp(1);
  EXPECT_EQ(buildOk(p, 0), padded({0x1100, 0x000A, 0x0319}));
}

TEST(LogicWords, DeviceFieldIsIdNotListPosition) {
  Project p = twoControllerProject(2);
  addDevice(p, "X", 0, 0, {{2, 1}});
  addDevice(p, "C0", 1, 0, {{10, 5}});
  addDevice(p, "C1", 1, 1, {{14, 6}});
  EXPECT_EQ(buildOk(p, 1), padded({0x0005, 0x1406}));
  EXPECT_EQ(buildOk(p, 0), padded({0x0201}));

  Project gap = twoControllerProject();
  addDevice(gap, "A", 0, 0, {{0, 1}});
  addDevice(gap, "B", 0, 2, {{1, 2}});
  EXPECT_EQ(buildOk(gap, 0), padded({0x0001, 0x2102}));
}

TEST(LogicWords, EmptyListAndDevicesWithoutEntries) {
  Project p = twoControllerProject();
  EXPECT_EQ(buildOk(p, 0), padded({}));
  // A device with no entries is never sent, so its ID does not matter.
  addDevice(p, "idle", 0, 40, {});
  EXPECT_EQ(buildOk(p, 0), padded({}));
}

TEST(LogicWords, TenEntriesFillEveryPlace) {
  Project p = twoControllerProject();
  addDevice(p, "A", 0, 15, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}});
  addDevice(p, "B", 0, 3, {{5, 255}, {6, 6}, {7, 7}, {8, 8}, {9, 9}});
  EXPECT_EQ(buildOk(p, 0), (LogicWords{0xF000, 0xF101, 0xF202, 0xF303, 0xF404,
                                       0x35FF, 0x3606, 0x3707, 0x3808, 0x3909}));
}

struct RefusalCase {
  const char *what;
  void (*setup)(Project &);
  std::string expected;
};

TEST(LogicWords, RefusesWhatTheWordsCannotCarry) {
  const RefusalCase cases[] = {
      {"eleven entries",
       [](Project &p) {
         addDevice(p, "A", 0, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}});
         addDevice(p, "B", 0, 1, {{6, 0}, {7, 0}, {8, 0}, {9, 0}, {0, 0}});
       },
       "逻辑列表超过10项，无法下载。"},
      {"ID 16",
       [](Project &p) { addDevice(p, cp936::FromUtf8("风机").c_str(), 0, 16, {{0, 0}}); },
       "设备“风机”的编号16超出0..15，无法下载。"},
      {"negative ID",
       [](Project &p) { addDevice(p, "A", 0, -1, {{0, 0}}); },
       "设备“A”的编号-1超出0..15，无法下载。"},
      {"delay 300",
       [](Project &p) { addDevice(p, "A", 0, 0, {{0, 300}}); },
       "设备“A”的延迟时间300超出0..255，无法下载。"},
      {"missing output",
       [](Project &p) { addDevice(p, "A", 0, 0, {{1, 0}, {99, 0}}); },
       "设备“A”引用了无效的输出口，无法下载。"},
      {"output of another controller",
       [](Project &p) {
         p.PLCCtrl.Add(selkan::TPLCParm{});
         p.OutputCtrl.Add(selkan::TOutputParm{}, 1);
         addDevice(p, "A", 0, 0, {{10, 0}});
       },
       "设备“A”引用了无效的输出口，无法下载。"},
      {"output number 12",
       [](Project &p) {
         p.OutputCtrl.SetOutput(4, 12);
         addDevice(p, "A", 0, 0, {{4, 0}});
       },
       "设备“A”引用了无效的输出口，无法下载。"},
  };
  for (const RefusalCase &c : cases) {
    Project p = twoControllerProject();
    c.setup(p);
    const auto r = selkan::BuildLogicWords(p, 0);
    ASSERT_FALSE(r.ok()) << c.what;
    EXPECT_EQ(r.error().message, c.expected) << c.what;
  }
}

TEST(LogicWords, RefusesAMissingController) {
  const Project p = twoControllerProject();
  EXPECT_FALSE(selkan::BuildLogicWords(p, 1).ok());
  EXPECT_FALSE(selkan::BuildLogicWords(p, -1).ok());
}

}  // namespace
