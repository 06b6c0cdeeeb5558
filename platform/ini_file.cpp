#include "platform/ini_file.h"

#include <cerrno>
#include <optional>
#include <utility>

#include "platform/cp936.h"
#include "platform/file_io.h"
#include "platform/number_text.h"

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

// The trimmed name before the first '=' of a key line, as (start, length);
// length 0 for comments, lines without '=' and lines with an empty name.
// Headers are told apart before this is asked.
std::pair<size_t, size_t> keyRange(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && isBlank(text[begin])) ++begin;
  if (begin == text.size() || text[begin] == ';') return {0, 0};
  size_t eq = text.find('=', begin);
  if (eq == std::string_view::npos) return {0, 0};
  size_t end = eq;
  while (end > begin && isBlank(text[end - 1])) --end;
  return {begin, end - begin};
}

// FNV-1a over the name folded as cp936::EqualsIgnoreCase folds it: names
// that compare equal hash equal.
uint32_t foldHash(std::string_view name) {
  uint32_t h = 2166136261u;
  auto mix = [&h](unsigned char c) { h = (h ^ c) * 16777619u; };
  for (size_t i = 0; i < name.size();) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c < 0x80) {
      mix(cp936::FoldAscii(c));
      ++i;
    } else if (cp936::CharLength(name, i) == 2) {
      mix(static_cast<unsigned char>(name[i]));
      mix(static_cast<unsigned char>(name[i + 1]));
      i += 2;
    } else {
      mix(cp936::FoldAscii(static_cast<unsigned char>(name[i])));
      ++i;
    }
  }
  return h;
}

// A key that reads back as the same key: not empty, no '=', no line break or
// NUL, and not starting like a comment or a header.
bool validKey(std::string_view k) {
  if (k.empty() || k.front() == ';' || k.front() == '[') return false;
  for (char c : k)
    if (c == '=' || c == '\r' || c == '\n' || c == '\0') return false;
  return true;
}

// A section name holding no line break or NUL, and no ']' of its own (a
// trail byte 0x5D is part of its character).
bool validSectionChars(std::string_view sec) {
  for (size_t i = 0; i < sec.size(); i += cp936::CharLength(sec, i)) {
    const char c = sec[i];
    if (c == '\r' || c == '\n' || c == '\0') return false;
    if (c == ']' && cp936::CharLength(sec, i) == 1) return false;
  }
  return true;
}

// The text of a line without its ending.
std::string lineText(std::string_view key, std::string_view value) {
  std::string text;
  text.reserve(key.size() + 1 + value.size());
  text.append(key);
  text.push_back('=');
  for (char c : value) text.push_back(c == '\r' || c == '\n' || c == '\0' ? ' ' : c);
  return text;
}

}  // namespace

// --- NameIndex ------------------------------------------------------------------

template <typename NameOf>
int64_t IniFile::NameIndex::find(std::string_view name, uint32_t hash, const NameOf &nameOf) const {
  if (slots_.empty()) return -1;
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const uint64_t slot = slots_[i];
    if (slot == kEmpty) return -1;
    if (slot == kErased || static_cast<uint32_t>(slot >> 32) != hash) continue;
    const uint32_t id = static_cast<uint32_t>(slot) - 2;
    if (cp936::EqualsIgnoreCase(nameOf(id), name)) return id;
  }
}

void IniFile::NameIndex::insert(uint32_t id, uint32_t hash) {
  if ((used_ + 1) * 2 > slots_.size()) grow();
  const size_t mask = slots_.size() - 1;
  size_t i = hash & mask;
  while (slots_[i] != kEmpty && slots_[i] != kErased) i = (i + 1) & mask;
  if (slots_[i] == kEmpty) ++used_;
  slots_[i] = uint64_t{hash} << 32 | (uint64_t{id} + 2);
}

void IniFile::NameIndex::erase(uint32_t id, uint32_t hash) {
  if (slots_.empty()) return;
  const size_t mask = slots_.size() - 1;
  const uint64_t wanted = uint64_t{hash} << 32 | (uint64_t{id} + 2);
  for (size_t i = hash & mask; slots_[i] != kEmpty; i = (i + 1) & mask) {
    if (slots_[i] == wanted) {
      slots_[i] = kErased;
      return;
    }
  }
}

