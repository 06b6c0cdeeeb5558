#pragma once
// Reading a skin file: the reader holds one file's entries by name, the
// manager holds the current reader and answers by theme position.
#include <QImage>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tcolor.h"
#include "skin_toolkit/themes/skin_file.h"
#include "skin_toolkit/themes/theme_table.h"

namespace kwo {

// Reads the file (at most 64 MiB) when built and keeps its bytes, which the
// image entries point into.
class TkwoThemeFileReader {
 public:
  explicit TkwoThemeFileReader(const std::string &path);
  TkwoThemeFileReader(const TkwoThemeFileReader &) = delete;
  TkwoThemeFileReader &operator=(const TkwoThemeFileReader &) = delete;

  // The file was read and its header accepted.
  bool isLoaded() const { return contents_.accepted; }

  // The bytes of the image entry (a BMP file); nothing when there is none.
  std::optional<std::span<const std::byte>> getImage(std::string_view name) const;
  // -1 when there is no integer entry of that name.
  int32_t getInt(std::string_view name) const;
  // False when there is no bool entry of that name.
  bool getBool(std::string_view name) const;
  // Kept, though nothing draws with text entries.
  std::optional<std::string_view> getText(std::string_view name) const;

 private:
  std::span<const std::byte> bytes() const;

  std::vector<uint8_t> file_;
  SkinFileContents contents_;
};

// The reader of the loaded skin file, asked by theme position (1..42).
class TkwoFileThemeMgr {
 public:
  // True only when the file was opened and its header accepted; otherwise
  // no reader is kept.
  bool load(const std::string &path);
  bool hasReader() const { return reader_ != nullptr; }

  // The item's decoded BMP into target; without an entry (or a reader), or
  // when the entry does not decode, target stays as it was and the result
  // is false.
  bool getImage(int position, QImage &target) const;
  // Without a reader: false, 0 and 0. With one, a missing item reads false
  // and -1, and a pixel size or offset is held to the pixel range
  // (SkinItemInteger).
  bool getBool(int position) const;
  platform::TColor getColor(int position) const;
  int32_t getInt(int position) const;

 private:
  std::unique_ptr<TkwoThemeFileReader> reader_;
  // Each item's picture, decoded at its first use after a load (a null
  // image when it has none or does not decode).
  mutable std::array<std::optional<QImage>, kThemeItemCount + 1> decoded_;
};

}  // namespace kwo
