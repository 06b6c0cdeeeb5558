#pragma once
// The LED panel painted the plain way: every cell of the matrix in turn, row
// by row, each looked up in the model on its own, whatever part of the
// control is exposed. The benchmark's baseline, and what the panel's own
// painting must equal pixel for pixel.
#include <QImage>

class QPainter;

namespace morvit {
class TLedPanel;
}

namespace reference {

// Paints the panel's cells with the painter's origin at the panel's origin.
void PaintLedPanel(QPainter &painter, const morvit::TLedPanel &panel);

// The whole panel as a picture of its size.
QImage LedPanelImage(const morvit::TLedPanel &panel);

}  // namespace reference
