#pragma once
// The one-line input box of the power management view: a label set by the
// caller, one edit, OK (result 1) and Cancel (result 2).
#include <QString>

#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"

namespace kwo {
class TImageButton;
class TkwoForm;
}  // namespace kwo

namespace morvit {

class TfrmInput : public ui::Form {
  Q_OBJECT
 public:
  explicit TfrmInput(ui::Component *owner);
  ~TfrmInput() override;

  // Label and preset in one step; the preset is selected when selectAll.
  void prepare(const QString &label, const QString &preset, bool selectAll = false);
  QString text() const { return eInput->text(); }

  kwo::TkwoForm *kwoForm = nullptr;
  ui::Label *lblRef = nullptr;
  ui::Edit *eInput = nullptr;
  kwo::TImageButton *btnOK = nullptr;
  kwo::TImageButton *btnCancel = nullptr;

 private:
  void FormCreate();
  void BtnOKClick();
  void BtnCancelClick();
};

}  // namespace morvit
