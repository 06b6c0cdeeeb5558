// kwokit-gallery-switch-bench: a style switch of the gallery's whole
// controls sheet under its skinned frame, offscreen.
//
//   switch/<from>-<to>        the frame's style set, which restyles every
//                             control of the sheet; target <= 50 ms
//   switchAndPaint/<from>-<to> the same, then the form rendered into a
//                             preallocated picture of its size
//   baseline                  a sheet-sized widget that fills itself,
//                             rendered the same way
//
// Each iteration switches to the other look of the pair, so every one is a
// real change.
//
//   kwokit-gallery-switch-bench [Google Benchmark options]
#include <QImage>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/support/filled_widget.h"
#include "bench/support/offscreen_main.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/gallery/controls_sheet.h"

namespace {

using kwo::TkwoUIStyle;

struct Look {
  TkwoUIStyle style;
  const char *name;
};

// The sheet on a shown form, its frame in the first look.
struct Sheet {
  explicit Sheet(TkwoUIStyle first) {
    form->setBounds(0, 0, gallery::kControlsSheetWidth, gallery::kControlsSheetHeight);
    frame = new kwo::TkwoForm(form.get());
    frame->setUIStyle(first);
    form->show();
    ui::Application::processMessages();
    gallery::BuildControlsSheet(*frame);
    ui::Application::processMessages();
  }
  std::unique_ptr<ui::Form> form = std::make_unique<ui::Form>(nullptr);
  kwo::TkwoForm *frame = nullptr;
};

void styleSwitch(benchmark::State &state, Look from, Look to, bool paint) {
  Sheet sheet(from.style);
  QImage picture(sheet.form->size(), QImage::Format_ARGB32_Premultiplied);
  bool toSecond = true;
  for (auto _ : state) {
    sheet.frame->setUIStyle(toSecond ? to.style : from.style);
    if (paint) sheet.form->render(&picture);
    toSecond = !toSecond;
    benchmark::DoNotOptimize(picture.constBits());
  }
  // The repaints the switches asked for, outside the clock.
  ui::Application::processMessages();
}

void baseline(benchmark::State &state) {
  bench::FilledWidget widget;
  widget.resize(gallery::kControlsSheetWidth, gallery::kControlsSheetHeight);
  bench::RepaintLoop(state, widget);
}

void registerCases() {
  const Look pairs[][2] = {{{TkwoUIStyle::WinXP, "WinXP"}, {TkwoUIStyle::BlueGlass, "BlueGlass"}},
                           {{TkwoUIStyle::MacOS, "MacOS"}, {TkwoUIStyle::DeepBlue, "DeepBlue"}}};
  for (const auto &pair : pairs) {
    const std::string names = std::string(pair[0].name) + "-" + pair[1].name;
    benchmark::RegisterBenchmark(("switch/" + names).c_str(), styleSwitch, pair[0], pair[1], false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("switchAndPaint/" + names).c_str(), styleSwitch, pair[0], pair[1], true)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("baseline", baseline)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char **argv) {
  return bench::RunOffscreenBenchmarks(argc, argv, "a style switch of the whole controls sheet: target <= 50 ms",
                                       registerCases);
}
