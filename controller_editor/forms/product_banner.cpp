#include "controller_editor/forms/product_banner.h"

#include <QColor>
#include <QPainter>
#include <algorithm>

#include "controller_editor/forms/form_parts.h"
#include "platform/ui/form.h"
#include "platform/ui/image.h"
#include "platform/ui/label.h"

QPixmap EditorPicture(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  QPixmap picture(width, height);
  picture.fill(QColor(0x20, 0x28, 0x38));
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  constexpr int kCells = 6;
  const int margin = std::max(2, std::min(width, height) / 10);
  const double cellW = static_cast<double>(width - 2 * margin) / kCells;
  const double cellH = static_cast<double>(height - 2 * margin) / kCells;
  const QColor lit[] = {QColor(0xE0, 0x40, 0x30), QColor(0x40, 0xC0, 0x50), QColor(0x30, 0x80, 0xE0)};
  painter.setPen(Qt::NoPen);
  for (int row = 0; row < kCells; ++row) {
    for (int col = 0; col < kCells; ++col) {
      painter.setBrush(lit[(row + col) % 3]);
      painter.drawEllipse(QRectF(margin + col * cellW + 1, margin + row * cellH + 1, cellW - 2, cellH - 2));
    }
  }
  return picture;
}

ProductBanner AddProductBanner(ui::Form &form, int left, int top) {
  constexpr int kPicture = 64;
  ProductBanner banner;
  banner.picture = NewControl<ui::Image>(form, QStringLiteral("imgLogo"), left, top, kPicture, kPicture);
  banner.picture->setPicture(EditorPicture(kPicture, kPicture));
  banner.name = NewCaptioned<ui::Label>(form, QStringLiteral("lblPLC"), QStringLiteral("PLC"), left + kPicture + 16,
                                        top + 2, 80, 30);
  ui::Font big = banner.name->controlFont();
  big.bold = true;
  big.height = 24;
  banner.name->setParentFont(false);
  banner.name->setControlFont(big);
  banner.system = NewCaptioned<ui::Label>(form, QStringLiteral("lblSystem"), QStringLiteral("控制系统(V2.2)"),
                                          left + kPicture + 16, top + 40, 120, 16);
  return banner;
}
