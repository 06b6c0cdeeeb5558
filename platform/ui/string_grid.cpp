#include "platform/ui/string_grid.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "platform/ui/color.h"

namespace ui {
namespace {

constexpr int kMaxCells = 1 << 24;  // rows x columns the grid will hold
constexpr int kSizingReach = 2;     // pixels either side of a line that grab it

}  // namespace

StringGrid::StringGrid(Component *owner) : Control(owner) {
  setColor(platform::clWindow);
  setFocusPolicy(Qt::StrongFocus);
  horz_ = new QScrollBar(Qt::Horizontal, this);
  vert_ = new QScrollBar(Qt::Vertical, this);
  horz_->hide();
  vert_->hide();
  connect(horz_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!updatingBars_) setLeftCol(fixedCols_ + v);
  });
  connect(vert_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!updatingBars_) setTopRow(fixedRows_ + v);
  });
  resizeCells();
  setBounds(0, 0, 320, 120);
}

StringGrid::~StringGrid() { beginDestroy(); }

void StringGrid::resizeCells() {
  colWidths_.resize(static_cast<size_t>(colCount_), defaultColWidth_);
  rowHeights_.resize(static_cast<size_t>(rowCount_), defaultRowHeight_);
  cells_.resize(static_cast<size_t>(rowCount_));
  for (auto &line : cells_) line.resize(static_cast<size_t>(colCount_));
  fixedCols_ = std::min(fixedCols_, std::max(colCount_ - 1, 0));
  fixedRows_ = std::min(fixedRows_, std::max(rowCount_ - 1, 0));
  col_ = std::clamp(col_, fixedCols_, std::max(colCount_ - 1, fixedCols_));
  row_ = std::clamp(row_, fixedRows_, std::max(rowCount_ - 1, fixedRows_));
  leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(colCount_ - 1, fixedCols_));
  topRow_ = std::clamp(topRow_, fixedRows_, std::max(rowCount_ - 1, fixedRows_));
  updateScrollBars();
  update();
}

void StringGrid::setColCount(int value) {
  value = std::clamp(value, 1, kMaxCells / std::max(rowCount_, 1));
  if (value == colCount_) return;
  colCount_ = value;
  resizeCells();
}

void StringGrid::setRowCount(int value) {
  value = std::clamp(value, 1, kMaxCells / std::max(colCount_, 1));
  if (value == rowCount_) return;
  rowCount_ = value;
  resizeCells();
}

void StringGrid::setFixedCols(int value) {
  if (value < 0 || value >= colCount_) return;
  fixedCols_ = value;
  col_ = std::max(col_, fixedCols_);
  leftCol_ = std::max(leftCol_, fixedCols_);
  resizeCells();
}

void StringGrid::setFixedRows(int value) {
  if (value < 0 || value >= rowCount_) return;
  fixedRows_ = value;
  row_ = std::max(row_, fixedRows_);
  topRow_ = std::max(topRow_, fixedRows_);
  resizeCells();
}

