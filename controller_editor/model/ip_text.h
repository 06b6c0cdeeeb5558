#pragma once
// The remote IP address typed in the editor's link fields: accepted only as
// a dotted quad, so a frame never goes to a host name or a half-typed text.
#include <string_view>

namespace selkan {

inline constexpr const char *kBadRemoteIpText = "远程IP地址无效，应为如192.168.0.2的格式。";

// Four decimal parts 0..255 of 1-3 digits each, separated by single dots,
// with nothing before or after (no spaces, signs or empty parts).
bool IsDottedQuad(std::string_view text);

}  // namespace selkan
