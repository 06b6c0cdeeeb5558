#include "controller_editor/model/status_region.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/byte_order.h"
#include "platform/cp936.h"

namespace selkan {
namespace {

constexpr size_t kTypeAt = 0;
constexpr size_t kNameAt = 4;
constexpr size_t kIdAt = 68;
constexpr size_t kPrecisionAt = 72;
constexpr size_t kParm1At = 80;
constexpr size_t kParm2At = 88;
constexpr size_t kParm3At = 96;

int32_t getI32(const uint8_t *p) { return static_cast<int32_t>(platform::le::GetU32(p)); }
void putI32(uint8_t *p, int32_t v) { platform::le::PutU32(p, static_cast<uint32_t>(v)); }
double getF64(const uint8_t *p) { return std::bit_cast<double>(platform::le::GetU64(p)); }
void putF64(uint8_t *p, double v) { platform::le::PutU64(p, std::bit_cast<uint64_t>(v)); }

}  // namespace

// --- ReservedBlock ------------------------------------------------------------

ReservedBlock::ReservedBlock() { std::fill(bytes_.begin() + 264, bytes_.end(), uint8_t{1}); }

void ReservedBlock::Assign(std::span<const uint8_t, kSize> bytes) { std::copy(bytes.begin(), bytes.end(), bytes_.begin()); }

// --- status items -----------------------------------------------------------------

int32_t ConstStatusItem::stType() const { return p_ ? getI32(p_ + kTypeAt) : 0; }

std::string ConstStatusItem::stName() const {
  if (!p_) return {};
  const char *name = reinterpret_cast<const char *>(p_ + kNameAt);
  return std::string(name, ::strnlen(name, kNameBytes));
}

int32_t ConstStatusItem::stID() const { return p_ ? getI32(p_ + kIdAt) : 0; }
int32_t ConstStatusItem::stPrecision() const { return p_ ? getI32(p_ + kPrecisionAt) : 0; }
double ConstStatusItem::stParm1() const { return p_ ? getF64(p_ + kParm1At) : 0.0; }
double ConstStatusItem::stParm2() const { return p_ ? getF64(p_ + kParm2At) : 0.0; }
double ConstStatusItem::stParm3() const { return p_ ? getF64(p_ + kParm3At) : 0.0; }

void StatusItem::SetType(int32_t v) {
  if (w_) putI32(w_ + kTypeAt, v);
}

void StatusItem::SetName(std::string_view text) {
  if (!w_) return;
  // Up to the first NUL of text: the field could not hold more.
  text = text.substr(0, text.find('\0'));
  const std::string cut = cp936::TruncateToBytes(text, kMaxNameText);
  uint8_t *field = w_ + kNameAt;
  std::memset(field, 0, kNameBytes);
  std::memcpy(field, cut.data(), cut.size());
}

void StatusItem::SetID(int32_t v) {
  if (w_) putI32(w_ + kIdAt, v);
}
void StatusItem::SetPrecision(int32_t v) {
  if (w_) putI32(w_ + kPrecisionAt, v);
}
void StatusItem::SetParm1(double v) {
  if (w_) putF64(w_ + kParm1At, v);
}
void StatusItem::SetParm2(double v) {
  if (w_) putF64(w_ + kParm2At, v);
}
void StatusItem::SetParm3(double v) {
  if (w_) putF64(w_ + kParm3At, v);
}

// --- StatusRegion -----------------------------------------------------------------

StatusRegion::StatusRegion() : bytes_(kSize, 0) {}

void StatusRegion::Assign(std::span<const uint8_t> bytes) {
  if (bytes.size() == kSize) std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

int32_t StatusRegion::RawCount(int32_t n) const {
  return validBlock(n) ? getI32(bytes_.data() + blockOffset(n)) : 0;
}

int32_t StatusRegion::Count(int32_t n) const { return std::clamp(RawCount(n), 0, kItems); }

void StatusRegion::SetCount(int32_t n, int32_t count) {
  if (validBlock(n)) putI32(bytes_.data() + blockOffset(n), std::clamp(count, 0, kItems));
}

StatusItem StatusRegion::Item(int32_t n, int32_t k) {
  return StatusItem(validBlock(n) && validSlot(k) ? bytes_.data() + itemOffset(n, k) : nullptr);
}

ConstStatusItem StatusRegion::Item(int32_t n, int32_t k) const {
  return ConstStatusItem(validBlock(n) && validSlot(k) ? bytes_.data() + itemOffset(n, k) : nullptr);
}

int32_t StatusRegion::NextFreeSlot(int32_t n) const {
  if (!validBlock(n)) return -1;
  const int32_t count = Count(n);
  return count < kItems ? count : -1;
}

void StatusRegion::DeleteItem(int32_t n, int32_t j) {
  const int32_t count = Count(n);
  if (!validBlock(n) || j < 0 || j >= count) return;
  uint8_t *from = bytes_.data() + itemOffset(n, j + 1);
  uint8_t *to = bytes_.data() + itemOffset(n, j);
  std::memmove(to, from, ConstStatusItem::kSize * static_cast<size_t>(count - 1 - j));
  SetCount(n, count - 1);
}

void StatusRegion::SwapItems(int32_t n, int32_t i, int32_t j) {
  if (!validBlock(n) || !validSlot(i) || !validSlot(j) || i == j) return;
  std::swap_ranges(bytes_.begin() + static_cast<std::ptrdiff_t>(itemOffset(n, i)),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(itemOffset(n, i) + ConstStatusItem::kSize),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(itemOffset(n, j)));
}

void StatusRegion::RemoveBlock(int32_t p) {
  if (!validBlock(p)) return;
  uint8_t *base = bytes_.data();
  std::memmove(base + blockOffset(p), base + blockOffset(p + 1), kBlockSize * static_cast<size_t>(kBlocks - 1 - p));
  std::memset(base + blockOffset(kBlocks - 1), 0, kBlockSize);
}

}  // namespace selkan
