// The skinned MDI frame on its form: the refusal of any other owner, the
// child-window buttons of a maximised child, the menu it shows for the
// active child, the layouts after cascade and tile, and the ties to the
// form and the client in either order of destruction.
#include <QMdiSubWindow>
#include <QCoreApplication>
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/color.h"
#include "platform/ui/mdi_client.h"
#include "platform/ui/menu.h"
#include "platform/ui/panel.h"
#include "platform/ui/tool_bar.h"
#include "skin_toolkit/controls/speed_button.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/frames/kwo_title_bar.h"
#include "skin_toolkit/frames/mdi_frame.h"
#include "skin_toolkit/rules/mdi_layout.h"
#include "skin_toolkit/themes/file_theme.h"
#include "skin_toolkit/themes/theme_source.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

ui::MenuItem *addItem(ui::Menu &menu, const QString &caption) {
  auto *item = new ui::MenuItem(&menu);
  item->setCaption(caption);
  menu.items()->add(item);
  return item;
}

std::vector<QString> captionsOf(const std::vector<ui::ToolButton *> &buttons) {
  std::vector<QString> captions;
  for (const ui::ToolButton *b : buttons) captions.push_back(b->caption());
  return captions;
}

class MdiFrameTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    main = std::make_unique<ui::Form>(nullptr);
    main->setBounds(0, 0, 900, 700);
    main->setCaption(QStringLiteral("主窗口"));
    ui::Application::instance()->setMainForm(main.get());
    frame = new TkwoMDIForm(main.get());
    main->show();
    testsupport::processEvents();
  }
  void TearDown() override {
    children.clear();
    ui::Application::instance()->setMainForm(nullptr);
    main.reset();
    UiTest::TearDown();
  }

  // A child with a skinned frame of its own, unless plain.
  ui::Form *addChild(bool skinned = true) {
    auto child = std::make_unique<ui::Form>(nullptr);
    child->setBounds(10, 10, 300, 200);
    if (skinned) new TkwoForm(child.get());
    child->setFormStyle(ui::FormStyle::MDIChild);
    child->show();
    children.push_back(std::move(child));
    testsupport::processEvents();
    return children.back().get();
  }

  static TkwoForm *frameOf(ui::Form *child) {
    for (ui::Control *c : child->controls()) {
      if (auto *f = qobject_cast<TkwoForm *>(c)) return f;
    }
    return nullptr;
  }

  std::vector<TkwoToolBarSpeedButton *> childButtons() const {
    return {frame->closeButton(), frame->restoreButton(), frame->minimizeButton()};
  }

  std::unique_ptr<ui::Form> main;
  TkwoMDIForm *frame = nullptr;
  std::vector<std::unique_ptr<ui::Form>> children;
};

TEST(MdiFrameOwnerTest, AnythingButAFormIsRefused) {
  ui::Panel panel(nullptr);
  ui::NonVisualComponent component(nullptr);
  ui::Component *owners[] = {nullptr, &panel, &component};
  for (ui::Component *owner : owners) {
    try {
      TkwoMDIForm refused(owner);
      ADD_FAILURE() << "no exception";
    } catch (const std::invalid_argument &e) {
      EXPECT_STREQ(e.what(), "Sorry, TkwoMDIForm must be placed on a form");
    }
  }
  EXPECT_EQ(panel.componentCount(), 0);
  EXPECT_EQ(component.componentCount(), 0);
}

