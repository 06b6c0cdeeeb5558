// The title bar on the offscreen platform: its defaults and font, the
// buttons working the form, moving and maximising by the bar, and in a
// skinned frame its pictures: sections and buttons from the look, hot and
// pressed pictures, the caption cut, the application icon and the system
// menu, and a skin file's pictures and sizes.
#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <memory>

#include "platform/ui/form.h"
#include "platform/ui/menu_view.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/frames/kwo_title_bar.h"
#include "skin_toolkit/frames/kwo_title_bar_menu.h"
#include "skin_toolkit/gallery/skin_file_builder.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/file_theme.h"
#include "skin_toolkit/themes/theme_source.h"
#include "tests/skin_toolkit/frames/form_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;
using B = TkwoTitleBarBtnType;
using testsupport::SkinFileBuilder;

class TitleBarTest : public testsupport::UiTest {
 protected:
  // A 449 x 623 form with its skinned frame in a look.
  TkwoTitleBar *makeBar(S style, int width = 449) {
    form_ = std::make_unique<ui::Form>(nullptr);
    form_->setBounds(100, 80, width, 623);
    auto *frame = new TkwoForm(form_.get());
    frame->setUIStyle(style);
    return frame->titleBar();
  }
  ui::Form &form() { return *form_; }

  std::unique_ptr<ui::Form> form_;
};

// The first frame each of the four default buttons shows on a normal form.
struct ButtonFrame {
  int index;
  int frame;
};
constexpr ButtonFrame kDefaultButtonFrames[] = {{0, 1}, {1, 16}, {2, 7}, {3, 13}};

QImage themeFrame(S style, int frame) {
  QImage picture;
  GetBuiltInThemeImage(style, tiTitleBarButtonImage, picture, frame, kTitleButtonFrameCount);
  return picture.convertToFormat(QImage::Format_RGB32);
}

QImage grabOf(QWidget &w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

QImage cut(const QImage &picture, const Rect &r) {
  return picture.copy(r.left, r.top, r.width(), r.height()).convertToFormat(QImage::Format_RGB32);
}

QImage filled(int w, int h, QColor c) {
  QImage picture(w, h, QImage::Format_RGB32);
  picture.fill(c);
  return picture;
}

void sendMove(QWidget *w, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton, held, Qt::NoModifier);
  QApplication::sendEvent(w, &move);
}

