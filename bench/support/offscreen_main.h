#pragma once
// The main of a Google Benchmark program that paints: the offscreen
// platform (unless QT_QPA_PLATFORM names another), the window framework's
// application, the header and the machine it runs on in the run's context,
// then the cases.
#include <functional>
#include <string>

namespace bench {

// Adds header (as "program") and the machine to the context Google
// Benchmark reports (on standard error for the console, inside the JSON
// for --benchmark_format=json), hands the arguments to Google Benchmark
// (1 for one it does not know), registers the cases that registerCases
// adds (those of the BENCHMARK macros are registered already), runs them
// and returns main's exit status. Whatever
// registerCases makes that needs the application must go before it returns
// or in the cases themselves.
int RunOffscreenBenchmarks(int argc, char **argv, const std::string &header,
                           const std::function<void()> &registerCases = {});

}  // namespace bench
