// Starting send workers, inside the library: what a send takes when it is
// accepted, and a worker thread that cannot start.
#include "controller_comm/send_worker.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <vector>

#include "controller_comm/frame_log.h"
#include "controller_comm/library_state.h"
#include "platform/file_io.h"
#include "tarnex.h"
#include "tests/support/loopback_udp.h"
#include "tests/support/temp_dir.h"
#include "tests/support/thread_receiver.h"

namespace tarnex {
namespace {

using namespace std::chrono_literals;

class SendWorker : public ::testing::Test {
 protected:
  void SetUp() override {
    state().startup(-1);
    state().setNotify(window_.handle(), PlcNotifyMessage);
  }
  void TearDown() override {
    SetWorkerStartFaultForTests(false);
    state().setNotify(0, 0);
    state().cleanup();
    StopWorker();
  }
  static LibraryState &state() { return LibraryState::instance(); }

  // The wParam of the next notice; 0xFFFFFFFF after 10 s.
  WPARAM nextNotice() {
    std::unique_lock lock(mutex_);
    if (!arrived_.wait_for(lock, 10s, [&] { return !notices_.empty(); })) return 0xFFFFFFFF;
    const WPARAM w = notices_.front();
    notices_.erase(notices_.begin());
    return w;
  }

  // A send once the previous worker has ended.
  int32_t sendWhenFree(SendSource source) {
    int32_t job = 1;
    for (int i = 0; i < 10000 && (job = StartSend(-1, "127.0.0.1", 1, source)) == 1; ++i) {
      std::this_thread::sleep_for(1ms);
    }
    return job;
  }

  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<WPARAM> notices_;
  platform::ThreadReceiver window_{[this](const platform::WindowMessage &m) {
    std::lock_guard lock(mutex_);
    notices_.push_back(m.wParam);
    arrived_.notify_all();
    return LRESULT{0};
  }};
};

TEST_F(SendWorker, AWorkerThatCannotStartLeavesNothingBehind) {
  ASSERT_EQ(state().queueRead(1, 0, 64), 1);
  SetWorkerStartFaultForTests(true);
  EXPECT_EQ(StartSend(-1, "127.0.0.1", 6666, SendSource::ByMode), 0);
  EXPECT_FALSE(state().busy());
  EXPECT_EQ(state().commandCount(), 1u);

  SetWorkerStartFaultForTests(false);
  EXPECT_GE(StartSend(-1, "127.0.0.1", 6666, SendSource::ByMode), 2);
  EXPECT_EQ(nextNotice(), 3u) << "function 3, result 0 (no slot)";
}

TEST_F(SendWorker, OneResidentWorkerRunsEverySend) {
  const uint64_t starts = WorkerStartsForTests();
  for (int i = 0; i < 50; ++i) {
    ASSERT_EQ(state().queueRead(1, 0, 64), 1);
    ASSERT_GE(sendWhenFree(SendSource::QueueHead), 2);
    ASSERT_EQ(nextNotice(), 3u);
  }
  EXPECT_EQ(WorkerStartsForTests(), starts + 1);
  // Ended, it starts again with the next send.
  StopWorker();
  ASSERT_EQ(state().queueRead(1, 0, 64), 1);
  ASSERT_GE(sendWhenFree(SendSource::QueueHead), 2);
  EXPECT_EQ(nextNotice(), 3u);
  EXPECT_EQ(WorkerStartsForTests(), starts + 2);
}

TEST_F(SendWorker, JobNumbersCountUpFromTwo) {
  std::vector<int32_t> jobs;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(state().queueRead(1, 0, 64), 1);
    jobs.push_back(sendWhenFree(SendSource::QueueHead));
    ASSERT_NE(nextNotice(), 0xFFFFFFFFu);
  }
  EXPECT_GE(jobs[0], 2);
  EXPECT_EQ(jobs[1], jobs[0] + 1);
  EXPECT_EQ(jobs[2], jobs[1] + 1);
}

TEST_F(SendWorker, TheJobIsTakenWhenTheSendIsAccepted) {
  state().startup(0);
  ASSERT_EQ(state().queueRead(1, 0, 64), 1);
  ASSERT_EQ(state().queueWrite(2, 176, std::vector<uint16_t>{1}.data(), 1), 2);
  auto begun = state().beginSend(-1, nullptr, 0x12345, SendSource::ByMode);
  ASSERT_TRUE(std::holds_alternative<SendJob>(begun));
  const SendJob direct = std::get<SendJob>(begun);
  EXPECT_EQ(direct.frame, ":021000B0000100013C\r\n");
  EXPECT_EQ(direct.expected.address, 2);
  EXPECT_EQ(direct.expected.function, 16);
  EXPECT_EQ(direct.expected.firstRegister, 176);
  EXPECT_EQ(direct.expected.count, 1);
  EXPECT_EQ(direct.queueEntry, 0u);
  EXPECT_EQ(direct.to.host, "");
  EXPECT_EQ(direct.to.port, 0x2345);
  EXPECT_EQ(direct.link, nullptr);
  EXPECT_EQ(std::get<int32_t>(state().beginSend(-1, "x", 1, SendSource::QueueHead)), 1) << "busy";
  state().endSend();

  auto head = state().beginSend(5, "10.0.0.1", 1, SendSource::QueueHead);
  ASSERT_TRUE(std::holds_alternative<SendJob>(head));
  const SendJob queued = std::get<SendJob>(head);
  EXPECT_EQ(queued.frame, ":010300000040BC\r\n");
  EXPECT_EQ(queued.expected.address, 1);
  EXPECT_EQ(queued.expected.function, 3);
  EXPECT_EQ(queued.expected.firstRegister, 0);
  EXPECT_EQ(queued.expected.count, 64);
  EXPECT_NE(queued.queueEntry, 0u);
  EXPECT_EQ(queued.number, direct.number + 1);
  state().endSend();

  // Only the entry that was sent is removed.
  state().closeDevice(-1);
  ASSERT_EQ(state().queueRead(1, 140, 8), 1);
  state().removeSentEntry(queued.queueEntry);
  EXPECT_EQ(state().commandCount(), 1u);
}

TEST_F(SendWorker, ASendLogsItsFrameWholeWithoutSyncing) {
  testsupport::TempDir dir;
  testsupport::ExecutableDirOverride exeDir(dir.path());
  testsupport::LoopbackUdp controller;
  auto link = std::make_shared<transport::CUdpLink>();
  ASSERT_TRUE(link->Create(0));
  std::ofstream(dir / kUdpFrameLog) << "an older, longer frame\r\n";

  SendJob job;
  job.link = link;
  job.frameLog = kUdpFrameLog;
  job.to = {"127.0.0.1", controller.port()};
  job.frame = ":010300000001FB\r\n";
  job.expected = {1, 3, 0, 1};
  std::thread answer([&] {
    const auto request = controller.receive(std::chrono::steady_clock::now() + 10s);
    if (request) controller.sendTo(request->port, ":0103020005F5\r\n");
  });
  const uint64_t syncs = platform::SyncCountForTests();
  EXPECT_EQ(SendAndWait(job), PlcResultDone);
  answer.join();
  FrameLog::instance().flush();
  EXPECT_EQ(platform::SyncCountForTests(), syncs) << "the frame log was synced";
  const auto log = platform::ReadWholeFile((dir / kUdpFrameLog).string(), 1024);
  ASSERT_TRUE(log.ok());
  EXPECT_EQ(std::string(log.value().begin(), log.value().end()), job.frame);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "a temporary file stayed";
}

}  // namespace
}  // namespace tarnex
