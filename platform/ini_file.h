#pragma once
// An INI file with Windows profile semantics: section and key names match
// ignoring ASCII case (code page 936 pairs exactly), the first section of a
// name and the first key inside it win, and a write changes only the line it
// must, so every other byte of the file stays as it was.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace platform {

class IniFile {
 public:
  static constexpr size_t kMaxFileBytes = 64u << 20;

  IniFile() = default;

  // Splits bytes into lines, each ended by CR, LF or CR LF; never fails.
  // The result is bound to no path.
  static IniFile Parse(std::string_view bytes);
  // A missing file gives an empty file bound to path (nothing is created).
  static Result<IniFile> Load(const std::string &path);

  std::string ToBytes() const;
  // Writes the file back to its path atomically.
  Result<void> Save() const;
  const std::string &path() const { return path_; }

  // Names in file order, each once (in the spelling met first).
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;
  bool HasSection(std::string_view section) const;
  bool HasKey(std::string_view section, std::string_view key) const;

  // The value trimmed of blanks, one pair of enclosing quotes dropped. def
  // only when the key is missing.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  double ReadFloat(std::string_view section, std::string_view key, double def) const;

  // False (nothing written) for a key holding '=' or a line break, or a
  // section name holding ']' or a line break. CR, LF and NUL in the value
  // are written as spaces.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  bool WriteInteger(std::string_view section, std::string_view key, int64_t value);
  bool WriteFloat(std::string_view section, std::string_view key, double value);
  // Removes every section of that name with all its lines.
  void EraseSection(std::string_view section);

 private:
  // How a line ended in the file. A key added to a section ends as the line
  // before it; a new section's lines, and a last line without an ending,
  // end as the file's first line did (CR LF in a file without line ends).
  enum class Eol : uint8_t { None, Lf, CrLf, Cr };
  struct Line {
    std::string text;
    Eol eol = Eol::None;
    // A key line's name is text[keyStart, keyStart + keyLen); keyLen 0 for
    // every other line.
    uint32_t keyStart = 0;
    uint32_t keyLen = 0;
    std::string_view key() const { return std::string_view(text).substr(keyStart, keyLen); }
  };

  // Open-addressing hash of names folded as EqualsIgnoreCase folds them,
  // mapping to ids (line or section indexes). The names themselves stay
  // where they are; lookups allocate nothing.
  class NameIndex {
   public:
    template <typename NameOf>
    int64_t find(std::string_view name, uint32_t hash, const NameOf &nameOf) const;
    // id must not be in the index yet.
    void insert(uint32_t id, uint32_t hash);
    void erase(uint32_t id, uint32_t hash);
    void clear() { slots_.clear(), used_ = 0; }

   private:
    static constexpr uint64_t kEmpty = 0, kErased = 1;
    void grow();
    std::vector<uint64_t> slots_;  // hash << 32 | (id + 2)
    size_t used_ = 0;              // live and erased slots
  };

  struct Section {
    std::vector<Line> lines;  // the header first
    std::string name;         // as written in the header, trimmed
    NameIndex keys;           // first line of each key
    size_t lastNonBlank = 0;
    int64_t nextSame = -1;    // the next section of the same name
    int64_t lastSame = -1;    // in the first of them: the last of its chain
    bool erased = false;
  };

  void appendLine(std::string_view text, Eol eol);
  int64_t findSectionIndex(std::string_view name) const;
  const Section *findSection(std::string_view name) const;
  Section *findSection(std::string_view name);
  const Line *findKey(const Section &s, std::string_view key) const;
  void indexKey(Section &s, size_t line);
  void addSection(std::string name, Line header);
  Line *lastLine();

  std::string path_;
  bool bom_ = false;
  bool firstLineSeen_ = false;
  Eol firstEol_ = Eol::None;
  std::vector<Line> preamble_;  // lines before the first section
  std::vector<Section> sections_;
  NameIndex sectionIndex_;  // first live section of each name
};

// Loads the file at path, lets fn change it and saves it once.
Result<void> UpdateIniFile(const std::string &path, const std::function<void(IniFile &)> &fn);

}  // namespace platform