QPoint centre(const Rect &r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A user's double click: press, release, double click, release.
void doubleClick(QWidget *w, QPoint at) {
  QTest::mousePress(w, Qt::LeftButton, {}, at);
  QTest::mouseRelease(w, Qt::LeftButton, {}, at);
  QTest::mouseDClick(w, Qt::LeftButton, {}, at);
  QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

// --- On a plain form ---

TEST_F(ToolkitTest, TitleBarDefaultsAndFont) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  TkwoTitleBar *bar = frame->titleBar();
  ASSERT_EQ(bar->buttonCount(), 4);
  EXPECT_EQ(bar->button(0).buttonType, TkwoTitleBarBtnType::kwoControlBox);
  EXPECT_EQ(bar->button(1).buttonType, TkwoTitleBarBtnType::kwoClose);
  EXPECT_EQ(bar->button(2).buttonType, TkwoTitleBarBtnType::kwoMax);
  EXPECT_EQ(bar->button(3).buttonType, TkwoTitleBarBtnType::kwoMin);
  EXPECT_EQ(bar->controlFont().name, QStringLiteral("Tahoma"));
  EXPECT_TRUE(bar->controlFont().bold);
  EXPECT_EQ(bar->controlFont().color, 0xFFFFFF);
  EXPECT_EQ(bar->buttonTop(), 2 - 3);
  frame->setUIStyle(S::MacOS);
  EXPECT_EQ(bar->controlFont().color, 0x000000);
  EXPECT_EQ(bar->leftBtnXOffset(), 3);
  EXPECT_EQ(bar->rightBtnXOffset(), -2);
  EXPECT_EQ(bar->buttonTop(), 1);
  const struct {
    S style;
    int height;
  } heights[] = {{S::WinXP, 26}, {S::DeepBlue, 29}, {S::Protein, 20}, {S::BlueGlass, 30}, {S::MacOS, 20}};
  for (const auto &h : heights) {
    frame->setUIStyle(h.style);
    EXPECT_EQ(bar->height(), h.height) << static_cast<int>(h.style);
    EXPECT_EQ(bar->controlFont().color, h.style == S::MacOS ? 0x000000 : 0xFFFFFF);
  }
  // Standing alone the bar keeps the whole picture height.
  TkwoTitleBar alone(nullptr);
  alone.setUIStyle(S::MacOS);
  EXPECT_EQ(alone.height(), 23);

  TkwoTitleBar custom(nullptr);
  custom.setCustom(true);
  custom.setUIStyle(S::MacOS);
  EXPECT_EQ(custom.height(), 32);  // as made (DeepBlue), untouched
  EXPECT_EQ(custom.controlFont().color, 0xFFFFFF);
}

TEST_F(ToolkitTest, TitleBarButtonsWorkTheForm) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  TkwoTitleBar *bar = frame->titleBar();
  form->show();
  const QRect normal = form->geometry();

  bar->performAction(2);  // maximise
  EXPECT_EQ(form->windowState(), ui::WindowState::Maximized);
  bar->performAction(2);  // restore
  EXPECT_EQ(form->windowState(), ui::WindowState::Normal);
  EXPECT_EQ(form->geometry(), normal);

  bar->performAction(3);
  EXPECT_EQ(form->windowState(), ui::WindowState::Minimized);
  form->setWindowState(ui::WindowState::Normal);

  // A click on the close button closes the form.
  const Rect close = bar->buttonLayout().buttons[1];
  const QPoint at((close.left + close.right) / 2, (close.top + close.bottom) / 2);
  EXPECT_EQ(HitTitleButton(bar->buttonLayout(), {at.x(), at.y()}), 1);
  QTest::mouseClick(bar, Qt::LeftButton, {}, at);
  EXPECT_FALSE(form->visible());

  // Help and custom buttons tell their events.
  int help = -1;
  bar->OnHelpBtnClick = [&](TkwoTitleBar *, int index) { help = index; };
  const int index = bar->addButton(TkwoTitleBarBtnType::kwoHelp);
  form->show();
  const Rect h = bar->buttonLayout().buttons[static_cast<size_t>(index)];
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(h.left + 2, h.top + 2));
  EXPECT_EQ(help, index);
  EXPECT_TRUE(form->visible());

  {
    testsupport::MessageBoxScript boxes;
    boxes.answer(ui::IDOK);
    EXPECT_EQ(bar->addButton(TkwoTitleBarBtnType::kwoControlBox), -1);
    EXPECT_EQ(boxes.shown().size(), 1u);
  }
  form->hide();
}

TEST_F(ToolkitTest, DraggingTheEmptyBarMovesANormalForm) {
  auto form = makeForm(300, 200);
  auto *frame = new TkwoForm(form.get());
  TkwoTitleBar *bar = frame->titleBar();
  form->show();
  const QPoint start = form->pos();
  const QPoint press(60, 10);
  ASSERT_EQ(HitTitleButton(bar->buttonLayout(), {press.x(), press.y()}), -1);
  QTest::mousePress(bar, Qt::LeftButton, {}, press);
  ASSERT_TRUE(form->moveArmed());
  EXPECT_FALSE(bar->mouseIsDown());
  const QPointF to(press.x() + 30, press.y() + 20);
  QMouseEvent move(QEvent::MouseMove, to, bar->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(bar, &move);
  EXPECT_EQ(form->pos(), start + QPoint(30, 20));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, press);
  EXPECT_FALSE(form->moveArmed());

  // A press on a button or on a maximised form's bar moves nothing.
  const Rect close = bar->buttonLayout().buttons[1];
  QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(close.left + 1, close.top + 1));
  EXPECT_FALSE(form->moveArmed());
  EXPECT_TRUE(bar->mouseIsDown());
  QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(60, 10));  // released off the button
  EXPECT_TRUE(form->visible());
  form->setWindowState(ui::WindowState::Maximized);
  QTest::mousePress(bar, Qt::LeftButton, {}, press);
  EXPECT_FALSE(form->moveArmed());
  QTest::mouseRelease(bar, Qt::LeftButton, {}, press);
  form->hide();
}

TEST_F(ToolkitTest, DoubleClickOnTheBarTogglesMaximise) {
  auto form = makeForm(300, 200);
  auto *frame = new TkwoForm(form.get());
  TkwoTitleBar *bar = frame->titleBar();
  form->show();
  doubleClick(bar, QPoint(60, 10));
  EXPECT_EQ(form->windowState(), ui::WindowState::Maximized);
  doubleClick(bar, QPoint(60, 10));
  EXPECT_EQ(form->windowState(), ui::WindowState::Normal);
  // On the control box a double click closes the form.
  const Rect box = bar->buttonLayout().buttons[0];
  doubleClick(bar, QPoint(box.left + 1, box.top + 1));
  EXPECT_FALSE(form->visible());
}

