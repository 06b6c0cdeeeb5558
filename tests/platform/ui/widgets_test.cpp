// The text and picture controls: string lists, labels, edits, the grid,
// the scroll box, the time picker and images; plus the data link's shape.
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

#include "platform/ui/color.h"
#include "platform/ui/data_set.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/image.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"
#include "platform/ui/scroll_box.h"
#include "platform/ui/string_grid.h"
#include "platform/ui/string_list.h"
#include "platform/ui/time_picker.h"
#include "tests/support/ui/ui_fixtures.h"

namespace {

using testsupport::UiTest;

class WidgetsTest : public UiTest {};

TEST(StringListTest, ChangesTellOnceEachAndBadIndexesAreIgnored) {
  ui::StringList list;
  int changes = 0;
  list.OnChange = [&](ui::StringList *) { ++changes; };
  list.add("a");
  list.add("b");
  list.insert(1, "between");
  list.insert(9, "nowhere");
  list.setString(0, "a");  // unchanged
  list.setString(-1, "x");
  list.remove(7);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(list.strings(), (QStringList{"a", "between", "b"}));
  EXPECT_EQ(list.string(3), "");
  EXPECT_EQ(list.text(), "a\r\nbetween\r\nb\r\n");

  list.beginUpdate();
  list.setText("x\ny\r\nz\r");
  list.move(0, 2);
  list.remove(0);
  list.endUpdate();
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(list.strings(), (QStringList{"z", "x"}));
  list.endUpdate();  // unbalanced: nothing
  list.clear();
  list.clear();
  EXPECT_EQ(changes, 5);
}

TEST_F(WidgetsTest, LabelSizesItselfToItsCaption) {
  ui::Label label(nullptr);
  label.setCaption("在线");
  const QSize grown = label.size();
  EXPECT_EQ(grown, label.textSize());
  EXPECT_GT(grown.width(), 0);
  label.setCaption("在线在线在线");
  EXPECT_GT(label.width(), grown.width());
  label.setAutoSize(false);
  label.setCaption("x");
  EXPECT_GT(label.width(), grown.width());
}

TEST_F(WidgetsTest, EditTellsOfEveryTextChangeButNotWhileBuilding) {
  ui::Form form(nullptr);
  auto *edit = new ui::Edit(&form);
  edit->setParentControl(&form);
  int changes = 0;
  edit->OnChange = [&](ui::Control *) { ++changes; };
  {
    ui::LoadingGuard guard(form);
    edit->setText("preset");
  }
  EXPECT_EQ(changes, 0);
  edit->setText("54.5");
  edit->setText("54.5");  // the same text: no change
  EXPECT_EQ(changes, 1);
  form.show();
  edit->lineEdit()->setFocus();
  QTest::keyClick(edit->lineEdit(), Qt::Key_0);
  EXPECT_EQ(edit->text(), "54.50");
  EXPECT_EQ(changes, 2);
  EXPECT_FALSE(edit->wantsKey(Qt::Key_Return, Qt::NoModifier));
  EXPECT_TRUE(edit->wantsKey(Qt::Key_A, Qt::NoModifier));
}

TEST_F(WidgetsTest, GridCellsAndSizesAreBoundsChecked) {
  ui::StringGrid grid(nullptr);
  grid.setColCount(3);
  grid.setRowCount(2);
  grid.setCell(2, 1, "x");
  grid.setCell(3, 0, "outside");
  grid.setCell(-1, 0, "outside");
  EXPECT_EQ(grid.cell(2, 1), "x");
  EXPECT_EQ(grid.cell(3, 0), "");
  EXPECT_EQ(grid.cell(0, 99), "");
  grid.setColWidth(9, 10);
  EXPECT_EQ(grid.colWidth(9), 0);
  grid.setFixedCols(3);  // not below ColCount: refused
  EXPECT_EQ(grid.fixedCols(), 1);
  grid.setRowCount(1);  // fixed rows shrink with the grid
  EXPECT_EQ(grid.fixedRows(), 0);
  EXPECT_EQ(grid.cell(2, 1), "");
  grid.setRowCount(-5);
  EXPECT_EQ(grid.rowCount(), 1);
}

// A grid that records what it draws.
class RecordingGrid : public ui::StringGrid {
 public:
  using ui::StringGrid::StringGrid;
  struct Drawn {
    int col, row;
    QRect rect;
    ui::GridDrawState state;
  };
  std::vector<Drawn> drawn;

 protected:
  void drawCell(QPainter &painter, int col, int row, const QRect &rect, const ui::GridDrawState &state) override {
    drawn.push_back({col, row, rect, state});
    ui::StringGrid::drawCell(painter, col, row, rect, state);
  }
};

TEST_F(WidgetsTest, FixedCellsStayWhileTheRestScrolls) {
  RecordingGrid grid(nullptr);
  grid.setScrollBars(ui::GridScrollBars::None);
  grid.setColCount(3);
  grid.setRowCount(10);
  grid.setFixedCols(1);
  grid.setFixedRows(1);
  grid.setDefaultColWidth(50);
  grid.setDefaultRowHeight(16);
  grid.setBounds(0, 0, 200, 70);  // the heading and 3 full rows
  grid.setCell(0, 0, "h");
  grid.setCell(1, 5, "five");
  int hooked = 0;
  grid.OnDrawCell = [&](ui::StringGrid *, int, int, const QRect &, const ui::GridDrawState &, QPainter &) {
    ++hooked;
  };

  EXPECT_EQ(grid.cellRect(1, 1), QRect(51, 17, 50, 16));
  grid.setTopRow(5);
  EXPECT_EQ(grid.cellRect(0, 0), QRect(0, 0, 50, 16));   // the heading stays
  EXPECT_EQ(grid.cellRect(0, 5), QRect(0, 17, 50, 16));  // row 5 is first under it
  EXPECT_TRUE(grid.cellRect(1, 2).isNull());             // scrolled away
  int col = -1, row = -1;
  ASSERT_TRUE(grid.mouseToCell(QPoint(60, 20), col, row));
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 5);

