#pragma once
// The auto-detect wizard: detects the screens online and maps their LED
// units. Opened modally by the main window's Auto Detect command.
#include "form.h"

namespace kwo {
class TkwoForm;
}

namespace morvit {

class TfrmAutoDetect : public ui::Form {
  Q_OBJECT
 public:
  explicit TfrmAutoDetect(ui::Component *owner);
  ~TfrmAutoDetect() override;

  // The skinned frame over the whole form.
  kwo::TkwoForm *sfrmAutoDetect = nullptr;
};

// The wizard while it is open, else null.
extern TfrmAutoDetect *frmAutoDetect;

}  // namespace morvit
