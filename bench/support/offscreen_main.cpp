#include "bench/support/offscreen_main.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/display_app/bench_common.h"
#include "platform/ui/application.h"

namespace bench {

int RunOffscreenBenchmarks(int argc, char **argv, const std::string &header,
                           const std::function<void()> &registerCases) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ui::Application app(argc, argv);
  // The header and the machine go into the run's context: the console
  // output shows them with the rest of the context on standard error, and
  // standard output holds nothing but the chosen format (JSON, CSV).
  benchmark::AddCustomContext("program", header);
  for (const auto &[name, value] : MachineFacts()) benchmark::AddCustomContext(name, value);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (registerCases) registerCases();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
