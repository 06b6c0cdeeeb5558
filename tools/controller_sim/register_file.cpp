#include "tools/controller_sim/register_file.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "platform/file_io.h"

namespace controller_sim {
namespace {

constexpr size_t kMaxFileBytes = 1 << 20;
constexpr int kLastRegister = 255;


std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::string AtLine(int number, const std::string &message) {
  return "寄存器文件第 " + std::to_string(number) + " 行: " + message;
}

}  // namespace

std::optional<long> ParseNumber(std::string_view text, long lo, long hi) {
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    base = 16;
  }
  long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < lo || value > hi) {
    return std::nullopt;
  }
  return value;
}

std::variant<RegisterFile, std::string> ParseRegisterFile(std::string_view text) {
  RegisterFile file;
  std::optional<uint8_t> address;
  int number = 0;
  while (!text.empty()) {
    ++number;
    const size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    if (const size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) continue;

    if (words[0] == "address") {
      const std::optional<long> a = words.size() == 2 ? ParseNumber(words[1], 0, 255) : std::nullopt;
      if (!a) return AtLine(number, "需要 \"address N\" (N 为 0..255)");
      address = static_cast<uint8_t>(*a);
      if (std::find(file.addresses.begin(), file.addresses.end(), *address) == file.addresses.end()) {
        file.addresses.push_back(*address);
      }
      continue;
    }
    if (!address) return AtLine(number, "寄存器行之前需要 \"address N\" 行");
    if (words.size() < 2) return AtLine(number, "需要 \"寄存器 值\"");

    int first = 0;
    int last = 0;
    const size_t dash = words[0].find('-');
    if (dash != std::string_view::npos) {
      const std::optional<long> lo = ParseNumber(words[0].substr(0, dash), 0, kLastRegister);
      const std::optional<long> hi = ParseNumber(words[0].substr(dash + 1), 0, kLastRegister);
      if (!lo || !hi || *hi < *lo) return AtLine(number, "寄存器范围无效: " + std::string(words[0]));
      if (words.size() != 2) return AtLine(number, "寄存器范围只能跟一个值");
      first = static_cast<int>(*lo);
      last = static_cast<int>(*hi);
    } else {
      const std::optional<long> reg = ParseNumber(words[0], 0, kLastRegister);
      if (!reg) return AtLine(number, "寄存器号无效 (0..255): " + std::string(words[0]));
      first = static_cast<int>(*reg);
      last = first + static_cast<int>(words.size()) - 2;
      if (last > kLastRegister) return AtLine(number, "寄存器超出 255");
    }
    for (int reg = first; reg <= last; ++reg) {
      const size_t index = dash != std::string_view::npos ? 1 : 1 + static_cast<size_t>(reg - first);
      const std::string_view word = words[index];
      const std::optional<long> value = ParseNumber(word, 0, 65535);
      if (!value) return AtLine(number, "值无效 (0..65535): " + std::string(word));
      file.settings.push_back({*address, reg, static_cast<uint16_t>(*value)});
    }
  }
  return file;
}

std::variant<RegisterFile, std::string> ReadRegisterFile(const std::string &path) {
  const platform::Result<std::vector<uint8_t>> bytes = platform::ReadWholeFile(path, kMaxFileBytes);
  if (!bytes) return bytes.error().message;
  const std::vector<uint8_t> &data = bytes.value();
  return ParseRegisterFile(std::string_view(reinterpret_cast<const char *>(data.data()), data.size()));
}

}  // namespace controller_sim
