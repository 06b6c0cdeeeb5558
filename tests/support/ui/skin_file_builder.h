#pragma once
// Builds skin files for tests: entries by name and kind, written as the
// toolkit reads them (a 24-byte header, then a chain of 77-byte entry
// headers, each followed by its data), with raw control over the header,
// the offsets, the links and where the file is cut.
#include <QImage>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "themes/theme_table.h"

namespace testsupport {

class SkinFileBuilder {
 public:
  // Entry kinds as the file stores them.
  enum Kind : uint8_t { Image = 0, Integer = 1, Bool = 2, Text = 3 };

  struct Entry {
    std::string name;
    uint8_t kind = Integer;
    std::vector<std::byte> data;
    // Overrides of what the entry header stores.
    std::optional<int32_t> dataOffset;
    std::optional<int32_t> size;
    std::optional<int32_t> next;
  };

  SkinFileBuilder &addInt(const std::string &name, int32_t value);
  SkinFileBuilder &addBool(const std::string &name, bool value);
  SkinFileBuilder &addText(const std::string &name, const std::string &text);
  // Stored as a BMP file.
  SkinFileBuilder &addImage(const std::string &name, const QImage &image);
  SkinFileBuilder &addRaw(Entry entry);

  // Every one of the 42 items of a built-in look, its pictures included;
  // a non-zero marker replaces ControlFontColor.
  static SkinFileBuilder fromBuiltIn(kwo::TkwoUIStyle style, int32_t marker = 0);

  std::vector<Entry> &entries() { return entries_; }

  // Raw control of the header.
  SkinFileBuilder &setSignature(const std::string &signature12);
  SkinFileBuilder &setHeaderLength(int32_t length);
  SkinFileBuilder &setFirstOffset(int32_t offset);
  // Bytes past this length are cut off.
  SkinFileBuilder &cutAt(size_t length);
  // Bytes put into the closing header (never read by a good reader).
  SkinFileBuilder &setClosingGarbage(bool value);

  std::vector<std::byte> bytes() const;
  void writeTo(const std::filesystem::path &path) const;

 private:
  std::vector<Entry> entries_;
  std::string signature_ = std::string("KwoKit_TB") + std::string(3, '\0');
  int32_t headerLength_ = 24;
  std::optional<int32_t> firstOffset_;
  std::optional<size_t> cut_;
  bool closingGarbage_ = false;
};

}  // namespace testsupport
