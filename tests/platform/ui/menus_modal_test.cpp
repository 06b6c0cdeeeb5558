// Menus, tool bars and modal forms: shortcuts matched by the model, pop-ups
// that never block, a bar that shows a main menu, ModalResult and the test
// hook, dialog keys and accelerators.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/menu_view.h"
#include "platform/ui/panel.h"
#include "platform/ui/tool_bar.h"
#include "tests/support/ui/ui_fixtures.h"

namespace {

using testsupport::pressKey;
using testsupport::UiTest;

class MenusTest : public UiTest {};
class ModalTest : public UiTest {};

ui::MenuItem *addItem(ui::Component *owner, ui::MenuItem *parent, const QString &caption) {
  auto *item = new ui::MenuItem(owner);
  item->setCaption(caption);
  parent->add(item);
  return item;
}

// A form with a main menu: File (Open Ctrl+O, a disabled Save Ctrl+S,
// hidden Quit Ctrl+Q) and Help.
struct MenuForm {
  ui::Form form{nullptr};
  ui::MainMenu *menu = new ui::MainMenu(&form);
  ui::MenuItem *file = addItem(&form, menu->items(), "&File");
  ui::MenuItem *open = addItem(&form, file, "Open");
  ui::MenuItem *save = addItem(&form, file, "Save");
  ui::MenuItem *quit = addItem(&form, file, "Quit");
  ui::MenuItem *help = addItem(&form, menu->items(), "&Help");
  int opens = 0;
  int saves = 0;
  int quits = 0;

  MenuForm() {
    open->setShortCut(QKeyCombination(Qt::ControlModifier, Qt::Key_O));
    save->setShortCut(QKeyCombination(Qt::ControlModifier, Qt::Key_S));
    save->setEnabled(false);
    quit->setShortCut(QKeyCombination(Qt::ControlModifier, Qt::Key_Q));
    quit->setVisible(false);
    open->OnClick = [this](ui::MenuItem *) { ++opens; };
    save->OnClick = [this](ui::MenuItem *) { ++saves; };
    quit->OnClick = [this](ui::MenuItem *) { ++quits; };
    form.setMenu(menu);
  }
};

TEST_F(MenusTest, ShortcutClicksTheItemOnceThroughTheForm) {
  MenuForm f;
  auto *panel = new ui::Panel(&f.form);
  panel->setParentControl(&f.form);
  f.form.show();
  pressKey(panel, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(f.opens, 1);
  pressKey(&f.form, Qt::Key_S, Qt::ControlModifier);  // disabled
  pressKey(&f.form, Qt::Key_Q, Qt::ControlModifier);  // hidden
  pressKey(&f.form, Qt::Key_O, Qt::ShiftModifier | Qt::ControlModifier);  // another combination
  EXPECT_EQ(f.saves, 0);
  EXPECT_EQ(f.quits, 0);
  EXPECT_EQ(f.opens, 1);
  EXPECT_EQ(f.menu->findShortCut(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_O)), f.open);
  EXPECT_EQ(f.open->shortCutText(), "Ctrl+O");

  // The menu freed: the form forgets it, and keys do nothing.
  delete f.menu;
  EXPECT_EQ(f.form.menu(), nullptr);
  pressKey(&f.form, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(f.opens, 1);
}

TEST_F(MenusTest, ChangeNoticeTellsOfChangesButNotWhileLoading) {
  ui::Panel owner(nullptr);
  auto *menu = new ui::PopupMenu(&owner);
  std::vector<std::pair<ui::MenuItem *, bool>> notices;
  menu->OnChange = [&](ui::Menu *, ui::MenuItem *source, bool rebuild) { notices.push_back({source, rebuild}); };
  ui::MenuItem *item = nullptr;
  {
    ui::LoadingGuard guard(owner);
    item = addItem(&owner, menu->items(), "One");
    item->setChecked(true);
  }
  EXPECT_TRUE(notices.empty());
  item->setCaption("Two");
  item->setCaption("Two");  // unchanged
  addItem(&owner, menu->items(), "Three");
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0], std::make_pair(item, false));
  EXPECT_TRUE(notices[1].second);
  delete item;
  EXPECT_EQ(menu->items()->count(), 1);
}

