// The skinned frame on its form, on the offscreen platform: taking the form
// over, the menu bar's buttons, the ring with the title pictures, the
// window's shape, maximising and restoring, the active and inactive caption,
// the keys the frame takes, the look it hands to the form's controls, its
// look from a file theme, and the hooks that tie it to the form and the
// application.
#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/color.h"
#include "platform/ui/menu.h"
#include "platform/ui/panel.h"
#include "platform/ui/tool_bar.h"
#include "platform/ui/work_area.h"
#include "skin_toolkit/controls/kwo_button.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/frames/form_region.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/frames/kwo_menu.h"
#include "skin_toolkit/frames/kwo_status_bar.h"
#include "skin_toolkit/frames/kwo_title_bar.h"
#include "skin_toolkit/frames/kwo_tool_bar.h"
#include "skin_toolkit/gallery/skin_file_builder.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/file_theme.h"
#include "tests/skin_toolkit/frames/form_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;

ui::MenuItem *addItem(ui::Menu &menu, const QString &caption, ui::MenuItem *parent = nullptr) {
  auto *item = new ui::MenuItem(&menu);
  item->setCaption(caption);
  (parent != nullptr ? parent : menu.items())->add(item);
  return item;
}

QStringList buttonCaptions(const TkwoForm &frame) {
  QStringList captions;
  for (ui::ToolButton *b : frame.menuBarButtons()) captions << b->caption();
  return captions;
}

QImage builtIn(S style, int position) {
  QImage picture;
  GetBuiltInThemeImage(style, position, picture, 0, 0);
  return picture;
}

bool anyPixel(const QImage &picture, QRect area, QColor colour) {
  area &= picture.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (picture.pixelColor(x, y) == colour) return true;
    }
  }
  return false;
}

// The lowest grey level in a picture.
int darkest(const QImage &picture) {
  int low = 255;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) low = std::min(low, qGray(picture.pixel(x, y)));
  }
  return low;
}

// --- Taking the form over ---

TEST_F(ToolkitTest, FrameTakesOverTheForm) {
  auto form = makeForm();
  form->setCaption(QStringLiteral("Morvit"));
  auto *frame = new TkwoForm(form.get());
  ASSERT_TRUE(frame->isActiveFrame());
  EXPECT_EQ(frame->parentControl(), form.get());
  EXPECT_EQ(form->nonClientRing(), 3);
  EXPECT_EQ(frame->boundsRect(), QRect(3, 3, 443, 617));
  EXPECT_EQ(frame->uiStyle(), S::DeepBlue);
  EXPECT_EQ(frame->titleBarHeight(), 29);
  EXPECT_EQ(frame->titleBar()->boundsRect(), QRect(0, 0, 443, 29));
  EXPECT_EQ(frame->caption(), QStringLiteral("Morvit"));
  EXPECT_EQ(frame->menuBar(), nullptr);
  EXPECT_EQ(frame->menuBarHeight(), 22);
  EXPECT_EQ(form->constraints().minHeight, 50);
  EXPECT_EQ(form->constraints().minWidth, 130);  // the look's minimum, after the frame's 125
  EXPECT_FALSE(form->autoScroll());
  frame->setVersion(QStringLiteral("1.0"));
  EXPECT_EQ(frame->version(), QStringLiteral("5.4"));

  frame->setUIStyle(S::MacOS);
  EXPECT_EQ(frame->titleBarHeight(), 20);
  EXPECT_EQ(frame->borderColor(), platform::RGB(127, 127, 127));
  EXPECT_EQ(frame->borderWidth(), 1);
  EXPECT_EQ(frame->color(), platform::RGB(231, 231, 231));
  EXPECT_EQ(frame->menuBarColor(), frame->color());

  frame->setCaption(QStringLiteral("Other"));
  EXPECT_EQ(form->caption(), QStringLiteral("Other"));
  EXPECT_EQ(frame->titleBar()->caption(), QStringLiteral("Other"));

  frame->setTitleBarVisible(false);
  EXPECT_EQ(frame->titleBarHeight(), 0);
  EXPECT_FALSE(frame->titleBarVisible());
  EXPECT_EQ(frame->roundCorner(), 0);
  frame->setTitleBarVisible(true);
  EXPECT_EQ(frame->titleBar()->y(), 0);
}

