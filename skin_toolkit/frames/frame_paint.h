#pragma once
// Painting shared by the skinned frames of a form and of an MDI frame: the
// ring round the form and the caption buttons of the menu bar.
#include <QColor>
#include <QFont>
#include <QImage>
#include <array>
#include <vector>

#include "skin_toolkit/rules/frame_logic.h"
#include "skin_toolkit/themes/style.h"

class QPainter;
class QRect;

namespace ui {
class Control;
class Form;
class MainMenu;
class ToolButton;
}  // namespace ui

namespace kwo {

class ThemeSource;

struct RingColors {
  QColor border;
  // The rest of the ring, and the strip where the title bar is hidden.
  QColor filler;
  QColor menuBar;
};

// The title bar's left, client and right pictures, in TitlePart order.
using TitlePictures = std::array<QImage, 3>;

TitlePictures TitlePicturesOf(const ThemeSource &source);

// What a frame puts round its form's client: its border and corner, and its
// title and menu bars (a bar that is gone counts as hidden).
struct FrameRingParts {
  int borderWidth = 0;
  int roundCorner = 0;
  bool titleBarVisible = false;
  const ui::Control *titleBar = nullptr;
  const ui::Control *menuBar = nullptr;
};

// The ring's input from the form's size, the title pictures' sizes and the
// frame's parts.
RingInput RingInputOf(const ui::Form &form, const TitlePictures &pictures, const FrameRingParts &parts);

void PaintRingPieces(QPainter &painter, const std::vector<RingPiece> &pieces, const RingColors &colors,
                     const TitlePictures &pictures);

// The menu bar's background in a style: MacOS stretches its bar picture.
// False when the bar keeps its colour.
bool DrawMenuBarBackground(QPainter &painter, const QRect &rect, TkwoUIStyle style);

struct MenuBarButtonLook {
  const ThemeSource *source = nullptr;
  // The style asked for; MacOS draws the hot button from its picture.
  TkwoUIStyle requested = TkwoUIStyle::DeepBlue;
  QFont font;
  bool hot = false;
  bool selected = false;
  // A disabled button's caption turns grey.
  bool greyDisabled = true;
};

void DrawMenuBarButton(QPainter &painter, const ui::ToolButton &button, const MenuBarButtonLook &look);

// The font a menu bar's buttons use: the skinned main menu's, else the
// button's own.
QFont MenuBarFont(const ui::MainMenu *menu, const ui::ToolButton &button);

}  // namespace kwo