// --- In a skinned frame ---

TEST_F(TitleBarTest, StyleBuildsThreeSectionsFromTheLooksPictures) {
  for (S style : {S::MacOS, S::WinXP, S::DeepBlue, S::Protein, S::BlueGlass, S::FromThemeFile}) {
    SCOPED_TRACE(static_cast<int>(style));
    TkwoTitleBar *bar = makeBar(style);
    const S look = BuiltInLookOf(style);
    ASSERT_TRUE(bar->hasSkinSections());
    const int items[] = {tiTitleBarLeftImage, tiTitleBarRightImage, tiTitleBarClientImage};
    const TkwoTitleBarAlign aligns[] = {TkwoTitleBarAlign::kwoLeft, TkwoTitleBarAlign::kwoRight,
                                        TkwoTitleBarAlign::kwoClient};
    for (int i = 0; i < 3; ++i) {
      const TkwoTitleBarSection s = bar->section(i);
      const ImageSize size = BuiltInImageSize(look, items[i]);
      EXPECT_EQ(s.picture.size(), QSize(size.width, size.height)) << i;
      EXPECT_EQ(s.align, aligns[i]) << i;
      EXPECT_EQ(s.stretch, i == 2) << i;
      EXPECT_EQ(s.autoSize, i < 2) << i;
      EXPECT_EQ(s.width, i < 2 ? size.width : 10) << i;
    }
    EXPECT_EQ(bar->height(), BuiltInImageSize(look, tiTitleBarLeftImage).height - 3);
    EXPECT_EQ(bar->buttonImageHeight(), TitleButtonSize(look).height);
    EXPECT_EQ(bar->roundCorner(), GetBuiltInThemeInt(look, tiFormRoundCornerInt));
    EXPECT_EQ(form().constraints().minWidth, GetBuiltInThemeInt(look, tiFormMinWidthInt));
    EXPECT_EQ(bar->look(), look);
    for (int i = 0; i < bar->buttonCount(); ++i) {
      const TkwoTitleBarButton b = bar->button(i);
      EXPECT_EQ(b.uiStyle, look);
      EXPECT_EQ(b.transparent, GetBuiltInThemeBool(look, tiTitleBarButtonTransparentBool));
      EXPECT_EQ(b.top, GetBuiltInThemeInt(look, tiTitleBarButtonTopInt));
      const QImage first = themeFrame(look, TitleButtonFirstFrame(b.buttonType, false));
      EXPECT_EQ(b.picNormal.convertToFormat(QImage::Format_RGB32), first) << i;
    }
    EXPECT_EQ(bar->systemMenu()->uiStyle(), look);
  }
}

TEST_F(TitleBarTest, ButtonsShowTheirFramesWhereTheLayoutPutsThem) {
  // MacOS draws its buttons opaque: each region is the button's frame.
  TkwoTitleBar *bar = makeBar(S::MacOS);
  ASSERT_FALSE(bar->button(1).transparent);
  const QImage picture = grabOf(*bar);
  const TitleBarLayout layout = bar->buttonLayout();
  for (const ButtonFrame &c : kDefaultButtonFrames) {
    const Rect r = layout.buttons[static_cast<size_t>(c.index)];
    EXPECT_EQ(QSize(r.width(), r.height()), themeFrame(S::MacOS, c.frame).size()) << c.index;
    EXPECT_EQ(cut(picture, r), themeFrame(S::MacOS, c.frame)) << "button " << c.index << " frame " << c.frame;
  }
  // Outside the buttons the bar shows its section pictures: the left one
  // from the form's corner, under the ring.
  const QImage left = bar->leftPicture().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(picture.pixel(0, 10), left.pixel(3, 13));
}