TEST_F(ToolkitTest, SecondFrameAndFrameWithoutFormStayPlainPanels) {
  auto form = makeForm();
  auto *first = new TkwoForm(form.get());
  first->setUIStyle(S::BlueGlass);
  auto *second = new TkwoForm(form.get());
  EXPECT_FALSE(second->isActiveFrame());
  EXPECT_EQ(second->titleBar(), nullptr);
  EXPECT_EQ(second->parentControl(), nullptr);
  EXPECT_EQ(second->titleBarHeight(), 0);
  second->setMenu(nullptr);
  EXPECT_EQ(GetOwnerFormUIStyle(form.get()), S::BlueGlass);
  EXPECT_EQ(form->nonClientRing(), 3);

  TkwoForm loose(nullptr);
  EXPECT_FALSE(loose.isActiveFrame());
  EXPECT_EQ(loose.form(), nullptr);

  // Freeing the working frame gives the form its platform frame back.
  delete first;
  EXPECT_EQ(form->nonClientRing(), 0);
}

TEST_F(ToolkitTest, BorderStylesWithoutSizingBecomeDialog) {
  const struct {
    ui::BorderStyle before, after;
  } cases[] = {{ui::BorderStyle::None, ui::BorderStyle::Dialog},
               {ui::BorderStyle::Single, ui::BorderStyle::Dialog},
               {ui::BorderStyle::ToolWindow, ui::BorderStyle::Dialog},
               {ui::BorderStyle::Sizeable, ui::BorderStyle::Sizeable},
               {ui::BorderStyle::Dialog, ui::BorderStyle::Dialog},
               {ui::BorderStyle::SizeToolWin, ui::BorderStyle::SizeToolWin}};
  for (const auto &c : cases) {
    auto form = makeForm();
    form->setBorderStyle(c.before);
    new TkwoForm(form.get());
    EXPECT_EQ(form->borderStyle(), c.after) << static_cast<int>(c.before);
  }
}

TEST_F(ToolkitTest, MenuBarHasOneButtonPerTopLevelItemInOrder) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  frame->setUIStyle(S::MacOS);
  auto *menu = new TkwoMainMenu(form.get());
  // A main menu made on a form with a frame is shown by it.
  EXPECT_EQ(frame->menu(), menu);
  EXPECT_EQ(menu->skinForm(), frame);
  EXPECT_EQ(menu->uiStyle(), S::MacOS);
  for (const char *c : {"&File", "View", "&Project", "&Help"}) addItem(*menu, QString::fromLatin1(c));
  ASSERT_NE(frame->menuBar(), nullptr);
  EXPECT_EQ(buttonCaptions(*frame), (QStringList{"&File", "View", "&Project", "&Help"}));
  EXPECT_EQ(frame->menuBar()->y(), frame->titleBarHeight());
  for (ui::ToolButton *b : frame->menuBarButtons()) EXPECT_EQ(b->owner(), frame);

  menu->items()->item(1)->setCaption(QStringLiteral("&View"));
  EXPECT_EQ(frame->menuBarButtons()[1]->caption(), QStringLiteral("&View"));
  delete menu->items()->item(0);
  EXPECT_EQ(buttonCaptions(*frame), (QStringList{"&View", "&Project", "&Help"}));

  frame->setMenu(nullptr);
  EXPECT_EQ(frame->menuBar(), nullptr);
  EXPECT_TRUE(frame->menuBarButtons().empty());
  EXPECT_EQ(menu->skinForm(), nullptr);

  frame->setMenu(menu);
  EXPECT_EQ(frame->menuBarButtons().size(), 3u);
  delete menu;
  EXPECT_EQ(frame->menu(), nullptr);
  EXPECT_EQ(frame->menuBar(), nullptr);
  EXPECT_TRUE(frame->menuBarButtons().empty());
}

TEST_F(ToolkitTest, MenuBuiltWhileLoadingIsShownOnceLoaded) {
  auto form = makeForm();
  TkwoForm *frame = nullptr;
  {
    ui::LoadingGuard loading(*form);
    frame = new TkwoForm(form.get());
    auto *menu = new TkwoMainMenu(form.get());
    auto *file = addItem(*menu, QStringLiteral("&File"));
    addItem(*menu, QStringLiteral("Load Project"), file);
    addItem(*menu, QStringLiteral("View"));
    EXPECT_TRUE(frame->menuBarButtons().empty());
    EXPECT_FALSE(static_cast<bool>(file->OnDrawItem));
  }
  EXPECT_EQ(buttonCaptions(*frame), (QStringList{"&File", "View"}));
  auto *menu = static_cast<TkwoMainMenu *>(frame->menu());
  // Every item, sub-items too, is drawn by the menu once it has loaded.
  EXPECT_TRUE(static_cast<bool>(menu->items()->item(0)->item(0)->OnDrawItem));
}

TEST_F(ToolkitTest, PlainMainMenuAlsoGetsABar) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  ui::MainMenu menu(nullptr);
  addItem(menu, QStringLiteral("One"));
  addItem(menu, QStringLiteral("Two"));
  frame->setMenu(&menu);
  EXPECT_EQ(buttonCaptions(*frame), (QStringList{"One", "Two"}));
  frame->setMenu(nullptr);
  EXPECT_EQ(frame->menuBar(), nullptr);
}

