// morvit-led-panel-paint-bench: repainting the LED panel, offscreen.
//
//   A/<units>/<cell>   the monitor's view: a 535 x 487 panel holding the LED
//                      panel scrolled to the screen's middle; one iteration
//                      renders that panel into a preallocated picture
//   B/<units>/12       the whole LED panel at 12 pixels a cell
//   baseline/...       the same pictures painted cell by cell over the whole
//                      matrix, each cell looked up in the model on its own
//
// <units> is the side of a square screen (100 x 100 or 256 x 256 units) in
// the demonstration states. Each case repeats; the median and p95 of the
// repetitions are reported, in milliseconds.
//
//   morvit-led-panel-paint-bench [Google Benchmark options]
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/display_app/bench_common.h"
#include "bench/display_app/reference_led_paint.h"
#include "bench/support/offscreen_main.h"
#include "display_app/views/led_panel.h"
#include "platform/ui/panel.h"

namespace {

constexpr int kViewWidth = 535;
constexpr int kViewHeight = 487;

// Screens are built once and shared by every case.
morvit::TLedPanelData &screen(int side) {
  static std::map<int, std::unique_ptr<morvit::TLedPanelData>> screens;
  std::unique_ptr<morvit::TLedPanelData> &s = screens[side];
  if (!s) {
    s = std::make_unique<morvit::TLedPanelData>(side * side);
    s->FillDemoUnits(side, side);
  }
  return *s;
}

void attach(morvit::TLedPanel &panel, int side, int cellSize) {
  panel.SetPanelData(&screen(side));
  panel.SetCols(side);
  panel.SetRows(side);
  panel.SetCellSize(cellSize);
}

// The monitor's view scrolled to the middle of the screen.
struct MonitorView {
  ui::Panel host{nullptr};
  morvit::TLedPanel panel{nullptr};
  QImage picture{kViewWidth, kViewHeight, QImage::Format_ARGB32_Premultiplied};

  MonitorView(int side, int cellSize) {
    host.setBounds(0, 0, kViewWidth, kViewHeight);
    panel.setParentControl(&host);
    attach(panel, side, cellSize);
    panel.setBounds(-(panel.width() - kViewWidth) / 2, -(panel.height() - kViewHeight) / 2, panel.width(),
                    panel.height());
  }
};

double p95(const std::vector<double> &values) { return bench::Quantile(values, 0.95); }

void monitorView(benchmark::State &state, int side, int cellSize) {
  MonitorView view(side, cellSize);
  for (auto _ : state) {
    view.host.render(&view.picture);
    benchmark::DoNotOptimize(view.picture.constBits());
  }
}

void monitorViewBaseline(benchmark::State &state, int side, int cellSize) {
  MonitorView view(side, cellSize);
  for (auto _ : state) {
    QPainter painter(&view.picture);
    painter.translate(view.panel.pos());
    reference::PaintLedPanel(painter, view.panel);
    painter.end();
    benchmark::DoNotOptimize(view.picture.constBits());
  }
}

void wholePanel(benchmark::State &state, int side, bool baseline) {
  morvit::TLedPanel panel(nullptr);
  attach(panel, side, 12);
  QImage picture(panel.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    if (baseline) {
      QPainter painter(&picture);
      reference::PaintLedPanel(painter, panel);
    } else {
      panel.render(&picture);
    }
    benchmark::DoNotOptimize(picture.constBits());
  }
}

void configure(benchmark::internal::Benchmark *b, int side, bool baseline) {
  b->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("p95", p95)->ReportAggregatesOnly(true);
  // The baseline of the larger screen looks each of 65,536 cells up among
  // 65,536 units: about a second a picture.
  if (baseline && side > 100) {
    b->Iterations(1)->Repetitions(3);
  } else {
    b->MinTime(0.2)->Repetitions(15);
  }
}

void registerCases() {
  for (int side : {100, 256}) {
    for (int cellSize : {12, 64, 256}) {
      const std::string suffix = "/" + std::to_string(side) + "/" + std::to_string(cellSize);
      configure(benchmark::RegisterBenchmark(("A" + suffix).c_str(), monitorView, side, cellSize), side, false);
      configure(benchmark::RegisterBenchmark(("baseline/A" + suffix).c_str(), monitorViewBaseline, side, cellSize),
                side, true);
    }
    const std::string suffix = "/" + std::to_string(side) + "/12";
    configure(benchmark::RegisterBenchmark(("B" + suffix).c_str(), wholePanel, side, false), side, false);
    configure(benchmark::RegisterBenchmark(("baseline/B" + suffix).c_str(), wholePanel, side, true), side, true);
  }
}

}  // namespace

int main(int argc, char **argv) {
  return bench::RunOffscreenBenchmarks(argc, argv, "LED panel repaint, offscreen", registerCases);
}
