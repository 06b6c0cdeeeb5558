#pragma once
// The debug console's texts: the controller address typed by the user, the
// replies of its reads as the texts the console shows, and the network
// settings typed by the user as the words it writes.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace selkan {

// The address typed into the console: a number, 1 when it is not one; the
// link keeps its low 8 bits ("300" gives 44).
uint8_t ParseControllerAddress(std::string_view text);

// An output or input item: "%02d - 1" (on) or "%02d - 0" of index + 1.
std::string StateItemText(size_t index, bool on);

// Every decoder reads d[i] as the word of the read's first register + i; a
// word missing from a short reply counts as 0.

// Input registers 0..15: the twelve input items and the force flag (word 15).
struct InputTexts {
  std::array<std::string, 12> items;  // "01 - 1" on, "01 - 0" off
  bool force = false;
};
InputTexts DecodeInputs(std::span<const uint16_t> d);

// Output registers 32..41: 0 means the output is on ("03 - 1").
std::array<std::string, 10> DecodeOutputs(std::span<const uint16_t> d);

// Analogue registers 16..31: a header line, then eight lines of the sampled
// value and its limit.
std::vector<std::string> DecodeAnalogue(std::span<const uint16_t> d);

// Logic registers 160..169: per row the device, the output and the delay.
using LogicRowTexts = std::array<std::string, 3>;
std::array<LogicRowTexts, 10> DecodeLogic(std::span<const uint16_t> d);

// Timer plan registers 64..138: one line when the timer is off, else the
// week day by day, four periods each (36 lines).
std::vector<std::string> DecodePlan(std::span<const uint16_t> d);

// Network registers 208..213.
struct NetworkTexts {
  std::string mac;   // "11.22.33.44.55.66"
  std::string ip;    // "192.168.000.001"
  std::string port;  // "6666"
};
NetworkTexts DecodeNetwork(std::span<const uint16_t> d);

// The six network words from the texts of the MAC, IP and port fields ('_'
// is read as a space; a blank MAC digit counts 0). Refuses an IP part that is
// not a number or above 255, and a port outside 1..65535; a port that is not
// a number gives 6666.
platform::Result<std::array<uint16_t, 6>> EncodeNetwork(std::string_view mac, std::string_view ip,
                                                        std::string_view port);

}  // namespace selkan
