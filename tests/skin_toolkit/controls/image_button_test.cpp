// The flat image button on the offscreen platform: its face, shadow and
// caption, the press, the click and the disabled look.
#include <QImage>
#include <QTest>
#include <memory>
#include <utility>

#include "skin_toolkit/controls/image_button.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

const QRgb kFace = qRgb(128, 0, 0);
const QRgb kBack = qRgb(0, 128, 0);
const QRgb kShadow = qRgb(16, 16, 16);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGrey = qRgb(128, 128, 128);

class ImageButtonTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 300, 200);
    button = new TImageButton(form.get());
    button->setParentControl(form.get());
    button->setBounds(10, 10, 73, 25);
    button->setBackColor(platform::RGB(0, 128, 0));
    button->setCaption(QStringLiteral("OK"));
    button->OnClick = [this](ui::Control *sender) {
      EXPECT_EQ(sender, button);
      pressedInClick = button->pressed();
      ++clicks;
    };
    form->show();
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  QImage picture() { return button->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  // Counts the pixels of a colour inside the face, away from its edges.
  static int count(const QImage &image, QRgb colour, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) == colour;
    }
    return n;
  }

  std::unique_ptr<ui::Form> form;
  TImageButton *button = nullptr;
  int clicks = 0;
  int pressedInClick = -1;
};

TEST_F(ImageButtonTest, Defaults) {
  TImageButton b(nullptr);
  EXPECT_EQ(b.focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(b.color(), platform::RGB(128, 0, 0));
  EXPECT_EQ(b.backColor(), platform::clAppWorkSpace);
  EXPECT_EQ(b.shadowColor(), platform::RGB(16, 16, 16));
  EXPECT_EQ(b.controlFont().color, platform::clWhite);
  EXPECT_FALSE(b.parentFont());
  EXPECT_EQ(b.pressed(), 0);
}

TEST_F(ImageButtonTest, ReleasedFaceShadowAndEdges) {
  const QImage img = picture();
  ASSERT_EQ(img.size(), QSize(73, 25));
  // The face covers (0, 0) up to but not including (71, 23); the shadow
  // (2, 2) up to (73, 25); the rest is the background.
  EXPECT_EQ(img.pixel(1, 1), kFace);
  EXPECT_EQ(img.pixel(70, 5), kFace);
  EXPECT_EQ(img.pixel(71, 5), kShadow);
  EXPECT_EQ(img.pixel(72, 5), kShadow);
  EXPECT_EQ(img.pixel(5, 22), kFace);
  EXPECT_EQ(img.pixel(5, 23), kShadow);
  EXPECT_EQ(img.pixel(72, 1), kBack);
  EXPECT_EQ(img.pixel(1, 24), kBack);
  // Round corners: the very corner stays background.
  EXPECT_EQ(img.pixel(0, 0), kBack);
  // A white caption and nothing grey.
  EXPECT_GT(count(img, kWhite, QRect(2, 2, 66, 19)), 0);
  EXPECT_EQ(count(img, kGrey, QRect(2, 2, 66, 19)), 0);
}

TEST_F(ImageButtonTest, PressedFaceSinksOntoTheShadow) {
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button->pressed(), 1);
  const QImage img = picture();
  EXPECT_EQ(img.pixel(1, 1), kBack);
  // Outlined in black from (2, 2) to the far edges, the face inside.
  EXPECT_EQ(img.pixel(10, 2), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(72, 10), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(10, 24), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(3, 3), kFace);
  EXPECT_EQ(count(img, kShadow, img.rect()), 0);
  // The caption moves one pixel right and down of its released place.
  const QImage released = [&] {
    TImageButton other(nullptr);
    other.setBounds(0, 0, 73, 25);
    other.setBackColor(platform::RGB(0, 128, 0));
    other.setCaption(QStringLiteral("OK"));
    return other.grab().toImage().convertToFormat(QImage::Format_RGB32);
  }();
  auto firstWhite = [](const QImage &image) {
    for (int y = 3; y < 22; ++y) {
      for (int x = 3; x < 69; ++x) {
        if (image.pixel(x, y) == kWhite) return QPoint(x, y);
      }
    }
    return QPoint(-1, -1);
  };
  EXPECT_EQ(firstWhite(img), firstWhite(released) + QPoint(1, 1));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button->pressed(), 0);
  EXPECT_EQ(picture().pixel(1, 1), kFace);
}

TEST_F(ImageButtonTest, ClickOnAReleaseInsideOnly) {
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicks, 1);
  // OnClick runs before the press ends.
  EXPECT_EQ(pressedInClick, 1);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(200, 10));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button->pressed(), 0);
  // The right button presses nothing and clicks nothing.
  QTest::mousePress(button, Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(button->pressed(), 0);
  QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicks, 1);
}

TEST_F(ImageButtonTest, AHandlerMayFreeTheButton) {
  int *clickCount = &clicks;
  TImageButton **slot = &button;
  button->OnClick = [clickCount, slot](ui::Control *) {
    // The handler lives in the button: nothing of it is used after the delete.
    ++*clickCount;
    TImageButton *doomed = std::exchange(*slot, nullptr);
    delete doomed;
  };
  TImageButton *target = button;
  QTest::mousePress(target, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button, nullptr);
}

TEST_F(ImageButtonTest, DisabledIsGreyAndNeverPressed) {
  button->setEnabled(false);
  QImage img = picture();
  EXPECT_GT(count(img, kGrey, QRect(2, 2, 66, 19)), 0);
  EXPECT_EQ(count(img, kWhite, QRect(2, 2, 66, 19)), 0);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button->pressed(), 0);
  EXPECT_EQ(picture().pixel(1, 1), kFace);
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicks, 0);

  // Disabled while held: the press ends at once and stays ended.
  button->setEnabled(true);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
  ASSERT_EQ(button->pressed(), 1);
  button->setEnabled(false);
  EXPECT_EQ(button->pressed(), 0);
  EXPECT_EQ(picture().pixel(1, 1), kFace);
  button->setEnabled(true);
  EXPECT_EQ(picture().pixel(1, 1), kFace);
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicks, 0);
}

TEST_F(ImageButtonTest, WideCaptionStartsLeftOfTheButton) {
  button->setBounds(10, 10, 30, 25);
  button->setCaption(QStringLiteral("WWWWWWWWWWWW"));
  const QImage img = picture();
  // The caption is centred on the face, so it is cut at both sides.
  EXPECT_GT(count(img, kWhite, QRect(0, 0, 3, 23)), 0);
  EXPECT_GT(count(img, kWhite, QRect(25, 0, 3, 23)), 0);
  button->setCaption(QStringLiteral("W"));
  EXPECT_EQ(count(picture(), kWhite, QRect(0, 0, 3, 23)), 0);
}

}  // namespace
}  // namespace kwo
