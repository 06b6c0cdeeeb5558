#include "frame_logic.h"

#include <algorithm>

namespace kwo {

std::vector<RingPiece> PlanRing(const RingInput &in) {
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
    if (b < 4) {
      add({b, 0, ring, t + ring}, RingFill::TitleBar);
      add({wf - ring, 0, wf - b, t + ring}, RingFill::TitleBar);
      add({2, 0, wf - ring, ring}, RingFill::TitleBar);
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
  const int h = inSkinnedFrame ? leftPicture.height - kFrameRing : leftPicture.height;
  return std::max(h, 0);
}

int TitleBarHeightFor(TkwoUIStyle look, bool inSkinnedFrame) {
  return TitleBarHeightFor(BuiltInImageSize(BuiltInLookOf(look), tiTitleBarLeftImage), inSkinnedFrame);
}

Size TitleButtonSize(ImageSize strip) {
  if (strip.width < kTitleButtonFrameCount || strip.height <= 0) return {};
  return {strip.width / kTitleButtonFrameCount, strip.height};
}

Size TitleButtonSize(TkwoUIStyle look) {
  return TitleButtonSize(BuiltInImageSize(BuiltInLookOf(look), tiTitleBarButtonImage));
}

TitleBarLayout LayOutTitleBar(const TitleBarLayoutInput &in) {
  TitleBarLayout out;
  out.buttons.resize(in.buttons.size());
  int x = in.barWidth + in.rightOffset + 1;
  int controlBox = -1;
  for (size_t i = 0; i < in.buttons.size(); ++i) {
    const TitleButtonInfo &b = in.buttons[i];
    if (!b.visible) continue;
    if (b.type == TkwoTitleBarBtnType::kwoControlBox) {
      controlBox = static_cast<int>(i);
      continue;
    }
    x -= b.width + in.interval + 1;
    out.buttons[i] = {x, in.buttonTop, x + b.width, in.buttonTop + b.height};
  }
  int cx = in.leftOffset;
  if (controlBox >= 0) {
    const TitleButtonInfo &b = in.buttons[static_cast<size_t>(controlBox)];
    out.buttons[static_cast<size_t>(controlBox)] = {cx, in.buttonTop, cx + b.width, in.buttonTop + b.height};
    cx += in.drawAppIcon ? 21 : b.width + 5;
    out.controlBox = controlBox;
  }
  if (cx == 0) cx = 6;
  out.captionLeft = cx;
  out.captionRight = x;
  return out;
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
