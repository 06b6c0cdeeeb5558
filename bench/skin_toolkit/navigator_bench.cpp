// kwokit-navigator-bench: one repaint of the data-set navigator, offscreen.
//
//   navigator/<style>   a 250 x 30 navigator on an open five-record set,
//                       rendered into a preallocated picture
//   baseline            a same-size widget that fills itself
//
//   kwokit-navigator-bench [Google Benchmark options]
#include <QImage>
#include <QPainter>
#include <QThread>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "application.h"
#include "data_set.h"
#include "db_navigator.h"
#include "panel.h"

namespace {

// Five records that never change: enough for the navigator's enabling.
class FixedDataSet : public ui::DataSet {
 public:
  using ui::DataSet::DataSet;
  int recordCount() const override { return 5; }
};

class FilledWidget : public QWidget {
 protected:
  void paintEvent(QPaintEvent *) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(212, 208, 200));
  }
};

void navigatorRepaint(benchmark::State &state, kwo::TkwoUIStyle style) {
  ui::Panel host(nullptr);
  host.setBounds(0, 0, 250, 30);
  auto *set = new FixedDataSet(&host);
  auto *source = new ui::DataSource(&host);
  source->setDataSet(set);
  set->setActive(true);
  auto *nav = new kwo::TkwoDBNavigator(&host);
  nav->setParentControl(&host);
  nav->setDataSource(source);
  nav->setUIStyle(style);
  QImage picture(nav->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    nav->render(&picture);
    benchmark::DoNotOptimize(picture.constBits());
  }
}

void baseline(benchmark::State &state) {
  FilledWidget widget;
  widget.resize(250, 30);
  QImage picture(widget.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    widget.render(&picture);
    benchmark::DoNotOptimize(picture.constBits());
  }
}

std::string cpuModel() {
  std::ifstream in("/proc/cpuinfo");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown CPU";
}

}  // namespace

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ui::Application app(argc, argv);
  std::printf("machine: %s, %d cores\n", cpuModel().c_str(), QThread::idealThreadCount());
  std::fflush(stdout);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RegisterBenchmark("navigator/WinXP", navigatorRepaint, kwo::TkwoUIStyle::WinXP)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("navigator/BlueGlass", navigatorRepaint, kwo::TkwoUIStyle::BlueGlass)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("baseline", baseline)->Unit(benchmark::kMicrosecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
