// The temperature trace: the ring drawn oldest first with labels counted
// back from the clock, the chart's place in the view, and the view's life
// in the main window.
#include <QDateTime>
#include <gtest/gtest.h>

#include <memory>

#include "display_app/model/globals.h"
#include "display_app/test_seams.h"
#include "display_app/views/main_window.h"
#include "display_app/views/temperature_trace_view.h"
#include "platform/ui/panel.h"
#include "tests/support/test_link_services.h"
#include "tests/support/ui/ui_fixtures.h"

namespace morvit {
namespace {

// A fixed clock while it lives.
class FixedClock {
 public:
  explicit FixedClock(QTime time) : at_(QDate(2026, 3, 1), time) {
    previous_ = setTraceClockForTests([this] { return at_; });
  }
  ~FixedClock() { setTraceClockForTests(std::move(previous_)); }
  FixedClock(const FixedClock &) = delete;
  FixedClock &operator=(const FixedClock &) = delete;

 private:
  QDateTime at_;
  TfrmTemperatureTrace::Clock previous_;
};

class TemperatureTraceTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    resetGlobalsForTests();
  }
  void TearDown() override {
    view.reset();
    window.reset();
    resetGlobalsForTests();
    UiTest::TearDown();
  }
  std::vector<double> values() const {
    std::vector<double> v;
    for (const ui::LineChartPoint &p : view->chartTemperature->Points()) v.push_back(p.value);
    return v;
  }
  QStringList labels(const TfrmTemperatureTrace &trace) const {
    QStringList l;
    for (const ui::LineChartPoint &p : trace.chartTemperature->Points()) l << p.label;
    return l;
  }
  void tick(double value) {
    CurrentTemperature = value;
    view->tmrMain->tick();
  }

  std::unique_ptr<TfrmTemperatureTrace> view;
  testsupport::TempAppDir dir;
  std::unique_ptr<TfrmMain> window;
};

TEST_F(TemperatureTraceTest, StartsWithTenLabelledZeroPointsAndAFixedAxis) {
  FixedClock clock(QTime(14, 30, 20));
  view = std::make_unique<TfrmTemperatureTrace>(nullptr);
  EXPECT_TRUE(view->visible());
  EXPECT_EQ(view->SampleIndex, 0);
  EXPECT_EQ(values(), std::vector<double>(10, 0.0));
  EXPECT_EQ(labels(*view), (QStringList{"14:30:11", "14:30:12", "14:30:13", "14:30:14", "14:30:15", "14:30:16",
                                        "14:30:17", "14:30:18", "14:30:19", "14:30:20"}));
  EXPECT_EQ(view->chartTemperature->title(), QStringLiteral("Temperature"));
  EXPECT_EQ(view->chartTemperature->backWallColor(), platform::clWhite);
  EXPECT_EQ(view->chartTemperature->seriesColor(), platform::RGB(255, 0, 0));
  EXPECT_EQ(view->tmrMain->interval(), 1000);
  EXPECT_TRUE(view->tmrMain->enabled());

  // Far beyond the axis, the axis holds.
  tick(150);
  EXPECT_EQ(view->chartTemperature->axisMin(), 0);
  EXPECT_EQ(view->chartTemperature->axisMax(), 100);
  EXPECT_EQ(values().back(), 150);
}

TEST_F(TemperatureTraceTest, TicksFillTheRingAndTheOldestComesFirst) {
  FixedClock clock(QTime(9, 0, 0));
  view = std::make_unique<TfrmTemperatureTrace>(nullptr);
  for (int v = 1; v <= 13; ++v) tick(v);
  EXPECT_EQ(view->SampleIndex, 3);
  EXPECT_EQ(values(), (std::vector<double>{4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
  EXPECT_EQ(TemperatureRing[0], 11);
  // Labels still count back from now, not from when samples came.
  EXPECT_EQ(labels(*view).front(), QStringLiteral("08:59:51"));
  EXPECT_EQ(labels(*view).back(), QStringLiteral("09:00:00"));

  // Ten more: round again, the oldest is the first sample of the round.
  for (int v = 21; v <= 30; ++v) tick(v);
  EXPECT_EQ(view->SampleIndex, 3);
  for (int v = 31; v <= 37; ++v) tick(v);
  EXPECT_EQ(view->SampleIndex, 0);
  EXPECT_EQ(values(), (std::vector<double>{28, 29, 30, 31, 32, 33, 34, 35, 36, 37}));
  EXPECT_EQ(view->chartTemperature->Points().size(), 10u);
}

TEST_F(TemperatureTraceTest, LabelsWrapAtMidnight) {
  FixedClock clock(QTime(0, 0, 5));
  view = std::make_unique<TfrmTemperatureTrace>(nullptr);
  const QStringList l = labels(*view);
  EXPECT_EQ(l.front(), QStringLiteral("23:59:56"));
  EXPECT_EQ(l[3], QStringLiteral("23:59:59"));
  EXPECT_EQ(l[4], QStringLiteral("00:00:00"));
  EXPECT_EQ(l.back(), QStringLiteral("00:00:05"));
}

TEST_F(TemperatureTraceTest, ChartKeepsA40By30MarginAndNeverGoesNegative) {
  view = std::make_unique<TfrmTemperatureTrace>(nullptr);
  const struct {
    int w, h;
    QRect chart;
  } cases[] = {
      {400, 300, QRect(40, 30, 320, 240)},
      {81, 61, QRect(40, 30, 1, 1)},
      {60, 40, QRect(30, 20, 0, 0)},
      {0, 0, QRect(0, 0, 0, 0)},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
    view->setBounds(0, 0, c.w, c.h);
    EXPECT_EQ(view->chartTemperature->boundsRect(), c.chart);
  }
  view->grab();  // paints at 0 x 0 without harm
}

TEST_F(TemperatureTraceTest, MainWindowShowsTheTraceAndLoadProjectKeepsTheRing) {
  FixedClock clock(QTime(12, 0, 0));
  window = createMainWindow(testsupport::LocalLinkServices());
  ASSERT_NE(window, nullptr);
  TfrmTemperatureTrace *trace = window->temperatureTraceView();
  ASSERT_NE(trace, nullptr);
  window->tbTemperatureClick();
  EXPECT_TRUE(trace->isVisible());
  // Client-aligned on the 441 x 576 main panel, the chart inside its margin.
  EXPECT_EQ(trace->boundsRect(), window->pnlMain->clientRect());
  EXPECT_EQ(trace->chartTemperature->boundsRect(), QRect(40, 30, 361, 516));
  EXPECT_EQ(labels(*trace).size(), 10);
  EXPECT_EQ(labels(*trace).back(), QStringLiteral("12:00:00"));

  CurrentTemperature = 7;
  for (int i = 0; i < 4; ++i) trace->tmrMain->tick();
  EXPECT_EQ(trace->SampleIndex, 4);

  window->mnLoadClick();
  trace = window->temperatureTraceView();
  ASSERT_NE(trace, nullptr);
  EXPECT_EQ(trace->SampleIndex, 0);
  // The ring kept its four samples: oldest first from position 0.
  std::vector<double> v;
  for (const ui::LineChartPoint &p : trace->chartTemperature->Points()) v.push_back(p.value);
  EXPECT_EQ(v, (std::vector<double>{7, 7, 7, 7, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace morvit
