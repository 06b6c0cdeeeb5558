#pragma once
// Storing reply values into a screen variable block by command, element
// index and parameter id.
#include <array>
#include <cstddef>
#include <cstdint>

#include "quodel_vars.h"

namespace quodel {

inline constexpr size_t kTextCapacity = 1024;  // a text buffer, terminating zero included
inline constexpr size_t kTextFieldCount = 6928;

using TextBuffer = std::array<char, kTextCapacity>;

class ScreenVarsStore {
 public:
  // Points every text field of vars at its own buffer of texts (which holds
  // kTextFieldCount buffers). Neither the block's values nor the buffers'
  // contents are touched.
  ScreenVarsStore(QdScreenVars &vars, TextBuffer *texts);

  // The process-wide block, its text buffers untouched until written.
  static ScreenVarsStore &process();

  // Command 1: ids 0x01-0x08 and 0x0B-0x21 set their processor word.
  // Command 0: the id's field in groups 0 to 8 (record index in groups 2 to
  // 5; 256 or more stores nothing). Ints and words take the first 4 or 2
  // bytes, zero-extended when fewer (none: nothing stored); texts take the
  // bytes up to the first zero, at most 1023. Anything else is ignored.
  void store(uint8_t command, uint16_t index, uint16_t id, const uint8_t *data, size_t length);

  // The text field of a command-0 id at index; nullptr when it names none.
  const char *text(uint16_t id, uint16_t index) const;

  const QdScreenVars &vars() const { return vars_; }

 private:
  // The address of the field id names at index, and whether it is a text;
  // nullptr when none.
  uint8_t *field(uint16_t id, uint16_t index, bool *isText) const;

  QdScreenVars &vars_;
};

// The processor word that holds id, or -1.
int ProcessorWordSlot(uint16_t id);

}  // namespace quodel
