// Removals and assignments keep every remaining reference on the same
// controller, output and device.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <tuple>

#include "controller_editor/model/project.h"
#include "platform/number_text.h"

using namespace selkan;

namespace {

// A project with controllers "C0".."C<n-1>", each with outputs 0..outputs-1;
// status block n holds one item named after its controller.
Project makeProject(int32_t controllers, int32_t outputs) {
  Project p;
  for (int32_t n = 0; n < controllers; ++n) {
    EXPECT_TRUE(AddController(p));
    p.PLCCtrl.SetName(n, "C" + platform::FormatInteger(n));
    for (int32_t k = 0; k < outputs; ++k) AddOutput(p, n);
    p.Status.Item(n, 0).SetName(p.PLCCtrl[n].Name);
    p.Status.SetCount(n, 1);
  }
  return p;
}

// (controller name, Output, delay) of every entry of device i.
using EntryRef = std::tuple<std::string, int32_t, int32_t>;
std::vector<EntryRef> entryRefs(const Project &p, int32_t i) {
  std::vector<EntryRef> refs;
  for (uint32_t e : p.DeviceCtrl[i].Entries) {
    const TOutputParm &o = p.OutputCtrl[EntryOutput(e)];
    refs.emplace_back(p.PLCCtrl[o.PLC_ID].Name, o.Output, EntryDelay(e));
  }
  return refs;
}

int32_t addDeviceWith(Project &p, int32_t ctrl, std::initializer_list<std::pair<int32_t, int32_t>> outputsAndDelays) {
  const int32_t dev = AddDevice(p, ctrl);
  for (auto [pos, delay] : outputsAndDelays) {
    EXPECT_TRUE(AddEntry(p, dev, pos));
    p.DeviceCtrl.SetEntryDelay(dev, p.DeviceCtrl[dev].EntryCount() - 1, delay);
  }
  return dev;
}

}  // namespace

TEST(ReferencesTest, RemovingAnOutputKeepsEntriesOnTheirOutputs) {
  Project p = makeProject(1, 5);
  const int32_t a = addDeviceWith(p, 0, {{1, 11}, {2, 12}});
  const int32_t b = addDeviceWith(p, 0, {{3, 13}, {0, 14}});
  RemoveOutput(p, 2);
  EXPECT_EQ(entryRefs(p, a), (std::vector<EntryRef>{{"C0", 1, 11}}));
  EXPECT_EQ(entryRefs(p, b), (std::vector<EntryRef>{{"C0", 3, 13}, {"C0", 0, 14}}));
  EXPECT_EQ(p.DeviceCtrl[b].Entries[0], MakeEntry(2, 13));
  EXPECT_EQ(p.OutputCtrl.Count(), 4);
  EXPECT_EQ(p.OutputCtrl[3].Index, 3);
  EXPECT_TRUE(FindReferenceProblems(p).empty());

  const Project before = p;
  RemoveOutputByKey(p, 0, 2);  // no output 2 left
  RemoveOutputByKey(p, 1, 0);  // no controller 1
  RemoveOutput(p, 4);
  EXPECT_EQ(p, before);
  RemoveOutputByKey(p, 0, 3);
  EXPECT_EQ(entryRefs(p, b), (std::vector<EntryRef>{{"C0", 0, 14}}));
}

