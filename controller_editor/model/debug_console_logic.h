#pragma once
// The debug console without its window: the link it opens, one method per
// button, and the completion notices, which it decodes into the texts the
// window shows. It calls the link library only through IPlcApi.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controller_comm/client/plc_api.h"
#include "controller_editor/model/debug_codec.h"

namespace selkan {

// What the console's controls show.
struct DebugConsoleTexts {
  std::string status;
  std::string value = "1";
  std::array<std::string, 10> outputs;
  std::array<std::string, 12> inputs;
  bool force = false;
  std::array<LogicRowTexts, 10> logic;
  std::vector<std::string> timer;
  std::vector<std::string> analogue;
  NetworkTexts network{"AA.BB.CC.DD.EE.FF", "192.168.000.001", ""};
};

class DebugConsoleLogic {
 public:
  // How the next accepted reply is decoded; Write is any write's reply.
  enum PendingRequest : int32_t {
    Write = -1,
    OneRegister = 0,
    Logic = 1,
    TimerPlan = 2,
    Network = 3,
    Outputs = 4,
    Inputs = 5,
    Analogue = 6,
  };
  // What became of an operation.
  enum class Outcome {
    Sent,     // the send was accepted
    Busy,     // the library refused the send
    NoLink,   // no link is open: the window says "请先打开设备"
    Refused,  // bad input: the window shows message()
  };

  DebugConsoleLogic(tarnex_client::IPlcApi &api, tarnex_client::PlcLinkSettings settings = {});

  // At creation: direct send mode and the window that takes the notices.
  void start(HWND window);

  // The controller address (its text), and the remote host and UDP port of
  // every send (the port counts only on a network link).
  void setController(std::string_view text) { address_ = ParseControllerAddress(text); }
  void setHost(std::string host) { host_ = std::move(host); }
  void setControllerPort(int32_t port) { controllerPort_ = port; }

  // 打开: network or serial port comIndex + 1; an open link is closed first.
  bool open(bool network, int32_t comIndex);
  // 关闭.
  void close();

  Outcome readRegister(std::string_view reg);
  Outcome writeInputRegister(int32_t diIndex, std::string_view value);
  Outcome writeRegister(std::string_view reg, std::string_view value);
  Outcome switchOutput(int32_t doIndex, bool on);
  Outcome switchInput(int32_t diIndex, bool on);
  Outcome forceClicked(bool checked);
  Outcome readLogic();
  Outcome readTimerPlan();
  Outcome readNetwork();
  Outcome writeNetwork(std::string_view mac, std::string_view ip, std::string_view port);
  Outcome restoreFactorySettings();
  Outcome readOutputs();
  Outcome readInputs();
  Outcome readAnalogue();

  // A completion notice of the library.
  void handleNotice(uint16_t function, uint16_t result);

  int32_t linkHandle() const { return linkHandle_; }
  // True while the open link is the network one.
  bool networkLink() const { return network_; }
  int32_t pendingRequest() const { return pendingRequest_; }
  // What the last notice decoded into texts(): a read's kind, or Write when
  // it decoded nothing (a write's reply, a time-out, a refusal, a data error).
  int32_t decodedKind() const { return decodedKind_; }
  bool sendInFlight() const { return inFlight_; }
  const DebugConsoleTexts &texts() const { return texts_; }
  const std::string &message() const { return message_; }

 private:
  Outcome read(PendingRequest kind, int32_t first, int32_t count);
  Outcome write(int32_t first, const uint16_t *words, int32_t count);
  Outcome writeOne(int32_t first, uint16_t word);
  Outcome send(PendingRequest kind);
  Outcome refuse(std::string message);
  void decode(int32_t kind, const PlcReply &reply);

  tarnex_client::IPlcApi &api_;
  tarnex_client::PlcLinkSettings settings_;
  int32_t linkHandle_ = -1;
  int32_t pendingRequest_ = Write;
  int32_t countRead_ = 0;
  int32_t decodedKind_ = Write;
  int32_t controllerPort_ = 6666;
  bool inFlight_ = false;
  bool network_ = false;
  uint8_t address_ = 0;
  std::string host_ = "192.168.0.254";
  DebugConsoleTexts texts_;
  std::string message_;
};

}  // namespace selkan
