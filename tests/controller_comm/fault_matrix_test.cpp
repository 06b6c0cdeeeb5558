// A misbehaving controller on both links: every accepted send ends with
// exactly one notice, and the result and reply record say what happened.
#include <string>

#include "tests/controller_comm/link_fixture.h"

namespace linktest {
namespace {

class FaultMatrix : public LinkTest {
 protected:
  // A read of the status block under a fault mode; the notice.
  Notice readUnder(const std::string &mode) {
    EXPECT_TRUE(sim_.setFault(mode)) << mode;
    sim_.clearEvents();
    EXPECT_EQ(CMD_Read(1, 0, 64), 1);
    ++sends_;
    return exchange();
  }

  void TearDown() override {
    EXPECT_TRUE(recorder_.quietFor(200ms));
    EXPECT_EQ(recorder_.count(), sends_) << "one notice per accepted send";
    LinkTest::TearDown();
  }

  size_t sends_ = 0;
};

TEST_P(FaultMatrix, RepliesThatAnswer) {
  const std::string modes[] = {"none", "bad-lrc", "split:50", lateWithin()};
  uint16_t marker = 100;
  for (const std::string &mode : modes) {
    SCOPED_TRACE(mode);
    sim_.setReg(5, ++marker);
    const Notice notice = readUnder(mode);
    EXPECT_EQ(notice.function, 3);
    EXPECT_EQ(notice.result, PlcResultDone);
    EXPECT_EQ(notice.reply.count, 64);
    EXPECT_EQ(notice.reply.data[5], marker) << "the record holds this reply";
  }
}

TEST_P(FaultMatrix, NothingThatParses) {
  sim_.setReg(5, 4242);
  const Notice good = readUnder("none");
  ASSERT_EQ(good.result, PlcResultDone);
  // The noise outlasts the notice's hang guard: a wait that it kept alive
  // would miss the guard although it ends with 16 in the end.
  const std::string longNoise =
      "noise:" + std::to_string(std::chrono::milliseconds(testsupport::kHangGuard).count() + 5000);
  for (const std::string &mode : {std::string("silent"), std::string("garbage"), longNoise}) {
    SCOPED_TRACE(mode);
    sim_.setReg(5, 1);
    const Notice notice = readUnder(mode);
    EXPECT_EQ(notice.result, PlcResultTimeOut);
    EXPECT_EQ(notice.function, 3);
    EXPECT_TRUE(SameReply(notice.reply, good.reply)) << "the record is unchanged";
  }
}

TEST_P(FaultMatrix, ExceptionReplyIsNoReply) {
  const Notice good = readUnder("none");
  ASSERT_EQ(good.result, PlcResultDone);
  sim_.clearEvents();
  ASSERT_EQ(CMD_Read(1, 300, 1), 1);
  ++sends_;
  const Notice notice = exchange();
  EXPECT_EQ(nextRx(), ":0103012C0001CE");
  EXPECT_EQ(notice.result, PlcResultTimeOut);
  EXPECT_TRUE(SameReply(notice.reply, good.reply));
}

TEST_P(FaultMatrix, RepliesFromAnotherAddressOrFunction) {
  const Notice address = readUnder("wrong-address");
  EXPECT_EQ(address.result, PlcResultMismatch);
  EXPECT_EQ(address.function, 3);
  EXPECT_EQ(address.reply.address, 2);

  const Notice function = readUnder("wrong-function");
  EXPECT_EQ(function.result, PlcResultMismatch);
  EXPECT_EQ(function.function, 3);
  EXPECT_EQ(function.reply.function, 16);
}

TEST_P(FaultMatrix, LateReplyNeverAnswersTheNextRequest) {
  const Notice late = readUnder(lateBeyond());
  EXPECT_EQ(late.result, PlcResultTimeOut);
  // The late reply reaches the library after its wait ended.
  ASSERT_TRUE(sim_.waitForEvent("tx", 10s));
  ASSERT_TRUE(sim_.setFault("none"));
  ASSERT_EQ(CMD_Read(1, 140, 8), 1);
  ++sends_;
  const Notice next = exchange();
  EXPECT_EQ(next.result, PlcResultDone);
  EXPECT_EQ(next.reply.count, 8) << "the stale 64-register reply was dropped";
}

// A controller answering later than the deadline: each reply reaches the
// library while a later request waits. Reads of two blocks alternate, so the
// late reply is always the other block's: it must never complete a send nor
// reach the record.
TEST_P(FaultMatrix, LateRepliesToTheOtherBlockNeverAnswer) {
  struct Block {
    int32_t first;
    int32_t count;
  };
  const Block blocks[] = {{0, 64}, {140, 8}};
  const Notice good = readUnder("none");
  ASSERT_EQ(good.result, PlcResultDone);
  ASSERT_TRUE(sim_.setFault(udp() ? "late:1500" : "late:2500"));
  PlcReply record = good.reply;
  int answered = 0;
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    const Block &block = blocks[(i + 1) % 2];
    ASSERT_EQ(CMD_Read(1, block.first, block.count), 1);
    ++sends_;
    const Notice notice = exchange();
    EXPECT_EQ(notice.function, 3);
    if (notice.result == PlcResultDone) {
      ++answered;
      EXPECT_EQ(notice.reply.count, block.count) << "done with the other block's reply";
      record = notice.reply;
    } else {
      EXPECT_EQ(notice.result, PlcResultTimeOut);
      EXPECT_TRUE(SameReply(notice.reply, record)) << "a reply to another request reached the record";
    }
  }
  EXPECT_LT(answered, 6) << "the controller never answered in time";
}

LINK_TEST_SUITE(FaultMatrix);

}  // namespace
}  // namespace linktest
