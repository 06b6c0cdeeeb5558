#include "controller_comm/client/link_services.h"

namespace tarnex_client {

LinkServices TarnexLinkServices(PlcLinkSettings link) {
  return LinkServices{[] { return std::make_unique<TarnexPlcApi>(); }, link};
}

}  // namespace tarnex_client
