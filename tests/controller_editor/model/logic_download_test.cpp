#include "controller_editor/model/logic_download.h"

#include <gtest/gtest.h>

#include "tests/controller_editor/model/test_projects.h"
#include "tests/support/fake_plc_api.h"

namespace {

using tarnex_client::testing::FakePlcApi;
using selkan::LogicDownload;
using selkan::LogicLinkChoice;
using selkan::Project;

constexpr HWND kWindow = 77;

LogicLinkChoice udpTo127() {
  LogicLinkChoice link;
  link.network = true;
  link.comPort = 1;
  link.host = "127.0.0.1";
  link.hostPort = 6666;
  return link;
}

class LogicDownloadTest : public ::testing::Test {
 protected:
  LogicDownloadTest() : download(api, tarnex_client::PlcLinkSettings{0, 9600}) {
    api.openResult = 3;
    api.onNotice = [this](uint16_t function, uint16_t result) { download.handleNotice(function, result); };
  }

  FakePlcApi api;
  LogicDownload download;
  Project project = selkan_test::OneDeviceProject(5);
};

TEST_F(LogicDownloadTest, SendsTheWordsThenReportsTheNotice) {
  ASSERT_TRUE(download.start(project, 0, udpTo127(), kWindow).ok());
  ASSERT_EQ(api.calls.size(), 4u);
  EXPECT_EQ(api.calls[0].name, "PLC_SetNotify");
  EXPECT_EQ(api.calls[1].name, "PLC_OpenDev");
  EXPECT_EQ(api.calls[1].args, (std::vector<int64_t>{(1 << 16) | 2, 9600, 0}));
  EXPECT_EQ(api.calls[2].name, "CMD_Write");
  EXPECT_EQ(api.calls[2].args, (std::vector<int64_t>{5, 160, 10}));
  EXPECT_EQ(api.calls[2].words, (std::vector<uint16_t>{0x000A, 0x0319, 0xFFFF, 0xFFFF, 0xFFFF,
                                                       0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}));
  EXPECT_EQ(api.calls[3].name, "PLC_Send");
  EXPECT_EQ(api.calls[3].args, (std::vector<int64_t>{3, 6666}));
  EXPECT_EQ(api.calls[3].host, "127.0.0.1");
  EXPECT_TRUE(download.Busy);
  EXPECT_EQ(download.LinkHandle, 3);
  EXPECT_EQ(download.statusText(), "正在上传设备逻辑列表...");

  api.answerWrite(5);
  EXPECT_FALSE(download.Busy);
  EXPECT_EQ(download.statusText(), "上传设备逻辑列表完成!");

  // A notice after the completion is not this download's.
  download.handleNotice(16, 16);
  EXPECT_EQ(download.statusText(), "上传设备逻辑列表完成!");
}

TEST_F(LogicDownloadTest, NoticeResultsAndTheNextDownloadClosesTheOldLink) {
  struct Case {
    uint16_t result;
    const char *text;
  };
  for (const Case c : {Case{16, "通讯故障，超时!"}, Case{20, "正在上传设备逻辑列表..."},
                       Case{1, "上传设备逻辑列表完成!"}}) {
    const int32_t oldSlot = download.LinkHandle;
    api.clearCalls();
    ASSERT_TRUE(download.start(project, 0, udpTo127(), kWindow).ok());
    if (oldSlot != -1) {
      ASSERT_FALSE(api.calls.empty());
      EXPECT_EQ(api.calls.front().name, "PLC_CloseDev");
      EXPECT_EQ(api.calls.front().args.at(0), oldSlot);
    }
    api.finish(c.result);
    EXPECT_FALSE(download.Busy) << c.result;
    EXPECT_EQ(download.statusText(), c.text) << c.result;
  }
}

TEST_F(LogicDownloadTest, WhileBusyNothingIsClosedOrSent) {
  ASSERT_TRUE(download.start(project, 0, udpTo127(), kWindow).ok());
  api.clearCalls();
  EXPECT_TRUE(download.start(project, 0, udpTo127(), kWindow).ok());
  EXPECT_TRUE(api.calls.empty());
  EXPECT_TRUE(download.Busy);
  EXPECT_EQ(download.LinkHandle, 3);

  api.finish(1);
  EXPECT_EQ(download.statusText(), "上传设备逻辑列表完成!");
}

TEST_F(LogicDownloadTest, RefusedSendShowsOnlyTheBusyText) {
  api.running = FakePlcApi::Job{};  // the library is busy with another send
  ASSERT_TRUE(download.start(project, 0, udpTo127(), kWindow).ok());
  EXPECT_EQ(download.statusText(), "通讯忙，请稍后再试");
  EXPECT_FALSE(download.Busy);

  // The other send's notice does not count for this download.
  api.finish(1);
  EXPECT_EQ(download.statusText(), "通讯忙，请稍后再试");
}

TEST_F(LogicDownloadTest, RefusalsSendNothingAndLeaveItIdle) {
  // The build refusal comes after the old link is closed.
  ASSERT_TRUE(download.start(project, 0, udpTo127(), kWindow).ok());
  api.finish(1);
  project.DeviceCtrl.SetEntryDelay(0, 0, 300);
  api.clearCalls();
  const auto refused = download.start(project, 0, udpTo127(), kWindow);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().message, "设备“A”的延迟时间300超出0..255，无法下载。");
  ASSERT_EQ(api.calls.size(), 1u);
  EXPECT_EQ(api.calls[0].name, "PLC_CloseDev");
  EXPECT_EQ(download.LinkHandle, -1);
  EXPECT_FALSE(download.Busy);

