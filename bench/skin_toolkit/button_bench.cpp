// One repaint of a themed push button, in the WinXP and BlueGlass looks,
// against a same-size plain widget that fills itself. Offscreen.
#include <benchmark/benchmark.h>

#include "bench/support/filled_widget.h"
#include "bench/support/offscreen_main.h"
#include "bench/support/shown_form.h"
#include "skin_toolkit/controls/kwo_button.h"

namespace {

// Each paint renders the widget into an image of its size, as the backing
// store gets it (the parent's background under it included).
void buttonRepaint(benchmark::State &state, kwo::TkwoUIStyle style) {
  auto form = bench::ShownForm(200, 120);
  auto *button = new kwo::TkwoButton(form.get());
  button->setParentControl(form.get());
  button->setBounds(10, 10, 80, 27);
  button->setCaption(QStringLiteral("确定"));
  button->setUIStyle(style);
  bench::RepaintLoop(state, *button);
}

void BM_ButtonRepaintWinXP(benchmark::State &state) { buttonRepaint(state, kwo::TkwoUIStyle::WinXP); }
void BM_ButtonRepaintBlueGlass(benchmark::State &state) { buttonRepaint(state, kwo::TkwoUIStyle::BlueGlass); }

void BM_FilledWidgetRepaint(benchmark::State &state) {
  auto form = bench::ShownForm(200, 120);
  bench::FilledWidget widget(form.get());
  widget.setGeometry(10, 50, 80, 27);
  widget.show();
  bench::RepaintLoop(state, widget);
}

BENCHMARK(BM_FilledWidgetRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ButtonRepaintWinXP)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ButtonRepaintBlueGlass)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
  return bench::RunOffscreenBenchmarks(argc, argv, "one button repaint: target <= 0.5 ms and <= 10 x the baseline");
}
