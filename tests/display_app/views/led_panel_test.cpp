// The LED panel: zoom and matrix sizes with their events, selection by
// operation and by mouse, the selected unit against a changed model, and the
// picture, which must equal the plain cell-by-cell painting.
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <memory>
#include <vector>

#include "bench/display_app/reference_led_paint.h"
#include "display_app/views/led_panel.h"
#include "platform/ui/color.h"
#include "platform/ui/menu.h"
#include "tests/support/ui/ui_fixtures.h"

namespace morvit {
namespace {

using platform::RGB;
using platform::TColor;

void sendMouse(QWidget &w, QEvent::Type type, Qt::MouseButton button, QPoint at) {
  QMouseEvent e(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, button, Qt::NoModifier);
  QApplication::sendEvent(&w, &e);
}

QRgb rgbOf(TColor colour) { return ui::toQColor(colour).rgb(); }

int numberTextWidth() {
  ui::Font f;
  f.height = 12;
  return QFontMetrics(ui::toQFont(f)).horizontalAdvance(QStringLiteral("0000"));
}

class LedPanelTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    demo.FillDemoUnits(12, 12);
    panel = std::make_unique<TLedPanel>(nullptr);
    panel->OnSizeChange = [this](ui::Control *) { ++sizeEvents; };
    panel->OnSelect = [this](ui::Control *) { ++selectEvents; };
  }
  void TearDown() override {
    panel.reset();
    UiTest::TearDown();
  }
  // The demonstration screen at the given cell size.
  void showDemo(int cellSize) {
    panel->SetPanelData(&demo);
    panel->SetCols(12);
    panel->SetRows(12);
    panel->SetCellSize(cellSize);
    sizeEvents = 0;
  }
  QImage picture() { return panel->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  TLedPanelData demo{144};
  std::unique_ptr<TLedPanel> panel;
  int sizeEvents = 0;
  int selectEvents = 0;
};

TEST_F(LedPanelTest, StartsAsSixByFourCellsOfSixtyFourWithCellZeroSelected) {
  EXPECT_EQ(panel->Cols(), 6);
  EXPECT_EQ(panel->Rows(), 4);
  EXPECT_EQ(panel->CellSize(), 64);
  EXPECT_EQ(panel->boundsRect(), QRect(0, 0, 384, 256));
  EXPECT_EQ(panel->SelCol(), 0);
  EXPECT_EQ(panel->SelRow(), 0);
  EXPECT_EQ(panel->SelUnit(), 0);
  EXPECT_EQ(panel->Data(), nullptr);
  EXPECT_EQ(panel->selectedUnit(), nullptr);
  EXPECT_EQ(panel->focusPolicy(), Qt::NoFocus);
}

TEST_F(LedPanelTest, ZoomClampsAndReportsEachRealChangeOnce) {
  showDemo(64);
  struct Step {
    int request, expect;
    bool event;
  } steps[] = {
      {54, 54, true}, {44, 44, true},   {34, 34, true},    {24, 24, true},   {14, 14, true}, {4, 12, true},
      {2, 12, false}, {300, 256, true}, {310, 256, false}, {256, 256, false},
  };
  for (const Step &s : steps) {
    const int before = sizeEvents;
    panel->SetCellSize(s.request);
    EXPECT_EQ(panel->CellSize(), s.expect) << s.request;
    EXPECT_EQ(panel->width(), 12 * s.expect) << s.request;
    EXPECT_EQ(panel->height(), 12 * s.expect) << s.request;
    EXPECT_EQ(sizeEvents - before, s.event ? 1 : 0) << s.request;
  }
}

TEST_F(LedPanelTest, RowsAndColumnsIgnoreNonSizesRepeatsAndOversizedControls) {
  for (int n : {0, -1, 4}) panel->SetRows(n);
  for (int n : {0, -1, 6}) panel->SetCols(n);
  EXPECT_EQ(sizeEvents, 0);

  panel->SetRows(3);
  EXPECT_EQ(sizeEvents, 1);
  EXPECT_EQ(panel->size(), QSize(384, 192));

  // 16,777,215 pixels is Qt's limit: 262,143 cells of 64 fit, one more not.
  panel->SetCols(262144);
  EXPECT_EQ(panel->Cols(), 6);
  panel->SetCols(262143);
  EXPECT_EQ(panel->width(), 262143 * 64);
  EXPECT_EQ(sizeEvents, 2);
  // At 65,536 pixels a cell would make it too wide, so the zoom stays.
  panel->SetCellSize(65);
  EXPECT_EQ(panel->CellSize(), 64);
  EXPECT_EQ(sizeEvents, 2);
}

TEST_F(LedPanelTest, SelectCellOutsideTheMatrixOrOnTheSelectedCellDoesNothing) {
  showDemo(64);
  const QPoint ignored[] = {{-1, 0}, {0, -1}, {12, 0}, {0, 12}, {0, 0}};
  for (QPoint p : ignored) panel->SelectCell(p.x(), p.y());
  EXPECT_EQ(selectEvents, 0);
  EXPECT_EQ(panel->SelUnit(), 0);

  panel->SelectCell(8, 6);
  EXPECT_EQ(selectEvents, 1);
  EXPECT_EQ(panel->SelUnit(), 80);
  ASSERT_NE(panel->selectedUnit(), nullptr);
  EXPECT_EQ(panel->selectedUnit()->Address, 80);

  // Without a model nothing is found.
  panel->SetPanelData(nullptr);
  panel->SelectCell(1, 1);
  EXPECT_EQ(panel->SelUnit(), -1);
  EXPECT_EQ(panel->selectedUnit(), nullptr);
}

TEST_F(LedPanelTest, SelectedUnitIsNullOnceTheModelNoLongerHoldsIt) {
  showDemo(64);
  panel->SelectCell(4, 8);
  ASSERT_EQ(panel->SelUnit(), 100);
  TLedPanelData smaller(24);
  smaller.FillDemoUnits(6, 4);
  panel->SetPanelData(&smaller);
  EXPECT_EQ(panel->SelUnit(), 100);
  EXPECT_EQ(panel->selectedUnit(), nullptr);
  // The cell survives the change of model; selecting again finds the unit.
  panel->SetCols(6);
  panel->SetRows(4);
  panel->SelectCell(1, 1);
  ASSERT_NE(panel->selectedUnit(), nullptr);
  EXPECT_EQ(panel->selectedUnit()->Address, 7);
}

TEST_F(LedPanelTest, PressesSelectTheCellBeforeTheirOwnHandling) {
  showDemo(64);
  std::vector<QPoint> seenByMouseDown;
  panel->OnMouseDown = [&](ui::Control *, ui::MouseButton, ui::ShiftState, int, int) {
    seenByMouseDown.emplace_back(panel->SelCol(), panel->SelRow());
  };
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
    panel->SelectCell(0, 0);
    sendMouse(*panel, QEvent::MouseButtonPress, button, {130, 70});
    sendMouse(*panel, QEvent::MouseButtonRelease, button, {130, 70});
    EXPECT_EQ(QPoint(panel->SelCol(), panel->SelRow()), QPoint(2, 1)) << button;
    EXPECT_EQ(panel->SelUnit(), 14);
  }
  EXPECT_EQ(seenByMouseDown, (std::vector<QPoint>{{2, 1}, {2, 1}}));

