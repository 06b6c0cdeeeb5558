// The picture button: which picture each state shows, AutoSize, stretching
// and the corner mask.
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "skin_toolkit/controls/kwo_image_button.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

QPixmap solid(int w, int h, QColor colour) {
  QPixmap p(w, h);
  p.fill(colour);
  return p;
}

class ImageButtonTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 200, 100);
    button = new TkwoImageButton(form.get());
    button->setParentControl(form.get());
    button->setBounds(10, 10, 40, 20);
    button->setColor(platform::RGB(0, 0, 255));
    form->show();
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  QColor pixel(QPoint at) { return button->grab().toImage().pixelColor(at); }

  std::unique_ptr<ui::Form> form;
  TkwoImageButton *button = nullptr;
};

TEST_F(ImageButtonTest, EachStateShowsItsOwnPictureOrElsePicNormal) {
  const QPixmap normal = solid(8, 8, Qt::red);
  button->setPicNormal(normal);
  for (ButtonPicture state :
       {ButtonPicture::Normal, ButtonPicture::MouseOn, ButtonPicture::MouseDown, ButtonPicture::Disabled}) {
    EXPECT_EQ(button->pictureFor(state).cacheKey(), normal.cacheKey()) << static_cast<int>(state);
  }

  button->setPicMouseOn(solid(8, 8, Qt::green));
  button->setPicMouseDown(solid(8, 8, Qt::yellow));
  button->setPicDisabled(solid(8, 8, Qt::gray));
  // Painted: a press shows the pressed picture, disabling the disabled one
  // (the picture's corner colour is masked, so probe inside a two-colour
  // picture below).
  const auto framed = [](QColor inner) {
    QPixmap p(8, 8);
    p.fill(Qt::white);
    QPainter painter(&p);
    painter.fillRect(2, 2, 4, 4, inner);
    return p;
  };
  button->setPicNormal(framed(Qt::red));
  button->setPicMouseDown(framed(Qt::yellow));
  button->setPicDisabled(framed(Qt::gray));
  EXPECT_EQ(pixel({3, 3}), QColor(Qt::red));
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(pixel({3, 3}), QColor(Qt::yellow));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
  button->setEnabled(false);
  EXPECT_EQ(pixel({3, 3}), QColor(Qt::gray));
  // The corner colour lets the button's Color through.
  EXPECT_EQ(pixel({0, 0}), QColor(0, 0, 255));
}

TEST_F(ImageButtonTest, AutoSizeTakesPicNormalOnceTheButtonHasAParent) {
  auto orphan = std::make_unique<TkwoImageButton>(nullptr);
  orphan->setBounds(0, 0, 40, 20);
  orphan->setAutoSize(true);
  orphan->setPicNormal(solid(17, 51, Qt::red));
  EXPECT_EQ(orphan->size(), QSize(40, 20));

  button->setAutoSize(true);
  EXPECT_EQ(button->size(), QSize(40, 20));  // no picture yet
  button->setPicNormal(solid(17, 51, Qt::red));
  EXPECT_EQ(button->boundsRect(), QRect(10, 10, 17, 51));
  button->setPicMouseOn(solid(30, 30, Qt::green));  // only PicNormal sizes
  EXPECT_EQ(button->size(), QSize(17, 51));
  button->setAutoSize(false);
  button->setPicNormal(solid(5, 5, Qt::red));
  EXPECT_EQ(button->size(), QSize(17, 51));
}

TEST_F(ImageButtonTest, StretchFillsTheButtonAndTheLookReadsFromThemeFile) {
  QPixmap p(10, 10);
  p.fill(Qt::white);
  QPainter(&p).fillRect(1, 1, 9, 9, Qt::red);
  button->setPicNormal(p);
  EXPECT_EQ(pixel({35, 15}), QColor(0, 0, 255));
  button->setStretch(true);
  EXPECT_EQ(pixel({35, 15}), QColor(Qt::red));

  button->setUIStyle(TkwoUIStyle::BlueGlass);
  EXPECT_EQ(button->uiStyle(), TkwoUIStyle::FromThemeFile);
}

}  // namespace
}  // namespace kwo
