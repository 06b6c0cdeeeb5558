// The tab strip and the page control painted from their look's pictures:
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

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "color.h"
#include "controls/kwo_button.h"
#include "controls/kwo_page_control.h"
#include "form.h"
#include "gallery/skin_file_builder.h"
#include "temp_dir.h"
#include "themes/drawing.h"
#include "themes/file_theme.h"
#include "themes/theme_source.h"
#include "ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;
using platform::RGB;

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
