#pragma once
// The cabinet power management view's state and logic, without windows: the
// controller list, the devices of the selected controller, the link and its
// 400 ms poll, the decoding of replies into what the view shows, the blink,
// and the commands the operator gives. The view forwards its timer ticks,
// clicks and completion notices here and draws what the getters return; the
// change callback tells it what to redraw.
//
// Everything runs in the window thread.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controller_comm/client/plc_api.h"
#include "display_app/model/command_result.h"
#include "display_app/model/controller_clock.h"
#include "display_app/model/plc_config.h"
#include "display_app/model/status_cells.h"
#include "display_app/model/week_plan.h"
#include "platform/result.h"

namespace morvit {

// The controls whose Enabled the model decides.
enum class Control {
  PowerOn,        // btnPowerOn
  PowerOff,       // btnPowerOff
  TimeAdjust,     // btnTimeAdjust
  TemLimit,       // btnTemLimit
  TemWarn,        // btnTemWarn
  TimePlan,       // chbTimePlan
  WeekDay,        // btnWeekDay
  MenuPowerOn,    // mnPowerOn
  MenuPowerOff,   // mnPowerOff
};

// Status bar panels.
enum StatusPanel : int { kPanelLink = 0, kPanelMode = 1, kPanelAction = 2, kPanelClock = 3 };
inline constexpr int kStatusPanelCount = 4;

// One output's cell in a device picture: x from x0 to x1 (exclusive), full
// height, green when on.
struct OutputCell {
  int x0 = 0;
  int x1 = 0;
  bool on = false;
};

// What changed, for the change callback (a bit set).
enum ModelChange : uint32_t {
  kChangeControllers = 1u << 0,  // controller list, selection
  kChangeDevices = 1u << 1,      // device list, names, selection: rebuild or relayout panels
  kChangeOutputs = 1u << 2,      // output states: repaint panels
  kChangeStatusBar = 1u << 3,
  kChangeGrid = 1u << 4,         // grid rows or column-2 texts
  kChangePlan = 1u << 5,         // plan check box and plan
  kChangeControls = 1u << 6,     // enabled and visible controls
  kChangeTimers = 1u << 7,       // poll or blink timer switched
};

// Which block the next poll reads, and which block a read reply answers.
enum class PollPhase { None = 0, Plan = 1, Status = 2, Clock = 3 };

enum class LinkState { Unknown = 0, Online = 1, Offline = 2 };

class PowerManagementModel {
 public:
  static constexpr int kPollIntervalMs = 400;
  static constexpr int kFlashIntervalMs = 500;

  explicit PowerManagementModel(tarnex_client::IPlcApi &api, tarnex_client::PlcLinkSettings link = {}, Clock clock = SystemLocalTime);
  PowerManagementModel(const PowerManagementModel &) = delete;
  PowerManagementModel &operator=(const PowerManagementModel &) = delete;

  // --- library and window -------------------------------------------------
  // Starts the library in queued mode (the view's constructor).
  void startLibrary();
  // Stops both timers, closes the link and cleans the library up (the view's
  // destructor, after it stopped taking notices).
  void shutdownLibrary();
  // The window that takes the completion notices; registered with the
  // library whenever the devices of a controller are loaded.
  void setNotifyWindow(HWND window) { notifyWindow_ = window; }
  // Called after each operation with the ModelChange bits that changed. The
  // plan check box must be set from inside the callback (see timePlanClick).
  void setChangeCallback(std::function<void(uint32_t)> callback) { onChange_ = std::move(callback); }

  // --- configuration --------------------------------------------------------
  // Reads the file once (later calls do nothing), selects controller 0 when
  // there is one and loads its devices. Errors leave an empty list; a file
  // that is there but names no controller says so in status panel 2.
  platform::Result<void> loadControllers(const std::string &path);
  bool controllersLoaded() const { return loaded_; }
  const std::string &configPath() const { return path_; }
  const TPlcParmArray &controllers() const { return controllers_; }
  // Lines of the controller list: "name(address)".
  std::vector<std::string> controllerLines() const;
  int32_t selectedController() const { return selectedController_; }
  // The controller list's choice changed: loads that controller's devices,
  // draws its panels and grid and opens its link when it has devices.
  platform::Result<void> selectController(int32_t n);
  const TDevParmArray &devices() const { return devices_; }
  // Status items of the selected controller (grid row j + 1 = item j).
  const std::vector<StatusItem> &statusItems() const;
  double alarmTemperature() const { return alarmTemperature_; }

  // --- devices ------------------------------------------------------------
  int32_t selectedDevice() const { return selectedDevice_; }
  // A mouse button went down on a device panel.
  void selectDevice(int32_t position);
  // 3 for the selected device's panel, else 1.
  int bevelWidth(int32_t device) const { return device == selectedDevice_ ? 3 : 1; }
  // The cells of a device's picture of the given width; a device without
  // outputs is one black strip.
  std::vector<OutputCell> deviceCells(int32_t device, int pictureWidth) const;

  // --- link and poll --------------------------------------------------------
  bool openController(int32_t c);
  void closeController();
  // The 400 ms poll: queues the next read when nothing is queued, then sends.
  void tick();
  // A completion notice: function and result of the ended send.
  void handleNotice(uint16_t function, uint16_t result);
  // The 500 ms blink.
  void flashTick();
  // The three decodes of a read reply, by the block it answers.
  void decodePlan(const PlcReply &reply);
  void decodeStatus(const PlcReply &reply);
  void decodeClock(const PlcReply &reply);

