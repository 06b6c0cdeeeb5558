#include "monitor_view.h"

#include "view_events.h"

namespace morvit {

TfrmMonitor::TfrmMonitor(ui::Component *owner) : ui::Frame(owner) {
  notifyViewEvent(ViewEvent::Created, staticMetaObject.className());
  setName(QStringLiteral("frmMonitor"));
  setAlign(ui::Align::Client);
  setVisible(false);
}

TfrmMonitor::~TfrmMonitor() {
  beginDestroy();
  notifyViewEvent(ViewEvent::Destroyed, staticMetaObject.className());
}

void TfrmMonitor::FrameResize(ui::Control *) {}

void TfrmMonitor::pnlLedPanelResize(ui::Control *) {}

void TfrmMonitor::mnZoomInClick(ui::Control *) {}

void TfrmMonitor::mnZoomOutClick(ui::Control *) {}

}  // namespace morvit