TEST_F(TitleBarTest, HotAndPressedPicturesFollowTheLastMousePosition) {
  TkwoTitleBar *bar = makeBar(S::DeepBlue);
  const QColor normal(200, 0, 0), over(0, 200, 0), down(0, 0, 200);
  const int index = bar->addButton(B::kwoCustom);
  ASSERT_GE(index, 0);
  bar->setButtonPicNormal(index, filled(12, 12, normal));
  bar->setButtonPicMouseOn(index, filled(12, 12, over));
  bar->setButtonPicMouseDown(index, filled(12, 12, down));
  form().show();
  const Rect r = bar->buttonLayout().buttons[static_cast<size_t>(index)];
  ASSERT_FALSE(r.empty());
  const QPoint at = centre(r);
  auto shown = [&] { return QColor(grabOf(*bar).pixel(at)); };
  EXPECT_EQ(shown(), normal);

  sendMove(bar, at);
  EXPECT_EQ(bar->hotButton(), index);
  EXPECT_EQ(shown(), over);
  QTest::mousePress(bar, Qt::LeftButton, {}, at);
  EXPECT_TRUE(bar->mouseIsDown());
  EXPECT_EQ(shown(), down);
  // The release clears the hot button: no leave comes while a button is held.
  QTest::mouseRelease(bar, Qt::LeftButton, {}, at);
  EXPECT_EQ(bar->hotButton(), -1);
  EXPECT_EQ(shown(), normal);

  // Entering over the button makes it hot, leaving clears it.
  QEnterEvent enter{QPointF(at), QPointF(at), QPointF(bar->mapToGlobal(at))};
  QApplication::sendEvent(bar, &enter);
  EXPECT_EQ(bar->hotButton(), index);
  EXPECT_EQ(shown(), over);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(bar, &leave);
  EXPECT_EQ(bar->hotButton(), -1);
  EXPECT_EQ(shown(), normal);
  form().hide();
}

TEST_F(TitleBarTest, TransparentButtonShowsTheBarThroughItsBottomLeftColour) {
  TkwoTitleBar *bar = makeBar(S::DeepBlue);
  const int index = bar->addButton(B::kwoCustom);
  QImage picture = filled(12, 12, QColor(0, 200, 0));
  {
    QPainter p(&picture);
    p.fillRect(0, 0, 6, 12, QColor(255, 255, 0));  // the key colour sits bottom left
  }
  bar->setButtonPicNormal(index, picture);
  const Rect r = bar->buttonLayout().buttons[static_cast<size_t>(index)];
  bar->setButtonVisible(index, false);
  const QImage under = grabOf(*bar);
  bar->setButtonVisible(index, true);
  const QImage opaque = grabOf(*bar);
  bar->setButtonTransparent(index, true);
  const QImage keyed = grabOf(*bar);
  EXPECT_EQ(QColor(opaque.pixel(r.left + 1, r.top + 1)), QColor(255, 255, 0));
  EXPECT_EQ(keyed.pixel(r.left + 1, r.top + 1), under.pixel(r.left + 1, r.top + 1));
  EXPECT_EQ(QColor(keyed.pixel(r.left + 8, r.top + 1)), QColor(0, 200, 0));
}

TEST_F(TitleBarTest, DoubleClickOnTheCaptionShowsTheRestoreFrames) {
  TkwoTitleBar *bar = makeBar(S::WinXP, 300);
  form().show();
  const TkwoTitleBarButton before = bar->button(2);
  ASSERT_EQ(before.buttonType, B::kwoMax);
  EXPECT_EQ(before.picNormal.convertToFormat(QImage::Format_RGB32), themeFrame(S::WinXP, 7));
  doubleClick(bar, QPoint(80, 10));
  ASSERT_EQ(form().windowState(), ui::WindowState::Maximized);
  const TkwoTitleBarButton max = bar->button(2);
  EXPECT_EQ(max.picNormal.convertToFormat(QImage::Format_RGB32), themeFrame(S::WinXP, 10));
  EXPECT_EQ(max.picMouseOn.convertToFormat(QImage::Format_RGB32), themeFrame(S::WinXP, 11));
  EXPECT_EQ(max.picMouseDown.convertToFormat(QImage::Format_RGB32), themeFrame(S::WinXP, 12));
  doubleClick(bar, QPoint(80, 10));
  EXPECT_EQ(form().windowState(), ui::WindowState::Normal);
  EXPECT_EQ(bar->button(2).picNormal.convertToFormat(QImage::Format_RGB32), themeFrame(S::WinXP, 7));

  // A state set from elsewhere shows once the frame refreshes the buttons.
  form().setWindowState(ui::WindowState::Maximized);
  bar->refreshMaxButtons();
  EXPECT_EQ(bar->button(2).picMouseOn.convertToFormat(QImage::Format_RGB32), themeFrame(S::WinXP, 11));
  form().hide();
}

