#include "temperature_trace_view.h"

#include "view_events.h"

namespace morvit {

TfrmTemperatureTrace::TfrmTemperatureTrace(ui::Component *owner) : ui::Frame(owner) {
  notifyViewEvent(ViewEvent::Created, staticMetaObject.className());
  setName(QStringLiteral("frmTemperatureTrace"));
  setAlign(ui::Align::Client);
  setVisible(true);
}

TfrmTemperatureTrace::~TfrmTemperatureTrace() {
  beginDestroy();
  notifyViewEvent(ViewEvent::Destroyed, staticMetaObject.className());
}

}  // namespace morvit
