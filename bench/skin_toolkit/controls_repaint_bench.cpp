// One repaint of the track bar, the scroll bar and the list box, in two
// looks, against a plain widget of the same size that fills itself (and the
// list box against a plain list widget too); and a track bar whose ticks
// span the whole int range.
#include <QCoreApplication>
#include <QListWidget>
#include <benchmark/benchmark.h>

#include <climits>

#include "bench/support/filled_widget.h"
#include "bench/support/offscreen_main.h"
#include "bench/support/shown_form.h"
#include "platform/ui/form.h"
#include "skin_toolkit/controls/kwo_list_box.h"
#include "skin_toolkit/controls/kwo_scroll_bar.h"
#include "skin_toolkit/controls/kwo_track_bar.h"

namespace {

using bench::RepaintLoop;
using kwo::TkwoUIStyle;

TkwoUIStyle styleOf(const benchmark::State &state) {
  return state.range(0) == 0 ? TkwoUIStyle::WinXP : TkwoUIStyle::BlueGlass;
}

std::unique_ptr<ui::Form> makeForm() { return bench::ShownForm(400, 400); }

void BM_TrackBar300(benchmark::State &state) {
  auto form = makeForm();
  auto *bar = new kwo::TkwoTrackBar(form.get());
  bar->setParentControl(form.get());
  bar->setUIStyle(styleOf(state));
  bar->setBounds(0, 0, 300, 30);
  bar->setMin(-1024);
  bar->setMax(1023);
  bar->setFrequency(16);
  RepaintLoop(state, *bar);
}
BENCHMARK(BM_TrackBar300)->Arg(0)->Arg(1)->ArgName("blueGlass")->Unit(benchmark::kMicrosecond);

void BM_TrackBarWholeIntRange(benchmark::State &state) {
  auto form = makeForm();
  auto *bar = new kwo::TkwoTrackBar(form.get());
  bar->setParentControl(form.get());
  bar->setUIStyle(TkwoUIStyle::WinXP);
  bar->setBounds(0, 0, 300, 30);
  bar->setMin(INT_MIN);
  bar->setMax(INT_MAX);
  bar->setFrequency(1);
  RepaintLoop(state, *bar);
}
BENCHMARK(BM_TrackBarWholeIntRange)->Unit(benchmark::kMicrosecond);

void BM_ScrollBar17x200(benchmark::State &state) {
  auto form = makeForm();
  auto *bar = new kwo::TkwoScrollBar(form.get());
  bar->setParentControl(form.get());
  bar->setUIStyle(styleOf(state));
  bar->setOrientation(kwo::TkwoProgressBarOrientation::kwoVertical);
  bar->setBounds(0, 0, 17, 200);
  RepaintLoop(state, *bar);
}
BENCHMARK(BM_ScrollBar17x200)->Arg(0)->Arg(1)->ArgName("blueGlass")->Unit(benchmark::kMicrosecond);

void BM_ListBox100(benchmark::State &state) {
  auto form = makeForm();
  auto *list = new kwo::TkwoListBox(form.get());
  list->setParentControl(form.get());
  list->setUIStyle(styleOf(state));
  list->setBounds(0, 0, 200, 150);
  for (int i = 0; i < 100; ++i) list->addItem(QStringLiteral("Item %1").arg(i));
  auto *bar = new kwo::TkwoScrollBar(form.get());
  bar->setParentControl(form.get());
  list->setVScrollBar(bar);
  QCoreApplication::processEvents();
  RepaintLoop(state, *list);
}
BENCHMARK(BM_ListBox100)->Arg(0)->Arg(1)->ArgName("blueGlass")->Unit(benchmark::kMicrosecond);

// What the platform's own list costs: the same 100 rows in a plain list
// widget of the list box's size, without the skin's frame and bar.
void BM_PlainListWidget100(benchmark::State &state) {
  QListWidget list;
  list.resize(200, 150);
  for (int i = 0; i < 100; ++i) list.addItem(QStringLiteral("Item %1").arg(i));
  list.show();
  QCoreApplication::processEvents();
  RepaintLoop(state, list);
}
BENCHMARK(BM_PlainListWidget100)->Unit(benchmark::kMicrosecond);

void BM_BaselineFilled(benchmark::State &state) {
  bench::FilledWidget widget;
  widget.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  RepaintLoop(state, widget);
}
// The sizes above: the track bar, the scroll bar, the list box.
BENCHMARK(BM_BaselineFilled)->Args({300, 21})->Args({17, 200})->Args({200, 150})->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
  return bench::RunOffscreenBenchmarks(
      argc, argv, "one repaint: target <= 0.5 ms and <= 10 x the baseline; the whole int range at F 1: <= 1 ms");
}
