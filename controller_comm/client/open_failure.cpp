#include "controller_comm/client/open_failure.h"

namespace tarnex_client {
std::string SerialFaultText(const SerialPortProblem &problem, int32_t comPort) {
  switch (problem.fault) {
    case SerialFault::None:
      return std::string();
    case SerialFault::BadNumber:
      return "串口号 " + std::to_string(comPort) + " 无效";
    case SerialFault::Missing:
      return problem.path + " 不存在";
    case SerialFault::NoPermission:
      return problem.path + " 无权限，请加入 " + problem.group + " 组";
    case SerialFault::Busy:
      return problem.path + " 被其他程序占用";
    case SerialFault::NotSerial:
      return problem.path + " 不是串口";
  }
  return std::string();
}

std::string OpenFailureReason(IPlcApi &api, int32_t devTypePort, int32_t localUdpPort) {
  const LinkKind kind = LinkRequestKind(devTypePort);
  const int32_t comPort = LinkRequestComPort(devTypePort);
  if (kind == LinkKind::Serial) return SerialFaultText(api.serialPortProblem(comPort), comPort);
  // Port 0 takes any free port, so only a fixed port can be held by another
  // program.
  if (kind == LinkKind::Udp && localUdpPort > 0 && api.localUdpPortTaken(localUdpPort)) {
    return "本地端口 " + std::to_string(localUdpPort) + " 已被占用";
  }
  return std::string();
}

std::string OpenFailureText(IPlcApi &api, int32_t devTypePort, int32_t localUdpPort, std::string_view fallback) {
  const std::string reason = OpenFailureReason(api, devTypePort, localUdpPort);
  if (reason.empty()) return std::string(fallback);
  return "打开设备失败（" + reason + "）";
}

}  // namespace tarnex_client
