// kwokit-popup-menu-bench: a pop-up menu of ten items, from popup() up to
// the end of its first paint, offscreen.
//
//   owner-drawn/<style>   a skinned pop-up menu in that look: eight items
//                         (one checked, two with shortcuts, one disabled) and
//                         two separators, every item drawn by the menu, with
//                         the flat border
//   baseline/plain        a plain QMenu of ten actions with the same texts
//
// Each iteration opens the menu, runs the event loop until the menu window
// has been painted, and stops the clock; closing and freeing the menu are
// not timed. The target is printed first; the median and p95 of the
// repetitions are reported in milliseconds.
//
//   kwokit-popup-menu-bench [Google Benchmark options]
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMenu>
#include <QObject>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/display_app/bench_common.h"
#include "bench/support/offscreen_main.h"
#include "platform/ui/menu_view.h"
#include "skin_toolkit/frames/kwo_menu.h"

namespace {

using kwo::TkwoUIStyle;

const char *const kCaptions[] = {"打开(&O)", "保存(&S)", "-", "复制", "粘贴", "删除", "-", "属性", "刷新", "退出(&X)"};

// Notes the first paint of the widget it watches.
class PaintWatch final : public QObject {
 public:
  bool painted = false;

 protected:
  bool eventFilter(QObject *, QEvent *event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

// Runs the event loop until the menu has been painted; the paint of its
// items follows the menu window's in the same pass. Seconds from start.
double untilPainted(const PaintWatch &watch, const QElapsedTimer &clock) {
  while (!watch.painted && clock.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents);
  return static_cast<double>(clock.nsecsElapsed()) * 1e-9;
}

void settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

void ownerDrawn(benchmark::State &state, TkwoUIStyle style) {
  kwo::TkwoPopupMenu menu(nullptr);
  menu.setUIStyle(style);
  menu.setFlatMenu(true);
  for (const char *caption : kCaptions) {
    auto *item = new ui::MenuItem(&menu);
    item->setCaption(QString::fromUtf8(caption));
    menu.items()->add(item);
  }
  menu.items()->item(0)->setShortCut(QKeyCombination(Qt::ControlModifier, Qt::Key_O));
  menu.items()->item(1)->setShortCut(QKeyCombination(Qt::ControlModifier, Qt::Key_S));
  menu.items()->item(3)->setChecked(true);
  menu.items()->item(5)->setEnabled(false);
  for (auto _ : state) {
    PaintWatch watch;
    QElapsedTimer clock;
    clock.start();
    menu.popup(40, 40);
    menu.view()->installEventFilter(&watch);
    state.SetIterationTime(untilPainted(watch, clock));
    if (!watch.painted) state.SkipWithError("the menu was never painted");
    menu.closeUp();
    settle();
  }
}

void plainBaseline(benchmark::State &state) {
  for (auto _ : state) {
    PaintWatch watch;
    QElapsedTimer clock;
    clock.start();
    auto *menu = new QMenu;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const char *caption : kCaptions) {
      if (std::string(caption) == "-") {
        menu->addSeparator();
      } else {
        menu->addAction(QString::fromUtf8(caption));
      }
    }
    menu->installEventFilter(&watch);
    menu->popup(QPoint(40, 40));
    state.SetIterationTime(untilPainted(watch, clock));
    if (!watch.painted) state.SkipWithError("the menu was never painted");
    menu->close();
    settle();
  }
}

double p95(const std::vector<double> &values) { return bench::Quantile(values, 0.95); }

void configure(benchmark::internal::Benchmark *b) {
  b->Unit(benchmark::kMillisecond)
      ->UseManualTime()
      ->Iterations(50)
      ->Repetitions(10)
      ->ComputeStatistics("p95", p95)
      ->ReportAggregatesOnly(true);
}

void registerCases() {
  const struct {
    const char *name;
    TkwoUIStyle style;
  } styles[] = {{"WinXP", TkwoUIStyle::WinXP}, {"MacOS", TkwoUIStyle::MacOS}, {"DeepBlue", TkwoUIStyle::DeepBlue}};
  for (const auto &s : styles) {
    configure(benchmark::RegisterBenchmark((std::string("owner-drawn/") + s.name).c_str(), ownerDrawn, s.style));
  }
  configure(benchmark::RegisterBenchmark("baseline/plain", plainBaseline));
}

}  // namespace

int main(int argc, char **argv) {
  return bench::RunOffscreenBenchmarks(
      argc, argv, "owner-drawn pop-up of 10 items, popup() to first paint (target: <= 5 ms; baseline: a plain QMenu)",
      registerCases);
}
