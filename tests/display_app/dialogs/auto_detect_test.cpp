// The auto-detect wizard: the detection run with strips of any length, the
// two screens of the mapping step and their unit mapping, going back and
// forth between the steps (the sanitizer run catches a model freed under
// the panel), tearing the wizard down at every step, and the wizard run
// from the main window.
#include <QImage>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "display_app/dialogs/auto_detect.h"
#include "display_app/model/globals.h"
#include "display_app/model/scroll_layout.h"
#include "display_app/test_seams.h"
#include "display_app/views/led_panel.h"
#include "display_app/views/main_window.h"
#include "platform/ui/application.h"
#include "platform/ui/color.h"
#include "platform/ui/image.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/panel.h"
#include "platform/ui/timer.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/controls/kwo_list_box.h"
#include "skin_toolkit/controls/kwo_page_control.h"
#include "skin_toolkit/controls/kwo_scroll_bar.h"
#include "tests/support/test_link_services.h"
#include "tests/support/ui/ui_fixtures.h"

namespace morvit {
namespace {

// Clicks the button as the mouse would: a disabled one takes no click.
void press(kwo::TImageButton *button) { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); }

struct Buttons {
  bool start, prev, next, finished, cancel;
  bool operator==(const Buttons &) const = default;
};

Buttons buttonsOf(const TfrmAutoDetect &w) {
  return {w.btnStart->isEnabled(), w.btnPrev->isEnabled(), w.btnNext->isEnabled(), w.btnFinished->isEnabled(),
          w.btnCancel->isEnabled()};
}

void PrintTo(const Buttons &b, std::ostream *os) {
  *os << "{start " << b.start << ", prev " << b.prev << ", next " << b.next << ", finished " << b.finished
      << ", cancel " << b.cancel << "}";
}

constexpr Buttons kStep0Empty{true, false, false, false, true};
constexpr Buttons kStep1Unmapped{false, true, false, false, true};

class AutoDetectTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    wizard = std::make_unique<TfrmAutoDetect>(nullptr);
    wizard->show();
  }
  void TearDown() override {
    wizard.reset();
    UiTest::TearDown();
  }

  QStringList devices() const {
    QStringList items;
    for (int i = 0; i < wizard->lbDevices->count(); ++i) items << wizard->lbDevices->item(i);
    return items;
  }
  QColor animationPixel() const { return wizard->imgAnimation->picture().toImage().pixelColor(16, 16); }
  // Ticks until the run ends; returns the ticks taken (at most 100).
  int runAnimation() {
    int ticks = 0;
    while (wizard->tmrAnimation->running() && ticks < 100) {
      wizard->tmrAnimation->tick();
      ++ticks;
    }
    return ticks;
  }
  void detectAndGoOn() {
    press(wizard->btnStart);
    runAnimation();
    press(wizard->btnNext);
  }
  TLedPanelData &screen(int i) const { return *wizard->Screens().at(static_cast<size_t>(i)); }
  // The Mapping submenu as the popup builds it.
  std::vector<ui::MenuItem *> mappingItems() const {
    wizard->pmLedUnit->OnPopup(wizard->pmLedUnit);
    return wizard->mnMapping->items();
  }
  // Maps unit onto (col, row) of the screen shown, through the popup.
  void mapUnit(int unit, int col, int row) {
    wizard->LedPanel()->SelectCell(col, row);
    const std::vector<ui::MenuItem *> items = mappingItems();
    ASSERT_LT(unit, static_cast<int>(items.size()));
    items[static_cast<size_t>(unit)]->click();
  }
  void mapWholeScreen(int i) {
    wizard->lvLedPanels->setItemIndex(i);
    const TLedPanelData &s = screen(i);
    for (int unit = 0; unit < s.Count; ++unit) mapUnit(unit, unit % s.Cols, unit / s.Cols);
  }
  static int mappedCount(const TLedPanelData &s) {
    int n = 0;
    for (const LedUnitState &u : s.Units) n += u.Mapped ? 1 : 0;
    return n;
  }

  std::unique_ptr<TfrmAutoDetect> wizard;
};

