// The screen monitor view in the main window: the scrolled LED panel and its
// bars, zoom, the unit status text, the popup's unit details and the legend.
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "display_app/dialogs/led_unit_details.h"
#include "display_app/model/globals.h"
#include "display_app/model/legend_layout.h"
#include "display_app/test_seams.h"
#include "display_app/views/led_panel.h"
#include "display_app/views/main_window.h"
#include "display_app/views/monitor_view.h"
#include "display_app/views/status_hint.h"
#include "platform/ui/color.h"
#include "platform/ui/menu.h"
#include "platform/ui/panel.h"
#include "platform/ui/status_bar.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/controls/kwo_scroll_bar.h"
#include "skin_toolkit/frames/kwo_menu.h"
#include "tests/support/test_link_services.h"
#include "tests/support/ui/ui_fixtures.h"

namespace morvit {
namespace {

void sendMouse(QWidget &w, QEvent::Type type, Qt::MouseButton button, QPoint at) {
  QMouseEvent e(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, button, Qt::NoModifier);
  QApplication::sendEvent(&w, &e);
}

// Where the bars, the corner and the panel are, and what the bars hold.
struct AreaState {
  bool hVisible, vVisible, cornerVisible;
  QRect hBar, vBar, corner;
  int hMax, vMax, hLine, vLine;
  QPoint panel;
  bool operator==(const AreaState &) const = default;
};

std::ostream &operator<<(std::ostream &os, const AreaState &s) {
  const auto rect = [&os](const QRect &r) {
    os << "(" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << ")";
  };
  os << "h " << s.hVisible << " ";
  rect(s.hBar);
  os << " max " << s.hMax << " line " << s.hLine << "; v " << s.vVisible << " ";
  rect(s.vBar);
  os << " max " << s.vMax << " line " << s.vLine << "; corner " << s.cornerVisible << " ";
  rect(s.corner);
  return os << "; panel (" << s.panel.x() << "," << s.panel.y() << ")";
}

// The 12 x 12 screen at 64 pixels in the 535 x 487 area: both bars.
const AreaState kBothBarsAt64{true,  true, true, QRect(0, 470, 518, 17), QRect(518, 0, 17, 470),
                              QRect(518, 470, 17, 17), 266, 314, 320, 261, QPoint(8, 8)};

class MonitorViewTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    resetGlobalsForTests();
    window = createMainWindow(testsupport::LocalLinkServices());
    ASSERT_NE(window, nullptr);
    window->mnLoad->click();
    monitor = window->monitorView();
    ASSERT_NE(monitor, nullptr);
  }
  void TearDown() override {
    window.reset();
    resetGlobalsForTests();
    UiTest::TearDown();
  }

  AreaState area() const {
    const kwo::TkwoScrollBar &h = *monitor->scbHorizontal;
    const kwo::TkwoScrollBar &v = *monitor->scbVertical;
    return {h.visible(),     v.visible(),  monitor->pnlCorner->visible(),
            h.boundsRect(),  v.boundsRect(), monitor->pnlCorner->boundsRect(),
            h.max(),         v.max(),      h.lineButton(),
            v.lineButton(),  monitor->ledPanel()->boundsRect().topLeft()};
  }
  QString statusText() const { return monitor->stbM->panel(0).text; }

  void rightClickCell(int col, int row) {
    TLedPanel &panel = *monitor->ledPanel();
    const QPoint at(col * panel.CellSize() + 10, row * panel.CellSize() + 10);
    sendMouse(panel, QEvent::MouseButtonPress, Qt::RightButton, at);
    sendMouse(panel, QEvent::MouseButtonRelease, Qt::RightButton, at);
    QContextMenuEvent context(QContextMenuEvent::Mouse, at, panel.mapToGlobal(at));
    QApplication::sendEvent(&panel, &context);
    monitor->pmLedUnit->closeUp();
  }

  testsupport::TempAppDir dir;
  std::unique_ptr<TfrmMain> window;
  TfrmMonitor *monitor = nullptr;
};

