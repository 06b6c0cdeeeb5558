// The line chart: its layout as a pure function, and what it paints.
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/ui/line_chart.h"
#include "tests/support/ui/ui_fixtures.h"

namespace {

using testsupport::UiTest;

const ui::LineChartMetrics kMetrics{14, 12, 20};

TEST(LineChartGeometryTest, PointsSpanThePlotAndGridLinesFollowTheAxis) {
  const ui::LineChartLayout g = ui::LineChartGeometry(QSize(400, 300), kMetrics, 10, 0, 100);
  ASSERT_FALSE(g.plot.isEmpty());
  EXPECT_TRUE(QRect(0, 0, 400, 300).contains(g.plot));
  EXPECT_GE(g.plot.top(), g.title.bottom());
  ASSERT_EQ(g.pointX.size(), 10u);
  EXPECT_EQ(g.pointX.front(), g.plot.left());
  EXPECT_EQ(g.pointX.back(), g.plot.right());
  EXPECT_TRUE(std::is_sorted(g.pointX.begin(), g.pointX.end()));

  ASSERT_EQ(g.grid.size(), 6u);
  for (size_t i = 0; i < g.grid.size(); ++i) EXPECT_EQ(g.grid[i].value, 20.0 * static_cast<double>(i));
  EXPECT_EQ(g.grid.front().y, g.plot.bottom());
  EXPECT_EQ(g.grid.back().y, g.plot.top());
  EXPECT_EQ(g.yOf(50), (g.plot.top() + g.plot.bottom() + 1) / 2);
  // Outside the axis a value lies outside the plot, on the right side.
  EXPECT_LT(g.yOf(150), g.plot.top());
  EXPECT_GT(g.yOf(-10), g.plot.bottom());
}

TEST(LineChartGeometryTest, DegenerateInputGivesAnEmptyButUsableLayout) {
  const struct {
    const char *what;
    QSize size;
    int count;
    double min;
    double max;
    size_t points;
  } cases[] = {
      {"zero size", QSize(0, 0), 3, 0, 100, 3},
      {"negative size", QSize(-50, -20), 2, 0, 100, 2},
      {"smaller than the margins", QSize(30, 20), 10, 0, 100, 10},
      {"negative count", QSize(400, 300), -3, 0, 100, 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    const ui::LineChartLayout g = ui::LineChartGeometry(c.size, kMetrics, c.count, c.min, c.max);
    EXPECT_EQ(g.pointX.size(), c.points);
    if (c.size.width() < 100) {
      EXPECT_TRUE(g.plot.isEmpty());
      EXPECT_GE(g.plot.width(), 0);
      EXPECT_GE(g.plot.height(), 0);
    }
    for (int x : g.pointX) {
      EXPECT_GE(x, g.plot.left());
      EXPECT_LE(x, g.plot.left() + std::max(g.plot.width() - 1, 0));
    }
    EXPECT_EQ(g.yOf(std::numeric_limits<double>::infinity()), g.yOf(std::numeric_limits<double>::quiet_NaN()));
  }
}

TEST(LineChartGeometryTest, AxisEdgeCases) {
  // One point sits in the middle.
  const ui::LineChartLayout one = ui::LineChartGeometry(QSize(400, 300), kMetrics, 1, 0, 100);
  ASSERT_EQ(one.pointX.size(), 1u);
  EXPECT_EQ(one.pointX[0], one.plot.left() + (one.plot.width() - 1) / 2);

  // An axis without extent becomes one unit wide.
  const ui::LineChartLayout flat = ui::LineChartGeometry(QSize(400, 300), kMetrics, 2, 40, 40);
  EXPECT_EQ(flat.min, 40);
  EXPECT_EQ(flat.max, 41);
  ASSERT_EQ(flat.grid.size(), 1u);
  EXPECT_EQ(flat.grid[0].value, 40);

  // A vast axis keeps the grid within bounds, on multiples of 20.
  const ui::LineChartLayout vast = ui::LineChartGeometry(QSize(400, 300), kMetrics, 2, -1e12, 1e12);
  ASSERT_FALSE(vast.grid.empty());
  EXPECT_LE(vast.grid.size(), 101u);
  for (const ui::LineChartGridLine &line : vast.grid) EXPECT_EQ(std::fmod(line.value, 20.0), 0.0);

  // Far-off values stay near the plot instead of overflowing.
  const ui::LineChartLayout g = ui::LineChartGeometry(QSize(400, 300), kMetrics, 2, 0, 100);
  EXPECT_GT(g.yOf(1e300), g.plot.top() - 5 * g.plot.height());
  EXPECT_LT(g.yOf(-1e300), g.plot.bottom() + 5 * g.plot.height());
}

class LineChartTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    chart.setBounds(0, 0, 320, 240);
    chart.SetLeftAxis(0, 100);
    chart.setTitle("Temperature");
  }
  QImage picture() { return chart.grab().toImage(); }