QString StringGrid::cell(int col, int row) const {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return QString();
  return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void StringGrid::setCell(int col, int row, const QString &text) {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return;
  QString &cell = cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
  if (cell == text) return;
  cell = text;
  const QRect r = cellRect(col, row);
  if (!r.isNull()) update(r);
}

void StringGrid::setDefaultColWidth(int value) {
  defaultColWidth_ = std::max(value, 0);
  std::fill(colWidths_.begin(), colWidths_.end(), defaultColWidth_);
  updateScrollBars();
  update();
}

void StringGrid::setDefaultRowHeight(int value) {
  defaultRowHeight_ = std::max(value, 0);
  std::fill(rowHeights_.begin(), rowHeights_.end(), defaultRowHeight_);
  updateScrollBars();
  update();
}

int StringGrid::colWidth(int col) const {
  if (col < 0 || col >= colCount_) return 0;
  return colWidths_[static_cast<size_t>(col)];
}

void StringGrid::setColWidth(int col, int width) {
  if (col < 0 || col >= colCount_) return;
  colWidths_[static_cast<size_t>(col)] = std::max(width, 0);
  updateScrollBars();
  update();
}

int StringGrid::rowHeight(int row) const {
  if (row < 0 || row >= rowCount_) return 0;
  return rowHeights_[static_cast<size_t>(row)];
}

void StringGrid::setRowHeight(int row, int height) {
  if (row < 0 || row >= rowCount_) return;
  rowHeights_[static_cast<size_t>(row)] = std::max(height, 0);
  updateScrollBars();
  update();
}

void StringGrid::setGridLineWidth(int value) {
  gridLineWidth_ = std::max(value, 0);
  updateScrollBars();
  update();
}

void StringGrid::setDefaultDrawing(bool value) {
  defaultDrawing_ = value;
  update();
}

void StringGrid::setScrollBars(GridScrollBars value) {
  scrollBars_ = value;
  updateScrollBars();
}

void StringGrid::setOptions(GridOptions value) {
  options_ = value & (goRowSizing | goColSizing | goRowSelect);
  if ((options_ & (goRowSizing | goColSizing)) == 0) sizingActive_ = false;
  update();
}

void StringGrid::setFixedColor(platform::TColor color) {
  fixedColor_ = color;
  update();
}

void StringGrid::setDrawFocusSelected(bool value) {
  drawFocusSelected_ = value;
  update();
}

bool StringGrid::selectCell(int col, int row) {
  if (col < fixedCols_ || col >= colCount_ || row < fixedRows_ || row >= rowCount_) return false;
  if (col == col_ && row == row_) return true;
  bool canSelect = true;
  if (OnSelectCell && !isLoading() && !isDying()) OnSelectCell(this, col, row, canSelect);
  if (!canSelect) return false;
  col_ = col;
  row_ = row;
  // Keep the selected cell in sight.
  if (col_ < leftCol_) {
    setLeftCol(col_);
  } else {
    while (col_ >= leftCol_ + std::max(visibleCols(leftCol_), 1) && leftCol_ < col_) setLeftCol(leftCol_ + 1);
  }
  if (row_ < topRow_) {
    setTopRow(row_);
  } else {
    while (row_ >= topRow_ + std::max(visibleRows(topRow_), 1) && topRow_ < row_) setTopRow(topRow_ + 1);
  }
  update();
  return true;
}

void StringGrid::setCol(int value) { selectCell(value, row_); }

void StringGrid::setRow(int value) { selectCell(col_, value); }

void StringGrid::setLeftCol(int value) {
  value = std::clamp(value, fixedCols_, std::max(colCount_ - 1, fixedCols_));
  if (value == leftCol_) return;
  leftCol_ = value;
  updateScrollBars();
  update();
}

void StringGrid::setTopRow(int value) {
  value = std::clamp(value, fixedRows_, std::max(rowCount_ - 1, fixedRows_));
  if (value == topRow_) return;
  topRow_ = value;
  updateScrollBars();
  update();
}

QRect StringGrid::dataArea() const {
  // Inside the margins a subclass reserves for a frame of its own.
  QRect r = contentsRect();
  if (vert_->isVisible()) r.setRight(r.right() - vert_->width());
  if (horz_->isVisible()) r.setBottom(r.bottom() - horz_->height());
  return r;
}

int StringGrid::visibleCols(int fromCol) const {
  const QRect area = dataArea();
  int x = 0;
  for (int c = 0; c < fixedCols_; ++c) x += colWidth(c) + gridLineWidth_;
  int n = 0;
  for (int c = fromCol; c < colCount_; ++c) {
    x += colWidth(c) + gridLineWidth_;
    if (x > area.width()) break;
    ++n;
  }
  return n;
}

int StringGrid::visibleRows(int fromRow) const {
  const QRect area = dataArea();
  int y = 0;
  for (int r = 0; r < fixedRows_; ++r) y += rowHeight(r) + gridLineWidth_;
  int n = 0;
  for (int r = fromRow; r < rowCount_; ++r) {
    y += rowHeight(r) + gridLineWidth_;
    if (y > area.height()) break;
    ++n;
  }
  return n;
}

QRect StringGrid::cellRect(int col, int row) const {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return QRect();
  if ((col >= fixedCols_ && col < leftCol_) || (row >= fixedRows_ && row < topRow_)) return QRect();
  int x = 0;
  for (int c = 0; c < col; ++c) {
    if (c >= fixedCols_ && c < leftCol_) continue;
    x += colWidth(c) + gridLineWidth_;
  }
  int y = 0;
  for (int r = 0; r < row; ++r) {
    if (r >= fixedRows_ && r < topRow_) continue;
    y += rowHeight(r) + gridLineWidth_;
  }
  const QRect area = dataArea();
  if (x >= area.width() || y >= area.height()) return QRect();
  return QRect(area.left() + x, area.top() + y, colWidth(col), rowHeight(row));
}

bool StringGrid::mouseToCell(QPoint point, int &col, int &row) const {
  for (int r = 0; r < rowCount_; ++r) {
    if (r >= fixedRows_ && r < topRow_) continue;
    for (int c = 0; c < colCount_; ++c) {
      if (c >= fixedCols_ && c < leftCol_) continue;
      const QRect cell = cellRect(c, r);
      if (cell.isNull()) break;
      if (cell.adjusted(0, 0, gridLineWidth_, gridLineWidth_).contains(point)) {
        col = c;
        row = r;
        return true;
      }
    }
  }
  return false;
}

void StringGrid::updateScrollBars() {
  if (horz_ == nullptr || updatingBars_) return;
  updatingBars_ = true;
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const bool allowH = scrollBars_ == GridScrollBars::Horizontal || scrollBars_ == GridScrollBars::Both;
  const bool allowV = scrollBars_ == GridScrollBars::Vertical || scrollBars_ == GridScrollBars::Both;
  int totalW = 0;
  for (int c = 0; c < colCount_; ++c) totalW += colWidth(c) + gridLineWidth_;
  int totalH = 0;
  for (int r = 0; r < rowCount_; ++r) totalH += rowHeight(r) + gridLineWidth_;
  const QRect inside = contentsRect();
  bool h = allowH && totalW > inside.width();
  bool v = allowV && totalH > inside.height();
  if (h && !v) v = allowV && totalH > inside.height() - extent;
  if (v && !h) h = allowH && totalW > inside.width() - extent;
  horz_->setVisible(h);
  vert_->setVisible(v);
  if (h) {
    horz_->setGeometry(inside.left(), inside.bottom() + 1 - extent, inside.width() - (v ? extent : 0), extent);
    horz_->setRange(0, std::max(colCount_ - fixedCols_ - 1, 0));
    horz_->setValue(leftCol_ - fixedCols_);
  }
  if (v) {
    vert_->setGeometry(inside.right() + 1 - extent, inside.top(), extent, inside.height() - (h ? extent : 0));
    vert_->setRange(0, std::max(rowCount_ - fixedRows_ - 1, 0));
    vert_->setValue(topRow_ - fixedRows_);
  }
  updatingBars_ = false;
}

void StringGrid::resized() {
  updateScrollBars();
  Control::resized();
}

void StringGrid::drawCell(QPainter &painter, int col, int row, const QRect &rect, const GridDrawState &state) {
  if (defaultDrawing_) {
    QColor back = state.fixed ? toQColor(fixedColor_) : toQColor(color());
    if (state.selected) back = toQColor(platform::clHighlight);
    if (back.isValid()) painter.fillRect(rect, back);
    writeCellText(painter, col, row, rect, cellTextColor(state));
  }
  fireDrawCell(painter, col, row, rect, state);
}

QColor StringGrid::cellTextColor(const GridDrawState &state) const {
  return toQColor(state.selected ? platform::clHighlightText : controlFont().color);
}

void StringGrid::writeCellText(QPainter &painter, int col, int row, const QRect &rect, const QColor &color) {
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.setPen(color);
  painter.setFont(font());
  painter.drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, cell(col, row));
  painter.restore();
}

