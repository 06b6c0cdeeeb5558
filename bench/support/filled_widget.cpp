#include "bench/support/filled_widget.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace bench {

FilledWidget::FilledWidget(QWidget *parent, QColor fill) : QWidget(parent), fill_(fill) {}

void FilledWidget::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.fillRect(rect(), fill_);
}

void RepaintLoop(benchmark::State &state, QWidget &widget) {
  QImage target(widget.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    widget.render(&target);
    benchmark::DoNotOptimize(target.constBits());
  }
}

}  // namespace bench
