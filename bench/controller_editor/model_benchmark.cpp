// Figures for the largest project the editor makes (256 controllers, 2,560
// outputs and devices, 8,192 status items): the user.ini export, the display
// program's reading of it, and the project file both ways; opening the
// fullest project and refusing a crafted 64 MB file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "controller_comm/client/user_ini_names.h"
#include "controller_editor/model/project_file.h"
#include "controller_editor/model/user_ini_export.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "platform/number_text.h"
#include "tests/controller_editor/model/test_projects.h"
#include "tests/support/temp_dir.h"

namespace {

const selkan::Project &largest() {
  static const selkan::Project p = selkan_test::LargestProject();
  return p;
}

void BM_ExportUserIni(benchmark::State &state) {
  testsupport::TempDir dir;
  const std::string path = selkan::UserIniPath(dir.str());
  for (auto _ : state) {
    // Over the previous export, as the editor does every time.
    auto r = selkan::ExportUserIni(largest(), path);
    if (!r.ok()) state.SkipWithError(r.error().message.c_str());
  }
  auto bytes = platform::ReadWholeFile(path, 1 << 30);
  state.counters["bytes"] = static_cast<double>(bytes.ok() ? bytes.value().size() : 0);
}
BENCHMARK(BM_ExportUserIni)->Unit(benchmark::kMillisecond);

// Loads the file and reads every key the display program reads: the
// controllers with their link keys and status items, then the devices and
// outputs (the whole DeviceParms and DoParms sections for one controller).
void BM_ReadUserIniLikeDisplay(benchmark::State &state) {
  testsupport::TempDir dir;
  const std::string path = selkan::UserIniPath(dir.str());
  if (!selkan::ExportUserIni(largest(), path).ok()) state.SkipWithError("export failed");
  namespace names = user_ini;
  using names::Key;
  for (auto _ : state) {
    auto loaded = platform::IniFile::Load(path);
    const platform::IniFile &ini = loaded.value();
    double sink = ini.ReadInteger(names::kParms, names::kTemWarn, 54);
    const int32_t c = ini.ReadInteger(names::kControllers, names::kCount, 0);
    for (int32_t i = 0; i < c; ++i) {
      sink += ini.ReadInteger(names::kControllers, Key(names::kAddr, i), 0);
      sink += static_cast<double>(ini.ReadString(names::kControllers, Key(names::kName, i), "").size());
      sink += ini.ReadInteger(names::kControllers, Key(names::kConnMode, i), 0);
      sink += ini.ReadInteger(names::kControllers, Key(names::kComm, i), 0);
      sink += static_cast<double>(ini.ReadString(names::kControllers, Key(names::kIP, i), names::kDefaultIP).size());
      sink += ini.ReadInteger(names::kControllers, Key(names::kPort, i), names::kDefaultPort);
    }
    for (int32_t i = 0; i < c; ++i) {
      const std::string block = names::ControllerSection(i);
      const int32_t items = ini.ReadInteger(block, names::kCount, 0);
      for (int32_t j = 0; j < items; ++j) {
        const std::string s = names::StatusItemSection(i, j);
        sink += ini.ReadInteger(s, names::kStType, 0);
        sink += static_cast<double>(ini.ReadString(s, names::kStName, "").size());
        sink += ini.ReadInteger(s, names::kStId, 0);
        sink += ini.ReadInteger(s, names::kStPrecision, 0);
        sink += ini.ReadFloat(s, names::kStParm1, 0) + ini.ReadFloat(s, names::kStParm2, 0) +
                ini.ReadFloat(s, names::kStParm3, 0);
      }
    }
    const int32_t d = ini.ReadInteger(names::kDevices, names::kCount, 0);
    for (int32_t i = 0; i < d; ++i) {
      sink += static_cast<double>(ini.ReadString(names::kDevices, Key(names::kName, i), "").size());
      sink += ini.ReadInteger(names::kDevices, Key(names::kId, i), 0) +
              ini.ReadInteger(names::kDevices, Key(names::kPlcId, i), 0);
    }
    const int32_t o = ini.ReadInteger(names::kOutputs, names::kCount, 0);
    for (int32_t k = 0; k < o; ++k) {
      sink += ini.ReadInteger(names::kOutputs, Key(names::kPlcId, k), 0) +
              ini.ReadInteger(names::kOutputs, Key(names::kLcId, k), 0) +
              ini.ReadInteger(names::kOutputs, Key(names::kOutput, k), 0);
    }
    benchmark::DoNotOptimize(sink);
  }
}
BENCHMARK(BM_ReadUserIniLikeDisplay)->Unit(benchmark::kMillisecond);

void BM_WriteAndReadProject(benchmark::State &state) {
  size_t size = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> file = selkan::WriteProject(largest());
    auto back = selkan::ReadProject(file);
    if (!back.ok()) state.SkipWithError("read failed");
    size = file.size();
    benchmark::DoNotOptimize(back);
  }
  state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_WriteAndReadProject)->Unit(benchmark::kMillisecond);

// Opening the fullest project the editor makes (every list at its limit)
// from its file.
void BM_LoadFullProjectFile(benchmark::State &state) {
  testsupport::TempDir dir;
  const std::string path = (dir / "full.plc").string();
  if (!selkan::SaveProjectFile(selkan_test::FullProject(), path).ok()) state.SkipWithError("save failed");
  for (auto _ : state) {
    auto loaded = selkan::LoadProjectFile(path);
    if (!loaded.ok()) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(loaded);
  }
}
BENCHMARK(BM_LoadFullProjectFile)->Unit(benchmark::kMillisecond);

// A file of the largest size opened, whose controller count claims the
// millions of 7-byte empty controllers it holds: refused at the count.
void BM_RefuseCraftedProjectFile(benchmark::State &state) {
  testsupport::TempDir dir;
  const std::string path = (dir / "crafted.plc").string();
  const auto claimed = static_cast<uint32_t>((selkan::kMaxProjectFileBytes - 12 - selkan::kBlocksSize) / 7);
  const uint8_t head[4] = {static_cast<uint8_t>(claimed), static_cast<uint8_t>(claimed >> 8),
                           static_cast<uint8_t>(claimed >> 16), static_cast<uint8_t>(claimed >> 24)};
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(head), sizeof head);
  std::filesystem::resize_file(path, selkan::kMaxProjectFileBytes);
  for (auto _ : state) {
    auto loaded = selkan::LoadProjectFile(path);
    if (loaded.ok()) state.SkipWithError("accepted");
  }
  state.counters["bytes"] = static_cast<double>(selkan::kMaxProjectFileBytes);
}
BENCHMARK(BM_RefuseCraftedProjectFile)->Unit(benchmark::kMicrosecond);

}  // namespace
