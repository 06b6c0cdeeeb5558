#pragma once
// Placing one LED unit of a screen model onto a cell of its matrix, as the
// wizard's mapping menu does.
#include <cstdint>

#include "display_app/model/screen_model.h"

namespace morvit {

// Maps the unit at position unit onto (col, row): every other mapped unit on
// that cell is unmapped first, and the unit's old cell (if any) becomes
// empty. A position outside 0..Count-1 or a cell outside the model's
// Cols x Rows matrix changes nothing and gives false.
bool MapUnitToCell(TLedPanelData &data, int32_t unit, int32_t col, int32_t row);

}  // namespace morvit