  // The middle button and pixels left of or above the control select nothing.
  selectEvents = 0;
  sendMouse(*panel, QEvent::MouseButtonPress, Qt::MiddleButton, {300, 300});
  sendMouse(*panel, QEvent::MouseButtonPress, Qt::LeftButton, {-5, 300});
  sendMouse(*panel, QEvent::MouseButtonPress, Qt::LeftButton, {300, -1});
  EXPECT_EQ(selectEvents, 0);
}

TEST_F(LedPanelTest, OnlyTheLeftDoubleClickCounts) {
  showDemo(64);
  int doubleClicks = 0;
  QPoint cellAtDoubleClick;
  panel->OnDblClick = [&](ui::Control *) {
    ++doubleClicks;
    cellAtDoubleClick = {panel->SelCol(), panel->SelRow()};
  };
  sendMouse(*panel, QEvent::MouseButtonDblClick, Qt::RightButton, {200, 200});
  EXPECT_EQ(doubleClicks, 0);
  EXPECT_EQ(QPoint(panel->SelCol(), panel->SelRow()), QPoint(3, 3));
  sendMouse(*panel, QEvent::MouseButtonDblClick, Qt::LeftButton, {330, 10});
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(cellAtDoubleClick, QPoint(5, 0));
}

TEST_F(LedPanelTest, PopupSeesTheCellTheRightPressSelected) {
  showDemo(64);
  ui::PopupMenu menu(nullptr);
  QPoint seen(-1, -1);
  menu.OnPopup = [&](ui::PopupMenu *) { seen = {panel->SelCol(), panel->SelRow()}; };
  panel->setPopupMenu(&menu);
  const QPoint at(3 * 64 + 10, 2 * 64 + 10);
  sendMouse(*panel, QEvent::MouseButtonPress, Qt::RightButton, at);
  QContextMenuEvent context(QContextMenuEvent::Mouse, at, panel->mapToGlobal(at));
  QApplication::sendEvent(panel.get(), &context);
  EXPECT_EQ(seen, QPoint(3, 2));
  EXPECT_EQ(panel->selectedUnit()->Address, 27);
}

