#include "controller_editor/model/output_editing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

selkan::Project WithOutputs(const std::vector<int32_t> &numbers, int32_t controllers = 1) {
  selkan::Project p;
  for (int32_t c = 0; c < controllers; ++c) selkan::AddController(p);
  for (int32_t n : numbers) {
    selkan::TOutputParm o;
    o.Name = selkan::OutputDefaultName(n);
    o.Output = n;
    p.OutputCtrl.Add(o, 0);
  }
  return p;
}

// Files written by other tools may hold any numbers in any order; the rows
// follow the numbers, and adding stops at ten outputs however they are
// numbered.
TEST(OutputEditing, RowsFollowNumbersAndAddStopsAtTen) {
  struct Case {
    const char *what;
    std::vector<int32_t> numbers;
    bool canAdd;
  };
  const Case cases[] = {
      {"none yet", {}, true},
      {"a gap", {0, 1, 3}, true},
      {"all ten, shuffled", {9, 2, 5, 0, 7, 1, 8, 3, 6, 4}, false},
      {"ten sharing one number", std::vector<int32_t>(10, 0), false},
      {"ten, one out of range", {0, 1, 2, 3, 4, 5, 6, 7, 8, 12}, false},
  };
  for (const Case &c : cases) {
    const selkan::Project p = WithOutputs(c.numbers);
    EXPECT_EQ(selkan::CanAddOutput(p, 0), c.canAdd) << c.what;
    int32_t last = -1;
    for (int32_t row = 0; row < static_cast<int32_t>(c.numbers.size()); ++row) {
      const int32_t q = selkan::OutputAtRow(p, 0, row);
      ASSERT_GE(q, 0) << c.what;
      EXPECT_EQ(selkan::RowOfOutput(p, q), row) << c.what;
      EXPECT_LE(last, p.OutputCtrl[q].Output) << c.what;
      last = p.OutputCtrl[q].Output;
    }
    EXPECT_EQ(selkan::OutputAtRow(p, 0, static_cast<int32_t>(c.numbers.size())), -1) << c.what;
  }
  EXPECT_FALSE(selkan::CanAddOutput(WithOutputs({}), 1));
  EXPECT_FALSE(selkan::CanAddOutput(WithOutputs({}), -1));
}

TEST(OutputEditing, RenumberKeepsNumbersUniqueAndInRange) {
  struct Case {
    int32_t output;  // list position
    int32_t to;
    selkan::Renumber result;
  };
  const Case cases[] = {
      {0, 0, selkan::Renumber::Unchanged},   {0, 2, selkan::Renumber::NumberTaken},
      {0, 4, selkan::Renumber::Renumbered},  {0, 10, selkan::Renumber::Refused},
      {0, -1, selkan::Renumber::Refused},    {4, 1, selkan::Renumber::Refused},
  };
  for (const Case &c : cases) {
    selkan::Project p = WithOutputs({0, 2, 6});
    // The other controller's output 4 does not take the number.
    selkan::AddController(p);
    selkan::TOutputParm other;
    other.Output = 4;
    p.OutputCtrl.Add(other, 1);
    const selkan::Project before = p;

    EXPECT_EQ(selkan::RenumberOutput(p, c.output, c.to), c.result) << c.output << " -> " << c.to;
    if (c.result == selkan::Renumber::Renumbered) {
      EXPECT_EQ(p.OutputCtrl[c.output].Output, c.to);
      EXPECT_EQ(p.OutputCtrl[c.output].Name, selkan::OutputDefaultName(c.to));
      EXPECT_EQ(selkan::RowOfOutput(p, c.output), 1);
    } else {
      EXPECT_EQ(p, before) << c.output << " -> " << c.to;
    }
  }
}

TEST(OutputEditing, RowAfterRemovalStaysInsideWhatIsLeft) {
  EXPECT_EQ(selkan::RowAfterRemoval(1, 3), 1);
  EXPECT_EQ(selkan::RowAfterRemoval(3, 3), 2);
  EXPECT_EQ(selkan::RowAfterRemoval(0, 0), -1);
}

}  // namespace
