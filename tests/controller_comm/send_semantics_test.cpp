// What PLC_Send and PLC_QSend take, when they refuse, and what the notice
// then says, on both links.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/controller_comm/link_fixture.h"

namespace linktest {
namespace {

class SendSemantics : public LinkTest {};

TEST_P(SendSemantics, BusyWhileASendRunsAndInsideTheHandler) {
  ASSERT_TRUE(sim_.setFault(lateWithin()));
  std::atomic<int32_t> fromHandler{-1};
  std::atomic<int32_t> queueInHandler{-1};
  recorder_.setInHandler([&](const Notice &) {
    fromHandler = PLC_Send(slot_, "127.0.0.1", simPort_);
    queueInHandler = PLC_GetCmdCount();
  });
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  ASSERT_EQ(CMD_Read(1, 64, 75), 2);
  const int32_t job = send();
  EXPECT_GE(job, 2);
  EXPECT_EQ(send(), 1) << "a second send while the first runs";
  EXPECT_EQ(PLC_QSend(slot_, "127.0.0.1", simPort_), 1);
  const std::optional<Notice> notice = recorder_.next();
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->result, PlcResultDone);
  EXPECT_EQ(fromHandler, 1) << "busy is still set while the handler runs";
  EXPECT_EQ(queueInHandler, 1) << "the refused sends left the second frame queued";
  EXPECT_TRUE(recorder_.quietFor(300ms)) << "a refused send gets no notice";
  EXPECT_EQ(recorder_.count(), 1u);

  // The frame the refused sends left queued goes out with the next send.
  recorder_.setInHandler(nullptr);
  sim_.setFault("none");
  const int32_t next = sendWhenFree();
  EXPECT_GT(next, job) << "job numbers count up";
  ASSERT_TRUE(recorder_.next());
  EXPECT_EQ(sim_.received().back(), ":01030040004B71");
}

TEST_P(SendSemantics, EmptyQueueSendsNothing) {
  EXPECT_EQ(send(), 0);
  EXPECT_EQ(PLC_QSend(slot_, "127.0.0.1", simPort_), 0);
  start(kDirect);
  EXPECT_EQ(PLC_QSend(slot_, "127.0.0.1", simPort_), 0) << "the queue worker in direct mode";
  EXPECT_TRUE(recorder_.quietFor(1500ms));
  EXPECT_TRUE(sim_.received().empty());
}

TEST_P(SendSemantics, DirectModeSendsTheFrameBuiltLastAndKeepsTheQueue) {
  start(kDirect);
  ASSERT_EQ(CMD_Read(1, 64, 75), 1);
  ASSERT_EQ(CMD_Read(1, 0, 64), 2);
  ASSERT_EQ(CMD_Read(1, 140, 8), 3);
  const Notice notice = exchange();
  EXPECT_EQ(notice.result, PlcResultDone);
  EXPECT_EQ(notice.reply.count, 8);
  EXPECT_EQ(nextRx(), ":0103008C000868");
  EXPECT_EQ(PLC_GetCmdCount(), 3);

  // PLC_QSend takes the head even in direct mode, and removes it.
  ASSERT_GE(whenFree([&] { return PLC_QSend(slot_, "127.0.0.1", simPort_); }), 2);
  ASSERT_TRUE(recorder_.next());
  EXPECT_EQ(nextRx(), ":01030040004B71");
  EXPECT_EQ(PLC_GetCmdCount(), 2);
}

TEST_P(SendSemantics, QueuedSendJudgesTheReplyByTheFrameSent) {
  // A write built after the read: the send still checks the read's reply
  // against the read.
  const uint16_t value = 3;
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  ASSERT_EQ(CMD_Write(1, 64, &value, 1), 2);
  const Notice notice = exchange();
  EXPECT_EQ(notice.function, 3);
  EXPECT_EQ(notice.result, PlcResultDone);
  EXPECT_EQ(nextRx(), ":010300000040BC");
  EXPECT_EQ(PLC_GetCmdCount(), 1);
}

TEST_P(SendSemantics, CommandsBuiltDuringASendDoNotChangeIt) {
  // Direct mode: the job keeps the frame, address and function it was
  // accepted with.
  start(kDirect);
  ASSERT_TRUE(sim_.setFault(lateWithin()));
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  ASSERT_GE(send(), 2);
  ASSERT_EQ(nextRx(), ":010300000040BC");
  ASSERT_EQ(CMD_PowerOnLC(7, 3), 2);
  const std::optional<Notice> notice = recorder_.next();
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->function, 3);
  EXPECT_EQ(notice->result, PlcResultDone);
  EXPECT_EQ(notice->reply.count, 64);
}

