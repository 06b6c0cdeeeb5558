#include "logic_download.h"

#include "logic_words.h"
#include "open_failure.h"
#include "plc_register_map.h"

namespace selkan {
namespace {

constexpr int32_t kSerialLink = 1;
constexpr int32_t kUdpLink = 2;
// PLC_Send results below this start no send (0 nothing queued, 1 busy).
constexpr int32_t kFirstAcceptedSend = 2;

}  // namespace

platform::Result<void> LogicDownload::start(const Project &project, int32_t ctrl,
                                            const LogicLinkChoice &link, HWND window) {
  if (Busy) return {};
  if (LinkHandle != -1) {
    api_.closeDev(LinkHandle);
    LinkHandle = -1;
  }
  auto words = BuildLogicWords(project, ctrl);
  if (!words) return words.error();
  const int32_t address = link.address.value_or(project.PLCCtrl[ctrl].Addr);
  if (address < 0 || address > 255) return platform::Error{0, "PLC地址无效，无法下载。"};
  if (link.comPort < 1 || link.comPort > 256) return platform::Error{0, "打开设备失败"};

  api_.setNotify(window, static_cast<int32_t>(tarnex_client::kPlcNoticeMessage));
  const int32_t devTypePort = (link.comPort << 16) | (link.network ? kUdpLink : kSerialLink);
  LinkHandle = api_.openDev(devTypePort, settings_.baud, settings_.localUdpPort);
  if (LinkHandle == -1) {
    return platform::Error{0, tarnex_client::OpenFailureText(api_, devTypePort, settings_.localUdpPort, "打开设备失败")};
  }

  api_.cmdWrite(address, plc::kRegLogicFirst, words.value().data(),
                static_cast<int32_t>(words.value().size()));
  if (api_.send(LinkHandle, link.host, link.hostPort) < kFirstAcceptedSend) {
    statusText_ = "通讯忙，请稍后再试";
    return {};
  }
  statusText_ = "正在上传设备逻辑列表...";
  Busy = true;
  return {};
}

void LogicDownload::handleNotice(uint16_t /*function*/, uint16_t result) {
  if (!Busy) return;
  if (result == PlcResultDone) {
    statusText_ = "上传设备逻辑列表完成!";
  } else if (result == PlcResultTimeOut) {
    statusText_ = "通讯故障，超时!";
  }
  Busy = false;
}

}  // namespace selkan
