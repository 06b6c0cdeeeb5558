#include "display_app/views/temperature_trace_view.h"

#include <QTime>
#include <algorithm>
#include <utility>

#include "display_app/model/globals.h"
#include "display_app/test_seams.h"

namespace morvit {
namespace {

TfrmTemperatureTrace::Clock &clockHook() {
  static TfrmTemperatureTrace::Clock clock;
  return clock;
}

QDateTime now() {
  const TfrmTemperatureTrace::Clock &clock = clockHook();
  return clock ? clock() : QDateTime::currentDateTime();
}

constexpr int kChartMarginWidth = 80;
constexpr int kChartMarginHeight = 60;

}  // namespace

TraceClock setTraceClockForTests(TraceClock clock) {
  return std::exchange(clockHook(), std::move(clock));
}

TfrmTemperatureTrace::TfrmTemperatureTrace(ui::Component *owner)
    : ClientAreaView(owner, staticMetaObject.className(), QStringLiteral("frmTemperatureTrace"), true) {
  chartTemperature = new ui::LineChart(this);
  chartTemperature->setName(QStringLiteral("chartTemperature"));
  chartTemperature->setParentControl(this);
  chartTemperature->setTitle(QStringLiteral("Temperature"));
  chartTemperature->setBackWallColor(platform::clWhite);
  chartTemperature->SetLeftAxis(0, 100);
  chartTemperature->setSeriesColor(platform::RGB(255, 0, 0));

  OnResize = [this](ui::Control *sender) { FrameResize(sender); };

  tmrMain = new ui::Timer(this);
  tmrMain->setName(QStringLiteral("tmrMain"));
  tmrMain->setInterval(1000);
  tmrMain->OnTimer = [this](ui::Timer *sender) { tmrMainTimer(sender); };
  tmrMain->setEnabled(true);

  SampleIndex = 0;
  // The series starts empty: no clearing first.
  addRingPoints();
  FrameResize(this);
}

void TfrmTemperatureTrace::tmrMainTimer(ui::Timer *) {
  if (SampleIndex < 0 || SampleIndex >= kTemperatureRingSize) SampleIndex = 0;
  TemperatureRing[SampleIndex] = CurrentTemperature;
  ++SampleIndex;
  if (SampleIndex >= kTemperatureRingSize) SampleIndex = 0;
  RedrawTrace();
}

void TfrmTemperatureTrace::FrameResize(ui::Control *) {
  const QRect client = clientRect();
  const int w = std::max(client.width() - kChartMarginWidth, 0);
  const int h = std::max(client.height() - kChartMarginHeight, 0);
  chartTemperature->setBounds(client.left() + (client.width() - w) / 2, client.top() + (client.height() - h) / 2,
                              w, h);
}

void TfrmTemperatureTrace::RedrawTrace() {
  chartTemperature->Clear();
  addRingPoints();
}

void TfrmTemperatureTrace::addRingPoints() {
  const QTime t = now().time();
  const int start = std::clamp(SampleIndex, 0, kTemperatureRingSize - 1);
  int k = kTemperatureRingSize - 1;
  for (int n = 0; n < kTemperatureRingSize; ++n, --k) {
    const int i = (start + n) % kTemperatureRingSize;
    chartTemperature->Add(TemperatureRing[i], t.addSecs(-k).toString(QStringLiteral("hh:mm:ss")));
  }
}

}  // namespace morvit
