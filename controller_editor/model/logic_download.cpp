#include "controller_editor/model/logic_download.h"

#include "controller_comm/client/open_failure.h"
#include "controller_editor/model/logic_words.h"
#include "plc_register_map.h"

namespace selkan {
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
  using tarnex_client::LinkKind;
  const int32_t devTypePort = tarnex_client::LinkRequest(link.network ? LinkKind::Udp : LinkKind::Serial, link.comPort);
  LinkHandle = api_.openDev(devTypePort, settings_.baud, settings_.localUdpPort);
  if (LinkHandle == -1) {
    return platform::Error{0, tarnex_client::OpenFailureText(api_, devTypePort, settings_.localUdpPort, "打开设备失败")};
  }

  api_.cmdWrite(address, plc::kRegLogicFirst, words.value().data(),
                static_cast<int32_t>(words.value().size()));
  if (!tarnex_client::SendStarted(api_.send(LinkHandle, link.host, link.hostPort))) {
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
