// The screen model: demonstration states, refused fills, unit lookup and the
// per-cell lookup table the LED panel paints from.
#include <gtest/gtest.h>

#include <random>

#include "display_app/model/screen_model.h"

namespace morvit {
namespace {

TEST(ScreenModel, NewModelHoldsUnmappedUnitsNumberedByPosition) {
  TLedPanelData data(144);
  ASSERT_EQ(data.Count, 144);
  ASSERT_EQ(data.Units.size(), 144u);
  EXPECT_EQ(data.Rows, 0);
  EXPECT_EQ(data.Cols, 0);
  for (int i = 0; i < 144; ++i) {
    EXPECT_EQ(data.Units[i].Address, i);
    EXPECT_FALSE(data.Units[i].Mapped);
  }
  EXPECT_FALSE(data.AllUnitsMapped());
}

TEST(ScreenModel, NegativeCountGivesNoUnits) {
  TLedPanelData data(-5);
  EXPECT_EQ(data.Count, 0);
  EXPECT_TRUE(data.Units.empty());
  EXPECT_TRUE(data.AllUnitsMapped());
  EXPECT_TRUE(TLedPanelData(0).AllUnitsMapped());
}

TEST(ScreenModel, DemoFillsRowByRowWithStatesByPosition) {
  TLedPanelData data(144);
  data.FillDemoUnits(12, 12);
  EXPECT_EQ(data.Cols, 12);
  EXPECT_EQ(data.Rows, 12);
  EXPECT_TRUE(data.AllUnitsMapped());
  struct Case {
    int unit, col, row;
    bool power, fan;
  } cases[] = {
      {0, 0, 0, true, true},   {1, 1, 0, false, false},  {2, 2, 0, true, false},  {3, 3, 0, true, true},
      {5, 5, 0, true, false},  {7, 7, 0, true, true},    {11, 11, 0, false, false}, {12, 0, 1, true, true},
      {80, 8, 6, true, false}, {143, 11, 11, false, false},
  };
  for (const Case &c : cases) {
    const LedUnitState &u = data.Units[c.unit];
    EXPECT_TRUE(u.Mapped) << c.unit;
    EXPECT_EQ(u.Col, c.col) << c.unit;
    EXPECT_EQ(u.Row, c.row) << c.unit;
    EXPECT_EQ(u.Power, c.power) << c.unit;
    EXPECT_EQ(u.Fan, c.fan) << c.unit;
    EXPECT_EQ(u.Temperature, c.unit) << c.unit;
    EXPECT_EQ(u.Address, c.unit) << c.unit;
    EXPECT_EQ(u.FaultPixelCount, 0) << c.unit;
    EXPECT_EQ(data.FindUnitAt(c.col, c.row), c.unit) << c.unit;
  }
}

TEST(ScreenModel, FillRefusedUnlessPositiveSidesMultiplyToCount) {
  struct Case {
    int count, cols, rows;
  } cases[] = {
      {144, 13, 11},
      {144, -12, -12},      // the product matches, the sides are not sizes
      {144, 268435465, 16},  // 2^32 + 144: matches only in 32 bits
      {144, 0, 12},
      {0, 0, 5},
      {0, 5, 0},
  };
  for (const Case &c : cases) {
    TLedPanelData data(c.count);
    data.FillDemoUnits(c.cols, c.rows);
    EXPECT_EQ(data.Cols, 0) << c.cols << " x " << c.rows;
    EXPECT_EQ(data.Rows, 0) << c.cols << " x " << c.rows;
    for (const LedUnitState &u : data.Units) {
      ASSERT_EQ(u, LedUnitState{.Address = u.Address}) << c.cols << " x " << c.rows;
    }
  }
}

TEST(ScreenModel, ClearMappingLeavesNoUnitFoundButKeepsCells) {
  TLedPanelData data(144);
  for (int r = 0; r < 12; ++r) {
    for (int c = 0; c < 12; ++c) ASSERT_EQ(data.FindUnitAt(c, r), -1);
  }
  data.FillDemoUnits(12, 12);
  data.ClearMapping();
  EXPECT_FALSE(data.AllUnitsMapped());
  for (int r = 0; r < 12; ++r) {
    for (int c = 0; c < 12; ++c) ASSERT_EQ(data.FindUnitAt(c, r), -1) << c << "," << r;
  }
  EXPECT_EQ(data.Units[80].Col, 8);
  EXPECT_EQ(data.Units[80].Row, 6);
}

TEST(ScreenModel, LookupSkipsUnmappedUnitsAndPrefersLowerPosition) {
  TLedPanelData data(4);
  data.Units[0] = {.Address = 0, .Mapped = false, .Col = 1, .Row = 1};
  data.Units[1] = {.Address = 1, .Mapped = true, .Col = 2, .Row = 0};
  data.Units[2] = {.Address = 2, .Mapped = true, .Col = 1, .Row = 1};
  data.Units[3] = {.Address = 3, .Mapped = true, .Col = 1, .Row = 1};
  EXPECT_EQ(data.FindUnitAt(1, 1), 2);
  EXPECT_EQ(data.FindUnitAt(2, 0), 1);
  EXPECT_EQ(data.FindUnitAt(0, 0), -1);
  const std::vector<int32_t> index = CellUnitIndex(data, 3, 2);
  EXPECT_EQ(index, (std::vector<int32_t>{-1, -1, 1, -1, 2, -1}));
}

TEST(ScreenModel, CellTableAgreesWithLookupOnFuzzedMappings) {
  std::mt19937 random(20261211);
  for (int round = 0; round < 40; ++round) {
    const int cols = std::uniform_int_distribution(1, 20)(random);
    const int rows = std::uniform_int_distribution(1, 20)(random);
    TLedPanelData data(std::uniform_int_distribution(0, 2 * cols * rows)(random));
    // Cells around the matrix too: units there must not land in the table.
    std::uniform_int_distribution colOf(-3, cols + 3);
    std::uniform_int_distribution rowOf(-3, rows + 3);
    for (LedUnitState &u : data.Units) {
      u.Mapped = random() % 4 != 0;
      u.Col = colOf(random);
      u.Row = rowOf(random);
    }
    const std::vector<int32_t> index = CellUnitIndex(data, cols, rows);
    ASSERT_EQ(index.size(), static_cast<size_t>(cols * rows));
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < cols; ++c) {
        ASSERT_EQ(index[r * cols + c], data.FindUnitAt(c, r)) << "round " << round << " cell " << c << "," << r;
      }
    }
  }
}

TEST(ScreenModel, CellTableEmptyForNoCellsOrTooMany) {
  TLedPanelData data(4);
  EXPECT_TRUE(CellUnitIndex(data, 0, 5).empty());
  EXPECT_TRUE(CellUnitIndex(data, 5, -1).empty());
  EXPECT_TRUE(CellUnitIndex(data, 65536, 65536).empty());
  EXPECT_EQ(CellUnitIndex(data, 4096, 4096).size(), size_t{4096} * 4096);
}

}  // namespace
}  // namespace morvit