TEST_F(AutoDetectTest, OpensOnTheDetectingPageWithTheButtonsOfStepZero) {
  EXPECT_EQ(wizard->Step(), 0);
  EXPECT_EQ(buttonsOf(*wizard), kStep0Empty);
  EXPECT_EQ(wizard->lbDevices->count(), 0);
  EXPECT_EQ(wizard->pcStep->activePage(), wizard->tsDetecting);
  EXPECT_TRUE(wizard->tsDetecting->isEnabled());
  // Pages are built disabled; only showing one enables it.
  EXPECT_FALSE(wizard->tsMapping->recordedEnabled());
  EXPECT_FALSE(wizard->tmrAnimation->enabled());
  EXPECT_EQ(wizard->tmrAnimation->interval(), 128);
  EXPECT_EQ(wizard->AnimFrame(), 1);
  EXPECT_EQ(wizard->windowState(), ui::WindowState::Maximized);

  // The looks: the bars from the form, the device list its own.
  EXPECT_EQ(wizard->scbVertical->uiStyle(), kwo::TkwoUIStyle::BlueGlass);
  EXPECT_EQ(wizard->scbHorizontal->uiStyle(), kwo::TkwoUIStyle::BlueGlass);
  EXPECT_EQ(wizard->lbDevices->uiStyle(), kwo::TkwoUIStyle::DeepBlue);

  // The pages fill what the 41-pixel strip under them leaves; the buttons
  // sit at its right, 8 pixels apart, in their order.
  EXPECT_EQ(wizard->pnlButtons->height(), 41);
  EXPECT_EQ(wizard->pcStep->boundsRect().bottom() + 1, wizard->pnlButtons->top());
  const int right = wizard->pnlButtons->clientRect().right() + 1;
  EXPECT_EQ(wizard->btnCancel->boundsRect().right() + 1, right - 8);
  const std::vector<kwo::TImageButton *> row{wizard->btnStart, wizard->btnPrev, wizard->btnNext,
                                             wizard->btnFinished, wizard->btnCancel};
  for (size_t i = 0; i < row.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(row[i]->size(), QSize(73, 25));
    if (i > 0) {
      EXPECT_EQ(row[i]->left() - row[i - 1]->boundsRect().right() - 1, 8);
    }
  }
  // The detecting panel is centred in its page.
  const QRect page = wizard->tsDetecting->clientRect();
  EXPECT_EQ(wizard->pnlDetecting->left(), std::max(0, (page.width() - 505) / 2));
  EXPECT_EQ(wizard->pnlDetecting->top(), std::max(0, (page.height() - 452) / 2));
}

TEST_F(AutoDetectTest, EscapeCancelsAndEnterPressesNothing) {
  testsupport::pressKey(wizard.get(), Qt::Key_Return);
  EXPECT_EQ(wizard->modalResult(), ui::mrNone);
  EXPECT_EQ(wizard->Step(), 0);
  testsupport::pressKey(wizard.get(), Qt::Key_Escape);
  EXPECT_EQ(wizard->modalResult(), ui::mrCancel);
}

TEST_F(AutoDetectTest, EachStartListsTheDeviceOnceWhateverTheStripHolds) {
  struct StripCase {
    int frames;
    int ticks;
  };
  const StripCase cases[] = {{0, 1}, {1, 1}, {2, 1}, {8, 7}};
  for (const StripCase &c : cases) {
    SCOPED_TRACE(c.frames);
    wizard = std::make_unique<TfrmAutoDetect>(nullptr);
    setAnimationFramesForTests(*wizard, c.frames);
    wizard->show();
    const QColor background = ui::toQColor(wizard->pnlDetecting->color());
    const QColor first = c.frames > 0 ? ui::toQColor(autoDetectTestFrameColour(0)) : background;
    // Opening shows frame 0 and lists nothing, even for the shortest strips.
    EXPECT_EQ(animationPixel(), first);
    EXPECT_TRUE(devices().isEmpty());

    for (int run = 1; run <= 2; ++run) {
      SCOPED_TRACE(run);
      press(wizard->btnStart);
      EXPECT_FALSE(wizard->btnNext->isEnabled());
      EXPECT_TRUE(wizard->tmrAnimation->running());
      for (int t = 1; t < c.ticks; ++t) {
        wizard->tmrAnimation->tick();
        EXPECT_EQ(animationPixel(), ui::toQColor(autoDetectTestFrameColour(t)));
        EXPECT_EQ(devices().size(), run - 1);
      }
      EXPECT_EQ(runAnimation(), 1);
      EXPECT_EQ(devices(), QStringList(run, QStringLiteral("Pellmar Screen1")));
      EXPECT_TRUE(wizard->btnNext->isEnabled());
      EXPECT_FALSE(wizard->tmrAnimation->running());
      EXPECT_EQ(animationPixel(), first);
      EXPECT_EQ(wizard->AnimFrame(), 1);
    }
  }
}

