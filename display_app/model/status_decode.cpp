#include "display_app/model/status_decode.h"

#include <algorithm>
#include <string>

#include "display_app/model/reply_words.h"
#include "display_app/model/value_text.h"
#include "plc_register_map.h"

namespace morvit {
namespace {

constexpr const char *kDegrees = "\xE2\x84\x83";  // U+2103

}  // namespace

StatusValues DecodeStatusItems(std::vector<StatusItem> &items, const PlcReply &reply, double alarmTemperature) {
  auto reg = [&](int64_t r) { return ReplyWord(reply, plc::kBlockStatus, r); };
  StatusValues values;
  for (size_t j = 0; j < items.size(); ++j) {
    StatusItem &item = items[j];
    const auto row = static_cast<uint16_t>(std::min<size_t>(j + 1, 0xFFFF));
    const int64_t channel = item.Channel;
    std::string text;  // empty: keep the old text
    auto scaled = [&](int64_t r) -> std::optional<double> {
      auto raw = reg(r);
      if (!raw) return std::nullopt;
      return ScaleToValue(*raw, item.Gain, item.Offset, item.Base);
    };
    switch (item.Type) {
      case kItemSmoke:
        if (auto v = reg(plc::kRegSmokeInput)) {
          text = std::to_string(*v);
          values.error = RowValue<uint16_t>{*v, row};
        }
        break;
      case kItemAlarmTemperature:
        text = formatPrecision(alarmTemperature, item.Precision, kDegrees);
        break;
      case kItemShutdownTemperature:
        if (auto v = scaled(plc::kRegAnalogLimitFirst - 1 + channel)) {
          values.shutdownTemperature = RowValue<double>{*v, row};
          text = formatPrecision(*v, item.Precision, kDegrees);
        }
        break;
      case kItemDigitalInput:
        if (auto v = reg(channel - 1)) text = std::to_string(*v);
        break;
      case kItemAnalogInput:
        if (auto v = scaled(plc::kRegAnalogInputFirst - 1 + channel)) text = formatPrecision(*v, item.Precision, kDegrees);
        break;
      case kItemMeasuredTemperature:
        if (auto v = scaled(plc::kRegAnalogInputFirst - 1 + channel)) {
          values.measuredTemperature = RowValue<double>{*v, row};
          text = formatPrecision(*v, item.Precision, kDegrees);
        }
        break;
      case kItemBrightness:
        if (auto v = scaled(plc::kRegAnalogInputFirst - 1 + channel)) {
          values.brightness = RowValue<double>{*v, row};
          text = formatPrecision(*v, item.Precision, "");
        }
        break;
      default:
        break;
    }
    if (!text.empty()) item.ValueText = text;
  }
  return values;
}

}  // namespace morvit
