#pragma once
// Parsing of IPv4 addresses written as four decimal numbers.
#include <netinet/in.h>

#include <optional>

namespace transport {

// "a.b.c.d" with each part one or more decimal digits worth 0..255; leading
// zeros are read as decimal ("192.168.000.002" is 192.168.0.2). Anything else
// (names, fewer or more parts, signs, spaces, null) is nullopt. The result is
// in network byte order.
std::optional<in_addr_t> ParseDottedQuad(const char *text);

}  // namespace transport
