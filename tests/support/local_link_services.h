#pragma once
// The link services the tests hand the programs' windows: the real link
// library, its local UDP port left to the system so parallel runs never
// collide.
#include "link_services.h"

namespace testsupport {

inline tarnex_client::LinkServices LocalLinkServices() { return tarnex_client::TarnexLinkServices({0, 9600}); }

}  // namespace testsupport
