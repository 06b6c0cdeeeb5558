#pragma once
// Outcome of waiting for input on a serial port or UDP link, and the clock
// every wait is measured against.
#include <chrono>

namespace transport {

using Clock = std::chrono::steady_clock;
using Deadline = Clock::time_point;

enum class WaitResult {
  Readable,  // input is waiting
  Timeout,   // the deadline passed with nothing to read
  Closed,    // the link is closed (or was closed while waiting)
  HungUp,    // the device went away (peer hung up, adapter unplugged)
};

}  // namespace transport
