// The check box, radio button, combo box and page control on the offscreen
// platform: when their events fire and in which order.
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "color.h"
#include "controls/kwo_check_box.h"
#include "controls/kwo_combo_box.h"
#include "controls/kwo_page_control.h"
#include "panel.h"
#include "ui_fixtures.h"

namespace kwo {
namespace {

class ControlsTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 400, 300);
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  void focusOn(QWidget *w) {
    form->show();
    QApplication::setActiveWindow(form.get());
    w->setFocus(Qt::OtherFocusReason);
    testsupport::processEvents();
  }
  template <typename T>
  T *make(ui::Control *parent) {
    auto *c = new T(form.get());
    c->setParentControl(parent);
    return c;
  }

  std::unique_ptr<ui::Form> form;
  std::vector<std::string> log;
};

// --- Check box ---

TEST_F(ControlsTest, CheckBoxTellsOfEveryChangeButTheSameValueAndLoading) {
  auto *box = make<TkwoCheckBox>(form.get());
  int clicks = 0;
  box->OnClick = [&](ui::Control *sender) {
    EXPECT_EQ(sender, box);
    ++clicks;
  };
  box->setChecked(false);
  EXPECT_EQ(clicks, 0);
  box->setChecked(true);
  EXPECT_EQ(clicks, 1);
  box->setChecked(true);
  EXPECT_EQ(clicks, 1);
  box->setState(TCheckBoxState::cbGrayed);  // unchecks
  EXPECT_FALSE(box->checked());
  EXPECT_EQ(box->state(), TCheckBoxState::cbUnchecked);
  EXPECT_EQ(clicks, 2);
  {
    ui::LoadingGuard loading(*form);
    box->setChecked(true);
  }
  EXPECT_TRUE(box->checked());
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(box->state(), TCheckBoxState::cbChecked);

  // The user's click toggles and tells once.
  form->show();
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(box->checked());
  EXPECT_EQ(clicks, 3);
  // Disabled and checked: the third frame.
  box->setChecked(true);
  box->setEnabled(false);
  EXPECT_EQ(box->pictureFrame(), 3);
}

TEST_F(ControlsTest, SpaceTogglesACheckBoxOnly) {
  auto *box = make<TkwoCheckBox>(form.get());
  auto *radio = make<TkwoRadioButton>(form.get());
  radio->setTop(40);
  int boxClicks = 0, radioClicks = 0;
  box->OnClick = [&](ui::Control *) { ++boxClicks; };
  radio->OnClick = [&](ui::Control *) { ++radioClicks; };
  focusOn(box);
  ASSERT_TRUE(box->hasFocus());
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_TRUE(box->checked());
  EXPECT_EQ(boxClicks, 1);
  focusOn(radio);
  ASSERT_TRUE(radio->hasFocus());
  QTest::keyClick(radio, Qt::Key_Space);
  EXPECT_FALSE(radio->checked());
  EXPECT_EQ(radioClicks, 0);
}

TEST_F(ControlsTest, AutoSizeFollowsCaptionFontAndLook) {
  auto *box = make<TkwoCheckBox>(form.get());
  auto expected = [&] {
    const QFontMetrics m(box->font());
    const Size s = CheckAutoSize(box->pictureSize(), m.horizontalAdvance(box->caption()), m.height());
    return QSize(s.width, s.height);
  };
  box->setCaption(QStringLiteral("启用定时计划"));
  EXPECT_EQ(box->size(), expected());
  const int narrow = box->width();
  box->setCaption(QStringLiteral("启用定时计划 and a longer text"));
  EXPECT_GT(box->width(), narrow);
  EXPECT_EQ(box->size(), expected());
  ui::Font big;
  big.height = 30;
  box->setControlFont(big);
  EXPECT_EQ(box->size(), expected());
  box->setUIStyle(TkwoUIStyle::MacOS);
  EXPECT_EQ(box->size(), expected());
  // Bounds from outside keep their place only; painting changes nothing.
  box->setBounds(7, 9, 300, 80);
  EXPECT_EQ(box->pos(), QPoint(7, 9));
  EXPECT_EQ(box->size(), expected());
  const QSize before = box->size();
  form->show();
  (void)box->grab();
  EXPECT_EQ(box->size(), before);
  box->setAutoSize(false);
  box->setBounds(7, 9, 300, 80);
  EXPECT_EQ(box->size(), QSize(300, 80));
}

