#pragma once
// The register debug console for one controller: it opens its own link and
// reads or writes registers, the output and input states, the force flag,
// the logic list, the timer plan, the analogue values and the network
// settings. DebugConsoleLogic decides every send and decodes the notices;
// the window passes the operator's clicks on and shows the logic's texts.
#include <memory>

#include "controller_comm/client/link_services.h"
#include "controller_comm/client/plc_api.h"
#include "controller_editor/model/debug_console_logic.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/group_box.h"
#include "platform/ui/label.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/string_grid.h"
#include "platform/ui/widget_host.h"

class QButtonGroup;

class TDebugForm : public ui::Form {
  Q_OBJECT
 public:
  // On a call interface of the services' making, with their link settings.
  TDebugForm(ui::Component *owner, const tarnex_client::LinkServices &services);
  ~TDebugForm() override;

  const selkan::DebugConsoleLogic &logic() const { return *logic_; }

  // --- the operator's commands ---
  void sbnOpenCommClick();
  void sbnCloseCommClick();
  void sbnReadClick();
  void sbnWriteClick();
  void sbnWrite2Click();
  void sbnO1Click();
  void sbnO2Click();
  void sbnI1Click();
  void sbnI2Click();
  void chbForceClick();
  void sbnReadLogicClick();
  void sbnReadTimerClick();
  void sbnConnReadClick();
  void sbnConnWriteClick();
  void sbnRestoreClick();
  void sbnReadOClick();
  void sbnReadIClick();
  void sbnReadAinClick();
  void sbnExcmdClick();

  // The masked edits' texts as the operator sees them, a blank as a space.
  QString macText() const;
  QString ipText() const;

  // --- controls ---
  ui::Label *lblPLC = nullptr;
  ui::ComboBox *cmbPLC = nullptr;
  ui::GroupBox *gbM = nullptr;
  ui::RadioButton *rbComm = nullptr;
  ui::RadioButton *rbNetwork = nullptr;
  ui::Label *lblComm = nullptr;
  ui::ComboBox *cmbComm = nullptr;
  ui::Label *lblIP = nullptr;
  ui::Edit *eIP = nullptr;
  ui::Button *sbnOpenComm = nullptr;
  ui::Button *sbnCloseComm = nullptr;
  ui::Label *lblReg = nullptr;
  ui::Edit *eReg = nullptr;
  ui::Label *lblValue = nullptr;
  ui::Edit *eValue = nullptr;
  ui::Button *sbnRead = nullptr;
  ui::Button *sbnWrite = nullptr;
  ui::Button *sbnWrite2 = nullptr;
  ui::RadioGroup *rgDO = nullptr;
  ui::Button *sbnO1 = nullptr;
  ui::Button *sbnO2 = nullptr;
  ui::Button *sbnReadO = nullptr;
  ui::RadioGroup *rgDI = nullptr;
  ui::Button *sbnI1 = nullptr;
  ui::Button *sbnI2 = nullptr;
  ui::Button *sbnReadI = nullptr;
  ui::CheckBox *chbForce = nullptr;
  ui::StringGrid *sg = nullptr;
  ui::Button *sbnReadLogic = nullptr;
  ui::Memo *mmTimer = nullptr;
  ui::Button *sbnReadTimer = nullptr;
  ui::Memo *mmAin = nullptr;
  ui::Button *sbnReadAin = nullptr;
  ui::Label *lblMAC = nullptr;
  ui::Edit *meMAC = nullptr;
  ui::Label *lblMIP = nullptr;
  ui::Edit *meIP = nullptr;
  ui::Label *lblPort = nullptr;
  ui::Edit *mePort = nullptr;
  ui::Button *sbnConnRead = nullptr;
  ui::Button *sbnConnWrite = nullptr;
  ui::Button *sbnRestore = nullptr;
  ui::Button *sbnExcmd = nullptr;
  ui::StatusBar *stbM = nullptr;

 protected:
  LRESULT windowMessage(const platform::WindowMessage &message) override;

 private:
  using Outcome = selkan::DebugConsoleLogic::Outcome;

  void FormCreate();
  void build();
  void HandleCommResult(uint16_t function, uint16_t result);
  // Runs one operation with the address and host as typed now, then shows
  // what came of it.
  template <typename Operation>
  void run(Operation operation);
  // Shows the status, the item texts and the controls of a decoded read.
  void showTexts(int32_t decodedKind);

  std::unique_ptr<tarnex_client::IPlcApi> api_;
  tarnex_client::PlcLinkSettings link_;
  std::unique_ptr<selkan::DebugConsoleLogic> logic_;
  QButtonGroup *linkKind_ = nullptr;
};

// The console while it is shown, else null.
extern TDebugForm *DebugForm;
