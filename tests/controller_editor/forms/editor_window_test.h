#pragma once
// The editor's windows run in a fresh executable directory, with the
// editor's globals started there and the link pointed at this machine.
#include "editor_globals.h"
#include "ui_fixtures.h"

namespace testsupport {

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