TEST_F(TitleBarTest, ControlBoxOpensTheSystemMenuWithItemsPerVisibleButton) {
  const struct {
    B hidden;
    bool min, max, close;
  } cases[] = {
      {B::kwoCustom, true, true, true},  // nothing hidden
      {B::kwoMin, false, true, true},
      {B::kwoMax, true, false, true},
      {B::kwoClose, true, true, false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(static_cast<int>(c.hidden));
    TkwoTitleBar *bar = makeBar(S::MacOS);
    for (int i = 0; i < bar->buttonCount(); ++i) {
      if (bar->button(i).buttonType == c.hidden) bar->setButtonVisible(i, false);
    }
    form().show();
    const Rect box = bar->buttonLayout().buttons[0];
    QTest::mouseClick(bar, Qt::LeftButton, {}, centre(box));
    TkwoTitleBarPopupMenu *menu = bar->systemMenu();
    ASSERT_NE(menu->view(), nullptr) << "the control box opened no menu";
    ASSERT_EQ(menu->items()->count(), 4);
    EXPECT_EQ(menu->items()->item(0)->caption(), QStringLiteral("最小化(&N)"));
    EXPECT_EQ(menu->items()->item(1)->caption(), QStringLiteral("最大化/还原(&X)"));
    EXPECT_TRUE(menu->items()->item(2)->isSeparator());
    EXPECT_EQ(menu->items()->item(3)->caption(), QStringLiteral("关闭(&C)"));
    EXPECT_EQ(menu->minimizeItem()->enabled(), c.min);
    EXPECT_EQ(menu->maximizeItem()->enabled(), c.max);
    EXPECT_EQ(menu->closeItem()->enabled(), c.close);
    EXPECT_TRUE(form().visible());
    menu->closeUp();
    form().hide();
  }
}

TEST_F(TitleBarTest, SystemMenuItemsWorkTheForm) {
  TkwoTitleBar *bar = makeBar(S::DeepBlue);
  form().show();
  TkwoTitleBarPopupMenu *menu = bar->systemMenu();
  menu->maximizeItem()->click();
  EXPECT_EQ(form().windowState(), ui::WindowState::Maximized);
  EXPECT_EQ(bar->button(2).picNormal.convertToFormat(QImage::Format_RGB32), themeFrame(S::DeepBlue, 10));
  menu->maximizeItem()->click();
  EXPECT_EQ(form().windowState(), ui::WindowState::Normal);
  menu->minimizeItem()->click();
  EXPECT_EQ(form().windowState(), ui::WindowState::Minimized);
  form().setWindowState(ui::WindowState::Normal);
  menu->closeItem()->click();
  EXPECT_FALSE(form().visible());
}

TEST_F(TitleBarTest, SecondClientSectionIsRefusedAndLeavesTheSection) {
  TkwoTitleBar *bar = makeBar(S::DeepBlue);
  const TkwoTitleBarSection before = bar->section(0);
  {
    testsupport::MessageBoxScript boxes;
    boxes.answer(ui::IDOK);
    bar->setSectionAlign(0, TkwoTitleBarAlign::kwoClient);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Sorry, only one section's Align property can be \"kwoClient\""));
    EXPECT_EQ(boxes.shown()[0].flags, ui::MB_OK | ui::MB_ICONERROR);
  }
  EXPECT_EQ(bar->section(0).align, before.align);
  EXPECT_FALSE(bar->section(0).stretch);
  // The client section itself counts too.
  {
    testsupport::MessageBoxScript boxes;
    boxes.answer(ui::IDOK);
    bar->setSectionAlign(2, TkwoTitleBarAlign::kwoClient);
    EXPECT_EQ(boxes.shown().size(), 1u);
  }
  // Once the client section is gone, another one may take its place.
  bar->setSectionAlign(2, TkwoTitleBarAlign::kwoLeft);
  bar->setSectionAlign(0, TkwoTitleBarAlign::kwoClient);
  EXPECT_EQ(bar->section(0).align, TkwoTitleBarAlign::kwoClient);
  EXPECT_TRUE(bar->section(0).stretch);
  bar->setSectionStretch(0, false);
  EXPECT_TRUE(bar->section(0).stretch) << "a client section always stretches";
}

TEST_F(TitleBarTest, CollectionsAssignThroughTheSetters) {
  TkwoTitleBar *bar = makeBar(S::DeepBlue);
  TkwoTitleBar other(nullptr);
  other.setUIStyle(S::WinXP);
  bar->setSections({other.section(0), other.section(1), other.section(2)});
  ASSERT_EQ(bar->sectionCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(bar->section(i).picture, other.section(i).picture) << i;
    EXPECT_EQ(bar->section(i).align, other.section(i).align) << i;
    // AutoSize comes last and hands any picture's width on, whatever its value.
    EXPECT_EQ(bar->section(i).width, other.section(i).picture.width()) << i;
  }
  // A picture gives an auto-sized section its width.
  TkwoTitleBarSection s;
  s.autoSize = true;
  s.picture = filled(37, 20, Qt::red);
  bar->assignSection(1, s);
  EXPECT_EQ(bar->section(1).width, 37);

  // Two control boxes: the second is refused and stays custom.
  TkwoTitleBarButton box;
  box.buttonType = B::kwoControlBox;
  TkwoTitleBarButton close;
  close.buttonType = B::kwoClose;
  close.visible = false;
  {
    testsupport::MessageBoxScript boxes;
    boxes.answer(ui::IDOK);
    bar->setButtons({box, close, box});
    EXPECT_EQ(boxes.shown().size(), 1u);
  }
  ASSERT_EQ(bar->buttonCount(), 3);
  EXPECT_EQ(bar->button(0).buttonType, B::kwoControlBox);
  EXPECT_EQ(bar->button(1).buttonType, B::kwoClose);
  EXPECT_FALSE(bar->button(1).visible);
  EXPECT_EQ(bar->button(2).buttonType, B::kwoCustom);
}

TEST_F(TitleBarTest, LongCaptionEndsInDotsAndStaysLeftOfTheButtons) {
  TkwoTitleBar *bar = makeBar(S::DeepBlue, 200);
  const TitleBarLayout layout = bar->buttonLayout();
  bar->setCaption(QString());
  const QImage empty = grabOf(*bar);
  bar->setCaption(QStringLiteral("显示屏 \U0001F600 控制程序 \U0001F600 Morvit LED Display Control Suite"));
  const QImage cutDown = grabOf(*bar);
  EXPECT_NE(cut(cutDown, {layout.captionLeft, 0, layout.captionRight, bar->height()}),
            cut(empty, {layout.captionLeft, 0, layout.captionRight, bar->height()}))
      << "no caption drawn";
  const Rect right{layout.captionRight, 0, bar->width(), bar->height()};
  EXPECT_EQ(cut(cutDown, right), cut(empty, right)) << "the caption ran into the buttons";
}

TEST_F(TitleBarTest, InactiveCaptionTakesTheInactiveColour) {
  TkwoTitleBar *bar = makeBar(S::DeepBlue);
  // Full blocks, so the middle of the first glyph is solid ink.
  bar->setCaption(QStringLiteral("\u2588\u2588\u2588"));
  const QFontMetrics fm(bar->font());
  const QPoint ink(bar->buttonLayout().captionLeft + 3,
                   bar->buttonTop() + (bar->buttonImageHeight() - fm.height()) / 2 + fm.height() / 2);
  EXPECT_EQ(QColor(grabOf(*bar).pixel(ink)), QColor(255, 255, 255));
  bar->setFormActive(false);
  EXPECT_EQ(QColor(grabOf(*bar).pixel(ink)), QColor(191, 205, 219));
}

TEST_F(TitleBarTest, AppIconIsDrawnBesideTheCaptionAndCachedUntilItChanges) {
  QImage red(16, 16, QImage::Format_RGB32);
  red.fill(QColor(220, 0, 0));
  QImage blue(16, 16, QImage::Format_RGB32);
  blue.fill(QColor(0, 0, 220));
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(red)));
  TkwoTitleBar *bar = makeBar(S::MacOS);
  bar->setDrawAppIcon(true);
  const TitleBarLayout layout = bar->buttonLayout();
  const int cx = layout.buttons[0].left;
  EXPECT_EQ(layout.captionLeft, cx + 21);
  const QImage picture = grabOf(*bar);
  EXPECT_EQ(QColor(picture.pixel(cx + 3, bar->buttonTop())), QColor(220, 0, 0));
  EXPECT_EQ(QColor(picture.pixel(cx + 3 + 15, bar->buttonTop() + 15)), QColor(220, 0, 0));
  EXPECT_NE(QColor(picture.pixel(cx + 2, bar->buttonTop())), QColor(220, 0, 0));

  ASSERT_EQ(bar->appIconRenewals(), 1);
  QImage target(bar->size(), QImage::Format_ARGB32_Premultiplied);
  for (int i = 0; i < 1000; ++i) bar->render(&target);
  EXPECT_EQ(bar->appIconRenewals(), 1) << "the icon was copied again";

  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(blue)));
  EXPECT_EQ(QColor(grabOf(*bar).pixel(cx + 3, bar->buttonTop())), QColor(0, 0, 220));
  EXPECT_EQ(bar->appIconRenewals(), 2);
  QApplication::setWindowIcon(QIcon());
}

