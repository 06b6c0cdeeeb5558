#include "skin_toolkit/rules/frame_logic.h"

#include <algorithm>

namespace kwo {

namespace {

bool hasPicture(Size s) { return s.width > 0 && s.height > 0; }

// The title pictures carried on into the ring above and beside the bar.
void addTitlePictures(const RingInput &in, std::vector<RingPiece> &pieces) {
  const int wf = in.formWidth;
  const int b = in.borderWidth;
  const int ring = kFrameRing;
  const Size left = in.titleLeft;
  const Size client = in.titleClient;
  const Size right = in.titleRight;
  auto add = [&](Rect clip, TitlePart part, Rect place) {
    if (!clip.empty() && !place.empty()) pieces.push_back({clip, RingFill::TitlePicture, part, place});
  };
  // Beside the bar: the left picture's first columns, the right picture's
  // last ones (a right picture narrower than the ring fills its piece).
  add({b, 0, ring, left.height}, TitlePart::Left, {b, 0, b + left.width, left.height});
  const Rect rightPiece{wf - ring, 0, wf - b, left.height};
  if (right.width < ring) {
    add(rightPiece, TitlePart::Right, rightPiece);
  } else {
    const int x = wf - ring + 2 - right.width;
    add(rightPiece, TitlePart::Right, {x, 0, x + right.width, right.height});
  }
  // Above the bar: the three pictures as a bar over the window's full width.
  const Rect top{2, 0, wf - ring, ring};
  add(top, TitlePart::Left, {0, 0, left.width, left.height});
  add(top, TitlePart::Right, {wf - right.width, 0, wf, right.height});
  add(top, TitlePart::Client, {left.width, 0, wf - right.width, client.height});
}

void addCornerArcs(const RingInput &in, std::vector<RingPiece> &pieces) {
  const int wf = in.formWidth;
  const int r = kRingArcCorner;
  RingPiece topRight{{wf - 2 * r + 1, -1, wf + 1, 2 * r - 1}, RingFill::BorderArc};
  topRight.startAngle = 0;
  topRight.spanAngle = 90;
  RingPiece topLeft{{-1, -1, 2 * r - 1, 2 * r - 1}, RingFill::BorderArc};
  topLeft.startAngle = 90;
  topLeft.spanAngle = 90;
  pieces.push_back(topRight);
  pieces.push_back(topLeft);
}

Size heldToPixels(Size s) { return {ClampPixels(s.width), ClampPixels(s.height)}; }

// The input with every extent held to the pixel range, so that no edge the
// ring adds up leaves int.
RingInput heldToPixels(RingInput in) {
  in.formWidth = ClampPixels(in.formWidth);
  in.formHeight = ClampPixels(in.formHeight);
  in.borderWidth = ClampPixels(in.borderWidth);
  in.titleBarHeight = ClampPixels(in.titleBarHeight);
  in.menuBarHeight = ClampPixels(in.menuBarHeight);
  in.titleLeft = heldToPixels(in.titleLeft);
  in.titleClient = heldToPixels(in.titleClient);
  in.titleRight = heldToPixels(in.titleRight);
  return in;
}

// How far the right-hand button row may run off either side of a bar: the
// buttons and the caption's edges stay well inside int, however many
// buttons there are.
constexpr long long kButtonRowReach = 4LL * kPixelLimit;

// A picture's width or height as the layout takes it.
long long extent(int value) { return std::max(ClampPixels(value), 0); }

}  // namespace

std::vector<RingPiece> PlanRing(const RingInput &input) {
  const RingInput in = heldToPixels(input);
  std::vector<RingPiece> pieces;
  auto add = [&](Rect r, RingFill fill) {
    if (!r.empty()) pieces.push_back({r, fill});
  };
  const int wf = in.formWidth;
  const int hf = in.formHeight;
  const int b = in.borderWidth;
  const int t = in.titleBarVisible ? in.titleBarHeight : 0;
  const int ht = in.titleBarHeight;
  const int ring = kFrameRing;

  add({0, 0, b, hf}, RingFill::Border);
  add({0, hf - b, wf, hf}, RingFill::Border);
  add({wf - b, 0, wf, hf}, RingFill::Border);
  if (b < 4) {
    add({b, t, ring, hf - b}, RingFill::Client);
    add({b, hf - ring, wf - b, hf - b}, RingFill::Client);
    add({wf - ring, t, wf - b, hf - b}, RingFill::Client);
    if (in.menuBarVisible) {
      add({b, ht + ring, ring, ht + ring + in.menuBarHeight}, RingFill::MenuBar);
      add({wf - ring, ht + ring, wf - b, ht + ring + in.menuBarHeight}, RingFill::MenuBar);
    }
  }
  if (in.titleBarVisible) {
    const bool pictures = hasPicture(in.titleLeft) && hasPicture(in.titleClient) && hasPicture(in.titleRight);
    if (pictures && b < 4) {
      addTitlePictures(in, pieces);
      if (b == 1 && in.roundCorner == kRingArcCorner) addCornerArcs(in, pieces);
    }
  } else {
    add({0, 0, wf, 1}, RingFill::Border);
    add({b, 1, wf - b, ring}, RingFill::Client);
  }
  return pieces;
}

int TitleButtonFirstFrame(TkwoTitleBarBtnType type, bool formMaximized) {
  switch (type) {
    case TkwoTitleBarBtnType::kwoControlBox: return 1;
    case TkwoTitleBarBtnType::kwoHelp: return 4;
    case TkwoTitleBarBtnType::kwoMax: return formMaximized ? 10 : 7;
    case TkwoTitleBarBtnType::kwoMin: return 13;
    case TkwoTitleBarBtnType::kwoClose: return 16;
    case TkwoTitleBarBtnType::kwoCustom: break;
  }
  return 0;
}

int TitleBarHeightFor(ImageSize leftPicture, bool inSkinnedFrame) {
  const int h = std::max(ClampPixels(leftPicture.height), 0);
  return inSkinnedFrame ? std::max(h - kFrameRing, 0) : h;
}

int TitleBarHeightFor(TkwoUIStyle look, bool inSkinnedFrame) {
  return TitleBarHeightFor(BuiltInImageSize(BuiltInLookOf(look), tiTitleBarLeftImage), inSkinnedFrame);
}

Size TitleButtonSize(ImageSize strip) {
  if (strip.width < kTitleButtonFrameCount || strip.height <= 0) return {};
  return {ClampPixels(strip.width / kTitleButtonFrameCount), ClampPixels(strip.height)};
}

Size TitleButtonSize(TkwoUIStyle look) {
  return TitleButtonSize(BuiltInImageSize(BuiltInLookOf(look), tiTitleBarButtonImage));
}

TitleBarLayout LayOutTitleBar(const TitleBarLayoutInput &in) {
  TitleBarLayout out;
  out.buttons.resize(in.buttons.size());
  const long long top = ClampPixels(in.buttonTop);
  const long long interval = ClampPixels(in.interval);
  auto place = [top](long long left, const TitleButtonInfo &b) {
    return Rect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + extent(b.width)),
                static_cast<int>(top + extent(b.height))};
  };
  long long x = 1LL + ClampPixels(in.barWidth) + ClampPixels(in.rightOffset);
  int controlBox = -1;
  for (size_t i = 0; i < in.buttons.size(); ++i) {
    const TitleButtonInfo &b = in.buttons[i];
    if (!b.visible) continue;
    if (b.type == TkwoTitleBarBtnType::kwoControlBox) {
      controlBox = static_cast<int>(i);
      continue;
    }
    x = std::clamp(x - (extent(b.width) + interval + 1), -kButtonRowReach, kButtonRowReach);
    out.buttons[i] = place(x, b);
  }
  long long cx = ClampPixels(in.leftOffset);
  if (controlBox >= 0) {
    const TitleButtonInfo &b = in.buttons[static_cast<size_t>(controlBox)];
    out.buttons[static_cast<size_t>(controlBox)] = place(cx, b);
    cx += in.drawAppIcon ? 21 : extent(b.width) + 5;
    out.controlBox = controlBox;
  }
  if (cx == 0) cx = 6;
  out.captionLeft = static_cast<int>(cx);
  out.captionRight = static_cast<int>(x);
  return out;
}