TEST(LedCellColour, ByPowerFanAndTemperature) {
  struct Case {
    const char *what;
    LedUnitState unit;
    TColor expect;
  } cases[] = {
      {"running", {.Power = true, .Fan = true, .Temperature = 79.99}, RGB(0, 255, 0)},
      {"hot at exactly 80", {.Power = true, .Fan = true, .Temperature = 80.0}, RGB(255, 255, 0)},
      {"fan stopped", {.Power = true, .Fan = false, .Temperature = 20}, RGB(255, 255, 0)},
      {"power off wins over fan and heat", {.Power = false, .Fan = false, .Temperature = 95}, platform::clBlack},
  };
  for (const Case &c : cases) EXPECT_EQ(LedCellColour(&c.unit), c.expect) << c.what;
  EXPECT_EQ(LedCellColour(nullptr), platform::clBlack);
}

TEST_F(LedPanelTest, DemoCellsInTheirStateColours) {
  showDemo(64);
  panel->setShowAddress(false);
  const QImage img = picture();
  struct Case {
    int col, row;
    TColor colour;
  } cases[] = {
      {0, 0, RGB(0, 255, 0)}, {1, 0, platform::clBlack}, {2, 0, RGB(255, 255, 0)},
      {3, 5, RGB(0, 255, 0)}, {0, 7, RGB(255, 255, 0)},  {5, 7, platform::clBlack},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(img.pixel(c.col * 64 + 32, c.row * 64 + 32), rgbOf(c.colour)) << c.col << "," << c.row;
  }
}

TEST_F(LedPanelTest, SelectionRingAndGridOutline) {
  showDemo(64);
  panel->SelectCell(2, 1);
  const QImage img = picture();
  const int x = 2 * 64;
  const int y = 64;
  const QRgb selection = rgbOf(RGB(192, 64, 192));
  const QRgb grid = rgbOf(RGB(0, 80, 80));
  const QRgb fill = rgbOf(RGB(0, 255, 0));  // unit 14: power and fan on, 14 °C
  // Across the left, right, top and bottom edges at the middle of each side.
  const std::vector<QRgb> across{grid, selection, selection, selection, fill};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(img.pixel(x + i, y + 32), across[i]) << "left " << i;
    EXPECT_EQ(img.pixel(x + 63 - i, y + 32), across[i]) << "right " << i;
    EXPECT_EQ(img.pixel(x + 32, y + i), across[i]) << "top " << i;
    EXPECT_EQ(img.pixel(x + 32, y + 63 - i), across[i]) << "bottom " << i;
  }
  // The ring's corners are square.
  EXPECT_EQ(img.pixel(x + 1, y + 1), selection);
  // The next cell starts with its own outline.
  EXPECT_EQ(img.pixel(x + 64, y + 32), grid);
}