TEST_F(AutoDetectTest, TheBuiltInStripHoldsEightDifferentFrames) {
  ASSERT_EQ(wizard->imglAnimation->count(), 8);
  ASSERT_EQ(wizard->imglAnimation->width(), 32);
  std::vector<QImage> frames;
  for (int i = 0; i < 8; ++i) frames.push_back(wizard->imglAnimation->image(i).toImage());
  for (int i = 1; i < 8; ++i) EXPECT_NE(frames[static_cast<size_t>(i)], frames[0]) << i;
}

TEST_F(AutoDetectTest, NextShowsTwoUnmappedScreensWithTheFirstAttached) {
  detectAndGoOn();
  ASSERT_EQ(wizard->Step(), 1);
  EXPECT_EQ(buttonsOf(*wizard), kStep1Unmapped);
  EXPECT_EQ(wizard->pcStep->activePage(), wizard->tsMapping);
  EXPECT_TRUE(wizard->tsMapping->isEnabled());

  ASSERT_EQ(wizard->Screens().size(), 2u);
  struct Shape {
    int count, cols, rows;
  };
  const Shape shapes[] = {{48, 8, 6}, {24, 6, 4}};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(screen(i).Count, shapes[i].count);
    EXPECT_EQ(screen(i).Cols, shapes[i].cols);
    EXPECT_EQ(screen(i).Rows, shapes[i].rows);
    EXPECT_EQ(mappedCount(screen(i)), 0);
  }
  EXPECT_EQ(wizard->lvLedPanels->itemCount(), 2);
  EXPECT_EQ(wizard->lvLedPanels->item(1).caption, QStringLiteral("Pellmar Screen2"));
  EXPECT_EQ(wizard->lvLedPanels->itemIndex(), 0);

  TLedPanel *panel = wizard->LedPanel();
  EXPECT_EQ(panel->Data(), &screen(0));
  EXPECT_EQ(panel->parentControl(), wizard->pnlLedPanel);
  EXPECT_EQ(panel->Cols(), 8);
  EXPECT_EQ(panel->Rows(), 6);
  // The mapping area: title 40 high, the screen list 89 wide on the left.
  EXPECT_EQ(wizard->pnlLedPanel->size(), QSize(880, 537));
  EXPECT_EQ(wizard->lvLedPanels->width(), 89);
  EXPECT_EQ(wizard->pnlLedPanel->top(), 40);
  // 512 x 384 plus the margins fit: centred, no bars.
  EXPECT_EQ(panel->pos(), QPoint(184, 76));
  EXPECT_FALSE(wizard->scbVertical->visible());
  EXPECT_FALSE(wizard->scbHorizontal->visible());
  EXPECT_FALSE(wizard->pnlCorner->visible());

  const std::vector<ui::MenuItem *> items = mappingItems();
  ASSERT_EQ(items.size(), 48u);
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i]->caption(), QString::asprintf("%03d", static_cast<int>(i)));
    EXPECT_EQ(items[i]->tag(), static_cast<intptr_t>(i));
  }
  // Built afresh at each popup.
  EXPECT_EQ(mappingItems().size(), 48u);
}