void IniFile::NameIndex::grow() {
  std::vector<uint64_t> old = std::move(slots_);
  size_t live = 0;
  for (uint64_t slot : old) live += slot != kEmpty && slot != kErased;
  size_t size = 8;
  while (size < (live + 1) * 4) size *= 2;
  slots_.assign(size, kEmpty);
  used_ = 0;
  for (uint64_t slot : old) {
    if (slot == kEmpty || slot == kErased) continue;
    size_t i = (slot >> 32) & (size - 1);
    while (slots_[i] != kEmpty) i = (i + 1) & (size - 1);
    slots_[i] = slot;
    ++used_;
  }
}

// --- parsing and output --------------------------------------------------------------

IniFile IniFile::Parse(std::string_view bytes) {
  IniFile ini;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    ini.bom_ = true;
    bytes.remove_prefix(3);
  }
  // CR, LF and CR LF each end a line, as the Windows profile reader has it.
  while (!bytes.empty()) {
    const size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      ini.appendLine(bytes, Eol::None);
      break;
    }
    const std::string_view text = bytes.substr(0, end);
    if (bytes[end] == '\n') {
      ini.appendLine(text, Eol::Lf);
      bytes.remove_prefix(end + 1);
    } else if (end + 1 < bytes.size() && bytes[end + 1] == '\n') {
      ini.appendLine(text, Eol::CrLf);
      bytes.remove_prefix(end + 2);
    } else {
      ini.appendLine(text, Eol::Cr);
      bytes.remove_prefix(end + 1);
    }
  }
  return ini;
}

void IniFile::appendLine(std::string_view text, Eol eol) {
  if (!firstLineSeen_) {
    firstLineSeen_ = true;
    firstEol_ = eol;
  }
  if (auto name = headerName(text)) {
    addSection(std::string(*name), Line{std::string(text), eol});
    return;
  }
  if (sections_.empty()) {
    preamble_.push_back(Line{std::string(text), eol});
    return;
  }
  Section &s = sections_.back();
  const size_t idx = s.lines.size();
  const auto [keyStart, keyLen] = keyRange(text);
  s.lines.push_back(Line{std::string(text), eol, static_cast<uint32_t>(keyStart), static_cast<uint32_t>(keyLen)});
  if (!isBlankLine(text)) s.lastNonBlank = idx;
  if (keyLen > 0) indexKey(s, idx);
}

void IniFile::addSection(std::string name, Line header) {
  const uint32_t id = static_cast<uint32_t>(sections_.size());
  Section s;
  s.name = std::move(name);
  s.lines.push_back(std::move(header));
  const uint32_t hash = foldHash(s.name);
  const int64_t first = findSectionIndex(s.name);
  if (first >= 0) {
    Section &head = sections_[static_cast<size_t>(first)];
    sections_[static_cast<size_t>(head.lastSame)].nextSame = id;
    head.lastSame = id;
  } else {
    s.lastSame = id;
    sectionIndex_.insert(id, hash);
  }
  sections_.push_back(std::move(s));
}

void IniFile::indexKey(Section &s, size_t line) {
  const std::string_view key = s.lines[line].key();
  const uint32_t hash = foldHash(key);
  auto nameOf = [&s](uint32_t id) { return s.lines[id].key(); };
  if (s.keys.find(key, hash, nameOf) < 0) s.keys.insert(static_cast<uint32_t>(line), hash);
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
  size_t size = bom_ ? 3 : 0;
  for (const Line &l : preamble_) size += l.text.size() + 2;
  for (const Section &s : sections_)
    for (const Line &l : s.lines) size += l.text.size() + 2;
  std::string out;
  out.reserve(size);
  if (bom_) out += "\xEF\xBB\xBF";
  auto put = [&out](const Line &l) {
    out += l.text;
    if (l.eol == Eol::CrLf) out += "\r\n";
    else if (l.eol == Eol::Lf) out += '\n';
    else if (l.eol == Eol::Cr) out += '\r';
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

// --- lookup -----------------------------------------------------------------------------

int64_t IniFile::findSectionIndex(std::string_view name) const {
  return sectionIndex_.find(name, foldHash(name), [this](uint32_t id) { return std::string_view(sections_[id].name); });
}

const IniFile::Section *IniFile::findSection(std::string_view name) const {
  const int64_t idx = findSectionIndex(trim(name));
  return idx < 0 ? nullptr : &sections_[static_cast<size_t>(idx)];
}

IniFile::Section *IniFile::findSection(std::string_view name) {
  return const_cast<Section *>(std::as_const(*this).findSection(name));
}

const IniFile::Line *IniFile::findKey(const Section &s, std::string_view key) const {
  key = trim(key);
  const int64_t idx = s.keys.find(key, foldHash(key), [&s](uint32_t id) { return s.lines[id].key(); });
  return idx < 0 ? nullptr : &s.lines[static_cast<size_t>(idx)];
}

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const Section &s : sections_) {
    if (!s.erased && s.lastSame >= 0) names.push_back(s.name);  // the first of its name
  }
  return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const Section *s = findSection(section);
  if (!s) return names;
  for (const Line &line : s->lines) {
    if (line.keyLen > 0 && findKey(*s, line.key()) == &line) names.emplace_back(line.key());
  }
  return names;
}

