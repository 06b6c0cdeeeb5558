#pragma once
// The status block read from a controller, decoded into its status items'
// value texts and the values the view watches (smoke fault, shut-down and
// measured temperatures, brightness).
#include <cstdint>
#include <optional>
#include <vector>

#include "display_app/model/plc_config.h"
#include "plc_reply.h"

namespace morvit {

// A value decoded for an item, and the item's grid row (item j is row j + 1).
template <typename T>
struct RowValue {
  T value{};
  uint16_t row = 0;
};

// The last item of each watched type that the reply gave a value for.
struct StatusValues {
  std::optional<RowValue<uint16_t>> error;  // smoke sensor
  std::optional<RowValue<double>> shutdownTemperature;
  std::optional<RowValue<double>> measuredTemperature;
  std::optional<RowValue<double>> brightness;
};

// Rewrites each item's ValueText from a reply to the status block (an item
// whose register the reply lacks, or whose precision is not 0, 1 or 2, keeps
// its text); the alarm temperature item shows alarmTemperature.
StatusValues DecodeStatusItems(std::vector<StatusItem> &items, const PlcReply &reply, double alarmTemperature);

}  // namespace morvit