void StringGrid::fireDrawCell(QPainter &painter, int col, int row, const QRect &rect, const GridDrawState &state) {
  if (OnDrawCell && !isDying()) OnDrawCell(this, col, row, rect, state, painter);
}

void StringGrid::paint(QPainter &painter) {
  Control::paint(painter);
  const QRect area = dataArea();
  painter.setClipRect(area);
  // Grid lines: the background shows through the gaps between cells.
  if (gridLineWidth_ > 0) painter.fillRect(area, QColor(192, 192, 192));
  const bool focused = hasFocus();
  for (int r = 0; r < rowCount_; ++r) {
    if (r >= fixedRows_ && r < topRow_) continue;
    bool anyInRow = false;
    for (int c = 0; c < colCount_; ++c) {
      if (c >= fixedCols_ && c < leftCol_) continue;
      const QRect cell = cellRect(c, r);
      if (cell.isNull()) break;
      anyInRow = true;
      GridDrawState state;
      state.fixed = c < fixedCols_ || r < fixedRows_;
      const bool current = !state.fixed && c == col_ && r == row_;
      state.focused = current && focused;
      state.selected = current && (focused || drawFocusSelected_);
      // A selected row is shown whether or not the grid has the focus.
      if ((options_ & goRowSelect) != 0 && !state.fixed && r == row_) state.selected = true;
      painter.save();
      drawCell(painter, c, r, cell, state);
      painter.restore();
    }
    if (!anyInRow) break;
  }
  painter.setClipping(false);
}

