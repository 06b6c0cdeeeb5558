// A controller that answers after the time-out: its late reply must not be
// taken as the answer to the next request, which reads as many registers
// from another block. Registers 0..7 and 100..107 hold values that tell the
// two blocks apart.
#include <array>

#include "tests/controller_comm/link_fixture.h"

namespace linktest {
namespace {

constexpr std::array<uint16_t, 2> kFirst = {0, 100};
constexpr int kCount = 8;

uint16_t ValueOf(int reg) { return static_cast<uint16_t>(reg < 100 ? 1000 + reg : 2000 + reg); }

class LateReply : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    for (int first : kFirst) {
      for (int k = 0; k < kCount; ++k) sim_.setReg(first + k, ValueOf(first + k));
    }
  }

  // Reads a block and checks that a done notice carries that block.
  int readBlock(int first) {
    EXPECT_EQ(CMD_Read(1, first, kCount), 1);
    const Notice notice = exchange();
    if (notice.result == PlcResultDone) {
      EXPECT_EQ(notice.reply.count, kCount);
      for (int k = 0; k < kCount; ++k) {
        EXPECT_EQ(notice.reply.data[k], ValueOf(first + k)) << "register " << first + k << " read from another block";
      }
      PlcReply record{};
      PLC_GetData(&record);
      EXPECT_EQ(record.data[0], ValueOf(first)) << "the record holds another block";
    }
    return notice.result;
  }

  // Late beyond this link's reply time.
  std::string lateFault() const { return udp() ? "late:1500" : "late:2600"; }
};

TEST_P(LateReply, ALateReplyNeverAnswersTheNextRequest) {
  ASSERT_EQ(readBlock(kFirst[0]), PlcResultDone);
  ASSERT_TRUE(sim_.setFault(lateFault()));
  for (int i = 0; i < 4; ++i) {
    const int result = readBlock(kFirst[(i + 1) % 2]);
    EXPECT_TRUE(result == PlcResultTimeOut || result == PlcResultDone) << "send " << i << ": " << result;
  }
  // The controller answers in time again: the first send waits out the
  // last late reply, then every send gets its own block.
  ASSERT_TRUE(sim_.setFault("none"));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(readBlock(kFirst[i % 2]), PlcResultDone) << "send " << i;
}

LINK_TEST_SUITE(LateReply);

}  // namespace
}  // namespace linktest