TEST_F(MdiFrameTest, TheFormBecomesASkinnedMdiFrame) {
  EXPECT_EQ(main->formStyle(), ui::FormStyle::MDIForm);
  ASSERT_NE(frame->mdiClient(), nullptr);
  EXPECT_EQ(frame->mdiClient(), main->mdiClient());
  EXPECT_EQ(main->nonClientRing(), kFrameRing);
  ASSERT_NE(frame->titleBar(), nullptr);
  EXPECT_EQ(frame->titleBar()->parentControl(), main.get());
  EXPECT_EQ(frame->titleBar()->caption(), QStringLiteral("主窗口"));
  // The bar sits in the frame as a skinned form's does: under the ring.
  EXPECT_TRUE(frame->titleBar()->inSkinnedFrame());
  EXPECT_TRUE(frame->titleBar()->inMdiFrame());
  EXPECT_EQ(frame->titleBar()->height(), TitleBarHeightFor(frame->uiStyle(), true));
  // Without a menu the menu bar stays hidden.
  EXPECT_FALSE(frame->menuPanel()->visible());
  for (TkwoToolBarSpeedButton *b : childButtons()) {
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(b->visible());
  }
}

TEST_F(MdiFrameTest, TheRingIsBorderThenMenuBarColour) {
  for (TkwoUIStyle style : {TkwoUIStyle::DeepBlue, TkwoUIStyle::WinXP, TkwoUIStyle::MacOS, TkwoUIStyle::BlueGlass}) {
    frame->setUIStyle(style);
    testsupport::processEvents();
    const QImage shot = main->grab().toImage();
    const int b = frame->borderWidth();
    const int y = main->height() / 2;
    ASSERT_GE(b, 1);
    // The border strips, then the rest of the ring in the menu bar's colour.
    for (int x = 0; x < kFrameRing; ++x) {
      const QColor want = ui::toQColor(x < b ? frame->borderColor() : frame->menuBarColor());
      EXPECT_EQ(shot.pixelColor(x, y), want) << int(style) << " x " << x;
      EXPECT_EQ(shot.pixelColor(main->width() - 1 - x, y), want) << int(style) << " x " << x;
    }
  }
}

TEST_F(MdiFrameTest, AMaximisedChildShowsTheChildButtonsRestoringHidesThem) {
  ui::Menu *menu = new ui::MainMenu(main.get());
  addItem(*menu, QStringLiteral("文件"));
  frame->setMenu(static_cast<ui::MainMenu *>(menu));
  ui::Form *child = addChild();
  TkwoForm *childFrame = frameOf(child);
  ASSERT_NE(childFrame, nullptr);

  child->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  const int panelWidth = frame->menuPanel()->width();
  const int fromRight[] = {20, 38, 56};  // close, restore, minimise
  const int tags[] = {kMdiCloseTag, kMdiRestoreTag, kMdiMinimizeTag};
  for (size_t i = 0; i < 3; ++i) {
    TkwoToolBarSpeedButton *b = childButtons()[i];
    EXPECT_TRUE(b->visible()) << i;
    EXPECT_EQ(b->left(), panelWidth - fromRight[i]) << i;
    EXPECT_EQ(b->top(), 1) << i;
    EXPECT_EQ(b->tag(), tags[i]) << i;
  }
  EXPECT_FALSE(childFrame->titleBar()->visible());

  child->setWindowState(ui::WindowState::Normal);
  testsupport::processEvents();
  for (TkwoToolBarSpeedButton *b : childButtons()) EXPECT_FALSE(b->visible());
  EXPECT_TRUE(childFrame->titleBar()->visible());

  // Maximised again, the restore button brings the child back.
  child->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  ASSERT_TRUE(frame->restoreButton()->visible());
  frame->restoreButton()->click();
  EXPECT_EQ(child->windowState(), ui::WindowState::Normal);
  for (TkwoToolBarSpeedButton *b : childButtons()) EXPECT_FALSE(b->visible());
}

TEST_F(MdiFrameTest, TheButtonsFollowTheMaximisedChildsTitleButtons) {
  ui::Form *child = addChild();
  TkwoTitleBar *bar = frameOf(child)->titleBar();
  bar->clearButtons();
  bar->addButton(TkwoTitleBarBtnType::kwoClose);
  child->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  EXPECT_TRUE(frame->closeButton()->visible());
  EXPECT_FALSE(frame->restoreButton()->visible());
  EXPECT_FALSE(frame->minimizeButton()->visible());
}