TEST_F(MenusTest, PopupReturnsAtOnceAndTheChosenItemRunsAfterItCloses) {
  ui::Panel owner(nullptr);
  auto *menu = new ui::PopupMenu(&owner);
  ui::MenuItem *item = addItem(&owner, menu->items(), "Power On");
  addItem(&owner, menu->items(), "-");
  int clicks = 0;
  item->OnClick = [&](ui::MenuItem *) { ++clicks; };
  int measured = 0;
  item->OnMeasureItem = [&](ui::MenuItem *, const QFont &, int &w, int &h) {
    ++measured;
    w = 150;
    h = 20;
  };
  bool drawnSelected = false;
  item->OnDrawItem = [&](ui::MenuItem *, QPainter &, const QRect &rect, bool selected) {
    EXPECT_EQ(rect.size(), QSize(150, 20));
    drawnSelected = drawnSelected || selected;
  };

  QElapsedTimer clock;
  clock.start();
  menu->popup(100, 100);
  EXPECT_LT(clock.elapsed(), 2000);  // it came back; a blocking menu never would headless
  ASSERT_NE(menu->view(), nullptr);
  EXPECT_EQ(measured, 1);
  for (QAction *action : menu->view()->actions()) {
    EXPECT_TRUE(action->text().isEmpty());
    EXPECT_TRUE(action->shortcut().isEmpty());
  }
  menu->view()->grab();

  // Enter on the highlighted item: the menu closes, then the item runs.
  QMenu *view = menu->view();
  view->setActiveAction(view->actions().at(0));
  pressKey(view, Qt::Key_Return);
  EXPECT_EQ(clicks, 0);
  ASSERT_TRUE(testsupport::waitFor([&] { return clicks == 1; }, 2000));
  EXPECT_TRUE(testsupport::waitFor([&] { return menu->view() == nullptr; }, 2000));

  // Freeing the menu while it is up closes it.
  menu->popup(10, 10);
  ASSERT_NE(menu->view(), nullptr);
  QPointer<QMenu> open = menu->view();
  delete menu;
  EXPECT_TRUE(open.isNull());
}

TEST_F(MenusTest, ToolBarShowsTheMenuAsCaptionButtonsInOrder) {
  MenuForm f;
  auto *bar = new ui::ToolBar(&f.form);
  bar->setShowCaptions(true);
  bar->setParentControl(&f.form);
  bar->setMenu(f.menu);
  ASSERT_EQ(bar->menuButtons().size(), 2u);
  EXPECT_EQ(bar->menuButtons()[0]->caption(), "&File");
  EXPECT_EQ(bar->menuButtons()[1]->caption(), "&Help");
  EXPECT_TRUE(bar->menuButtons()[0]->grouped());
  EXPECT_LT(bar->menuButtons()[0]->x(), bar->menuButtons()[1]->x());

  // Items added to the menu show at once; changes are copied.
  addItem(&f.form, f.menu->items(), "View");
  ASSERT_EQ(bar->menuButtons().size(), 3u);
  EXPECT_EQ(bar->menuButtons()[2]->caption(), "View");
  f.help->setEnabled(false);
  EXPECT_FALSE(bar->menuButtons()[1]->isEnabled());

  // A button drops its sub-menu down without blocking.
  bar->menuButtons()[0]->click();
  ASSERT_NE(QApplication::activePopupWidget(), nullptr);
  QApplication::activePopupWidget()->close();

  // The hook sees the state and may take over the drawing.
  int hooked = 0;
  bar->OnCustomDrawButton = [&](ui::ToolBar *, ui::ToolButton *, QPainter &, const ui::ToolButtonState &state,
                                bool &defaultDraw) {
    ++hooked;
    EXPECT_FALSE(state.hot);
    defaultDraw = false;
  };
  bar->grab();
  EXPECT_EQ(hooked, 3);

  bar->setMenu(nullptr);
  EXPECT_TRUE(bar->menuButtons().empty());
  EXPECT_EQ(bar->controlCount(), 0);
  bar->setMenu(f.menu);
  EXPECT_EQ(bar->menuButtons().size(), 3u);
  delete f.menu;
  EXPECT_EQ(bar->menu(), nullptr);
  EXPECT_TRUE(bar->menuButtons().empty());
}

TEST_F(ModalTest, TestHandlerTakesTheFormInsteadOfALoop) {
  ui::Form form(nullptr);
  form.setCaption("Auto Detect");
  testsupport::ModalScript modal;
  modal.answer(ui::mrCancel);
  EXPECT_EQ(form.showModal(), 2);
  ASSERT_EQ(modal.shown().size(), 1u);
  EXPECT_EQ(modal.shown()[0].caption, "Auto Detect");
  EXPECT_EQ(modal.shown()[0].className, "ui::Form");
}

// A control that sets its form's ModalResult when clicked, as a dialog's
// buttons do.
class ResultButton : public ui::Panel {
 public:
  ResultButton(ui::Component *owner, int result) : ui::Panel(owner), result_(result) {}
  void click() override {
    if (ui::Form *form = parentForm()) form->setModalResult(result_);
    ui::Panel::click();
  }

