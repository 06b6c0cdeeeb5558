#pragma once
// The push button's rules without any drawing: which picture a state shows,
// the size AutoSize gives, where glyph and caption go, and which character
// is the caption's accelerator.
#include <string_view>

#include "skin_toolkit/rules/geometry.h"
#include "skin_toolkit/themes/theme_table.h"

namespace kwo {

// Pictures of a button, in the order of the button picture's frames.
enum class ButtonPicture { Normal, MouseOn, MouseDown, Disabled };

// Disabled wins, then pressed, then mouse-over.
ButtonPicture PickButtonPicture(bool enabled, bool pressed, bool mouseOver);
// The 1-based frame of the three-frame button picture that shows a picture:
// 1 normal and disabled, 2 mouse-over, 3 pressed.
int ButtonPictureFrame(ButtonPicture picture);

// The size AutoSize gives a themed button: the height of the style's whole
// built-in button picture and a third of its width; a style without a
// built-in picture counts as 74 x 21 (so 24 x 21).
Size ButtonAutoSize(TkwoUIStyle style);

enum class ButtonLayout { blGlyphLeft = 0, blGlyphRight = 1, blGlyphTop = 2, blGlyphBottom = 3 };

struct GlyphPlacement {
  Point glyph;          // top-left of the glyph
  Point caption;        // caption origin
  Size glyphSize;       // one frame of the glyph
  bool twoFrames = false;  // enabled and disabled frames side by side
};

// Places a glyph of glyphWidth x glyphHeight and a caption of textWidth x
// textHeight in a button of width x height. A glyph twice as wide as high
// holds two frames and counts as one frame wide. Divisions truncate toward
// zero. pressed moves the glyph by (1, 1); the caption origin stays.
GlyphPlacement PlaceGlyphAndCaption(ButtonLayout layout, int width, int height, int textWidth, int textHeight,
                                    int glyphWidth, int glyphHeight, int spacing, bool pressed);

// The accelerator of a caption: the character after a single "&" ("&&" is a
// literal ampersand), lower-cased for ASCII letters; 0 when there is none.
char16_t CaptionAccelerator(std::u16string_view caption);

}  // namespace kwo
