#pragma once
// A small line chart: a title, a back wall, a fixed left axis with a grid
// line every 20 units, and one series of labelled points drawn as a
// polyline. The labels along the bottom are drawn left to right, and one
// that would overlap the last drawn label is skipped. The line is clipped
// to the plot, so values outside the axis leave it at the edge.
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

// What the layout needs to know about the fonts, in pixels.
struct LineChartMetrics {
  int titleHeight = 0;     // the title's line height (0: no title line)
  int textHeight = 0;      // the labels' line height
  int axisLabelWidth = 0;  // the widest axis label
};

struct LineChartGridLine {
  double value = 0;
  int y = 0;
};

// Where the parts of a chart go, in the chart's coordinates.
struct LineChartLayout {
  QRect title;
  QRect plot;                          // the back wall; empty when nothing fits
  std::vector<int> pointX;             // one per point, left to right
  std::vector<LineChartGridLine> grid;  // from the axis minimum upward
  double min = 0;
  double max = 100;

  // The pixel row of a value; values outside the axis lie outside the plot
  // (held to a few plot heights, so far-off values stay drawable).
  int yOf(double value) const;
};

// The layout of a chart of the given size holding count points (a count
// below 0 counts as 0) on the axis min..max (max <= min is read as
// min..min+1). Grid lines lie on the multiples of 20 within the axis, at
// most 101 of them: a wider axis spaces them by a multiple of 20.
LineChartLayout LineChartGeometry(QSize size, const LineChartMetrics &metrics, int count, double min, double max);

struct LineChartPoint {
  double value = 0;
  QString label;
  bool operator==(const LineChartPoint &) const = default;
};

class LineChart : public Control {
  Q_OBJECT
 public:
  explicit LineChart(Component *owner);

  const QString &title() const { return title_; }
  void setTitle(const QString &title);
  platform::TColor backWallColor() const { return backWall_; }
  void setBackWallColor(platform::TColor color);

  // The left axis runs from min to max whatever the values.
  void SetLeftAxis(double min, double max);
  double axisMin() const { return min_; }
  double axisMax() const { return max_; }

  // The series.
  void Clear();
  void Add(double value, const QString &label);
  const std::vector<LineChartPoint> &Points() const { return points_; }
  platform::TColor seriesColor() const { return seriesColor_; }
  void setSeriesColor(platform::TColor color);

  // The layout for the chart's present size and fonts.
  LineChartLayout layout() const;
  // The labels the last paint drew, by point index.
  const std::vector<int> &drawnLabels() const { return drawnLabels_; }

 protected:
  void paint(QPainter &painter) override;

 private:
  QFont titleFont() const;
  void paintAxis(QPainter &painter, const LineChartLayout &geometry);
  void paintLabels(QPainter &painter, const LineChartLayout &geometry);
  void paintSeries(QPainter &painter, const LineChartLayout &geometry);

  QString title_;
  platform::TColor backWall_ = platform::clWhite;
  platform::TColor seriesColor_ = platform::RGB(255, 0, 0);
  double min_ = 0;
  double max_ = 100;
  std::vector<LineChartPoint> points_;
  std::vector<int> drawnLabels_;
};

}  // namespace ui
