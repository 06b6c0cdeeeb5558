#include "offscreen_main.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "application.h"
#include "bench_common.h"

namespace bench {

int RunOffscreenBenchmarks(int argc, char **argv, const std::string &header,
                           const std::function<void()> &registerCases) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ui::Application app(argc, argv);
  std::printf("%s\n%s", header.c_str(), MachineDescription().c_str());
  std::fflush(stdout);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (registerCases) registerCases();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