TEST_F(AutoDetectTest, ZoomingOutUntilThePanelOverflowsShowsBothBarsAndScrolls) {
  detectAndGoOn();
  TLedPanel *panel = wizard->LedPanel();
  // 8 x 6 cells of 114: 912 x 684 plus the margins, larger both ways.
  for (int i = 0; i < 5; ++i) wizard->mnZoomOut->click();
  ASSERT_EQ(panel->CellSize(), 114);
  // The layout reads the bars' thickness back: BlueGlass bars are 17 thick.
  ASSERT_EQ(wizard->scbVertical->width(), 17);
  ASSERT_EQ(wizard->scbHorizontal->height(), 17);
  const ScrollLayout expected = ComputeScrollLayout(912 + 40, 684 + 40, 880, 537, wizard->scbVertical->width(),
                                                    wizard->scbHorizontal->height(), 20);
  ASSERT_EQ(expected.caseNumber, 5);
  EXPECT_TRUE(wizard->scbVertical->visible());
  EXPECT_TRUE(wizard->scbHorizontal->visible());
  EXPECT_TRUE(wizard->pnlCorner->visible());
  EXPECT_EQ(wizard->pnlCorner->pos(), QPoint(expected.cornerLeft, expected.cornerTop));
  EXPECT_EQ(wizard->scbHorizontal->max(), expected.horizontal.max);
  EXPECT_EQ(wizard->scbVertical->max(), expected.vertical.max);
  EXPECT_EQ(wizard->scbVertical->height(), expected.visibleHeight);
  EXPECT_EQ(wizard->scbHorizontal->width(), expected.visibleWidth);
  // The arrows step by the visible extent (the page size the bar refuses
  // while it exceeds Max).
  EXPECT_EQ(wizard->scbHorizontal->smallChange(), expected.visibleWidth);
  EXPECT_EQ(wizard->scbVertical->smallChange(), expected.visibleHeight);
  EXPECT_EQ(wizard->scbVertical->lineButton(), expected.vertical.lineButton);
  EXPECT_EQ(panel->pos(), QPoint(20, 20));

  wizard->scbHorizontal->setPosition(30);
  wizard->scbVertical->setPosition(50);
  EXPECT_EQ(panel->pos(), QPoint(-10, -30));

  // Back in: the bars go and the panel is centred again.
  for (int i = 0; i < 5; ++i) wizard->mnZoomIn->click();
  EXPECT_EQ(panel->CellSize(), 64);
  EXPECT_FALSE(wizard->scbHorizontal->visible());
  EXPECT_EQ(panel->pos(), QPoint(184, 76));
}

TEST_F(AutoDetectTest, MappingMovesUnitsAndEnablesNextOnlyWithBothScreensMapped) {
  detectAndGoOn();
  mapUnit(3, 2, 1);
  EXPECT_EQ(screen(0).FindUnitAt(2, 1), 3);
  // Onto an occupied cell: the other unit is unmapped.
  mapUnit(4, 2, 1);
  EXPECT_EQ(screen(0).FindUnitAt(2, 1), 4);
  EXPECT_FALSE(screen(0).Units[3].Mapped);
  // Remapping empties the old cell.
  mapUnit(4, 5, 5);
  EXPECT_EQ(screen(0).FindUnitAt(2, 1), -1);
  EXPECT_EQ(screen(0).FindUnitAt(5, 5), 4);

  mapWholeScreen(0);
  EXPECT_TRUE(screen(0).AllUnitsMapped());
  EXPECT_FALSE(wizard->btnNext->isEnabled());
  EXPECT_EQ(wizard->LedPanel()->Data(), &screen(0));

  mapWholeScreen(1);
  EXPECT_EQ(wizard->LedPanel()->Data(), &screen(1));
  EXPECT_EQ(wizard->LedPanel()->Cols(), 6);
  EXPECT_TRUE(screen(1).AllUnitsMapped());
  EXPECT_TRUE(wizard->btnNext->isEnabled());

  // Clearing disables nothing.
  wizard->nmClearMap->click();
  EXPECT_EQ(mappedCount(screen(1)), 0);
  EXPECT_TRUE(wizard->btnNext->isEnabled());
}

