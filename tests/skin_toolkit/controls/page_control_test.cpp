// The page control and its tab strip on the offscreen platform: when their
// events fire and in which order, and painted from their look's pictures:
// tab faces, scroll buttons and colours, compared with the frames cut from
// the picture the strip reads; the look and a skin reaching the pages'
// controls; tabs past any fixed table still hit.
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "skin_toolkit/controls/kwo_button.h"
#include "skin_toolkit/controls/kwo_page_control.h"
#include "skin_toolkit/gallery/skin_file_builder.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/file_theme.h"
#include "skin_toolkit/themes/theme_source.h"
#include "tests/skin_toolkit/controls/controls_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;
using platform::RGB;

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

// --- Painted from the look's pictures ---

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kMagenta = qRgb(255, 0, 255);

// What the whole form shows where the widget lies.
QImage shown(ui::Form &form, const QWidget &widget) {
  const QImage all = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
  return all.copy(QRect(widget.mapTo(&form, QPoint(0, 0)), widget.size()));
}

QRgb rgb(const QImage &picture, int x, int y) { return picture.pixel(x, y) | 0xFF000000u; }

// Checks the face at rect against a frame drawn in three parts: both ends
// column for column, magenta showing what lies behind, and the middle as
// one of the frame's middle columns on the same row. "" when it matches.
std::string threePartMismatch(const QImage &shot, const QRect &rect, const QImage &frame, QRgb behind) {
  const int part = frame.width() / 3;
  if (part <= 0 || rect.height() != frame.height() || rect.width() < 2 * part) return "unusable frame or rect";
  for (int y = 0; y < rect.height(); ++y) {
    for (int c = 0; c < rect.width(); ++c) {
      const QRgb got = rgb(shot, rect.left() + c, rect.top() + y);
      auto keyed = [&](int source) {
        const QRgb p = rgb(frame, source, y);
        return p == kMagenta ? behind : p;
      };
      bool ok = false;
      if (c < part) {
        ok = got == keyed(c);
      } else if (c >= rect.width() - part) {
        ok = got == keyed(2 * part + c - (rect.width() - part));
      } else {
        for (int m = part; m < 2 * part && !ok; ++m) ok = got == rgb(frame, m, y);
      }
      if (!ok) {
        std::ostringstream out;
        out << "column " << c << " row " << y << " shows " << std::hex << got;
        return out.str();
      }
    }
  }
  return "";
}

// The picture at (x, y) keyed on magenta over what lies behind it.
std::string keyedMismatch(const QImage &shot, int x, int y, const QImage &picture, QRgb behind) {
  for (int py = 0; py < picture.height(); ++py) {
    for (int px = 0; px < picture.width(); ++px) {
      const QRgb p = rgb(picture, px, py);
      const QRgb want = p == kMagenta ? behind : p;
      const QRgb got = rgb(shot, x + px, y + py);
      if (got != want) {
        std::ostringstream out;
        out << "pixel " << px << "," << py << " shows " << std::hex << got << " not " << want;
        return out.str();
      }
    }
  }
  return "";
}

QRect toQRect(const Rect &r) { return QRect(r.left, r.top, r.width(), r.height()); }

void moveMouse(QWidget *w, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(w, &move);
}

QPoint centre(const Rect &r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

class TabsSkinTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 520, 320);
    form->setColor(RGB(255, 0, 0));
    pc = new TkwoPageControl(form.get());
    pc->setParentControl(form.get());
    pc->setBounds(10, 10, 400, 220);
    form->show();
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  // Pages whose caption draws no ink, so their tabs show the bare picture.
  void addPages(int n, const QString &caption = QStringLiteral(" ")) {
    for (int i = 0; i < n; ++i) {
      auto *page = new TkwoTabSheet(form.get());
      page->setCaption(caption);
      page->setPageControl(pc);
      pages.push_back(page);
    }
  }
  TkwoFileTheme *loadedTheme(const testsupport::SkinFileBuilder &skin, const std::string &name) {
    auto *t = new TkwoFileTheme(form.get());
    skin.loadInto(*t, dir / name);
    EXPECT_TRUE(t->isLoaded()) << name;
    return t;
  }
  const DrawnTab *drawn(int index) const {
    for (const DrawnTab &t : pc->strip()->row().drawn) {
      if (t.index == index) return &t;
    }
    return nullptr;
  }

  testsupport::TempDir dir;
  std::unique_ptr<ui::Form> form;
  TkwoPageControl *pc = nullptr;
  std::vector<TkwoTabSheet *> pages;
};

