#pragma once
// The temperature trace view: the last ten temperature samples as a line
// chart. Unlike the other views it starts visible.
#include "frame.h"

namespace morvit {

class TfrmTemperatureTrace : public ui::Frame {
  Q_OBJECT
 public:
  // Client-aligned and visible.
  explicit TfrmTemperatureTrace(ui::Component *owner);
  ~TfrmTemperatureTrace() override;
};

}  // namespace morvit
