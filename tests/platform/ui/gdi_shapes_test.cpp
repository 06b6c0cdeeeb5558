// Shapes with exclusive right and bottom edges: exactly the pixels of their
// bounds, outlined in the pen and filled with the brush.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>

#include "platform/ui/gdi_shapes.h"
#include "tests/support/ui/ui_fixtures.h"

namespace {

constexpr QRgb kBack = 0xFFFFFFFF;
constexpr QRgb kPen = 0xFFFF0000;
constexpr QRgb kBrush = 0xFF0000FF;

using Draw = std::function<void(QPainter &)>;

QImage paint(const Draw &draw, bool pen = true, bool brush = true) {
  QImage img(20, 20, QImage::Format_RGB32);
  img.fill(kBack);
  QPainter p(&img);
  p.setPen(pen ? QPen(QColor(kPen), 1) : QPen(Qt::NoPen));
  p.setBrush(brush ? QBrush(QColor(kBrush)) : QBrush(Qt::NoBrush));
  draw(p);
  return img;
}

// The smallest rectangle holding every pixel that is not the background.
QRect touched(const QImage &img) {
  QRect r;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      if (img.pixel(x, y) != kBack) r |= QRect(x, y, 1, 1);
    }
  }
  return r;
}

TEST(GdiShapes, StayInsideExclusiveBounds) {
  struct Case {
    const char *what;
    Draw draw;
  } cases[] = {
      {"rectangle", [](QPainter &p) { ui::gdiRectangle(p, 2, 3, 12, 9); }},
      {"rectangle given the wrong way round", [](QPainter &p) { ui::gdiRectangle(p, 12, 9, 2, 3); }},
      {"ellipse", [](QPainter &p) { ui::gdiEllipse(p, 2, 3, 12, 9); }},
      {"round rect", [](QPainter &p) { ui::gdiRoundRect(p, 2, 3, 12, 9, 4, 4); }},
  };
  for (const Case &c : cases) EXPECT_EQ(touched(paint(c.draw)), QRect(2, 3, 10, 6)) << c.what;
}

TEST(GdiShapes, RectangleOutlinesItsEdgePixelsAndFillsTheRest) {
  const QImage img = paint([](QPainter &p) { ui::gdiRectangle(p, 1, 1, 5, 5); });
  for (int y = 1; y < 5; ++y) {
    for (int x = 1; x < 5; ++x) {
      const bool edge = x == 1 || x == 4 || y == 1 || y == 4;
      EXPECT_EQ(img.pixel(x, y), edge ? kPen : kBrush) << x << "," << y;
    }
  }
}

TEST(GdiShapes, RoundRectRadiusIsHalfTheCornerSize) {
  // A 4 x 4 corner cuts the corner pixel and leaves the edges' middles.
  const QImage img = paint([](QPainter &p) { ui::gdiRoundRect(p, 0, 0, 12, 12, 4, 4); });
  EXPECT_EQ(img.pixel(0, 0), kBack);
  EXPECT_EQ(img.pixel(11, 11), kBack);
  EXPECT_EQ(img.pixel(0, 6), kPen);
  EXPECT_EQ(img.pixel(6, 0), kPen);
  EXPECT_EQ(img.pixel(2, 2), kBrush);
  // Corners of 12 x 12 make a circle: its bounding corners stay clear.
  const QImage circle = paint([](QPainter &p) { ui::gdiRoundRect(p, 0, 0, 12, 12, 12, 12); });
  EXPECT_EQ(circle.pixel(1, 1), kBack);
  EXPECT_EQ(circle.pixel(6, 6), kBrush);
}

TEST(GdiShapes, EmptyBoundsDrawNothingAndThinOnesOnlyTheirLine) {
  EXPECT_TRUE(touched(paint([](QPainter &p) { ui::gdiRectangle(p, 3, 3, 3, 9); })).isNull());
  EXPECT_TRUE(touched(paint([](QPainter &p) { ui::gdiEllipse(p, 3, 3, 9, 3); })).isNull());
  EXPECT_EQ(touched(paint([](QPainter &p) { ui::gdiRectangle(p, 3, 3, 4, 9); })), QRect(3, 3, 1, 6));
  // Without a pen only the inside is filled, one pixel short on the right
  // and at the bottom, as the bounds are exclusive.
  EXPECT_EQ(touched(paint([](QPainter &p) { ui::gdiRectangle(p, 2, 2, 6, 6); }, false)), QRect(2, 2, 3, 3));
}

}  // namespace
