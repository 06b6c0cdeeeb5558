// The whole start-up after a good login: the main window comes up
// maximised with the message-box title "PLC", the output editor opens as it
// first gets the focus, and closing it ends the event loop. Closing ends the
// program, so this runs in a process of its own.
#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <QTimer>
#include <QWidget>

#include "application.h"
#include "editor_app.h"
#include "editor_window_test.h"
#include "main_form.h"
#include "qstring_print.h"

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
  ModalScript modals;
  MessageBoxScript boxes;
  boxes.answer(ui::IDNO);  // the never-saved project: drop it on closing
  bool maximised = false;
  modals.answer(ui::mrOk).then([&](ui::Form &) {
    TMainForm *main = shownMainForm();
    EXPECT_NE(main, nullptr);
    if (main == nullptr) return ui::mrCancel;
    maximised = main->isMaximized();
    QTimer::singleShot(0, main, [main] { main->close(); });
    return ui::mrCancel;
  });
  // The offscreen platform may not activate a window that shows.
  QTimer::singleShot(0, qApp, [] {
    if (TMainForm *main = shownMainForm()) main->activateWindow();
  });
  QTimer::singleShot(0, qApp, [] {
    if (TMainForm *main = shownMainForm()) {
      QEvent activation(QEvent::WindowActivate);
      QApplication::sendEvent(main, &activation);
    }
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
  EXPECT_EQ(runEditor(1, argv), 0);
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
  EXPECT_EQ(runEditor(1, argv), 0);
  EXPECT_EQ(cancel, QStringLiteral("取消"));
  // Only while it runs.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

}  // namespace
