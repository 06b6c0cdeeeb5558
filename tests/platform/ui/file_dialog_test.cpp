// The open and save dialogs behind their replaceable function: the script
// answers them, and Open never hands back a file that is not there. Links
// opened on the desktop reach the recorder, never a browser.
#include <QDesktopServices>
#include <gtest/gtest.h>

#include "platform/ui/file_dialog.h"
#include "tests/support/ui/ui_fixtures.h"
#include "tests/support/ui/url_handler_recorder.h"

namespace {

using testsupport::FileDialogScript;
using testsupport::UiTest;

class FileDialogTest : public UiTest {};

TEST_F(FileDialogTest, ScriptAnswersAndOpenRefusesAMissingFile) {
  testsupport::TempAppDir dir;
  dir.writeFile("a.plc", "");
  const QString existing = QString::fromStdString((dir / "a.plc").string());
  const QString missing = QString::fromStdString((dir / "gone.plc").string());

  FileDialogScript script;
  script.choose(existing).choose(missing).cancel().choose(missing);
  const ui::FileDialogOptions options{"Open", QString::fromStdString(dir.path().string()), "Projects (*.plc)"};
  EXPECT_EQ(ui::openFileDialog(options), existing);
  EXPECT_EQ(ui::openFileDialog(options), std::nullopt);
  EXPECT_EQ(ui::saveFileDialog(options), std::nullopt);
  // Save takes a name that does not exist yet.
  EXPECT_EQ(ui::saveFileDialog(options), missing);

  ASSERT_EQ(script.shown().size(), 4u);
  EXPECT_EQ(script.shown()[0].kind, ui::FileDialogKind::Open);
  EXPECT_EQ(script.shown()[3].kind, ui::FileDialogKind::Save);
  EXPECT_EQ(script.shown()[0].options.filter, "Projects (*.plc)");
}

TEST_F(FileDialogTest, LinksGoToTheRecorderWhileItLives) {
  testsupport::UrlHandlerRecorder recorder;
  EXPECT_TRUE(QDesktopServices::openUrl(QUrl("https://www.example.test/")));
  ASSERT_EQ(recorder.opened().size(), 1u);
  EXPECT_EQ(recorder.opened()[0], QUrl("https://www.example.test/"));
}

}  // namespace
