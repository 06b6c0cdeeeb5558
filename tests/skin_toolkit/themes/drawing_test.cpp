// The drawing routines on images, on the offscreen platform: the nine-grid
// face, tiling, cutting and rotating pictures, points in rectangles, the
// three-part stretch, the window border, the parent's background under a
// control, and when a skinned frame counts as active.
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <string>

#include "platform/tcolor.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "skin_toolkit/themes/drawing.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

constexpr QRgb kBackground = 0xFF0000FFu;  // no coded pixel has blue
constexpr QRgb kMagenta = 0xFFFF00FFu;

// Each pixel names its place: red = x, green = y, blue 0.
QImage codedPicture(int w, int h) {
  QImage picture(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) picture.setPixel(x, y, qRgb(x, y, 0));
  }
  return picture;
}

QImage canvas(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(kBackground);
  return image;
}

QRgb at(int x, int y) { return qRgb(x, y, 0); }

class DrawingTest : public testsupport::UiTest {};

TEST_F(DrawingTest, NineGridCopiesCornersAndStretchesTheRestNearestNeighbour) {
  const QImage picture = codedPicture(21, 21);
  QImage face = canvas(70, 50);
  {
    QPainter p(&face);
    // Only the target's size counts: the face starts at the origin.
    DrawNineGrid(picture, p, QRect(5, 5, 60, 40), false);
  }
  struct Probe {
    int x, y;
    QRgb expected;
  };
  const Probe probes[] = {
      {0, 0, at(0, 0)},      {9, 9, at(9, 9)},      // top-left corner, unscaled
      {51, 0, at(12, 0)},    {59, 9, at(20, 9)},    // top-right corner
      {0, 39, at(0, 20)},    {59, 39, at(20, 20)},  // bottom corners
      {0, 31, at(0, 12)},                           // bottom-left corner's first row
      {0, 20, at(0, 10)},    {5, 30, at(5, 10)},    // left edge: one row stretched over 21
      {30, 0, at(10, 0)},    {31, 9, at(11, 9)},    // top edge: two columns over 41
      {50, 5, at(11, 5)},                           // its last column
      {20, 20, at(10, 10)},  {40, 29, at(11, 10)},  // centre
      {9, 35, at(10, 16)},                          // bottom edge, over the corner's last column
      {60, 0, kBackground},  {0, 40, kBackground},  // nothing past the face
  };
  for (const Probe &probe : probes) {
    EXPECT_EQ(face.pixel(probe.x, probe.y), probe.expected) << probe.x << "," << probe.y;
  }
}

TEST_F(DrawingTest, NineGridOnASmallerFaceKeepsThePicturesOutermostPixels) {
  // Where the face is narrower or lower than the picture, the corners are
  // cut; the edges beside them must still end in the picture's own border.
  struct Case {
    int w, h, dw, dh;
  };
  const Case cases[] = {
      {74, 21, 70, 24},   // a button frame on a narrower, taller face
      {74, 21, 70, 16},   // and on a lower one
      {222, 21, 100, 21}, // a title picture
      {21, 21, 12, 8},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " onto " + std::to_string(c.dw) + "x" +
                 std::to_string(c.dh));
    QImage face = canvas(c.dw, c.dh);
    {
      QPainter p(&face);
      DrawNineGrid(codedPicture(c.w, c.h), p, QRect(0, 0, c.dw, c.dh), false);
    }
    for (int y = 0; y < c.dh; ++y) {
      EXPECT_EQ(qRed(face.pixel(0, y)), 0) << "left, row " << y;
      EXPECT_EQ(qRed(face.pixel(c.dw - 1, y)), c.w - 1) << "right, row " << y;
    }
    for (int x = 0; x < c.dw; ++x) {
      EXPECT_EQ(qGreen(face.pixel(x, 0)), 0) << "top, column " << x;
      EXPECT_EQ(qGreen(face.pixel(x, c.dh - 1)), c.h - 1) << "bottom, column " << x;
    }
  }
}

TEST_F(DrawingTest, NineGridKeysMagentaInEdgesAlwaysAndInCornersWhenMasked) {
  QImage picture = codedPicture(21, 21);
  picture.setPixel(0, 0, kMagenta);   // top-left corner
  picture.setPixel(11, 5, kMagenta);  // top edge
  for (const bool masked : {false, true}) {
    SCOPED_TRACE(masked);
    QImage face = canvas(60, 40);
    {
      QPainter p(&face);
      DrawNineGrid(picture, p, QRect(0, 0, 60, 40), masked);
    }
    EXPECT_EQ(face.pixel(0, 0), masked ? kBackground : kMagenta);
    EXPECT_EQ(face.pixel(1, 0), at(1, 0));
    EXPECT_EQ(face.pixel(40, 5), kBackground);
    EXPECT_EQ(face.pixel(20, 5), at(10, 5));
  }
}

