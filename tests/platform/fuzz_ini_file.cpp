// Parsing is lossless, and a write changes nothing but its own line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ini_file.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// Line texts without their endings; CR, LF and CR LF each end a line.
std::vector<std::string> lineTexts(const std::string &text) {
  std::vector<std::string> lines;
  size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // the BOM is no line
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

// True when taking one line equal to `line` out of after gives before.
bool isBeforePlusOneLine(const std::vector<std::string> &before, const std::vector<std::string> &after,
                         const std::string &line) {
  if (after.size() != before.size() + 1) return false;
  for (size_t i = 0; i < after.size(); ++i) {
    if (after[i] != line) continue;
    std::vector<std::string> rest = after;
    rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(i));
    if (rest == before) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string input(reinterpret_cast<const char *>(data), size);
  platform::IniFile ini = platform::IniFile::Parse(input);
  check(ini.ToBytes() == input);

  // One key derived from the input: its first section and first key when it
  // has them, else made-up names; the value is one that reads back as is.
  auto sections = ini.SectionNames();
  std::string section = sections.empty() ? "Fuzz" : sections.front();
  for (const std::string &name : sections) check(ini.HasSection(name));
  auto keys = ini.KeyNames(section);
  for (const std::string &name : keys) check(ini.HasKey(section, name));
  std::string key = keys.empty() ? "k" + std::to_string(size) : keys.front();
  std::string value = "v" + std::to_string(size % 97);

  const bool hadSection = ini.HasSection(section);
  const bool hadKey = ini.HasKey(section, key);
  if (!ini.WriteString(section, key, value)) return 0;
  check(ini.ReadString(section, key, "<missing>") == value);
  const std::string output = ini.ToBytes();
  check(platform::IniFile::Parse(output).ReadString(section, key, "<missing>") == value);

  std::vector<std::string> before = lineTexts(input);
  std::vector<std::string> after = lineTexts(output);
  if (hadKey) {
    // The key's own line is the only one that changed.
    check(before.size() == after.size());
    size_t changed = 0;
    for (size_t i = 0; i < before.size(); ++i) changed += before[i] != after[i];
    check(changed <= 1);
  } else if (hadSection) {
    check(isBeforePlusOneLine(before, after, key + "=" + value));
  } else {
    // A new section goes at the end.
    check(after.size() == before.size() + 2);
    check(after[after.size() - 2] == "[" + section + "]" && after.back() == key + "=" + value);
    after.resize(before.size());
    check(before == after);
  }
  return 0;
}