TEST(ReferencesTest, RemovingTheMiddleControllerTakesItsRecordsAndBlock) {
  Project p = makeProject(3, 3);
  addDeviceWith(p, 0, {{0, 10}});
  addDeviceWith(p, 1, {{4, 10}, {3, 10}});
  addDeviceWith(p, 2, {{8, 20}, {6, 21}});
  p.Status.SetCount(255, 3);

  RemoveController(p, 1);
  EXPECT_EQ(p.PLCCtrl.Count(), 2);
  EXPECT_EQ(p.PLCCtrl[1].Name, "C2");
  EXPECT_EQ(p.OutputCtrl.Count(), 6);
  for (int32_t q = 3; q < 6; ++q) EXPECT_EQ(p.OutputCtrl[q].PLC_ID, 1) << q;
  ASSERT_EQ(p.DeviceCtrl.Count(), 2);
  EXPECT_EQ(p.DeviceCtrl[1].PLC_ID, 1);
  EXPECT_EQ(entryRefs(p, 1), (std::vector<EntryRef>{{"C2", 2, 20}, {"C2", 0, 21}}));
  EXPECT_EQ(entryRefs(p, 0), (std::vector<EntryRef>{{"C0", 0, 10}}));
  // Block 2 is now block 1; block 255 is zeroed.
  EXPECT_EQ(p.Status.Item(1, 0).stName(), "C2");
  EXPECT_EQ(p.Status.Item(0, 0).stName(), "C0");
  EXPECT_EQ(p.Status.RawCount(254), 3);
  EXPECT_EQ(p.Status.RawCount(255), 0);
  EXPECT_TRUE(FindReferenceProblems(p).empty());

  RemoveController(p, 1);  // now the last one
  EXPECT_EQ(p.PLCCtrl.Count(), 1);
  EXPECT_EQ(p.OutputCtrl.Count(), 3);
  EXPECT_EQ(p.DeviceCtrl.Count(), 1);
  EXPECT_EQ(p.Status.RawCount(1), 0);
  EXPECT_EQ(p.Status.Item(0, 0).stName(), "C0");
  EXPECT_TRUE(FindReferenceProblems(p).empty());

  const Project before = p;
  RemoveController(p, 1);
  RemoveController(p, -1);
  EXPECT_EQ(p, before);
}

TEST(ReferencesTest, ControllersPastTheLastBlockHaveNoBlock) {
  Project p;
  for (int32_t n = 0; n < 258; ++n) {
    TPLCParm c;
    c.Name = "C" + platform::FormatInteger(n);
    p.PLCCtrl.Add(c);  // the file may hold more than the editor adds
  }
  for (int32_t n = 0; n < 256; ++n) p.Status.SetCount(n, n % 33);
  const std::vector<uint8_t> region(p.Status.Bytes().begin(), p.Status.Bytes().end());
  RemoveController(p, 257);
  EXPECT_TRUE(std::equal(region.begin(), region.end(), p.Status.Bytes().begin()));
  RemoveController(p, 0);
  EXPECT_EQ(p.Status.RawCount(0), 1);
  EXPECT_EQ(p.Status.RawCount(255), 0);
  EXPECT_EQ(p.PLCCtrl[255].Name, "C256");
}

TEST(ReferencesTest, RemovingDevicesAndEntriesFreesTheirOutputs) {
  Project p = makeProject(2, 4);
  const int32_t a = addDeviceWith(p, 0, {{0, 10}, {1, 10}});
  addDeviceWith(p, 0, {{2, 10}});
  EXPECT_EQ(p.OutputCtrl[0].LC_ID, p.DeviceCtrl[a].ID);
  EXPECT_TRUE(IsOutputAssigned(p, 1));

  RemoveEntry(p, a, 1);
  EXPECT_EQ(p.OutputCtrl[1].LC_ID, -1);
  EXPECT_FALSE(IsOutputAssigned(p, 1));

  // An output still marked with the device's ID but in no entry (as older
  // files have them) is freed with the device.
  p.OutputCtrl.SetLcId(3, p.DeviceCtrl[a].ID);
  RemoveDevice(p, a);
  EXPECT_EQ(p.OutputCtrl[0].LC_ID, -1);
  EXPECT_EQ(p.OutputCtrl[3].LC_ID, -1);
  EXPECT_EQ(p.OutputCtrl[2].LC_ID, p.DeviceCtrl[0].ID);  // the other device keeps its output
  EXPECT_TRUE(AddEntry(p, 0, 0));
  EXPECT_TRUE(FindReferenceProblems(p).empty());

  // Two devices sharing an ID (a broken file): the marks stay for the other.
  Project q = makeProject(1, 2);
  q.DeviceCtrl.Add("x", 0, 5);
  q.DeviceCtrl.Add("y", 0, 5);
  q.OutputCtrl.SetLcId(1, 5);
  RemoveDevice(q, 0);
  EXPECT_EQ(q.OutputCtrl[1].LC_ID, 5);
}

