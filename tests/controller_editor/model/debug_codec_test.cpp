// The debug console's reply texts and the network words it writes.
#include "controller_editor/model/debug_codec.h"

#include <gtest/gtest.h>

#include <vector>

namespace selkan {
namespace {

TEST(DebugCodec, ControllerAddressKeepsTheLowByteAndDefaultsToOne) {
  const std::pair<const char *, int> cases[] = {{"abc", 1}, {"", 1}, {"300", 44}, {"05", 5}, {"255", 255}, {"256", 0}};
  for (const auto &[text, address] : cases) EXPECT_EQ(ParseControllerAddress(text), address) << text;
}

TEST(DebugCodec, PlanWithOnePeriodShowsTheWholeWeek) {
  std::vector<uint16_t> d(75, 0);
  d[0] = 1;
  d[17] = 1;  // only Sunday's first period
  d[19] = 0x0815;
  d[20] = 0x1230;
  const std::vector<std::string> lines = DecodePlan(d);
  ASSERT_EQ(lines.size(), 36u);
  EXPECT_EQ(lines[0], "定时功能开启");
  EXPECT_EQ(lines[1], "[星期日]");
  EXPECT_EQ(lines[2], "     时段1启用 [08:21 - 18:48]");
  EXPECT_EQ(lines[3], "     时段2禁用");
  EXPECT_EQ(lines[6], "[星期一]");
  EXPECT_EQ(lines[35], "     时段4禁用");
}

TEST(DebugCodec, PlanMaskHighWordReachesSaturday) {
  std::vector<uint16_t> d(75, 0);
  d[0] = 1;
  d[18] = 1 << (27 - 16);  // bit 27: Saturday's last period
  d[19 + 8 * 6 + 6] = 0x1700;
  d[19 + 8 * 6 + 7] = 0x173B;
  const std::vector<std::string> lines = DecodePlan(d);
  ASSERT_EQ(lines.size(), 36u);
  EXPECT_EQ(lines[35], "     时段4启用 [23:00 - 23:59]");
  EXPECT_EQ(lines[2], "     时段1禁用");
}

TEST(DebugCodec, PlanOffIsOneLine) {
  const std::vector<uint16_t> d(75, 0x0101);
  std::vector<uint16_t> off = d;
  off[0] = 0;
  EXPECT_EQ(DecodePlan(off), std::vector<std::string>{"定时功能关闭"});
}

TEST(DebugCodec, ShortRepliesCountMissingWordsAsZero) {
  const std::vector<uint16_t> one{1};
  EXPECT_EQ(DecodePlan(one).size(), 36u);
  EXPECT_EQ(DecodeNetwork({}).ip, "000.000.000.000");
  EXPECT_EQ(DecodeOutputs({})[9], "10 - 1");
  EXPECT_EQ(DecodeLogic({})[9], (LogicRowTexts{"0", "0", "0"}));
}

TEST(DebugCodec, LogicRowsOutputsInputsAndAnalogue) {
  const std::vector<uint16_t> logic{0x2305, 0xFFFF};
  EXPECT_EQ(DecodeLogic(logic)[0], (LogicRowTexts{"2", "3", "5"}));
  EXPECT_EQ(DecodeLogic(logic)[1], (LogicRowTexts{"15", "15", "255"}));

  std::vector<uint16_t> outputs(10, 1);
  outputs[2] = 0;
  const auto out = DecodeOutputs(outputs);
  EXPECT_EQ(out[2], "03 - 1");
  EXPECT_EQ(out[0], "01 - 0");

  std::vector<uint16_t> inputs(16, 0);
  inputs[0] = 1;
  inputs[1] = 2;  // only 1 means on
  inputs[15] = 1;
  const InputTexts in = DecodeInputs(inputs);
  EXPECT_EQ(in.items[0], "01 - 1");
  EXPECT_EQ(in.items[1], "02 - 0");
  EXPECT_EQ(in.items[11], "12 - 0");
  EXPECT_TRUE(in.force);
  inputs[15] = 2;
  EXPECT_FALSE(DecodeInputs(inputs).force);

  std::vector<uint16_t> analogue(16, 0);
  analogue[0] = 35;
  analogue[8] = 60;
  analogue[7] = 65535;
  const std::vector<std::string> lines = DecodeAnalogue(analogue);
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0], "采集数值  --  极限数值");
  EXPECT_EQ(lines[1], "00000035  --  00000060");
  EXPECT_EQ(lines[8], "00065535  --  00000000");
}

TEST(DebugCodec, NetworkWordsRoundTrip) {
  const std::array<uint16_t, 6> words{0x2211, 0x4433, 0x6655, 0xA8C0, 0x0100, 6666};
  const NetworkTexts texts = DecodeNetwork(words);
  EXPECT_EQ(texts.mac, "11.22.33.44.55.66");
  EXPECT_EQ(texts.ip, "192.168.000.001");
  EXPECT_EQ(texts.port, "6666");
  const auto encoded = EncodeNetwork(texts.mac, texts.ip, texts.port);
  ASSERT_TRUE(encoded) << encoded.error().message;
  EXPECT_EQ(encoded.value(), words);
}

TEST(DebugCodec, EncodeNetworkReadsBlanksAndDefaultsThePort) {
  const auto encoded = EncodeNetwork("A_.__.__.__.__.0f", "10_.1__.__1.255", "abc");
  ASSERT_TRUE(encoded) << encoded.error().message;
  EXPECT_EQ(encoded.value()[0], 0x00A0);  // "A " gives 0xA0
  EXPECT_EQ(encoded.value()[2], 0x0F00);
  EXPECT_EQ(encoded.value()[3], 10 + 256 * 1);
  EXPECT_EQ(encoded.value()[4], 1 + 256 * 255);
  EXPECT_EQ(encoded.value()[5], 6666);
}

TEST(DebugCodec, EncodeNetworkRefusals) {
  struct Case {
    const char *ip;
    const char *port;
    const char *message;
  };
  const Case cases[] = {
      {"300.001.001.001", "6666", "IP地址每段应为0..255。"},
      {"192.168.000.001", "70000", "端口应为1..65535。"},
      {"192.168.000.001", "0", "端口应为1..65535。"},
      {"192.168.000.001", "-1", "端口应为1..65535。"},
      {"192.___.000.001", "6666", "'' is not a valid integer value"},
      {"192.1x8.000.001", "6666", "'1x8' is not a valid integer value"},
      {"192.168.000", "6666", "'' is not a valid integer value"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.ip) + " " + c.port);
    const auto encoded = EncodeNetwork("11.22.33.44.55.66", c.ip, c.port);
    ASSERT_FALSE(encoded);
    EXPECT_EQ(encoded.error().message, c.message);
  }
}

}  // namespace
}  // namespace selkan