 private:
  int result_;
};

TEST_F(ModalTest, RealShowModalEndsWithTheButtonsResultOrTwoOnClose) {
  testsupport::RealModalLoop real;
  ui::Form form(nullptr);
  auto *ok = new ResultButton(&form, ui::mrOk);
  ok->setParentControl(&form);
  ok->setBounds(10, 10, 80, 25);
  QTimer::singleShot(10, [&] {
    EXPECT_TRUE(form.inModalLoop());
    QTest::mouseClick(ok, Qt::LeftButton, {}, QPoint(5, 5));
  });
  EXPECT_EQ(form.showModal(), 1);
  EXPECT_FALSE(form.inModalLoop());
  EXPECT_TRUE(form.isHidden());
  EXPECT_EQ(form.modalResult(), 1);

  QTimer::singleShot(10, [&] { form.close(); });
  EXPECT_EQ(form.showModal(), 2);

  // A handler setting 0 keeps the loop going.
  QTimer::singleShot(10, [&] {
    form.setModalResult(0);
    QTimer::singleShot(10, [&] { form.setModalResult(ui::mrYes); });
  });
  EXPECT_EQ(form.showModal(), ui::mrYes);

  // A form freed inside its own loop ends it.
  auto *doomed = new ui::Form(nullptr);
  QTimer::singleShot(10, [doomed] { delete doomed; });
  EXPECT_EQ(doomed->showModal(), 2);
}

TEST_F(ModalTest, RealShowModalReturnsWhenTheApplicationExits) {
  testsupport::RealModalLoop real;
  ui::Form form(nullptr);
  int result = -1;
  bool stillShown = true;
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(10, [] { QCoreApplication::exit(0); });
    result = form.showModal();
    stillShown = !form.isHidden();
  });
  // The modal loop must give way; spinning in it would never return here.
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_EQ(result, ui::mrCancel);
  EXPECT_FALSE(stillShown);
  EXPECT_FALSE(form.inModalLoop());
}

// A key-taking control: Enter clicks the default one, Escape the cancel
// one, and its accelerator clicks it.
class DialogButton : public ui::Panel {
 public:
  DialogButton(ui::Component *owner, int key, QChar accel) : ui::Panel(owner), key_(key), accel_(accel) {}
  int clicks = 0;
  bool dialogKey(int key, Qt::KeyboardModifiers mods) override {
    if (key != key_ || mods != Qt::NoModifier) return false;
    ++clicks;
    return true;
  }
  bool dialogChar(QChar c) override {
    if (c != accel_) return false;
    ++clicks;
    return true;
  }

 private:
  int key_;
  QChar accel_;
};

