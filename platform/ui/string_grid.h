#pragma once
// A grid of text cells. The first FixedCols columns and FixedRows rows are
// headings that stay in place while the rest scrolls. Every cell is drawn
// through the virtual DrawCell, which fills and writes the cell when
// DefaultDrawing is on and then hands it to OnDrawCell. With the sizing
// options the user drags the lines between the headings to size columns
// (in the fixed rows) or rows (in the fixed columns); with goRowSelect the
// whole current row is selected.
#include <QString>
#include <functional>
#include <vector>

#include "platform/ui/control.h"

class QScrollBar;

namespace ui {

struct GridDrawState {
  bool selected = false;
  bool focused = false;
  bool fixed = false;
};

enum class GridScrollBars { None, Horizontal, Vertical, Both };

using GridOptions = unsigned;
inline constexpr GridOptions goRowSizing = 1;
inline constexpr GridOptions goColSizing = 2;
inline constexpr GridOptions goRowSelect = 4;

class StringGrid : public Control {
  Q_OBJECT
 public:
  using DrawCellEvent =
      std::function<void(StringGrid *sender, int col, int row, const QRect &rect, const GridDrawState &state,
                         QPainter &painter)>;
  using SelectCellEvent = std::function<void(StringGrid *sender, int col, int row, bool &canSelect)>;

  explicit StringGrid(Component *owner);
  ~StringGrid() override;

  int colCount() const { return colCount_; }
  void setColCount(int value);
  int rowCount() const { return rowCount_; }
  void setRowCount(int value);
  int fixedCols() const { return fixedCols_; }
  // Kept below ColCount; the framework refuses more and so do we.
  void setFixedCols(int value);
  int fixedRows() const { return fixedRows_; }
  void setFixedRows(int value);

  // Cells outside the grid read as empty text and are ignored when written.
  QString cell(int col, int row) const;
  void setCell(int col, int row, const QString &text);

  int defaultColWidth() const { return defaultColWidth_; }
  void setDefaultColWidth(int value);
  int defaultRowHeight() const { return defaultRowHeight_; }
  void setDefaultRowHeight(int value);
  int colWidth(int col) const;
  void setColWidth(int col, int width);
  int rowHeight(int row) const;
  void setRowHeight(int row, int height);
  int gridLineWidth() const { return gridLineWidth_; }
  void setGridLineWidth(int value);
  bool defaultDrawing() const { return defaultDrawing_; }
  void setDefaultDrawing(bool value);
  GridScrollBars scrollBars() const { return scrollBars_; }
  void setScrollBars(GridScrollBars value);
  GridOptions options() const { return options_; }
  void setOptions(GridOptions value);
  // The background of the fixed cells.
  platform::TColor fixedColor() const { return fixedColor_; }
  void setFixedColor(platform::TColor color);
  // Selected cells are drawn highlighted even with the focus elsewhere.
  bool drawFocusSelected() const { return drawFocusSelected_; }
  void setDrawFocusSelected(bool value);

  // The selected cell; a cell that is fixed or outside is not taken.
  int col() const { return col_; }
  int row() const { return row_; }
  void setCol(int value);
  void setRow(int value);
  // The first scrolling column and row on screen.
  int leftCol() const { return leftCol_; }
  void setLeftCol(int value);
  int topRow() const { return topRow_; }
  void setTopRow(int value);

  // Where the cell lies on screen; empty when it is scrolled out of sight.
  QRect cellRect(int col, int row) const;
  // The cell under a point, or false.
  bool mouseToCell(QPoint point, int &col, int &row) const;

  bool wantsKey(int key, Qt::KeyboardModifiers modifiers) const override;

  DrawCellEvent OnDrawCell;
  SelectCellEvent OnSelectCell;

 protected:
  // Draws one cell; the default fills and writes it when DefaultDrawing is
  // on, then runs OnDrawCell.
  virtual void drawCell(QPainter &painter, int col, int row, const QRect &rect, const GridDrawState &state);
  // The parts of the default drawing, for grids that colour cells their
  // own way: the text at (left + 2, top + 2) clipped to the cell, and the
  // OnDrawCell hook.
  void writeCellText(QPainter &painter, int col, int row, const QRect &rect, const QColor &color);
  // The colour the default drawing writes a cell's text in: the highlight
  // text colour for a selected cell, else the font's.
  QColor cellTextColor(const GridDrawState &state) const;
  void fireDrawCell(QPainter &painter, int col, int row, const QRect &rect, const GridDrawState &state);
  void paint(QPainter &painter) override;
  void resized() override;
  void mouseDown(MouseButton button, ShiftState shift, int x, int y) override;
  void mouseMove(ShiftState shift, int x, int y) override;
  void mouseUp(MouseButton button, ShiftState shift, int x, int y) override;
  void keyPressEvent(QKeyEvent *event) override;
  void wheelEvent(QWheelEvent *event) override;
  void colorChanged() override { update(); }

 private:
  bool selectCell(int col, int row);
  void resizeCells();
  void updateScrollBars();
  int visibleCols(int fromCol) const;
  int visibleRows(int fromRow) const;
  QRect dataArea() const;

  // A line between headings the mouse can drag: the column or row before
  // it, and where that column or row starts.
  struct SizingLine {
    bool column = false;
    int index = -1;
    int start = 0;
  };
  bool sizingLineAt(QPoint point, SizingLine &line) const;

  int colCount_ = 5;
  int rowCount_ = 5;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  int gridLineWidth_ = 1;
  bool defaultDrawing_ = true;
  bool drawFocusSelected_ = false;
  GridOptions options_ = 0;
  platform::TColor fixedColor_ = platform::clBtnFace;
  SizingLine sizing_;
  bool sizingActive_ = false;
  GridScrollBars scrollBars_ = GridScrollBars::Both;
  std::vector<int> colWidths_;
  std::vector<int> rowHeights_;
  std::vector<std::vector<QString>> cells_;  // [row][col]
  int col_ = 1;
  int row_ = 1;
  int leftCol_ = 1;
  int topRow_ = 1;
  QScrollBar *horz_ = nullptr;
  QScrollBar *vert_ = nullptr;
  bool updatingBars_ = false;
};

}  // namespace ui
