#include "controller_editor/model/status_editing.h"

#include <algorithm>
#include <cmath>

#include "platform/number_text.h"

namespace selkan {
namespace {

constexpr std::array<const char *, 3> kTemperatureScaling{"-20", "268", "6"};
constexpr std::array<const char *, 3> kNoScaling{nullptr, nullptr, nullptr};

constexpr StatusTab kTabs[] = {
    {1, "烟感", "烟感", 0, 0, false, false, kNoScaling},
    {6, "当前温度", "当前温度", 1, 8, true, true, kTemperatureScaling},
    {2, "报警温度", "报警温度", 0, 0, true, false, kNoScaling},
    {3, "关闭温度", "关闭温度", 1, 8, true, true, kTemperatureScaling},
    {7, "亮度传感器", "环境亮度", 1, 8, true, true, kTemperatureScaling},
    {4, "DI", "电源监视", 3, 10, false, false, kNoScaling},
    {5, "AI", "传感器监视", 1, 8, true, true, {"0", "0", "1"}},
};

constexpr double kScalingDefaults[3] = {0, 0, 1};

}  // namespace

std::span<const StatusTab> StatusTabs() { return kTabs; }

double ParseScaling(const std::string &text, double def) {
  const double v = platform::ParseFloatOr(text, def);
  return std::isfinite(v) ? v : def;
}

platform::Result<int32_t> AddStatusItem(Project &p, int32_t ctrl, const StatusTab &tab, const StatusInput &input) {
  if (ctrl < 0 || ctrl >= p.PLCCtrl.Count()) return platform::Error{0, ""};
  if (ctrl >= StatusRegion::kBlocks) return platform::Error{0, kNoStatusBlockText};
  const int32_t slot = p.Status.NextFreeSlot(ctrl);
  if (slot < 0) return platform::Error{0, kStatusBlockFullText};

  StatusItem item = p.Status.Item(ctrl, slot);
  item.SetType(tab.type);
  if (tab.channels > 0) item.SetID(tab.firstChannel + std::clamp(input.channelIndex, 0, tab.channels - 1));
  if (tab.precision) item.SetPrecision(std::clamp(input.precisionIndex, 0, kPrecisionChoices - 1));
  if (tab.scaling) {
    item.SetParm1(ParseScaling(input.scaling[0], kScalingDefaults[0]));
    item.SetParm2(ParseScaling(input.scaling[1], kScalingDefaults[1]));
    item.SetParm3(ParseScaling(input.scaling[2], kScalingDefaults[2]));
  }
  item.SetName(input.name);
  p.Status.SetCount(ctrl, slot + 1);
  return slot;
}

std::string StatusLine(const ConstStatusItem &item) {
  const std::string id = platform::FormatInteger(item.stID());
  switch (item.stType()) {
    case 4:
      return item.stName() + "(DI" + id + ")";
    case 5:
    case 6:
    case 7:
      return item.stName() + "(AI" + id + ")";
    default:
      return item.stName();
  }
}

}  // namespace selkan
