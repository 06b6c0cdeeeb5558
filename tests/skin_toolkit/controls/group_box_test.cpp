// The group box on the offscreen platform: the look it gives its children,
// its frame open at the top for the caption, and its grey caption when
// disabled.
#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

#include "platform/ui/color.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_group_box.h"
#include "skin_toolkit/rules/group_logic.h"
#include "tests/skin_toolkit/controls/panels_groups_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

// --- Group boxes ---

TEST_F(PanelsGroupsTest, GroupBoxThemesChildrenFirstAndPassesEnabledOn) {
  auto *box = make<TkwoGroupBox>(form.get());
  EXPECT_EQ(box->size(), QSize(185, 105));
  auto *inner = make<TkwoCheckBox>(box);
  auto *client = make<ui::Panel>(box);
  client->setAlign(ui::Align::Client);
  const int h = 11;  // the 8-point font
  EXPECT_EQ(client->geometry(), QRect(3, h + 5, 185 - 6, 105 - h - 8));

  box->setUIStyle(TkwoUIStyle::WinXP);
  EXPECT_EQ(inner->uiStyle(), TkwoUIStyle::WinXP);
  EXPECT_EQ(box->borderColor(), platform::RGB(104, 104, 104));
  EXPECT_EQ(box->controlFont().color, platform::RGB(2, 70, 207));

  box->setEnabled(false);
  EXPECT_FALSE(inner->isEnabled());
  EXPECT_FALSE(client->isEnabled());
  box->setEnabled(true);
  EXPECT_TRUE(inner->isEnabled());
  EXPECT_TRUE(client->isEnabled());

  // A parent's disabling leaves a child the program disabled alone.
  auto *host = make<ui::Panel>(form.get());
  box->setParentControl(host);
  inner->setEnabled(false);
  host->setEnabled(false);
  host->setEnabled(true);
  EXPECT_FALSE(inner->isEnabled());
  EXPECT_TRUE(client->isEnabled());
}

TEST_F(PanelsGroupsTest, GroupFrameLeavesTheTopOpenForTheCaptionOnly) {
  auto *box = make<TkwoGroupBox>(form.get());
  box->setColor(platform::RGB(255, 255, 255));
  const QColor border(0, 0, 0);
  const int y = 11 / 2 + 1;
  box->setCaption(QStringLiteral("Caption"));
  QImage img = box->grab().toImage();
  EXPECT_EQ(img.pixelColor(1, y), border);        // the stub at the left corner
  EXPECT_NE(img.pixelColor(3, y), border);        // open before the caption
  EXPECT_EQ(img.pixelColor(150, y), border);      // the line after it
  EXPECT_EQ(img.pixelColor(184, 60), border);     // the right side
  box->setCaption(QString());
  img = box->grab().toImage();
  EXPECT_EQ(img.pixelColor(3, y), border);        // closed without a caption
  EXPECT_EQ(img.pixelColor(40, y), border);
}

TEST_F(PanelsGroupsTest, GroupFrameTopLineRowAndAGreyCaptionWhenDisabled) {
  auto *box = make<TkwoGroupBox>(form.get());
  box->setBounds(0, 0, 200, 100);
  box->setColor(platform::RGB(255, 255, 255));
  box->setBorderColor(platform::RGB(255, 0, 0));
  box->setCaption(QStringLiteral("Caption text"));
  const int w = QFontMetrics(box->font()).horizontalAdvance(box->caption());
  const int y = GroupFrameLineY(FontPixelHeight(box->controlFont().size, box->controlFont().height), 0);
  const QColor red(255, 0, 0);
  QImage img = box->grab().toImage();
  // Red at left..left + 2, none from there to the caption's end + 6, red
  // from left + caption + 7 to the right corner.
  for (int x = 0; x < 200; ++x) {
    const bool expectRed = x <= 2 || x >= w + 7;
    EXPECT_EQ(img.pixelColor(x, y) == red, expectRed) << x;
  }
  // The caption in the (blue) font colour; disabled, in grey: every inked
  // pixel then has equal red, green and blue.
  box->setUIStyle(TkwoUIStyle::WinXP);
  box->setBorderColor(platform::RGB(255, 0, 0));
  const QRect caption(5, 0, w, y + 4);
  const auto inked = [&](const QImage &image, bool grey) {
    int n = 0;
    for (int yy = caption.top(); yy <= caption.bottom(); ++yy) {
      for (int xx = caption.left(); xx <= caption.right(); ++xx) {
        const QColor c = image.pixelColor(xx, yy);
        if (c == QColor(255, 255, 255) || c == red) continue;
        n += (c.red() == c.green() && c.green() == c.blue()) == grey ? 1 : 0;
      }
    }
    return n;
  };
  img = box->grab().toImage();
  EXPECT_GT(inked(img, false), 10);
  EXPECT_EQ(inked(img, true), 0);
  box->setEnabled(false);
  img = box->grab().toImage();
  EXPECT_EQ(inked(img, false), 0);
  EXPECT_GT(inked(img, true), 10);
}

}  // namespace
}  // namespace kwo
