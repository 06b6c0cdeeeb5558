// The skinned look of the display program's windows in offscreen grabs: the
// main window's ring, title picture and status-bar grip, and the auto-detect
// wizard's round, black-bordered frame while maximised. scripts/screenshot
// checks the same main window on a real X server.
#include <QImage>
#include <QPixmap>
#include <memory>
#include <string>

#include "display_app/dialogs/auto_detect.h"
#include "display_app/model/globals.h"
#include "display_app/test_seams.h"
#include "display_app/views/main_window.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/frames/kwo_status_bar.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/theme_table.h"
#include "tests/support/test_link_services.h"
#include "tests/support/ui/ui_fixtures.h"

namespace morvit {
namespace {

class WindowLookTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    testsupport::UiTest::SetUp();
    resetGlobalsForTests();
  }
  void TearDown() override {
    window.reset();
    wizard.reset();
    testsupport::UiTest::TearDown();
    resetGlobalsForTests();
  }

  testsupport::TempAppDir dir;
  std::unique_ptr<TfrmMain> window;
  std::unique_ptr<TfrmAutoDetect> wizard;
};

QImage titlePicture(kwo::TkwoUIStyle style, int position) {
  return kwo::BuiltInBitmap(kwo::BuiltInImageName(style, position).c_str());
}

TEST_F(WindowLookTest, MainWindowShowsItsRingAndGrip) {
  window = createMainWindow(testsupport::LocalLinkServices());
  ASSERT_NE(window, nullptr);
  testsupport::processEvents();
  const QImage shot = window->grab().toImage();
  ASSERT_EQ(shot.size(), QSize(449, 623));

  // The one-pixel grey border, then the MacOS form background.
  EXPECT_EQ(shot.pixelColor(0, 300), QColor(127, 127, 127));
  EXPECT_EQ(shot.pixelColor(1, 300), QColor(231, 231, 231));

  // The grip's first line, in the inactive caption colour.
  const kwo::TkwoStatusBar &grip = *window->sbMain;
  const QPoint gripPixel = grip.mapTo(window.get(), QPoint(grip.width() - 8, grip.height() - 8));
  EXPECT_EQ(shot.pixelColor(gripPixel), QColor(191, 205, 219));
}

TEST_F(WindowLookTest, MainWindowTitleRowShowsTheMacOSPicture) {
  window = createMainWindow(testsupport::LocalLinkServices());
  ASSERT_NE(window, nullptr);
  testsupport::processEvents();
  const QImage shot = window->grab().toImage();
  // The title row starts with the MacOS left title picture inside the border.
  const QImage left = titlePicture(kwo::TkwoUIStyle::MacOS, kwo::tiTitleBarLeftImage);
  ASSERT_FALSE(left.isNull());
  for (int y : {5, 10, 15}) {
    ASSERT_LT(y, left.height());
    EXPECT_EQ(shot.pixel(1, y), left.pixel(0, y)) << "row " << y;
  }
}

TEST_F(WindowLookTest, MaximisedWizardHasRoundTopCornersAndABlackBorder) {
  wizard = std::make_unique<TfrmAutoDetect>(nullptr);
  wizard->show();
  testsupport::processEvents();
  ASSERT_EQ(wizard->windowState(), ui::WindowState::Maximized);
  const QRegion region = wizard->windowRegion();
  ASSERT_FALSE(region.isEmpty());
  EXPECT_FALSE(region.contains(QPoint(0, 0)));
  EXPECT_FALSE(region.contains(QPoint(wizard->width() - 1, 0)));
  EXPECT_TRUE(region.contains(QPoint(wizard->width() / 2, 0)));

  const QImage shot = wizard->grab().toImage();
  const int middle = shot.height() / 2;
  EXPECT_EQ(shot.pixelColor(0, middle), QColor(0, 0, 0));
  EXPECT_EQ(shot.pixelColor(shot.width() - 1, middle), QColor(0, 0, 0));
}

}  // namespace
}  // namespace morvit