// One control through every look: each switch brings the new look's faces
// (no face of the old look stays behind), the selected tab one pixel lower.
TEST_F(TabsSkinTest, TabsShowTheActiveAndInactiveFramesOfTheLook) {
  addPages(3);
  pc->activatePageIndex(1);
  for (S style : {S::WinXP, S::MacOS, S::DeepBlue, S::Protein, S::BlueGlass}) {
    SCOPED_TRACE(static_cast<int>(style));
    pc->setUIStyle(style);
    const ThemeSource source = ThemeSource::resolve(nullptr, style);
    const QImage active = source.imageFrame(tiTabControlTabImage, 1, 2);
    const QImage inactive = source.imageFrame(tiTabControlTabImage, 2, 2);
    ASSERT_NE(active, inactive) << "the look's two tab frames must differ for this test";
    const QImage shot = shown(*form, *pc->strip());
    ASSERT_EQ(pc->strip()->row().drawn.size(), 3u);
    for (const DrawnTab &tab : pc->strip()->row().drawn) {
      SCOPED_TRACE(tab.index);
      EXPECT_EQ(tab.active, tab.index == 1);
      EXPECT_EQ(tab.rect.top, tab.active ? 1 : 0);
      EXPECT_EQ(threePartMismatch(shot, toQRect(tab.rect), tab.active ? active : inactive, kRed), "");
    }
    // Right of the tabs, above the bar, the page control's parent shows.
    const int tabH = pc->strip()->metrics().tabHeight;
    EXPECT_EQ(rgb(shot, pc->strip()->width() - 5, tabH / 2), kRed);
  }
}

TEST_F(TabsSkinTest, ScrollButtonsShowTheHotFrameUnderTheLastMousePosition) {
  pc->setWidth(160);
  addPages(6, QStringLiteral("Page"));
  for (S style : {S::WinXP, S::MacOS, S::BlueGlass}) {
    SCOPED_TRACE(static_cast<int>(style));
    pc->setUIStyle(style);
    TkwoTabControlTopPanel *strip = pc->strip();
    (void)shown(*form, *strip);
    const ScrollButtons buttons = strip->scrollButtons();
    ASSERT_TRUE(buttons.shown);
    const ThemeSource source = ThemeSource::resolve(nullptr, style);
    auto frame = [&](int k) { return source.imageFrame(tiScrollButtonImage, k, 4); };
    auto check = [&](const char *what, int nextFrame, int previousFrame) {
      SCOPED_TRACE(what);
      const QImage shot = shown(*form, *strip);
      EXPECT_EQ(keyedMismatch(shot, buttons.next.left, buttons.next.top, frame(nextFrame), kRed), "");
      EXPECT_EQ(keyedMismatch(shot, buttons.previous.left, buttons.previous.top, frame(previousFrame), kRed), "");
    };
    check("nothing seen", 1, 3);
    moveMouse(strip, centre(buttons.next));
    EXPECT_EQ(strip->hotScrollButton(), 1);
    check("over next", 2, 3);
    moveMouse(strip, centre(buttons.previous));
    check("over previous", 1, 4);
    moveMouse(strip, QPoint(20, 5));
    check("over a tab", 1, 3);
    moveMouse(strip, centre(buttons.next));
    testsupport::sendLeave(strip);
    check("left", 1, 3);
    // Hidden under the mouse, no leave comes: shown again, nothing is hot.
    moveMouse(strip, centre(buttons.next));
    pc->setVisible(false);
    pc->setVisible(true);
    EXPECT_EQ(strip->hotScrollButton(), 0);
    check("hidden and shown", 1, 3);
  }
}