TEST(ReferencesTest, AddEntryRefusesMissingAssignedAndForeignOutputs) {
  Project p = makeProject(2, 2);  // outputs 0, 1 of C0; 2, 3 of C1
  const int32_t a = AddDevice(p, 0);
  const int32_t b = AddDevice(p, 0);
  EXPECT_TRUE(AddEntry(p, a, 0));
  EXPECT_EQ(p.DeviceCtrl[a].Entries, std::vector<uint32_t>{MakeEntry(0, 10)});
  const Project before = p;
  EXPECT_FALSE(AddEntry(p, b, 0));   // already in a's list
  EXPECT_FALSE(AddEntry(p, b, 2));   // output of C1
  EXPECT_FALSE(AddEntry(p, b, 4));   // no such output
  EXPECT_FALSE(AddEntry(p, b, -1));
  EXPECT_FALSE(AddEntry(p, 7, 1));   // no such device
  EXPECT_EQ(p, before);
}

TEST(ReferencesTest, DeviceIdsAreNeverGivenTwice) {
  Project p = makeProject(2, 2);
  EXPECT_EQ(NextDeviceId(p, 0), 0);
  AddDevice(p, 0);
  AddDevice(p, 0);
  EXPECT_EQ(NextDeviceId(p, 0), 2);  // two devices: the next gets 2
  AddDevice(p, 0);
  EXPECT_EQ(p.DeviceCtrl[2].ID, 2);
  EXPECT_EQ(NextDeviceId(p, 1), 0);  // per controller

  RemoveDevice(p, 0);
  EXPECT_EQ(NextDeviceId(p, 0), 0);
  p.OutputCtrl.SetLcId(1, 0);  // a stale mark from a file still holds ID 0
  EXPECT_EQ(NextDeviceId(p, 0), 3);
  EXPECT_EQ(p.DeviceCtrl[AddDevice(p, 0)].ID, 3);
}

TEST(ReferencesTest, QueriesForTheWindows) {
  Project p = makeProject(2, 0);
  EXPECT_EQ(LowestFreeOutputNumber(p, 0), 0);
  for (int32_t n : {0, 1, 3}) {
    TOutputParm o;
    o.Output = n;
    o.Name = OutputDefaultName(n);
    p.OutputCtrl.Add(o, 0);
  }
  TOutputParm other;
  other.Output = 2;
  p.OutputCtrl.Add(other, 1);
  EXPECT_EQ(LowestFreeOutputNumber(p, 0), 2);
  const int32_t pos = AddOutput(p, 0);
  EXPECT_EQ(p.OutputCtrl[pos].Name, "03");
  EXPECT_EQ(OutputsOf(p, 0), (std::vector<int32_t>{0, 1, pos, 2}));
  EXPECT_TRUE(IsOutputNumberUsed(p, 0, 3));
  EXPECT_FALSE(IsOutputNumberUsed(p, 0, 3, 2));
  EXPECT_FALSE(IsOutputNumberUsed(p, 0, 4));
  while (AddOutput(p, 0) >= 0) {
  }
  EXPECT_EQ(OutputsOf(p, 0).size(), 10u);
  EXPECT_FALSE(LowestFreeOutputNumber(p, 0));
  EXPECT_EQ(AddOutput(p, 5), -1);

  AddDevice(p, 1);
  AddDevice(p, 0);
  AddDevice(p, 1);
  EXPECT_EQ(DevicesOf(p, 1), (std::vector<int32_t>{0, 2}));
}

TEST(ReferencesTest, ControllerLimitIsTheStatusRegion) {
  Project p;
  while (AddController(p)) {
  }
  EXPECT_EQ(p.PLCCtrl.Count(), 256);
  EXPECT_FALSE(CanAddController(p));
  RemoveController(p, 3);
  EXPECT_TRUE(CanAddController(p));
}

// The editor never makes a list longer than a project file may hold, also
// on a damaged project where the per-controller rules leave room.
TEST(ReferencesTest, NoAdditionGoesPastTheListLimits) {
  {
    Project p;
    AddController(p);
    TOutputParm o;
    for (int32_t q = 0; q < kMaxOutputs; ++q) p.OutputCtrl.Add(o, 99);  // of a missing controller
    EXPECT_EQ(AddOutput(p, 0), -1);
    RemoveOutput(p, 0);
    EXPECT_EQ(AddOutput(p, 0), kMaxOutputs - 1);
  }
  {
    Project p;
    AddController(p);
    while (AddDevice(p, 0) >= 0) {
    }
    EXPECT_EQ(p.DeviceCtrl.Count(), kMaxDevices);
    RemoveDevice(p, 7);
    EXPECT_EQ(AddDevice(p, 0), kMaxDevices - 1);
  }
  {
    // Eleven outputs on one controller, two of them numbered 0.
    Project p = makeProject(1, kOutputsPerController);
    TOutputParm o;
    p.OutputCtrl.Add(o, 0);
    const int32_t dev = AddDevice(p, 0);
    for (int32_t q = 0; q < p.OutputCtrl.Count(); ++q) EXPECT_EQ(AddEntry(p, dev, q), q < kMaxEntriesPerDevice) << q;
    EXPECT_EQ(p.DeviceCtrl[dev].EntryCount(), kMaxEntriesPerDevice);
  }
}

