#pragma once
// The two fixed blocks of a project, kept as the raw bytes the project file
// stores: the reserved block and the status region (8 reserved bytes, then
// one block of 32 status items per controller position 0..255). Every field
// is read and written explicitly in little-endian order; bytes no accessor
// touches (reserved fields, unused slots) keep whatever they held.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace selkan {

class ReservedBlock {
 public:
  static constexpr size_t kSize = 280;

  // Bytes 0..263 are 0, bytes 264..279 are 1.
  ReservedBlock();

  std::span<const uint8_t, kSize> Bytes() const { return bytes_; }
  void Assign(std::span<const uint8_t, kSize> bytes);
  bool operator==(const ReservedBlock &) const = default;

 private:
  std::array<uint8_t, kSize> bytes_{};
};

// One status item slot, read-only; a view into its region. A view made from
// an index outside the region reads zeros.
class ConstStatusItem {
 public:
  static constexpr size_t kSize = 104;
  static constexpr size_t kNameBytes = 64;
  static constexpr size_t kMaxNameText = 63;

  bool valid() const { return p_ != nullptr; }

  int32_t stType() const;
  // Up to the first NUL, at most 64 bytes.
  std::string stName() const;
  int32_t stID() const;
  int32_t stPrecision() const;
  double stParm1() const;
  double stParm2() const;
  double stParm3() const;

 protected:
  explicit ConstStatusItem(const uint8_t *p) : p_(p) {}
  const uint8_t *p_;

 private:
  friend class StatusRegion;
};

// A writable slot; writes through a view outside the region are ignored.
class StatusItem : public ConstStatusItem {
 public:
  // Each setter writes only its own field's bytes.
  void SetType(int32_t v);
  // Cut at 63 bytes on a character boundary, then a NUL and zeros to the
  // end of the field.
  void SetName(std::string_view text);
  void SetID(int32_t v);
  void SetPrecision(int32_t v);
  void SetParm1(double v);
  void SetParm2(double v);
  void SetParm3(double v);

 private:
  friend class StatusRegion;
  explicit StatusItem(uint8_t *p) : ConstStatusItem(p), w_(p) {}
  uint8_t *w_;
};

class StatusRegion {
 public:
  static constexpr size_t kSize = 854024;
  static constexpr size_t kHeaderSize = 8;
  static constexpr int32_t kBlocks = 256;
  static constexpr int32_t kItems = 32;
  static constexpr size_t kBlockSize = 3336;

  StatusRegion();

  std::span<const uint8_t> Bytes() const { return bytes_; }
  // bytes must be kSize long; anything else is ignored.
  void Assign(std::span<const uint8_t> bytes);

  // Items in use of block n: the stored count clamped to 0..32, 0 for a block
  // that does not exist. RawCount is the stored value (0 for no block).
  int32_t Count(int32_t n) const;
  int32_t RawCount(int32_t n) const;
  // Stores count clamped to 0..32.
  void SetCount(int32_t n, int32_t count);

  // Slot k of block n. The const version is for reading only.
  StatusItem Item(int32_t n, int32_t k);
  ConstStatusItem Item(int32_t n, int32_t k) const;

  // The slot a new item goes to (Count), or -1 when the block is full or
  // does not exist.
  int32_t NextFreeSlot(int32_t n) const;
  // Removes item j of the items in use: slots j+1..Count-1 move up one
  // place and Count drops by one. The old last slot keeps its bytes.
  void DeleteItem(int32_t n, int32_t j);
  void SwapItems(int32_t n, int32_t i, int32_t j);
  // Block p goes: blocks p+1..255 move down one place, block 255 is zeroed.
  void RemoveBlock(int32_t p);

  bool operator==(const StatusRegion &) const = default;

 private:
  static bool validBlock(int32_t n) { return n >= 0 && n < kBlocks; }
  static bool validSlot(int32_t k) { return k >= 0 && k < kItems; }
  static size_t blockOffset(int32_t n) { return kHeaderSize + kBlockSize * static_cast<size_t>(n); }
  static size_t itemOffset(int32_t n, int32_t k) { return blockOffset(n) + 8 + ConstStatusItem::kSize * static_cast<size_t>(k); }

  std::vector<uint8_t> bytes_;
};

}  // namespace selkan
