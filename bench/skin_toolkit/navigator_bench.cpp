// kwokit-navigator-bench: one repaint of the data-set navigator, offscreen.
//
//   navigator/<style>   a 250 x 30 navigator on an open five-record set,
//                       rendered into a preallocated picture
//   baseline            a same-size widget that fills itself
//
//   kwokit-navigator-bench [Google Benchmark options]
#include <benchmark/benchmark.h>

#include "bench/support/filled_widget.h"
#include "bench/support/offscreen_main.h"
#include "platform/ui/data_set.h"
#include "platform/ui/panel.h"
#include "skin_toolkit/controls/db_navigator.h"

namespace {

// Five records that never change: enough for the navigator's enabling.
class FixedDataSet : public ui::DataSet {
 public:
  using ui::DataSet::DataSet;
  int recordCount() const override { return 5; }
};

void navigatorRepaint(benchmark::State &state, kwo::TkwoUIStyle style) {
  ui::Panel host(nullptr);
  host.setBounds(0, 0, 250, 30);
  auto *set = new FixedDataSet(&host);
  auto *source = new ui::DataSource(&host);
  source->setDataSet(set);
  set->setActive(true);
  auto *nav = new kwo::TkwoDBNavigator(&host);
  nav->setParentControl(&host);
  nav->setDataSource(source);
  nav->setUIStyle(style);
  bench::RepaintLoop(state, *nav);
}

void baseline(benchmark::State &state) {
  bench::FilledWidget widget(nullptr, QColor(212, 208, 200));
  widget.resize(250, 30);
  bench::RepaintLoop(state, widget);
}

void registerCases() {
  benchmark::RegisterBenchmark("navigator/WinXP", navigatorRepaint, kwo::TkwoUIStyle::WinXP)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("navigator/BlueGlass", navigatorRepaint, kwo::TkwoUIStyle::BlueGlass)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("baseline", baseline)->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char **argv) {
  return bench::RunOffscreenBenchmarks(argc, argv, "one navigator repaint: target <= 0.5 ms and <= 10 x the baseline",
                                       registerCases);
}
