// The whole start-up after a good login: the main window comes up
// maximised with the message-box title "PLC", one output editor opens at
// once, also when the window never gets the focus, and closing the window
// ends the event loop. Closing ends the program, so this runs in a process
// of its own.
#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <QTimer>
#include <QWidget>

#include "controller_editor/editor_app.h"
#include "controller_editor/forms/main_form.h"
#include "platform/ui/application.h"
#include "platform/ui/menu.h"
#include "platform/ui/tool_bar.h"
#include "tests/controller_editor/forms/editor_window_test.h"
#include "tests/controller_editor/forms/qstring_print.h"
#include "tests/support/test_link_services.h"

namespace {

using testsupport::MessageBoxScript;
using testsupport::ModalScript;

TMainForm *shownMainForm() {
  for (QWidget *w : QApplication::topLevelWidgets()) {
    if (auto *form = qobject_cast<TMainForm *>(w); form != nullptr && form->isVisible()) return form;
  }
  return nullptr;
}

class EditorStartTest : public testsupport::EditorWindowTest {};

TEST_F(EditorStartTest, GoodLoginRunsTheMainWindowUntilItCloses) {
  // A desktop that never gives the main window the focus (a bare X server
  // has no window manager to do it): the output editor opens all the same.
  testsupport::MainWindowNeverActive noFocus;
  qApp->installEventFilter(&noFocus);
  ModalScript modals;
  MessageBoxScript boxes;
  boxes.answer(ui::IDNO);  // the never-saved project: drop it on closing
  bool maximised = false;
  modals.answer(ui::mrOk).then([&](ui::Form &) {
    TMainForm *main = shownMainForm();
    EXPECT_NE(main, nullptr);
    if (main == nullptr) return ui::mrCancel;
    maximised = main->isMaximized();
    // While the output editor is open: what is pending runs, the window is
    // activated, and the user clicks 输出 and picks 输出管理. None of it
    // opens a second editor (the script would fail on one).
    testsupport::processEvents();
    qApp->removeEventFilter(&noFocus);
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(main, &activation);
    main->sbnOutput->click();
    main->N_Chn_Device->click();
    testsupport::processEvents();
    QTimer::singleShot(0, main, [main] { main->close(); });
    return ui::mrCancel;
  });
  // Ends a loop that would otherwise never return.
  bool gaveUp = false;
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, [&] {
    gaveUp = true;
    QCoreApplication::exit(1);
  });
  giveUp.start(20000);

  char name[] = "Selkan";
  char *argv[] = {name, nullptr};
  EXPECT_EQ(runEditor(1, argv, testsupport::LocalLinkServices()), 0);
  qApp->removeEventFilter(&noFocus);
  EXPECT_FALSE(gaveUp);

  ASSERT_EQ(modals.shown().size(), 2u);
  EXPECT_EQ(modals.shown()[0].className, "TLoginForm");
  EXPECT_EQ(modals.shown()[1].className, "TOutputForm");
  EXPECT_TRUE(maximised);
  EXPECT_EQ(ui::Application::instance()->title(), QStringLiteral("PLC"));
  EXPECT_TRUE(ui::Application::instance()->terminated());
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("内容已经更改,是否保存"));
  EXPECT_EQ(shownMainForm(), nullptr);
}

// Qt's own button texts follow the system's language while the editor
// runs (selkan_editor_start_zh_test runs this with a Chinese locale).
TEST_F(EditorStartTest, QtTextsFollowTheSystemLanguage) {
  if (!QLocale::system().name().startsWith(QLatin1String("zh"))) GTEST_SKIP() << "not a Chinese locale";
  QString cancel;
  ModalScript modals;
  modals.then([&](ui::Form &) {
    cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
    return ui::mrCancel;
  });
  char name[] = "Selkan";
  char *argv[] = {name, nullptr};
  EXPECT_EQ(runEditor(1, argv, testsupport::LocalLinkServices()), 0);
  EXPECT_EQ(cancel, QStringLiteral("取消"));
  // Only while it runs.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

}  // namespace
