#include "display_app/views/led_panel.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "platform/ui/color.h"
#include "platform/ui/gdi_shapes.h"

namespace morvit {

namespace {

constexpr double kHotTemperature = 80.0;
constexpr platform::TColor kOwnColour = platform::RGB(0, 32, 32);
constexpr platform::TColor kAddressColour = platform::RGB(0, 0, 255);
constexpr int kSelectionInset = 2;
constexpr int kSelectionPenWidth = 3;
// A number is written only when the cell is wider than "0000" plus this.
constexpr int kAddressSlack = 8;

ui::Font addressFont() {
  ui::Font f;
  f.height = 12;
  f.color = kAddressColour;
  return f;
}

QPen outlinePen(platform::TColor colour, int width) {
  return QPen(QBrush(ui::toQColor(colour)), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

// The cells a rectangle of the control meets, as inclusive column and row
// ranges; empty when it meets none.
struct CellRange {
  int32_t col0 = 0, row0 = 0, col1 = -1, row1 = -1;
};

CellRange cellsMeeting(const QRect &area, int32_t cols, int32_t rows, int32_t cellSize) {
  CellRange r;
  if (area.isEmpty() || cols <= 0 || rows <= 0 || cellSize <= 0 || area.right() < 0 || area.bottom() < 0) return r;
  r.col0 = std::max(area.left(), 0) / cellSize;
  r.row0 = std::max(area.top(), 0) / cellSize;
  r.col1 = std::min(area.right() / cellSize, cols - 1);
  r.row1 = std::min(area.bottom() / cellSize, rows - 1);
  return r;
}

// The insides of the cells of one fill colour (a rectangle without a pen
// fills exactly its width and height).
struct CellBatch {
  platform::TColor fill;
  std::vector<QRect> insides;
};

std::vector<QRect> &insidesOf(std::vector<CellBatch> &batches, platform::TColor fill) {
  for (CellBatch &b : batches) {
    if (b.fill == fill) return b.insides;
  }
  return batches.emplace_back(CellBatch{fill, {}}).insides;
}

QString addressText(int32_t unit) { return QStringLiteral("%1").arg(unit, 4, 10, QLatin1Char('0')); }

}  // namespace

platform::TColor LedCellColour(const LedUnitState *unit) {
  if (unit == nullptr || !unit->Power) return platform::clBlack;
  if (!unit->Fan || unit->Temperature >= kHotTemperature) return platform::RGB(255, 255, 0);
  return platform::RGB(0, 255, 0);
}

TLedPanel::TLedPanel(ui::Component *owner) : ui::Control(owner) {
  setFocusPolicy(Qt::NoFocus);
  // The cells cover the whole control.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setColor(kOwnColour);
  ui::Font font;
  font.size = 24;
  font.color = platform::clWhite;
  setControlFont(font);
  setCaption(QString());
  setBounds(0, 0, 0, 0);
  SetCols(6);
  SetRows(4);
  SelectCell(0, 0);
}

const LedUnitState *TLedPanel::selectedUnit() const {
  if (data_ == nullptr || selUnit_ < 0 || static_cast<size_t>(selUnit_) >= data_->Units.size()) return nullptr;
  return &data_->Units[static_cast<size_t>(selUnit_)];
}

void TLedPanel::setGridColor(platform::TColor colour) {
  if (colour == gridColor_) return;
  gridColor_ = colour;
  update();
}

void TLedPanel::setSelectionColor(platform::TColor colour) {
  if (colour == selectionColor_) return;
  selectionColor_ = colour;
  update();
}

void TLedPanel::setShowAddress(bool value) {
  if (value == showAddress_) return;
  showAddress_ = value;
  update();
}

bool TLedPanel::fits(int64_t cols, int64_t rows, int64_t cellSize) const {
  return cols * cellSize <= kMaxExtent && rows * cellSize <= kMaxExtent;
}

void TLedPanel::resizeToCells() { setBounds(left(), top(), cols_ * cellSize_, rows_ * cellSize_); }

void TLedPanel::sizeChangedByOperation() {
  QPointer<TLedPanel> self(this);
  resizeToCells();
  if (self.isNull()) return;
  update();
  if (OnSizeChange && !isDying()) OnSizeChange(this);
}

void TLedPanel::SetCellSize(int32_t size) {
  size = std::clamp(size, minCellSize_, maxCellSize_);
  if (size == cellSize_ || !fits(cols_, rows_, size)) return;
  cellSize_ = size;
  sizeChangedByOperation();
}

void TLedPanel::SetRows(int32_t n) {
  if (n <= 0 || n == rows_ || !fits(cols_, n, cellSize_)) return;
  rows_ = n;
  sizeChangedByOperation();
}

void TLedPanel::SetCols(int32_t n) {
  if (n <= 0 || n == cols_ || !fits(n, rows_, cellSize_)) return;
  cols_ = n;
  sizeChangedByOperation();
}

void TLedPanel::SelectCell(int32_t col, int32_t row) {
  if (col < 0 || row < 0 || col >= cols_ || row >= rows_ || (col == selCol_ && row == selRow_)) return;
  selCol_ = col;
  selRow_ = row;
  selUnit_ = data_ != nullptr ? data_->FindUnitAt(col, row) : -1;
  update();
  if (OnSelect && !isDying()) OnSelect(this);
}

void TLedPanel::SetPanelData(TLedPanelData *data) {
  if (data == data_) return;
  data_ = data;
  update();
}

void TLedPanel::paintEvent(QPaintEvent *event) {
  exposed_ = event->rect();
  ui::Control::paintEvent(event);
  exposed_ = QRect();
}

void TLedPanel::paint(QPainter &painter) {
  const CellRange range = cellsMeeting(exposed_.isNull() ? rect() : exposed_, cols_, rows_, cellSize_);
  if (range.col1 < range.col0 || range.row1 < range.row0) return;

  // One lookup table per paint; a matrix too large for one asks the model
  // cell by cell (only the exposed cells are drawn either way).
  std::vector<int32_t> index;
  if (data_ != nullptr) index = CellUnitIndex(*data_, cols_, rows_);
  const auto unitAt = [&](int32_t c, int32_t r) -> int32_t {
    if (!index.empty()) return index[static_cast<size_t>(r) * static_cast<size_t>(cols_) + static_cast<size_t>(c)];
    return data_->FindUnitAt(c, r);
  };

  const QFont font = ui::toQFont(addressFont());
  const QFontMetrics metrics(font);
  const int textWidth = metrics.horizontalAdvance(QStringLiteral("0000"));
  const int textHeight = metrics.height();
  const bool writeAddress = data_ != nullptr && showAddress_ && textWidth + kAddressSlack < cellSize_;
  painter.setFont(font);

  // The cells tile the range. Filling it with the grid colour and then each
  // cell's inside gives the same pixels as outlining and filling cell after
  // cell, at a fraction of the cost; insides of one colour go in one call.
  // The selection ring and the numbers stay inside their cells, so drawing
  // them last changes nothing either.
  std::vector<CellBatch> batches;
  std::vector<std::pair<QRect, int32_t>> numbers;
  const int cs = cellSize_;
  for (int32_t r = range.row0; r <= range.row1; ++r) {
    for (int32_t c = range.col0; c <= range.col1; ++c) {
      const QRect cell(c * cs, r * cs, cs, cs);
      platform::TColor fill = color();
      if (data_ != nullptr) {
        const int32_t u = unitAt(c, r);
        fill = LedCellColour(u >= 0 ? &data_->Units[static_cast<size_t>(u)] : nullptr);
        if (writeAddress && u >= 0) {
          numbers.emplace_back(QRect(cell.left() + (cs - textWidth) / 2, cell.top() + (cs - textHeight) / 2, textWidth,
                                     textHeight),
                               u);
        }
      }
      insidesOf(batches, fill).push_back(cell.adjusted(1, 1, -1, -1));
    }
  }

  painter.fillRect(QRect(range.col0 * cs, range.row0 * cs, (range.col1 - range.col0 + 1) * cs,
                         (range.row1 - range.row0 + 1) * cs),
                   ui::toQColor(gridColor_));
  painter.setPen(Qt::NoPen);
  for (const CellBatch &batch : batches) {
    painter.setBrush(ui::toQColor(batch.fill));
    painter.drawRects(batch.insides.data(), static_cast<int>(batch.insides.size()));
  }
  if (selCol_ >= range.col0 && selCol_ <= range.col1 && selRow_ >= range.row0 && selRow_ <= range.row1) {
    const int x = selCol_ * cs;
    const int y = selRow_ * cs;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(outlinePen(selectionColor_, kSelectionPenWidth));
    ui::gdiRectangle(painter, x + kSelectionInset, y + kSelectionInset, x + cs - kSelectionInset,
                     y + cs - kSelectionInset);
  }
  painter.setPen(ui::toQColor(kAddressColour));
  for (const auto &[at, unit] : numbers) painter.drawText(at, Qt::AlignLeft | Qt::AlignTop, addressText(unit));
}

void TLedPanel::selectAtPress(const QMouseEvent &event) {
  if (event.button() != Qt::LeftButton && event.button() != Qt::RightButton) return;
  const QPointF p = event.position();
  if (p.x() < 0 || p.y() < 0 || p.x() > kMaxExtent || p.y() > kMaxExtent) return;
  const auto x = static_cast<int64_t>(std::floor(p.x()));
  const auto y = static_cast<int64_t>(std::floor(p.y()));
  const int64_t col = x / cellSize_;
  const int64_t row = y / cellSize_;
  if (col >= cols_ || row >= rows_) return;
  SelectCell(static_cast<int32_t>(col), static_cast<int32_t>(row));
}

void TLedPanel::mousePressEvent(QMouseEvent *event) {
  QPointer<TLedPanel> self(this);
  selectAtPress(*event);
  if (!self.isNull()) ui::Control::mousePressEvent(event);
}

void TLedPanel::mouseDoubleClickEvent(QMouseEvent *event) {
  QPointer<TLedPanel> self(this);
  selectAtPress(*event);
  if (!self.isNull()) ui::Control::mouseDoubleClickEvent(event);
}

}  // namespace morvit