TEST(ReferencesTest, FindsBrokenReferences) {
  Project p = makeProject(1, 2);
  addDeviceWith(p, 0, {{0, 10}});
  ASSERT_TRUE(FindReferenceProblems(p).empty());

  struct Case {
    const char *what;
    std::function<void(Project &)> damage;
    size_t problems = 1;
  } cases[] = {
      // Its entry and its output's mark now point across controllers too.
      {"device PLC_ID", [](Project &q) { q.DeviceCtrl.SetPlcId(0, 1); }, 3},
      {"output PLC_ID", [](Project &q) { q.OutputCtrl.SetPlcId(1, -1); }},
      {"entry to a missing output", [](Project &q) { q.DeviceCtrl.AddEntry(0, MakeEntry(9, 10)); }},
      {"entry to another controller", [](Project &q) {
         TPLCParm c;
         q.PLCCtrl.Add(c);
         q.OutputCtrl.SetPlcId(1, 1);
         q.DeviceCtrl.AddEntry(0, MakeEntry(1, 10));
       }},
      {"LC_ID of no device", [](Project &q) { q.OutputCtrl.SetLcId(1, 4); }},
      {"device ID twice", [](Project &q) { q.DeviceCtrl.Add("d", 0, 0); }},
      {"Output twice", [](Project &q) { q.OutputCtrl.SetOutput(1, 0); }},
      {"Output past 9", [](Project &q) { q.OutputCtrl.SetOutput(1, 10); }},
      {"Count past 32", [](Project &q) {
         std::vector<uint8_t> raw(q.Status.Bytes().begin(), q.Status.Bytes().end());
         raw[8 + 3336 * 7] = 33;
         q.Status.Assign(raw);
       }},
  };
  for (const Case &c : cases) {
    Project q = p;
    c.damage(q);
    EXPECT_EQ(FindReferenceProblems(q).size(), c.problems) << c.what;
  }
}

