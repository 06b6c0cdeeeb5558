#pragma once
// The video processor view: the controls that send commands to the screen's
// video processor. The main window creates it hidden on its main panel.
#include "placeholder_view.h"

namespace morvit {

class TfrmVideoProcessor : public PlaceholderView {
  Q_OBJECT
 public:
  // Client-aligned and hidden.
  explicit TfrmVideoProcessor(ui::Component *owner);
};

}  // namespace morvit
