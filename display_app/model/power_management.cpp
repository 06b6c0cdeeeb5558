#include "display_app/model/power_management.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "controller_comm/client/open_failure.h"
#include "display_app/model/reply_words.h"
#include "display_app/model/status_decode.h"
#include "display_app/model/value_text.h"
#include "platform/cp936.h"
#include "platform/number_text.h"
#include "plc_register_map.h"

namespace morvit {
namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// A finite number, or nothing.
std::optional<double> ParseNumber(std::string_view text) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double value = platform::ParseFloatOr(TrimBlanks(text), nan);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::string Printf(const char *format, long long value) {
  char buf[96];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

// The open request of a controller's link; a connection mode other than
// serial (0) or UDP (1) asks for no link.
int32_t DevTypePort(const TPlcParm &plc) {
  using tarnex_client::LinkKind;
  const LinkKind kind = plc.ConnMode == 0 ? LinkKind::Serial : plc.ConnMode == 1 ? LinkKind::Udp : LinkKind::None;
  return tarnex_client::LinkRequest(kind, plc.Comm);
}

const plc::RegisterBlock &BlockOf(PollPhase phase) {
  switch (phase) {
    case PollPhase::Plan:
      return plc::kBlockPlan;
    case PollPhase::Status:
      return plc::kBlockStatus;
    default:
      return plc::kBlockClock;
  }
}

}  // namespace

PowerManagementModel::PowerManagementModel(tarnex_client::IPlcApi &api, tarnex_client::PlcLinkSettings link, Clock clock)
    : api_(api), link_(link), clock_(clock ? std::move(clock) : Clock(SystemLocalTime)) {}

// --- library ---------------------------------------------------------------

void PowerManagementModel::startLibrary() { api_.startup(tarnex_client::kQueuedMode); }

void PowerManagementModel::shutdownLibrary() {
  setTimers(false);
  pollPhase_ = PollPhase::None;
  closeController();
  inFlight_.reset();
  api_.cleanup();
  flush();
}

void PowerManagementModel::flush() {
  if (pending_ == 0) return;
  const uint32_t bits = pending_;
  pending_ = 0;
  if (onChange_) onChange_(bits);
}

// --- configuration ---------------------------------------------------------

platform::Result<void> PowerManagementModel::loadControllers(const std::string &path) {
  if (loaded_) return {};
  loaded_ = true;
  path_ = path;
  platform::Result<void> result;
  auto config = morvit::loadControllers(path);
  const bool fileFound = config.ok() && config.value().FileFound;
  if (config.ok()) {
    alarmTemperature_ = config.value().AlarmTemperature;
    controllers_ = std::move(config.value().Controllers);
    items_ = std::move(config.value().Items);
  } else {
    result = config.error();
  }
  items_.resize(controllers_.size());
  changed(kChangeControllers | kChangeGrid);
  auto selected = selectController(controllers_.empty() ? -1 : 0);
  if (result.ok() && !selected.ok()) result = selected;
  // A file that is there but names no controller would leave the view blank.
  if (result.ok() && fileFound && controllers_.empty()) {
    setStatus(kPanelAction, "User.ini 中没有可用的控制器。");
  }
  flush();
  return result;
}

std::vector<std::string> PowerManagementModel::controllerLines() const {
  std::vector<std::string> lines;
  lines.reserve(controllers_.size());
  for (const TPlcParm &c : controllers_) lines.push_back(c.Name + "(" + std::to_string(c.Addr) + ")");
  return lines;
}

const std::vector<StatusItem> &PowerManagementModel::statusItems() const {
  static const std::vector<StatusItem> kNone;
  if (selectedController_ < 0 || static_cast<size_t>(selectedController_) >= items_.size()) return kNone;
  return items_[static_cast<size_t>(selectedController_)];
}

const TPlcParm *PowerManagementModel::selectedPlc() const {
  if (selectedController_ < 0 || static_cast<size_t>(selectedController_) >= controllers_.size()) return nullptr;
  return &controllers_[static_cast<size_t>(selectedController_)];
}

const TDevParm *PowerManagementModel::currentDevice() const {
  if (selectedDevice_ < 0 || static_cast<size_t>(selectedDevice_) >= devices_.size() || !selectedPlc()) return nullptr;
  return &devices_[static_cast<size_t>(selectedDevice_)];
}

platform::Result<void> PowerManagementModel::selectController(int32_t n) {
  selectedController_ = n;
  changed(kChangeControllers);
  if (n < 0) {
    flush();
    return {};
  }
  api_.setNotify(notifyWindow_, static_cast<int32_t>(tarnex_client::kPlcNoticeMessage));

  platform::Result<void> result;
  auto loaded = morvit::loadDevices(path_, n);
  if (loaded.ok()) {
    devices_ = std::move(loaded.value());
  } else {
    devices_.clear();
    result = loaded.error();
  }
  selectedDevice_ = -1;
  changed(kChangeDevices | kChangeOutputs);

  const auto &items = statusItems();
  alarmVisible_ = std::any_of(items.begin(), items.end(), [](const StatusItem &i) { return i.Type == kItemAlarmTemperature; });
  limitVisible_ =
      std::any_of(items.begin(), items.end(), [](const StatusItem &i) { return i.Type == kItemShutdownTemperature; });
  gridColumn2_.assign(items.size() + 1, std::string());
  gridColumn2_[0] = "监视量值";
  changed(kChangeControls | kChangeGrid);

  closeController();
  if (!devices_.empty()) {
    selectDevice(0);
    openAndStart();
  } else {
    // Nothing to poll or command: the link stays closed, and a notice of the
    // old link still on its way counts no more than after a reopen.
    ++generation_;
    resetDecoded();
    pollPhase_ = PollPhase::None;
    setTimers(false);
    enableCommands(false);
    for (int panel : {kPanelLink, kPanelMode}) setStatus(panel, "");
    setStatus(kPanelAction, pollRefusal());
  }
  updatePlanButton(timePlanChecked_);
  flush();
  return result;
}

// --- devices ---------------------------------------------------------------

void PowerManagementModel::selectDevice(int32_t position) {
  if (position < 0 || static_cast<size_t>(position) >= devices_.size()) return;
  if (position != selectedDevice_) {
    selectedDevice_ = position;
    changed(kChangeDevices | kChangeOutputs);
  }
  flush();
}

std::vector<OutputCell> PowerManagementModel::deviceCells(int32_t device, int pictureWidth) const {
  std::vector<OutputCell> cells;
  if (device < 0 || static_cast<size_t>(device) >= devices_.size()) return cells;
  const TDoParmArray &outputs = devices_[static_cast<size_t>(device)].Outputs;
  const int width = std::max(0, pictureWidth);
  if (outputs.empty()) {
    cells.push_back(OutputCell{0, width, false});
    return cells;
  }
  const int m = static_cast<int>(outputs.size());
  const int w = width / m;
  for (int k = 0; k < m; ++k) {
    cells.push_back(OutputCell{k * w, k == m - 1 ? width : (k + 1) * w, outputs[static_cast<size_t>(k)].State == 1});
  }
  return cells;
}

// --- link ------------------------------------------------------------------

void PowerManagementModel::resetDecoded() {
  linkState_ = LinkState::Unknown;
  timeoutCount_ = 0;
  lastReadPhase_ = PollPhase::None;
  errorCode_ = 0;
  errorRow_ = 0;
  shutdownTemperature_ = 0;
  shutdownRow_ = 0;
  shutdownController_ = -1;
  measuredTemperature_ = 0;
  measuredRow_ = 0;
  brightness_ = 0;
  brightnessRow_ = 0;
  for (size_t row = 1; row < gridColumn2_.size(); ++row) gridColumn2_[row].clear();
  if (selectedController_ >= 0 && static_cast<size_t>(selectedController_) < items_.size()) {
    for (StatusItem &item : items_[static_cast<size_t>(selectedController_)]) item.ValueText.clear();
  }
  status_[kPanelClock].clear();
  changed(kChangeGrid | kChangeStatusBar);
}

bool PowerManagementModel::openController(int32_t c) {
  if (slot_ != -1) closeController();
  ++generation_;
  resetDecoded();
  if (c < 0 || static_cast<size_t>(c) >= controllers_.size()) {
    flush();
    return false;
  }
  slot_ = api_.openDev(DevTypePort(controllers_[static_cast<size_t>(c)]), link_.baud, link_.localUdpPort);
  flush();
  return slot_ != -1;
}

void PowerManagementModel::closeController() {
  api_.closeDev(slot_);
  slot_ = -1;
}

std::string PowerManagementModel::pollRefusal() const {
  const TPlcParm *plc = selectedPlc();
  // Address 0 is the line's broadcast: no controller answers a read sent
  // there, and a command would reach every controller on the line.
  if (plc && (plc->Addr & 0xFF) == 0) return "地址 0 是广播地址，不轮询";
  return std::string();
}

void PowerManagementModel::openAndStart() {
  std::string refusal = pollRefusal();
  if (refusal.empty()) {
    if (openController(selectedController_)) {
      pollPhase_ = PollPhase::Plan;
      tick();
      setTimers(true);
      setStatus(kPanelLink, "");
      setStatus(kPanelMode, "");
      setStatus(kPanelAction, "打开设备成功");
      enableCommands(true);
      return;
    }
    refusal = openFailureText();
  } else {
    // Not opened: what the previous link decoded or still sends counts no
    // more, as after a reopen.
    closeController();
    ++generation_;
    resetDecoded();
  }
  pollPhase_ = PollPhase::None;
  setTimers(false);
  setStatus(kPanelLink, "");
  setStatus(kPanelMode, "");
  setStatus(kPanelAction, std::move(refusal));
  enableCommands(false);
}

std::string PowerManagementModel::openFailureText() {
  const TPlcParm *plc = selectedPlc();
  if (!plc) return "打开设备失败";
  return tarnex_client::OpenFailureText(api_, DevTypePort(*plc), link_.localUdpPort, "打开设备失败");
}

void PowerManagementModel::sendQueued() {
  const TPlcParm *plc = selectedPlc();
  if (!plc) return;
  const int32_t started = api_.send(slot_, cp936::FromUtf8(plc->IP), plc->Port);
  if (tarnex_client::SendStarted(started)) inFlight_ = generation_;
}

void PowerManagementModel::tick() {
  const TPlcParm *plc = selectedPlc();
  if (pollPhase_ == PollPhase::None || !plc) return;
  if (api_.getCmdCount() == 0) {
    if (linkState_ == LinkState::Offline) pollPhase_ = PollPhase::Clock;
    switch (pollPhase_) {
      case PollPhase::Plan:
        api_.cmdRead(plc->Addr, plc::kBlockPlan.first, plc::kBlockPlan.count);
        lastReadPhase_ = PollPhase::Plan;
        break;
      case PollPhase::Status:
        api_.cmdRead(plc->Addr, plc::kBlockStatus.first, plc::kBlockStatus.count);
        lastReadPhase_ = PollPhase::Status;
        pollPhase_ = PollPhase::Clock;
        break;
      case PollPhase::Clock:
        api_.cmdRead(plc->Addr, plc::kBlockClock.first, plc::kBlockClock.count);
        lastReadPhase_ = PollPhase::Clock;
        pollPhase_ = PollPhase::Status;
        break;
      default:
        break;
    }
  }
  sendQueued();
  flush();
}

void PowerManagementModel::handleNotice(uint16_t function, uint16_t result) {
  (void)function;  // the reply record says what answered
  const bool current = inFlight_ && *inFlight_ == generation_;
  inFlight_.reset();
  const TPlcParm *plc = selectedPlc();
  if (!current || !plc) return;

  const bool wasOffline = linkState_ == LinkState::Offline;
  bool planDecoded = false;
  switch (result) {
    case PlcResultDone: {
      const PlcReply reply = api_.getData();
      if ((reply.address & 0xFF) != (plc->Addr & 0xFF)) return;
      if (reply.function == 3) {
        const PollPhase phase = lastReadPhase_;
        if (phase != PollPhase::None && reply.count != BlockOf(phase).count) {
          // Not the block that was asked for: show it, decode nothing.
          setStatus(kPanelAction, "数据错误");
        } else {
          setStatus(kPanelAction, "完成");
          if (phase == PollPhase::Plan) {
            decodePlan(reply);
            planDecoded = true;
          } else if (phase == PollPhase::Status) {
            decodeStatus(reply);
          } else if (phase == PollPhase::Clock) {
            decodeClock(reply);
          }
        }
      } else {
        setStatus(kPanelAction, "完成");
      }
      setStatus(kPanelLink, "在线");
      timeoutCount_ = 0;
      linkState_ = LinkState::Online;
      break;
    }
    case PlcResultTimeOut:
      setStatus(kPanelAction, "超时");
      ++timeoutCount_;
      if (timeoutCount_ >= 2) {
        setStatus(kPanelMode, "");
        if (linkState_ != LinkState::Offline) {
          setStatus(kPanelLink, "离线");
          flashPhase_ = true;
        }
        linkState_ = LinkState::Offline;
      }
      break;
    case PlcResultMismatch:
      setStatus(kPanelAction, "数据错误");
      setStatus(kPanelLink, "在线");
      timeoutCount_ = 0;
      linkState_ = LinkState::Online;
      break;
    default:
      return;
  }
  // Back online: read the plan again before status and clock.
  if (wasOffline && linkState_ == LinkState::Online && !planDecoded) pollPhase_ = PollPhase::Plan;
  changed(kChangeStatusBar);
  flush();
}

void PowerManagementModel::decodePlan(const PlcReply &reply) {
  const plc::RegisterBlock &block = plc::kBlockPlan;
  auto reg = [&](int r) { return ReplyWord(reply, block, r).value_or(0); };
  const uint16_t enable = reg(plc::kRegPlanEnable);
  const bool checked = enable >= 1 && enable <= 3;
  decoding_ = true;
  if (checked != timePlanChecked_) {
    timePlanChecked_ = checked;
    changed(kChangePlan);
  }
  flush();
  decoding_ = false;
  updatePlanButton(checked);

  std::array<uint16_t, kPlanWordCount> words{};
  for (size_t k = 0; k < words.size(); ++k) words[k] = reg(plc::kRegPlanEnableBitsLow + static_cast<int>(k));
  DecodePlanWords(words, plan_);
  changed(kChangePlan);
  pollPhase_ = PollPhase::Status;
  flush();
}

void PowerManagementModel::setGridText(size_t row, const std::string &text) {
  if (row >= gridColumn2_.size() || gridColumn2_[row] == text) return;
  gridColumn2_[row] = text;
  changed(kChangeGrid);
}

void PowerManagementModel::decodeStatus(const PlcReply &reply) {
  auto reg = [&](int64_t r) { return ReplyWord(reply, plc::kBlockStatus, r); };
  if (selectedController_ >= 0 && static_cast<size_t>(selectedController_) < items_.size()) {
    auto &items = items_[static_cast<size_t>(selectedController_)];
    const StatusValues values = DecodeStatusItems(items, reply, alarmTemperature_);
    if (values.error) {
      errorCode_ = values.error->value;
      errorRow_ = values.error->row;
    }
    if (values.shutdownTemperature) {
      shutdownTemperature_ = values.shutdownTemperature->value;
      shutdownRow_ = values.shutdownTemperature->row;
      shutdownController_ = selectedController_;
    }
    if (values.measuredTemperature) {
      measuredTemperature_ = values.measuredTemperature->value;
      measuredRow_ = values.measuredTemperature->row;
    }
    if (values.brightness) {
      brightness_ = values.brightness->value;
      brightnessRow_ = values.brightness->row;
    }
    for (size_t j = 0; j < items.size(); ++j) setGridText(j + 1, items[j].ValueText);
  }

  setStatus(kPanelMode, reg(plc::kRegModeSwitch).value_or(0) != 0 ? "Auto" : "Manual");
  for (int k = 0; k < plc::kOutputCount; ++k) {
    const bool on = plc::OutputIsOn(reg(plc::kRegOutputStateFirst + k).value_or(1));
    for (TDevParm &device : devices_) {
      for (TDoParm &output : device.Outputs) {
        if (output.Output == k) output.State = on ? 1 : 0;
      }
    }
  }
  changed(kChangeOutputs);
  if (linkState_ == LinkState::Offline) pollPhase_ = PollPhase::Plan;
  flush();
}

void PowerManagementModel::decodeClock(const PlcReply &reply) {
  const plc::RegisterBlock &block = plc::kBlockClock;
  auto reg = [&](int r) { return static_cast<int>(ReplyWord(reply, block, r).value_or(0)); };
  setStatus(kPanelClock, ClockText(reg(plc::kRegClockYear), reg(plc::kRegClockMonth), reg(plc::kRegClockDay),
                                    reg(plc::kRegClockHour), reg(plc::kRegClockMinute)));
  if (linkState_ == LinkState::Offline) pollPhase_ = PollPhase::Plan;
  flush();
}

void PowerManagementModel::flashTick() {
  flashPhase_ = !flashPhase_;
  if (linkState_ == LinkState::Offline) setStatus(kPanelLink, flashPhase_ ? "离线" : "");
  const auto &items = statusItems();
  auto blink = [&](uint16_t row) {
    if (row == 0 || row > items.size()) return;
    setGridText(row, flashPhase_ ? items[row - 1u].ValueText : std::string());
  };
  if (measuredTemperature_ > 0 && measuredTemperature_ >= alarmTemperature_) blink(measuredRow_);
  if (errorCode_ != 0) blink(errorRow_);
  flush();
}

// --- what the view shows -------------------------------------------------------

const std::string &PowerManagementModel::statusText(int panel) const {
  static const std::string kEmpty;
  if (panel < 0 || panel >= kStatusPanelCount) return kEmpty;
  return status_[static_cast<size_t>(panel)];
}

bool PowerManagementModel::statusAlert(int panel) const {
  if (panel == kPanelLink) return status_[kPanelLink] == "离线";
  if (panel == kPanelMode) return status_[kPanelMode] == "Manual";
  return false;
}

void PowerManagementModel::setStatus(int panel, std::string text) {
  if (panel < 0 || panel >= kStatusPanelCount) return;
  auto &slot = status_[static_cast<size_t>(panel)];
  if (slot == text) return;
  slot = std::move(text);
  changed(kChangeStatusBar);
}

std::string PowerManagementModel::gridText(int row, int column) const {
  if (row < 0 || row >= gridRowCount()) return std::string();
  if (row == 0) {
    if (column == 1) return "监视量名称";
    if (column == 2) return gridColumn2_[0];
    return std::string();
  }
  const auto &items = statusItems();
  if (column == 1 && static_cast<size_t>(row) <= items.size()) return items[static_cast<size_t>(row) - 1].Name;
  if (column == 2) return gridColumn2_[static_cast<size_t>(row)];
  return std::string();
}

GridCell PowerManagementModel::gridCell(int row) const {
  if (row < 0 || row >= gridRowCount()) return {};
  const std::string &text = gridColumn2_[static_cast<size_t>(row)];
  if (row == 0) return GridCell{text, CellStyle::Header};
  const auto &items = statusItems();
  const int type = static_cast<size_t>(row) <= items.size() ? items[static_cast<size_t>(row) - 1].Type : 0;
  return StatusCell(type, text, measuredTemperature_ >= alarmTemperature_);
}

bool PowerManagementModel::enabled(Control control) const {
  if (control == Control::WeekDay) return commandsEnabled_ && planButton_;
  return commandsEnabled_;
}

void PowerManagementModel::enableCommands(bool flag) {
  if (commandsEnabled_ == flag) return;
  commandsEnabled_ = flag;
  changed(kChangeControls);
}

void PowerManagementModel::updatePlanButton(bool flag) {
  if (planButton_ == flag) return;
  planButton_ = flag;
  changed(kChangeControls);
}

void PowerManagementModel::setTimers(bool on) {
  if (pollTimer_ == on && flashTimer_ == on) return;
  pollTimer_ = on;
  flashTimer_ = on;
  changed(kChangeTimers);
}

// --- commands -----------------------------------------------------------------

CommandResult PowerManagementModel::afterQueued(int32_t queued, std::string action, bool resetReadPhase) {
  CommandResult result;
  if (queued == 0) {
    result.status = CommandResult::Status::Refused;
    result.message = "数值超出控制器的范围。";
    flush();
    return result;
  }
  sendQueued();
  if (resetReadPhase) lastReadPhase_ = PollPhase::None;
  setStatus(kPanelAction, std::move(action));
  flush();
  result.status = CommandResult::Status::Done;
  return result;
}

namespace {

CommandResult Refusal(std::string message) {
  CommandResult result;
  result.status = CommandResult::Status::Refused;
  result.message = std::move(message);
  return result;
}

CommandResult Outcome(const platform::Result<void> &written) {
  CommandResult result;
  result.status = written.ok() ? CommandResult::Status::Done : CommandResult::Status::Failed;
  if (!written.ok()) result.message = written.error().message;
  return result;
}

}  // namespace

CommandResult PowerManagementModel::switchDevice(bool on) {
  const TDevParm *device = currentDevice();
  if (!device) return {};
  if (device->Id >= plc::kLogicGroupCount) return Refusal(Printf("设备号 %lld 超出 0..31。", device->Id));
  const int32_t address = selectedPlc()->Addr;
  const int32_t queued = on ? api_.cmdPowerOnLC(address, device->Id) : api_.cmdPowerOffLC(address, device->Id);
  return afterQueued(queued, (on ? "开启" : "关闭") + device->Name + "...", true);
}

CommandResult PowerManagementModel::powerOn() { return switchDevice(true); }

CommandResult PowerManagementModel::powerOff() { return switchDevice(false); }

CommandResult PowerManagementModel::setClock() {
  if (!currentDevice()) return {};
  const TimeCheckArgs args = BuildTimeCheck(clock_());
  return afterQueued(api_.cmdSetTimeCheck(selectedPlc()->Addr, args.a, args.b, args.c, args.d), "校时...", true);
}

CommandResult PowerManagementModel::timePlanClick(bool checked) {
  if (decoding_) return {};  // the decode set the box; the controller already knows
  if (timePlanChecked_ != checked) {
    timePlanChecked_ = checked;
    changed(kChangePlan);
  }
  CommandResult result;
  if (currentDevice()) {
    const int32_t queued =
        api_.cmdSetTimerEnable(selectedPlc()->Addr, checked ? plc::kPlanEnableOn : plc::kPlanEnableOff);
    result = afterQueued(queued, checked ? "开启定时计划..." : "禁用定时计划...", true);
  }
  updatePlanButton(checked);
  flush();
  return result;
}

CommandResult PowerManagementModel::sendWeekPlan(const WeekPlan &plan) {
  if (!currentDevice()) return {};
  setStatus(kPanelAction, "设置定时计划...");
  plan_ = plan;
  changed(kChangePlan);
  const auto words = BuildPlanWords(plan);
  static_assert(kPlanWordCount == plc::kBlockPlanWrite.count);
  const int32_t queued =
      api_.cmdWrite(selectedPlc()->Addr, plc::kBlockPlanWrite.first, words.data(), plc::kBlockPlanWrite.count);
  return afterQueued(queued, "设置定时计划...", true);
}

InputRequest PowerManagementModel::shutdownLimitInput() const {
  return InputRequest{"关闭温度", platform::FormatFloat(shutdownTemperature_)};
}

CommandResult PowerManagementModel::setShutdownLimit(std::string_view text) {
  if (!currentDevice()) return {};
  const auto &items = statusItems();
  const StatusItem *item = nullptr;
  if (shutdownRow_ > 0 && shutdownController_ == selectedController_ && shutdownRow_ <= items.size() &&
      items[shutdownRow_ - 1u].Type == kItemShutdownTemperature) {
    item = &items[shutdownRow_ - 1u];
  } else {
    auto it = std::find_if(items.begin(), items.end(),
                           [](const StatusItem &i) { return i.Type == kItemShutdownTemperature; });
    if (it != items.end()) item = &*it;
  }
  if (!item) return {};
  const auto value = ParseNumber(text);
  if (!value) return Refusal("不是数字：" + std::string(text));
  if (item->Channel < 1 || item->Channel > plc::kAnalogLimitCount)
    return Refusal(Printf("通道 %lld 超出 1..8。", item->Channel));
  const double raw = ScaleToRaw(*value, item->Gain, item->Offset, item->Base);
  if (!(raw >= 0 && raw <= 65535)) return Refusal("数值超出控制器的范围。");
  const int32_t queued = api_.cmdSetAW(selectedPlc()->Addr, item->Channel - 1, static_cast<int32_t>(raw));
  return afterQueued(queued, "设置关闭温度...", false);
}

InputRequest PowerManagementModel::alarmTemperatureInput() const {
  return InputRequest{"报警温度", platform::FormatFloat(alarmTemperature_)};
}

CommandResult PowerManagementModel::setAlarmTemperature(std::string_view text) {
  alarmTemperature_ = ParseNumber(text).value_or(alarmTemperature_);
  changed(kChangeGrid);
  CommandResult result = Outcome(writeAlarmTemperature(path_, alarmTemperature_));
  flush();
  return result;
}

InputRequest PowerManagementModel::renameInput() const {
  const TDevParm *device = currentDevice();
  return InputRequest{"新名称", device ? device->Name : std::string()};
}

CommandResult PowerManagementModel::renameDevice(std::string_view name) {
  const TDevParm *device = currentDevice();
  if (!device) return {};
  const std::string_view trimmed = TrimBlanks(name);
  if (!CanStoreName(trimmed)) return Refusal("名称含有无法保存的字符。");
  CommandResult result = Outcome(writeDeviceName(path_, device->PositionInFile, trimmed));
  if (result.status == CommandResult::Status::Done) {
    devices_[static_cast<size_t>(selectedDevice_)].Name = std::string(trimmed);
    changed(kChangeDevices);
  }
  flush();
  return result;
}

CommandResult PowerManagementModel::applyLinkSettings(const TPlcParmArray &edited) {
  CommandResult result;
  if (controllers_.empty() || !selectedPlc() || edited.size() != controllers_.size()) {
    linkState_ = LinkState::Unknown;
    flush();
    return result;
  }
  closeController();
  controllers_ = edited;
  changed(kChangeControllers);
  result = Outcome(writeLinkSettings(path_, controllers_));
  if (!devices_.empty()) {
    openAndStart();
  } else {
    setStatus(kPanelAction, pollRefusal());
  }
  linkState_ = LinkState::Unknown;
  flush();
  return result;
}

void PowerManagementModel::cancelLinkSettings() {
  linkState_ = LinkState::Unknown;
  flush();
}

}  // namespace morvit
