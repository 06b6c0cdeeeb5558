#pragma once
// The rules of the status item editor that need no window: its seven tabs,
// what an Add on each writes into the controller's status block, and the
// line each item shows in the list.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "controller_editor/model/project.h"
#include "platform/result.h"

namespace selkan {

inline constexpr const char *kStatusBlockFullText = "此PLC的状态项已满（最多32项）。";
inline constexpr const char *kNoStatusBlockText = "第257个及以后的PLC单元不能设置状态项。";

// One tab: the item kind it adds and the fields it sets. Texts are UTF-8.
struct StatusTab {
  int32_t type;
  const char *caption;
  const char *defaultName;
  int32_t firstChannel;  // number of the first channel item; 0: no channel
  int32_t channels;      // channel items
  bool precision;        // sets the number of decimals
  bool scaling;          // sets stParm1..stParm3
  std::array<const char *, 3> scalingPreset;  // the edits' first texts
};

// The tabs in the order they are shown.
std::span<const StatusTab> StatusTabs();

inline constexpr int32_t kPrecisionChoices = 3;  // 0, 1 or 2 decimals

// What the user set on a tab.
struct StatusInput {
  std::string name;            // code page 936 bytes
  int32_t channelIndex = 0;    // position in the channel list
  int32_t precisionIndex = 0;  // position in the decimals list
  std::array<std::string, 3> scaling;
};

// A scaling edit's value: a decimal number with '.', else def (also for
// infinities and NaN, which no display could use).
double ParseScaling(const std::string &text, double def);

// Appends an item of tab's kind to controller ctrl's block, writing only the
// fields the tab sets, and returns its slot. Refused for a controller
// without a block (position 256 on) and for a full block; a missing
// controller is refused with an empty text.
platform::Result<int32_t> AddStatusItem(Project &p, int32_t ctrl, const StatusTab &tab, const StatusInput &input);

// The list line of an item, in code page 936: the name, followed by
// "(DI<n>)" or "(AI<n>)" for kinds with a channel.
std::string StatusLine(const ConstStatusItem &item);

}  // namespace selkan
