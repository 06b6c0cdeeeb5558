// The MDI client of a frame form: children in frameless sub-windows, their
// order and states, and the hooks that follow the client's commands.
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/mdi_client.h"
#include "tests/support/ui/ui_fixtures.h"

namespace {

struct Seen {
  ui::MdiCommand command;
  ui::Form *child;
  ui::WindowState childState;
};

class RecordingHook : public ui::MdiClientHook {
 public:
  std::vector<Seen> seen;

 protected:
  void mdiCommand(ui::MdiClient &, ui::MdiCommand command, ui::Form *child) override {
    seen.push_back({command, child, child != nullptr ? child->windowState() : ui::WindowState::Normal});
  }
};

// Records the MDI notices a child form's hooks see.
class ChildWatch : public ui::FormEventHook {
 public:
  struct Notice {
    ui::MdiChildEvent::Kind kind;
    ui::Form *activated;
  };
  std::vector<Notice> notices;

 protected:
  void formEvent(ui::Form &, QEvent &event) override {
    if (event.type() != ui::MdiChildEvent::eventType()) return;
    const auto &e = static_cast<const ui::MdiChildEvent &>(event);
    notices.push_back({e.kind(), e.activated()});
  }
};

class MdiClientTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    frame = std::make_unique<ui::Form>(nullptr);
    frame->setBounds(0, 0, 800, 600);
    frame->setFormStyle(ui::FormStyle::MDIForm);
    ui::Application::instance()->setMainForm(frame.get());
    frame->show();
  }
  void TearDown() override {
    children.clear();
    ui::Application::instance()->setMainForm(nullptr);
    frame.reset();
    UiTest::TearDown();
  }

  ui::Form *addChild(QRect bounds = QRect(10, 20, 300, 200)) {
    auto child = std::make_unique<ui::Form>(nullptr);
    child->setBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    child->setFormStyle(ui::FormStyle::MDIChild);
    child->show();
    children.push_back(std::move(child));
    testsupport::processEvents();
    return children.back().get();
  }

  ui::MdiClient *client() const { return frame->mdiClient(); }

  std::unique_ptr<ui::Form> frame;
  std::vector<std::unique_ptr<ui::Form>> children;
};

TEST_F(MdiClientTest, ChildrenLiveInFramelessSubWindowsFilledByTheForm) {
  ASSERT_NE(client(), nullptr);
  EXPECT_EQ(client()->parentControl(), frame.get());
  EXPECT_EQ(client()->align(), ui::Align::Client);
  ui::Form *child = addChild();
  QMdiSubWindow *window = child->mdiSubWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(child->mdiHost(), client());
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(window->geometry(), QRect(10, 20, 300, 200));
  EXPECT_EQ(child->geometry(), QRect(0, 0, 300, 200));
  EXPECT_TRUE(child->isVisible());

  child->setBounds(40, 50, 250, 150);
  testsupport::processEvents();
  EXPECT_EQ(window->geometry(), QRect(40, 50, 250, 150));
  EXPECT_EQ(child->size(), QSize(250, 150));
  EXPECT_EQ(child->outerBounds(), QRect(40, 50, 250, 150));
}

TEST_F(MdiClientTest, DraggingAChildMovesItFromWhereItLies) {
  ui::Form *child = addChild(QRect(40, 50, 300, 200));
  struct Case {
    bool resize;
    QPoint delta;
    QRect want;
  };
  const Case cases[] = {
      {false, {30, 20}, QRect(70, 70, 300, 200)},
      {true, {15, 25}, QRect(70, 70, 315, 225)},
  };
  for (const Case &c : cases) {
    const QPoint press(200, 200);
    if (c.resize) {
      ASSERT_TRUE(child->startResize(Qt::RightEdge | Qt::BottomEdge, press));
    } else {
      child->startMove(press);
    }
    // Past the drag distance in two steps, the button held.
    for (const QPoint to : {press + c.delta / 2, press + c.delta}) {
      QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(child, &move);
    }
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(press + c.delta), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(child, &release);
    EXPECT_EQ(child->outerBounds(), c.want) << c.resize;
  }
}

