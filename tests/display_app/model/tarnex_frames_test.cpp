// The model on the real link library: the frames it makes go out over UDP on
// 127.0.0.1 to a socket standing in for the controller, whose replies come
// back as completion notices to a window this thread pumps.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "tests/display_app/model/model_fixture.h"
#include "tests/support/loopback_plc_api.h"
#include "tests/support/loopback_udp.h"
#include "tests/support/queued_receiver.h"

namespace morvit::testing {
namespace {

using namespace std::chrono_literals;

// ":" + the bytes in upper-case hexadecimal + their LRC + CR LF.
std::string FrameText(const std::vector<uint8_t> &bytes) {
  std::string text = ":";
  unsigned sum = 0;
  char hex[3];
  for (uint8_t b : bytes) {
    std::snprintf(hex, sizeof hex, "%02X", b);
    text += hex;
    sum += b;
  }
  std::snprintf(hex, sizeof hex, "%02X", (256 - sum % 256) % 256);
  return text + hex + "\r\n";
}

std::string ReadReply(uint8_t address, const std::vector<uint16_t> &words) {
  std::vector<uint8_t> bytes{address, 3, static_cast<uint8_t>(words.size() * 2)};
  for (uint16_t w : words) {
    bytes.push_back(static_cast<uint8_t>(w >> 8));
    bytes.push_back(static_cast<uint8_t>(w & 0xFF));
  }
  return FrameText(bytes);
}

class TarnexFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string ini = kDemoIni;
    ini.replace(ini.find("Port0=6001"), 10, "Port0=" + std::to_string(controller.port()));
    WriteBytes(path, Gbk(ini));
    model.setNotifyWindow(window.handle());
    model.startLibrary();
  }
  void TearDown() override { model.shutdownLibrary(); }

  // The next frame the controller gets. The library stays busy for a moment
  // after a notice, refusing the send; the poll timer's next tick sends the
  // queued frame then, and so do these ticks.
  std::string nextFrame() {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (std::chrono::steady_clock::now() < deadline) {
      if (auto datagram = controller.receive(std::chrono::steady_clock::now() + 50ms)) {
        lastSender = datagram->port;
        return datagram->bytes;
      }
      model.tick();
    }
    return "(nothing)";
  }
  // Answers the last frame and handles the notice.
  void answer(const std::string &reply) {
    ASSERT_TRUE(controller.sendTo(lastSender, reply));
    ASSERT_EQ(window.pump(std::chrono::steady_clock::now() + 5s, 1), 1u);
  }

  testsupport::LoopbackUdp controller;
  testsupport::TempDir dir;
  std::string path = (dir / "User.ini").string();
  testsupport::LoopbackOnlyPlcApi api;
  LocalDateTime now{2024, 3, 5, 14, 7, 9};
  PowerManagementModel model{api, tarnex_client::PlcLinkSettings{0, 9600}, [this] { return now; }};
  platform::QueuedReceiver window{[this](const platform::WindowMessage &m) -> LRESULT {
    if (m.message == tarnex_client::kPlcNoticeMessage) {
      model.handleNotice(static_cast<uint16_t>(m.wParam & 0xFFFF), static_cast<uint16_t>((m.wParam >> 16) & 0xFFFF));
    }
    return 0;
  }};
  int lastSender = 0;
};

TEST_F(TarnexFrames, PollAndCommands) {
  ASSERT_TRUE(model.loadControllers(path).ok());
  ASSERT_EQ(model.statusText(kPanelAction), "打开设备成功");

  EXPECT_EQ(nextFrame(), ":01030040004B71\r\n");
  std::vector<uint16_t> plan(75, 0);
  plan[0] = 3;
  answer(ReadReply(1, plan));
  EXPECT_EQ(model.statusText(kPanelLink), "在线");
  EXPECT_TRUE(model.timePlanChecked());

  model.tick();
  EXPECT_EQ(nextFrame(), ":010300000040BC\r\n");
  std::vector<uint16_t> status(64, 1);
  status[32] = 0;
  answer(ReadReply(1, status));
  EXPECT_EQ(model.statusText(kPanelMode), "Auto");
  EXPECT_EQ(model.devices().at(0).Outputs.at(0).State, 1);

  model.tick();
  EXPECT_EQ(nextFrame(), ":0103008C000868\r\n");
  answer(ReadReply(1, {2024, 3, 5, 2, 0, 14, 7, 9}));
  EXPECT_EQ(model.statusText(kPanelClock), "2024-03-05 14:07");

  const std::string writeEcho = FrameText({1, 0x10, 0, 0xB0, 0, 1});
  ASSERT_EQ(model.powerOn().status, CommandResult::Status::Done);
  EXPECT_EQ(nextFrame(), ":011000B0000100013D\r\n");
  answer(writeEcho);
  EXPECT_EQ(model.statusText(kPanelAction), "完成");

  ASSERT_EQ(model.setClock().status, CommandResult::Status::Done);
  EXPECT_EQ(nextFrame(), ":011000970009000107E80003000500410002000E00070009F6\r\n");
  answer(FrameText({1, 0x10, 0, 0x97, 0, 9}));

  WeekPlan week;
  week.setEnabled(1, 1, true);
  ASSERT_EQ(model.sendWeekPlan(week).status, CommandResult::Status::Done);
  const std::string planFrame = nextFrame();
  EXPECT_EQ(planFrame.size(), 249u);
  EXPECT_EQ(planFrame.substr(0, 21), ":01100051003A00200000");  // registers 81.., 58 words: 0x0020, 0
  answer(FrameText({1, 0x10, 0, 0x51, 0, 58}));
  EXPECT_EQ(model.statusText(kPanelAction), "完成");
  EXPECT_EQ(model.linkState(), LinkState::Online);
}

}  // namespace
TEST_F(TarnexFrames, SendsOutsideTheLoopbackFailAndSendNothing) {
  ASSERT_TRUE(model.loadControllers(path).ok());
  // The model's own first send ends before the test does, so no worker is
  // left running when the process exits.
  EXPECT_EQ(nextFrame(), ":01030040004B71\r\n");
  answer(ReadReply(1, std::vector<uint16_t>(75, 0)));
  ASSERT_TRUE(api.cmdRead(1, 0, 1) >= 1);
  int32_t sent = -1;
  EXPECT_NONFATAL_FAILURE(sent = api.send(0, "192.168.0.1", 6666), "outside the loopback");
  EXPECT_EQ(sent, 0);
}

}  // namespace morvit::testing
