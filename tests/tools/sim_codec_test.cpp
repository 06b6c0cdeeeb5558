// The simulated controller's side of the protocol, without links: which
// texts it answers and how, what its registers do on a write, and the
// replies of its fault modes.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

#include "plc_register_map.h"
#include "tools/controller_sim/fault_mode.h"
#include "tools/controller_sim/frame_codec.h"
#include "tools/controller_sim/register_bank.h"
#include "tools/controller_sim/sim_core.h"
#include "tools/controller_sim/text_assembler.h"

namespace controller_sim {
namespace {

using namespace std::chrono_literals;

constexpr std::time_t kHostTime = 1700000000;  // 2023-11-14 22:13:20 UTC

// A controller whose steady clock the test moves by hand.
class SimCoreTest : public ::testing::Test {
 protected:
  SimCoreTest() : core_(1, RegisterBank([this] { return now_; }, [] { return kHostTime; })) {}

  // The reply text (without CR LF) to a request text, or "" when none.
  std::string reply(const std::string &text) {
    const std::optional<ReplyPlan> plan = core_.handleText(text + "\r\n");
    if (!plan || plan->parts.size() != 1) return "";
    const std::string &sent = plan->parts[0];
    EXPECT_TRUE(sent.ends_with("\r\n")) << sent;
    EXPECT_EQ(plan->shown + "\r\n", sent);
    return sent.substr(0, sent.size() - 2);
  }

  std::chrono::steady_clock::time_point now_{100h};
  SimCore core_;
};

TEST_F(SimCoreTest, AnswersReadsAndWritesInTheControllersForms) {
  // Read of the 8 limits from 24: byte count 16, the default 60 each.
  EXPECT_EQ(reply(":010300180008DC"), ":010310003C003C003C003C003C003C003C003C0C");
  core_.setReg(16, 0x1234);
  core_.setReg(17, 0xABCD);
  EXPECT_EQ(reply(":010300100002EA"), ":0103041234ABCD3A");
  // Write without a byte count, answered by address, 0x10, first, n, LRC.
  EXPECT_EQ(reply(":0110004000010003AB"), ":011000400001AE");
  EXPECT_EQ(core_.reg(plc::kRegPlanEnable), 3);
  // Lower-case digits read the same.
  EXPECT_EQ(reply(":0103001a0001e1"), ":010302003CBE");

  const std::vector<std::string> received = core_.log().received();
  ASSERT_EQ(received.size(), 4u);
  EXPECT_EQ(received[2], ":0110004000010003AB");
}

TEST_F(SimCoreTest, DropsWhatAControllerWouldNotAnswer) {
  struct Case {
    std::string text;
    const char *reason;
  };
  const Case cases[] = {
      {":010300000040BD\r\n", "lrc"},
      {":020300000040BB\r\n", "address"},
      {":010300000040BC", "malformed"},      // no CR LF
      {":010300000040BC\n", "malformed"},    // LF alone
      {":01030000004\r\n", "malformed"},     // odd number of digits
      {":01030000G040BC\r\n", "malformed"},  // not hex
      {"010300000040BC\r\n", "malformed"},   // no colon
      {":01FF\r\n", "malformed"},            // no room for address, function and LRC
      {"", "malformed"},
      {":010600000001F8\r\n", "function"},    // a function the controller lacks
      {":01030000004000BC\r\n", "length"},    // a read with a byte too many
      // A write in the published form, with a byte count after the count.
      {":011000B000010200013B\r\n", "length"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text);
    core_.log().clear();
    EXPECT_FALSE(core_.handleText(c.text));
    const std::vector<SimEvent> events = core_.log().events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, "drop");
    EXPECT_EQ(events[0].reason, c.reason);
  }
  core_.log().clear();
  EXPECT_FALSE(core_.handleText(std::string(2000, 'A'), true));
  EXPECT_EQ(core_.log().events().at(0).reason, "too-long");
  EXPECT_TRUE(core_.log().received().empty());

