#pragma once
// The editor's windows run in a fresh executable directory, with the
// editor's globals started there and the link pointed at this machine.
#include <QEvent>
#include <QObject>

#include "controller_editor/forms/main_form.h"
#include "controller_editor/model/editor_globals.h"
#include "tests/support/ui/ui_fixtures.h"

namespace testsupport {

// Installed on the application, swallows every activation of the main
// window, as a desktop that never gives it the focus would (a bare X server
// with no window manager).
class MainWindowNeverActive : public QObject {
 public:
  bool eventFilter(QObject *watched, QEvent *event) override {
    return event->type() == QEvent::WindowActivate && qobject_cast<TMainForm *>(watched) != nullptr;
  }
};

class EditorWindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    // New keeps the status blocks, so a test starts from nothing at all.
    selkan::Global() = selkan::EditorGlobals{};
    selkan::InitEditorGlobals(selkan::Global());
    selkan::Global().LinkIP = "127.0.0.1";
  }

  TempAppDir appDir;
};

}  // namespace testsupport