TEST_F(MdiClientTest, AChildNeedsAnMdiMainForm) {
  ui::Form plain(nullptr);
  ui::Application::instance()->setMainForm(&plain);
  ui::Form child(nullptr);
  EXPECT_THROW(child.setFormStyle(ui::FormStyle::MDIChild), std::logic_error);
  EXPECT_EQ(child.formStyle(), ui::FormStyle::Normal);
  EXPECT_EQ(child.mdiHost(), nullptr);
  ui::Application::instance()->setMainForm(frame.get());
}

TEST_F(MdiClientTest, IndexZeroIsOnTopAndActive) {
  ui::Form *a = addChild();
  ui::Form *b = addChild();
  ui::Form *c = addChild();
  client()->activateChild(b);
  testsupport::processEvents();
  EXPECT_EQ(client()->activeMDIChild(), b);
  const std::vector<ui::Form *> order = client()->mdiChildren();
  ASSERT_EQ(order.size(), 3u);
  EXPECT_EQ(order[0], b);
  EXPECT_EQ(order[1], c);
  EXPECT_EQ(order[2], a);
}

TEST_F(MdiClientTest, ActivationTellsTheChildThatLosesAndTheOneThatGains) {
  ui::Form *a = addChild();
  ui::Form *b = addChild();
  client()->activateChild(a);
  testsupport::processEvents();
  ChildWatch watchA, watchB;
  a->addEventHook(&watchA);
  b->addEventHook(&watchB);
  client()->activateChild(b);
  testsupport::processEvents();
  ASSERT_EQ(watchA.notices.size(), 1u);
  EXPECT_EQ(watchA.notices[0].kind, ui::MdiChildEvent::Activate);
  EXPECT_EQ(watchA.notices[0].activated, b);
  ASSERT_EQ(watchB.notices.size(), 1u);
  EXPECT_EQ(watchB.notices[0].activated, b);
}

TEST_F(MdiClientTest, HooksRunAfterTheClientsOwnHandling) {
  ui::Form *child = addChild();
  client()->activateChild(child);
  RecordingHook hook;
  client()->addHook(&hook);
  client()->addHook(&hook);  // once only

  client()->maximizeChild(child);
  EXPECT_EQ(child->windowState(), ui::WindowState::Maximized);
  EXPECT_TRUE(child->mdiSubWindow()->isMaximized());
  client()->restoreChild(child);
  EXPECT_EQ(child->windowState(), ui::WindowState::Normal);
  client()->maximizeChild(nullptr);  // the hooks only
  EXPECT_EQ(child->windowState(), ui::WindowState::Normal);
  client()->cascade();
  client()->tile(true);
  client()->tile(false);
  client()->refreshMenu();

  struct Want {
    ui::MdiCommand command;
    ui::Form *child;
    ui::WindowState state;
  };
  const Want want[] = {
      {ui::MdiCommand::Maximize, child, ui::WindowState::Maximized},
      {ui::MdiCommand::Restore, child, ui::WindowState::Normal},
      {ui::MdiCommand::Maximize, nullptr, ui::WindowState::Normal},
      {ui::MdiCommand::Cascade, nullptr, ui::WindowState::Normal},
      {ui::MdiCommand::TileVertical, nullptr, ui::WindowState::Normal},
      {ui::MdiCommand::TileHorizontal, nullptr, ui::WindowState::Normal},
      {ui::MdiCommand::RefreshMenu, child, ui::WindowState::Normal},
  };
  ASSERT_EQ(hook.seen.size(), std::size(want));
  for (size_t i = 0; i < std::size(want); ++i) {
    EXPECT_EQ(hook.seen[i].command, want[i].command) << i;
    EXPECT_EQ(hook.seen[i].child, want[i].child) << i;
    EXPECT_EQ(hook.seen[i].childState, want[i].state) << i;
  }
}

