#include "led_panel.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <cmath>

#include "color.h"
#include "gdi_shapes.h"

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

  const QPen gridPen = outlinePen(gridColor_, 1);
  const QPen selectionPen = outlinePen(selectionColor_, kSelectionPenWidth);
  const QPen textPen(ui::toQColor(kAddressColour));
  const QBrush ownBrush(ui::toQColor(color()));
  const int cs = cellSize_;
  for (int32_t r = range.row0; r <= range.row1; ++r) {
    const int y = r * cs;
    for (int32_t c = range.col0; c <= range.col1; ++c) {
      const int x = c * cs;
      const int32_t u = data_ != nullptr ? unitAt(c, r) : -1;
      painter.setPen(gridPen);
      if (data_ != nullptr) {
        const LedUnitState *unit = u >= 0 ? &data_->Units[static_cast<size_t>(u)] : nullptr;
        painter.setBrush(ui::toQColor(LedCellColour(unit)));
      } else {
        painter.setBrush(ownBrush);
      }
      ui::gdiRectangle(painter, x, y, x + cs, y + cs);
      if (c == selCol_ && r == selRow_) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(selectionPen);
        ui::gdiRectangle(painter, x + kSelectionInset, y + kSelectionInset, x + cs - kSelectionInset,
                         y + cs - kSelectionInset);
      }
      if (writeAddress && u >= 0) {
        painter.setPen(textPen);
        painter.drawText(QRect(x + (cs - textWidth) / 2, y + (cs - textHeight) / 2, textWidth, textHeight),
                         Qt::AlignLeft | Qt::AlignTop, addressText(u));
      }
    }
  }
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
