#pragma once
// Asks which link a logic-list download goes over: a serial port or UDP, the
// port, the controller's IP address and its bus address.
#include "platform/ui/form.h"
#include "platform/ui/widget_host.h"

class QButtonGroup;

namespace ui {
class Button;
class Edit;
class GroupBox;
class Label;
}  // namespace ui

class TConnForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TConnForm(ui::Component *owner);
  ~TConnForm() override;

  // Sets which link is chosen; the other button clears.
  void setNetwork(bool network);
  // The port item (0 = "01"), or -1 for none; other values choose none.
  void setPortItem(int index);
  // The address item (0 = "00"), or -1 for none; other values choose none.
  void setAddressItem(int index);

  ui::GroupBox *gbM = nullptr;
  ui::RadioButton *rbComm = nullptr;
  ui::RadioButton *rbNetwork = nullptr;
  ui::Label *lblComm = nullptr;
  ui::ComboBox *cmbComm = nullptr;
  ui::Label *lblIP = nullptr;
  ui::Edit *eIP = nullptr;
  ui::Label *lblAddress = nullptr;
  ui::ComboBox *cmbAddress = nullptr;
  ui::Button *BtnOK = nullptr;
  ui::Button *BtnCancel = nullptr;

 private:
  void BtnOKClick();

  QButtonGroup *linkGroup_ = nullptr;
};