TEST_F(ToolkitTest, RingIsPaintedRoundTheClientArea) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  frame->setUIStyle(S::MacOS);
  form->show();
  const QImage picture = form->grab().toImage();
  EXPECT_EQ(picture.pixelColor(0, 300), QColor(127, 127, 127));
  EXPECT_EQ(picture.pixelColor(448, 300), QColor(127, 127, 127));
  EXPECT_EQ(picture.pixelColor(200, 622), QColor(127, 127, 127));
  EXPECT_EQ(picture.pixelColor(1, 300), QColor(231, 231, 231));
  EXPECT_EQ(picture.pixelColor(200, 300), QColor(231, 231, 231));  // the frame's client colour
  // Above the title bar the ring shows the title's middle picture.
  QImage middle;
  GetBuiltInThemeImage(S::MacOS, tiTitleBarClientImage, middle, 0, 0);
  bool fromMiddle = false;
  for (int x = 0; x < middle.width(); ++x) fromMiddle |= middle.pixel(x, 0) == picture.pixel(200, 0);
  EXPECT_TRUE(fromMiddle);

  frame->setTitleBarVisible(false);
  const QImage bare = form->grab().toImage();
  EXPECT_EQ(bare.pixelColor(200, 0), QColor(127, 127, 127));
  EXPECT_EQ(bare.pixelColor(200, 1), QColor(231, 231, 231));
  EXPECT_EQ(bare.pixelColor(200, 2), QColor(231, 231, 231));
  form->hide();
}

TEST_F(ToolkitTest, ControlsTakeTheLookOfTheirOwnerFormsFrame) {
  EXPECT_EQ(GetOwnerFormUIStyle(nullptr), S::DeepBlue);
  auto form = makeForm();
  EXPECT_EQ(GetOwnerFormUIStyle(form.get()), S::DeepBlue);
  ui::Panel notAForm(nullptr);
  EXPECT_EQ(GetOwnerFormUIStyle(&notAForm), S::DeepBlue);

  auto *frame = new TkwoForm(form.get());
  frame->setUIStyle(S::BlueGlass);
  auto *panel = new ui::Panel(form.get());
  panel->setParentControl(frame);
  auto *button = new TkwoButton(form.get());
  button->setParentControl(panel);
  EXPECT_EQ(button->uiStyle(), S::BlueGlass);
  EXPECT_TRUE(button->transparent());
  EXPECT_EQ((new TkwoToolBar(form.get()))->uiStyle(), S::BlueGlass);
  EXPECT_EQ((new TkwoStatusBar(form.get()))->uiStyle(), S::BlueGlass);
  EXPECT_EQ((new TkwoPopupMenu(form.get()))->uiStyle(), S::BlueGlass);

  auto *loose = new TkwoButton(nullptr);
  EXPECT_EQ(loose->uiStyle(), S::DeepBlue);
  delete loose;
}

TEST_F(ToolkitTest, FramePassesItsLookToChildrenOnlyWhenAsked) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  auto *button = new TkwoButton(form.get());
  button->setParentControl(frame);
  frame->setUIStyle(S::WinXP);
  EXPECT_EQ(button->uiStyle(), S::DeepBlue);
  frame->setUIStyleAutoUpdateSub(true);
  frame->setUIStyle(S::Protein);
  EXPECT_EQ(button->uiStyle(), S::Protein);
}

TEST_F(ToolkitTest, FormPanelRefusesTheFrameItself) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  auto *panel = new ui::Panel(form.get());
  panel->setCaption(QStringLiteral("x"));
  panel->setParentControl(frame);
  frame->setFormPanel(panel);
  EXPECT_EQ(frame->formPanel(), panel);
  EXPECT_EQ(panel->align(), ui::Align::Client);
  EXPECT_EQ(panel->bevelOuter(), ui::Bevel::None);
  EXPECT_TRUE(panel->caption().isEmpty());
  {
    testsupport::MessageBoxScript boxes;
    boxes.answer(ui::IDOK);
    frame->setFormPanel(frame);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Sorry, you can't select the Form assign to FormPanel property"));
  }
  EXPECT_EQ(frame->formPanel(), panel);
  delete panel;
  EXPECT_EQ(frame->formPanel(), nullptr);
}

class FormSkinTest : public testsupport::UiTest {
 protected:
  void TearDown() override {
    ui::setWorkAreaForTesting(std::nullopt);
    testsupport::UiTest::TearDown();
  }

  std::unique_ptr<ui::Form> makeForm(int width = 449, int height = 623) {
    auto form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 80, width, height);
    return form;
  }

  static void activate(QWidget *w) {
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(testsupport::waitFor([w] { return w->isActiveWindow(); }));
  }
};

