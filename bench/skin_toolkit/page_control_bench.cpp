// kwokit-page-control-bench: one repaint of a page control with seven tabs,
// offscreen.
//
//   page_control7/<style>   a 384 x 160 page control with a page per
//                           weekday (strip, border and the active page),
//                           rendered into a preallocated picture
//   baseline                a same-size widget that fills itself
//
//   kwokit-page-control-bench [Google Benchmark options]
#include <QCoreApplication>
#include <QString>
#include <benchmark/benchmark.h>

#include "bench/support/filled_widget.h"
#include "bench/support/offscreen_main.h"
#include "bench/support/shown_form.h"
#include "platform/ui/form.h"
#include "skin_toolkit/controls/kwo_page_control.h"

namespace {

constexpr int kWidth = 384;
constexpr int kHeight = 160;

void pageControlRepaint(benchmark::State &state, kwo::TkwoUIStyle style) {
  auto form = bench::ShownForm(420, 200);
  auto *pc = new kwo::TkwoPageControl(form.get());
  pc->setParentControl(form.get());
  pc->setUIStyle(style);
  pc->setBounds(8, 8, kWidth, kHeight);
  for (const char *day : {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}) {
    auto *sheet = new kwo::TkwoTabSheet(form.get());
    sheet->setPageControl(pc);
    sheet->setCaption(QString::fromLatin1(day));
  }
  pc->activatePageIndex(2);
  QCoreApplication::processEvents();
  bench::RepaintLoop(state, *pc);
}

void baseline(benchmark::State &state) {
  bench::FilledWidget widget;
  widget.resize(kWidth, kHeight);
  bench::RepaintLoop(state, widget);
}

void registerCases() {
  benchmark::RegisterBenchmark("page_control7/WinXP", pageControlRepaint, kwo::TkwoUIStyle::WinXP)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("page_control7/BlueGlass", pageControlRepaint, kwo::TkwoUIStyle::BlueGlass)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("baseline", baseline)->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char **argv) {
  return bench::RunOffscreenBenchmarks(
      argc, argv, "one repaint of a seven-tab page control: target <= 0.5 ms and <= 10 x the baseline", registerCases);
}