// --- Radio button ---

TEST_F(ControlsTest, RadioButtonsUncheckTheirGroupOnTheSameParentOnly) {
  auto *panelA = make<ui::Panel>(form.get());
  auto *panelB = make<ui::Panel>(form.get());
  std::vector<TkwoRadioButton *> a;
  for (int i = 0; i < 3; ++i) a.push_back(make<TkwoRadioButton>(panelA));
  auto *otherGroup = make<TkwoRadioButton>(panelA);
  otherGroup->setGroupIndex(1);
  auto *elsewhere = make<TkwoRadioButton>(panelB);
  auto *plainBox = make<TkwoCheckBox>(panelA);
  for (TkwoRadioButton *r : {a[0], a[1], a[2], otherGroup, elsewhere}) {
    r->OnClick = [&, r](ui::Control *) { log.push_back(std::to_string(r->groupIndex()) + r->objectName().toStdString()); };
  }
  a[0]->setObjectName("a0");
  a[1]->setObjectName("a1");
  a[2]->setObjectName("a2");
  otherGroup->setObjectName("g1");
  elsewhere->setObjectName("b0");
  {
    ui::LoadingGuard loading(*form);
    a[0]->setChecked(true);
    otherGroup->setChecked(true);
    elsewhere->setChecked(true);
    plainBox->setChecked(true);
  }
  EXPECT_TRUE(log.empty());

  a[2]->setChecked(true);
  EXPECT_FALSE(a[0]->checked());
  EXPECT_FALSE(a[1]->checked());
  EXPECT_TRUE(a[2]->checked());
  EXPECT_TRUE(otherGroup->checked());
  EXPECT_TRUE(elsewhere->checked());
  EXPECT_TRUE(plainBox->checked());
  // Only the radio button that became checked tells.
  EXPECT_EQ(log, (std::vector<std::string>{"0a2"}));

  // Clicking a checked radio button changes and tells nothing; clicking an
  // unchecked one checks it.
  form->show();
  log.clear();
  QTest::mouseClick(a[2], Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(a[2]->checked());
  EXPECT_TRUE(log.empty());
  QTest::mouseClick(a[1], Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(a[1]->checked());
  EXPECT_FALSE(a[2]->checked());
  EXPECT_EQ(log, (std::vector<std::string>{"0a1"}));
  // Unchecking by code tells nothing.
  log.clear();
  a[1]->setChecked(false);
  EXPECT_TRUE(log.empty());
}

// --- Combo box ---

TEST_F(ControlsTest, ComboBoxTellsOfTheUsersChoicesOnly) {
  auto *combo = make<TkwoComboBox>(form.get());
  combo->setStyle(TComboBoxStyle::csDropDownList);
  int changes = 0;
  combo->OnChange = [&](ui::Control *) { ++changes; };
  QStringList lines;
  for (int i = 0; i < 32; ++i) lines << QString::asprintf("%02d", i);
  combo->setItems(lines);
  EXPECT_EQ(combo->itemIndex(), -1);
  combo->setItemIndex(5);
  combo->setItemIndex(-1);
  combo->setItemIndex(3);
  combo->setText(QStringLiteral("07"));
  combo->addItem(QStringLiteral("32"));
  EXPECT_EQ(combo->itemIndex(), 7);
  // Out of range: ignored.
  combo->setItemIndex(40);
  combo->setItemIndex(-2);
  EXPECT_EQ(combo->itemIndex(), 7);
  EXPECT_EQ(changes, 0);

  // The user picks the next line with the keyboard: one change.
  focusOn(combo->comboBox());
  QTest::keyClick(combo->comboBox(), Qt::Key_Down);
  EXPECT_EQ(combo->itemIndex(), 8);
  EXPECT_EQ(changes, 1);
  // Picking from the list.
  emit combo->comboBox()->activated(2);
  EXPECT_EQ(changes, 2);
  // Not while the window is being built.
  {
    ui::LoadingGuard loading(*form);
    emit combo->comboBox()->activated(1);
  }
  EXPECT_EQ(changes, 2);
}

TEST_F(ControlsTest, ComboBoxLookResetsTheArrowColour) {
  auto *combo = make<TkwoComboBox>(form.get());
  EXPECT_EQ(combo->uiStyle(), TkwoUIStyle::DeepBlue);
  EXPECT_EQ(combo->buttonColor(), platform::RGB(232, 232, 232));
  combo->setArrowColor(platform::RGB(255, 0, 0));
  combo->setBorderColor(platform::RGB(1, 2, 3));
  combo->setUIStyle(TkwoUIStyle::MacOS);
  EXPECT_EQ(combo->arrowColor(), platform::clBlack);
  EXPECT_EQ(combo->borderColor(), platform::RGB(127, 127, 127));
  EXPECT_EQ(combo->buttonColor(), platform::RGB(231, 231, 231));
  // Colours set after the look stay.
  combo->setArrowColor(platform::RGB(0, 0, 255));
  EXPECT_EQ(combo->arrowColor(), platform::RGB(0, 0, 255));
}

// --- Page control ---

class PageControlTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    pc = make<TkwoPageControl>(form.get());
    pc->setBounds(0, 0, 380, 200);
    pc->OnTabActive = [this](TkwoTab *, int index) { log.push_back("tab" + std::to_string(index)); };
    pc->OnChange = [this](ui::Control *) { log.push_back("change"); };
  }
  TkwoTabSheet *addPage(const QString &caption) {
    auto *page = new TkwoTabSheet(form.get());
    page->setCaption(caption);
    const std::string name = std::to_string(pages.size());
    page->OnShow = [this, name](ui::Control *) { log.push_back("show" + name); };
    page->OnHide = [this, name](ui::Control *) { log.push_back("hide" + name); };
    page->setParentControl(pc);
    pages.push_back(page);
    return page;
  }
  void addPages(int n) {
    for (int i = 0; i < n; ++i) addPage(QStringLiteral("Page %1").arg(i));
    log.clear();
  }
  // The centre of the tab as the strip lays it out.
  QPoint tabCentre(int index) {
    for (const DrawnTab &t : pc->strip()->row().drawn) {
      if (t.index == index) return QPoint((t.rect.left + t.rect.right) / 2, (t.rect.top + t.rect.bottom) / 2);
    }
    ADD_FAILURE() << "tab " << index << " not drawn";
    return {};
  }

  TkwoPageControl *pc = nullptr;
  std::vector<TkwoTabSheet *> pages;
};