// --- Ring and shape ---

TEST_F(FormSkinTest, RingCarriesTheTitlePicturesOn) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  frame->setUIStyle(S::MacOS);
  form->show();
  const QImage picture = form->grab().toImage();
  const QImage left = builtIn(S::MacOS, tiTitleBarLeftImage);
  const QImage right = builtIn(S::MacOS, tiTitleBarRightImage);
  ASSERT_FALSE(left.isNull());
  ASSERT_FALSE(right.isNull());
  EXPECT_EQ(picture.pixel(1, 10), left.pixel(0, 10));
  EXPECT_EQ(picture.pixel(2, 1), left.pixel(2, 1));
  // The right piece shows the right picture's last columns.
  EXPECT_EQ(picture.pixel(446, 10), right.pixel(right.width() - 2, 10));
  EXPECT_EQ(picture.pixel(447, 10), right.pixel(right.width() - 1, 10));
  // Below the pictures the ring has the frame's colour again.
  EXPECT_EQ(picture.pixelColor(1, left.height() + 5), QColor(231, 231, 231));
}

TEST_F(FormSkinTest, WindowRegionRoundsOnlyTheTopCorners) {
  for (int c : {11, 13}) {
    auto form = makeForm();
    auto *frame = new TkwoForm(form.get());
    frame->setRoundCorner(c);
    const QRegion region = form->windowRegion();
    const int wf = form->width();
    const int hf = form->height();
    for (QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(wf - 1, 0), QPoint(wf - 2, 0),
                     QPoint(wf - 1, 1)}) {
      EXPECT_FALSE(region.contains(p)) << c << " " << p.x() << "," << p.y();
    }
    for (QPoint p : {QPoint(wf / 2, 0), QPoint(0, c), QPoint(wf - 1, c), QPoint(0, hf - 1), QPoint(wf - 1, hf - 1)}) {
      EXPECT_TRUE(region.contains(p)) << c << " " << p.x() << "," << p.y();
    }
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, wf, hf));

    frame->setTitleBarVisible(false);
    EXPECT_EQ(form->windowRegion(), QRegion(0, 0, wf, hf)) << c;
  }
}

TEST_F(FormSkinTest, RegionEdgeCases) {
  EXPECT_TRUE(RoundTopRegion(0, 10, 11).isEmpty());
  EXPECT_TRUE(RoundTopRegion(10, -1, 11).isEmpty());
  EXPECT_EQ(RoundTopRegion(50, 40, -4), QRegion(0, 0, 50, 40));
  EXPECT_EQ(RoundTopRegion(50, 40, 2), QRegion(0, 0, 50, 40));
  // A corner larger than the window stays inside it.
  const QRegion tiny = RoundTopRegion(6, 4, 40);
  EXPECT_EQ(tiny.boundingRect(), QRect(0, 0, 6, 4));
  EXPECT_FALSE(tiny.contains(QPoint(0, 0)));
  EXPECT_TRUE(tiny.contains(QPoint(0, 3)));
}

TEST_F(FormSkinTest, NegativeSizesReadAsZero) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  frame->setRoundCorner(-7);
  EXPECT_EQ(frame->roundCorner(), 0);
  EXPECT_EQ(form->windowRegion(), QRegion(0, 0, form->width(), form->height()));
  frame->setBorderWidth(-2);
  EXPECT_EQ(frame->borderWidth(), 0);
}

TEST_F(FormSkinTest, ShapeFollowsTheFormsSize) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  frame->setUIStyle(S::BlueGlass);
  form->show();
  form->setBounds(100, 80, 300, 200);
  ASSERT_TRUE(testsupport::waitFor([&] { return form->windowRegion().boundingRect() == QRect(0, 0, 300, 200); }));
  EXPECT_FALSE(form->windowRegion().contains(QPoint(299, 0)));
}

// --- Window state ---

TEST_F(FormSkinTest, MaximisesToTheWorkAreaLessItsBottomRow) {
  ui::setWorkAreaForTesting(QRect(0, 0, 1280, 1024));
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  frame->setUIStyle(S::BlueGlass);
  form->show();
  form->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  EXPECT_EQ(form->geometry(), QRect(0, 0, 1280, 1023));
  // Still round at the top.
  EXPECT_FALSE(form->windowRegion().contains(QPoint(0, 0)));
  form->setWindowState(ui::WindowState::Normal);
  EXPECT_EQ(form->geometry(), QRect(100, 80, 449, 623));
}