TEST_F(MonitorViewTest, DemonstrationScreenScrollsAtStartAlsoOnceShown) {
  EXPECT_EQ(window->pnlMain->clientRect().size(), QSize(441, 576));
  EXPECT_EQ(monitor->pnlMain->boundsRect().topLeft(), QPoint(0, 3));
  EXPECT_EQ(monitor->pnlLedPanel->clientRect().size(), QSize(535, 487));
  EXPECT_EQ(monitor->ledPanel()->CellSize(), 64);
  EXPECT_EQ(area(), kBothBarsAt64);

  window->mnLedPanel->click();
  ASSERT_TRUE(monitor->isVisible());
  EXPECT_EQ(area(), kBothBarsAt64);
  // A layout run for the outer panel still uses the area the bars live in.
  monitor->pnlLedPanelResize(monitor->pnlClient);
  EXPECT_EQ(area(), kBothBarsAt64);

  monitor->scbHorizontal->setPosition(100);
  EXPECT_EQ(monitor->ledPanel()->left(), -92);
  monitor->scbVertical->setPosition(50);
  EXPECT_EQ(monitor->ledPanel()->top(), -42);
}

TEST_F(MonitorViewTest, ZoomingInUntilThePanelFitsCentresItWhereverTheBarsWere) {
  window->mnLedPanel->click();
  monitor->scbHorizontal->setPosition(200);
  monitor->scbVertical->setPosition(250);
  for (int i = 0; i < 3; ++i) window->mnZoomIn->click();
  EXPECT_EQ(monitor->ledPanel()->CellSize(), 34);
  EXPECT_FALSE(monitor->scbHorizontal->visible());
  EXPECT_FALSE(monitor->scbVertical->visible());
  EXPECT_FALSE(monitor->pnlCorner->visible());
  EXPECT_EQ(monitor->ledPanel()->boundsRect().topLeft(), QPoint(63, 39));

  // Back out again: the bars return, the panel at the margin.
  for (int i = 0; i < 3; ++i) window->mnZoomOut->click();
  EXPECT_EQ(monitor->ledPanel()->CellSize(), 64);
  EXPECT_EQ(area(), kBothBarsAt64);
}

TEST_F(MonitorViewTest, ZoomCommandsStepTheCellSizeByTen) {
  struct Step {
    ui::MenuItem *item;
    int expect;
  } steps[] = {{window->mnZoomIn, 54},       {window->mnZoomOut, 64},     {monitor->mnZoomIn, 54},
               {monitor->mnZoomOut, 64},     {monitor->mnZoomOut, 74}};
  for (const Step &s : steps) {
    s.item->click();
    EXPECT_EQ(monitor->ledPanel()->CellSize(), s.expect) << s.item->caption().toStdString();
  }
}

TEST_F(MonitorViewTest, UnitDetailsOpensOnTheRightClickedUnit) {
  EXPECT_EQ(statusText(), QStringLiteral("Address=0 Col=00 Row=00"));
  window->mnLedPanel->click();

  QPoint seen(-1, -1);
  monitor->pmLedUnit->OnPopup = [&](ui::PopupMenu *) {
    seen = {monitor->ledPanel()->SelCol(), monitor->ledPanel()->SelRow()};
  };
  rightClickCell(3, 2);
  EXPECT_EQ(seen, QPoint(3, 2));
  EXPECT_EQ(statusText(), QStringLiteral("Address=27 Col=03 Row=02"));

  testsupport::ModalScript modal;
  int shownAddress = -1;
  QString temperatureShown;
  modal.then([&](ui::Form &form) {
    auto *details = dynamic_cast<TfrmLedUnitDetails *>(&form);
    EXPECT_NE(details, nullptr);
    if (details == nullptr) return ui::mrCancel;
    shownAddress = details->unit().Address;
    // The dialog holds a copy: the model changing under it changes nothing.
    monitor->screen()->Units[27].Temperature = 99.5;
    temperatureShown = details->ValueText(TfrmLedUnitDetails::rowTemperature);
    return ui::mrOk;
  });
  monitor->mnUnitDetail->click();
  EXPECT_EQ(shownAddress, 27);
  EXPECT_EQ(temperatureShown, QStringLiteral("27.00C"));
  ASSERT_EQ(modal.shown().size(), 1u);
  EXPECT_EQ(modal.shown()[0].caption, QStringLiteral("LEDUnit Status"));

  // A left double click opens the same dialog on the cell it selects.
  modal.then([&](ui::Form &form) {
    auto *details = dynamic_cast<TfrmLedUnitDetails *>(&form);
    shownAddress = details == nullptr ? -1 : details->unit().Address;
    return ui::mrOk;
  });
  const QPoint at(5 * 64 + 10, 10);
  sendMouse(*monitor->ledPanel(), QEvent::MouseButtonPress, Qt::LeftButton, at);
  sendMouse(*monitor->ledPanel(), QEvent::MouseButtonRelease, Qt::LeftButton, at);
  sendMouse(*monitor->ledPanel(), QEvent::MouseButtonDblClick, Qt::LeftButton, at);
  EXPECT_EQ(shownAddress, 5);
}