TEST_F(MdiFrameTest, MinimiseMinimisesTheChildNeverHidesIt) {
  ui::Form *child = addChild();
  child->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  ASSERT_TRUE(frame->minimizeButton()->visible());
  frame->minimizeButton()->click();
  EXPECT_EQ(child->windowState(), ui::WindowState::Minimized);
  EXPECT_TRUE(child->visible());
  EXPECT_TRUE(child->mdiSubWindow()->isVisible());
  EXPECT_TRUE(child->mdiSubWindow()->isMinimized());
}

TEST_F(MdiFrameTest, CloseClosesTheActiveChild) {
  ui::Form *child = addChild();
  child->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  frame->closeButton()->click();
  EXPECT_FALSE(child->visible());
}

TEST_F(MdiFrameTest, AClickFromAnotherControlOrTagDoesNothing) {
  ui::Form *child = addChild();
  child->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  frame->minimizeButton()->setTag(7);
  frame->minimizeButton()->click();
  EXPECT_EQ(child->windowState(), ui::WindowState::Maximized);
}

TEST_F(MdiFrameTest, ADisabledMenuBarCaptionIsNotGreyed) {
  auto *own = new ui::MainMenu(main.get());
  ui::MenuItem *item = addItem(*own, QStringLiteral("文件"));
  item->setEnabled(false);
  frame->setMenu(own);
  testsupport::processEvents();
  ASSERT_EQ(frame->menuBarButtons().size(), 1u);
  ui::ToolButton *button = frame->menuBarButtons()[0];
  ASSERT_FALSE(button->isEnabled());
  // The mouse is not over it.
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(button, &leave);
  const QImage shot = button->grab().toImage();
  // Grey text over the bar has no pixel darker than its grey; the font
  // colour's strokes do.
  int darkest = 255;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      const QColor c = shot.pixelColor(x, y);
      darkest = std::min(darkest, std::max({c.red(), c.green(), c.blue()}));
    }
  }
  const QColor font = ui::toQColor(ThemeSource::resolve(nullptr, frame->uiStyle()).color(tiMenuFontColor));
  ASSERT_LT(std::max({font.red(), font.green(), font.blue()}), 128);
  EXPECT_LT(darkest, 128);
}

TEST_F(MdiFrameTest, TheActiveChildsMenuShowsElseTheFramesOwn) {
  auto *own = new ui::MainMenu(main.get());
  addItem(*own, QStringLiteral("文件"));
  addItem(*own, QStringLiteral("窗口"));
  frame->setMenu(own);

  ui::Form *withMenu = addChild();
  auto *childMenu = new ui::MainMenu(withMenu);
  addItem(*childMenu, QStringLiteral("编辑"));
  frameOf(withMenu)->setMenu(childMenu);
  ui::Form *without = addChild();
  ui::Form *plain = addChild(false);
  auto *platformMenu = new ui::MainMenu(plain);
  addItem(*platformMenu, QStringLiteral("视图"));
  addItem(*platformMenu, QStringLiteral("帮助"));
  addItem(*platformMenu, QStringLiteral("工具"));
  plain->setMenu(platformMenu);

  struct Case {
    ui::Form *active;
    bool drawChildMenus;
    ui::MainMenu *shown;
    std::vector<QString> captions;
  };
  const Case cases[] = {
      {withMenu, true, childMenu, {QStringLiteral("编辑")}},
      {without, true, own, {QStringLiteral("文件"), QStringLiteral("窗口")}},
      {plain, true, platformMenu, {QStringLiteral("视图"), QStringLiteral("帮助"), QStringLiteral("工具")}},
      {withMenu, false, own, {QStringLiteral("文件"), QStringLiteral("窗口")}},
  };
  for (const Case &c : cases) {
    frame->setTitleBarDrawChildMenus(c.drawChildMenus);
    frame->mdiClient()->activateChild(c.active);
    testsupport::processEvents();
    frame->refreshMenu();
    EXPECT_EQ(frame->shownMenu(), c.shown) << c.active->caption().toStdString();
    EXPECT_EQ(captionsOf(frame->menuBarButtons()), c.captions);
    EXPECT_TRUE(frame->menuPanel()->visible());
  }
}