TEST_F(TitleBarTest, DestroyingTheThemeLeavesDeepBlueWithoutATheme) {
  TkwoTitleBar *bar = makeBar(S::MacOS);
  auto *theme = new TkwoFileTheme(&form());
  bar->setFileTheme(theme);
  // Setting the theme keeps the font colour of the look.
  EXPECT_EQ(bar->controlFont().color, 0x000000);
  bar->setUIStyle(S::FromThemeFile);
  EXPECT_EQ(bar->systemMenu()->fileTheme(), theme);
  delete theme;
  EXPECT_EQ(bar->fileTheme(), nullptr);
  EXPECT_EQ(bar->systemMenu()->fileTheme(), nullptr);
  EXPECT_EQ(bar->uiStyle(), S::DeepBlue);
  EXPECT_EQ(bar->look(), S::DeepBlue);
  EXPECT_EQ(bar->controlFont().color, 0xFFFFFF);
  EXPECT_EQ(bar->height(), BuiltInImageSize(S::DeepBlue, tiTitleBarLeftImage).height - 3);
}

// --- With a skin file ---

// Frame k (1..18) of the skin's button strip is filled with its own colour.
QRgb skinFrameColour(int k) { return qRgb(12 * k, 250 - 12 * k, (70 * k) % 256); }

