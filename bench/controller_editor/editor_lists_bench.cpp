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

#include "controller_editor/forms/device_form.h"
#include "controller_editor/forms/output_form.h"
#include "controller_editor/forms/status_form.h"
#include "controller_editor/model/editor_globals.h"
#include "controller_editor/model/user_ini_export.h"
#include "platform/ui/application.h"
#include "tests/controller_editor/model/test_projects.h"
#include "tests/support/fake_plc_api.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_link_services.h"

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
void ShowForm(benchmark::State &state, const Args &...args) {
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
  const tarnex_client::LinkServices services = testsupport::ServicesOver(api);
  ShowForm<TDeviceForm>(state, services);
}
BENCHMARK(BM_DeviceEditorShown)->Unit(benchmark::kMillisecond);

// Every controller node chosen in turn: 256 output lists of 10.
void BM_DeviceEditorEveryController(benchmark::State &state) {
  Largest();
  tarnex_client::testing::FakePlcApi api;
  TDeviceForm form(nullptr, testsupport::ServicesOver(api));
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
