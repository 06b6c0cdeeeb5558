// The editor's download and console logic on the real link library: frames
// go over UDP on 127.0.0.1 to the simulated controller, and the library's
// worker hands its completion notices to a window this thread pumps, as the
// editor's window thread would. Waits have 5 s deadlines: they check that
// things happen, not how fast.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "controller_editor/model/debug_console_logic.h"
#include "controller_editor/model/logic_download.h"
#include "plc_register_map.h"
#include "tests/controller_editor/model/test_projects.h"
#include "tests/support/loopback_plc_api.h"
#include "tests/support/queued_receiver.h"
#include "tools/controller_sim/controller_sim.h"

namespace {

using namespace std::chrono_literals;
using controller_sim::ControllerSim;
using selkan::DebugConsoleLogic;
using Clock = std::chrono::steady_clock;

constexpr uint8_t kAddress = 1;
constexpr const char *kLogicFrame = ":011000A0000A000A0319FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF2F";
constexpr uint16_t kLogicWords[] = {0x000A, 0x0319, 0xFFFF, 0xFFFF, 0xFFFF,
                                    0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};

std::vector<std::string> Requests(const ControllerSim &sim) {
  std::vector<std::string> texts;
  for (const auto &event : sim.events()) {
    if (event.kind == "rx") texts.push_back(event.text);
  }
  return texts;
}

// The library, the simulator and the window; notices go to onNotice.
class LoopbackLink : public ::testing::Test {
 protected:
  void SetUp() override { controllerPort = sim.startUdp(0); }

  void TearDown() override {
    // Every notice was handled by now, so no worker is left delivering.
    api.cleanup();
    sim.stop();
  }

  // Handles the next notice; false when none came in time.
  bool pumpNotice() { return window.pump(Clock::now() + 5s, 1) == 1; }

  // The library lets go of the line just after its notice was handled and
  // refuses a send until then; the operator's retry is repeated here.
  template <class Send>
  bool retryWhileBusy(Send send) {
    const auto deadline = Clock::now() + 5s;
    while (Clock::now() < deadline) {
      if (send()) return true;
      window.pump(Clock::now() + 10ms);
    }
    return false;
  }

  ControllerSim sim{kAddress};
  int32_t controllerPort = 0;
  testsupport::LoopbackOnlyPlcApi api;
  const tarnex_client::PlcLinkSettings settings{0, 9600};
  std::function<void(uint16_t, uint16_t)> onNotice;
  platform::QueuedReceiver window{[this](const platform::WindowMessage &m) -> LRESULT {
    if (m.message == tarnex_client::kPlcNoticeMessage && onNotice) {
      onNotice(static_cast<uint16_t>(m.wParam & 0xFFFF), static_cast<uint16_t>((m.wParam >> 16) & 0xFFFF));
    }
    return 0;
  }};
};

class LoopbackDownload : public LoopbackLink {
 protected:
  void SetUp() override {
    LoopbackLink::SetUp();
    api.startup(tarnex_client::kDirectMode);
    onNotice = [this](uint16_t function, uint16_t result) { download.handleNotice(function, result); };
    link.network = true;
    link.host = "127.0.0.1";
    link.hostPort = controllerPort;
  }

  bool start() {
    const auto started = download.start(project, 0, link, window.handle());
    EXPECT_TRUE(started.ok()) << started.error().message;
    return download.Busy;
  }

  selkan::Project project = selkan_test::OneDeviceProject(kAddress);
  selkan::LogicLinkChoice link;
  selkan::LogicDownload download{api, settings};
};

TEST_F(LoopbackDownload, TheListReachesTheControllerRegisters) {
  ASSERT_TRUE(start());
  EXPECT_EQ(download.statusText(), "正在上传设备逻辑列表...");
  ASSERT_TRUE(pumpNotice());
  EXPECT_FALSE(download.Busy);
  EXPECT_EQ(download.statusText(), "上传设备逻辑列表完成!");
  EXPECT_EQ(Requests(sim), (std::vector<std::string>{kLogicFrame}));
  for (int k = 0; k < plc::kLogicEntryCount; ++k) {
    EXPECT_EQ(sim.reg(plc::kRegLogicFirst + k), kLogicWords[k]) << "register " << plc::kRegLogicFirst + k;
  }
}

TEST_F(LoopbackDownload, ASilentControllerTimesOutAndTheNextDownloadGoesThrough) {
  ASSERT_TRUE(sim.setFault("silent"));
  ASSERT_TRUE(start());
  ASSERT_TRUE(pumpNotice());
  EXPECT_FALSE(download.Busy);
  EXPECT_EQ(download.statusText(), "通讯故障，超时!");

  // The silent controller took the words; they are cleared so the next
  // download shows that it arrived.
  for (int k = 0; k < plc::kLogicEntryCount; ++k) sim.setReg(plc::kRegLogicFirst + k, 0);
  ASSERT_TRUE(sim.setFault("none"));
  ASSERT_TRUE(retryWhileBusy([this] { return start(); })) << download.statusText();
  ASSERT_TRUE(pumpNotice());
  EXPECT_EQ(download.statusText(), "上传设备逻辑列表完成!");
  EXPECT_EQ(sim.reg(plc::kRegLogicFirst + 1), kLogicWords[1]);
  EXPECT_EQ(Requests(sim), (std::vector<std::string>{kLogicFrame, kLogicFrame}));
}

class LoopbackConsole : public LoopbackLink {
 protected:
  void SetUp() override {
    LoopbackLink::SetUp();
    onNotice = [this](uint16_t function, uint16_t result) { console.handleNotice(function, result); };
    console.start(window.handle());
    console.setController(std::to_string(kAddress));
    console.setHost("127.0.0.1");
    console.setControllerPort(controllerPort);
    ASSERT_TRUE(console.open(true, 0));
  }

  // Runs one console operation to its notice.
  void complete(const std::function<DebugConsoleLogic::Outcome()> &operation) {
    ASSERT_TRUE(retryWhileBusy([&] { return operation() == DebugConsoleLogic::Outcome::Sent; }))
        << console.texts().status;
    ASSERT_TRUE(pumpNotice());
    EXPECT_FALSE(console.sendInFlight());
  }

  DebugConsoleLogic console{api, settings};
};

TEST_F(LoopbackConsole, ReadsAndWritesARegister) {
  sim.setReg(128, 4660);
  complete([this] { return console.readRegister("128"); });
  EXPECT_EQ(console.decodedKind(), DebugConsoleLogic::OneRegister);
  EXPECT_EQ(console.texts().status, "完成!");
  EXPECT_EQ(console.texts().value, "4660");

  complete([this] { return console.writeRegister("128", "777"); });
  EXPECT_EQ(console.texts().status, "完成!");
  EXPECT_EQ(sim.reg(128), 777);
  // A write's reply leaves the value the last read showed.
  EXPECT_EQ(console.texts().value, "4660");

  complete([this] { return console.readRegister("128"); });
  EXPECT_EQ(console.texts().value, "777");
  EXPECT_EQ(Requests(sim).size(), 3u);
}

TEST_F(LoopbackConsole, ASilentControllerTimesOut) {
  ASSERT_TRUE(sim.setFault("silent"));
  sim.setReg(128, 4660);
  complete([this] { return console.readRegister("128"); });
  EXPECT_EQ(console.texts().status, "通讯故障，超时!");
  EXPECT_EQ(console.decodedKind(), DebugConsoleLogic::Write);
  EXPECT_EQ(console.texts().value, "1");
}

}  // namespace
