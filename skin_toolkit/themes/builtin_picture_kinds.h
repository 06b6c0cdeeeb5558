#pragma once
// The drawing routines of the built-in pictures, one for each kind of
// picture. A routine paints the whole of a picture that the caller has made
// at its tabled size (Format_RGB32), from the table colours of one look; a
// strip's frames lie side by side at equal widths.
#include <QColor>
#include <QImage>

#include "skin_toolkit/themes/theme_table.h"

namespace kwo::pictures {

// The table colours a look's pictures are drawn from.
struct LookColors {
  TkwoUIStyle look = TkwoUIStyle::DeepBlue;
  QColor face;       // ControlBackgroundColor
  QColor border;     // ControlBorderColor
  QColor accent;     // MenuSelectedBorderColor
  QColor highlight;  // MenuSelectedBackgroundColor
  QColor frame;      // FormBorderColor
  QColor form;       // FormBackgroundColor
  QColor track;      // ScrollBarBackgroundColor
  int roundCorner = 0;  // FormRoundCornerInt
};

// The colours of a built-in look (DeepBlue's for any other value).
LookColors LookColorsOf(TkwoUIStyle look);

struct PictureContext {
  LookColors colors;
  int frames = 1;
};

using PictureRoutine = void (*)(QImage &picture, const PictureContext &context);

// Push-button faces: normal, over, pressed. MacOS and BlueGlass round their
// corners over magenta.
void DrawButtonStrip(QImage &picture, const PictureContext &context);
// Check boxes: checked, unchecked, checked disabled, unchecked disabled.
void DrawCheckBoxStrip(QImage &picture, const PictureContext &context);
// Radio buttons in the same order, on the background the bottom-left
// pixel shows.
void DrawRadioStrip(QImage &picture, const PictureContext &context);
// Control box, help, maximise, restore, minimise, close, each normal, over
// and pressed; Protein and BlueGlass on a bottom-left key background.
void DrawTitleButtonStrip(QImage &picture, const PictureContext &context);
// The title bar's left end, its stretched middle and its right end.
void DrawTitleLeft(QImage &picture, const PictureContext &context);
void DrawTitleClient(QImage &picture, const PictureContext &context);
void DrawTitleRight(QImage &picture, const PictureContext &context);
// One tile of the progress bar's fill.
void DrawProgressBar(QImage &picture, const PictureContext &context);
// The track bar's groove: start cap, middle, end cap; magenta round the caps.
void DrawTrackBarBar(QImage &picture, const PictureContext &context);
// The track bar's thumb pointing down or right, on a bottom-left key.
void DrawTrackBarSlider(QImage &picture, const PictureContext &context);
void DrawTrackBarSliderV(QImage &picture, const PictureContext &context);
// Scroll-bar arrows, standing: up normal, over, pressed, then down.
void DrawScrollBarButtons(QImage &picture, const PictureContext &context);
// The scroll-bar thumb, lying: start cap, middle, end cap.
void DrawScrollBarThumb(QImage &picture, const PictureContext &context);
// The tab strip's scroll buttons: next, next hot, previous, previous hot.
void DrawScrollButtons(QImage &picture, const PictureContext &context);
// Tabs: active, inactive; and the line under them.
void DrawTab(QImage &picture, const PictureContext &context);
void DrawTabLine(QImage &picture, const PictureContext &context);
// The side channel's standing handle and its caption bar.
void DrawSideHandle(QImage &picture, const PictureContext &context);
void DrawSideBar(QImage &picture, const PictureContext &context);
// The MacOS menu bar and its selection, one column each.
void DrawMenuBar(QImage &picture, const PictureContext &context);
void DrawMenuSelect(QImage &picture, const PictureContext &context);
// A black check mark on white.
void DrawCheckMark(QImage &picture, const PictureContext &context);
// The folding panel's button: unfolded, unfolded hot, folded, folded hot.
void DrawPanelButton(QImage &picture, const PictureContext &context);
// The navigator's ten glyphs (first, prior, next, last, insert, delete,
// edit, post, cancel, refresh) on a top-left key background.
void DrawNavigatorGlyphs(QImage &picture, const PictureContext &context);
// The 8 x 8 brush of a form's client area.
void DrawFormPattern(QImage &picture, const PictureContext &context);
// Minimise, restore and close in black on white (made one bit a pixel by
// the caller).
void DrawMdiButtons(QImage &picture, const PictureContext &context);
// The drop-down button of a combo box.
void DrawComboButton(QImage &picture, const PictureContext &context);
// The program's icon: a small display wall of coloured lamps.
void DrawMainIcon(QImage &picture, const PictureContext &context);

}  // namespace kwo::pictures