// Random sequences of the editor's operations on consistent projects: after
// every step no reference is broken, and every entry still names the same
// (controller, output number) it named before, with its delay.
TEST(ReferencesTest, RandomOperationsKeepEveryReference) {
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    std::mt19937 rng(seed);
    auto pick = [&rng](int32_t count) { return std::uniform_int_distribution<int32_t>(0, count - 1)(rng); };

    Project p;
    int32_t nextTag = 0;
    // The expected logic lists, by device name: (controller name, Output, delay).
    std::map<std::string, std::vector<EntryRef>> expected;
    std::map<std::string, std::string> deviceController;

    auto addController = [&] {
      if (!AddController(p)) return;
      const int32_t n = p.PLCCtrl.Count() - 1;
      p.PLCCtrl.SetName(n, "C" + platform::FormatInteger(nextTag++));
      p.Status.Item(n, 0).SetName(p.PLCCtrl[n].Name);
      p.Status.SetCount(n, 1);
    };
    auto addDevice = [&](int32_t ctrl) {
      const int32_t dev = AddDevice(p, ctrl);
      const std::string name = "D" + platform::FormatInteger(nextTag++);
      p.DeviceCtrl.SetName(dev, name);
      expected[name];
      deviceController[name] = p.PLCCtrl[ctrl].Name;
    };
    auto forgetOutput = [&](const std::string &ctrl, int32_t number) {
      for (auto &[dev, refs] : expected) {
        std::erase_if(refs, [&](const EntryRef &r) { return std::get<0>(r) == ctrl && std::get<1>(r) == number; });
      }
    };

    for (int i = 0; i < 3; ++i) addController();

    for (int step = 0; step < 50; ++step) {
      const int32_t C = p.PLCCtrl.Count(), O = p.OutputCtrl.Count(), D = p.DeviceCtrl.Count();
      switch (pick(11)) {
        case 0:
          addController();
          break;
        case 1:
        case 2:
          if (C) AddOutput(p, pick(C));
          break;
        case 3:
          if (C) addDevice(pick(C));
          break;
        case 4:
        case 5:
          if (D && O) {
            const int32_t dev = pick(D), pos = pick(O);
            if (AddEntry(p, dev, pos)) {
              const uint16_t delay = static_cast<uint16_t>(pick(1000));
              p.DeviceCtrl.SetEntryDelay(dev, p.DeviceCtrl[dev].EntryCount() - 1, delay);
              const TOutputParm &o = p.OutputCtrl[pos];
              expected[p.DeviceCtrl[dev].Name].emplace_back(p.PLCCtrl[o.PLC_ID].Name, o.Output, delay);
            }
          }
          break;
        case 6:
          if (O) {
            const int32_t q = pick(O);
            forgetOutput(p.PLCCtrl[p.OutputCtrl[q].PLC_ID].Name, p.OutputCtrl[q].Output);
            if (pick(2)) {
              RemoveOutput(p, q);
            } else {
              RemoveOutputByKey(p, p.OutputCtrl[q].PLC_ID, p.OutputCtrl[q].Output);
            }
          }
          break;
        case 7:
          if (D) {
            const int32_t dev = pick(D);
            expected.erase(p.DeviceCtrl[dev].Name);
            RemoveDevice(p, dev);
          }
          break;
        case 8:
          if (D && p.DeviceCtrl[D - 1].EntryCount()) {
            const int32_t k = pick(p.DeviceCtrl[D - 1].EntryCount());
            auto &refs = expected[p.DeviceCtrl[D - 1].Name];
            refs.erase(refs.begin() + k);
            RemoveEntry(p, D - 1, k);
          }
          break;
        case 9:
          if (C) {
            const int32_t pos = pick(C);
            const std::string name = p.PLCCtrl[pos].Name;
            for (int32_t q = 0; q < O; ++q) {
              if (p.OutputCtrl[q].PLC_ID == pos) forgetOutput(name, p.OutputCtrl[q].Output);
            }
            for (int32_t d = 0; d < D; ++d) {
              if (p.DeviceCtrl[d].PLC_ID == pos) expected.erase(p.DeviceCtrl[d].Name);
            }
            RemoveController(p, pos);
          }
          break;
        case 10:
          if (D) {
            // Moves change positions only, never what a record refers to.
            const int32_t dev = pick(D);
            p.DeviceCtrl.Swap(dev, pick(D));
            p.DeviceCtrl.MoveUp(dev);
            if (p.DeviceCtrl[dev].EntryCount() > 1) {
              const int32_t k = pick(p.DeviceCtrl[dev].EntryCount());
              auto &refs = expected[p.DeviceCtrl[dev].Name];
              if (k + 1 < static_cast<int32_t>(refs.size())) std::swap(refs[k], refs[k + 1]);
              p.DeviceCtrl.EntryDown(dev, k);
            }
          }
          break;
      }

      SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step));
      const auto problems = FindReferenceProblems(p);
      ASSERT_TRUE(problems.empty()) << problems.front();
      ASSERT_EQ(p.DeviceCtrl.Count(), static_cast<int32_t>(expected.size()));
      for (int32_t d = 0; d < p.DeviceCtrl.Count(); ++d) {
        const std::string &name = p.DeviceCtrl[d].Name;
        ASSERT_EQ(entryRefs(p, d), expected[name]) << name;
        ASSERT_EQ(p.PLCCtrl[p.DeviceCtrl[d].PLC_ID].Name, deviceController[name]);
      }
      // Each output is marked with the ID of the device whose list has it.
      for (int32_t q = 0; q < p.OutputCtrl.Count(); ++q) {
        int32_t owner = -1;
        for (const TDeviceParm &d : p.DeviceCtrl.Items()) {
          for (uint32_t e : d.Entries) {
            if (EntryOutput(e) == q) owner = d.ID;
          }
        }
        ASSERT_EQ(p.OutputCtrl[q].LC_ID, owner) << q;
      }
      // Status blocks follow their controllers.
      for (int32_t n = 0; n < p.PLCCtrl.Count(); ++n) ASSERT_EQ(p.Status.Item(n, 0).stName(), p.PLCCtrl[n].Name);
      ASSERT_EQ(p.Status.RawCount(p.PLCCtrl.Count()), 0);
    }
  }
}
