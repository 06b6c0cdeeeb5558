#pragma once
// The controller link library against the controller simulator, on either
// link: UDP on 127.0.0.1 (the library's slot on local port 0, the simulator
// replying to the sender), or serial through a pty behind a COM3 link in a
// temporary directory that stands in for the executable's directory.
//
// Every case runs in its own process, so each starts with a fresh library.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "platform/file_io.h"
#include "tarnex.h"
#include "tests/support/com_link.h"
#include "tests/support/notice_recorder.h"
#include "tests/support/temp_dir.h"
#include "tools/controller_sim/controller_sim.h"

namespace linktest {

using namespace std::chrono_literals;
using testsupport::Notice;

enum class Link { Udp, Serial };

inline std::string LinkName(const ::testing::TestParamInfo<Link> &info) {
  return info.param == Link::Udp ? "Udp" : "Serial";
}

inline constexpr int kComPort = 3;
inline constexpr int32_t kQueued = -1;
inline constexpr int32_t kDirect = 0;

class LinkTest : public ::testing::TestWithParam<Link> {
 protected:
  void SetUp() override {
    if (udp()) {
      simPort_ = sim_.startUdp(0);
    } else {
      com_ = std::make_unique<testsupport::ComLink>(dir_.path(), kComPort, sim_.startPty(9600));
    }
    start(kQueued);
  }

  void TearDown() override {
    PLC_SetNotify(0, 0);
    PLC_Cleanup();
  }

  bool udp() const { return GetParam() == Link::Udp; }

  // Starts the library in a send mode and opens the device link.
  void start(int32_t mode) {
    ASSERT_EQ(PLC_Startup(mode), 1);
    slot_ = open();
    ASSERT_GE(slot_, 0);
    PLC_SetNotify(recorder_.handle(), PlcNotifyMessage);
  }

  int32_t open() { return udp() ? PLC_OpenDev(2, 9600, 0) : PLC_OpenDev((kComPort << 16) | 1, 9600, 0); }

  int32_t send() { return PLC_Send(slot_, "127.0.0.1", simPort_); }

  // A send once the previous worker has let go: busy stays set until its
  // notice has been handled and the worker ends, just after the handler.
  template <typename Send>
  static int32_t whenFree(Send send) {
    int32_t job = 1;
    const auto guard = std::chrono::steady_clock::now() + testsupport::kHangGuard;
    while ((job = send()) == 1 && std::chrono::steady_clock::now() < guard) std::this_thread::sleep_for(1ms);
    return job;
  }
  int32_t sendWhenFree() {
    return whenFree([this] { return send(); });
  }

  // One accepted send and its notice; fails the test on a refusal or when
  // the notice does not come within the hang guard.
  Notice exchange() {
    const int32_t job = sendWhenFree();
    EXPECT_GE(job, 2) << "the send was not accepted";
    std::optional<Notice> notice = recorder_.next();
    if (!notice) {
      ADD_FAILURE() << "no completion notice";
      return Notice{};
    }
    return *notice;
  }

  // The next request the simulator took, as the text on the wire without CR LF.
  std::string nextRx() {
    const auto event = sim_.waitForEvent("rx", 10s);
    return event ? event->text : std::string("<nothing received>");
  }

  std::string logName() const { return udp() ? "plc_udp.txt" : "plc_comm.txt"; }
  std::optional<std::string> logText(const std::string &name = {}) const {
    const auto bytes = platform::ReadWholeFile((dir_ / (name.empty() ? logName() : name)).string(), 1 << 20);
    if (!bytes.ok()) return std::nullopt;
    return std::string(bytes.value().begin(), bytes.value().end());
  }
  // The log is written by a thread of its own, soon after the frame went
  // out: waits until it holds `expected` (within the hang guard) and returns
  // what it holds then.
  std::optional<std::string> waitForLog(const std::string &expected, const std::string &name = {}) const {
    const auto guard = std::chrono::steady_clock::now() + testsupport::kHangGuard;
    std::optional<std::string> text = logText(name);
    while (text != expected && std::chrono::steady_clock::now() < guard) {
      std::this_thread::sleep_for(1ms);
      text = logText(name);
    }
    return text;
  }

  // The late-reply fault long enough to miss this link's deadline, or short
  // enough to make it.
  std::string lateWithin() const { return udp() ? "late:500" : "late:1500"; }
  std::string lateBeyond() const { return udp() ? "late:1300" : "late:2600"; }

  testsupport::TempDir dir_;
  testsupport::ExecutableDirOverride exeDir_{dir_.path()};
  controller_sim::ControllerSim sim_;
  std::unique_ptr<testsupport::ComLink> com_;
  uint16_t simPort_ = 0;
  testsupport::NoticeRecorder recorder_;
  int32_t slot_ = -1;
};

inline bool SameReply(const PlcReply &a, const PlcReply &b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace linktest

#define LINK_TEST_SUITE(suite) \
  INSTANTIATE_TEST_SUITE_P(Links, suite, ::testing::Values(linktest::Link::Udp, linktest::Link::Serial), linktest::LinkName)
