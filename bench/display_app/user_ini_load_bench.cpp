// How long the display program takes to read a "User.ini" whose counts are
// far beyond what it holds: Count=2147483647 in every counted section of a
// file of about 118 KB with two controllers, four devices and twelve status
// items. The counters give the records read, so a figure that stays small
// also shows the lists stayed bounded.
#include <benchmark/benchmark.h>

#include <string>

#include "display_app/model/plc_config.h"
#include "platform/file_io.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr const char *kHuge = "2147483647";

std::string HugeCountsIni() {
  std::string ini = "[Parms]\r\nTemWarn=54\r\n";
  // Filler the reader has to skip: keys nobody asks for.
  for (int k = 0; ini.size() < 112 * 1024; ++k) ini += "Unused" + std::to_string(k) + "=0123456789abcdef\r\n";
  ini += std::string("[PLCParms]\r\nCount=") + kHuge + "\r\n";
  for (int i = 0; i < 2; ++i) {
    const std::string n = std::to_string(i);
    ini += "Name" + n + "=PLC" + n + "\r\nAddr" + n + "=" + std::to_string(i + 1) + "\r\nConnMode" + n +
           "=1\r\nIP" + n + "=127.0.0.1\r\nPort" + n + "=6001\r\n";
  }
  ini += std::string("[DeviceParms]\r\nCount=") + kHuge + "\r\n";
  for (int i = 0; i < 4; ++i) {
    const std::string n = std::to_string(i);
    ini += "Name" + n + "=D" + n + "\r\nPLC_ID" + n + "=" + std::to_string(i % 2) + "\r\nID" + n + "=" + n + "\r\n";
  }
  ini += std::string("[DoParms]\r\nCount=") + kHuge + "\r\n";
  for (int k = 0; k < 8; ++k) {
    const std::string n = std::to_string(k);
    ini += "PLC_ID" + n + "=" + std::to_string(k % 2) + "\r\nLC_ID" + n + "=" + std::to_string(k % 4) +
           "\r\nOutput" + n + "=" + n + "\r\n";
  }
  for (int i = 0; i < 2; ++i) {
    ini += "[PLC" + std::to_string(i) + "]\r\nCount=" + kHuge + "\r\n";
    for (int j = 0; j < 6; ++j) {
      ini += "[PLC" + std::to_string(i) + "ItemStatus" + std::to_string(j) +
             "]\r\nstType=6\r\nstName=T\r\nstID=1\r\nstPrecision=1\r\nstParm3=10\r\n";
    }
  }
  return ini;
}

// Both halves as the view runs them at start: the controllers with their
// status items, then the devices and outputs of controller 0.
void BM_LoadHugeCounts(benchmark::State &state) {
  testsupport::TempDir dir;
  const std::string path = (dir / "User.ini").string();
  const std::string ini = HugeCountsIni();
  if (!platform::WriteFileAtomically(path, ini).ok()) state.SkipWithError("cannot write User.ini");
  size_t controllers = 0;
  size_t items = 0;
  size_t devices = 0;
  size_t outputs = 0;
  for (auto _ : state) {
    auto config = morvit::loadControllers(path);
    auto list = morvit::loadDevices(path, 0);
    if (!config.ok() || !list.ok()) {
      state.SkipWithError("load failed");
      break;
    }
    controllers = config.value().Controllers.size();
    items = 0;
    for (const auto &i : config.value().Items) items += i.size();
    devices = list.value().size();
    outputs = 0;
    for (const auto &d : list.value()) outputs += d.Outputs.size();
    benchmark::DoNotOptimize(config);
  }
  state.counters["bytes"] = static_cast<double>(ini.size());
  state.counters["controllers"] = static_cast<double>(controllers);
  state.counters["items"] = static_cast<double>(items);
  state.counters["devices"] = static_cast<double>(devices);
  state.counters["outputs"] = static_cast<double>(outputs);
}
BENCHMARK(BM_LoadHugeCounts)->Unit(benchmark::kMillisecond);

}  // namespace