  grid.grab();
  EXPECT_EQ(static_cast<int>(grid.drawn.size()), hooked);
  bool sawHeading = false;
  for (const auto &d : grid.drawn) {
    EXPECT_EQ(d.state.fixed, d.col == 0 || d.row == 0);
    EXPECT_FALSE(d.row >= 1 && d.row < 5);
    sawHeading = sawHeading || (d.col == 0 && d.row == 0);
  }
  EXPECT_TRUE(sawHeading);

  // Without default drawing only the hook paints.
  grid.setDefaultDrawing(false);
  grid.setColor(0x0000FF00);
  grid.OnDrawCell = [](ui::StringGrid *, int, int, const QRect &rect, const ui::GridDrawState &, QPainter &p) {
    p.fillRect(rect, Qt::blue);
  };
  const QImage picture = grid.grab().toImage();
  EXPECT_EQ(QColor(picture.pixel(60, 20)), QColor(0, 0, 255));

  // Selecting a cell below the view scrolls to it; a fixed one is refused.
  grid.setTopRow(1);
  grid.setRow(8);
  EXPECT_EQ(grid.row(), 8);
  EXPECT_FALSE(grid.cellRect(1, 8).isNull());
  grid.setRow(0);
  EXPECT_EQ(grid.row(), 8);
  grid.OnSelectCell = [](ui::StringGrid *, int, int, bool &canSelect) { canSelect = false; };
  grid.setRow(2);
  EXPECT_EQ(grid.row(), 8);
}

TEST_F(WidgetsTest, ScrollBoxShowsABarOnlyWhileTheContentOverflows) {
  ui::ScrollBox box(nullptr);
  box.setBorderSingle(false);
  box.setBounds(0, 0, 300, 82);
  auto *a = new ui::Label(&box);
  a->setAutoSize(false);
  a->setBounds(0, 0, 200, 60);
  a->setParentControl(&box);
  EXPECT_EQ(box.horzRange(), 200);
  EXPECT_FALSE(box.horzScrollBarVisible());

  auto *b = new ui::Label(&box);
  b->setAutoSize(false);
  b->setBounds(210, 0, 200, 60);
  b->setParentControl(&box);
  EXPECT_EQ(box.horzRange(), 410);
  EXPECT_TRUE(box.horzScrollBarVisible());
  EXPECT_LT(box.clientRect().height(), 82);

  box.setHorzPosition(1000);  // clamped to range - client width
  EXPECT_EQ(box.horzPosition(), 110);
  EXPECT_EQ(a->left(), -110);
  EXPECT_EQ(b->left(), 100);
  EXPECT_EQ(box.horzRange(), 410);
  box.scrollInView(a);
  EXPECT_EQ(box.horzPosition(), 0);
  EXPECT_EQ(a->left(), 0);

  // A range set by code holds; shrinking it scrolls back.
  box.setHorzPosition(50);
  box.setHorzRange(320);
  EXPECT_EQ(box.horzPosition(), 20);
  delete b;
  EXPECT_EQ(box.horzRange(), 320);
}

TEST_F(WidgetsTest, TimePickerTellsOfUserChangesOnly) {
  ui::TimePicker picker(nullptr);
  picker.setFormat("HH '时'mm '分'");
  int changes = 0;
  picker.OnChange = [&](ui::Control *) { ++changes; };
  picker.setTime(QTime(7, 30));
  picker.setTime(QTime(25, 0));  // invalid: ignored
  EXPECT_EQ(picker.time(), QTime(7, 30));
  EXPECT_EQ(picker.timeEdit()->text(), "07 时30 分");
  EXPECT_EQ(changes, 0);
  picker.timeEdit()->stepBy(1);  // as the user's arrow key does
  EXPECT_EQ(changes, 1);
}

TEST_F(WidgetsTest, ImageDrawsItsPictureAndTakesItsSize) {
  ui::Image image(nullptr);
  QPixmap red(10, 6);
  red.fill(Qt::red);
  image.setAutoSize(true);
  image.setPicture(red);
  EXPECT_EQ(image.size(), QSize(10, 6));
  image.setAutoSize(false);
  image.setBounds(0, 0, 20, 12);
  image.setStretch(true);
  const QImage picture = image.grab().toImage();
  EXPECT_EQ(QColor(picture.pixel(19, 11)), QColor(255, 0, 0));
}

class CountingLink : public ui::DataLink {
 public:
  int changes = 0;

 protected:
  void dataSetChanged() override { ++changes; }
};

TEST_F(WidgetsTest, DataLinkHearsOfItsDataSet) {
  ui::Panel owner(nullptr);
  auto *set = new ui::DataSet(&owner);
  auto *source = new ui::DataSource(&owner);
  CountingLink link;
  link.setDataSource(source);
  source->setDataSet(set);
  EXPECT_FALSE(link.active());
  set->setActive(true);
  EXPECT_TRUE(link.active());
  EXPECT_EQ(link.dataSet(), set);
  const int before = link.changes;
  delete set;
  EXPECT_EQ(source->dataSet(), nullptr);
  EXPECT_GT(link.changes, before);
  delete source;
  EXPECT_EQ(link.dataSource(), nullptr);
}

}  // namespace
