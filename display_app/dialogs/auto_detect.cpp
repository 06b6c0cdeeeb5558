#include "auto_detect.h"

#include "kwo_form.h"

namespace morvit {

TfrmAutoDetect *frmAutoDetect = nullptr;

TfrmAutoDetect::TfrmAutoDetect(ui::Component *owner) : ui::Form(owner) {
  {
    ui::LoadingGuard loading(*this);
    setName(QStringLiteral("frmAutoDetect"));
    setCaption(QStringLiteral("Auto Detect"));
    sfrmAutoDetect = new kwo::TkwoForm(this);
    sfrmAutoDetect->setName(QStringLiteral("sfrmAutoDetect"));
    sfrmAutoDetect->setUIStyle(kwo::TkwoUIStyle::BlueGlass);
    sfrmAutoDetect->setRoundCorner(11);
    sfrmAutoDetect->setCaption(QStringLiteral("Auto Detect"));
    // The client size lies inside the frame's ring.
    setClientWidth(1020);
    setClientHeight(724);
    ui::SizeConstraints limits = constraints();
    limits.minWidth = 270;
    limits.minHeight = 50;
    setConstraints(limits);
    setWindowState(ui::WindowState::Maximized);
  }
  doCreate();
}

TfrmAutoDetect::~TfrmAutoDetect() { beginDestroy(); }

}  // namespace morvit
