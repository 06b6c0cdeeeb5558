#pragma once
// The base of the views the main window shows in its client area: a
// client-aligned frame that reports its creation and destruction as view
// events.
#include <QString>

#include "display_app/views/view_events.h"
#include "platform/ui/frame.h"

namespace morvit {

class ClientAreaView : public ui::Frame {
 public:
  ~ClientAreaView() override {
    beginDestroy();
    notifyViewEvent(ViewEvent::Destroyed, className_);
  }

 protected:
  // className: the view's class, for the view events; name: its component
  // name.
  ClientAreaView(ui::Component *owner, const char *className, const QString &name, bool visible)
      : ui::Frame(owner), className_(className) {
    notifyViewEvent(ViewEvent::Created, className_);
    setName(name);
    setAlign(ui::Align::Client);
    setVisible(visible);
  }

 private:
  const char *className_;
};

}  // namespace morvit
