#pragma once
// The skinned frame's and title bar's geometry without any drawing: what the
// ring round a skinned form is filled with, how high the title bar is, where
// its buttons and caption go and how a long caption is cut.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "skin_toolkit/rules/geometry.h"
#include "skin_toolkit/themes/theme_table.h"

namespace kwo {

// --- The ring round a skinned form ---

enum class RingFill { Border, Client, MenuBar, TitlePicture, BorderArc };

// The title bar's three pictures.
enum class TitlePart { Left, Client, Right };

struct RingPiece {
  Rect rect;
  RingFill fill;
  // TitlePicture: the picture drawn over place (stretched where the sizes
  // differ), clipped to rect.
  TitlePart part = TitlePart::Left;
  Rect place{};
  // BorderArc: rect is the ellipse's box; the arc runs counter-clockwise
  // from startAngle over spanAngle degrees, 0 at three o'clock.
  int startAngle = 0;
  int spanAngle = 0;
  bool operator==(const RingPiece &) const = default;
};

struct RingInput {
  int formWidth = 0;
  int formHeight = 0;
  int borderWidth = 1;
  bool titleBarVisible = true;
  int titleBarHeight = 0;  // the bar's height whether shown or not
  bool menuBarVisible = false;
  int menuBarHeight = 0;
  // The title bar's pictures; the ring continues them only when all three
  // are there (a width or height of 0: no picture).
  Size titleLeft;
  Size titleClient;
  Size titleRight;
  int roundCorner = 0;
};

// Width of the ring a skinned form keeps round its client area.
inline constexpr int kFrameRing = 3;
// The one corner radius the ring draws border arcs for.
inline constexpr int kRingArcCorner = 11;

// The pieces of the ring in painting order: the border strips, the rest of
// the ring in the client colour (beside a menu bar in its colour), and above
// them either the title pictures carried on into the ring (with two border
// arcs over the top corners for a one-pixel border and a corner of 11) or,
// without a title bar, a border line over two client rows. Empty pieces are
// left out. Sizes are held to the pixel range (kPixelLimit) first.
std::vector<RingPiece> PlanRing(const RingInput &input);

// --- The title bar ---

enum class TkwoTitleBarBtnType : uint8_t { kwoMax, kwoMin, kwoClose, kwoHelp, kwoControlBox, kwoCustom };

// Frames of the title-button picture, side by side, three per button
// (normal, mouse over, pressed).
inline constexpr int kTitleButtonFrameCount = 18;

// The first of a button's three frames (1-based): control box 1, help 4,
// maximise 7 (restore 10 while the form is maximised), minimise 13, close
// 16; 0 for custom buttons, which show only their own pictures.
int TitleButtonFirstFrame(TkwoTitleBarBtnType type, bool formMaximized);

// The bar's height for a left title picture: its height, less the ring
// when the bar lies in a skinned frame, never below 0 (a skin without the
// picture gives 0).
int TitleBarHeightFor(ImageSize leftPicture, bool inSkinnedFrame);
// The same for a built-in look's left title picture.
int TitleBarHeightFor(TkwoUIStyle look, bool inSkinnedFrame);
// One frame of a title-button picture of that size; 0 x 0 for a missing or
// too narrow picture.
Size TitleButtonSize(ImageSize strip);
Size TitleButtonSize(TkwoUIStyle look);

struct TitleButtonInfo {
  TkwoTitleBarBtnType type = TkwoTitleBarBtnType::kwoCustom;
  bool visible = true;
  int width = 0;
  int height = 0;
};

struct TitleBarLayoutInput {
  int barWidth = 0;
  int leftOffset = 0;
  int rightOffset = 0;
  int interval = 0;
  int buttonTop = 0;
  bool drawAppIcon = false;
  std::vector<TitleButtonInfo> buttons;
};

struct TitleBarLayout {
  std::vector<Rect> buttons;  // one per button; empty for hidden ones
  int controlBox = -1;        // index of the visible control box
  int captionLeft = 0;
  int captionRight = 0;  // left edge of the leftmost right-hand button
};

// The first visible button is the rightmost; each step left is the picture's
// width + interval + 1. The control box sits at the left offset, and the
// caption starts after it (at 6 when that comes to 0). Every input is held
// to the pixel range first (kPixelLimit), and a row of many buttons stops
// far off the bar's left, so any input gives edges whose differences fit
// in int.
TitleBarLayout LayOutTitleBar(const TitleBarLayoutInput &input);
// The button under a point (edges inclusive), -1 for none. Where rectangles
// overlap the control box wins, then the later button.
int HitTitleButton(const TitleBarLayout &layout, Point point);

// The minimum width a form takes from its look: the look's value, not
// below 0 and not wider than the form's work area (when it has one, that
// is when workAreaWidth > 0), so a skin cannot make a form wider than its
// screen.
int FormMinWidthFor(int lookValue, int workAreaWidth);

// A caption that fits into width: whole, or cut at the end with "..."; empty
// when not even "..." fits. Whole code points are dropped, so a character
// outside the BMP never loses half of its surrogate pair.
std::u16string FitCaption(std::u16string_view caption, int width,
                          const std::function<int(std::u16string_view)> &textWidth);

}  // namespace kwo