TEST_F(FormSkinTest, FrameOnAMaximisedFormRestoresToTheBoundsItWasMadeWith) {
  ui::setWorkAreaForTesting(QRect(0, 0, 1280, 1024));
  auto form = makeForm();
  form->setWindowState(ui::WindowState::Maximized);
  auto *frame = new TkwoForm(form.get());
  EXPECT_TRUE(frame->startedMaximized());
  EXPECT_EQ(frame->restoreBounds(), QRect(100, 80, 449, 623));
  form->show();
  testsupport::processEvents();
  EXPECT_EQ(form->windowState(), ui::WindowState::Maximized);
  EXPECT_EQ(form->geometry(), QRect(0, 0, 1280, 1023));
  form->setWindowState(ui::WindowState::Normal);
  testsupport::processEvents();
  EXPECT_EQ(form->geometry(), QRect(100, 80, 449, 623));
  // Only the first restore: later sizes are the user's.
  form->setBounds(50, 60, 500, 400);
  testsupport::processEvents();
  EXPECT_EQ(form->geometry(), QRect(50, 60, 500, 400));
}

// --- Activation and keys ---

TEST_F(FormSkinTest, InactiveFormShowsTheInactiveCaption) {
  const QColor inactive(191, 205, 219);
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  frame->setUIStyle(S::DeepBlue);
  frame->setCaption(QStringLiteral("MMMMMMMM"));
  activate(form.get());
  TkwoTitleBar *bar = frame->titleBar();
  EXPECT_TRUE(bar->formActive());
  EXPECT_FALSE(anyPixel(bar->grab().toImage(), bar->rect(), inactive));

  auto other = makeForm(200, 100);
  activate(other.get());
  EXPECT_FALSE(bar->formActive());
  EXPECT_TRUE(anyPixel(bar->grab().toImage(), bar->rect(), inactive));

  activate(form.get());
  EXPECT_TRUE(bar->formActive());
}

