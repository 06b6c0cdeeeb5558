// One repaint of a themed push button, in the WinXP and BlueGlass looks,
// against a same-size plain widget that fills itself. Offscreen.
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <memory>

#include "application.h"
#include "form.h"
#include "kwo_button.h"

namespace {

class FilledWidget : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent *) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(236, 233, 216));
  }
};

std::unique_ptr<ui::Form> g_form;

// One paint of the widget into an image of its size, as the backing store
// gets it (the parent's background under it included).
void paintOnce(QWidget &widget, QImage &target) { widget.render(&target); }

void buttonRepaint(benchmark::State &state, kwo::TkwoUIStyle style) {
  auto *button = new kwo::TkwoButton(g_form.get());
  button->setParentControl(g_form.get());
  button->setBounds(10, 10, 80, 27);
  button->setCaption(QStringLiteral("确定"));
  button->setUIStyle(style);
  QImage target(button->size(), QImage::Format_ARGB32_Premultiplied);
  paintOnce(*button, target);
  for (auto _ : state) {
    paintOnce(*button, target);
    benchmark::DoNotOptimize(target.constBits());
  }
  delete button;
}

void BM_ButtonRepaintWinXP(benchmark::State &state) { buttonRepaint(state, kwo::TkwoUIStyle::WinXP); }
void BM_ButtonRepaintBlueGlass(benchmark::State &state) { buttonRepaint(state, kwo::TkwoUIStyle::BlueGlass); }

void BM_FilledWidgetRepaint(benchmark::State &state) {
  auto *widget = new FilledWidget(g_form.get());
  widget->setGeometry(10, 50, 80, 27);
  widget->show();
  QImage target(widget->size(), QImage::Format_ARGB32_Premultiplied);
  paintOnce(*widget, target);
  for (auto _ : state) {
    paintOnce(*widget, target);
    benchmark::DoNotOptimize(target.constBits());
  }
  delete widget;
}

BENCHMARK(BM_FilledWidgetRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ButtonRepaintWinXP)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ButtonRepaintBlueGlass)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ui::Application app(argc, argv);
  g_form = std::make_unique<ui::Form>(nullptr);
  g_form->setBounds(0, 0, 200, 120);
  g_form->show();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  g_form.reset();
  return 0;
}