TEST_F(DrawingTest, NineGridOnAFacePixelsWideStaysOnTheFace) {
  const QImage picture = codedPicture(21, 21);
  QImage image = canvas(12, 12);
  {
    QPainter p(&image);
    p.translate(4, 4);
    DrawNineGrid(picture, p, QRect(0, 0, 1, 3), false);
  }
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool onFace = x == 4 && y >= 4 && y < 7;
      if (!onFace) {
        EXPECT_EQ(image.pixel(x, y), kBackground) << x << "," << y;
      }
    }
  }
}

TEST_F(DrawingTest, TileDrawStartsAtTheOriginAndCoversTheRectangleSize) {
  QImage tile(10, 10, QImage::Format_RGB32);
  tile.fill(Qt::white);
  tile.setPixel(0, 0, qRgb(255, 0, 0));
  QImage image = canvas(45, 45);
  {
    QPainter p(&image);
    TileDraw(p, tile, QRect(5, 5, 20, 20));
    TileDraw(p, QImage(), QRect(0, 0, 45, 45));
    TileDraw(p, QImage(0, 10, QImage::Format_RGB32), QRect(0, 0, 45, 45));
  }
  for (int y : {0, 10, 20, 30, 40}) {
    for (int x : {0, 10, 20, 30, 40}) {
      const bool tiled = x <= 20 && y <= 20;
      EXPECT_EQ(image.pixel(x, y), tiled ? qRgb(255, 0, 0) : kBackground) << x << "," << y;
    }
  }
  EXPECT_EQ(image.pixel(29, 29), 0xFFFFFFFFu);
  EXPECT_EQ(image.pixel(30, 29), kBackground);
}

TEST_F(DrawingTest, ExtractBitmapFrameCutsColumnsOrGivesNull) {
  const QImage strip = codedPicture(52, 13);
  const QImage frame = ExtractBitmapFrame(strip, 4, 3);
  ASSERT_EQ(frame.size(), QSize(13, 13));
  EXPECT_EQ(frame.pixel(0, 0), at(26, 0));
  EXPECT_EQ(frame.pixel(12, 12), at(38, 12));

  struct Bad {
    const char *name;
    QImage source;
    int n, k;
  };
  const Bad bad[] = {
      {"frame 0", strip, 4, 0},          {"frame past the count", strip, 4, 5}, {"no frames", strip, 0, 1},
      {"negative count", strip, -4, 1},  {"narrower than the count", codedPicture(3, 13), 4, 1},
      {"null source", QImage(), 4, 1},
  };
  for (const Bad &b : bad) EXPECT_TRUE(ExtractBitmapFrame(b.source, b.n, b.k).isNull()) << b.name;
}

TEST_F(DrawingTest, RotationsMapEachPixelAndUndoEachOther) {
  const QImage picture = codedPicture(3, 2);
  const QImage right = RotateBitmapRight(picture);
  const QImage left = RotateBitmapLeft(picture);
  ASSERT_EQ(right.size(), QSize(2, 3));
  ASSERT_EQ(left.size(), QSize(2, 3));
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(right.pixel(2 - 1 - y, x), at(x, y));
      EXPECT_EQ(left.pixel(y, 3 - 1 - x), at(x, y));
    }
  }
  EXPECT_EQ(RotateBitmapLeft(right), picture);
  EXPECT_EQ(RotateBitmapRight(left), picture);
  EXPECT_TRUE(RotateBitmapLeft(QImage()).isNull());
}