TEST_F(MdiClientTest, RestoringAMaximisedChildGivesItsBoundsBack) {
  ui::Form *child = addChild(QRect(30, 40, 320, 210));
  child->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  EXPECT_EQ(child->size(), client()->area()->viewport()->size());
  child->setWindowState(ui::WindowState::Normal);
  testsupport::processEvents();
  EXPECT_EQ(child->mdiSubWindow()->geometry(), QRect(30, 40, 320, 210));
}

TEST_F(MdiClientTest, AChildFollowsWhatTheClientDoesToItsSubWindow) {
  ui::Form *a = addChild();
  a->setWindowState(ui::WindowState::Maximized);
  testsupport::processEvents();
  // The client maximises the next child it activates while one is
  // maximised, and may restore the other.
  ui::Form *b = addChild();
  client()->activateChild(b);
  testsupport::processEvents();
  for (ui::Form *child : {a, b}) {
    EXPECT_EQ(child->windowState() == ui::WindowState::Maximized, child->mdiSubWindow()->isMaximized());
  }
  client()->cascade();  // cascading restores every child
  testsupport::processEvents();
  for (ui::Form *child : {a, b}) EXPECT_EQ(child->windowState(), ui::WindowState::Normal);
}

TEST_F(MdiClientTest, MinimisingKeepsTheChildShown) {
  ui::Form *child = addChild();
  child->setWindowState(ui::WindowState::Minimized);
  testsupport::processEvents();
  EXPECT_EQ(child->windowState(), ui::WindowState::Minimized);
  EXPECT_TRUE(child->mdiSubWindow()->isMinimized());
  EXPECT_TRUE(child->mdiSubWindow()->isVisible());
  EXPECT_TRUE(child->visible());
  child->setWindowState(ui::WindowState::Normal);
  testsupport::processEvents();
  EXPECT_TRUE(child->isVisible());
}

TEST_F(MdiClientTest, AChildOnItsWayOutIsToldAndLeavesTheList) {
  ui::Form *a = addChild();
  ui::Form *b = addChild();
  struct Probe : ui::FormEventHook {
    ui::MdiClient *client = nullptr;
    std::vector<size_t> childrenSeen;
    void formEvent(ui::Form &, QEvent &event) override {
      if (event.type() != ui::MdiChildEvent::eventType()) return;
      if (static_cast<ui::MdiChildEvent &>(event).kind() == ui::MdiChildEvent::Destroy) {
        childrenSeen.push_back(client->mdiChildren().size());
      }
    }
  } probe;
  probe.client = client();
  b->addEventHook(&probe);
  std::erase_if(children, [b](const auto &f) { return f.get() == b; });
  ASSERT_EQ(probe.childrenSeen.size(), 1u);
  EXPECT_EQ(probe.childrenSeen[0], 1u);
  EXPECT_EQ(client()->mdiChildren(), std::vector<ui::Form *>{a});
  EXPECT_EQ(client()->area()->subWindowList().size(), 1);
}

TEST_F(MdiClientTest, HookAndClientEndInEitherOrder) {
  ui::Form *child = addChild();
  {
    RecordingHook early;
    client()->addHook(&early);
  }
  client()->maximizeChild(child);  // the freed hook is not called
  auto late = std::make_unique<RecordingHook>();
  client()->addHook(late.get());
  // The frame goes first: its children become forms of their own again.
  frame.reset();
  EXPECT_EQ(child->mdiHost(), nullptr);
  EXPECT_EQ(child->mdiSubWindow(), nullptr);
  late.reset();
  child->setBounds(5, 5, 100, 100);
  EXPECT_EQ(child->geometry(), QRect(5, 5, 100, 100));
}

}  // namespace