TEST_F(ModalTest, DialogKeysAndAcceleratorsReachTheControls) {
  ui::Form form(nullptr);
  auto *box = new ui::Panel(&form);
  box->setParentControl(&form);
  auto *def = new DialogButton(&form, Qt::Key_Return, 'o');
  def->setParentControl(box);  // nested: the form offers keys down the tree
  auto *cancel = new DialogButton(&form, Qt::Key_Escape, 'c');
  cancel->setParentControl(&form);
  form.show();

  pressKey(&form, Qt::Key_Return);
  pressKey(&form, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(def->clicks, 2);
  pressKey(&form, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(def->clicks, 2);
  pressKey(&form, Qt::Key_Escape);
  EXPECT_EQ(cancel->clicks, 1);
  pressKey(&form, Qt::Key_C, Qt::AltModifier, "c");
  EXPECT_EQ(cancel->clicks, 2);
  pressKey(&form, Qt::Key_O, Qt::NoModifier, "o");
  EXPECT_EQ(def->clicks, 3);

  // A hidden control takes no keys.
  cancel->setVisible(false);
  pressKey(&form, Qt::Key_Escape);
  EXPECT_EQ(cancel->clicks, 2);
}

// A control without dialog keys of its own, such as a windowless button.
class PlainButton : public ui::Panel {
 public:
  using ui::Panel::Panel;
  int clicks = 0;
  void click() override { ++clicks; }
};

TEST_F(ModalTest, FormsDefaultAndCancelControlsTakeTheKeysNoControlUsed) {
  ui::Form form(nullptr);
  auto *box = new ui::Panel(&form);
  box->setParentControl(&form);
  auto *ok = new PlainButton(&form);
  ok->setParentControl(box);
  auto *cancel = new PlainButton(&form);
  cancel->setParentControl(&form);
  form.setDefaultControl(ok);
  form.setCancelControl(cancel);
  form.show();

  pressKey(&form, Qt::Key_Return);
  pressKey(&form, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(ok->clicks, 2);
  pressKey(&form, Qt::Key_Escape);
  EXPECT_EQ(cancel->clicks, 1);
  for (Qt::KeyboardModifier held : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
    pressKey(&form, Qt::Key_Return, held);
    pressKey(&form, Qt::Key_Escape, held);
  }
  EXPECT_EQ(ok->clicks, 2);
  EXPECT_EQ(cancel->clicks, 1);

  // A control that takes the key itself comes first.
  auto *own = new DialogButton(&form, Qt::Key_Escape, 'x');
  own->setParentControl(&form);
  pressKey(&form, Qt::Key_Escape);
  EXPECT_EQ(own->clicks, 1);
  EXPECT_EQ(cancel->clicks, 1);
  own->setVisible(false);

  // Disabled, hidden (also through its parent) or gone: nothing is clicked.
  ok->setEnabled(false);
  pressKey(&form, Qt::Key_Return);
  ok->setEnabled(true);
  box->setVisible(false);
  pressKey(&form, Qt::Key_Return);
  EXPECT_EQ(ok->clicks, 2);
  delete cancel;
  pressKey(&form, Qt::Key_Escape);
  EXPECT_EQ(form.cancelControl(), nullptr);
}

TEST_F(ModalTest, KeyPreviewSeesKeysFirstAndHandledUsesThemUp) {
  ui::Form form(nullptr);
  auto *def = new DialogButton(&form, Qt::Key_Return, 'o');
  def->setParentControl(&form);
  form.show();
  std::vector<std::pair<int, ui::ShiftState>> seen;
  form.OnKeyDown = [&](ui::Control *, int key, ui::ShiftState shift, bool &handled) {
    seen.emplace_back(key, shift);
    handled = key == Qt::Key_Return;
  };

  // Without the flag the event is not called.
  pressKey(&form, Qt::Key_Return);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(def->clicks, 1);

  form.setKeyPreview(true);
  pressKey(&form, Qt::Key_Return);
  EXPECT_EQ(def->clicks, 1);  // used up before the dialog keys
  pressKey(&form, Qt::Key_O, Qt::AltModifier, "o");
  EXPECT_EQ(def->clicks, 2);  // not handled: routed as before
  EXPECT_EQ(seen, (std::vector<std::pair<int, ui::ShiftState>>{{Qt::Key_Return, 0}, {Qt::Key_O, ui::ssAlt}}));
}

TEST_F(ModalTest, WindowStateRemembersTheNormalBoundsAndTheRingInsetsTheClient) {
  ui::Form form(nullptr);
  form.setNonClientRing(3);
  form.setClientWidth(443);
  form.setClientHeight(617);
  EXPECT_EQ(form.width(), 449);
  EXPECT_EQ(form.height(), 623);
  EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(form.clientRect(), QRect(3, 3, 443, 617));
  auto *client = new ui::Panel(&form);
  client->setAlign(ui::Align::Client);
  client->setParentControl(&form);
  EXPECT_EQ(client->boundsRect(), QRect(3, 3, 443, 617));

  form.centerOnScreen();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(form.x(), (screen.width() - 449) / 2);
  EXPECT_EQ(form.y(), (screen.height() - 623) / 2);
  const QRect normal = form.geometry();

  form.show();
  int changes = 0;
  form.OnWindowStateChange = [&](ui::Form *) { ++changes; };
  form.setWindowState(ui::WindowState::Maximized);
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(form.geometry(), QRect(area.x(), area.y(), area.width(), area.height() - 1));
  EXPECT_EQ(form.normalBounds(), normal);
  form.setWindowState(ui::WindowState::Normal);
  EXPECT_EQ(form.geometry(), normal);
  EXPECT_EQ(changes, 2);

  // The manual move once the pointer passes the drag distance.
  form.startMove(form.mapToGlobal(QPoint(50, 10)));
  EXPECT_TRUE(form.moveArmed());
  QMouseEvent move(QEvent::MouseMove, QPointF(80, 40), form.mapToGlobal(QPointF(80, 40)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form, &move);
  EXPECT_EQ(form.pos(), normal.topLeft() + QPoint(30, 30));
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(80, 40), form.mapToGlobal(QPointF(80, 40)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&form, &release);
  EXPECT_FALSE(form.moveArmed());

  form.setNonClientRing(0);
  EXPECT_FALSE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(form.clientRect(), QRect(QPoint(0, 0), form.size()));
}

}  // namespace
