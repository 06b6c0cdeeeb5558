#pragma once
// One screen of the display wall in memory: a fixed number of LED units, each
// mapped (or not) onto a cell of the screen's column-by-row matrix, with the
// unit's last known state. Nothing here reads or writes files or devices.
#include <cstdint>
#include <vector>

namespace morvit {

// One LED unit. A plain value: the details dialog keeps a copy.
struct LedUnitState {
  int32_t Address = 0;
  bool Mapped = false;
  int32_t Col = 0;
  int32_t Row = 0;
  bool Power = false;
  bool Fan = false;
  double Temperature = 0.0;
  uint16_t FaultPixelCount = 0;
  double FaultPixelPercent = 0.0;
  bool operator==(const LedUnitState &) const = default;
};

class TLedPanelData {
 public:
  // count units, unmapped, each with its position as Address. A negative
  // count gives no units.
  explicit TLedPanelData(int32_t count);

  // Number of units; always Units.size().
  const int32_t Count;
  int32_t Rows = 0;
  int32_t Cols = 0;
  // Entries may change; the length stays Count.
  std::vector<LedUnitState> Units;

  // Store the value; nothing else follows (no check against Count).
  void SetRows(int32_t rows);
  void SetCols(int32_t cols);

  // The demonstration states: units fill the matrix row by row, left to
  // right. Nothing changes unless cols and rows are positive and their
  // product is Count.
  void FillDemoUnits(int32_t cols, int32_t rows);
  // Unmaps every unit; Col and Row keep their values.
  void ClearMapping();
  // The lowest position of a mapped unit on (col, row); -1 for none.
  int32_t FindUnitAt(int32_t col, int32_t row) const;
  // True when every unit is mapped (also with no units).
  bool AllUnitsMapped() const;
};

// The most cells CellUnitIndex builds a table for (64 MB of entries).
inline constexpr int64_t kMaxIndexedCells = int64_t{1} << 24;

// FindUnitAt for every cell of a cols x rows matrix at once, row by row:
// entry row * cols + col. Units mapped outside the matrix are skipped. Empty
// when either side is not positive or the matrix has more than
// kMaxIndexedCells cells.
std::vector<int32_t> CellUnitIndex(const TLedPanelData &data, int32_t cols, int32_t rows);

}  // namespace morvit