bool IniFile::HasSection(std::string_view section) const { return findSection(section) != nullptr; }

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  const Section *s = findSection(section);
  return s && findKey(*s, key) != nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const Section *s = findSection(section);
  const Line *line = s ? findKey(*s, key) : nullptr;
  if (!line) return std::string(def);
  std::string_view text = line->text;
  std::string_view value = trim(text.substr(text.find('=', line->keyStart + line->keyLen) + 1));
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

// --- writing ---------------------------------------------------------------------------------

IniFile::Line *IniFile::lastLine() {
  for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
    if (!it->erased) return &it->lines.back();
  }
  return preamble_.empty() ? nullptr : &preamble_.back();
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view sec = trim(section);
  const std::string_view k = trim(key);
  if (!validKey(k) || !validSectionChars(sec)) return false;

  const Eol eol = firstLineSeen_ && firstEol_ != Eol::None ? firstEol_ : Eol::CrLf;
  if (Section *found = findSection(sec)) {
    Section &s = *found;
    if (const Line *existing = findKey(s, k)) {
      // Rewritten in place, in the spelling the file has.
      Line &line = const_cast<Line &>(*existing);
      line.text = lineText(line.key(), value);
      line.keyStart = 0;
      return true;
    }
    Line &anchor = s.lines[s.lastNonBlank];
    if (anchor.eol == Eol::None) anchor.eol = eol;
    // The new line ends as the line before it does: what follows it then
    // follows the same ending as before, so a bare CR never comes to stand
    // before the LF of a blank line and join it into one CR LF.
    const Eol ending = anchor.eol;
    // Only blank lines follow the anchor, so no indexed key line moves.
    const size_t pos = s.lastNonBlank + 1;
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(pos),
                   Line{lineText(k, value), ending, 0, static_cast<uint32_t>(k.size())});
    s.keys.insert(static_cast<uint32_t>(pos), foldHash(k));
    s.lastNonBlank = pos;
    return true;
  }

  // A new header must read back as this name: a lead byte at the end would
  // take the closing ']' as its trail byte.
  std::string header = "[" + std::string(sec) + "]";
  if (headerName(header) != sec) return false;
  if (Line *last = lastLine(); last && last->eol == Eol::None) last->eol = eol;
  addSection(std::string(sec), Line{std::move(header), eol});
  Section &s = sections_.back();
  s.lines.push_back(Line{lineText(k, value), eol, 0, static_cast<uint32_t>(k.size())});
  s.keys.insert(1, foldHash(k));
  s.lastNonBlank = 1;
  return true;
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
  return WriteString(section, key, FormatInteger(value));
}

bool IniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
  return WriteString(section, key, FormatFloat(value));
}

void IniFile::EraseSection(std::string_view section) {
  const std::string_view name = trim(section);
  const int64_t first = findSectionIndex(name);
  if (first < 0) return;
  sectionIndex_.erase(static_cast<uint32_t>(first), foldHash(name));
  for (int64_t idx = first; idx >= 0;) {
    Section &s = sections_[static_cast<size_t>(idx)];
    s.erased = true;
    s.lines = {};
    s.keys.clear();
    idx = s.nextSame;
  }
}

Result<void> UpdateIniFile(const std::string &path, const std::function<void(IniFile &)> &fn) {
  auto ini = IniFile::Load(path);
  if (!ini.ok()) return ini.error();
  fn(ini.value());
  return ini.value().Save();
}

}  // namespace platform