TEST_F(MdiFrameTest, ActivatingASkinnedChildRefreshesTheMenu) {
  auto *own = new ui::MainMenu(main.get());
  addItem(*own, QStringLiteral("文件"));
  frame->setMenu(own);
  ui::Form *first = addChild();
  auto *firstMenu = new ui::MainMenu(first);
  addItem(*firstMenu, QStringLiteral("编辑"));
  frameOf(first)->setMenu(firstMenu);
  ui::Form *second = addChild();
  frame->mdiClient()->activateChild(first);
  testsupport::processEvents();
  EXPECT_EQ(frame->shownMenu(), firstMenu);
  frame->mdiClient()->activateChild(second);
  testsupport::processEvents();
  EXPECT_EQ(frame->shownMenu(), own);
  // The last child gone, the frame's own menu stays.
  frame->mdiClient()->activateChild(first);
  testsupport::processEvents();
  children.clear();
  testsupport::processEvents();
  EXPECT_EQ(frame->shownMenu(), own);
  EXPECT_EQ(captionsOf(frame->menuBarButtons()), std::vector<QString>{QStringLiteral("文件")});
}

TEST_F(MdiFrameTest, AMaximisedSkinnedChildShiftsItsLooseContentUp) {
  ui::Form *child = addChild();
  TkwoForm *childFrame = frameOf(child);
  auto *loose = new ui::Panel(child);
  loose->setParentControl(childFrame);
  loose->setBounds(10, 60, 50, 20);
  auto *filled = new ui::Panel(child);
  filled->setParentControl(childFrame);
  filled->setAlign(ui::Align::Client);
  const int bar = childFrame->titleBar()->height();
  const int filledTop = filled->top();
  ASSERT_EQ(filledTop, bar);

  child->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  // The title bar gives way; aligned controls take its room, the others
  // move with the content, all but the ring's three pixels.
  EXPECT_EQ(loose->top(), 60 - (bar - 3));
  EXPECT_EQ(filled->top(), 0);

  child->setWindowState(ui::WindowState::Normal);
  testsupport::processEvents();
  EXPECT_EQ(loose->top(), 60);
  EXPECT_EQ(filled->top(), filledTop);
  EXPECT_EQ(childFrame->titleBar()->top(), 0);
}

TEST_F(MdiFrameTest, OnlyTheActiveSkinnedChildDrawsItsCaptionActive) {
  ui::Form *a = addChild();
  ui::Form *b = addChild();
  for (ui::Form *active : {a, b, a}) {
    frame->mdiClient()->activateChild(active);
    testsupport::processEvents();
    EXPECT_EQ(frameOf(a)->titleBar()->formActive(), active == a);
    EXPECT_EQ(frameOf(b)->titleBar()->formActive(), active == b);
  }
}

TEST_F(MdiFrameTest, AMaximisedChildOnItsWayOutTakesTheButtonsWithIt) {
  addChild();
  ui::Form *child = addChild();
  child->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  ASSERT_TRUE(frame->closeButton()->visible());
  std::erase_if(children, [child](const auto &f) { return f.get() == child; });
  testsupport::processEvents();
  for (TkwoToolBarSpeedButton *b : childButtons()) EXPECT_FALSE(b->visible());
}

