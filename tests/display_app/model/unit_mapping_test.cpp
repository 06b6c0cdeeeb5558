// Placing units of a screen onto cells: one unit per cell, a moved unit
// leaves its old cell, and nothing outside the units or the matrix counts.
#include <gtest/gtest.h>

#include "display_app/model/screen_model.h"
#include "display_app/model/unit_mapping.h"

namespace morvit {
namespace {

class UnitMapping : public ::testing::Test {
 protected:
  UnitMapping() {
    screen.SetCols(8);
    screen.SetRows(6);
  }
  TLedPanelData screen{48};
};

TEST_F(UnitMapping, AUnitTakesTheCellFromItsHolderAndLeavesItsOldOne) {
  ASSERT_TRUE(MapUnitToCell(screen, 3, 2, 1));
  EXPECT_EQ(screen.FindUnitAt(2, 1), 3);

  ASSERT_TRUE(MapUnitToCell(screen, 5, 2, 1));
  EXPECT_EQ(screen.FindUnitAt(2, 1), 5);
  EXPECT_FALSE(screen.Units[3].Mapped);

  ASSERT_TRUE(MapUnitToCell(screen, 5, 7, 5));
  EXPECT_EQ(screen.FindUnitAt(2, 1), -1);
  EXPECT_EQ(screen.FindUnitAt(7, 5), 5);
  EXPECT_EQ(screen.Units[5].Col, 7);
  EXPECT_EQ(screen.Units[5].Row, 5);

  // Mapping a unit onto the cell it already holds keeps it there.
  ASSERT_TRUE(MapUnitToCell(screen, 5, 7, 5));
  EXPECT_EQ(screen.FindUnitAt(7, 5), 5);
}

TEST_F(UnitMapping, EveryUnsharedCellMapsTheWholeScreen) {
  for (int32_t i = 0; i < screen.Count; ++i) {
    EXPECT_FALSE(screen.AllUnitsMapped());
    ASSERT_TRUE(MapUnitToCell(screen, i, i % 8, i / 8));
  }
  EXPECT_TRUE(screen.AllUnitsMapped());
  // A unit taking another's cell leaves that one unmapped again.
  ASSERT_TRUE(MapUnitToCell(screen, 0, 1, 0));
  EXPECT_FALSE(screen.AllUnitsMapped());
}

TEST_F(UnitMapping, AUnitOrCellOutsideTheScreenChangesNothing) {
  ASSERT_TRUE(MapUnitToCell(screen, 0, 0, 0));
  const auto before = screen.Units;
  struct Refused {
    const char *what;
    int32_t unit, col, row;
  };
  const Refused cases[] = {
      {"unit below 0", -1, 1, 1},   {"unit past the end", 48, 1, 1}, {"column below 0", 1, -1, 0},
      {"row below 0", 1, 0, -1},    {"column past the matrix", 1, 8, 0}, {"row past the matrix", 1, 0, 6},
      {"occupied cell, bad unit", 48, 0, 0},
  };
  for (const Refused &c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(MapUnitToCell(screen, c.unit, c.col, c.row));
    EXPECT_EQ(screen.Units, before);
  }
}

}  // namespace
}  // namespace morvit
