#include "controller_editor/model/debug_codec.h"

#include <cstdio>

#include "controller_editor/model/hex_pair.h"
#include "platform/number_text.h"
#include "plc_register_map.h"

namespace selkan {
namespace {

constexpr uint16_t kDefaultPort = 6666;
constexpr int kDaysInWeek = plc::kPlanDayCount;
constexpr int kPeriodsPerDay = plc::kPlanPeriodCount;
// Words of the plan block read from its first register.
constexpr size_t kPlanMaskLow = plc::kRegPlanEnableBitsLow - plc::kBlockPlan.first;
constexpr size_t kPlanMaskHigh = plc::kRegPlanEnableBitsHigh - plc::kBlockPlan.first;
constexpr size_t kPlanFirstTime = plc::kRegPlanTimeFirst - plc::kBlockPlan.first;
constexpr size_t kForceWord = plc::kRegForceMode;
constexpr size_t kAnalogueInputs = plc::kAnalogInputCount;

constexpr const char *kWeekdayNames[kDaysInWeek] = {"星期日", "星期一", "星期二", "星期三",
                                                    "星期四", "星期五", "星期六"};

uint16_t Word(std::span<const uint16_t> d, size_t i) { return i < d.size() ? d[i] : 0; }
uint8_t Low(uint16_t w) { return static_cast<uint8_t>(w & 0xFF); }
uint8_t High(uint16_t w) { return static_cast<uint8_t>(w >> 8); }

// An hour:minute word, hour in the high byte.
std::string TimeText(uint16_t w) {
  char text[8];
  std::snprintf(text, sizeof text, "%02u:%02u", static_cast<unsigned>(High(w)), static_cast<unsigned>(Low(w)));
  return text;
}

std::string_view Slice(std::string_view text, size_t first, size_t n) {
  if (first >= text.size()) return {};
  return text.substr(first, n);
}

std::string Blanked(std::string_view text) {
  std::string s(text);
  for (char &c : s) {
    if (c == '_') c = ' ';
  }
  return s;
}

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The text as a decimal number, false when it is not one.
bool ParseNumber(std::string_view text, int32_t &value) {
  value = platform::ParseIntegerOr(text, -1);
  return value == platform::ParseIntegerOr(text, -2);
}

platform::Error Refusal(std::string message) { return platform::Error{0, std::move(message)}; }

}  // namespace

std::string StateItemText(size_t index, bool on) {
  char text[32];
  std::snprintf(text, sizeof text, "%02zu - %d", index + 1, on ? 1 : 0);
  return text;
}

uint8_t ParseControllerAddress(std::string_view text) {
  return static_cast<uint8_t>(platform::ParseIntegerOr(text, 1) & 0xFF);
}

InputTexts DecodeInputs(std::span<const uint16_t> d) {
  InputTexts texts;
  for (size_t i = 0; i < texts.items.size(); ++i) texts.items[i] = StateItemText(i, Word(d, i) == 1);
  texts.force = Word(d, kForceWord) == 1;
  return texts;
}

std::array<std::string, 10> DecodeOutputs(std::span<const uint16_t> d) {
  std::array<std::string, 10> items;
  for (size_t i = 0; i < items.size(); ++i) items[i] = StateItemText(i, Word(d, i) == 0);
  return items;
}

std::vector<std::string> DecodeAnalogue(std::span<const uint16_t> d) {
  std::vector<std::string> lines{"采集数值  --  极限数值"};
  for (size_t k = 0; k < kAnalogueInputs; ++k) {
    char line[32];
    std::snprintf(line, sizeof line, "%08u  --  %08u", static_cast<unsigned>(Word(d, k)),
                  static_cast<unsigned>(Word(d, k + kAnalogueInputs)));
    lines.emplace_back(line);
  }
  return lines;
}

std::array<LogicRowTexts, 10> DecodeLogic(std::span<const uint16_t> d) {
  std::array<LogicRowTexts, 10> rows;
  for (size_t r = 0; r < rows.size(); ++r) {
    const uint16_t w = Word(d, r);
    rows[r] = {std::to_string(w >> 12), std::to_string((w >> 8) & 0xF), std::to_string(w & 0xFF)};
  }
  return rows;
}

std::vector<std::string> DecodePlan(std::span<const uint16_t> d) {
  if (Word(d, 0) == 0) return {"定时功能关闭"};
  std::vector<std::string> lines{"定时功能开启"};
  const uint32_t mask = Word(d, kPlanMaskLow) + (static_cast<uint32_t>(Word(d, kPlanMaskHigh)) << 16);
  for (int n = 0; n < kDaysInWeek; ++n) {
    lines.push_back(std::string("[") + kWeekdayNames[n] + "]");
    for (int p = 1; p <= kPeriodsPerDay; ++p) {
      const std::string period = "     时段" + std::to_string(p);
      if ((mask >> (kPeriodsPerDay * n + p - 1) & 1) == 0) {
        lines.push_back(period + "禁用");
        continue;
      }
      const size_t on = kPlanFirstTime + 8 * n + 2 * (p - 1);
      lines.push_back(period + "启用 [" + TimeText(Word(d, on)) + " - " + TimeText(Word(d, on + 1)) + "]");
    }
  }
  return lines;
}

NetworkTexts DecodeNetwork(std::span<const uint16_t> d) {
  NetworkTexts texts;
  for (size_t i = 0; i < 3; ++i) {
    if (i > 0) texts.mac += '.';
    texts.mac += ByteToHexPair(Low(Word(d, i))) + "." + ByteToHexPair(High(Word(d, i)));
  }
  char ip[24];
  std::snprintf(ip, sizeof ip, "%03u.%03u.%03u.%03u", unsigned{Low(Word(d, 3))}, unsigned{High(Word(d, 3))},
                unsigned{Low(Word(d, 4))}, unsigned{High(Word(d, 4))});
  texts.ip = ip;
  texts.port = std::to_string(Word(d, 5));
  return texts;
}

platform::Result<std::array<uint16_t, 6>> EncodeNetwork(std::string_view mac, std::string_view ip,
                                                        std::string_view port) {
  std::array<uint16_t, 6> words{};
  const std::string mac_text = Blanked(mac);
  for (size_t i = 0; i < 3; ++i) {
    const uint8_t low = HexPairToByte(Slice(mac_text, 6 * i, 2));
    const uint8_t high = HexPairToByte(Slice(mac_text, 6 * i + 3, 2));
    words[i] = static_cast<uint16_t>(low | high << 8);
  }
  const std::string ip_text = Blanked(ip);
  std::array<int32_t, 4> parts{};
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string_view part = Trimmed(Slice(ip_text, 4 * i, 3));
    if (!ParseNumber(part, parts[i])) {
      return Refusal("'" + std::string(part) + "' is not a valid integer value");
    }
    if (parts[i] < 0 || parts[i] > 255) return Refusal("IP地址每段应为0..255。");
  }
  words[3] = static_cast<uint16_t>(parts[0] | parts[1] << 8);
  words[4] = static_cast<uint16_t>(parts[2] | parts[3] << 8);
  const std::string port_text = Blanked(port);
  int32_t port_number = 0;
  if (!ParseNumber(Trimmed(port_text), port_number)) {
    port_number = kDefaultPort;
  } else if (port_number < 1 || port_number > 65535) {
    return Refusal("端口应为1..65535。");
  }
  words[5] = static_cast<uint16_t>(port_number);
  return words;
}

}  // namespace selkan
