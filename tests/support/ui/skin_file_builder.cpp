#include "skin_file_builder.h"

#include <QBuffer>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "themes/builtin_pictures.h"

namespace testsupport {
namespace {

constexpr size_t kHeaderSize = 24;
constexpr size_t kEntryHeaderSize = 77;

void putInt(std::vector<std::byte> &out, size_t at, int32_t value) {
  const auto u = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<std::byte>((u >> (8 * i)) & 0xFFu);
}

std::vector<std::byte> bytesOf(const void *data, size_t size) {
  std::vector<std::byte> out(size);
  if (size > 0) std::memcpy(out.data(), data, size);
  return out;
}

}  // namespace

SkinFileBuilder &SkinFileBuilder::addInt(const std::string &name, int32_t value) {
  const auto u = static_cast<uint32_t>(value);
  const unsigned char raw[4] = {static_cast<unsigned char>(u & 0xFF), static_cast<unsigned char>((u >> 8) & 0xFF),
                                static_cast<unsigned char>((u >> 16) & 0xFF),
                                static_cast<unsigned char>((u >> 24) & 0xFF)};
  return addRaw({name, Integer, bytesOf(raw, 4), {}, {}, {}});
}

SkinFileBuilder &SkinFileBuilder::addBool(const std::string &name, bool value) {
  const unsigned char raw = value ? 1 : 0;
  return addRaw({name, Bool, bytesOf(&raw, 1), {}, {}, {}});
}

SkinFileBuilder &SkinFileBuilder::addText(const std::string &name, const std::string &text) {
  return addRaw({name, Text, bytesOf(text.data(), text.size()), {}, {}, {}});
}

SkinFileBuilder &SkinFileBuilder::addImage(const std::string &name, const QImage &image) {
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) throw std::runtime_error("image does not encode as BMP");
  return addRaw({name, Image, bytesOf(encoded.constData(), static_cast<size_t>(encoded.size())), {}, {}, {}});
}

SkinFileBuilder &SkinFileBuilder::addRaw(Entry entry) {
  entries_.push_back(std::move(entry));
  return *this;
}

SkinFileBuilder SkinFileBuilder::fromBuiltIn(kwo::TkwoUIStyle style, int32_t marker) {
  SkinFileBuilder b;
  for (int position = 1; position <= kwo::kThemeItemCount; ++position) {
    const std::string name = kwo::ThemeItemName(position);
    switch (kwo::ThemeItemKindOf(position)) {
      case kwo::ThemeItemKind::Integer: b.addInt(name, kwo::GetBuiltInThemeInt(style, position)); break;
      case kwo::ThemeItemKind::Color: {
        int32_t value = kwo::GetBuiltInThemeColor(style, position);
        if (position == kwo::tiControlFontColor && marker != 0) value = marker;
        b.addInt(name, value);
        break;
      }
      case kwo::ThemeItemKind::Bool: b.addBool(name, kwo::GetBuiltInThemeBool(style, position)); break;
      case kwo::ThemeItemKind::Image: {
        QImage picture;
        kwo::GetBuiltInThemeImage(style, position, picture, 0, 0);
        if (!picture.isNull()) b.addImage(name, picture);
        break;
      }
    }
  }
  return b;
}

SkinFileBuilder &SkinFileBuilder::setSignature(const std::string &signature12) {
  signature_ = signature12;
  signature_.resize(12, '\0');
  return *this;
}

SkinFileBuilder &SkinFileBuilder::setHeaderLength(int32_t length) {
  headerLength_ = length;
  return *this;
}

SkinFileBuilder &SkinFileBuilder::setFirstOffset(int32_t offset) {
  firstOffset_ = offset;
  return *this;
}

SkinFileBuilder &SkinFileBuilder::cutAt(size_t length) {
  cut_ = length;
  return *this;
}

SkinFileBuilder &SkinFileBuilder::setClosingGarbage(bool value) {
  closingGarbage_ = value;
  return *this;
}

std::vector<std::byte> SkinFileBuilder::bytes() const {
  std::vector<std::byte> out(kHeaderSize);
  std::memcpy(out.data(), signature_.data(), 12);
  putInt(out, 12, headerLength_);
  putInt(out, 16, 0);
  putInt(out, 20, firstOffset_.value_or(static_cast<int32_t>(kHeaderSize)));
  // Each entry: its header, then its data; the closing header follows.
  for (const Entry &e : entries_) {
    const size_t at = out.size();
    out.resize(at + kEntryHeaderSize);
    const size_t nameLength = std::min<size_t>(e.name.size(), 64);
    std::memcpy(out.data() + at, e.name.data(), nameLength);
    out[at + 64] = static_cast<std::byte>(e.kind);
    const size_t dataAt = at + kEntryHeaderSize;
    const size_t nextAt = dataAt + e.data.size();
    putInt(out, at + 65, e.dataOffset.value_or(static_cast<int32_t>(dataAt)));
    putInt(out, at + 69, e.size.value_or(static_cast<int32_t>(e.data.size())));
    putInt(out, at + 73, e.next.value_or(static_cast<int32_t>(nextAt)));
    out.insert(out.end(), e.data.begin(), e.data.end());
  }
  const size_t closing = out.size();
  out.resize(closing + kEntryHeaderSize);
  if (closingGarbage_) {
    const char junk[] = "closing-header-garbage";
    std::memcpy(out.data() + closing, junk, sizeof junk);
    out[closing + 64] = static_cast<std::byte>(Integer);
    putInt(out, closing + 65, 0x7FFFFFF0);
    putInt(out, closing + 69, 0x7FFFFFF0);
  }
  putInt(out, closing + 73, 0);
  if (cut_ && *cut_ < out.size()) out.resize(*cut_);
  return out;
}

void SkinFileBuilder::writeTo(const std::filesystem::path &path) const {
  const std::vector<std::byte> data = bytes();
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace testsupport