TEST_F(AutoDetectTest, StepTwoKeepsThePageAndPrevRebuildsStepOne) {
  detectAndGoOn();
  mapWholeScreen(0);
  mapWholeScreen(1);
  const Buttons mapped = buttonsOf(*wizard);
  press(wizard->btnNext);
  EXPECT_EQ(wizard->Step(), 2);
  EXPECT_EQ(wizard->pcStep->activePage(), wizard->tsMapping);
  EXPECT_EQ(buttonsOf(*wizard), mapped);

  press(wizard->btnPrev);
  EXPECT_EQ(wizard->Step(), 1);
  EXPECT_EQ(buttonsOf(*wizard), kStep1Unmapped);
  EXPECT_EQ(mappedCount(screen(0)) + mappedCount(screen(1)), 0);
  EXPECT_EQ(wizard->LedPanel()->Data(), &screen(0));
  EXPECT_EQ(wizard->LedPanel()->Cols(), 8);
}

TEST_F(AutoDetectTest, PrevThenNextGivesFreshModelsEveryTime) {
  detectAndGoOn();
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    // The second screen is shown when the old models go: the panel must let
    // go of it first.
    wizard->lvLedPanels->setItemIndex(1);
    mapUnit(0, 0, 0);
    press(wizard->btnPrev);
    EXPECT_EQ(wizard->Step(), 0);
    EXPECT_EQ(wizard->pcStep->activePage(), wizard->tsDetecting);
    EXPECT_TRUE(wizard->tsDetecting->isEnabled());
    EXPECT_EQ(buttonsOf(*wizard), (Buttons{true, false, true, false, true}));
    wizard->LedPanel()->update();
    press(wizard->btnNext);
    ASSERT_EQ(wizard->Step(), 1);
    EXPECT_TRUE(wizard->tsMapping->isEnabled());
    EXPECT_EQ(wizard->LedPanel()->Data(), &screen(0));
    EXPECT_EQ(mappedCount(screen(0)) + mappedCount(screen(1)), 0);
    // The panel paints the new model.
    EXPECT_FALSE(wizard->LedPanel()->grab().isNull());
  }
}

TEST_F(AutoDetectTest, NothingIsMappedWithoutAModelAUnitOrAVisibleCell) {
  // No model yet: the popup lists nothing and the commands do nothing.
  EXPECT_TRUE(mappingItems().empty());
  ui::MenuItem stray(nullptr);
  stray.setTag(0);
  wizard->mnMappingClick(&stray);
  wizard->nmClearMapClick();

  detectAndGoOn();
  // A tag from the first screen's menu, used on the smaller second screen.
  const std::vector<ui::MenuItem *> first = mappingItems();
  ASSERT_EQ(first.size(), 48u);
  wizard->lvLedPanels->setItemIndex(1);
  wizard->LedPanel()->SelectCell(1, 1);
  wizard->mnMappingClick(first[40]);
  stray.setTag(-1);
  wizard->mnMappingClick(&stray);
  EXPECT_EQ(mappedCount(screen(1)), 0);

  // The selection (7, 5) of the first screen lies outside the second.
  wizard->lvLedPanels->setItemIndex(0);
  wizard->LedPanel()->SelectCell(7, 5);
  wizard->lvLedPanels->setItemIndex(1);
  ASSERT_EQ(wizard->LedPanel()->SelCol(), 7);
  mapUnit(2, wizard->LedPanel()->SelCol(), wizard->LedPanel()->SelRow());
  EXPECT_EQ(mappedCount(screen(1)), 0);
  EXPECT_EQ(mappedCount(screen(0)), 0);
}

TEST_F(AutoDetectTest, TheTabsRefuseClicks) {
  detectAndGoOn();
  kwo::TkwoTabControlTopPanel *strip = wizard->pcStep->strip();
  QPoint onDetecting(-1, -1);
  for (int x = 0; x < strip->width() && onDetecting.x() < 0; ++x) {
    for (int y = 0; y < strip->height(); ++y) {
      if (strip->tabAt(x, y) == 0) {
        onDetecting = QPoint(x, y);
        break;
      }
    }
  }
  ASSERT_GE(onDetecting.x(), 0);
  QTest::mouseClick(strip, Qt::LeftButton, {}, onDetecting);
  EXPECT_EQ(wizard->pcStep->activePage(), wizard->tsMapping);
  EXPECT_EQ(wizard->Step(), 1);
}