using Log = std::vector<std::string>;

TEST_F(PageControlTest, AddingPagesMakesEachTheActiveOne) {
  EXPECT_EQ(pc->pageCount(), 0);
  EXPECT_EQ(pc->strip()->tabs().count(), 0);
  addPage(QStringLiteral("Sunday"));
  EXPECT_EQ(pc->activePage(), pages[0]);
  EXPECT_EQ(log, (Log{"show0"}));
  log.clear();
  addPage(QStringLiteral("Monday"));
  EXPECT_EQ(log, (Log{"hide0", "show1", "tab1", "change", "show1"}));
  EXPECT_EQ(pc->activePage(), pages[1]);
  EXPECT_EQ(pc->strip()->tabs().strings(), (QStringList{"Sunday", "Monday"}));
  EXPECT_EQ(pages[1]->pageIndex(), 1);
  EXPECT_EQ(pages[1]->pageControl(), pc);
  // Pages fill the client area below the strip.
  const int strip = pc->strip()->height();
  EXPECT_EQ(pages[1]->geometry(), QRect(3, strip + 3, 380 - 6, 200 - strip - 6));
}

TEST_F(PageControlTest, SwitchOrders) {
  addPages(3);
  ASSERT_EQ(pc->activePage(), pages[2]);
  pc->setActivePage(pages[0]);
  EXPECT_EQ(log, (Log{"hide2", "show0", "tab0", "change", "show0"}));
  log.clear();
  pc->setActivePage(pages[0]);
  EXPECT_EQ(log, (Log{"show0"}));
  log.clear();
  pc->activatePageIndex(1);
  EXPECT_EQ(log, (Log{"hide0", "hide0", "show1", "tab1", "change", "show1"}));
  EXPECT_EQ(pc->activePage(), pages[1]);
  EXPECT_EQ(pc->strip()->tabIndex(), 1);
  log.clear();
  pc->activatePageIndex(-1);
  pc->activatePageIndex(pc->pageCount());
  pc->activatePageIndex(99);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(pc->activePage(), pages[1]);
  // A page of another control is no page of this one.
  TkwoTabSheet stray(nullptr);
  pc->setActivePage(&stray);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(pc->activePage(), pages[1]);
}

