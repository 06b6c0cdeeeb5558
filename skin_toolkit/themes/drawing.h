#pragma once
// Drawing routines the skinned controls share: tiling, stretching and
// cutting skin pictures, rotating them for vertical controls, the nine-grid
// face, borders over a control's whole rectangle, what lies under a
// transparent control, and a few geometry helpers.
#include <QColor>
#include <QImage>
#include <QRect>

#include "platform/tcolor.h"
#include "skin_toolkit/rules/geometry.h"

class QPainter;
class QWidget;

namespace ui {
class Component;
class Control;
class Form;
}  // namespace ui

namespace kwo {

// The key colour of skin pictures: what shows through.
inline constexpr QRgb kKeyColor = 0xFFFF00FFu;

// Paints the parent's background under the control. Painting on the widget
// itself nothing is drawn (the parent's background already shows through);
// into an off-screen image the parent renders its own background, without
// children, moved by the control's position.
void DrawParentBackground(QPainter &painter, const QWidget &control);

// Tiles the picture from the painter's origin until the rectangle's size is
// covered; a picture of zero size draws nothing.
void TileDraw(QPainter &painter, const QImage &picture, const QRect &rect);

// All four edges inclusive.
bool IsPointInRect(Point point, const Rect &rect);
bool IsPointInRect(int x, int y, const Rect &rect);

// The work area of the form's screen (the primary one when there is none),
// or the test override.
QRect GetWorkAreaRect(const QWidget *form = nullptr);

// Frame k (1-based) of n equal-width frames; null for n <= 0, k outside
// 1..n or a source narrower than n.
QImage ExtractBitmapFrame(const QImage &source, int frameCount, int frameIndex);

// Three equal frames: the first at the left, the last at the right, both
// keyed (on the top-left pixel when transparent, else magenta), the middle
// one stretched between them (nearest neighbour) and drawn opaque.
void DrawThreePartStretch(QPainter &painter, const QImage &picture, const QRect &rect, bool transparent);

// The picture turned by a quarter: left is counter-clockwise. Indexed
// pictures keep their format and colour table.
QImage RotateBitmapLeft(const QImage &picture);
QImage RotateBitmapRight(const QImage &picture);

// The picture with every pixel of the key colour made transparent.
QImage KeyedImage(const QImage &picture, QRgb key);

// A one-pixel frame round the control's whole rectangle and, when inner is
// set, a second one inside it. The control keeps a margin for it. A colour
// that names none (clNone) draws no frame.
void DrawWindowBorder(QPainter &painter, const QRect &controlRect, platform::TColor color,
                      platform::TColor innerColor, bool inner);

// Draws the nine-grid face of the picture over the target rectangle, which
// starts at the painter's origin: corners copied (keyed on magenta when
// masked), edges and centre stretched (nearest neighbour) with magenta
// transparent. Nothing is drawn outside the face.
void DrawNineGrid(const QImage &source, QPainter &painter, const QRect &target, bool masked);

// True when the component takes a property of that name (case ignored):
// "UIStyle", "FileTheme", or one of its Qt properties.
bool HasPublishedProperty(const ui::Component &component, const char *name);

// Whether the skinned frame of the form draws itself active: the activity
// rule on the application's main form, the active window and the form's
// own state (null: no form).
bool IsFormActive(const ui::Form *form);

// A flag of an old system family; never set here.
constexpr bool IsWin95OSR2() { return false; }

}  // namespace kwo