TEST_F(MonitorViewTest, CellsWithoutUnitsOpenNothing) {
  testsupport::ModalScript modal;  // any dialog shown fails the test
  monitor->screen()->ClearMapping();
  monitor->mnUnitDetail->click();
  monitor->LEDPanelDblClick(monitor->ledPanel());

  monitor->ledPanel()->SelectCell(4, 2);
  EXPECT_EQ(statusText(), QStringLiteral("Address=NULL Col=04 Row=02"));
  monitor->mnUnitDetail->click();
  EXPECT_TRUE(modal.shown().empty());
}

TEST_F(MonitorViewTest, StaleSelectionOnASmallerModelShowsNoAddress) {
  // Unit 100 selected, then a model of 24 units: the old position is past
  // its end.
  monitor->ledPanel()->SelectCell(4, 8);
  ASSERT_EQ(monitor->ledPanel()->SelUnit(), 100);
  TLedPanelData small(24);
  monitor->ledPanel()->SetPanelData(&small);
  monitor->UpdateUnitStatusText();
  EXPECT_EQ(statusText(), QStringLiteral("Address=NULL Col=04 Row=08"));
  monitor->ledPanel()->SetPanelData(monitor->screen());
}

// The unit text is read whole: it fits its panel, up to five-digit unit
// addresses; a longer one is carried whole by the bar's hint.
TEST_F(MonitorViewTest, TheUnitTextFitsItsPanelOrTheHintCarriesIt) {
  window->mnLedPanel->click();
  monitor->ledPanel()->SelectCell(11, 11);
  const QFont font = monitor->stbM->font();
  const struct {
    int32_t address;
    QString text;
    bool fits;
  } cases[] = {
      {143, QStringLiteral("Address=143 Col=11 Row=11"), true},
      {99999, QStringLiteral("Address=99999 Col=11 Row=11"), true},
      {-2147483647, QStringLiteral("Address=-2147483647 Col=11 Row=11"), false},
  };
  LedUnitState &unit = monitor->screen()->Units.at(143);
  for (const auto &c : cases) {
    unit.Address = c.address;
    monitor->UpdateUnitStatusText();
    EXPECT_EQ(statusText(), c.text);
    EXPECT_EQ(FitsPanel(*monitor->stbM, 0, font), c.fits) << c.address;
    EXPECT_EQ(monitor->stbM->hint(), c.fits ? QString() : c.text);
  }
  unit.Address = 143;

  // No unit on the cell.
  TLedPanelData small(24);
  monitor->ledPanel()->SetPanelData(&small);
  monitor->UpdateUnitStatusText();
  EXPECT_EQ(statusText(), QStringLiteral("Address=NULL Col=11 Row=11"));
  EXPECT_TRUE(FitsPanel(*monitor->stbM, 0, font));
  monitor->ledPanel()->SetPanelData(monitor->screen());
}

TEST_F(MonitorViewTest, LegendSquaresShowTheirColours) {
  window->mnLedPanel->click();
  const QRect r = monitor->stbM->panelRect(1);
  const QFontMetrics metrics(monitor->stbM->font());
  const std::vector<LegendItem> items = LegendLayout(
      {r.left(), r.top(), r.width(), r.height()},
      {metrics.horizontalAdvance(QStringLiteral("OK")), metrics.horizontalAdvance(QStringLiteral("INVALID")),
       metrics.horizontalAdvance(QStringLiteral("POWEROFF"))});
  ASSERT_EQ(items.size(), 3u);
  const QImage picture = monitor->stbM->grab().toImage();
  const QColor fills[] = {QColor(0, 255, 0), QColor(255, 255, 0), QColor(0, 0, 0)};
  for (size_t i = 0; i < items.size(); ++i) {
    const LegendRect &sq = items[i].square;
    SCOPED_TRACE(i);
    ASSERT_LT(sq.right(), picture.width());
    EXPECT_EQ(picture.pixelColor(sq.left + sq.width / 2, sq.top + sq.height / 2), fills[i]);
    EXPECT_EQ(picture.pixelColor(sq.left, sq.top), QColor(64, 64, 64));
  }
}

}  // namespace
}  // namespace morvit
