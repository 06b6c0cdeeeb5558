// kwokit-page-control-bench: one repaint of a page control with seven tabs,
// offscreen.
//
//   BM_PageControl7/<look>   a 384 x 160 page control with a page per
//                            weekday (strip, border and the active page),
//                            rendered into a picture made once;
//                            look 0 WinXP, 1 BlueGlass
//   BM_Baseline              a same-size widget that fills itself
//
//   kwokit-page-control-bench [Google Benchmark options]
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <memory>

#include "form.h"
#include "kwo_page_control.h"

namespace {

constexpr int kWidth = 384;
constexpr int kHeight = 160;

class FilledWidget : public QWidget {
 protected:
  void paintEvent(QPaintEvent *) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(236, 233, 216));
  }
};

void repaintLoop(benchmark::State &state, QWidget &widget) {
  QImage target(widget.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    widget.render(&target);
    benchmark::DoNotOptimize(target.constBits());
  }
}

void BM_PageControl7(benchmark::State &state) {
  auto form = std::make_unique<ui::Form>(nullptr);
  form->setBounds(0, 0, 420, 200);
  auto *pc = new kwo::TkwoPageControl(form.get());
  pc->setParentControl(form.get());
  pc->setUIStyle(state.range(0) == 0 ? kwo::TkwoUIStyle::WinXP : kwo::TkwoUIStyle::BlueGlass);
  pc->setBounds(8, 8, kWidth, kHeight);
  for (const char *day : {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}) {
    auto *sheet = new kwo::TkwoTabSheet(form.get());
    sheet->setPageControl(pc);
    sheet->setCaption(QString::fromLatin1(day));
  }
  pc->activatePageIndex(2);
  form->show();
  QCoreApplication::processEvents();
  repaintLoop(state, *pc);
}
BENCHMARK(BM_PageControl7)->Arg(0)->Arg(1)->ArgName("blueGlass")->Unit(benchmark::kMicrosecond);

void BM_Baseline(benchmark::State &state) {
  FilledWidget widget;
  widget.resize(kWidth, kHeight);
  repaintLoop(state, widget);
}
BENCHMARK(BM_Baseline)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
