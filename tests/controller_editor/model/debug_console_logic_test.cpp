// The debug console's sends and the notices it decodes, against the
// recording stand-in for the link library.
#include "controller_editor/model/debug_console_logic.h"

#include <gtest/gtest.h>

#include "tests/support/fake_plc_api.h"

namespace selkan {
namespace {

using Outcome = DebugConsoleLogic::Outcome;

class DebugConsoleLogicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    api_.openResult = 3;
    api_.onNotice = [this](uint16_t function, uint16_t result) { console_.handleNotice(function, result); };
    console_.setController("1");
    ASSERT_TRUE(console_.open(true, 0));
  }

  tarnex_client::testing::FakePlcApi api_;
  DebugConsoleLogic console_{api_, tarnex_client::PlcLinkSettings{0, 9600}};
};

TEST_F(DebugConsoleLogicTest, ReadRegisterShowsTheValue) {
  ASSERT_EQ(console_.readRegister("128"), Outcome::Sent);
  EXPECT_EQ(console_.pendingRequest(), DebugConsoleLogic::OneRegister);
  EXPECT_EQ(console_.texts().status, "正在读寄存器...");
  api_.answerRead(1, {300});
  EXPECT_EQ(console_.texts().value, "300");
  EXPECT_EQ(console_.texts().status, "完成!");
  EXPECT_EQ(console_.pendingRequest(), DebugConsoleLogic::Write);
}

TEST_F(DebugConsoleLogicTest, WriteReplyAfterAReadKeepsTheValue) {
  ASSERT_EQ(console_.readRegister("128"), Outcome::Sent);
  api_.answerRead(1, {300});
  ASSERT_EQ(console_.writeRegister("128", "7"), Outcome::Sent);
  EXPECT_EQ(console_.pendingRequest(), DebugConsoleLogic::Write);
  api_.answerWrite(1);
  EXPECT_EQ(console_.texts().value, "300");
  EXPECT_EQ(console_.texts().status, "完成!");
  const auto writes = api_.callsNamed("CMD_Write");
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].args[1], 128);
  EXPECT_EQ(writes[0].words, std::vector<uint16_t>{7});
}

TEST_F(DebugConsoleLogicTest, RefusedSendShowsOnlyTheBusyText) {
  ASSERT_EQ(console_.readLogic(), Outcome::Sent);
  EXPECT_EQ(console_.readInputs(), Outcome::Busy);
  EXPECT_EQ(console_.texts().status, "通讯忙，请稍后再试");
  EXPECT_EQ(console_.switchOutput(2, true), Outcome::Busy);
  EXPECT_EQ(console_.texts().outputs[2], "03");  // never written, never shown
  EXPECT_EQ(console_.pendingRequest(), DebugConsoleLogic::Logic);
  // The logic reply is decoded as the logic list, not as input states.
  api_.answerRead(1, {0x2305, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(console_.texts().logic[0], (LogicRowTexts{"2", "3", "5"}));
  EXPECT_EQ(console_.texts().inputs[0], "01");
}

TEST_F(DebugConsoleLogicTest, ReplyOfAnotherCountIsADataError) {
  ASSERT_EQ(console_.readLogic(), Outcome::Sent);
  api_.answerRead(1, {0x2305});
  EXPECT_EQ(console_.texts().status, "数据错误");
  EXPECT_EQ(console_.texts().logic[0][0], "");
}

TEST_F(DebugConsoleLogicTest, StrayNoticeIsIgnored) {
  console_.handleNotice(3, PlcResultDone);
  EXPECT_EQ(console_.texts().status, "打开设备成功");
  EXPECT_TRUE(api_.callsNamed("PLC_GetData").empty());
  ASSERT_EQ(console_.readOutputs(), Outcome::Sent);
  api_.finish(PlcResultTimeOut);
  EXPECT_EQ(console_.texts().status, "通讯故障，超时!");
  console_.handleNotice(3, PlcResultDone);  // after its own notice
  EXPECT_EQ(console_.texts().status, "通讯故障，超时!");
}

TEST_F(DebugConsoleLogicTest, InputsSetTheForceFlagWithoutWriting) {
  ASSERT_EQ(console_.readInputs(), Outcome::Sent);
  std::vector<uint16_t> words(16, 0);
  words[0] = 1;
  words[15] = 1;
  api_.answerRead(1, words);
  EXPECT_TRUE(console_.texts().force);
  EXPECT_EQ(console_.texts().inputs[0], "01 - 1");
  EXPECT_TRUE(api_.callsNamed("CMD_Write").empty());
}

TEST_F(DebugConsoleLogicTest, SecondOpenClosesTheFirstLink) {
  api_.openResult = 4;
  ASSERT_TRUE(console_.open(true, 0));
  const auto closes = api_.callsNamed("PLC_CloseDev");
  ASSERT_EQ(closes.size(), 1u);
  EXPECT_EQ(closes[0].args[0], 3);
  EXPECT_EQ(console_.linkHandle(), 4);
}

TEST_F(DebugConsoleLogicTest, RefusalsSendNothing) {
  EXPECT_EQ(console_.writeRegister("70000", "1"), Outcome::Refused);
  EXPECT_EQ(console_.message(), "寄存器和数值应为0..65535。");
  EXPECT_EQ(console_.writeRegister("1", "-1"), Outcome::Refused);
  EXPECT_EQ(console_.readRegister("65536"), Outcome::Refused);
  EXPECT_EQ(console_.writeNetwork("11.22.33.44.55.66", "192.168.000.001", "70000"), Outcome::Refused);
  EXPECT_EQ(console_.message(), "端口应为1..65535。");
  EXPECT_TRUE(api_.commands().empty());
  console_.close();
  EXPECT_EQ(console_.readLogic(), Outcome::NoLink);
  EXPECT_TRUE(api_.commands().empty());
}

}  // namespace
}  // namespace selkan
