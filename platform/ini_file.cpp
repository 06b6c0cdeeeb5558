#include "ini_file.h"

#include <cerrno>
#include <optional>
#include <unordered_set>
#include <utility>

#include "cp936.h"
#include "file_io.h"
#include "number_text.h"

namespace platform {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool isBlankLine(std::string_view s) { return trim(s).empty(); }

// "[name]" with anything after the ']'; the ']' search steps over two-byte
// characters, whose trail byte may be 0x5D.
std::optional<std::string_view> headerName(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  if (i >= text.size() || text[i] != '[') return std::nullopt;
  for (size_t j = i + 1; j < text.size(); j += cp936::CharLength(text, j)) {
    if (text[j] == ']') return trim(text.substr(i + 1, j - i - 1));
  }
  return std::nullopt;
}

// The trimmed name before the first '=' of a key line; none for comments,
// lines without '=' and lines with an empty name. Headers are told apart
// before this is asked.
std::optional<std::string_view> keyName(std::string_view text) {
  std::string_view t = trim(text);
  if (t.empty() || t.front() == ';') return std::nullopt;
  size_t eq = text.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  std::string_view name = trim(text.substr(0, eq));
  if (name.empty()) return std::nullopt;
  return name;
}

std::string_view rawValue(std::string_view text) {
  size_t eq = text.find('=');
  return eq == std::string_view::npos ? std::string_view() : text.substr(eq + 1);
}

bool hasAny(std::string_view s, std::string_view chars) { return s.find_first_of(chars) != std::string_view::npos; }

constexpr std::string_view kLineBreaks("\r\n\0", 3);

}  // namespace

IniFile IniFile::Parse(std::string_view bytes) {
  IniFile ini;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    ini.bom_ = true;
    bytes.remove_prefix(3);
  }
  while (!bytes.empty()) {
    size_t nl = bytes.find('\n');
    if (nl == std::string_view::npos) {
      ini.appendLine(bytes, Eol::None);
      break;
    }
    std::string_view text = bytes.substr(0, nl);
    if (!text.empty() && text.back() == '\r') {
      text.remove_suffix(1);
      ini.appendLine(text, Eol::CrLf);
    } else {
      ini.appendLine(text, Eol::Lf);
    }
    bytes.remove_prefix(nl + 1);
  }
  return ini;
}

void IniFile::appendLine(std::string_view text, Eol eol) {
  if (!firstLineSeen_) {
    firstLineSeen_ = true;
    firstEol_ = eol;
  }
  if (auto name = headerName(text)) {
    Section s;
    s.name = std::string(*name);
    s.lines.push_back(Line{std::string(text), eol});
    sectionIndex_[cp936::FoldCase(*name)].push_back(sections_.size());
    sections_.push_back(std::move(s));
    return;
  }
  if (sections_.empty()) {
    preamble_.push_back(Line{std::string(text), eol});
    return;
  }
  Section &s = sections_.back();
  size_t idx = s.lines.size();
  s.lines.push_back(Line{std::string(text), eol});
  if (!isBlankLine(text)) s.lastNonBlank = idx;
  if (auto key = keyName(text)) s.keys.try_emplace(cp936::FoldCase(*key), idx);
}

Result<IniFile> IniFile::Load(const std::string &path) {
  auto bytes = ReadWholeFile(path, kMaxFileBytes);
  IniFile ini;
  if (!bytes.ok()) {
    if (bytes.error().code != ENOENT) return bytes.error();
  } else {
    const auto &b = bytes.value();
    ini = Parse(std::string_view(reinterpret_cast<const char *>(b.data()), b.size()));
  }
  ini.path_ = path;
  return ini;
}

std::string IniFile::ToBytes() const {
  std::string out;
  if (bom_) out += "\xEF\xBB\xBF";
  auto put = [&out](const Line &l) {
    out += l.text;
    if (l.eol == Eol::CrLf) out += "\r\n";
    else if (l.eol == Eol::Lf) out += '\n';
  };
  for (const Line &l : preamble_) put(l);
  for (const Section &s : sections_)
    for (const Line &l : s.lines) put(l);
  return out;
}

Result<void> IniFile::Save() const {
  if (path_.empty()) return Error{EINVAL, "无法写入文件 \"\"：没有文件名"};
  return WriteFileAtomically(path_, ToBytes());
}