TEST_P(SendSemantics, TheEntryBeingSentStaysQueuedUntilTheNotice) {
  ASSERT_TRUE(sim_.setFault(lateWithin()));
  std::atomic<int32_t> countInHandler{-1};
  recorder_.setInHandler([&](const Notice &) { countInHandler = PLC_GetCmdCount(); });
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  ASSERT_GE(send(), 2);
  ASSERT_EQ(nextRx(), ":010300000040BC");
  EXPECT_EQ(PLC_GetCmdCount(), 1) << "still queued while its reply is awaited";
  const std::optional<Notice> notice = recorder_.next();
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->result, PlcResultDone);
  EXPECT_EQ(countInHandler, 0);
  EXPECT_EQ(PLC_GetCmdCount(), 0);
}

TEST_P(SendSemantics, NoSlotGivesNoticeZeroAndSendsNothing) {
  for (int i = 0; i < 4; ++i) ASSERT_EQ(CMD_PowerOnLC(1, 0), i + 1);
  for (int32_t slot : {-1, 1024, 7, INT32_MIN}) {
    SCOPED_TRACE(slot);
    ASSERT_GE(whenFree([&] { return PLC_Send(slot, "127.0.0.1", simPort_); }), 2);
    const std::optional<Notice> notice = recorder_.next();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->result, PlcResultBadSlot);
    EXPECT_EQ(notice->function, 16);
  }
  EXPECT_EQ(PLC_GetCmdCount(), 0) << "each queued send removed the entry it took";
  EXPECT_TRUE(sim_.received().empty());
  EXPECT_FALSE(logText()) << "nothing is logged for a send without a link";
}

TEST_P(SendSemantics, NothingBuiltOrARefusedCommandSendsNothing) {
  start(kDirect);
  const std::vector<uint16_t> tooMany(509, 1);
  struct Case {
    const char *what;
    std::function<int32_t()> refused;
  };
  const Case cases[] = {
      {"before any command", nullptr},
      {"device 32", [] { return CMD_PowerOnLC(1, 32); }},
      {"output 10", [] { return CMD_PowerOffDO(1, 10); }},
      {"analogue limit 8", [] { return CMD_SetAW(1, 8, 60); }},
      {"no logic list", [] { return CMD_SetLogic(1, nullptr); }},
      {"509 values", [&] { return CMD_Write(1, 81, tooMany.data(), 509); }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    // From the second case on a good read was built before: the refusal
    // must not let it go out again.
    if (c.refused) {
      EXPECT_EQ(c.refused(), 0) << "not refused";
    }
    const Notice notice = exchange();
    EXPECT_EQ(notice.result, PlcResultBadSlot);
    EXPECT_EQ(notice.function, 0);
    // Nothing logged either: the log still holds the last good read, if any.
    EXPECT_EQ(&c == cases ? logText() : waitForLog(":010300000040BC\r\n"),
              &c == cases ? std::nullopt : std::optional<std::string>(":010300000040BC\r\n"));
    ASSERT_EQ(CMD_Read(1, 0, 64), 1 + static_cast<int32_t>(&c - cases));
    EXPECT_EQ(exchange().result, PlcResultDone);
    ASSERT_EQ(nextRx(), ":010300000040BC");
  }
  // Only the good reads reached the controller.
  EXPECT_EQ(sim_.received().size(), std::size(cases));
}

TEST_P(SendSemantics, EachSendLogsExactlyItsFrame) {
  // An existing log in other letter case is reused, and replaced whole.
  const std::string caseName = udp() ? "PLC_UDP.TXT" : "Plc_Comm.Txt";
  std::ofstream(dir_ / caseName) << "an older, longer frame from an earlier run\r\n";
  ASSERT_EQ(CMD_PowerOnLC(1, 0), 1);
  const int32_t job = send();
  EXPECT_GE(job, 2);
  ASSERT_TRUE(recorder_.next());
  EXPECT_EQ(waitForLog(":011000B0000100013D\r\n", caseName), ":011000B0000100013D\r\n");
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  ASSERT_GE(sendWhenFree(), 2);
  ASSERT_TRUE(recorder_.next());
  EXPECT_EQ(waitForLog(":010300000040BC\r\n", caseName), ":010300000040BC\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir_ / logName()));
}

TEST_P(SendSemantics, SendsStartNoThreadOfTheirOwn) {
  const auto tasks = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/task"), std::filesystem::directory_iterator{});
  };
  ASSERT_EQ(CMD_Read(1, 0, 8), 1);
  ASSERT_EQ(exchange().result, PlcResultDone);
  const auto before = tasks();
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(i % 2 == 0 ? CMD_Read(1, 0, 8) : CMD_PowerOnLC(1, 0), 1);
    ASSERT_EQ(exchange().result, PlcResultDone) << "send " << i;
  }
  EXPECT_EQ(tasks(), before);
}

