#pragma once
// The byte layout of skin files for the tests and the gallery, without Qt:
// entries by name and kind, written as the toolkit reads them (a 24-byte
// header, then a chain of 77-byte entry headers, each followed by its data,
// then the closing header whose next offset is 0), with raw control over the
// header, the offsets, the links and where the file is cut. SkinFileBuilder
// adds pictures.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace testsupport {

// Self is the class that derives from it, so that the setters chain.
template <typename Self>
class SkinFileLayout {
 public:
  static constexpr size_t kHeaderSize = 24;
  static constexpr size_t kEntryHeaderSize = 77;

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

  Self &addInt(const std::string &name, int32_t value) {
    std::vector<std::byte> raw(4);
    putInt(raw, 0, value);
    return addRaw({name, Integer, std::move(raw), {}, {}, {}});
  }
  Self &addBool(const std::string &name, bool value) {
    return addRaw({name, Bool, {static_cast<std::byte>(value ? 1 : 0)}, {}, {}, {}});
  }
  Self &addText(const std::string &name, const std::string &text) {
    return addRaw({name, Text, bytesOf(text.data(), text.size()), {}, {}, {}});
  }
  Self &addRaw(Entry entry) {
    entries_.push_back(std::move(entry));
    return self();
  }

  std::vector<Entry> &entries() { return entries_; }

  // Raw control of the header.
  Self &setSignature(const std::string &signature12) {
    signature_ = signature12;
    signature_.resize(12, '\0');
    return self();
  }
  Self &setHeaderLength(int32_t length) {
    headerLength_ = length;
    return self();
  }
  Self &setFirstOffset(int32_t offset) {
    firstOffset_ = offset;
    return self();
  }
  // Bytes past this length are cut off.
  Self &cutAt(size_t length) {
    cut_ = length;
    return self();
  }
  // Bytes put into the closing header (never read by a good reader): a
  // name, an integer kind and data offset and size far past the end.
  Self &setClosingGarbage(bool value) {
    closingGarbage_ = value;
    return self();
  }

  // Where entry i's header lands in bytes() (the closing header for
  // i == entries().size()), ignoring cuts.
  size_t headerOffset(size_t i) const {
    size_t at = kHeaderSize;
    for (size_t k = 0; k < i && k < entries_.size(); ++k) at += kEntryHeaderSize + entries_[k].data.size();
    return at;
  }

  std::vector<std::byte> bytes() const {
    std::vector<std::byte> out(kHeaderSize);
    std::memcpy(out.data(), signature_.data(), 12);
    putInt(out, 12, headerLength_);
    putInt(out, 16, 0);
    putInt(out, 20, firstOffset_.value_or(static_cast<int32_t>(kHeaderSize)));
    for (const Entry &e : entries_) {
      const size_t at = out.size();
      out.resize(at + kEntryHeaderSize);
      std::memcpy(out.data() + at, e.name.data(), std::min<size_t>(e.name.size(), 64));
      out[at + 64] = static_cast<std::byte>(e.kind);
      const size_t dataAt = at + kEntryHeaderSize;
      putInt(out, at + 65, e.dataOffset.value_or(static_cast<int32_t>(dataAt)));
      putInt(out, at + 69, e.size.value_or(static_cast<int32_t>(e.data.size())));
      putInt(out, at + 73, e.next.value_or(static_cast<int32_t>(dataAt + e.data.size())));
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

  void writeTo(const std::filesystem::path &path) const {
    const std::vector<std::byte> data = bytes();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
  }

  // Little-endian, as the file stores its integers.
  static void putInt(std::vector<std::byte> &out, size_t at, int32_t value) {
    const auto u = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i) out[at + i] = static_cast<std::byte>((u >> (8 * i)) & 0xFFu);
  }

  static std::vector<std::byte> bytesOf(const void *data, size_t size) {
    std::vector<std::byte> out(size);
    if (size > 0) std::memcpy(out.data(), data, size);
    return out;
  }

 private:
  Self &self() { return static_cast<Self &>(*this); }

  std::vector<Entry> entries_;
  std::string signature_ = std::string("KwoKit_TB") + std::string(3, '\0');
  int32_t headerLength_ = 24;
  std::optional<int32_t> firstOffset_;
  std::optional<size_t> cut_;
  bool closingGarbage_ = false;
};

// The layout on its own, for tests without Qt.
class RawSkinFile : public SkinFileLayout<RawSkinFile> {};

}  // namespace testsupport
