#pragma once
// The temperature trace view: the last ten temperature samples as a line
// chart, one sample a second. Unlike the other views it starts visible, and
// its timer runs whenever the view exists, shown or not.
#include <QDateTime>
#include <functional>

#include "display_app/views/client_area_view.h"
#include "platform/ui/line_chart.h"
#include "platform/ui/timer.h"

namespace morvit {

class TfrmTemperatureTrace : public ClientAreaView {
  Q_OBJECT
 public:
  using Clock = std::function<QDateTime()>;

  // Client-aligned and visible, with the ten points of the ring.
  explicit TfrmTemperatureTrace(ui::Component *owner);

  ui::LineChart *chartTemperature = nullptr;
  ui::Timer *tmrMain = nullptr;

  // The ring position the next sample overwrites: the oldest sample.
  int SampleIndex = 0;

  // Stores the current temperature in the ring, moves on and redraws.
  void tmrMainTimer(ui::Timer *sender);
  // The chart takes the client less 80 x 60 (none below that), centred.
  void FrameResize(ui::Control *sender);
  // The ten samples, oldest first, labelled from nine seconds ago to now.
  void RedrawTrace();

 private:
  void addRingPoints();
};

}  // namespace morvit