TEST_F(TabsSkinTest, LookColoursOfPagesAndStrip) {
  addPages(2);
  const struct {
    S style;
    platform::TColor pages;
  } cases[] = {
      {S::WinXP, platform::clWhite},
      {S::DeepBlue, RGB(232, 232, 232)},
      {S::MacOS, RGB(231, 231, 231)},
      {S::Protein, RGB(251, 251, 251)},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    pc->setUIStyle(c.style);
    EXPECT_EQ(pc->color(), c.pages);
    for (TkwoTabSheet *page : pages) EXPECT_EQ(page->color(), c.pages);
    EXPECT_EQ(pc->strip()->color(), GetBuiltInThemeColor(c.style, tiControlBackgroundColor));
    EXPECT_EQ(pc->borderColor(), GetBuiltInThemeColor(c.style, tiControlBorderColor));
    const QImage shot = shown(*form, *pc);
    const QPoint inside = pc->activePage()->geometry().center();
    EXPECT_EQ(rgb(shot, inside.x(), inside.y()), ui::toQColor(c.pages).rgb());
  }
  EXPECT_EQ(pc->strip()->color(), RGB(251, 251, 251));
  pc->setUIStyle(S::WinXP);
  EXPECT_EQ(pc->strip()->color(), RGB(239, 235, 222));
}

// The page fills itself and may say so; the control and its strip leave the
// parent showing round the tabs and may not.
TEST_F(TabsSkinTest, OnlyThePagesClaimToPaintEveryPixel) {
  addPages(1);
  EXPECT_TRUE(pages[0]->testAttribute(Qt::WA_OpaquePaintEvent));
  EXPECT_FALSE(pc->testAttribute(Qt::WA_OpaquePaintEvent));
  EXPECT_FALSE(pc->strip()->testAttribute(Qt::WA_OpaquePaintEvent));
  pages[0]->setColor(platform::clNone);
  EXPECT_FALSE(pages[0]->testAttribute(Qt::WA_OpaquePaintEvent));
  pages[0]->setColor(RGB(1, 2, 3));
  EXPECT_TRUE(pages[0]->testAttribute(Qt::WA_OpaquePaintEvent));
}

class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject *, QEvent *e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST_F(TabsSkinTest, ColourAndBorderColourChangesReachThePagesAndTheScreen) {
  pc->setUIStyle(S::DeepBlue);
  addPages(3);
  pc->activatePageIndex(0);
  pc->setColor(RGB(10, 200, 30));
  for (TkwoTabSheet *page : pages) EXPECT_EQ(page->color(), RGB(10, 200, 30));
  QImage shot = shown(*form, *pc);
  const QPoint inside = pages[0]->geometry().center();
  EXPECT_EQ(rgb(shot, inside.x(), inside.y()), qRgb(10, 200, 30));

  PaintCounter counter;
  pages[0]->installEventFilter(&counter);
  testsupport::processEvents();
  counter.paints = 0;
  pc->setBorderColor(RGB(0, 0, 250));
  testsupport::processEvents();
  EXPECT_GT(counter.paints, 0) << "the active page is repainted";
  pages[0]->removeEventFilter(&counter);
  shot = shown(*form, *pc);
  const int stripH = pc->strip()->height();
  const int tabH = pc->strip()->metrics().tabHeight;
  // Left, bottom and right edges, and the bar's two ends.
  for (QPoint p : {QPoint(0, stripH + 5), QPoint(5, pc->height() - 1), QPoint(pc->width() - 1, stripH + 5),
                   QPoint(0, tabH), QPoint(pc->width() - 1, tabH)}) {
    EXPECT_EQ(rgb(shot, p.x(), p.y()), qRgb(0, 0, 250)) << p.x() << "," << p.y();
  }
}