TEST_F(LedPanelTest, NumbersOnlyInCellsWiderThanTheTextPlusEight) {
  const int tw = numberTextWidth();
  const auto hasNumberPixels = [&](int cellSize) {
    showDemo(cellSize);
    const QImage img = picture();
    for (int y = 0; y < cellSize; ++y) {
      for (int x = 0; x < cellSize; ++x) {
        const QColor c = img.pixelColor(x, y);
        if (c.blue() > 160 && c.green() < 128 && c.red() < 128) return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(hasNumberPixels(tw + 9)) << tw;
  EXPECT_FALSE(hasNumberPixels(tw + 8)) << tw;
}

TEST_F(LedPanelTest, PictureEqualsCellByCellPainting) {
  TLedPanelData crowded(144);
  crowded.FillDemoUnits(12, 12);
  crowded.Units[5].Mapped = false;            // an empty cell
  crowded.Units[30] = crowded.Units[100];     // two on one cell: 30 shows
  crowded.Units[30].Address = 30;
  crowded.Units[31].Temperature = 80.0;
  crowded.Units[31].Fan = true;
  crowded.Units[32].Col = 40;                 // outside the matrix
  struct Case {
    const char *what;
    TLedPanelData *data;
    int cellSize;
    QPoint selected;
  } cases[] = {
      {"demo at 64", &demo, 64, {0, 0}},      {"demo at 12", &demo, 12, {5, 3}},
      {"crowded at 64", &crowded, 64, {4, 8}}, {"no model at 64", nullptr, 64, {11, 11}},
      {"no model at 12", nullptr, 12, {2, 7}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    showDemo(c.cellSize);
    panel->SetPanelData(c.data);
    panel->SelectCell(c.selected.x(), c.selected.y());
    const QImage expect = reference::LedPanelImage(*panel).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(picture() == expect);
  }
}

TEST_F(LedPanelTest, PartialRepaintCoversEveryCellItMeets) {
  showDemo(64);
  panel->SelectCell(2, 2);
  const QImage expect = reference::LedPanelImage(*panel).convertToFormat(QImage::Format_RGB32);
  // Regions starting and ending inside cells and on their edges.
  const QRect regions[] = {{70, 70, 60, 60}, {64, 128, 64, 64}, {63, 127, 2, 2}, {700, 700, 200, 200}};
  for (const QRect &region : regions) {
    QImage got(panel->size(), QImage::Format_RGB32);
    got.fill(Qt::magenta);
    panel->render(&got, region.topLeft(), QRegion(region));
    const QRect inside = region.intersected(panel->rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
      for (int x = inside.left(); x <= inside.right(); ++x) {
        ASSERT_EQ(got.pixel(x, y), expect.pixel(x, y)) << "region " << region.x() << "," << region.y() << " at " << x
                                                        << "," << y;
      }
    }
  }
}

TEST_F(LedPanelTest, MatrixTooLargeForOneTablePaintsLikeASmallOne) {
  // Units only in the top left corner, so both panels show the same there.
  TLedPanelData few(6);
  for (int i = 0; i < 6; ++i) few.Units[i] = {.Address = i, .Mapped = true, .Col = i % 3, .Row = i / 3, .Power = true};
  few.Units[4].Fan = true;
  TLedPanel small(nullptr);
  small.SetPanelData(&few);
  small.SetCols(20);
  small.SetRows(20);
  small.SetCellSize(64);
  panel->SetPanelData(&few);
  panel->SetCols(5000);
  panel->SetRows(5000);
  panel->SetCellSize(64);
  ASSERT_EQ(panel->Cols(), 5000);
  const QRect region(0, 0, 300, 200);
  QImage big(region.size(), QImage::Format_RGB32);
  QImage reference(region.size(), QImage::Format_RGB32);
  panel->render(&big, QPoint(), QRegion(region));
  small.render(&reference, QPoint(), QRegion(region));
  EXPECT_TRUE(big == reference);
}

}  // namespace
}  // namespace morvit
