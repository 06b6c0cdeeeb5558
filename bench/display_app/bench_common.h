#pragma once
// Helpers the display program's benchmarks share: clocks, figures, the
// machine they ran on, and the demo's files.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// The run count of "PROGRAM [RUNS]": fallback without one, nothing (after a
// usage line on stderr) for anything but a number in 1..1000.
std::optional<int> RunsArgument(int argc, char **argv, int fallback);

// The resident memory of a running process (VmRSS) in MB.
std::optional<double> ReadRssMb(pid_t pid);

// Seconds of CLOCK_MONOTONIC.
double MonotonicSeconds();

// The p-quantile (0..1) of values by nearest rank; 0 for none.
double Quantile(std::vector<double> values, double p);

// "n=20 median=.. p90=.. p99=.. min=.. max=.." with the unit after each.
std::string Summary(const std::vector<double> &values, const char *unit);

// The machine a run is on: "machine" (CPU model, cores, memory), "kernel"
// and "build" (optimised or not), with their values.
std::vector<std::pair<std::string, std::string>> MachineFacts();
// The same as lines "machine: ...", "kernel:  ...", "build:   ...".
std::string MachineDescription();

// A fresh directory under the system temporary directory.
std::filesystem::path MakeTempDir(const char *prefix);

// The demo's "User.ini" (the template with port in place, code page 936)
// written into dir.
void WriteDemoUserIni(const std::filesystem::path &template_path, const std::filesystem::path &dir, uint16_t port);

}  // namespace bench