// A skin given to the page control reaches the controls on every page, the
// hidden ones too, and goes away with the theme.
TEST_F(TabsSkinTest, ASkinSetOnThePageControlReachesThePagesControls) {
  QImage tab(20, 16, QImage::Format_RGB32);
  tab.fill(QColor(20, 90, 160));
  QPainter(&tab).fillRect(10, 0, 10, 16, QColor(160, 90, 20));
  QPainter(&tab).fillRect(0, 0, 2, 2, QColor(255, 0, 255));
  testsupport::SkinFileBuilder skin;
  QImage bar(6, 3, QImage::Format_RGB32);
  bar.fill(QColor(40, 40, 40));
  skin.addImage(ThemeItemName(tiTabControlTabImage), tab)
      .addImage(ThemeItemName(tiTabControlBarImage), bar)
      .addInt(ThemeItemName(tiControlBackgroundColor), RGB(70, 80, 90));
  TkwoFileTheme *theme = loadedTheme(skin, "tabs.skin");

  addPages(2);
  auto *first = new TkwoButton(form.get());
  first->setParentControl(pages[0]);
  auto *second = new TkwoButton(form.get());
  second->setParentControl(pages[1]);
  pc->activatePageIndex(1);
  pc->setUIStyle(S::FromThemeFile);
  ASSERT_EQ(first->fileTheme(), nullptr);

  pc->setFileTheme(theme);
  for (TkwoButton *b : {first, second}) {
    EXPECT_EQ(b->fileTheme(), theme);
    EXPECT_EQ(b->uiStyle(), S::FromThemeFile);
  }
  EXPECT_EQ(pages[0]->color(), RGB(70, 80, 90));
  const DrawnTab *active = drawn(1);
  ASSERT_NE(active, nullptr);
  const QImage shot = shown(*form, *pc->strip());
  EXPECT_EQ(threePartMismatch(shot, toQRect(active->rect), ExtractBitmapFrame(tab, 2, 1), kRed), "");

  delete theme;
  for (TkwoButton *b : {first, second}) {
    EXPECT_EQ(b->fileTheme(), nullptr);
    EXPECT_EQ(b->uiStyle(), S::DeepBlue);
  }
  EXPECT_EQ(pc->uiStyle(), S::DeepBlue);
  EXPECT_EQ(pc->strip()->metrics(), TabStripMetricsFor(S::DeepBlue));
  (void)shown(*form, *pc);
}

// Tabs beyond 64 are laid out, hidden and hit like the first ones.
TEST_F(TabsSkinTest, EveryTabIsHittableOnTheCurrentLayout) {
  pc->setUIStyle(S::WinXP);
  addPages(70, QStringLiteral("P"));
  pages[66]->setTabVisible(false);
  EXPECT_FALSE(pc->strip()->tabVisible(66));
  pc->activatePageIndex(69);
  (void)shown(*form, *pc->strip());
  ASSERT_GT(pc->strip()->scrollOffset(), 0);
  EXPECT_EQ(pc->strip()->row().widths[66], 0);
  EXPECT_EQ(drawn(66), nullptr);
  for (int index : {65, 67, 68}) {
    const DrawnTab *tab = drawn(index);
    ASSERT_NE(tab, nullptr) << index;
    QTest::mouseClick(pc->strip(), Qt::LeftButton, {}, centre(tab->rect));
    EXPECT_EQ(pc->activePage(), pages[static_cast<size_t>(index)]) << index;
    EXPECT_EQ(pc->strip()->tabIndex(), index);
  }
}

// No tab selected: no page is active and every tab shows its inactive face;
// a click on a tab brings its page back.
TEST_F(TabsSkinTest, NoSelectedTabShowsNoActiveFace) {
  pc->setUIStyle(S::BlueGlass);
  addPages(3);
  pc->strip()->setTabIndex(-1);
  EXPECT_EQ(pc->activePage(), nullptr);
  const QImage inactive = ThemeSource::resolve(nullptr, S::BlueGlass).imageFrame(tiTabControlTabImage, 2, 2);
  const QImage shot = shown(*form, *pc->strip());
  ASSERT_EQ(pc->strip()->row().drawn.size(), 3u);
  for (const DrawnTab &tab : pc->strip()->row().drawn) {
    EXPECT_FALSE(tab.active);
    EXPECT_EQ(threePartMismatch(shot, toQRect(tab.rect), inactive, kRed), "") << tab.index;
  }
  QTest::mouseClick(pc->strip(), Qt::LeftButton, {}, centre(drawn(2)->rect));
  EXPECT_EQ(pc->activePage(), pages[2]);
  EXPECT_TRUE(pages[2]->isEnabled());
}

}  // namespace
}  // namespace kwo
