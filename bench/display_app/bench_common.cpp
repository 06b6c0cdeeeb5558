#include "bench/display_app/bench_common.h"

#include <stdlib.h>
#include <sys/utsname.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include "platform/cp936.h"

namespace bench {

std::optional<int> RunsArgument(int argc, char **argv, int fallback) {
  if (argc < 2) return fallback;
  const std::string_view text = argv[1];
  int runs = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), runs);
  if (ec != std::errc() || end != text.data() + text.size() || runs < 1 || runs > 1000) {
    std::fprintf(stderr, "usage: %s [RUNS 1..1000]\n", argv[0]);
    return std::nullopt;
  }
  return runs;
}

std::optional<double> ReadRssMb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
  }
  return std::nullopt;
}

double MonotonicSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double Quantile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const double rank = std::ceil(p * static_cast<double>(values.size()));
  const size_t index = rank < 1 ? 0 : static_cast<size_t>(rank) - 1;
  return values[std::min(index, values.size() - 1)];
}

std::string Summary(const std::vector<double> &values, const char *unit) {
  char line[256];
  std::snprintf(line, sizeof line, "n=%zu median=%.1f%s p90=%.1f%s p99=%.1f%s min=%.1f%s max=%.1f%s", values.size(),
                Quantile(values, 0.5), unit, Quantile(values, 0.9), unit, Quantile(values, 0.99), unit,
                Quantile(values, 0), unit, Quantile(values, 1), unit);
  return line;
}

std::vector<std::pair<std::string, std::string>> MachineFacts() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string model = "?";
  for (std::string line; std::getline(cpuinfo, line);) {
    if (line.rfind("model name", 0) == 0) {
      model = line.substr(line.find(':') + 2);
      break;
    }
  }
  std::ifstream meminfo("/proc/meminfo");
  std::string memory = "?";
  for (std::string line; std::getline(meminfo, line);) {
    if (line.rfind("MemTotal:", 0) == 0) {
      memory = line.substr(9);
      memory.erase(0, memory.find_first_not_of(' '));
      break;
    }
  }
  utsname u{};
  uname(&u);
  std::ostringstream machine;
  machine << model << ", " << sysconf(_SC_NPROCESSORS_ONLN) << " cores online, " << memory << " memory";
  std::ostringstream kernel;
  kernel << u.sysname << " " << u.release << " " << u.machine;
#ifdef NDEBUG
  const char *build = "optimised";
#else
  const char *build = "not optimised (NDEBUG unset)";
#endif
  return {{"machine", machine.str()}, {"kernel", kernel.str()}, {"build", build}};
}

std::string MachineDescription() {
  std::string out;
  for (const auto &[name, value] : MachineFacts()) {
    const std::string label = name + ":";
    out += label + std::string(label.size() < 9 ? 9 - label.size() : 1, ' ') + value + "\n";
  }
  return out;
}

std::filesystem::path MakeTempDir(const char *prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

void WriteDemoUserIni(const std::filesystem::path &template_path, const std::filesystem::path &dir, uint16_t port) {
  std::ifstream in(template_path);
  if (!in) throw std::runtime_error("cannot read " + template_path.string());
  std::string text;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with(';')) continue;
    for (size_t at; (at = line.find("@PORT@")) != std::string::npos;) line.replace(at, 6, std::to_string(port));
    text += line + "\n";
  }
  std::ofstream out(dir / "User.ini", std::ios::binary);
  out << cp936::FromUtf8(text);
  if (!out) throw std::runtime_error("cannot write " + (dir / "User.ini").string());
}

}  // namespace bench
