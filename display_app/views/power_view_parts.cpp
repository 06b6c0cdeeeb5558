#include "display_app/views/power_view_parts.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace morvit {

PanelLayout LayoutDevicePanels(const std::vector<int> &captionWidths, int boxClientWidth) {
  PanelLayout layout;
  int left = 12;
  int right = 0;
  for (int caption : captionWidths) {
    const int width = std::max(60, caption + 24);
    layout.lefts.push_back(left);
    layout.widths.push_back(width);
    right = left + width;
    left = right + 12;
  }
  layout.contentWidth = captionWidths.empty() ? 0 : right + 12;
  layout.boxHeight = layout.contentWidth > boxClientWidth ? 82 : 72;
  return layout;
}

TMyPanel::TMyPanel(ui::Component *owner, PaintHandler paintDevice)
    : ui::Panel(owner), paintDevice_(std::move(paintDevice)) {}

TMyPanel::~TMyPanel() { beginDestroy(); }

void TMyPanel::paint(QPainter &painter) {
  ui::Panel::paint(painter);
  if (paintDevice_ && !isDying()) paintDevice_(*this, painter);
}

void DrawDevicePicture(QPixmap &picture, const std::vector<OutputCell> &cells, const QString &name, const QFont &font,
                       const QColor &textColor) {
  if (picture.isNull()) return;
  QPainter p(&picture);
  p.fillRect(picture.rect(), Qt::black);
  for (const OutputCell &cell : cells) {
    const int x0 = std::max(0, cell.x0);
    const int x1 = std::min(picture.width(), cell.x1);
    if (x1 > x0) p.fillRect(QRect(x0, 0, x1 - x0, picture.height()), cell.on ? kOutputOn : QColor(Qt::black));
  }
  p.setFont(font);
  p.setPen(textColor);
  p.drawText(picture.rect(), Qt::AlignCenter | Qt::TextSingleLine, name);
}

void DrawStatusPanel(QPainter &painter, const QRect &rect, int panel, const QString &text, bool alert,
                     const QColor &fontColor) {
  QColor color = fontColor;
  if (panel == kPanelLink || panel == kPanelMode) color = alert ? QColor(255, 0, 0) : QColor(0, 128, 0);
  const QFontMetrics metrics(painter.font());
  // A text the panel cannot hold shows that it goes on (the bar's hint
  // carries it whole).
  const QString shown =
      metrics.horizontalAdvance(text) > rect.width() ? metrics.elidedText(text, Qt::ElideRight, rect.width()) : text;
  const int width = metrics.horizontalAdvance(shown);
  const int x = rect.left() + std::max(0, (rect.width() - width) / 2);
  painter.save();
  painter.setClipRect(rect);
  painter.setPen(color);
  painter.drawText(QRect(x, rect.top(), std::max(width, rect.right() - x + 1), rect.height()),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
  painter.restore();
}

void DrawGridCell(QPainter &painter, const QRect &rect, int col, int row, const QString &text, const GridCell &cell) {
  QColor background;
  QColor pen = Qt::black;
  if (row == 0) {
    background = QColor(64, 64, 128);
    pen = Qt::white;
  } else if (col == 0) {
    background = QColor(64, 128, 128);
  } else {
    background = row % 2 == 1 ? QColor(192, 220, 192) : QColor(224, 252, 224);
  }
  painter.save();
  painter.setClipRect(rect);
  painter.fillRect(rect, background);
  QString shown = text;
  if (row > 0 && col == 2) {
    shown = QString::fromStdString(cell.text);
    switch (cell.style) {
      case CellStyle::Fault:
        pen = QColor(255, 0, 0);
        break;
      case CellStyle::Alarm:
        pen = QColor(128, 0, 0);
        break;
      case CellStyle::SwitchOn:
      case CellStyle::SwitchOff: {
        const QRect ellipse(rect.left() + (rect.width() - 24) / 2, rect.top() + 1, 24, rect.height() - 2);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(cell.style == CellStyle::SwitchOn ? QColor(0, 128, 0) : QColor(Qt::black));
        painter.drawEllipse(ellipse);
        painter.setRenderHint(QPainter::Antialiasing, false);
        pen = QColor(255, 251, 240);
        break;
      }
      default:
        break;
    }
  }
  painter.setPen(pen);
  painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, shown);
  painter.restore();
}

}  // namespace morvit
