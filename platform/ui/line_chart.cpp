#include "platform/ui/line_chart.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/ui/color.h"

namespace ui {
namespace {

constexpr int kPad = 6;
constexpr int kTickGap = 4;
constexpr int kLabelGap = 4;
constexpr double kGridStep = 20;
constexpr int64_t kMaxGridLines = 101;

struct Axis {
  double min;
  double max;
};

Axis sanitisedAxis(double min, double max) {
  if (!std::isfinite(min)) min = 0;
  if (!std::isfinite(max) || max <= min) max = min + 1;
  return {min, max};
}

QString axisText(double value) { return QString::number(value, 'g', 10); }

}  // namespace

int LineChartLayout::yOf(double value) const {
  const int h = plot.height();
  const int bottom = plot.top() + std::max(h, 1) - 1;
  if (h <= 1 || !std::isfinite(value)) return bottom;
  const double y = bottom - (value - min) / (max - min) * (h - 1);
  if (!std::isfinite(y)) return bottom;
  // Far-off values are held a few plot heights away, inside int.
  const double limit = 4.0 * h;
  return static_cast<int>(std::lround(std::clamp(y, plot.top() - limit, bottom + limit)));
}

LineChartLayout LineChartGeometry(QSize size, const LineChartMetrics &metrics, int count, double min, double max) {
  LineChartLayout result;
  const Axis axis = sanitisedAxis(min, max);
  result.min = axis.min;
  result.max = axis.max;

  const int w = std::max(size.width(), 0);
  const int h = std::max(size.height(), 0);
  const int titleHeight = std::max(metrics.titleHeight, 0);
  const int textHeight = std::max(metrics.textHeight, 0);
  int top = kPad + textHeight / 2;
  if (titleHeight > 0) {
    result.title = QRect(0, kPad, w, titleHeight);
    top = std::max(top, kPad + titleHeight + kPad);
  }
  const int left = kPad + std::max(metrics.axisLabelWidth, 0) + kTickGap;
  const int right = w - 2 * kPad;
  const int bottom = h - kPad - textHeight - kLabelGap / 2;
  result.plot = QRect(left, top, std::max(right - left, 0), std::max(bottom - top, 0));
  if (result.plot.width() <= 0 || result.plot.height() <= 0) result.plot = QRect(left, top, 0, 0);

  const int n = std::max(count, 0);
  result.pointX.reserve(static_cast<size_t>(n));
  const int64_t span = std::max(result.plot.width() - 1, 0);
  for (int i = 0; i < n; ++i) {
    const int64_t offset = n == 1 ? span / 2 : span * i / (n - 1);
    result.pointX.push_back(left + static_cast<int>(offset));
  }

  const double first = std::ceil(axis.min / kGridStep) * kGridStep;
  const double lines = std::floor((axis.max - first) / kGridStep) + 1;
  if (std::isfinite(lines) && lines >= 1) {
    const double spacing = kGridStep * std::ceil(lines / static_cast<double>(kMaxGridLines));
    for (int64_t i = 0; i < kMaxGridLines; ++i) {
      const double value = first + static_cast<double>(i) * spacing;
      if (value > axis.max) break;
      result.grid.push_back({value, result.yOf(value)});
    }
  }
  return result;
}

LineChart::LineChart(Component *owner) : Control(owner) { setColor(platform::clWhite); }

void LineChart::setTitle(const QString &title) {
  title_ = title;
  update();
}

void LineChart::setBackWallColor(platform::TColor color) {
  backWall_ = color;
  update();
}

void LineChart::SetLeftAxis(double min, double max) {
  const Axis axis = sanitisedAxis(min, max);
  min_ = axis.min;
  max_ = axis.max;
  update();
}

void LineChart::Clear() {
  points_.clear();
  update();
}

void LineChart::Add(double value, const QString &label) {
  points_.push_back({value, label});
  update();
}

void LineChart::setSeriesColor(platform::TColor color) {
  seriesColor_ = color;
  update();
}

QFont LineChart::titleFont() const {
  QFont f = font();
  f.setBold(true);
  return f;
}

LineChartLayout LineChart::layout() const {
  const QFontMetrics text(font());
  int axisWidth = 0;
  const LineChartLayout probe = LineChartGeometry(size(), {}, 0, min_, max_);
  for (const LineChartGridLine &line : probe.grid) {
    axisWidth = std::max(axisWidth, text.horizontalAdvance(axisText(line.value)));
  }
  const LineChartMetrics metrics{title_.isEmpty() ? 0 : QFontMetrics(titleFont()).height(), text.height(),
                                 axisWidth};
  return LineChartGeometry(size(), metrics, static_cast<int>(std::min<size_t>(points_.size(), INT32_MAX)), min_,
                           max_);
}

void LineChart::paint(QPainter &painter) {
  const LineChartLayout geometry = layout();
  painter.fillRect(rect(), toQColor(color()));
  if (!title_.isEmpty()) {
    painter.setFont(titleFont());
    painter.setPen(Qt::black);
    painter.drawText(geometry.title, Qt::AlignCenter | Qt::TextSingleLine, title_);
  }
  painter.setFont(font());
  drawnLabels_.clear();
  if (geometry.plot.isEmpty()) return;
  painter.fillRect(geometry.plot, toQColor(backWall_));
  paintAxis(painter, geometry);
  paintLabels(painter, geometry);
  paintSeries(painter, geometry);
}

void LineChart::paintAxis(QPainter &painter, const LineChartLayout &geometry) {
  const QRect &plot = geometry.plot;
  const QFontMetrics text(font());
  for (const LineChartGridLine &line : geometry.grid) {
    painter.setPen(QColor(192, 192, 192));
    painter.drawLine(plot.left(), line.y, plot.right(), line.y);
    painter.setPen(Qt::black);
    const QString label = axisText(line.value);
    const int x = plot.left() - kTickGap - text.horizontalAdvance(label);
    painter.drawText(QRect(x, line.y - text.height() / 2, text.horizontalAdvance(label), text.height()),
                     Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, label);
  }
  painter.setPen(Qt::black);
  painter.drawLine(plot.left(), plot.top(), plot.left(), plot.bottom());
  painter.drawLine(plot.left(), plot.bottom(), plot.right(), plot.bottom());
}

void LineChart::paintLabels(QPainter &painter, const LineChartLayout &geometry) {
  const QFontMetrics text(font());
  const int y = geometry.plot.bottom() + 1 + kLabelGap / 2;
  bool any = false;
  int lastRight = 0;
  painter.setPen(Qt::black);
  for (size_t i = 0; i < geometry.pointX.size() && i < points_.size(); ++i) {
    const QString &label = points_[i].label;
    const int w = text.horizontalAdvance(label);
    const int x = geometry.pointX[i] - w / 2;
    if (any && x < lastRight + kLabelGap) continue;
    painter.drawText(QRect(x, y, w, text.height()), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, label);
    drawnLabels_.push_back(static_cast<int>(i));
    lastRight = x + w;
    any = true;
  }
}

void LineChart::paintSeries(QPainter &painter, const LineChartLayout &geometry) {
  painter.save();
  painter.setClipRect(geometry.plot);
  painter.setPen(QPen(toQColor(seriesColor_), 1));
  QPolygon run;
  const auto flush = [&] {
    if (run.size() == 1) painter.drawPoint(run.front());
    if (run.size() > 1) painter.drawPolyline(run);
    run.clear();
  };
  for (size_t i = 0; i < geometry.pointX.size() && i < points_.size(); ++i) {
    // A value that is no number breaks the line.
    if (!std::isfinite(points_[i].value)) {
      flush();
      continue;
    }
    run << QPoint(geometry.pointX[i], geometry.yOf(points_[i].value));
  }
  flush();
  painter.restore();
}

}  // namespace ui