  ui::LineChart chart{nullptr};
};

bool isRed(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60; }

TEST_F(LineChartTest, LineIsClippedToThePlotAndTheAxisStaysFixed) {
  for (double v : {50.0, 150.0, 150.0, 50.0}) chart.Add(v, "x");
  EXPECT_EQ(chart.axisMin(), 0);
  EXPECT_EQ(chart.axisMax(), 100);
  ASSERT_EQ(chart.Points().size(), 4u);
  EXPECT_EQ(chart.Points()[1], (ui::LineChartPoint{150.0, "x"}));

  const ui::LineChartLayout g = chart.layout();
  const QImage image = picture();
  // The line reaches the top of the plot on its way out ...
  int redOnTop = 0;
  for (int x = g.pointX[0]; x <= g.pointX[1]; ++x) redOnTop += isRed(image.pixel(x, g.plot.top())) ? 1 : 0;
  EXPECT_GT(redOnTop, 0);
  // ... and its stretch above the axis is not drawn at all.
  for (int x = g.pointX[1] + 2; x < g.pointX[2] - 1; ++x) {
    EXPECT_FALSE(isRed(image.pixel(x, g.plot.top()))) << x;
  }
  // ... and nothing of it is drawn above the plot.
  for (int y = 0; y < g.plot.top(); ++y) {
    for (int x = 0; x < image.width(); ++x) ASSERT_FALSE(isRed(image.pixel(x, y))) << x << "," << y;
  }
  // The back wall is white where the line does not run.
  EXPECT_EQ(image.pixel(g.plot.left() + 2, g.plot.bottom() - 2), qRgb(255, 255, 255));
}

TEST_F(LineChartTest, OverlappingLabelsAreSkippedAndClearDrops) {
  const auto addTen = [&] {
    chart.Clear();
    for (int i = 0; i < 10; ++i) chart.Add(0, QString("12:00:%1").arg(i, 2, 10, QChar('0')));
  };
  addTen();
  chart.setBounds(0, 0, 900, 240);
  picture();
  EXPECT_EQ(chart.drawnLabels().size(), 10u);

  chart.setBounds(0, 0, 260, 240);
  picture();
  const std::vector<int> drawn = chart.drawnLabels();
  ASSERT_FALSE(drawn.empty());
  EXPECT_LT(drawn.size(), 10u);
  EXPECT_EQ(drawn.front(), 0);
  // Those drawn do not overlap: each starts past the end of the last.
  const QFontMetrics fm(chart.font());
  const ui::LineChartLayout g = chart.layout();
  for (size_t i = 1; i < drawn.size(); ++i) {
    const int w = fm.horizontalAdvance(chart.Points()[0].label);
    EXPECT_GE(g.pointX[drawn[i]] - w / 2, g.pointX[drawn[i - 1]] - w / 2 + w);
  }

  chart.Clear();
  EXPECT_TRUE(chart.Points().empty());
  picture();
  EXPECT_TRUE(chart.drawnLabels().empty());
}

TEST_F(LineChartTest, TooSmallChartPaintsWithoutAPlot) {
  chart.Add(10, "a");
  chart.setBounds(0, 0, 0, 0);
  EXPECT_TRUE(chart.layout().plot.isEmpty());
  chart.setBounds(0, 0, 20, 10);
  const QImage image = picture();
  EXPECT_EQ(image.size(), QSize(20, 10));
  EXPECT_TRUE(chart.drawnLabels().empty());
}

}  // namespace
