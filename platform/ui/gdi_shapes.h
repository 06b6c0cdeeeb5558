#pragma once
// Outlined and filled shapes the way the windows' drawing code means them:
// the bounds (left, top, right, bottom) exclude the right and bottom edges,
// so a 4 x 4 rectangle covers exactly 4 x 4 pixels with a 1-pixel pen, where
// QPainter::drawRect would cover 5 x 5. The painter's pen draws the outline
// and its brush fills the inside. Bounds given the wrong way round are
// swapped; an empty shape draws nothing.
class QPainter;

namespace ui {

void gdiRectangle(QPainter &painter, int left, int top, int right, int bottom);
void gdiEllipse(QPainter &painter, int left, int top, int right, int bottom);
// Corners are quarter ellipses cornerWidth x cornerHeight: the radii are
// half the corner size.
void gdiRoundRect(QPainter &painter, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);

}  // namespace ui
