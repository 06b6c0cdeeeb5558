#include "screen_comm/screen_vars.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "platform/byte_order.h"

namespace quodel {
namespace {

enum class Kind : uint8_t { Int, Text };

struct Field {
  Kind kind;
  size_t offset;  // within one record
};

struct Group {
  std::span<const Field> fields;  // item 1, 2, ... in order
  size_t base;                    // offset of the first record in the block
  size_t recordSize;
  size_t records;
};

#define QD_TEXT(group, id) Field{Kind::Text, offsetof(group, id)}
#define QD_INT(group, id) Field{Kind::Int, offsetof(group, id)}

constexpr Field kGroup0[] = {
    QD_TEXT(QdGroup0, id0001), QD_INT(QdGroup0, id0002),  QD_TEXT(QdGroup0, id0003),
    QD_TEXT(QdGroup0, id0004), QD_TEXT(QdGroup0, id0005), QD_TEXT(QdGroup0, id0006),
    QD_TEXT(QdGroup0, id0007), QD_INT(QdGroup0, id0008),  QD_TEXT(QdGroup0, id0009),
    QD_INT(QdGroup0, id000A),  QD_INT(QdGroup0, id000B)};
constexpr Field kGroup1[] = {
    QD_INT(QdGroup1, id0101), QD_INT(QdGroup1, id0102), QD_INT(QdGroup1, id0103),
    QD_INT(QdGroup1, id0104), QD_INT(QdGroup1, id0105), QD_INT(QdGroup1, id0106),
    QD_INT(QdGroup1, id0107), QD_INT(QdGroup1, id0108), QD_INT(QdGroup1, id0109),
    QD_INT(QdGroup1, id010A)};
constexpr Field kGroup2[] = {
    QD_TEXT(QdGroup2, id0201), QD_TEXT(QdGroup2, id0202), QD_TEXT(QdGroup2, id0203),
    QD_TEXT(QdGroup2, id0204), QD_INT(QdGroup2, id0205),  QD_INT(QdGroup2, id0206),
    QD_INT(QdGroup2, id0207),  QD_INT(QdGroup2, id0208),  QD_INT(QdGroup2, id0209),
    QD_INT(QdGroup2, id020A),  QD_TEXT(QdGroup2, id020B), QD_TEXT(QdGroup2, id020C),
    QD_TEXT(QdGroup2, id020D), QD_TEXT(QdGroup2, id020E)};
constexpr Field kGroup3[] = {QD_TEXT(QdGroup3, id0301), QD_TEXT(QdGroup3, id0302),
                             QD_TEXT(QdGroup3, id0303), QD_TEXT(QdGroup3, id0304),
                             QD_TEXT(QdGroup3, id0305)};
constexpr Field kGroup4[] = {QD_TEXT(QdGroup4, id0401), QD_TEXT(QdGroup4, id0402),
                             QD_TEXT(QdGroup4, id0403), QD_INT(QdGroup4, id0404)};
constexpr Field kGroup5[] = {
    QD_TEXT(QdGroup5, id0501), QD_TEXT(QdGroup5, id0502), QD_TEXT(QdGroup5, id0503),
    QD_TEXT(QdGroup5, id0504), QD_INT(QdGroup5, id0505),  QD_TEXT(QdGroup5, id0506),
    QD_INT(QdGroup5, id0507),  QD_INT(QdGroup5, id0508),  QD_INT(QdGroup5, id0509),
    QD_TEXT(QdGroup5, id050A), QD_TEXT(QdGroup5, id050B), QD_TEXT(QdGroup5, id050C),
    QD_TEXT(QdGroup5, id050D), QD_TEXT(QdGroup5, id050E), QD_TEXT(QdGroup5, id050F),
    QD_INT(QdGroup5, id0510)};
constexpr Field kGroup6[] = {
    QD_TEXT(QdGroup6, id0601), QD_TEXT(QdGroup6, id0602), QD_INT(QdGroup6, id0603),
    QD_INT(QdGroup6, id0604),  QD_INT(QdGroup6, id0605),  QD_TEXT(QdGroup6, id0606),
    QD_TEXT(QdGroup6, id0607), QD_INT(QdGroup6, id0608),  QD_INT(QdGroup6, id0609),
    QD_INT(QdGroup6, id060A),  QD_INT(QdGroup6, id060B),  QD_INT(QdGroup6, id060C),
    QD_INT(QdGroup6, id060D),  QD_INT(QdGroup6, id060E),  QD_INT(QdGroup6, id060F),
    QD_TEXT(QdGroup6, id0610)};
constexpr Field kGroup7[] = {
    QD_TEXT(QdGroup7, id0701), QD_TEXT(QdGroup7, id0702), QD_TEXT(QdGroup7, id0703),
    QD_INT(QdGroup7, id0704),  QD_INT(QdGroup7, id0705),  QD_INT(QdGroup7, id0706),
    QD_TEXT(QdGroup7, id0707), QD_INT(QdGroup7, id0708),  QD_INT(QdGroup7, id0709),
    QD_INT(QdGroup7, id070A),  QD_INT(QdGroup7, id070B),  QD_INT(QdGroup7, id070C)};
constexpr Field kGroup8[] = {QD_INT(QdGroup8, id0801)};

#undef QD_TEXT
#undef QD_INT

constexpr Group kGroups[] = {
    {kGroup0, offsetof(QdScreenVars, group0), sizeof(QdGroup0), 1},
    {kGroup1, offsetof(QdScreenVars, group1), sizeof(QdGroup1), 1},
    {kGroup2, offsetof(QdScreenVars, group2), sizeof(QdGroup2), QD_ELEMENT_RECORDS},
    {kGroup3, offsetof(QdScreenVars, group3), sizeof(QdGroup3), QD_ELEMENT_RECORDS},
    {kGroup4, offsetof(QdScreenVars, group4), sizeof(QdGroup4), QD_ELEMENT_RECORDS},
    {kGroup5, offsetof(QdScreenVars, group5), sizeof(QdGroup5), QD_ELEMENT_RECORDS},
    {kGroup6, offsetof(QdScreenVars, group6), sizeof(QdGroup6), 1},
    {kGroup7, offsetof(QdScreenVars, group7), sizeof(QdGroup7), 1},
    {kGroup8, offsetof(QdScreenVars, group8), sizeof(QdGroup8), 1},
};

constexpr size_t CountTextFields() {
  size_t total = 0;
  for (const Group &g : kGroups)
    for (const Field &f : g.fields)
      if (f.kind == Kind::Text) total += g.records;
  return total;
}
static_assert(CountTextFields() == kTextFieldCount, "one buffer per text field");

// The id of every processor word, in block order; 0 marks the two unused.
constexpr uint16_t kWordIds[QD_PROCESSOR_WORDS] = {
    0x21, 0x01, 0x02, 0x20, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11,
    0x12, 0x13, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0,    0,    0x14,
    0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F};

uint32_t LittleEndian(const uint8_t *data, size_t length, size_t width) {
  return static_cast<uint32_t>(platform::le::GetBytes(data, std::min(length, width)));
}

}  // namespace

int ProcessorWordSlot(uint16_t id) {
  if (id == 0) return -1;
  for (int i = 0; i < QD_PROCESSOR_WORDS; ++i)
    if (kWordIds[i] == id) return i;
  return -1;
}

ScreenVarsStore::ScreenVarsStore(QdScreenVars &vars, TextBuffer *texts) : vars_(vars) {
  auto *block = reinterpret_cast<uint8_t *>(&vars_);
  size_t next = 0;
  for (const Group &g : kGroups)
    for (size_t r = 0; r < g.records; ++r)
      for (const Field &f : g.fields)
        if (f.kind == Kind::Text) {
          char *buffer = texts[next++].data();
          std::memcpy(block + g.base + r * g.recordSize + f.offset, &buffer, sizeof buffer);
        }
}

ScreenVarsStore &ScreenVarsStore::process() {
  // Zero-initialised storage: the text buffers stay untouched pages until a
  // reply writes one.
  static QdScreenVars block;
  static TextBuffer texts[kTextFieldCount];
  static ScreenVarsStore store(block, texts);
  return store;
}

uint8_t *ScreenVarsStore::field(uint16_t id, uint16_t index, bool *isText) const {
  const size_t group = id >> 8;
  const size_t item = id & 0xFF;
  if (group >= std::size(kGroups)) return nullptr;
  const Group &g = kGroups[group];
  if (item == 0 || item > g.fields.size()) return nullptr;
  const size_t record = g.records == 1 ? 0 : index;
  if (record >= g.records) return nullptr;
  const Field &f = g.fields[item - 1];
  *isText = f.kind == Kind::Text;
  return reinterpret_cast<uint8_t *>(&vars_) + g.base + record * g.recordSize + f.offset;
}

void ScreenVarsStore::store(uint8_t command, uint16_t index, uint16_t id, const uint8_t *data,
                            size_t length) {
  if (data == nullptr) length = 0;
  if (command == 1) {
    const int slot = ProcessorWordSlot(id);
    if (slot >= 0 && length > 0)
      vars_.ProcessorWords[slot] = static_cast<uint16_t>(LittleEndian(data, length, 2));
    return;
  }
  if (command != 0) return;
  bool isText = false;
  uint8_t *at = field(id, index, &isText);
  if (at == nullptr) return;
  if (!isText) {
    if (length == 0) return;
    const int32_t value = static_cast<int32_t>(LittleEndian(data, length, 4));
    std::memcpy(at, &value, sizeof value);
    return;
  }
  char *buffer;
  std::memcpy(&buffer, at, sizeof buffer);
  const size_t upTo = std::min(length, kTextCapacity - 1);
  const auto *zero =
      upTo > 0 ? static_cast<const uint8_t *>(std::memchr(data, 0, upTo)) : nullptr;
  const size_t n = zero != nullptr ? static_cast<size_t>(zero - data) : upTo;
  if (n > 0) std::memcpy(buffer, data, n);
  buffer[n] = '\0';
}

const char *ScreenVarsStore::text(uint16_t id, uint16_t index) const {
  bool isText = false;
  const uint8_t *at = field(id, index, &isText);
  if (at == nullptr || !isText) return nullptr;
  const char *buffer;
  std::memcpy(&buffer, at, sizeof buffer);
  return buffer;
}

}  // namespace quodel
