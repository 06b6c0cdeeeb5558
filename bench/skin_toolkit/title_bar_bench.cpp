// kwokit-title-bar-bench: one repaint of a skinned form's title bar,
// offscreen.
//
//   repaint/<style>    the title bar of a 449-pixel skinned form (pictures,
//                      four buttons with one hot, caption) rendered into a
//                      preallocated picture of its size
//   baseline/<style>   the same rectangle filled with one plain colour
//
// Each case repeats; the median and p95 of the repetitions are reported, in
// milliseconds. Target: one title-bar repaint at 449 px within 0.3 ms.
//
//   kwokit-title-bar-bench [Google Benchmark options]
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/display_app/bench_common.h"
#include "bench/support/offscreen_main.h"
#include "platform/ui/form.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/frames/kwo_title_bar.h"

namespace {

using kwo::TkwoUIStyle;

double p95(const std::vector<double> &values) { return bench::Quantile(values, 0.95); }

// A 449 x 623 form with its skinned frame; the mouse rests on the close
// button so that one button draws its hot picture.
struct SkinnedForm {
  ui::Form form{nullptr};
  kwo::TkwoForm *frame = nullptr;
  kwo::TkwoTitleBar *bar = nullptr;
  QImage picture;

  explicit SkinnedForm(TkwoUIStyle style) {
    form.setBounds(100, 80, 449, 623);
    frame = new kwo::TkwoForm(&form);
    frame->setUIStyle(style);
    frame->setCaption(QStringLiteral("Morvit LED 显示屏控制"));
    bar = frame->titleBar();
    const kwo::Rect close = bar->buttonLayout().buttons[1];
    const QPointF at((close.left + close.right) / 2.0, (close.top + close.bottom) / 2.0);
    QMouseEvent move(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    picture = QImage(bar->size(), QImage::Format_ARGB32_Premultiplied);
  }
};

void repaint(benchmark::State &state, TkwoUIStyle style) {
  SkinnedForm f(style);
  for (auto _ : state) {
    f.bar->render(&f.picture);
    benchmark::DoNotOptimize(f.picture.constBits());
  }
  state.counters["width"] = f.bar->width();
}

void baseline(benchmark::State &state, TkwoUIStyle style) {
  SkinnedForm f(style);
  const QColor c(128, 128, 128);
  for (auto _ : state) {
    QPainter painter(&f.picture);
    painter.fillRect(f.picture.rect(), c);
    painter.end();
    benchmark::DoNotOptimize(f.picture.constBits());
  }
}

void registerCases() {
  const struct {
    const char *name;
    TkwoUIStyle style;
  } styles[] = {{"MacOS", TkwoUIStyle::MacOS},
                {"WinXP", TkwoUIStyle::WinXP},
                {"DeepBlue", TkwoUIStyle::DeepBlue},
                {"Protein", TkwoUIStyle::Protein},
                {"BlueGlass", TkwoUIStyle::BlueGlass}};
  for (const auto &s : styles) {
    for (bool plain : {false, true}) {
      const std::string name = std::string(plain ? "baseline/" : "repaint/") + s.name;
      auto *b = plain ? benchmark::RegisterBenchmark(name.c_str(), baseline, s.style)
                      : benchmark::RegisterBenchmark(name.c_str(), repaint, s.style);
      b->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->MinTime(0.2)
          ->Repetitions(15)
          ->ComputeStatistics("p95", p95)
          ->ReportAggregatesOnly(true);
    }
  }
}

}  // namespace

int main(int argc, char **argv) {
  return bench::RunOffscreenBenchmarks(
      argc, argv, "target: one title-bar repaint at 449 px <= 0.3 ms (repaint/<style> median)", registerCases);
}
