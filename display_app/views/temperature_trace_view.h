#pragma once
// The temperature trace view: the last ten temperature samples as a line
// chart. Unlike the other views it starts visible.
#include "placeholder_view.h"

namespace morvit {

class TfrmTemperatureTrace : public PlaceholderView {
  Q_OBJECT
 public:
  // Client-aligned and visible.
  explicit TfrmTemperatureTrace(ui::Component *owner);
};

}  // namespace morvit
