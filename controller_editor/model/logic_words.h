#pragma once
// The ten words of a controller's logic list (registers 160..169).
#include <array>
#include <cstdint>

#include "controller_editor/model/project.h"
#include "platform/result.h"

namespace selkan {

inline constexpr int32_t kLogicPlaces = 10;
using LogicWords = std::array<uint16_t, kLogicPlaces>;

// Walks the devices of controller ctrl in list order and fills one place per
// entry with (device ID << 12) | (output number << 8) | delay; unused places
// are 0xFFFF. Refused, with a text naming the device, for more than ten
// entries, a device ID outside 0..15, a delay above 255, or an entry whose
// output is missing, belongs to another controller or has a number outside
// 0..9. Nothing is truncated into a neighbouring field.
platform::Result<LogicWords> BuildLogicWords(const Project &project, int32_t ctrl);

}  // namespace selkan