QImage skinButtonStrip(int frameWidth, int height) {
  QImage strip(frameWidth * kTitleButtonFrameCount, height, QImage::Format_RGB32);
  for (int k = 1; k <= kTitleButtonFrameCount; ++k) {
    QPainter p(&strip);
    p.fillRect((k - 1) * frameWidth, 0, frameWidth, height, QColor(skinFrameColour(k)));
  }
  return strip;
}

class TitleBarSkinTest : public TitleBarTest {
 protected:
  // A theme owned by the form, loaded from the skin.
  TkwoFileTheme *load(const SkinFileBuilder &skin) {
    skin.writeTo(dir_ / "title.kwo");
    auto *theme = new TkwoFileTheme(&form());
    theme->setThemeFile(QString::fromStdString((dir_ / "title.kwo").string()));
    EXPECT_TRUE(theme->isLoaded());
    return theme;
  }
  // The frame's bar reading the skin.
  TkwoTitleBar *skinnedBar(const SkinFileBuilder &skin, int width = 449) {
    TkwoTitleBar *bar = makeBar(S::DeepBlue, width);
    bar->setFileTheme(load(skin));
    bar->setUIStyle(S::FromThemeFile);
    return bar;
  }

  testsupport::TempAppDir dir_;
};

TEST_F(TitleBarSkinTest, FontColourFollowsTheSkinsBaseLookMarker) {
  const struct {
    int32_t marker;
    platform::TColor colour;
  } cases[] = {
      {0x10000, 0x000000}, {0x20000, 0xFFFFFF}, {0x30000, 0x000000},
      {0x40000, 0x000000}, {0x50000, 0x000000}, {0x60000, 0xFFFFFF},  // no look
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.marker);
    TkwoTitleBar *bar = skinnedBar(SkinFileBuilder::fromBuiltIn(S::WinXP, c.marker));
    ASSERT_EQ(bar->look(), S::FromThemeFile);
    EXPECT_EQ(bar->controlFont().color, c.colour);
    // A built-in style asked for with the theme keeps its own rule.
    bar->setUIStyle(S::MacOS);
    EXPECT_EQ(bar->controlFont().color, 0x000000);
    bar->setUIStyle(S::DeepBlue);
    EXPECT_EQ(bar->controlFont().color, 0xFFFFFF);
  }
  // Handing the theme over keeps the font colour; the style then applies.
  TkwoTitleBar *bar = makeBar(S::MacOS);
  bar->setFileTheme(load(SkinFileBuilder::fromBuiltIn(S::WinXP, 0x20000)));
  EXPECT_EQ(bar->controlFont().color, 0x000000);
  bar->setUIStyle(S::FromThemeFile);
  EXPECT_EQ(bar->controlFont().color, 0xFFFFFF);
}

