// Figures for the editor on its largest project (256 controllers, 2,560
// outputs and devices, 8,192 status items): opening the file, the output,
// status item and device editors built and shown with every list filled,
// saving and the user.ini export. The windows run on the offscreen platform;
// the device editor's link calls go to the recording stand-in.
#include <QApplication>
#include <QByteArray>
#include <QComboBox>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <string>

#include "application.h"
#include "device_form.h"
#include "editor_globals.h"
#include "fake_plc_api.h"
#include "output_form.h"
#include "status_form.h"
#include "temp_dir.h"
#include "test_projects.h"
#include "user_ini_export.h"

namespace {

selkan::EditorGlobals &Largest() {
  selkan::EditorGlobals &g = selkan::Global();
  static const bool loaded = [&g] {
    g.project = selkan_test::LargestProject();
    return true;
  }();
  (void)loaded;
  return g;
}

void BM_OpenProject(benchmark::State &state) {
  testsupport::TempDir dir;
  const std::string path = dir.str() + "/largest.plc";
  if (!selkan::SaveProjectAs(Largest(), path).ok()) state.SkipWithError("save failed");
  for (auto _ : state) {
    if (!selkan::OpenProject(selkan::Global(), path).ok()) state.SkipWithError("open failed");
  }
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

template <class F, class... Args>
void ShowForm(benchmark::State &state, Args &...args) {
  Largest();
  for (auto _ : state) {
    F form(nullptr, args...);
    form.show();
    QApplication::processEvents();
  }
}

// The tree with every controller and output node.
void BM_OutputEditorShown(benchmark::State &state) { ShowForm<TOutputForm>(state); }
BENCHMARK(BM_OutputEditorShown)->Unit(benchmark::kMillisecond);

// The controller list and the first controller's items.
void BM_StatusEditorShown(benchmark::State &state) { ShowForm<TfrmPLCStatus>(state); }
BENCHMARK(BM_StatusEditorShown)->Unit(benchmark::kMillisecond);

// Every controller chosen in turn: 256 lists of 32 items.
void BM_StatusEditorEveryController(benchmark::State &state) {
  Largest();
  TfrmPLCStatus form(nullptr);
  form.show();
  QComboBox *plc = form.cmbPLC->widget();
  for (auto _ : state) {
    for (int c = 0; c < plc->count(); ++c) {
      plc->setCurrentIndex(c);
      form.cmbPLCChange();
    }
    QApplication::processEvents();
  }
}
BENCHMARK(BM_StatusEditorEveryController)->Unit(benchmark::kMillisecond);

// The logic tree with every controller, device and entry node, and the
// first controller's outputs.
void BM_DeviceEditorShown(benchmark::State &state) {
  tarnex_client::testing::FakePlcApi api;
  tarnex_client::PlcLinkSettings link{0, 9600};
  ShowForm<TDeviceForm>(state, api, link);
}
BENCHMARK(BM_DeviceEditorShown)->Unit(benchmark::kMillisecond);

// Every controller node chosen in turn: 256 output lists of 10.
void BM_DeviceEditorEveryController(benchmark::State &state) {
  Largest();
  tarnex_client::testing::FakePlcApi api;
  TDeviceForm form(nullptr, api, tarnex_client::PlcLinkSettings{0, 9600});
  form.show();
  QTreeWidget *tree = form.tvLogic->widget();
  for (auto _ : state) {
    for (int c = 0; c < tree->topLevelItemCount(); ++c) tree->setCurrentItem(tree->topLevelItem(c));
    QApplication::processEvents();
  }
  if (form.ControllerInView != tree->topLevelItemCount() - 1) state.SkipWithError("controllers not shown");
}
BENCHMARK(BM_DeviceEditorEveryController)->Unit(benchmark::kMillisecond);

void BM_SaveProject(benchmark::State &state) {
  testsupport::TempDir dir;
  const std::string path = dir.str() + "/saved.plc";
  for (auto _ : state) {
    if (!selkan::SaveProjectAs(Largest(), path).ok()) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_Export(benchmark::State &state) {
  testsupport::TempDir dir;
  const std::string path = selkan::UserIniPath(dir.str());
  for (auto _ : state) {
    if (!selkan::ExportUserIni(Largest().project, path).ok()) state.SkipWithError("export failed");
  }
}
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  ui::Application app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
