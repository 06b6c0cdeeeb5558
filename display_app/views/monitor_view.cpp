#include "monitor_view.h"

namespace morvit {

TfrmMonitor::TfrmMonitor(ui::Component *owner)
    : PlaceholderView(owner, staticMetaObject.className(), QStringLiteral("frmMonitor"), false) {}

void TfrmMonitor::FrameResize(ui::Control *) {}

void TfrmMonitor::pnlLedPanelResize(ui::Control *) {}

void TfrmMonitor::mnZoomInClick(ui::Control *) {}

void TfrmMonitor::mnZoomOutClick(ui::Control *) {}

}  // namespace morvit