TEST_F(FormSkinTest, MenuShortcutRunsOnlyWhileTheFormIsActive) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  auto *menu = new TkwoMainMenu(form.get());
  ui::MenuItem *file = addItem(*menu, QStringLiteral("&File"));
  auto *open = new ui::MenuItem(menu);
  open->setCaption(QStringLiteral("Open"));
  open->setShortCut(QKeyCombination(Qt::ControlModifier, Qt::Key_O));
  int opened = 0;
  open->OnClick = [&](ui::MenuItem *) { ++opened; };
  file->add(open);
  ASSERT_EQ(frame->menu(), menu);
  EXPECT_EQ(form->menu(), nullptr);

  activate(form.get());
  testsupport::pressKey(form.get(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(opened, 1);

  auto other = makeForm(200, 100);
  activate(other.get());
  testsupport::pressKey(form.get(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(opened, 1);

  // Without the application's hook the form's own key events carry it.
  activate(form.get());
  if (frame->ownsMessageHook()) ui::Application::instance()->removeMessageHook(frame);
  testsupport::pressKey(form.get(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(opened, 2);
}

TEST_F(FormSkinTest, AltSpaceOpensTheSystemMenuBelowTheTitleBar) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  frame->setUIStyle(S::MacOS);
  activate(form.get());
  ASSERT_TRUE(frame->ownsMessageHook());
  // Window managers keep Alt+Space for themselves, so the key is made here.
  testsupport::pressKey(form.get(), Qt::Key_Space, Qt::AltModifier, QStringLiteral(" "));
  testsupport::processEvents();
  QWidget *popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->pos(), QPoint(form->x(), form->y() + frame->titleBarHeight()));
}

// --- Menu bar ---

class MenuBarTest : public FormSkinTest {
 protected:
  void build(S style) {
    form = makeForm();
    frame = new TkwoForm(form.get());
    frame->setUIStyle(style);
    menu = new TkwoMainMenu(form.get());
    addItem(*menu, QStringLiteral("File"));
    addItem(*menu, QStringLiteral("View"))->setEnabled(false);
    form->show();
    ASSERT_EQ(frame->menuBarButtons().size(), 2u);
  }
  ui::ToolButton *button(int i) const { return frame->menuBarButtons()[static_cast<size_t>(i)]; }
  static void moveOver(QWidget *w) {
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
  }
  static void leave(QWidget *w) {
    QEvent leaveEvent(QEvent::Leave);
    QApplication::sendEvent(w, &leaveEvent);
  }

  std::unique_ptr<ui::Form> form;
  TkwoForm *frame = nullptr;
  TkwoMainMenu *menu = nullptr;
};

TEST_F(MenuBarTest, HotButtonFollowsTheLastMousePosition) {
  build(S::WinXP);
  ui::ToolButton *b = button(0);
  EXPECT_EQ(frame->hotMenuButton(), nullptr);
  moveOver(b);
  EXPECT_EQ(frame->hotMenuButton(), b);
  const QImage hot = b->grab().toImage();
  EXPECT_EQ(hot.pixelColor(b->width() / 2, 1), QColor(198, 211, 239));
  EXPECT_EQ(hot.pixelColor(0, b->height() / 2), QColor(49, 105, 198));
  leave(b);
  EXPECT_EQ(frame->hotMenuButton(), nullptr);
  EXPECT_NE(b->grab().toImage().pixelColor(b->width() / 2, 1), QColor(198, 211, 239));

  // A release clears it too: no leave comes while the button is held.
  moveOver(b);
  QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(frame->hotMenuButton(), b);
  QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(frame->hotMenuButton(), nullptr);
  testsupport::processEvents();
}

TEST_F(MenuBarTest, MacOSHotButtonShowsTheSelectionPicture) {
  build(S::MacOS);
  const QImage select = BuiltInBitmap("MACOS_MENU_SELECT");
  ASSERT_FALSE(select.isNull());
  ui::ToolButton *b = button(0);
  moveOver(b);
  const QImage hot = b->grab().toImage();
  const QImage expected = select.scaled(b->size()).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(hot.pixel(1, 1), expected.pixel(1, 1));
  EXPECT_EQ(hot.pixel(b->width() - 2, b->height() - 2), expected.pixel(b->width() - 2, b->height() - 2));
}

TEST_F(MenuBarTest, DisabledCaptionIsGreyWithoutBlack) {
  build(S::WinXP);
  ui::ToolButton *b = button(1);
  ASSERT_FALSE(b->isEnabled());
  // Smoothed text: its darkest pixels come close to the ink.
  const int disabledInk = darkest(b->grab().toImage());
  EXPECT_GE(disabledInk, 120);
  EXPECT_LE(disabledInk, 140);
  EXPECT_EQ(darkest(button(0)->grab().toImage()), 0);
}

// --- Looks and themes ---

TEST_F(FormSkinTest, MacOSAndProteinFillTheClientWithTheirPattern) {
  for (const auto &[style, name] : {std::pair{S::MacOS, "MACOS_FORM_BACKGROUND"},
                                    std::pair{S::Protein, "PROTEIN_FORM_BACKGROUND"}}) {
    const QImage pattern = BuiltInBitmap(name);
    ASSERT_FALSE(pattern.isNull()) << name;
    auto form = makeForm();
    auto *frame = new TkwoForm(form.get());
    frame->setUIStyle(style);
    const QImage face = frame->grab().toImage();
    for (QPoint p : {QPoint(3, 200), QPoint(12, 301), QPoint(100, 405)}) {
      EXPECT_EQ(face.pixel(p), pattern.pixel(p.x() % pattern.width(), p.y() % pattern.height())) << name;
    }
  }
}

TEST_F(FormSkinTest, ImagePanelAsFormPanelLosesItsCaption) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  auto *panel = new TkwoImagePanel(form.get());
  panel->setCaption(QStringLiteral("picture"));
  panel->setParentControl(frame);
  frame->setFormPanel(panel);
  EXPECT_EQ(panel->caption(), QString());
  EXPECT_EQ(panel->align(), ui::Align::Client);
}

TEST_F(FormSkinTest, RemovedThemeLeavesDeepBlueWithoutATheme) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  auto *button = new TkwoButton(form.get());
  button->setParentControl(frame);
  frame->setUIStyle(S::MacOS);
  auto *theme = new TkwoFileTheme(form.get());
  frame->setFileTheme(theme);
  button->setFileTheme(theme);
  button->setUIStyle(S::WinXP);
  ASSERT_EQ(frame->fileTheme(), theme);
  delete theme;
  EXPECT_EQ(frame->fileTheme(), nullptr);
  EXPECT_EQ(frame->uiStyle(), S::DeepBlue);
  EXPECT_EQ(frame->titleBar()->fileTheme(), nullptr);
  EXPECT_EQ(frame->borderColor(), GetBuiltInThemeColor(S::DeepBlue, tiFormBorderColor));
  // The frame's children go back to DeepBlue too, auto update or not.
  EXPECT_EQ(button->fileTheme(), nullptr);
  EXPECT_EQ(button->uiStyle(), S::DeepBlue);
  form->show();
  testsupport::processEvents();
}

TEST_F(FormSkinTest, SameThemeAgainLeavesTheLookAlone) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  auto *theme = new TkwoFileTheme(form.get());
  frame->setUIStyle(S::MacOS);
  frame->setFileTheme(theme);
  frame->setBorderColor(platform::RGB(1, 2, 3));
  frame->setFileTheme(theme);
  EXPECT_EQ(frame->borderColor(), platform::RGB(1, 2, 3));
  // A different reference applies the style again.
  frame->setFileTheme(nullptr);
  EXPECT_EQ(frame->borderColor(), platform::RGB(127, 127, 127));
}

// --- A loaded skin file ---

