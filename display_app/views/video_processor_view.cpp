#include "video_processor_view.h"

#include "view_events.h"

namespace morvit {

TfrmVideoProcessor::TfrmVideoProcessor(ui::Component *owner) : ui::Frame(owner) {
  notifyViewEvent(ViewEvent::Created, staticMetaObject.className());
  setName(QStringLiteral("frmVideoProcessor"));
  setAlign(ui::Align::Client);
  setVisible(false);
}

TfrmVideoProcessor::~TfrmVideoProcessor() {
  beginDestroy();
  notifyViewEvent(ViewEvent::Destroyed, staticMetaObject.className());
}

}  // namespace morvit
