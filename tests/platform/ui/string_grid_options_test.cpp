// The grid's options: dragging the heading lines to size columns and rows,
// selecting whole rows, and the fixed cells' colour.
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/ui/color.h"
#include "platform/ui/string_grid.h"
#include "tests/support/ui/ui_fixtures.h"

namespace {

using testsupport::UiTest;

class GridOptionsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    grid.setScrollBars(ui::GridScrollBars::None);
    grid.setColCount(3);
    grid.setRowCount(4);
    grid.setDefaultColWidth(50);
    grid.setDefaultRowHeight(16);
    grid.setBounds(0, 0, 200, 100);
    grid.show();
  }
  // A left-button drag from one point to another.
  void drag(QPoint from, QPoint to) {
    QTest::mousePress(&grid, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(&grid, to);
    QTest::mouseRelease(&grid, Qt::LeftButton, Qt::NoModifier, to);
  }

  ui::StringGrid grid{nullptr};
};

TEST_F(GridOptionsTest, HeadingLinesSizeColumnsAndRowsOnlyWithTheirOption) {
  // Column 1 ends at x 101 (50 + line + 50); its line lies at 101.
  const struct {
    const char *what;
    ui::GridOptions options;
    QPoint from, to;
    int col1Width, row1Height;
  } cases[] = {
      {"no option: a column line does nothing", 0, {101, 8}, {131, 8}, 50, 16},
      {"column sizing in the fixed row", ui::goColSizing, {101, 8}, {131, 8}, 80, 16},
      {"column sizing ignores the data rows", ui::goColSizing, {101, 40}, {131, 40}, 50, 16},
      {"row sizing in the fixed column", ui::goRowSizing, {20, 33}, {20, 53}, 50, 36},
      {"row sizing leaves columns alone", ui::goRowSizing, {101, 8}, {131, 8}, 50, 16},
      {"a line can be dragged to zero", ui::goColSizing, {101, 8}, {10, 8}, 0, 16},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    grid.setDefaultColWidth(50);
    grid.setDefaultRowHeight(16);
    grid.setOptions(c.options);
    drag(c.from, c.to);
    EXPECT_EQ(grid.colWidth(1), c.col1Width);
    EXPECT_EQ(grid.rowHeight(1), c.row1Height);
    EXPECT_EQ(grid.colWidth(2), 50);
    EXPECT_EQ(grid.rowHeight(2), 16);
  }
  // A press that sizes selects nothing.
  grid.setOptions(ui::goColSizing);
  grid.setRow(2);
  drag({101, 8}, {120, 8});
  EXPECT_EQ(grid.row(), 2);
}

TEST_F(GridOptionsTest, RowSelectHighlightsTheWholeRowAndFixedColourIsSettable) {
  grid.setFixedColor(platform::RGB(10, 20, 30));
  grid.setColCount(4);
  grid.setRow(2);
  grid.setCol(1);
  // Without the option, and without the focus, nothing is highlighted.
  QImage picture = grid.grab().toImage();
  const QColor highlight = ui::toQColor(platform::clHighlight);
  EXPECT_NE(QColor(picture.pixel(160, 45)), highlight);
  EXPECT_EQ(QColor(picture.pixel(30, 45)), QColor(10, 20, 30));
  EXPECT_EQ(QColor(picture.pixel(80, 5)), QColor(10, 20, 30));

  grid.setOptions(ui::goRowSelect);
  picture = grid.grab().toImage();
  for (int x : {60, 110, 160}) EXPECT_EQ(QColor(picture.pixel(x, 45)), highlight) << x;
  EXPECT_EQ(QColor(picture.pixel(30, 45)), QColor(10, 20, 30));  // the fixed cell keeps its colour
  EXPECT_NE(QColor(picture.pixel(60, 28)), highlight);            // another row
}

}  // namespace
