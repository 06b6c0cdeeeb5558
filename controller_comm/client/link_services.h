#pragma once
// What a window needs to open its links: a maker of the call interface it
// talks through, and the settings its links open with. Each program's main
// builds one and hands it down to the windows; tests build their own.
#include <functional>
#include <memory>

#include "controller_comm/client/plc_api.h"

namespace tarnex_client {

struct LinkServices {
  // A new call interface for one window, which owns it.
  std::function<std::unique_ptr<IPlcApi>()> makeApi;
  PlcLinkSettings link;
};

// The services on the link library in this process: the product's link
// settings by default, a local UDP port of 0 in tests.
LinkServices TarnexLinkServices(PlcLinkSettings link = {});

}  // namespace tarnex_client
