#include "skin_toolkit/themes/skin_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/byte_order.h"
#include "skin_toolkit/rules/geometry.h"
#include "skin_toolkit/themes/theme_table.h"

namespace kwo {
namespace {

// Field offsets inside the file header and an entry header.
constexpr size_t kHeaderLengthAt = 12;
constexpr size_t kFirstEntryAt = 20;
constexpr size_t kKindAt = 64;
constexpr size_t kDataOffsetAt = 65;
constexpr size_t kDataSizeAt = 69;
constexpr size_t kNextAt = 73;
constexpr size_t kSignatureReadSize = 16;
constexpr size_t kSignatureFieldSize = 12;

int32_t readInt32(std::span<const std::byte> file, size_t at) {
  return static_cast<int32_t>(platform::le::GetU32(file.data() + at));
}

// [offset, offset + length) lies inside a file of fileSize bytes; checked in
// 64 bits so that no sum wraps.
bool liesInside(int64_t offset, int64_t length, size_t fileSize) {
  return offset >= 0 && length >= 0 && offset + length <= static_cast<int64_t>(fileSize);
}

char foldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Orders names as their ASCII-folded bytes do.
int compareFolded(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(foldAscii(a[i]));
    const auto cb = static_cast<unsigned char>(foldAscii(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

// Sorts by folded name and keeps the first entry of each name in chain
// order (the sort is stable).
template <typename Value>
void keepFirstOfEachName(std::vector<SkinFileContents::Named<Value>> &list) {
  using Item = SkinFileContents::Named<Value>;
  std::stable_sort(list.begin(), list.end(),
                   [](const Item &a, const Item &b) { return compareFolded(a.name, b.name) < 0; });
  list.erase(std::unique(list.begin(), list.end(),
                         [](const Item &a, const Item &b) { return compareFolded(a.name, b.name) == 0; }),
             list.end());
}

template <typename Value>
std::optional<Value> findNamed(const std::vector<SkinFileContents::Named<Value>> &list, std::string_view name) {
  using Item = SkinFileContents::Named<Value>;
  auto it = std::lower_bound(list.begin(), list.end(), name,
                             [](const Item &item, std::string_view key) { return compareFolded(item.name, key) < 0; });
  if (it == list.end() || compareFolded(it->name, name) != 0) return std::nullopt;
  return it->value;
}

std::string_view entryName(std::span<const std::byte> file, size_t at) {
  const auto *start = reinterpret_cast<const char *>(file.data() + at);
  const std::string_view field(start, kSkinEntryNameSize);
  const size_t end = field.find('\0');
  return end == std::string_view::npos ? field : field.substr(0, end);
}

// Adds the entry whose header starts at `at`, unless a rule skips it.
void readEntry(std::span<const std::byte> file, size_t at, SkinFileContents &out) {
  const auto kind = static_cast<uint8_t>(file[at + kKindAt]);
  const int64_t offset = readInt32(file, at + kDataOffsetAt);
  const int64_t size = readInt32(file, at + kDataSizeAt);
  if (offset < 0 || size < 0) return;
  const std::string_view name = entryName(file, at);
  const auto where = static_cast<size_t>(offset);
  switch (static_cast<SkinEntryKind>(kind)) {
    case SkinEntryKind::Image:
      if (liesInside(offset, size, file.size())) out.images.push_back({name, {where, static_cast<size_t>(size)}});
      break;
    case SkinEntryKind::Text:
      if (liesInside(offset, size, file.size())) out.texts.push_back({name, {where, static_cast<size_t>(size)}});
      break;
    case SkinEntryKind::Integer:
      if (liesInside(offset, 4, file.size())) out.integers.push_back({name, readInt32(file, where)});
      break;
    case SkinEntryKind::Bool:
      if (liesInside(offset, 1, file.size())) out.bools.push_back({name, static_cast<uint8_t>(file[where])});
      break;
    default:
      break;
  }
}

}  // namespace

std::optional<SkinFileContents::Range> SkinFileContents::image(std::string_view name) const {
  return findNamed(images, name);
}

std::optional<int32_t> SkinFileContents::integer(std::string_view name) const { return findNamed(integers, name); }

std::optional<uint8_t> SkinFileContents::boolean(std::string_view name) const { return findNamed(bools, name); }

std::optional<SkinFileContents::Range> SkinFileContents::text(std::string_view name) const {
  return findNamed(texts, name);
}

SkinFileContents ParseSkinFile(std::span<const std::byte> file) {
  SkinFileContents out;
  if (file.size() < kSkinFileHeaderSize || file.size() > kSkinFileMaxSize) return out;
  if (readInt32(file, kHeaderLengthAt) < static_cast<int32_t>(kSkinFileHeaderSize)) return out;
  const int64_t first = readInt32(file, kFirstEntryAt);
  if (!liesInside(first, kSkinEntryHeaderSize, file.size())) return out;
  out.accepted = true;

  // Headers that do not overlap number at most size / 77, so a longer chain
  // can only come from overlapping ones; it stops there, which bounds both
  // the time and the lists by the file's size.
  const size_t maxHeaders = file.size() / kSkinEntryHeaderSize;
  std::vector<bool> visited(file.size(), false);
  auto at = static_cast<size_t>(first);
  for (size_t headers = 1;; ++headers) {
    visited[at] = true;
    const int64_t next = readInt32(file, at + kNextAt);
    if (next == 0) break;  // the closing header
    readEntry(file, at, out);
    if (headers >= maxHeaders) break;
    if (!liesInside(next, kSkinEntryHeaderSize, file.size())) break;
    at = static_cast<size_t>(next);
    if (visited[at]) break;
  }
  keepFirstOfEachName(out.images);
  keepFirstOfEachName(out.integers);
  keepFirstOfEachName(out.bools);
  keepFirstOfEachName(out.texts);
  return out;
}

int32_t SkinItemInteger(int position, int32_t stored) {
  const bool pixels = position >= 1 && position <= kThemeItemCount && ThemeItemKindOf(position) == ThemeItemKind::Integer;
  return pixels ? ClampPixels(stored) : stored;
}

bool SkinFileSignatureMatches(std::span<const std::byte> start) {
  if (start.size() < kSignatureReadSize) return false;
  const std::string_view field(reinterpret_cast<const char *>(start.data()), kSignatureFieldSize);
  return field.substr(0, field.find('\0')) == kSkinFileSignature;
}

bool CheckSkinFileSignature(const std::string &path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  std::byte start[kSignatureReadSize];
  size_t got = 0;
  while (got < sizeof start) {
    const ssize_t n = ::read(fd, start + got, sizeof start - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  return SkinFileSignatureMatches(std::span<const std::byte>(start, got));
}

}  // namespace kwo
