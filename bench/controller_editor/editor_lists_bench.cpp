// Figures for the editor on its largest project (256 controllers, 2,560
// outputs and devices, 8,192 status items): opening the file, the output and
// status item editors built and shown with every list filled, saving and
// the user.ini export. The windows run on the offscreen platform.
#include <QApplication>
#include <QByteArray>
#include <QComboBox>
#include <benchmark/benchmark.h>
#include <string>

#include "application.h"
#include "editor_globals.h"
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

template <class F>
void ShowForm(benchmark::State &state) {
  Largest();
  for (auto _ : state) {
    F form(nullptr);
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
