#include "skin_toolkit/themes/file_theme_reader.h"

#include "platform/file_io.h"
#include "skin_toolkit/themes/theme_table.h"

namespace kwo {
namespace {

// Outside 1..42 there is no name to look up (ThemeItemName gives "").
bool knownPosition(int position) { return position >= 1 && position <= kThemeItemCount; }

}  // namespace

TkwoThemeFileReader::TkwoThemeFileReader(const std::string &path) {
  auto read = platform::ReadWholeFile(path, kSkinFileMaxSize);
  if (!read) return;
  file_ = std::move(read).value();
  contents_ = ParseSkinFile(bytes());
}

std::span<const std::byte> TkwoThemeFileReader::bytes() const { return std::as_bytes(std::span(file_)); }

std::optional<std::span<const std::byte>> TkwoThemeFileReader::getImage(std::string_view name) const {
  const auto range = contents_.image(name);
  if (!range) return std::nullopt;
  return bytes().subspan(range->offset, range->size);
}

int32_t TkwoThemeFileReader::getInt(std::string_view name) const { return contents_.integer(name).value_or(-1); }

bool TkwoThemeFileReader::getBool(std::string_view name) const { return contents_.boolean(name).value_or(0) != 0; }

std::optional<std::string_view> TkwoThemeFileReader::getText(std::string_view name) const {
  const auto range = contents_.text(name);
  if (!range) return std::nullopt;
  return std::string_view(reinterpret_cast<const char *>(file_.data()) + range->offset, range->size);
}

bool TkwoFileThemeMgr::load(const std::string &path) {
  reader_.reset();
  decoded_.fill(std::nullopt);
  auto reader = std::make_unique<TkwoThemeFileReader>(path);
  if (!reader->isLoaded()) return false;
  reader_ = std::move(reader);
  return true;
}

bool TkwoFileThemeMgr::getImage(int position, QImage &target) const {
  if (!reader_ || !knownPosition(position)) return false;
  std::optional<QImage> &slot = decoded_[static_cast<size_t>(position)];
  if (!slot) {
    const auto data = reader_->getImage(ThemeItemName(position));
    slot = data ? QImage::fromData(reinterpret_cast<const uchar *>(data->data()), static_cast<int>(data->size()), "BMP")
                : QImage();
  }
  if (slot->isNull()) return false;
  target = *slot;
  return true;
}

bool TkwoFileThemeMgr::getBool(int position) const {
  return reader_ && knownPosition(position) && reader_->getBool(ThemeItemName(position));
}

platform::TColor TkwoFileThemeMgr::getColor(int position) const { return getInt(position); }

int32_t TkwoFileThemeMgr::getInt(int position) const {
  if (!reader_) return 0;
  return knownPosition(position) ? SkinItemInteger(position, reader_->getInt(ThemeItemName(position))) : -1;
}

}  // namespace kwo