// Sends back to back, with a reader looking at the log all along: it only
// ever sees one whole frame of those sent, and the last one in the end.
TEST_P(SendSemantics, BackToBackSendsLeaveWholeFramesAndTheLastOneInTheLog) {
  std::set<std::string> frames;
  std::atomic<bool> done{false};
  std::set<std::string> seen;
  std::thread reader([&] {
    while (!done) {
      if (std::optional<std::string> text = logText()) seen.insert(*text);
    }
  });
  std::string last;
  for (int i = 0; i < 20; ++i) {
    ASSERT_EQ(i % 2 == 0 ? CMD_Read(1, i, 8) : CMD_PowerOnLC(1, i), 1);
    const Notice notice = exchange();
    EXPECT_EQ(notice.result, PlcResultDone);
    last = nextRx() + "\r\n";
    frames.insert(last);
  }
  EXPECT_EQ(waitForLog(last), last);
  done = true;
  reader.join();
  for (const std::string &text : seen) EXPECT_TRUE(frames.count(text)) << "not a frame sent: " << text;
}

TEST_P(SendSemantics, HostText) {
  if (!udp()) GTEST_SKIP() << "the host matters on UDP links only";
  struct Case {
    const char *host;
    int result;
  };
  const std::string longHost = "127.0.0.1" + std::string(300, ' ');
  const Case cases[] = {
      {"127.000.000.001", PlcResultDone},
      {nullptr, PlcResultTimeOut},
      {"localhost", PlcResultTimeOut},
      {longHost.c_str(), PlcResultTimeOut},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.host ? c.host : "NULL");
    sim_.clearEvents();
    ASSERT_EQ(CMD_Read(1, 0, 64), 1);
    ASSERT_GE(whenFree([&] { return PLC_Send(slot_, c.host, simPort_); }), 2);
    const std::optional<Notice> notice = recorder_.next();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->result, c.result);
    EXPECT_EQ(sim_.received().size(), c.result == PlcResultDone ? 1u : 0u);
  }
  // Only the low 16 bits of the port count.
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  ASSERT_GE(whenFree([&] { return PLC_Send(slot_, "127.0.0.1", simPort_ + 0x10000); }), 2);
  const std::optional<Notice> notice = recorder_.next();
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->result, PlcResultDone);
}

TEST_P(SendSemantics, NoticeGoesToTheWindowRegisteredAtItsEnd) {
  ASSERT_TRUE(sim_.setFault(lateWithin()));
  testsupport::NoticeRecorder other;
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  ASSERT_GE(send(), 2);
  ASSERT_EQ(nextRx(), ":010300000040BC");
  PLC_SetNotify(other.handle(), 0x500);
  const std::optional<Notice> notice = other.next();
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->message, 0x500u);
  EXPECT_EQ(notice->result, PlcResultDone);
  EXPECT_EQ(notice->thread, other.receiverThread());
  EXPECT_EQ(recorder_.count(), 0u);

  // No window: the send still ends. Its entry is off the queue once it has,
  // so a send then finds nothing to take (0) instead of a busy library (1).
  PLC_SetNotify(0, PlcNotifyMessage);
  sim_.setFault("none");
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  ASSERT_GE(sendWhenFree(), 2);
  EXPECT_EQ(sendWhenFree(), 0) << "the send without a window never ended";
  EXPECT_EQ(other.count(), 1u);
  EXPECT_EQ(recorder_.count(), 0u);
  // The next send is taken and its notice goes to the window set now.
  PLC_SetNotify(recorder_.handle(), PlcNotifyMessage);
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  EXPECT_GE(sendWhenFree(), 2);
  EXPECT_TRUE(recorder_.next());
}

LINK_TEST_SUITE(SendSemantics);

}  // namespace
}  // namespace linktest
