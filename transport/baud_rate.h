#pragma once
// The termios speed constant for a line rate in bits per second.
#include <termios.h>

#include <optional>

namespace transport {

// nullopt for a rate without a standard constant (and for rates <= 0).
std::optional<speed_t> BaudConstant(int baud);

}  // namespace transport
