#include "skin_toolkit/rules/button_logic.h"

namespace kwo {

ButtonPicture PickButtonPicture(bool enabled, bool pressed, bool mouseOver) {
  if (!enabled) return ButtonPicture::Disabled;
  if (pressed) return ButtonPicture::MouseDown;
  if (mouseOver) return ButtonPicture::MouseOn;
  return ButtonPicture::Normal;
}

int ButtonPictureFrame(ButtonPicture picture) {
  switch (picture) {
    case ButtonPicture::MouseOn: return 2;
    case ButtonPicture::MouseDown: return 3;
    case ButtonPicture::Normal:
    case ButtonPicture::Disabled: break;
  }
  return 1;
}

Size ButtonAutoSize(TkwoUIStyle style) {
  ImageSize image = BuiltInImageSize(style, tiButtonImage);
  if (image.height == 0) image.height = 21;
  if (image.width == 0) image.width = 74;
  return {image.width / 3, image.height};
}

GlyphPlacement PlaceGlyphAndCaption(ButtonLayout layout, int width, int height, int textWidth, int textHeight,
                                    int glyphWidth, int glyphHeight, int spacing, bool pressed) {
  GlyphPlacement p;
  int gw = glyphWidth;
  const int gh = glyphHeight;
  if (gh > 0 && gw == 2 * gh) {
    gw = gh;
    p.twoFrames = true;
  }
  p.glyphSize = {gw, gh};
  const int w = width;
  const int h = height;
  const int tw = textWidth;
  const int th = textHeight;
  const int s = spacing;
  switch (layout) {
    case ButtonLayout::blGlyphLeft:
      p.glyph = {(w - gw - tw - s) / 2, (h - gh) / 2};
      p.caption = {p.glyph.x + gw + s, (h - th) / 2};
      break;
    case ButtonLayout::blGlyphRight:
      p.glyph = {(w + tw + s - gw) / 2, (h - gh) / 2};
      p.caption = {p.glyph.x - tw - s, (h - th) / 2};
      break;
    case ButtonLayout::blGlyphTop:
      p.glyph = {(w - gw) / 2, (h - th - gh - s) / 2};
      p.caption = {(w - tw) / 2, p.glyph.y + gh + s};
      break;
    case ButtonLayout::blGlyphBottom:
      p.glyph = {(w - gw) / 2, (h + th + s - gh) / 2};
      p.caption = {(w - tw) / 2, p.glyph.y - th - s};
      break;
  }
  if (pressed) {
    p.glyph.x += 1;
    p.glyph.y += 1;
  }
  return p;
}

char16_t CaptionAccelerator(std::u16string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    const char16_t next = caption[i + 1];
    if (next == u'&') {
      ++i;  // a literal ampersand
      continue;
    }
    if (next >= u'A' && next <= u'Z') return static_cast<char16_t>(next - u'A' + u'a');
    return next;
  }
  return 0;
}

}  // namespace kwo
