#pragma once
// The link settings dialog: every controller's station address, serial port,
// link kind and remote address, edited on a working copy that the caller
// takes back after OK (result 1); Cancel and the close box give 2.
#include <cstdint>

#include "display_app/model/link_settings_editor.h"
#include "display_app/model/plc_config.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"

namespace kwo {
class TImageButton;
class TkwoComboBox;
class TkwoForm;
class TkwoRadioButton;
}  // namespace kwo

namespace morvit {

class TfrmPLCCommunicationSettings : public ui::Form {
  Q_OBJECT
 public:
  // A copy of the view's controllers; selected is chosen when it is one.
  TfrmPLCCommunicationSettings(ui::Component *owner, const TPlcParmArray &controllers, int32_t selected);
  ~TfrmPLCCommunicationSettings() override;

  // The working copy as edited.
  const TPlcParmArray &controllers() const { return editor_.controllers(); }
  const LinkSettingsEditor &editor() const { return editor_; }

  kwo::TkwoForm *kwoForm = nullptr;
  ui::Label *lblPLC = nullptr;
  kwo::TkwoComboBox *cmbPLC = nullptr;
  ui::Label *lblAddr = nullptr;
  kwo::TkwoComboBox *cmbAddr = nullptr;
  ui::Label *lblComm = nullptr;
  kwo::TkwoComboBox *cmbComm = nullptr;
  kwo::TkwoRadioButton *rbComm = nullptr;
  kwo::TkwoRadioButton *rbNetwork = nullptr;
  ui::Label *lblIP = nullptr;
  ui::Edit *eIP = nullptr;
  ui::Label *lblPort = nullptr;
  ui::Edit *ePort = nullptr;
  kwo::TImageButton *ImageButton1 = nullptr;  // OK
  kwo::TImageButton *ImageButton2 = nullptr;  // Cancel

  // The handlers, as the controls run them.
  void cmbPLCChange();
  void rbConnClick();
  void cmbAddrChange();
  void cmbCommChange();
  void eIPChange();
  void ePortChange();

 private:
  void FormCreate();
  void BtnOKClick();
  void BtnCancelClick();

  LinkSettingsEditor editor_;
};

}  // namespace morvit