const IniFile::Section *IniFile::findSection(std::string_view name) const {
  auto it = sectionIndex_.find(cp936::FoldCase(trim(name)));
  if (it == sectionIndex_.end() || it->second.empty()) return nullptr;
  return &sections_[it->second.front()];
}

IniFile::Section *IniFile::findSection(std::string_view name) {
  return const_cast<Section *>(std::as_const(*this).findSection(name));
}

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  for (const Section &s : sections_) {
    if (!s.erased && seen.insert(cp936::FoldCase(s.name)).second) names.push_back(s.name);
  }
  return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const Section *s = findSection(section);
  if (!s) return names;
  std::unordered_set<std::string> seen;
  for (size_t i = 1; i < s->lines.size(); ++i) {
    auto key = keyName(s->lines[i].text);
    if (key && seen.insert(cp936::FoldCase(*key)).second) names.emplace_back(*key);
  }
  return names;
}

bool IniFile::HasSection(std::string_view section) const { return findSection(section) != nullptr; }

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  const Section *s = findSection(section);
  return s && s->keys.count(cp936::FoldCase(trim(key))) > 0;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const Section *s = findSection(section);
  if (!s) return std::string(def);
  auto it = s->keys.find(cp936::FoldCase(trim(key)));
  if (it == s->keys.end()) return std::string(def);
  std::string_view value = trim(rawValue(s->lines[it->second].text));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  if (!HasKey(section, key)) return def;
  return ParseIntegerOr(ReadString(section, key, ""), def);
}

double IniFile::ReadFloat(std::string_view section, std::string_view key, double def) const {
  if (!HasKey(section, key)) return def;
  return ParseFloatOr(ReadString(section, key, ""), def);
}

IniFile::Line *IniFile::lastLine() {
  for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
    if (!it->erased) return &it->lines.back();
  }
  return preamble_.empty() ? nullptr : &preamble_.back();
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string_view sec = trim(section);
  std::string_view k = trim(key);
  // A key that would not read back as a key: empty, holding '=' or a line
  // break, or starting like a comment or a header.
  if (k.empty() || hasAny(k, "=") || hasAny(k, kLineBreaks) || k.front() == ';' || k.front() == '[') return false;
  if (hasAny(sec, "]") || hasAny(sec, kLineBreaks)) return false;

  std::string v(value);
  for (char &c : v)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';

  const Eol eol = firstLineSeen_ && firstEol_ != Eol::None ? firstEol_ : Eol::CrLf;
  const std::string folded = cp936::FoldCase(k);
  if (Section *found = findSection(sec)) {
    Section &s = *found;
    auto it = s.keys.find(folded);
    if (it != s.keys.end()) {
      Line &line = s.lines[it->second];
      line.text = std::string(*keyName(line.text)) + "=" + v;
      return true;
    }
    Line &anchor = s.lines[s.lastNonBlank];
    if (anchor.eol == Eol::None) anchor.eol = eol;
    size_t pos = s.lastNonBlank + 1;
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(pos), Line{std::string(k) + "=" + v, eol});
    s.keys.emplace(folded, pos);
    s.lastNonBlank = pos;
    return true;
  }

  if (Line *last = lastLine(); last && last->eol == Eol::None) last->eol = eol;
  Section s;
  s.name = std::string(sec);
  s.lines.push_back(Line{"[" + s.name + "]", eol});
  s.lines.push_back(Line{std::string(k) + "=" + v, eol});
  s.keys.emplace(folded, 1);
  s.lastNonBlank = 1;
  sectionIndex_[cp936::FoldCase(sec)].push_back(sections_.size());
  sections_.push_back(std::move(s));
  return true;
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
  return WriteString(section, key, FormatInteger(value));
}

bool IniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
  return WriteString(section, key, FormatFloat(value));
}

void IniFile::EraseSection(std::string_view section) {
  auto it = sectionIndex_.find(cp936::FoldCase(trim(section)));
  if (it == sectionIndex_.end()) return;
  for (size_t idx : it->second) {
    Section &s = sections_[idx];
    s.erased = true;
    s.lines.clear();
    s.lines.shrink_to_fit();
    s.keys.clear();
  }
  sectionIndex_.erase(it);
}

Result<void> UpdateIniFile(const std::string &path, const std::function<void(IniFile &)> &fn) {
  auto ini = IniFile::Load(path);
  if (!ini.ok()) return ini.error();
  fn(ini.value());
  return ini.value().Save();
}

}  // namespace platform
