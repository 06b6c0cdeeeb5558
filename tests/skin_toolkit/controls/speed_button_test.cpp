// The tool-bar speed button: its hot frame and glyph.
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include "skin_toolkit/controls/speed_button.h"
#include "tests/skin_toolkit/controls/buttons_skin_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using platform::RGB;

TEST_F(ButtonsSkinTest, SpeedButtonHotShowsABlackFrameAndTheGlyphAtOneOne) {
  auto *speed = new TkwoToolBarSpeedButton(form.get());
  speed->setParentControl(form.get());
  speed->setBounds(10, 10, 18, 18);
  speed->setColor(RGB(200, 200, 200));
  QPixmap glyph(12, 12);
  glyph.fill(QColor(0, 150, 0));
  speed->setGlyph(glyph);
  QImage image = shown(*speed);
  EXPECT_EQ(image.pixelColor(0, 0), QColor(200, 200, 200));
  EXPECT_EQ(image.pixelColor(1, 1), QColor(200, 200, 200)) << "a glyph of one colour is all key";
  QPixmap twoColours(12, 12);
  twoColours.fill(QColor(0, 150, 0));
  {
    QPainter p(&twoColours);
    p.fillRect(0, 11, 12, 1, QColor(1, 2, 3));  // the bottom row keys
  }
  speed->setGlyph(twoColours);
  testsupport::sendEnter(speed);
  ASSERT_TRUE(speed->hot());
  image = shown(*speed);
  EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 0, 0));
  EXPECT_EQ(image.pixelColor(17, 17), QColor(0, 0, 0));
  EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 150, 0));
  EXPECT_EQ(image.pixelColor(12, 1), QColor(0, 150, 0));
  EXPECT_EQ(image.pixelColor(13, 1), QColor(200, 200, 200));
  EXPECT_EQ(image.pixelColor(5, 12), QColor(200, 200, 200)) << "keyed row";
  testsupport::sendLeave(speed);
  EXPECT_FALSE(speed->hot());
  EXPECT_EQ(shown(*speed).pixelColor(0, 0), QColor(200, 200, 200));
  // Hidden while hot: nothing stays hot.
  testsupport::sendEnter(speed);
  speed->setVisible(false);
  EXPECT_FALSE(speed->hot());
}

}  // namespace
}  // namespace kwo
