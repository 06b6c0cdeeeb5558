#include "display_app/model/screen_commands.h"

#include "display_app/model/globals.h"
#include "quodel.h"

namespace morvit {
namespace {

constexpr uint32_t kCommand = 1;
constexpr uint32_t kRequestType = 0x0200;
constexpr uint32_t kSetType = 0x0300;

void makeHeader(uint32_t type) {
  Qd_MakeCmdHeader(static_cast<uint32_t>(SelectedScreen) & 0xFFFFu, kCommand, type, 0);
}

}  // namespace

void SendScreenRequest(std::initializer_list<uint16_t> ids) {
  makeHeader(kRequestType);
  for (uint16_t id : ids) Qd_AddRequestParm(id);
  SendScreenCommand();
}

void SendScreenSet(std::initializer_list<std::pair<uint16_t, int32_t>> values) {
  makeHeader(kSetType);
  for (const auto &[id, value] : values) Qd_AddSetParmWord(id, static_cast<uint32_t>(value) & 0xFFFFu);
  SendScreenCommand();
}

void SendScreenCommand() {
  Qd_SendCmd(CommParm.Transport, static_cast<uint32_t>(CommParm.Port) & 0xFFFFu, CommParm.Host.c_str(),
             CommParm.UdpPort);
}

}  // namespace morvit