TEST_F(MdiFrameTest, CascadeAndTileLayOutAfterTheClient) {
  ui::Form *a = addChild(false);
  ui::Form *b = addChild(false);
  ui::Form *c = addChild(false);
  ui::MdiClient *client = frame->mdiClient();
  const std::vector<ui::Form *> order = client->mdiChildren();
  ASSERT_EQ(order.size(), 3u);
  (void)a, (void)b, (void)c;

  int aligned = 0;
  for (const ui::Control *control : main->controls()) {
    if (control->visible() && (control->align() == ui::Align::Top || control->align() == ui::Align::Bottom)) {
      aligned += control->height();
    }
  }
  const MdiLayoutInput in{{main->clientWidth(), main->clientHeight()}, aligned, {false, false, false}, false};
  struct Case {
    void (*command)(ui::MdiClient &);
    std::vector<std::optional<Rect>> want;
  };
  MdiLayoutInput vertical = in;
  vertical.vertical = true;
  const Case cases[] = {
      {[](ui::MdiClient &m) { m.cascade(); }, CascadeLayout(in)},
      {[](ui::MdiClient &m) { m.tile(false); }, TileLayout(in)},
      {[](ui::MdiClient &m) { m.tile(true); }, TileLayout(vertical)},
  };
  for (const Case &k : cases) {
    k.command(*client);
    testsupport::processEvents();
    for (size_t i = 0; i < order.size(); ++i) {
      const Rect &r = *k.want[i];
      EXPECT_EQ(order[i]->outerBounds(), QRect(r.left, r.top, r.width(), r.height())) << i;
    }
  }
}

TEST_F(MdiFrameTest, TheSameThemeAgainChangesNothing) {
  auto *theme = new TkwoFileTheme(main.get());
  frame->setUIStyle(TkwoUIStyle::MacOS);
  frame->setFileTheme(theme);
  frame->setBorderColor(platform::RGB(1, 2, 3));
  frame->setMenuBarColor(platform::RGB(4, 5, 6));
  frame->setFileTheme(theme);
  EXPECT_EQ(frame->borderColor(), platform::RGB(1, 2, 3));
  EXPECT_EQ(frame->menuBarColor(), platform::RGB(4, 5, 6));
  frame->setFileTheme(nullptr);
  EXPECT_NE(frame->borderColor(), platform::RGB(1, 2, 3));
  EXPECT_EQ(frame->menuBar()->color(), frame->menuBarColor());
}

TEST_F(MdiFrameTest, AFormStartedMaximisedElsewhereDoesNotStopAChildsShift) {
  // A top-level form whose frame was made while it was maximised.
  ui::Form wizard(nullptr);
  wizard.setBounds(50, 50, 400, 300);
  wizard.setWindowState(ui::WindowState::Maximized);
  auto *wizardFrame = new TkwoForm(&wizard);
  ASSERT_TRUE(wizardFrame->startedMaximized());
  wizard.show();
  testsupport::processEvents();

  ui::Form *child = addChild();
  child->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  EXPECT_FALSE(frameOf(child)->titleBar()->visible());
  for (TkwoToolBarSpeedButton *b : childButtons()) EXPECT_TRUE(b->visible());

  // Two children: one restored while the other is maximised.
  ui::Form *other = addChild();
  other->setWindowState(ui::WindowState::Normal);
  child->setWindowState(ui::WindowState::Normal);
  testsupport::processEvents();
  other->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  EXPECT_FALSE(frameOf(other)->titleBar()->visible());
  EXPECT_TRUE(frame->restoreButton()->visible());
}

TEST_F(MdiFrameTest, TheFrameGoesBeforeTheClient) {
  ui::Form *child = addChild();
  auto *own = new ui::MainMenu(main.get());
  addItem(*own, QStringLiteral("文件"));
  frame->setMenu(own);
  delete frame;
  frame = nullptr;
  EXPECT_EQ(main->nonClientRing(), 0);
  // Every command of the client, with nothing left to hear it.
  ui::MdiClient *client = main->mdiClient();
  client->maximizeChild(child);
  client->restoreChild(child);
  client->cascade();
  client->tile(true);
  client->refreshMenu();
  child->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  children.clear();
  testsupport::processEvents();
  main.reset();
}

TEST_F(MdiFrameTest, TheFormGoesWithItsFrameAndChildren) {
  ui::Form *child = addChild();
  child->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  main.reset();
  frame = nullptr;
  // The child lives on as a form of its own.
  EXPECT_EQ(child->mdiHost(), nullptr);
  child->setWindowState(ui::WindowState::Normal);
  testsupport::processEvents();
}

}  // namespace
}  // namespace kwo