TEST_F(TitleBarSkinTest, SizesAndFramesComeFromTheSkinsPictures) {
  QImage left(40, 36, QImage::Format_RGB32);
  left.fill(QColor(10, 20, 30));
  SkinFileBuilder skin;
  skin.addImage("TitleBarLeftImage", left)
      .addImage("TitleBarRightImage", left)
      .addImage("TitleBarClientImage", left)
      .addImage("TitleBarButtonImage", skinButtonStrip(25, 24))
      .addInt("TitleBarButtonTopInt", 5)
      .addInt("TitleBarButtonLeftOffsetInt", 4)
      .addInt("TitleBarButtonRightOffsetInt", -3);
  TkwoTitleBar *bar = skinnedBar(skin, 300);
  const ThemeSource source = ThemeSource::resolve(bar->fileTheme(), S::FromThemeFile);
  EXPECT_EQ(TitleBarHeightFor(source, true), 33);
  EXPECT_EQ(TitleBarHeightFor(source, false), 36);
  EXPECT_EQ(TitleButtonSize(source), (Size{25, 24}));
  EXPECT_EQ(bar->height(), 33);
  EXPECT_EQ(bar->buttonImageHeight(), 24);
  EXPECT_EQ(bar->buttonTop(), 2);

  // Each button shows its own frames, and the hot and pressed ones.
  form().show();
  const TitleBarLayout layout = bar->buttonLayout();
  for (const ButtonFrame &c : kDefaultButtonFrames) {
    const Rect r = layout.buttons[static_cast<size_t>(c.index)];
    EXPECT_EQ(QSize(r.width(), r.height()), QSize(25, 24)) << c.index;
    EXPECT_EQ(grabOf(*bar).pixel(centre(r)), skinFrameColour(c.frame)) << c.index;
  }
  const QPoint close = centre(layout.buttons[1]);
  sendMove(bar, close);
  EXPECT_EQ(grabOf(*bar).pixel(close), skinFrameColour(17));
  QTest::mousePress(bar, Qt::LeftButton, {}, close);
  EXPECT_EQ(grabOf(*bar).pixel(close), skinFrameColour(18));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(100, 10));  // released off the button
  ASSERT_TRUE(form().visible());

  // Maximised, the maximise button shows frames 10 to 12.
  doubleClick(bar, QPoint(100, 10));
  ASSERT_EQ(form().windowState(), ui::WindowState::Maximized);
  const TkwoTitleBarButton max = bar->button(2);
  EXPECT_EQ(max.picNormal.pixel(0, 0), skinFrameColour(10));
  EXPECT_EQ(max.picMouseOn.pixel(0, 0), skinFrameColour(11));
  EXPECT_EQ(max.picMouseDown.pixel(0, 0), skinFrameColour(12));
  doubleClick(bar, QPoint(100, 10));
  EXPECT_EQ(bar->button(2).picNormal.pixel(0, 0), skinFrameColour(7));
  form().hide();
}

TEST_F(TitleBarSkinTest, MissingSizeItemsGiveZeroAndOffsetsKeepTheirSign) {
  TkwoTitleBar *bar = skinnedBar(SkinFileBuilder().addInt("Unrelated", 7));
  EXPECT_EQ(bar->height(), 0) << "no left picture";
  EXPECT_EQ(bar->buttonImageHeight(), 0);
  EXPECT_EQ(bar->roundCorner(), 0);
  EXPECT_EQ(form().constraints().minWidth, 0);
  EXPECT_EQ(bar->buttonTop(), -1 - 3);
  EXPECT_EQ(bar->leftBtnXOffset(), -1);
  EXPECT_EQ(bar->rightBtnXOffset(), -1);
  const ThemeSource source = ThemeSource::resolve(bar->fileTheme(), S::FromThemeFile);
  EXPECT_EQ(TitleBarHeightFor(source, true), 0);
  EXPECT_EQ(TitleButtonSize(source), (Size{0, 0}));
  // Without pictures the buttons take no room and the bar still paints.
  for (const Rect &r : bar->buttonLayout().buttons) EXPECT_TRUE(r.empty());
  bar->setCaption(QStringLiteral("Morvit"));
  bar->setHeight(20);
  EXPECT_EQ(grabOf(*bar).size(), bar->size());
}

}  // namespace
}  // namespace kwo