TEST_F(PageControlTest, ClicksMayBeVetoedChangesByCodeNever) {
  addPages(3);
  form->show();
  bool allow = false;
  pc->OnChanging = [&](TkwoTab *, bool &allowChange) {
    log.push_back("changing");
    allowChange = allow;
  };
  QTest::mouseClick(pc->strip(), Qt::LeftButton, {}, tabCentre(0));
  EXPECT_EQ(log, (Log{"changing"}));
  EXPECT_EQ(pc->activePage(), pages[2]);
  EXPECT_EQ(pc->strip()->tabIndex(), 2);
  log.clear();
  pc->activatePageIndex(0);
  EXPECT_EQ(pc->activePage(), pages[0]);
  EXPECT_EQ(std::count(log.begin(), log.end(), "changing"), 0);
  log.clear();
  allow = true;
  QTest::mouseClick(pc->strip(), Qt::LeftButton, {}, tabCentre(1));
  EXPECT_EQ(log, (Log{"changing", "hide0", "show1", "tab1", "change"}));
  EXPECT_EQ(pc->activePage(), pages[1]);
  // The strip's click tells the control.
  int clicks = 0;
  pc->OnClick = [&](ui::Control *) { ++clicks; };
  QTest::mouseClick(pc->strip(), Qt::LeftButton, {}, tabCentre(1));
  EXPECT_EQ(clicks, 1);
}

TEST_F(PageControlTest, TabWidths) {
  addPage(QString());
  addPage(QStringLiteral("Wednesday"));
  const QFontMetrics m(pc->font());
  EXPECT_EQ(pc->strip()->row().widths, (std::vector<int>{80, m.horizontalAdvance("Wednesday") + 20}));
  // The row follows the control's font.
  ui::Font big;
  big.height = 30;
  pc->setControlFont(big);
  EXPECT_EQ(pc->strip()->row().widths[1], QFontMetrics(pc->font()).horizontalAdvance("Wednesday") + 20);
}

// The page's caption is its tab's: drawn in the strip, never over the page's
// controls. Red ink makes the caption's pixels plain to find.
TEST_F(PageControlTest, OnlyTheStripShowsThePageCaption) {
  ui::Font red;
  red.color = platform::RGB(255, 0, 0);
  red.height = 16;
  pc->setControlFont(red);
  TkwoTabSheet *page = addPage(QStringLiteral("Sunday"));
  form->show();
  auto reddish = [](QRgb p) { return qRed(p) > 160 && qGreen(p) < 110 && qBlue(p) < 110; };

  const QImage sheet = page->grab().toImage();
  ASSERT_FALSE(sheet.isNull());
  const QRgb background = ui::toQColor(page->color()).rgb();
  int otherPixels = 0;
  for (int y = 0; y < sheet.height(); ++y) {
    for (int x = 0; x < sheet.width(); ++x) otherPixels += sheet.pixel(x, y) != background;
  }
  EXPECT_EQ(otherPixels, 0) << "the sheet draws more than its background";

  const QImage strip = pc->strip()->grab().toImage();
  ASSERT_EQ(pc->strip()->row().drawn.size(), 1u);
  const Rect tab = pc->strip()->row().drawn[0].rect;
  int ink = 0;
  for (int y = std::max(tab.top, 0); y < std::min(tab.bottom, strip.height()); ++y) {
    for (int x = std::max(tab.left, 0); x < std::min(tab.right, strip.width()); ++x) ink += reddish(strip.pixel(x, y));
  }
  EXPECT_GT(ink, 0) << "the tab shows no caption";
}