class FormFileThemeTest : public FormSkinTest {
 protected:
  // A frame with a menu bar, reading the skin.
  TkwoForm *skinnedFrame(const testsupport::SkinFileBuilder &skin) {
    form = makeForm();
    auto *frame = new TkwoForm(form.get());
    auto *menu = new TkwoMainMenu(form.get());
    addItem(*menu, QStringLiteral("File"));
    skin.writeTo(dir / "frame.kwo");
    auto *theme = new TkwoFileTheme(form.get());
    theme->setThemeFile(QString::fromStdString((dir / "frame.kwo").string()));
    EXPECT_TRUE(theme->isLoaded());
    frame->setFileTheme(theme);
    frame->setUIStyle(S::FromThemeFile);
    return frame;
  }

  testsupport::TempAppDir dir;
  std::unique_ptr<ui::Form> form;
};

TEST_F(FormFileThemeTest, MenuBarColourFollowsTheBaseLookMarker) {
  const struct {
    int32_t marker;
    platform::TColor bar;
  } cases[] = {{0x20000, platform::RGB(59, 92, 172)},
               {0x30000, platform::RGB(51, 102, 153)},
               {0x10000, GetBuiltInThemeColor(S::WinXP, tiFormBackgroundColor)},
               {0, GetBuiltInThemeColor(S::WinXP, tiFormBackgroundColor)}};
  for (const auto &c : cases) {
    TkwoForm *frame = skinnedFrame(testsupport::SkinFileBuilder::fromBuiltIn(S::WinXP, c.marker));
    ASSERT_NE(frame->menuBar(), nullptr);
    EXPECT_EQ(frame->menuBarColor(), c.bar) << std::hex << c.marker;
    EXPECT_EQ(frame->menuBar()->color(), c.bar) << std::hex << c.marker;
    // The rest of the look is the skin's.
    EXPECT_EQ(frame->borderColor(), GetBuiltInThemeColor(S::WinXP, tiFormBorderColor));
    EXPECT_EQ(frame->borderWidth(), 3);
    EXPECT_EQ(frame->roundCorner(), 13);
  }
}

TEST_F(FormFileThemeTest, MissingSizesReadAsZero) {
  testsupport::SkinFileBuilder skin;
  skin.addInt("FormMinWidthInt", 140).addInt("TitleBarButtonTopInt", 4);
  TkwoForm *frame = skinnedFrame(skin);
  EXPECT_EQ(frame->borderWidth(), 0);
  EXPECT_EQ(frame->roundCorner(), 0);
  EXPECT_EQ(form->windowRegion(), QRegion(0, 0, form->width(), form->height()));
  // Without title pictures the ring carries none on.
  for (const RingPiece &piece : frame->ringPieces()) EXPECT_NE(piece.fill, RingFill::TitlePicture);
}

TEST_F(FormFileThemeTest, RingCarriesTheSkinsTitlePicturesOn) {
  auto solid = [](int w, QColor c) {
    QImage picture(w, 26, QImage::Format_RGB32);
    picture.fill(c);
    return picture;
  };
  testsupport::SkinFileBuilder skin;
  skin.addImage("TitleBarLeftImage", solid(30, Qt::red))
      .addImage("TitleBarClientImage", solid(1, Qt::green))
      .addImage("TitleBarRightImage", solid(40, Qt::blue))
      .addInt("FormBorderWidthInt", 1);
  skinnedFrame(skin);
  form->show();
  const QImage picture = form->grab().toImage();
  EXPECT_EQ(picture.pixelColor(1, 10), QColor(Qt::red));
  EXPECT_EQ(picture.pixelColor(2, 25), QColor(Qt::red));
  EXPECT_EQ(picture.pixelColor(200, 1), QColor(Qt::green));
  EXPECT_EQ(picture.pixelColor(447, 10), QColor(Qt::blue));
  EXPECT_EQ(picture.pixelColor(420, 0), QColor(Qt::blue));
}

