#include "controller_editor/model/status_editing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(StatusEditing, ScalingTextsReadWithPointOnly) {
  struct Case {
    const char *text;
    double def;
    double value;
  };
  const Case cases[] = {
      {"abc", 0, 0},    {"", 0, 0},       {"x", 1, 1},        {"0.5", 0, 0.5}, {"-20", 0, -20},
      {"+6", 1, 6},     {"0,5", 0, 0},    {"nan", 1, 1},      {"inf", 1, 1},   {"1e400", 0, 0},
      {"2.5e2", 0, 250}, {" 1", 7, 7},
  };
  for (const Case &c : cases) EXPECT_EQ(selkan::ParseScaling(c.text, c.def), c.value) << c.text;
}

TEST(StatusEditing, ListLinesNameTheChannelForKindsThatHaveOne) {
  struct Case {
    int32_t type;
    const char *line;
  };
  const Case cases[] = {{1, "T"}, {2, "T"}, {3, "T"}, {4, "T(DI7)"}, {5, "T(AI7)"},
                        {6, "T(AI7)"}, {7, "T(AI7)"}, {0, "T"}, {8, "T"}};
  for (const Case &c : cases) {
    selkan::StatusRegion region;
    selkan::StatusItem item = region.Item(0, 0);
    item.SetType(c.type);
    item.SetName("T");
    item.SetID(7);
    EXPECT_EQ(selkan::StatusLine(region.Item(0, 0)), c.line) << c.type;
  }
}

TEST(StatusEditing, TabsComeInDisplayOrderWithEachKindOnce) {
  std::vector<int32_t> types;
  for (const selkan::StatusTab &t : selkan::StatusTabs()) types.push_back(t.type);
  EXPECT_EQ(types, (std::vector<int32_t>{1, 6, 2, 3, 7, 4, 5}));
}

// Refusals leave the whole region as it was: nothing lands in the next
// block or past the last one.
TEST(StatusEditing, AddRefusesWhereNoSlotIsFree) {
  const selkan::StatusTab &smoke = selkan::StatusTabs()[0];
  selkan::StatusInput input;
  input.name = "n";

  struct Case {
    const char *what;
    int32_t controllers;
    int32_t ctrl;
    int32_t count;  // items already in the block
    std::string message;
  };
  const Case cases[] = {
      {"a full block", 2, 0, selkan::StatusRegion::kItems, selkan::kStatusBlockFullText},
      {"the 257th controller", 257, 256, 0, selkan::kNoStatusBlockText},
      {"no such controller", 1, 1, 0, ""},
      {"a negative position", 1, -1, 0, ""},
  };
  for (const Case &c : cases) {
    selkan::Project p;
    // A file may hold more controllers than the editor adds.
    for (int32_t i = 0; i < c.controllers; ++i) p.PLCCtrl.Add(selkan::TPLCParm{});
    p.Status.SetCount(c.ctrl, c.count);
    p.Status.SetCount(1, 5);
    const selkan::Project before = p;
    const auto added = selkan::AddStatusItem(p, c.ctrl, smoke, input);
    ASSERT_FALSE(added.ok()) << c.what;
    EXPECT_EQ(added.error().message, c.message) << c.what;
    EXPECT_TRUE(p == before) << c.what;
  }
}

}  // namespace