TEST_F(AutoDetectTest, MinimisingAndRestoringKeepsTheStep) {
  detectAndGoOn();
  mapUnit(0, 0, 0);
  wizard->setWindowState(ui::WindowState::Minimized);
  wizard->setWindowState(ui::WindowState::Maximized);
  QCoreApplication::processEvents();
  EXPECT_EQ(wizard->Step(), 1);
  EXPECT_EQ(mappedCount(screen(0)), 1);
}

TEST_F(AutoDetectTest, PropertiesShowsAnEmptyBoxOnlyWithAScreenSelected) {
  testsupport::MessageBoxScript boxes;
  // No screen listed yet.
  wizard->mnLEDPanelProp->click();
  EXPECT_TRUE(boxes.shown().empty());

  detectAndGoOn();
  boxes.answer(ui::IDOK);
  wizard->mnLEDPanelProp->click();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, QString());
  EXPECT_EQ(boxes.shown()[0].caption, ui::Application::instance()->title());
  EXPECT_EQ(boxes.shown()[0].flags, ui::MB_OK);
}

TEST_F(AutoDetectTest, TearsDownCleanlyAtEveryStep) {
  for (int step = 0; step <= 2; ++step) {
    SCOPED_TRACE(step);
    wizard = std::make_unique<TfrmAutoDetect>(nullptr);
    wizard->show();
    if (step >= 1) {
      detectAndGoOn();
      wizard->lvLedPanels->setItemIndex(1);
    }
    if (step == 2) {
      mapWholeScreen(0);
      mapWholeScreen(1);
      press(wizard->btnNext);
    }
    ASSERT_EQ(wizard->Step(), step);
    // A run still going when the wizard goes.
    if (step == 0) press(wizard->btnStart);
    QPointer<TLedPanel> panel = wizard->LedPanel();
    wizard.reset();
    EXPECT_TRUE(panel.isNull()) << "the LED panel outlived the wizard";
  }
}

// Through the main window: detect, map all 72 units, then cancel.
class AutoDetectFromMainWindowTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    resetGlobalsForTests();
  }
  void TearDown() override {
    window.reset();
    UiTest::TearDown();
    resetGlobalsForTests();
  }
  testsupport::TempAppDir dir;
  std::unique_ptr<TfrmMain> window;
};

TEST_F(AutoDetectFromMainWindowTest, MappingEveryUnitEnablesNextAndCancelGivesTwo) {
  window = createMainWindow(testsupport::LocalLinkServices());
  ASSERT_NE(window, nullptr);
  testsupport::ModalScript modals;
  int result = -1;
  int unitsMapped = 0;
  bool nextEnabled = false;
  modals.then([&](ui::Form &form) {
    auto *w = qobject_cast<TfrmAutoDetect *>(&form);
    if (w == nullptr) return ui::mrNone;
    w->show();
    press(w->btnStart);
    while (w->tmrAnimation->running()) w->tmrAnimation->tick();
    press(w->btnNext);
    for (int s = 0; s < 2; ++s) {
      w->lvLedPanels->setItemIndex(s);
      TLedPanelData &model = *w->Screens()[static_cast<size_t>(s)];
      for (int unit = 0; unit < model.Count; ++unit) {
        w->LedPanel()->SelectCell(unit % model.Cols, unit / model.Cols);
        w->pmLedUnit->OnPopup(w->pmLedUnit);
        w->mnMapping->item(unit)->click();
        unitsMapped += model.Units[static_cast<size_t>(unit)].Mapped ? 1 : 0;
      }
    }
    nextEnabled = w->btnNext->isEnabled();
    press(w->btnCancel);
    result = w->modalResult();
    return result;
  });
  window->mnAutoDetect->click();
  EXPECT_EQ(unitsMapped, 72);
  EXPECT_TRUE(nextEnabled);
  EXPECT_EQ(result, ui::mrCancel);
  EXPECT_EQ(frmAutoDetect, nullptr);
}

}  // namespace
}  // namespace morvit