  project.DeviceCtrl.SetEntryDelay(0, 0, 10);
  api.openResult = -1;
  api.clearCalls();
  const auto notOpened = download.start(project, 0, udpTo127(), kWindow);
  ASSERT_FALSE(notOpened.ok());
  EXPECT_EQ(notOpened.error().message, "打开设备失败");
  EXPECT_TRUE(api.callsNamed("CMD_Write").empty());
  EXPECT_TRUE(api.callsNamed("PLC_Send").empty());
  EXPECT_FALSE(download.Busy);
}

TEST_F(LogicDownloadTest, ALinkThatDoesNotOpenSaysWhyWhenItCan) {
  api.openResult = -1;
  LogicLinkChoice serial;
  serial.comPort = 4;
  api.serialProblems[4] = {tarnex_client::SerialFault::Busy, "/dev/ttyUSB0", ""};
  const auto held = download.start(project, 0, serial, kWindow);
  ASSERT_FALSE(held.ok());
  EXPECT_EQ(held.error().message, "打开设备失败（/dev/ttyUSB0 被其他程序占用）");

  LogicDownload fixedPort(api, tarnex_client::PlcLinkSettings{8889, 9600});
  api.takenPorts.insert(8889);
  const auto taken = fixedPort.start(project, 0, udpTo127(), kWindow);
  ASSERT_FALSE(taken.ok());
  EXPECT_EQ(taken.error().message, "打开设备失败（本地端口 8889 已被占用）");
  EXPECT_TRUE(api.callsNamed("CMD_Write").empty());
}

TEST_F(LogicDownloadTest, SerialLinkAndChosenAddress) {
  LogicLinkChoice link;
  link.comPort = 3;
  link.address = 17;
  ASSERT_TRUE(download.start(project, 0, link, kWindow).ok());
  EXPECT_EQ(api.callsNamed("PLC_OpenDev").at(0).args.at(0), (3 << 16) | 1);
  EXPECT_EQ(api.callsNamed("CMD_Write").at(0).args.at(0), 17);
}

TEST_F(LogicDownloadTest, StrayNoticeBeforeAnyDownloadIsIgnored) {
  download.handleNotice(16, 1);
  EXPECT_EQ(download.statusText(), "");
  EXPECT_FALSE(download.Busy);
}

}  // namespace
