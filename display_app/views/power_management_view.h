#pragma once
// The cabinet power management view: the controllers of "User.ini", one
// panel per device of the selected controller with a cell per output, the
// status items, the controller's clock and link state, and the commands
// that switch devices and set the controller. The logic lives in
// PowerManagementModel; the view shows what the model says and passes the
// operator's actions, the timers and the link library's notices on.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controller_comm/client/link_services.h"
#include "controller_comm/client/plc_api.h"
#include "display_app/model/power_management.h"
#include "platform/ui/frame.h"
#include "platform/ui/image.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"
#include "platform/ui/scroll_box.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/string_grid.h"
#include "platform/ui/timer.h"

namespace ui {
class MenuItem;
}

namespace kwo {
class TImageButton;
class TkwoCheckBox;
class TkwoComboBox;
class TkwoPopupMenu;
}  // namespace kwo

namespace morvit {

class TMyPanel;

class TfrmPLCManagement : public ui::Frame {
  Q_OBJECT
 public:
  // On a call interface of the services' making, with their link settings.
  TfrmPLCManagement(ui::Component *owner, const tarnex_client::LinkServices &services);
  ~TfrmPLCManagement() override;

  // Reads "User.ini" the first time it runs and opens the first
  // controller's link.
  void LoadControllers();

  PowerManagementModel &model() { return *model_; }
  const std::vector<TMyPanel *> &devicePanels() const { return panels_; }

  // --- the operator's commands ---
  void cmbPLCChange();
  void btnPowerOnClick();
  void btnPowerOffClick();
  void btnTimeAdjustClick();
  void chbTimePlanClick();
  void btnWeekDayClick();
  void btnTemLimitClick();
  void btnTemWarnClick();
  void btnCommunicationSettingsClick();
  void mnRenameClick();
  void DevMouseDown(TMyPanel *panel);

  // --- widgets ---
  ui::Panel *pnlMain = nullptr;
  ui::Image *imgTitle = nullptr;
  ui::Label *lblTitle = nullptr;
  ui::Panel *pnlClient = nullptr;
  ui::Label *lblPLC = nullptr;
  kwo::TkwoComboBox *cmbPLC = nullptr;
  ui::ScrollBox *scbDev = nullptr;
  ui::StringGrid *sgState = nullptr;
  kwo::TkwoCheckBox *chbTimePlan = nullptr;
  kwo::TImageButton *btnPowerOn = nullptr;
  kwo::TImageButton *btnPowerOff = nullptr;
  kwo::TImageButton *btnTimeAdjust = nullptr;
  kwo::TImageButton *btnCommunicationSettings = nullptr;
  kwo::TImageButton *btnWeekDay = nullptr;
  kwo::TImageButton *btnTemLimit = nullptr;
  kwo::TImageButton *btnTemWarn = nullptr;
  ui::Image *imgTemWarn = nullptr;
  ui::Image *imgTemLimit = nullptr;
  ui::StatusBar *stbM = nullptr;
  ui::Timer *tmrM = nullptr;
  ui::Timer *tFlash = nullptr;
  kwo::TkwoPopupMenu *pmItem = nullptr;
  ui::MenuItem *mnPowerOn = nullptr;
  ui::MenuItem *mnPowerOff = nullptr;
  ui::MenuItem *mnRename = nullptr;

 protected:
  LRESULT windowMessage(const platform::WindowMessage &message) override;
  void resized() override;

 private:
  void build();
  void FrameResize();
  void modelChanged(uint32_t bits);
  void rebuildPanels();
  void layoutPanels();
  void PaintDevicePanel(TMyPanel &panel, QPainter &painter);
  void stbMDrawPanel(int panel, QPainter &painter, const QRect &rect);
  void sgStateDrawCell(int col, int row, const QRect &rect, QPainter &painter);
  void updateGrid();
  void updateControls();
  void updateTimers();
  // Shows a refusal or a failure in a message box.
  void report(const CommandResult &result);
  // Shows a dialog modally: make builds it, read takes its values before it
  // goes. Nothing when the view went while it was open, else whether it
  // ended with OK.
  template <typename Make, typename Read>
  std::optional<bool> runDialog(Make make, Read read);
  // Asks for one value; nothing when cancelled or when the view went meanwhile.
  std::optional<std::string> askInput(const InputRequest &request, bool selectAll = false);

  std::unique_ptr<tarnex_client::IPlcApi> api_;
  std::unique_ptr<PowerManagementModel> model_;
  std::vector<TMyPanel *> panels_;
  std::vector<int32_t> panelDevices_;  // position in file of each panel's device
};

}  // namespace morvit
