#pragma once
// One screen drawn as a matrix of square cells, one per column and row,
// coloured by the state of the LED unit mapped onto each, with the unit's
// number in the cell when the cells are large enough. It zooms by changing
// its cell size within fixed limits, selects a cell with either mouse button,
// and tells its owner of size and selection changes. It never owns its model.
#include <QRect>
#include <cstdint>

#include "display_app/model/screen_model.h"
#include "platform/tcolor.h"
#include "platform/ui/control.h"

namespace morvit {

// The fill of a cell: black for no unit or a unit without power, yellow for
// a stopped fan or 80 °C and more, green otherwise.
platform::TColor LedCellColour(const LedUnitState *unit);

class TLedPanel : public ui::Control {
  Q_OBJECT
 public:
  // Widgets larger than this are refused by Qt.
  static constexpr int64_t kMaxExtent = 16777215;

  // 6 x 4 cells of 64 pixels at (0, 0), cell (0, 0) selected, no model.
  explicit TLedPanel(ui::Component *owner);

  int32_t MinCellSize() const { return minCellSize_; }
  int32_t MaxCellSize() const { return maxCellSize_; }
  int32_t CellSize() const { return cellSize_; }
  int32_t Rows() const { return rows_; }
  int32_t Cols() const { return cols_; }
  int32_t SelCol() const { return selCol_; }
  int32_t SelRow() const { return selRow_; }
  // The position in the model's Units found on the selected cell, -1 for
  // none; 0 until the first selection change. Only SelectCell changes it,
  // so it may point past the end of a model attached later: read the unit
  // through selectedUnit().
  int32_t SelUnit() const { return selUnit_; }
  // The unit at SelUnit, or null when no model is attached or SelUnit is not
  // one of its positions.
  const LedUnitState *selectedUnit() const;
  TLedPanelData *Data() const { return data_; }

  platform::TColor GridColor() const { return gridColor_; }
  void setGridColor(platform::TColor colour);
  platform::TColor SelectionColor() const { return selectionColor_; }
  void setSelectionColor(platform::TColor colour);
  bool ShowAddress() const { return showAddress_; }
  void setShowAddress(bool value);

  // Clamped to MinCellSize..MaxCellSize; a size that changes nothing or makes
  // the control larger than kMaxExtent is ignored.
  void SetCellSize(int32_t size);
  // Ignored for n <= 0, the current value, or a control larger than
  // kMaxExtent.
  void SetRows(int32_t n);
  void SetCols(int32_t n);
  // Ignored outside the matrix and on the selected cell.
  void SelectCell(int32_t col, int32_t row);
  // Attaches (or with null detaches) a model the caller keeps alive.
  void SetPanelData(TLedPanelData *data);

  NotifyEvent OnSizeChange;
  NotifyEvent OnSelect;

 protected:
  void paint(QPainter &painter) override;
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;

 private:
  // Selects the cell under the pixel of a left or right press.
  void selectAtPress(const QMouseEvent &event);
  bool fits(int64_t cols, int64_t rows, int64_t cellSize) const;
  void resizeToCells();
  void sizeChangedByOperation();

  int32_t minCellSize_ = 12;
  int32_t maxCellSize_ = 256;
  int32_t cellSize_ = 64;
  int32_t rows_ = 0;
  int32_t cols_ = 0;
  int32_t selCol_ = 0;
  int32_t selRow_ = 0;
  int32_t selUnit_ = 0;
  platform::TColor gridColor_ = platform::RGB(0, 80, 80);
  platform::TColor selectionColor_ = platform::RGB(192, 64, 192);
  bool showAddress_ = true;
  TLedPanelData *data_ = nullptr;
  // The part of the control the running paint has to cover.
  QRect exposed_;
};

}  // namespace morvit
