#pragma once
// The video processor's screen parameters and the commands the display
// program sends for them through the screen command library: a request
// for some ids or a set of some values, addressed to the selected screen
// and sent over the link CommParm names. Every value travels as a word;
// the library's results are not looked at.
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace morvit {

enum ScreenParamId : uint16_t {
  spInputSourceA = 0x01,
  spInputSourceB = 0x02,
  spNoise1 = 0x03,
  spNoise2 = 0x04,
  spDetailLevel1 = 0x05,
  spDetailThreshold1 = 0x06,
  spDetailLevel2 = 0x07,
  spDetailThreshold2 = 0x08,
  spGainG = 0x0B,
  spGainB = 0x0C,
  spGainR = 0x0D,
  spOffsetG = 0x0E,
  spOffsetB = 0x0F,
  spOffsetR = 0x10,
  spWhiteG = 0x11,
  spWhiteB = 0x12,
  spWhiteR = 0x13,
  spLivePort1 = 0x14,
  spWidth1 = 0x15,
  spHeight1 = 0x16,
  spLeft1 = 0x17,
  spTop1 = 0x18,
  spDensity1 = 0x19,
  spLivePort2 = 0x1A,
  spWidth2 = 0x1B,
  spHeight2 = 0x1C,
  spLeft2 = 0x1D,
  spTop2 = 0x1E,
  spDensity2 = 0x1F,
  spVideoStandard = 0x20,
  spOperatingMode = 0x21,
};

// One request (type 0x0200) for the ids, in order.
void SendScreenRequest(std::initializer_list<uint16_t> ids);
// One set (type 0x0300) of the values, in order; their low 16 bits travel.
void SendScreenSet(std::initializer_list<std::pair<uint16_t, int32_t>> values);
// Sends the command built so far over CommParm's link.
void SendScreenCommand();

}  // namespace morvit
