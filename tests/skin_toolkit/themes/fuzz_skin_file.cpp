// Any bytes parse without reading outside them, and what the parser keeps
// answers its own lookups.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "themes/skin_file.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

void checkRange(kwo::SkinFileContents::Range r, size_t fileSize) {
  check(r.offset <= fileSize && r.size <= fileSize - r.offset);
}

// Every kept name is found again, and finds the entry kept for it.
template <typename List, typename Find>
void checkLookups(const List &list, Find find) {
  for (const auto &item : list) check(find(item.name).has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::span<const std::byte> file(reinterpret_cast<const std::byte *>(data), size);
  const kwo::SkinFileContents c = kwo::ParseSkinFile(file);
  (void)kwo::SkinFileSignatureMatches(file);
  if (!c.accepted) {
    check(c.images.empty() && c.integers.empty() && c.bools.empty() && c.texts.empty());
    return 0;
  }
  const size_t entries = c.images.size() + c.integers.size() + c.bools.size() + c.texts.size();
  check(entries <= size / kwo::kSkinEntryHeaderSize);
  for (const auto &item : c.images) checkRange(item.value, size);
  for (const auto &item : c.texts) checkRange(item.value, size);
  const auto *begin = reinterpret_cast<const char *>(data);
  const auto inside = [&](std::string_view name) {
    return name.size() <= kwo::kSkinEntryNameSize && name.data() >= begin && name.data() + name.size() <= begin + size;
  };
  for (const auto &item : c.images) check(inside(item.name));
  for (const auto &item : c.integers) check(inside(item.name));
  for (const auto &item : c.bools) check(inside(item.name));
  for (const auto &item : c.texts) check(inside(item.name));
  checkLookups(c.images, [&](std::string_view n) { return c.image(n); });
  checkLookups(c.integers, [&](std::string_view n) { return c.integer(n); });
  checkLookups(c.bools, [&](std::string_view n) { return c.boolean(n); });
  checkLookups(c.texts, [&](std::string_view n) { return c.text(n); });
  return 0;
}