TEST_F(PageControlTest, OverflowingTabsScroll) {
  // Built narrow, then widened before it is seen: the row scrolls for the
  // width it is shown at.
  pc->setWidth(100);
  addPages(6);
  TkwoTabControlTopPanel *strip = pc->strip();
  EXPECT_EQ(strip->scrollOffset(), 0);
  pc->setWidth(300);
  form->show();
  (void)strip->grab();
  const int wide = strip->scrollOffset();
  EXPECT_GT(wide, 0);
  EXPECT_GE(strip->row().lastFull, 5);
  EXPECT_LT(wide, 5);
  // The previous-tabs button scrolls back one at a time, never below 0.
  const ScrollButtons buttons = strip->scrollButtons();
  ASSERT_TRUE(buttons.shown);
  const QPoint previous((buttons.previous.left + buttons.previous.right) / 2,
                        (buttons.previous.top + buttons.previous.bottom) / 2);
  const int before = strip->scrollOffset();
  QTest::mouseClick(strip, Qt::LeftButton, {}, previous);
  EXPECT_EQ(strip->scrollOffset(), before - 1);
  for (int i = 0; i < 10; ++i) QTest::mouseClick(strip, Qt::LeftButton, {}, previous);
  EXPECT_EQ(strip->scrollOffset(), 0);
  EXPECT_TRUE(log.empty());
  // A click on the clipped tab selects it and scrolls until it is shown.
  (void)strip->grab();
  const DrawnTab clipped = strip->row().drawn.back();
  ASSERT_TRUE(clipped.clipped);
  QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(clipped.rect.left + 3, 5));
  EXPECT_EQ(pc->activePage(), pages[static_cast<size_t>(clipped.index)]);
  (void)strip->grab();
  EXPECT_GT(strip->scrollOffset(), 0);
  EXPECT_GE(strip->row().lastFull, clipped.index);
}

TEST_F(PageControlTest, HidingTheActiveTab) {
  addPages(4);
  pages[1]->setTabVisible(false);
  pc->activatePageIndex(2);
  log.clear();
  // The nearest earlier page with a shown tab.
  pages[2]->setTabVisible(false);
  EXPECT_EQ(pc->activePage(), pages[0]);
  EXPECT_FALSE(pages[2]->tabVisible());
  EXPECT_FALSE(pc->strip()->tabVisible(2));
  EXPECT_EQ(pc->strip()->row().widths[2], 0);
  // None earlier: the nearest later one.
  pages[0]->setTabVisible(false);
  EXPECT_EQ(pc->activePage(), pages[3]);
  // None at all: nothing changes.
  pages[3]->setTabVisible(false);
  EXPECT_EQ(pc->activePage(), pages[3]);
  // Hiding an inactive tab switches nothing.
  pages[3]->setTabVisible(true);
  pages[0]->setTabVisible(true);
  log.clear();
  pages[0]->setTabVisible(false);
  EXPECT_TRUE(log.empty());
}

TEST_F(PageControlTest, RemovingAndMovingPages) {
  addPages(5);
  pc->activatePageIndex(1);
  // Removing page 3 shows page 2, whichever page was active.
  pages[3]->setParentControl(nullptr);
  EXPECT_EQ(pc->pageCount(), 4);
  EXPECT_EQ(pc->activePage(), pages[2]);
  EXPECT_EQ(pages[3]->pageControl(), nullptr);
  EXPECT_EQ(pages[3]->pageIndex(), -1);
  EXPECT_EQ(pages[4]->pageIndex(), 3);
  EXPECT_EQ(pc->strip()->tabs().strings(), (QStringList{"Page 0", "Page 1", "Page 2", "Page 4"}));
  // Destroying the active page shows the one before it.
  delete pages[2];
  EXPECT_EQ(pc->pageCount(), 3);
  EXPECT_EQ(pc->activePage(), pages[1]);
  // Removing page 0 leaves no page active.
  delete pages[0];
  EXPECT_EQ(pc->activePage(), nullptr);
  EXPECT_EQ(pc->pageCount(), 2);
  // Moving a page reorders the tabs and shows it; bad indexes do nothing.
  pages[4]->setPageIndex(0);
  EXPECT_EQ(pc->page(0), pages[4]);
  EXPECT_EQ(pc->activePage(), pages[4]);
  EXPECT_EQ(pc->strip()->tabs().strings(), (QStringList{"Page 4", "Page 1"}));
  pages[4]->setPageIndex(2);
  pages[4]->setPageIndex(-1);
  EXPECT_EQ(pages[4]->pageIndex(), 0);
  // A caption change renames the tab.
  pages[1]->setCaption(QStringLiteral("Monday"));
  EXPECT_EQ(pc->strip()->tabs().string(1), QStringLiteral("Monday"));
  // A page that came back joins at the end.
  pages[3]->setPageControl(pc);
  EXPECT_EQ(pages[3]->pageIndex(), 2);
  EXPECT_EQ(pc->activePage(), pages[3]);
}

