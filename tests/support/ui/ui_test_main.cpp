// The main() of every test program linked with test_support_ui: it creates
// the application object on the offscreen platform before any test runs and
// destroys it after the last. Being the first main() the linker meets, it
// takes the place of GoogleTest's own. The offscreen screen is 1280 x 1024
// at a device-pixel ratio of 1, given to the platform through its
// configuration file.
#include <QByteArray>
#include <QTemporaryFile>
#include <QtGlobal>
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/form.h"
#include "platform/ui/message_box.h"

namespace {

constexpr char kOffscreenScreen[] = R"({"screens": [{"name": "offscreen", "x": 0, "y": 0,
  "width": 1280, "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";

// Points a bare offscreen platform at the screen above; any other platform,
// or an offscreen one with options of its own, stays as given.
void configureOffscreenScreen(QTemporaryFile &config) {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && platform != "offscreen") return;
  if (!config.open() || config.write(kOffscreenScreen) != static_cast<qint64>(sizeof kOffscreenScreen - 1) ||
      !config.flush()) {
    qFatal("cannot write the offscreen screen configuration");
  }
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
}

}  // namespace

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QTemporaryFile screenConfig;
  configureOffscreenScreen(screenConfig);
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