  // A dropped write never acts: output 4 stays off.
  EXPECT_FALSE(core_.handleText(":0110003400010001B8\r\n"));
  EXPECT_EQ(core_.reg(36), 1);
}

TEST_F(SimCoreTest, ExceptionReplyForBlocksOutsideTheMap) {
  struct Case {
    const char *request;
    const char *reply;
  };
  const Case cases[] = {
      {":010300000000FC", ":0183027A"},          // read count 0
      {":0103000000807C", ":0183027A"},          // read of 128 registers
      {":0103012C0001CE", ":0183027A"},          // register 300
      {":010300FF0002FB", ":0183027A"},          // 255 and 256
      {":011000FF000200010001EC", ":0190026D"},  // write past 255
      {":011000100000DF", ":0190026D"},          // write count 0
      // The edges themselves are answered.
      {":011000FF00011234A9", ":011000FF0001EF"},
  };
  for (const Case &c : cases) EXPECT_EQ(reply(c.request), c.reply) << c.request;
  EXPECT_EQ(core_.reg(255), 0x1234);
  EXPECT_EQ(reply(":01030000007F7D").size(), 1u + 2 * (3 + 2 * 127 + 1));
}

TEST_F(SimCoreTest, DirectOutputSwitching) {
  EXPECT_EQ(reply(":0110003400010001B9"), ":011000340001BA");  // output 4 on
  EXPECT_EQ(core_.reg(36), 0);
  EXPECT_TRUE(plc::OutputIsOn(core_.reg(36)));
  reply(":0110003400010002B8");  // off
  EXPECT_EQ(core_.reg(36), 1);
  reply(":0110003900010001B4");  // output 9, the last
  EXPECT_EQ(core_.reg(41), 0);
  // Register 58 is no output switch: it only stores, output states stay.
  reply(":0110003A00010001B3");
  EXPECT_EQ(core_.reg(58), 1);
  EXPECT_EQ(core_.reg(42), 0);
}

TEST_F(SimCoreTest, GroupSwitchingFollowsTheLogicList) {
  // Device 0 drives outputs 3 and 7, device 1 output 5, device 0 also
  // names output 12, which does not exist; the rest of the list is empty.
  reply(":011000A0000A0300070015000C00FFFFFFFFFFFFFFFFFFFFFFFF26");
  EXPECT_EQ(core_.reg(160), 0x0300);

  EXPECT_EQ(reply(":011000B0000100013D"), ":011000B000013E");
  for (int output = 0; output < plc::kOutputCount; ++output) {
    EXPECT_EQ(core_.reg(plc::kRegOutputStateFirst + output), output == 3 || output == 7 ? 0 : 1) << output;
  }
  EXPECT_EQ(core_.reg(44), 0);  // output 12 would be register 44
  reply(":011000B1000100013C");  // device 1 on
  EXPECT_EQ(core_.reg(37), 0);
  reply(":011000B0000100023C");  // device 0 off
  EXPECT_EQ(core_.reg(35), 1);
  EXPECT_EQ(core_.reg(39), 1);
  EXPECT_EQ(core_.reg(37), 0);
}

TEST_F(SimCoreTest, ClockRunsOnFromItsSetting) {
  // Before any setting it shows the host's local time.
  std::tm local{};
  localtime_r(&kHostTime, &local);
  EXPECT_EQ(core_.reg(plc::kRegClockYear), local.tm_year + 1900);
  EXPECT_EQ(core_.reg(plc::kRegClockMinute), local.tm_min);

  // 2024-03-05 (day 65, a Tuesday) 14:07:09.
  EXPECT_EQ(reply(":011000970009000107E80003000500410002000E00070009F6"), ":0110009700094F");
  EXPECT_EQ(reply(":0103008C000868"), ":01031007E80003000500020000000E00070009D5");
  now_ += 52min + 51s;  // on to 15:00:00
  const std::vector<uint16_t> expected{2024, 3, 5, 2, 0, 15, 0, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(core_.reg(plc::kRegClockYear + i), expected[i]) << i;
  now_ += 9h + 1s;  // past midnight into Wednesday
  EXPECT_EQ(core_.reg(plc::kRegClockDay), 6);
  EXPECT_EQ(core_.reg(plc::kRegClockDayOfWeek), 3);

  // A setting that is no date leaves the clock running.
  core_.setReg(plc::kRegClockSetMonth, 13);
  core_.setReg(plc::kRegClockSetTrigger, 0);
  const std::string trigger_again = ":011000970001000156";
  reply(trigger_again);
  EXPECT_EQ(core_.reg(plc::kRegClockMonth), 3);
}

TEST_F(SimCoreTest, FactoryResetRestoresTheDefaults) {
  reply(":0110004000010003AB");
  reply(":0110003400010001B9");
  EXPECT_EQ(reply(":011000E40001000109"), ":011000E400010A");
  for (int reg = 0; reg < RegisterBank::kCount; ++reg) {
    if (plc::kBlockClock.contains(reg)) continue;
    EXPECT_EQ(core_.reg(reg), RegisterBank::Defaults()[reg]) << reg;
  }
}

TEST(RegisterBank, Defaults) {
  const auto d = RegisterBank::Defaults();
  EXPECT_EQ(d[0], 0);
  EXPECT_EQ(d[1], 1);
  for (int r = 2; r <= 11; ++r) EXPECT_EQ(d[r], 1) << r;
  EXPECT_EQ(d[16], 35);
  EXPECT_EQ(d[17], 420);
  for (int r = 24; r <= 31; ++r) EXPECT_EQ(d[r], 60) << r;
  for (int r = 32; r <= 41; ++r) EXPECT_EQ(d[r], 1) << r;
  for (int r = 160; r <= 169; ++r) EXPECT_EQ(d[r], 0xFFFF) << r;
  EXPECT_EQ(d[211], 192 + 168 * 256);
  EXPECT_EQ(d[212], 2 * 256);
  EXPECT_EQ(d[213], 6666);
  EXPECT_EQ(d[64], 0);
  EXPECT_EQ(d[228], 0);
}

TEST(SimCore, RegisterNumbersOutsideTheMapAreRefused) {
  SimCore core(1);
  EXPECT_THROW(core.reg(256), std::out_of_range);
  EXPECT_THROW(core.reg(-1), std::out_of_range);
  EXPECT_THROW(core.setReg(300, 1), std::out_of_range);
}

// Fault replies, for a read of 2 registers from 16 and a write of output 4.
class FaultReplyTest : public ::testing::Test {
 protected:
  ReplyPlan plan(const char *mode, const char *request) {
    core_.setFault(*ParseFault(mode));
    std::optional<ReplyPlan> p = core_.handleText(std::string(request) + "\r\n");
    EXPECT_TRUE(p.has_value());
    return p.value_or(ReplyPlan{});
  }
  static std::string joined(const ReplyPlan &p) {
    std::string all;
    for (const std::string &part : p.parts) all += part;
    return all;
  }

  SimCore core_{1};
  const char *read_ = ":010300100002EA";
  const char *write_ = ":0110003400010001B9";
};

TEST_F(FaultReplyTest, RepliesUnderEachMode) {
  struct Case {
    const char *mode;
    const char *request;
    std::string sent;
  };
  const std::string sound = ":010304002301A430\r\n";
  const Case cases[] = {
      {"none", read_, sound},
      {"wrong-address", read_, ":020304002301A42F\r\n"},
      {"wrong-function", read_, ":011000100002DD\r\n"},  // the write-reply form
      {"wrong-function", write_, ":0103020001F9\r\n"},   // the read-reply form
      {"bad-lrc", read_, ":010304002301A431\r\n"},
      {"late:700", read_, sound},
      {"split:50", read_, sound},
      {"short", read_, ":0103020023D7\r\n"},       // one register of the two
      {"short", ":010300100001EB", ":0103020023D7\r\n"},  // one stays one
      {"short", write_, ":011000340001BA\r\n"},    // writes answer as usual
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " " + c.request);
    const ReplyPlan p = plan(c.mode, c.request);
    EXPECT_EQ(joined(p), c.sent);
    EXPECT_EQ(p.shown + "\r\n", c.sent);
  }
  EXPECT_EQ(plan("late:700", read_).delay, 700ms);
  const ReplyPlan split = plan("split:50", read_);
  ASSERT_EQ(split.parts.size(), 2u);
  EXPECT_FALSE(split.parts[0].empty());
  EXPECT_EQ(split.gap, 50ms);
}

TEST_F(FaultReplyTest, ModesThatSendNoReply) {
  EXPECT_TRUE(plan("silent", read_).parts.empty());
  const ReplyPlan noise = plan("noise:3000", read_);
  EXPECT_TRUE(noise.parts.empty());
  EXPECT_EQ(noise.noise, 3000ms);
  // The write still acted: the controller heard it.
  plan("silent", write_);
  EXPECT_EQ(core_.reg(36), 0);
}

TEST_F(FaultReplyTest, GarbageIsOneLineWithoutAnyHexDigitOrColon) {
  const ReplyPlan p = plan("garbage", read_);
  const std::string line = joined(p);
  ASSERT_TRUE(line.ends_with("\r\n"));
  EXPECT_EQ(line.size(), std::string(":010304002301A430\r\n").size());
  const std::string body = line.substr(0, line.size() - 2);
  EXPECT_EQ(body.find_first_of("0123456789ABCDEFabcdef:\r\n"), std::string::npos);
}

TEST(FaultMode, NamesRoundTripAndBadOnesAreRefused) {
  for (const char *name : {"none", "silent", "late:1300", "wrong-address", "wrong-function", "bad-lrc",
                           "split:0", "garbage", "noise:3000", "short"}) {
    const std::optional<Fault> fault = ParseFault(name);
    ASSERT_TRUE(fault) << name;
    EXPECT_EQ(FaultName(*fault), name);
  }
  for (const char *bad : {"", "late", "late:", "late:-5", "late:5x", "late:99999999999", "silent:5",
                          "split:1.5", "Noise:3", "wrong"}) {
    EXPECT_FALSE(ParseFault(bad)) << bad;
  }
}

TEST(FaultMode, NoiseNeverEndsAText) {
  std::mt19937 rng(7);
  const std::string noise = NoiseBytes(rng, 100000);
  EXPECT_EQ(noise.size(), 100000u);
  EXPECT_EQ(noise.find('\n'), std::string::npos);
}

TEST(TextAssembler, CutsTheStreamIntoTexts) {
  struct Case {
    std::vector<std::string> chunks;
    std::vector<std::string> pieces;
  };
  const std::string a = ":010300000040BC\r\n";
  const std::string b = ":0103008C000868\r\n";
  const Case cases[] = {
      {{a}, {a}},
      {{a + b}, {a, b}},
      {{":0103000", "00040BC\r", "\n"}, {a}},
      {{"xx" + a}, {"xx", a}},                   // noise before the colon
      {{":0103", a}, {":0103", a}},              // an unfinished text given up
      {{a + ":01"}, {a}},                        // the rest waits
  };
  for (const Case &c : cases) {
    TextAssembler assembler;
    std::vector<std::string> pieces;
    for (const std::string &chunk : c.chunks) assembler.feed(chunk, pieces);
    EXPECT_EQ(pieces, c.pieces);
  }
  TextAssembler assembler;
  std::vector<std::string> pieces;
  assembler.feed(std::string(TextAssembler::kMaxText + 10, 'A') + a, pieces);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].size(), TextAssembler::kMaxText);
  EXPECT_EQ(pieces[2], a);
  EXPECT_TRUE(assembler.idle());
}

TEST(FrameCodec, EscapesForTheOutputLine) {
  EXPECT_EQ(EscapeForLog(":01AB"), ":01AB");
  EXPECT_EQ(EscapeForLog(std::string("a\\\r\n\x00\xff", 6)), "a\\\\\\x0D\\x0A\\x00\\xFF");
}

}  // namespace
}  // namespace controller_sim
