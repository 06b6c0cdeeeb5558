#include "controller_editor/model/debug_console_logic.h"

#include <iterator>

#include "controller_comm/client/open_failure.h"
#include "platform/number_text.h"
#include "plc_register_map.h"

namespace selkan {
namespace {

constexpr uint16_t kFunctionRead = 3;
// DI1..DI12: the smoke input, the mode switch and the power inputs.
constexpr int32_t kInputCount = plc::kRegPowerInputFirst + plc::kPowerInputCount;
constexpr int32_t kMaxReplyWords = static_cast<int32_t>(std::size(PlcReply{}.data));

constexpr const char *kReading = "正在读寄存器...";
constexpr const char *kWriting = "正在写寄存器...";
constexpr const char *kBusy = "通讯忙，请稍后再试";
constexpr const char *kRangeRefusal = "寄存器和数值应为0..65535。";

// A register or value typed by the user: 0 when it is not a number; false
// when it is outside 16 bits.
bool ParseWord(std::string_view text, uint16_t &word) {
  const int32_t value = platform::ParseIntegerOr(text, 0);
  if (value < 0 || value > 0xFFFF) return false;
  word = static_cast<uint16_t>(value);
  return true;
}

// The item's number alone, before any state is known.
std::string ItemNumber(size_t index) { return StateItemText(index, false).substr(0, 2); }

}  // namespace

DebugConsoleLogic::DebugConsoleLogic(tarnex_client::IPlcApi &api, tarnex_client::PlcLinkSettings settings)
    : api_(api), settings_(settings) {
  for (int32_t i = 0; i < plc::kOutputCount; ++i) texts_.outputs[i] = ItemNumber(i);
  for (int32_t i = 0; i < kInputCount; ++i) texts_.inputs[i] = ItemNumber(i);
}

void DebugConsoleLogic::start(HWND window) {
  api_.startup(0);
  api_.setNotify(window, static_cast<int32_t>(tarnex_client::kPlcNoticeMessage));
}

bool DebugConsoleLogic::open(bool network, int32_t comIndex) {
  close();
  using tarnex_client::LinkKind;
  const int32_t devTypePort = tarnex_client::LinkRequest(network ? LinkKind::Udp : LinkKind::Serial, comIndex + 1);
  linkHandle_ = api_.openDev(devTypePort, settings_.baud, settings_.localUdpPort);
  network_ = network && linkHandle_ != -1;
  texts_.status = linkHandle_ == -1 ? tarnex_client::OpenFailureText(api_, devTypePort, settings_.localUdpPort,
                                                                     "打开设备失败或设备已被占用")
                                    : "打开设备成功";
  return linkHandle_ != -1;
}

void DebugConsoleLogic::close() {
  if (linkHandle_ == -1) return;
  api_.closeDev(linkHandle_);
  linkHandle_ = -1;
  network_ = false;
  inFlight_ = false;
  texts_.status = "设备已关闭";
}

DebugConsoleLogic::Outcome DebugConsoleLogic::refuse(std::string message) {
  message_ = std::move(message);
  return Outcome::Refused;
}

DebugConsoleLogic::Outcome DebugConsoleLogic::send(PendingRequest kind) {
  if (!tarnex_client::SendStarted(api_.send(linkHandle_, host_, controllerPort_))) {
    texts_.status = kBusy;
    return Outcome::Busy;
  }
  inFlight_ = true;
  pendingRequest_ = kind;
  texts_.status = kind == Write ? kWriting : kReading;
  return Outcome::Sent;
}

DebugConsoleLogic::Outcome DebugConsoleLogic::read(PendingRequest kind, int32_t first, int32_t count) {
  if (linkHandle_ == -1) return Outcome::NoLink;
  api_.cmdRead(address_, first, count);
  const Outcome outcome = send(kind);
  if (outcome == Outcome::Sent) countRead_ = count;
  return outcome;
}

DebugConsoleLogic::Outcome DebugConsoleLogic::write(int32_t first, const uint16_t *words, int32_t count) {
  if (linkHandle_ == -1) return Outcome::NoLink;
  api_.cmdWrite(address_, first, words, count);
  return send(Write);
}

DebugConsoleLogic::Outcome DebugConsoleLogic::writeOne(int32_t first, uint16_t word) {
  return write(first, &word, 1);
}

DebugConsoleLogic::Outcome DebugConsoleLogic::readRegister(std::string_view reg) {
  if (linkHandle_ == -1) return Outcome::NoLink;
  uint16_t first = 0;
  if (!ParseWord(reg, first)) return refuse(kRangeRefusal);
  return read(OneRegister, first, 1);
}

DebugConsoleLogic::Outcome DebugConsoleLogic::writeInputRegister(int32_t diIndex, std::string_view value) {
  if (linkHandle_ == -1) return Outcome::NoLink;
  uint16_t word = 0;
  if (diIndex < 0 || diIndex >= kInputCount || !ParseWord(value, word)) return refuse(kRangeRefusal);
  return writeOne(diIndex, word);
}

DebugConsoleLogic::Outcome DebugConsoleLogic::writeRegister(std::string_view reg, std::string_view value) {
  if (linkHandle_ == -1) return Outcome::NoLink;
  uint16_t first = 0;
  uint16_t word = 0;
  if (!ParseWord(reg, first) || !ParseWord(value, word)) return refuse(kRangeRefusal);
  return writeOne(first, word);
}

DebugConsoleLogic::Outcome DebugConsoleLogic::switchOutput(int32_t doIndex, bool on) {
  if (linkHandle_ == -1) return Outcome::NoLink;
  if (doIndex < 0 || doIndex >= plc::kOutputCount) return refuse(kRangeRefusal);
  const Outcome outcome = writeOne(plc::kRegOutputSwitchFirst + doIndex, on ? plc::kOn : plc::kOff);
  if (outcome == Outcome::Sent) texts_.outputs[doIndex] = StateItemText(doIndex, on);
  return outcome;
}

DebugConsoleLogic::Outcome DebugConsoleLogic::switchInput(int32_t diIndex, bool on) {
  if (linkHandle_ == -1) return Outcome::NoLink;
  if (diIndex < 0 || diIndex >= kInputCount) return refuse(kRangeRefusal);
  const Outcome outcome = writeOne(diIndex, on ? 1 : 2);
  if (outcome == Outcome::Sent) texts_.inputs[diIndex] = StateItemText(diIndex, on);
  return outcome;
}

DebugConsoleLogic::Outcome DebugConsoleLogic::forceClicked(bool checked) {
  if (linkHandle_ == -1) return Outcome::NoLink;
  const Outcome outcome = writeOne(plc::kRegForceMode, checked ? 1 : 0);
  if (outcome == Outcome::Sent) texts_.force = checked;
  return outcome;
}

DebugConsoleLogic::Outcome DebugConsoleLogic::readLogic() { return read(Logic, plc::kRegLogicFirst, plc::kLogicEntryCount); }
DebugConsoleLogic::Outcome DebugConsoleLogic::readTimerPlan() { return read(TimerPlan, plc::kBlockPlan.first, plc::kBlockPlan.count); }
DebugConsoleLogic::Outcome DebugConsoleLogic::readNetwork() { return read(Network, plc::kRegMac10, plc::kRegUdpPort - plc::kRegMac10 + 1); }
DebugConsoleLogic::Outcome DebugConsoleLogic::readOutputs() { return read(Outputs, plc::kRegOutputStateFirst, plc::kOutputCount); }
DebugConsoleLogic::Outcome DebugConsoleLogic::readInputs() { return read(Inputs, plc::kRegSmokeInput, plc::kRegForceMode + 1); }
DebugConsoleLogic::Outcome DebugConsoleLogic::readAnalogue() { return read(Analogue, plc::kRegAnalogInputFirst, plc::kAnalogInputCount + plc::kAnalogLimitCount); }

DebugConsoleLogic::Outcome DebugConsoleLogic::writeNetwork(std::string_view mac, std::string_view ip,
                                                           std::string_view port) {
  if (linkHandle_ == -1) return Outcome::NoLink;
  const auto words = EncodeNetwork(mac, ip, port);
  if (!words) return refuse(words.error().message);
  return write(plc::kRegMac10, words.value().data(), static_cast<int32_t>(words.value().size()));
}

DebugConsoleLogic::Outcome DebugConsoleLogic::restoreFactorySettings() { return writeOne(plc::kRegFactoryReset, 1); }

void DebugConsoleLogic::handleNotice(uint16_t function, uint16_t result) {
  // Only the notice of this console's own send counts.
  decodedKind_ = Write;
  if (!inFlight_) return;
  inFlight_ = false;
  const int32_t kind = pendingRequest_;
  pendingRequest_ = Write;
  if (result == PlcResultTimeOut) {
    texts_.status = "通讯故障，超时!";
    return;
  }
  if (result != PlcResultDone) return;
  texts_.status = "完成!";
  if (kind == Write) return;
  const PlcReply reply = api_.getData();
  if (function != kFunctionRead || reply.count != countRead_ || reply.count > kMaxReplyWords) {
    texts_.status = "数据错误";
    return;
  }
  decode(kind, reply);
  decodedKind_ = kind;
}

void DebugConsoleLogic::decode(int32_t kind, const PlcReply &reply) {
  const std::span<const uint16_t> d(reply.data, reply.count);
  switch (kind) {
    case OneRegister:
      texts_.value = std::to_string(d[0]);
      break;
    case Logic:
      texts_.logic = DecodeLogic(d);
      break;
    case TimerPlan:
      texts_.timer = DecodePlan(d);
      break;
    case Network:
      texts_.network = DecodeNetwork(d);
      break;
    case Outputs:
      texts_.outputs = DecodeOutputs(d);
      break;
    case Inputs: {
      // Set silently: the force flag's click writes only for the user.
      const InputTexts inputs = DecodeInputs(d);
      texts_.inputs = inputs.items;
      texts_.force = inputs.force;
      break;
    }
    case Analogue:
      texts_.analogue = DecodeAnalogue(d);
      break;
    default:
      break;
  }
}

}  // namespace selkan