  int32_t slot() const { return slot_; }
  PollPhase pollPhase() const { return pollPhase_; }
  PollPhase lastReadPhase() const { return lastReadPhase_; }
  LinkState linkState() const { return linkState_; }
  int32_t timeoutCount() const { return timeoutCount_; }
  uint64_t generation() const { return generation_; }
  bool pollTimerRunning() const { return pollTimer_; }
  bool flashTimerRunning() const { return flashTimer_; }

  // --- what the view shows ------------------------------------------------------
  const std::string &statusText(int panel) const;
  // Drawn red: panel 0 reading "离线", panel 1 reading "Manual"; else green
  // (panels 0 and 1) or the font colour (2 and 3).
  bool statusAlert(int panel) const;
  int gridRowCount() const { return static_cast<int>(gridColumn2_.size()); }
  std::string gridText(int row, int column) const;
  // Column 2 of a row as drawn.
  GridCell gridCell(int row) const;
  bool timePlanChecked() const { return timePlanChecked_; }
  // True while a plan decode sets the check box.
  bool decoding() const { return decoding_; }
  bool enabled(Control control) const;
  bool alarmTemperatureVisible() const { return alarmVisible_; }  // btnTemWarn, imgTemWarn
  bool shutdownLimitVisible() const { return limitVisible_; }     // btnTemLimit, imgTemLimit
  const WeekPlan &weekPlan() const { return plan_; }

  // The last decoded values and their grid rows (0 = none yet).
  uint16_t errorCode() const { return errorCode_; }
  uint16_t errorRow() const { return errorRow_; }
  double shutdownTemperature() const { return shutdownTemperature_; }
  uint16_t shutdownRow() const { return shutdownRow_; }
  double measuredTemperature() const { return measuredTemperature_; }
  uint16_t measuredRow() const { return measuredRow_; }
  double brightness() const { return brightness_; }
  uint16_t brightnessRow() const { return brightnessRow_; }

  // --- commands -----------------------------------------------------------------
  CommandResult powerOn();
  CommandResult powerOff();
  CommandResult setClock();
  // The plan check box changed to checked. Changes made by the plan decode
  // (decoding() true) are skipped; every other change is sent.
  CommandResult timePlanClick(bool checked);
  // The plan dialog ended with OK: keeps the plan and sends it.
  CommandResult sendWeekPlan(const WeekPlan &plan);
  InputRequest shutdownLimitInput() const;
  CommandResult setShutdownLimit(std::string_view text);
  InputRequest alarmTemperatureInput() const;
  CommandResult setAlarmTemperature(std::string_view text);
  InputRequest renameInput() const;
  CommandResult renameDevice(std::string_view name);
  // The link dialog ended with OK, with its edited copy of the controllers.
  // With no controllers nothing is written and the link is left; otherwise
  // the settings are kept and written, and the link reopens when the
  // controller has devices. LinkState becomes 0 in every case.
  CommandResult applyLinkSettings(const TPlcParmArray &edited);
  // The link dialog ended otherwise: LinkState becomes 0.
  void cancelLinkSettings();

 private:
  const TPlcParm *selectedPlc() const;
  const TDevParm *currentDevice() const;
  void resetDecoded();
  void openAndStart();
  void enableCommands(bool flag);
  void updatePlanButton(bool flag);
  void setTimers(bool on);
  void setStatus(int panel, std::string text);
  void setGridText(size_t row, const std::string &text);
  void sendQueued();
  // Status panel 2 after a failed open: why, when the library's -1 can be
  // traced to the serial device or to a local port another program holds.
  std::string openFailureText();
  // Why the selected controller is not polled at all; empty when it is.
  std::string pollRefusal() const;
  // After a command export returned queued (the new queue length, 0 when
  // refused): sends it and shows action, or gives the refusal.
  CommandResult afterQueued(int32_t queued, std::string action, bool resetReadPhase);
  // Switches the selected device on or off as a whole.
  CommandResult switchDevice(bool on);
  void changed(uint32_t bits) { pending_ |= bits; }
  void flush();

  tarnex_client::IPlcApi &api_;
  tarnex_client::PlcLinkSettings link_;
  Clock clock_;
  HWND notifyWindow_ = 0;
  std::function<void(uint32_t)> onChange_;
  uint32_t pending_ = 0;

  bool loaded_ = false;
  std::string path_;
  double alarmTemperature_ = kDefaultAlarmTemperature;
  TPlcParmArray controllers_;
  std::vector<std::vector<StatusItem>> items_;
  int32_t selectedController_ = -1;
  TDevParmArray devices_;
  int32_t selectedDevice_ = -1;

  int32_t slot_ = -1;
  PollPhase pollPhase_ = PollPhase::None;
  PollPhase lastReadPhase_ = PollPhase::None;
  LinkState linkState_ = LinkState::Unknown;
  int32_t timeoutCount_ = 0;
  uint64_t generation_ = 0;
  std::optional<uint64_t> inFlight_;  // generation of the send whose notice is due
  bool pollTimer_ = false;
  bool flashTimer_ = false;
  bool flashPhase_ = false;

  std::array<std::string, kStatusPanelCount> status_;
  std::vector<std::string> gridColumn2_;  // by row; row 0 is the header
  bool timePlanChecked_ = false;
  bool decoding_ = false;
  bool commandsEnabled_ = false;
  bool planButton_ = false;
  bool alarmVisible_ = false;
  bool limitVisible_ = false;
  WeekPlan plan_;

  uint16_t errorCode_ = 0;
  uint16_t errorRow_ = 0;
  double shutdownTemperature_ = 0;
  uint16_t shutdownRow_ = 0;
  int32_t shutdownController_ = -1;
  double measuredTemperature_ = 0;
  uint16_t measuredRow_ = 0;
  double brightness_ = 0;
  uint16_t brightnessRow_ = 0;
};

}  // namespace morvit
