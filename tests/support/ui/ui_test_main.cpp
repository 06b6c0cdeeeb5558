// The main() of every test program linked with test_support_ui: it creates
// the application object on the offscreen platform before any test runs and
// destroys it after the last. Being the first main() the linker meets, it
// takes the place of GoogleTest's own.
#include <QByteArray>
#include <QtGlobal>
#include <gtest/gtest.h>

#include "application.h"
#include "file_dialog.h"
#include "form.h"
#include "message_box.h"

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  int result = 0;
  {
    ui::Application app(argc, argv);
    // Outside a script, a message box, file dialog or modal form fails the
    // test instead of waiting for a user who is not there.
    ui::setMessageBoxFunction([](const QString &text, const QString &caption, int) {
      ADD_FAILURE() << "message box nobody expected: \"" << caption.toStdString() << "\": " << text.toStdString();
      return ui::IDCANCEL;
    });
    ui::setFileDialogFunction([](ui::FileDialogKind, const ui::FileDialogOptions &options) {
      ADD_FAILURE() << "file dialog nobody expected: " << options.title.toStdString();
      return std::optional<QString>();
    });
    ui::Form::setModalHandlerForTests([](ui::Form &form) {
      ADD_FAILURE() << "modal form nobody expected: " << form.metaObject()->className();
      return ui::mrCancel;
    });
    result = RUN_ALL_TESTS();
    ui::Form::setModalHandlerForTests(nullptr);
    ui::setFileDialogFunction(nullptr);
    ui::setMessageBoxFunction(nullptr);
  }
  return result;
}
