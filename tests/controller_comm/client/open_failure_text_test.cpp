// What the programs say when a link does not open: the reason the probes
// find, asked only where it can apply, in brackets after "打开设备失败".
#include "controller_comm/client/open_failure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_plc_api.h"

namespace tarnex_client {
namespace {

using testing::FakePlcApi;

constexpr int32_t kSerial = 1;
constexpr int32_t kUdp = 2;

int32_t DevTypePort(int32_t com, int32_t type) { return static_cast<int32_t>((static_cast<uint32_t>(com) << 16) | type); }

TEST(OpenFailureText, SaysWhyInBracketsOrKeepsTheCallersText) {
  const struct {
    const char *what;
    int32_t devTypePort;
    int32_t localPort;
    SerialPortProblem problem;  // of COM 2
    bool portTaken;             // local port 8889
    std::string text;
  } cases[] = {
      {"gone", DevTypePort(2, kSerial), 8889, {SerialFault::Missing, "/dev/ttyS1", ""}, false,
       "打开设备失败（/dev/ttyS1 不存在）"},
      {"no permission", DevTypePort(2, kSerial), 8889, {SerialFault::NoPermission, "/dev/ttyUSB0", "dialout"}, false,
       "打开设备失败（/dev/ttyUSB0 无权限，请加入 dialout 组）"},
      {"held", DevTypePort(2, kSerial), 8889, {SerialFault::Busy, "/dev/ttyUSB0", ""}, false,
       "打开设备失败（/dev/ttyUSB0 被其他程序占用）"},
      {"no serial device", DevTypePort(2, kSerial), 8889, {SerialFault::NotSerial, "/tmp/a", ""}, false,
       "打开设备失败（/tmp/a 不是串口）"},
      {"serial, nothing found", DevTypePort(2, kSerial), 8889, {}, true, "打开设备失败"},
      {"local port held", DevTypePort(2, kUdp), 8889, {SerialFault::Missing, "/dev/ttyS1", ""}, true,
       "打开设备失败（本地端口 8889 已被占用）"},
      {"local port free", DevTypePort(2, kUdp), 8889, {}, false, "打开设备失败"},
      {"any free local port", DevTypePort(2, kUdp), 0, {}, true, "打开设备失败"},
      {"no link type", DevTypePort(2, 0), 8889, {SerialFault::Missing, "/dev/ttyS1", ""}, true, "打开设备失败"},
      {"type in the low byte only", DevTypePort(2, 0x101), 8889, {SerialFault::Missing, "/dev/ttyS1", ""}, false,
       "打开设备失败（/dev/ttyS1 不存在）"},
  };
  for (const auto &c : cases) {
    FakePlcApi api;
    api.serialProblems[2] = c.problem;
    if (c.portTaken) api.takenPorts.insert(8889);
    EXPECT_EQ(OpenFailureText(api, c.devTypePort, c.localPort, "打开设备失败"), c.text) << c.what;
  }
}

TEST(OpenFailureText, AsksOnlyWhatTheLinkTypeCanExplain) {
  FakePlcApi api;
  OpenFailureText(api, DevTypePort(5, kSerial), 8889, "");
  OpenFailureText(api, DevTypePort(5, kUdp), 8889, "");
  OpenFailureText(api, DevTypePort(5, kUdp), 0, "");
  OpenFailureText(api, DevTypePort(5, 3), 8889, "");
  ASSERT_EQ(api.calls.size(), 2u);
  EXPECT_EQ(api.calls[0].name, "SerialPortProblem");
  EXPECT_EQ(api.calls[0].args, (std::vector<int64_t>{5}));
  EXPECT_EQ(api.calls[1].name, "LocalUdpPortTaken");
  EXPECT_EQ(api.calls[1].args, (std::vector<int64_t>{8889}));
}

TEST(OpenFailureText, ABadPortNumberIsNamed) {
  FakePlcApi api;
  api.serialProblems[0] = SerialPortProblem{SerialFault::BadNumber, "", ""};
  api.serialProblems[300] = SerialPortProblem{SerialFault::BadNumber, "", ""};
  EXPECT_EQ(OpenFailureText(api, DevTypePort(0, kSerial), 8889, "打开设备失败"), "打开设备失败（串口号 0 无效）");
  EXPECT_EQ(OpenFailureText(api, DevTypePort(300, kSerial), 8889, "打开设备失败"), "打开设备失败（串口号 300 无效）");
}

}  // namespace
}  // namespace tarnex_client