TEST_F(DrawingTest, RotationKeepsAMonochromePicture) {
  QImage mono(3, 2, QImage::Format_Mono);
  mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  mono.fill(0);
  mono.setPixel(2, 0, 1);
  const QImage right = RotateBitmapRight(mono);
  ASSERT_EQ(right.format(), QImage::Format_Mono);
  EXPECT_EQ(right.pixelIndex(1, 2), 1);
  EXPECT_EQ(right.pixel(1, 2), qRgb(0, 0, 0));
  EXPECT_EQ(right.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(RotateBitmapLeft(right), mono);
}

TEST_F(DrawingTest, PointInRectCountsAllFourEdges) {
  const Rect r{10, 20, 30, 40};
  struct Case {
    int x, y;
    bool inside;
  };
  const Case cases[] = {{10, 20, true}, {30, 40, true}, {30, 25, true}, {15, 40, true},
                        {31, 25, false}, {15, 41, false}, {9, 25, false}, {15, 19, false}};
  for (const Case &c : cases) {
    EXPECT_EQ(IsPointInRect(c.x, c.y, r), c.inside) << c.x << "," << c.y;
    EXPECT_EQ(IsPointInRect(Point{c.x, c.y}, r), c.inside) << c.x << "," << c.y;
  }
}

TEST_F(DrawingTest, ThreePartStretchKeysTheEndsAndStretchesAPlainMiddle) {
  // Three 3x3 frames; the top-left pixel is the key when transparent.
  QImage picture = codedPicture(9, 3);
  picture.setPixel(0, 0, qRgb(0, 200, 0));
  picture.setPixel(8, 0, qRgb(0, 200, 0));
  picture.setPixel(4, 0, qRgb(0, 200, 0));
  picture.setPixel(7, 1, kMagenta);
  for (const bool transparent : {true, false}) {
    SCOPED_TRACE(transparent);
    QImage image = canvas(30, 10);
    {
      QPainter p(&image);
      DrawThreePartStretch(p, picture, QRect(2, 1, 20, 6), transparent);
    }
    EXPECT_EQ(image.pixel(2, 1), transparent ? kBackground : qRgb(0, 200, 0));
    EXPECT_EQ(image.pixel(21, 1), transparent ? kBackground : qRgb(0, 200, 0));
    EXPECT_EQ(image.pixel(20, 2), transparent ? kMagenta : kBackground);
    EXPECT_EQ(image.pixel(3, 2), at(1, 1));
    // The middle frame, columns 3..5, stretched over 14 columns and 6 rows,
    // drawn opaque.
    EXPECT_EQ(image.pixel(5, 1), at(3, 0));
    EXPECT_EQ(image.pixel(12, 1), qRgb(0, 200, 0));
    EXPECT_EQ(image.pixel(18, 6), at(5, 2));
    EXPECT_EQ(image.pixel(12, 7), kBackground);
  }
}

TEST_F(DrawingTest, WindowBorderFramesTheWholeRectangle) {
  QImage image = canvas(12, 10);
  {
    QPainter p(&image);
    DrawWindowBorder(p, QRect(0, 0, 12, 10), platform::RGB(255, 0, 0), platform::RGB(0, 255, 0), true);
  }
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(11, 9), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(11, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(10, 8), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(2, 2), kBackground);

  QImage outerOnly = canvas(12, 10);
  {
    QPainter p(&outerOnly);
    DrawWindowBorder(p, QRect(0, 0, 12, 10), platform::clNone, platform::RGB(0, 255, 0), false);
  }
  EXPECT_EQ(outerOnly, canvas(12, 10));  // no colour, no frame
}

// A parent that paints its left 50 columns red and the rest green.
class SplitParent : public QWidget {
 protected:
  void paintEvent(QPaintEvent *) override {
    QPainter p(this);
    p.fillRect(0, 0, 50, height(), QColor(255, 0, 0));
    p.fillRect(50, 0, width() - 50, height(), QColor(0, 255, 0));
  }
};

TEST_F(DrawingTest, ParentBackgroundIntoAnImageShowsTheParentWithoutChildren) {
  SplitParent parent;
  parent.resize(80, 40);
  QWidget control(&parent);
  control.setGeometry(40, 10, 20, 20);
  QWidget sibling(&parent);  // lies over the control's place
  sibling.setGeometry(35, 5, 40, 30);
  sibling.setAutoFillBackground(true);
  QPalette pal = sibling.palette();
  pal.setColor(QPalette::Window, QColor(0, 0, 0));
  sibling.setPalette(pal);

  QImage image = canvas(20, 20);
  {
    QPainter p(&image);
    DrawParentBackground(p, control);
  }
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));    // the parent's (40,10)
  EXPECT_EQ(image.pixel(9, 19), qRgb(255, 0, 0));   // (49,29)
  EXPECT_EQ(image.pixel(10, 0), qRgb(0, 255, 0));   // (50,10)
  EXPECT_EQ(image.pixel(19, 19), qRgb(0, 255, 0));

  QWidget orphan;
  orphan.resize(20, 20);
  QImage untouched = canvas(20, 20);
  {
    QPainter p(&untouched);
    DrawParentBackground(p, orphan);
  }
  EXPECT_EQ(untouched, canvas(20, 20));
}

TEST_F(DrawingTest, FormActivityReadsTheMainFormAndTheActiveWindow) {
  ui::Application *app = ui::Application::instance();
  ASSERT_NE(app, nullptr);
  ui::Form active(nullptr);
  active.setBounds(10, 10, 200, 100);
  active.show();
  active.activateWindow();
  ASSERT_TRUE(testsupport::waitFor([&] { return active.isActiveWindow(); }));
  ui::Form other(nullptr);  // never shown

  ASSERT_EQ(app->mainForm(), nullptr);
  EXPECT_TRUE(IsFormActive(&active));
  EXPECT_FALSE(IsFormActive(&other));
  EXPECT_FALSE(IsFormActive(nullptr));  // no main form and no form: nothing is active

  app->setMainForm(&other);
  EXPECT_TRUE(IsFormActive(&other));  // the main form, while the application is active
  EXPECT_TRUE(IsFormActive(nullptr));
  EXPECT_TRUE(IsFormActive(&active));
  app->setMainForm(&active);
  EXPECT_FALSE(IsFormActive(&other));
  app->setMainForm(nullptr);
}

}  // namespace
}  // namespace kwo
