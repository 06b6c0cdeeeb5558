#pragma once
// The device editor's download of one controller's logic list: the link
// calls in their order and the status text the editor shows. Runs in the
// window thread; the window passes the link's completion notices in.
#include <cstdint>
#include <optional>
#include <string>

#include "controller_comm/client/plc_api.h"
#include "controller_editor/model/project.h"
#include "platform/result.h"

namespace selkan {

// Where the logic list goes, as the link dialog chose it.
struct LogicLinkChoice {
  bool network = false;
  int32_t comPort = 1;             // COM 1..64, serial and UDP alike
  std::string host;                // the controller's IP address (UDP)
  int32_t hostPort = 6666;         // the controller's UDP port
  std::optional<int32_t> address;  // the chosen address; none = the controller's Addr
};

class LogicDownload {
 public:
  LogicDownload(tarnex_client::IPlcApi &api, tarnex_client::PlcLinkSettings settings)
      : api_(api), settings_(settings) {}

  int32_t LinkHandle = -1;
  bool Busy = false;

  // Sends controller ctrl's logic list. Nothing happens while an earlier
  // download waits for its notice. A list the words cannot carry or a link
  // that does not open is refused with the text for a box; nothing is sent
  // then. A send the library refuses only sets the busy text.
  platform::Result<void> start(const Project &project, int32_t ctrl, const LogicLinkChoice &link,
                               HWND window);
  // A completion notice. Counted only while this download's send runs.
  void handleNotice(uint16_t function, uint16_t result);

  const std::string &statusText() const { return statusText_; }

 private:
  tarnex_client::IPlcApi &api_;
  tarnex_client::PlcLinkSettings settings_;
  std::string statusText_;
};

}  // namespace selkan
