#pragma once
// The three lists of a controller project: controllers, their outputs and the
// devices with their logic lists. Positions in the lists are the identities
// records use to refer to each other (a device's PLC_ID is a controller
// position, an entry's low 16 bits an output position). These classes keep
// only their own invariants; project.h keeps the references across lists.
//
// Names are code page 936 bytes, never decoded here. Every way in cuts a name
// at kMaxNameBytes on a character boundary, so it always fits the project
// file's 16-bit length.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace selkan {

inline constexpr size_t kMaxNameBytes = 65535;

// Name cut to kMaxNameBytes without splitting a two-byte character.
std::string ClampName(std::string_view name);

struct TPLCParm {
  uint8_t Addr = 0;
  std::string Name;
  // The three bytes after Addr in the project file, kept as read.
  std::array<uint8_t, 3> Reserved{};

  bool operator==(const TPLCParm &) const = default;
};

struct TOutputParm {
  int32_t Index = 0;  // always the record's position in the list
  std::string Name;   // "01".."10"
  int32_t PLC_ID = 0;
  int32_t LC_ID = -1;  // ID of the device whose logic list uses it, or -1
  int32_t Output = 0;  // channel 0..9

  bool operator==(const TOutputParm &) const = default;
};

struct TDeviceParm {
  int32_t PLC_ID = 0;
  int32_t ID = 0;
  std::string Name;
  std::vector<uint32_t> Entries;  // LogicEntry values in switching order

  int32_t EntryCount() const { return static_cast<int32_t>(Entries.size()); }
  bool operator==(const TDeviceParm &) const = default;
};

// A logic entry: low 16 bits the output's list position, high 16 bits the
// delay in tenths of a second.
inline uint16_t EntryOutput(uint32_t entry) { return static_cast<uint16_t>(entry & 0xFFFFu); }
inline uint16_t EntryDelay(uint32_t entry) { return static_cast<uint16_t>(entry >> 16); }
inline uint32_t MakeEntry(uint16_t output, uint16_t delay) { return uint32_t{output} | (uint32_t{delay} << 16); }

inline constexpr uint16_t kNewEntryDelay = 10;

// "设备<n>" in code page 936: the name a new device gets.
std::string DeviceDefaultName(int32_t counter);

// "%0.2d" of number + 1: "01".."10" for outputs 0..9.
std::string OutputDefaultName(int32_t number);

// Every operation taking an index ignores one outside the list.
class TPLCCtrl {
 public:
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  const TPLCParm &operator[](int32_t i) const { return items_[static_cast<size_t>(i)]; }
  const std::vector<TPLCParm> &Items() const { return items_; }

  void Add(const TPLCParm &record);
  void Delete(int32_t i);
  void SetName(int32_t i, std::string_view text);
  void SetAddress(int32_t i, uint8_t addr);

  void Reserve(size_t n) { items_.reserve(n); }
  bool operator==(const TPLCCtrl &) const = default;

 private:
  bool valid(int32_t i) const { return i >= 0 && i < Count(); }
  std::vector<TPLCParm> items_;
};

class TOutputCtrl {
 public:
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  const TOutputParm &operator[](int32_t i) const { return items_[static_cast<size_t>(i)]; }
  const std::vector<TOutputParm> &Items() const { return items_; }

  // Appends a copy owned by controller (its PLC_ID), Index = its position.
  void Add(const TOutputParm &record, int32_t controller);
  // Removes output i; the later records move down and are renumbered.
  void Delete(int32_t i);
  // Deletes the first output of controller numbered number; no match, no change.
  void DeleteByKey(int32_t controller, int32_t number);
  void SetName(int32_t i, std::string_view text);
  // The number is taken as an unsigned 16-bit value.
  void SetOutput(int32_t i, int32_t number);
  void SetLcId(int32_t i, int32_t deviceId);
  void SetPlcId(int32_t i, int32_t controller);

  void Reserve(size_t n) { items_.reserve(n); }
  bool operator==(const TOutputCtrl &) const = default;

 private:
  bool valid(int32_t i) const { return i >= 0 && i < Count(); }
  std::vector<TOutputParm> items_;
};

class TDeviceCtrl {
 public:
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  const TDeviceParm &operator[](int32_t i) const { return items_[static_cast<size_t>(i)]; }
  const std::vector<TDeviceParm> &Items() const { return items_; }
  // 1 for a new list, plus one for every device added; never decreases.
  int32_t NameCounter() const { return nameCounter_; }

  // Appends a device with no entries and counts it in NameCounter.
  void Add(std::string_view name, int32_t controller, int32_t id);
  void Delete(int32_t i);
  void AddEntry(int32_t row, uint32_t entry);
  void DeleteEntry(int32_t row, int32_t k);
  void SetEntry(int32_t row, int32_t k, uint32_t entry);
  // Keeps the entry's output; only the low 16 bits of delay are kept.
  void SetEntryDelay(int32_t row, int32_t k, int32_t delay);
  void SetName(int32_t i, std::string_view text);
  void SetPlcId(int32_t i, int32_t controller);
  void MoveUp(int32_t i);
  void MoveDown(int32_t i);
  // Exchanges devices i and j, also when they are not neighbours.
  void Swap(int32_t i, int32_t j);
  void EntryUp(int32_t row, int32_t k);
  void EntryDown(int32_t row, int32_t k);

  void Reserve(size_t n) { items_.reserve(n); }
  // The devices only: NameCounter is how the list was made, not what it holds.
  bool operator==(const TDeviceCtrl &other) const { return items_ == other.items_; }

 private:
  bool valid(int32_t i) const { return i >= 0 && i < Count(); }
  bool validEntry(int32_t row, int32_t k) const { return valid(row) && k >= 0 && k < items_[static_cast<size_t>(row)].EntryCount(); }
  std::vector<TDeviceParm> items_;
  int32_t nameCounter_ = 1;
};

}  // namespace selkan