TEST_F(FormFileThemeTest, ItemsAtTheIntegerLimitsKeepTheFormOnItsScreenAndPainting) {
  ui::setWorkAreaForTesting(QRect(0, 0, 1024, 700));
  constexpr int32_t kLow = std::numeric_limits<int32_t>::min();
  constexpr int32_t kHigh = std::numeric_limits<int32_t>::max();
  testsupport::SkinFileBuilder skin;
  skin.addInt("TitleBarButtonTopInt", kLow)
      .addInt("TitleBarButtonLeftOffsetInt", kHigh)
      .addInt("TitleBarButtonRightOffsetInt", kLow)
      .addInt("FormMinWidthInt", kHigh)
      .addInt("FormRoundCornerInt", kHigh)
      .addInt("FormBorderWidthInt", kHigh);
  // The rest of the look, pictures included, after them: the first entry of
  // a name wins.
  testsupport::SkinFileBuilder rest = testsupport::SkinFileBuilder::fromBuiltIn(S::WinXP);
  for (const auto &entry : rest.entries()) skin.addRaw(entry);
  TkwoForm *frame = skinnedFrame(skin);
  TkwoTitleBar *bar = frame->titleBar();

  EXPECT_EQ(bar->buttonTop(), -kPixelLimit - kFrameRing);
  EXPECT_EQ(bar->leftBtnXOffset(), kPixelLimit);
  EXPECT_EQ(bar->rightBtnXOffset(), -kPixelLimit);
  EXPECT_EQ(frame->roundCorner(), kPixelLimit);
  EXPECT_EQ(frame->borderWidth(), kPixelLimit);
  // No wider than the work area, and the form grew to it.
  EXPECT_EQ(form->constraints().minWidth, 1024);
  EXPECT_EQ(form->width(), 1024);

  // The row starts the offset left of the bar's right edge, the control box
  // the offset right of its left edge; the caption has no room between. The
  // buttons' top, three above the pixel range, is held to it.
  const TitleBarLayout layout = bar->buttonLayout();
  const Size button = TitleButtonSize(S::WinXP);
  ASSERT_EQ(layout.buttons.size(), 4u);
  EXPECT_EQ(layout.buttons[0],
            (Rect{kPixelLimit, -kPixelLimit, kPixelLimit + button.width, -kPixelLimit + button.height}));
  EXPECT_EQ(layout.buttons[1].left, bar->width() - kPixelLimit + 1 - (button.width + 1));
  EXPECT_EQ(layout.buttons[3].left, layout.buttons[1].left - 2 * (button.width + 1));
  EXPECT_LT(layout.captionRight, layout.captionLeft);

  form->show();
  const QImage picture = form->grab().toImage();
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), form->size());
  EXPECT_EQ(bar->grab().toImage().size(), bar->size());
  // The border covers the ring; the shape is the whole form (the corner
  // cannot exceed it).
  EXPECT_EQ(picture.pixelColor(form->width() / 2, form->height() - 1),
            ui::toQColor(GetBuiltInThemeColor(S::WinXP, tiFormBorderColor)));
  EXPECT_FALSE(form->windowRegion().isEmpty());
}

// --- Hooks ---

class RecordingHook : public ui::FormEventHook {
 public:
  RecordingHook(std::vector<int> &log, int id) : log_(log), id_(id) {}

 protected:
  void formEvent(ui::Form &, QEvent &event) override {
    if (event.type() == QEvent::User) log_.push_back(id_);
  }

 private:
  std::vector<int> &log_;
  int id_;
};

TEST_F(FormSkinTest, FormHooksRunInOrderUntilEitherSideGoes) {
  std::vector<int> log;
  auto form = makeForm();
  auto first = std::make_unique<RecordingHook>(log, 1);
  RecordingHook second(log, 2);
  form->addEventHook(first.get());
  form->addEventHook(&second);
  form->addEventHook(first.get());  // once only
  QEvent user(QEvent::User);
  QApplication::sendEvent(form.get(), &user);
  EXPECT_EQ(log, (std::vector<int>{1, 2}));

  first.reset();
  QApplication::sendEvent(form.get(), &user);
  EXPECT_EQ(log, (std::vector<int>{1, 2, 2}));

  form->removeEventHook(&second);
  QApplication::sendEvent(form.get(), &user);
  EXPECT_EQ(log, (std::vector<int>{1, 2, 2}));

  // The form going first leaves the hook with nothing to unregister from.
  form->addEventHook(&second);
  form.reset();
}

TEST_F(FormSkinTest, DeletedFrameLeavesNoHookBehind) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  auto *menu = new TkwoMainMenu(form.get());
  ui::MenuItem *item = addItem(*menu, QStringLiteral("Open"));
  item->setShortCut(QKeyCombination(Qt::ControlModifier, Qt::Key_O));
  int opened = 0;
  item->OnClick = [&](ui::MenuItem *) { ++opened; };
  activate(form.get());
  const bool owned = frame->ownsMessageHook();
  delete frame;
  if (owned) {
    EXPECT_FALSE(ui::Application::instance()->hasMessageHook());
  }
  // Events that the frame would have taken reach nothing of it now.
  form->setBounds(100, 80, 300, 300);
  testsupport::pressKey(form.get(), Qt::Key_O, Qt::ControlModifier);
  auto other = makeForm(200, 100);
  activate(other.get());
  activate(form.get());
  testsupport::processEvents();
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(form->nonClientRing(), 0);
  EXPECT_TRUE(form->windowRegion().isEmpty());
}

}  // namespace
}  // namespace kwo