TEST_F(PageControlTest, RecordedEnabledSurvivesHiding) {
  // Pages stored disabled; showing a page enables it.
  for (int i = 0; i < 3; ++i) {
    TkwoTabSheet *page = addPage(QStringLiteral("Day %1").arg(i));
    page->setEnabled(false);
    page->OnShow = [page](ui::Control *) { page->setEnabled(true); };
  }
  pc->activatePageIndex(0);
  EXPECT_TRUE(pages[0]->isEnabled());
  EXPECT_FALSE(pages[1]->isEnabled());
  pc->activatePageIndex(1);
  EXPECT_FALSE(pages[0]->isEnabled());  // disabled behind the active page
  EXPECT_TRUE(pages[0]->recordedEnabled());
  EXPECT_TRUE(pages[1]->isEnabled());
  EXPECT_FALSE(pages[2]->isEnabled());
  // Shown again without a handler: enabled as it was.
  pages[0]->OnShow = nullptr;
  pc->activatePageIndex(0);
  EXPECT_TRUE(pages[0]->isEnabled());
  // A page disabled by its owner stays so when shown again.
  pages[0]->setEnabled(false);
  pc->activatePageIndex(1);
  pc->activatePageIndex(0);
  EXPECT_FALSE(pages[0]->isEnabled());
  // Enabled by its owner while hidden: shown enabled.
  pc->activatePageIndex(1);
  pages[0]->setEnabled(true);
  pc->activatePageIndex(0);
  EXPECT_TRUE(pages[0]->isEnabled());
}

TEST_F(PageControlTest, LoadingAndDestroyingTellNothing) {
  {
    ui::LoadingGuard loading(*form);
    addPage(QStringLiteral("a"));
    addPage(QStringLiteral("b"));
  }
  // Pages show while loading; the control's own events wait.
  EXPECT_EQ(std::count(log.begin(), log.end(), "change"), 0);
  EXPECT_EQ(std::count(log.begin(), log.end(), "tab1"), 0);
  log.clear();
  form.reset();
  EXPECT_TRUE(log.empty());
}

TEST_F(PageControlTest, DestroyingThePageControlFirstLeavesThePagesAlone) {
  addPages(3);
  delete pc;
  pc = nullptr;
  EXPECT_TRUE(log.empty());
  form.reset();
  EXPECT_TRUE(log.empty());
}

TEST_F(PageControlTest, TabIndexOfTheStripAlone) {
  addPages(2);
  TkwoTabControlTopPanel *strip = pc->strip();
  strip->setTabIndex(5);
  EXPECT_EQ(strip->tabIndex(), 1);
  EXPECT_TRUE(log.empty());
  // -1 by code: no tab and no page.
  strip->setTabIndex(-1);
  EXPECT_EQ(strip->tabIndex(), -1);
  EXPECT_EQ(pc->activePage(), nullptr);
  EXPECT_EQ(log, (Log{"hide1", "tab-1", "change"}));
  // Without tabs every index gives -1.
  pc->activatePageIndex(0);
  ASSERT_EQ(strip->tabIndex(), 0);
  strip->tabs().clear();
  strip->setTabIndex(1);
  EXPECT_EQ(strip->tabIndex(), -1);
}

}  // namespace
}  // namespace kwo
