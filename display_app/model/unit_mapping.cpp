#include "display_app/model/unit_mapping.h"

#include <cstddef>

namespace morvit {

bool MapUnitToCell(TLedPanelData &data, int32_t unit, int32_t col, int32_t row) {
  if (unit < 0 || unit >= data.Count) return false;
  if (col < 0 || row < 0 || col >= data.Cols || row >= data.Rows) return false;
  for (LedUnitState &other : data.Units) {
    if (other.Mapped && other.Col == col && other.Row == row) other.Mapped = false;
  }
  LedUnitState &mapped = data.Units[static_cast<std::size_t>(unit)];
  mapped.Col = col;
  mapped.Row = row;
  mapped.Mapped = true;
  return true;
}

}  // namespace morvit
