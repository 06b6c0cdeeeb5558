#pragma once
// The screen monitor view: one screen shown as an LED panel. The main window
// creates it hidden on its main panel and runs its resize and zoom commands.
#include "placeholder_view.h"

namespace morvit {

class TfrmMonitor : public PlaceholderView {
  Q_OBJECT
 public:
  // Client-aligned and hidden.
  explicit TfrmMonitor(ui::Component *owner);

  // The frame was resized: centre the content.
  void FrameResize(ui::Control *sender);
  // Lay out the LED panel area.
  void pnlLedPanelResize(ui::Control *sender = nullptr);
  void mnZoomInClick(ui::Control *sender = nullptr);
  void mnZoomOutClick(ui::Control *sender = nullptr);
};

}  // namespace morvit
