#include "controller_editor/model/logic_words.h"

#include <cstdio>
#include <string>

#include "platform/cp936.h"
#include "plc_register_map.h"

namespace selkan {
namespace {

constexpr int32_t kMaxDeviceId = 15;
constexpr int32_t kMaxDelay = 255;

platform::Error refusal(const char *format, const TDeviceParm &device, int32_t number = 0) {
  const std::string name = cp936::ToUtf8(device.Name);
  const int needed = std::snprintf(nullptr, 0, format, name.c_str(), number);
  std::string text(static_cast<size_t>(needed > 0 ? needed : 0), '\0');
  std::snprintf(text.data(), text.size() + 1, format, name.c_str(), number);
  return platform::Error{0, std::move(text)};
}

// The output an entry names, when it is one of controller ctrl with a number
// the four-bit field can carry.
const TOutputParm *entryOutput(const Project &project, int32_t ctrl, uint32_t entry) {
  const int32_t pos = EntryOutput(entry);
  if (pos >= project.OutputCtrl.Count()) return nullptr;
  const TOutputParm &output = project.OutputCtrl[pos];
  if (output.PLC_ID != ctrl) return nullptr;
  if (output.Output < 0 || output.Output >= kOutputsPerController) return nullptr;
  return &output;
}

}  // namespace

platform::Result<LogicWords> BuildLogicWords(const Project &project, int32_t ctrl) {
  LogicWords words;
  words.fill(plc::kLogicEmpty);
  if (ctrl < 0 || ctrl >= project.PLCCtrl.Count()) {
    return platform::Error{0, "PLC单元不存在，无法下载。"};
  }
  size_t place = 0;
  for (const TDeviceParm &device : project.DeviceCtrl.Items()) {
    if (device.PLC_ID != ctrl || device.Entries.empty()) continue;
    if (device.ID < 0 || device.ID > kMaxDeviceId) {
      return refusal("设备“%s”的编号%d超出0..15，无法下载。", device, device.ID);
    }
    for (const uint32_t entry : device.Entries) {
      if (place == words.size()) {
        return refusal("逻辑列表超过10项，无法下载。", device);
      }
      const TOutputParm *output = entryOutput(project, ctrl, entry);
      if (output == nullptr) {
        return refusal("设备“%s”引用了无效的输出口，无法下载。", device);
      }
      const int32_t delay = EntryDelay(entry);
      if (delay > kMaxDelay) {
        return refusal("设备“%s”的延迟时间%d超出0..255，无法下载。", device, delay);
      }
      words[place++] = static_cast<uint16_t>((device.ID << 12) | (output->Output << 8) | delay);
    }
  }
  return words;
}

}  // namespace selkan
