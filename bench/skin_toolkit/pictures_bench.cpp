// kwokit-pictures-bench: drawing every built-in picture, offscreen.
//
//   cold        the cache emptied before each iteration, then every picture
//               (the five looks' items, the bitmaps loaded by name and both
//               sizes of the icon) drawn once; target <= 30 ms
//   baseline    the same calls on a warm cache
//
// Each case repeats; the median and p95 of the repetitions are reported, in
// milliseconds.
//
//   kwokit-pictures-bench [Google Benchmark options]
#include <QImage>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/display_app/bench_common.h"
#include "bench/support/offscreen_main.h"
#include "skin_toolkit/themes/builtin_pictures.h"

namespace {

const std::vector<std::string> &names() {
  static const std::vector<std::string> all = kwo::BuiltInBitmapNames();
  return all;
}

void drawAll() {
  for (const std::string &name : names()) benchmark::DoNotOptimize(kwo::BuiltInBitmap(name.c_str()).constBits());
  benchmark::DoNotOptimize(kwo::MainIconPicture(kwo::kMainIconSmallSize).constBits());
}

void cold(benchmark::State &state) {
  for (auto _ : state) {
    state.PauseTiming();
    kwo::detail::ClearBuiltInBitmapCache();
    state.ResumeTiming();
    drawAll();
  }
  state.counters["pictures"] = static_cast<double>(names().size() + 1);
}

void warm(benchmark::State &state) {
  drawAll();
  for (auto _ : state) drawAll();
}

double p95(const std::vector<double> &values) { return bench::Quantile(values, 0.95); }

void configure(benchmark::internal::Benchmark *b) {
  b->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.2)->Repetitions(15);
  b->ComputeStatistics("p95", p95)->ReportAggregatesOnly(true);
}

}  // namespace

int main(int argc, char **argv) {
  return bench::RunOffscreenBenchmarks(
      argc, argv, "every built-in picture drawn cold: target <= 30 ms (baseline: the warm cache)", [] {
        configure(benchmark::RegisterBenchmark("cold", cold));
        configure(benchmark::RegisterBenchmark("baseline/warm", warm));
      });
}
