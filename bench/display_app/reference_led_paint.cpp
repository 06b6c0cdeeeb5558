#include "bench/display_app/reference_led_paint.h"

#include <QFontMetrics>
#include <QPainter>

#include "display_app/views/led_panel.h"
#include "platform/ui/color.h"

namespace reference {

namespace {

QColor fillOf(const morvit::TLedPanelData &data, int unit) {
  if (unit < 0) return Qt::black;
  const morvit::LedUnitState &u = data.Units[static_cast<size_t>(unit)];
  if (!u.Power) return Qt::black;
  if (!u.Fan || u.Temperature >= 80.0) return QColor(255, 255, 0);
  return QColor(0, 255, 0);
}

}  // namespace

void PaintLedPanel(QPainter &painter, const morvit::TLedPanel &panel) {
  const morvit::TLedPanelData *data = panel.Data();
  const int size = panel.CellSize();
  ui::Font numberFont;
  numberFont.height = 12;
  const QFont font = ui::toQFont(numberFont);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  const int textWidth = metrics.horizontalAdvance(QStringLiteral("0000"));
  const int textHeight = metrics.height();

  for (int r = 0; r < panel.Rows(); ++r) {
    for (int c = 0; c < panel.Cols(); ++c) {
      const int x = c * size;
      const int y = r * size;
      const int unit = data != nullptr ? data->FindUnitAt(c, r) : -1;
      painter.setPen(QPen(ui::toQColor(panel.GridColor()), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
      painter.setBrush(data != nullptr ? fillOf(*data, unit) : ui::toQColor(panel.color()));
      painter.drawRect(x, y, size - 1, size - 1);
      if (c == panel.SelCol() && r == panel.SelRow()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ui::toQColor(panel.SelectionColor()), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(x + 2, y + 2, size - 5, size - 5);
      }
      if (data == nullptr || !panel.ShowAddress() || textWidth + 8 >= size || unit < 0) continue;
      painter.setPen(QColor(0, 0, 255));
      painter.drawText(QRect(x + (size - textWidth) / 2, y + (size - textHeight) / 2, textWidth, textHeight),
                       Qt::AlignLeft | Qt::AlignTop, QString::asprintf("%04d", unit));
    }
  }
}

QImage LedPanelImage(const morvit::TLedPanel &panel) {
  QImage image(panel.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  PaintLedPanel(painter, panel);
  return image;
}

}  // namespace reference