int FormMinWidthFor(int lookValue, int workAreaWidth) {
  const int width = std::max(ClampPixels(lookValue), 0);
  return workAreaWidth > 0 ? std::min(width, workAreaWidth) : width;
}

int HitTitleButton(const TitleBarLayout &layout, Point p) {
  int hot = -1;
  int controlBoxHit = -1;
  for (size_t i = 0; i < layout.buttons.size(); ++i) {
    const Rect &r = layout.buttons[i];
    if (r.empty()) continue;
    if (p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom) {
      if (static_cast<int>(i) == layout.controlBox) {
        controlBoxHit = static_cast<int>(i);
      } else {
        hot = static_cast<int>(i);
      }
    }
  }
  return controlBoxHit >= 0 ? controlBoxHit : hot;
}

std::u16string FitCaption(std::u16string_view caption, int width,
                          const std::function<int(std::u16string_view)> &textWidth) {
  if (textWidth(caption) <= width) return std::u16string(caption);
  std::u16string text(caption);
  while (!text.empty()) {
    // Drop the last code point: a low surrogate goes with the high one
    // before it.
    const bool low = text.back() >= 0xDC00 && text.back() <= 0xDFFF;
    text.pop_back();
    if (low && !text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
    if (textWidth(text + u"...") <= width) return text + u"...";
  }
  return {};
}

}  // namespace kwo