bool StringGrid::sizingLineAt(QPoint point, SizingLine &line) const {
  int fixedWidth = 0;
  for (int c = 0; c < fixedCols_; ++c) fixedWidth += colWidth(c) + gridLineWidth_;
  int fixedHeight = 0;
  for (int r = 0; r < fixedRows_; ++r) fixedHeight += rowHeight(r) + gridLineWidth_;
  const auto nearLine = [&](int start, int extent, int at) {
    const int edge = start + extent;
    return at >= edge - kSizingReach && at <= edge + gridLineWidth_ + kSizingReach;
  };
  if ((options_ & goColSizing) != 0 && point.y() >= 0 && point.y() < fixedHeight) {
    for (int c = 0; c < colCount_; ++c) {
      const QRect cell = cellRect(c, 0);
      if (cell.isNull()) continue;
      if (nearLine(cell.left(), cell.width(), point.x())) {
        line = {true, c, cell.left()};
        return true;
      }
    }
  }
  if ((options_ & goRowSizing) != 0 && point.x() >= 0 && point.x() < fixedWidth) {
    for (int r = 0; r < rowCount_; ++r) {
      const QRect cell = cellRect(0, r);
      if (cell.isNull()) continue;
      if (nearLine(cell.top(), cell.height(), point.y())) {
        line = {false, r, cell.top()};
        return true;
      }
    }
  }
  return false;
}

void StringGrid::mouseMove(ShiftState shift, int x, int y) {
  if (sizingActive_) {
    if (sizing_.column) {
      setColWidth(sizing_.index, x - sizing_.start);
    } else {
      setRowHeight(sizing_.index, y - sizing_.start);
    }
  } else {
    SizingLine line;
    if (sizingLineAt(QPoint(x, y), line)) {
      setCursor(line.column ? Qt::SplitHCursor : Qt::SplitVCursor);
    } else {
      unsetCursor();
    }
  }
  Control::mouseMove(shift, x, y);
}

void StringGrid::mouseUp(MouseButton button, ShiftState shift, int x, int y) {
  if (button == MouseButton::Left) sizingActive_ = false;
  Control::mouseUp(button, shift, x, y);
}

void StringGrid::mouseDown(MouseButton button, ShiftState shift, int x, int y) {
  if (button == MouseButton::Left && sizingLineAt(QPoint(x, y), sizing_)) {
    sizingActive_ = true;
    Control::mouseDown(button, shift, x, y);
    return;
  }
  if (button == MouseButton::Left) {
    int c = 0;
    int r = 0;
    if (mouseToCell(QPoint(x, y), c, r)) selectCell(c, r);
    if (canFocus()) setFocus(Qt::MouseFocusReason);
  }
  Control::mouseDown(button, shift, x, y);
}

bool StringGrid::wantsKey(int key, Qt::KeyboardModifiers) const {
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: return true;
    default: return false;
  }
}

void StringGrid::keyPressEvent(QKeyEvent *event) {
  switch (event->key()) {
    case Qt::Key_Left: selectCell(col_ - 1, row_); break;
    case Qt::Key_Right: selectCell(col_ + 1, row_); break;
    case Qt::Key_Up: selectCell(col_, row_ - 1); break;
    case Qt::Key_Down: selectCell(col_, row_ + 1); break;
    case Qt::Key_PageUp: selectCell(col_, std::max(row_ - std::max(visibleRows(topRow_), 1), fixedRows_)); break;
    case Qt::Key_PageDown:
      selectCell(col_, std::min(row_ + std::max(visibleRows(topRow_), 1), rowCount_ - 1));
      break;
    case Qt::Key_Home: selectCell(fixedCols_, row_); break;
    case Qt::Key_End: selectCell(colCount_ - 1, row_); break;
    default: Control::keyPressEvent(event); return;
  }
  event->accept();
}

void StringGrid::wheelEvent(QWheelEvent *event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) setTopRow(topRow_ - steps);
  event->accept();
}

}  // namespace ui
