#include "display_app/model/screen_model.h"

#include <algorithm>

namespace morvit {

TLedPanelData::TLedPanelData(int32_t count) : Count(std::max(count, 0)), Units(static_cast<size_t>(Count)) {
  for (size_t i = 0; i < Units.size(); ++i) Units[i].Address = static_cast<int32_t>(i);
}

void TLedPanelData::SetRows(int32_t rows) {
  if (rows != Rows) Rows = rows;
}

void TLedPanelData::SetCols(int32_t cols) {
  if (cols != Cols) Cols = cols;
}

void TLedPanelData::FillDemoUnits(int32_t cols, int32_t rows) {
  if (cols <= 0 || rows <= 0 || int64_t{cols} * rows != Count) return;
  Rows = rows;
  Cols = cols;
  int32_t c = 0;
  int32_t r = 0;
  for (size_t pos = 0; pos < Units.size(); ++pos) {
    const auto i = static_cast<int32_t>(pos);
    LedUnitState &u = Units[pos];
    u.Mapped = true;
    u.Col = c;
    u.Row = r;
    u.Power = i % 7 == 0 || i % 5 == 0 || i % 3 == 0 || i % 2 == 0;
    u.Fan = i % 7 == 0 || i % 3 == 0;
    u.Temperature = i;
    if (++c == cols) {
      c = 0;
      ++r;
    }
  }
}

void TLedPanelData::ClearMapping() {
  for (LedUnitState &u : Units) u.Mapped = false;
}

int32_t TLedPanelData::FindUnitAt(int32_t col, int32_t row) const {
  for (size_t i = 0; i < Units.size(); ++i) {
    const LedUnitState &u = Units[i];
    if (u.Mapped && u.Col == col && u.Row == row) return static_cast<int32_t>(i);
  }
  return -1;
}

bool TLedPanelData::AllUnitsMapped() const {
  return std::all_of(Units.begin(), Units.end(), [](const LedUnitState &u) { return u.Mapped; });
}

std::vector<int32_t> CellUnitIndex(const TLedPanelData &data, int32_t cols, int32_t rows) {
  if (cols <= 0 || rows <= 0 || int64_t{cols} * rows > kMaxIndexedCells) return {};
  std::vector<int32_t> index(static_cast<size_t>(cols) * static_cast<size_t>(rows), -1);
  // From the last unit to the first, so the lowest position ends up in a
  // cell that several units claim.
  for (size_t i = data.Units.size(); i-- > 0;) {
    const LedUnitState &u = data.Units[i];
    if (!u.Mapped || u.Col < 0 || u.Row < 0 || u.Col >= cols || u.Row >= rows) continue;
    const size_t cell = static_cast<size_t>(u.Row) * static_cast<size_t>(cols) + static_cast<size_t>(u.Col);
    index[cell] = static_cast<int32_t>(i);
  }
  return index;
}

}  // namespace morvit
