#include "transport/dotted_quad.h"

#include <arpa/inet.h>

#include <cstdint>

namespace transport {

std::optional<in_addr_t> ParseDottedQuad(const char *text) {
  if (text == nullptr) return std::nullopt;
  uint32_t address = 0;
  const char *p = text;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (*p != '.') return std::nullopt;
      ++p;
    }
    if (*p < '0' || *p > '9') return std::nullopt;
    unsigned value = 0;
    while (*p >= '0' && *p <= '9') {
      value = value * 10 + static_cast<unsigned>(*p - '0');
      if (value > 255) return std::nullopt;
      ++p;
    }
    address = (address << 8) | value;
  }
  if (*p != '\0') return std::nullopt;
  return htonl(address);
}

}  // namespace transport
