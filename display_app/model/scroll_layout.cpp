#include "display_app/model/scroll_layout.h"

#include <algorithm>
#include <limits>

#include "platform/number_text.h"

namespace morvit {

namespace {

constexpr int64_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr int64_t kIntMin = std::numeric_limits<int32_t>::min();

int32_t saturate(int64_t v) { return static_cast<int32_t>(std::clamp(v, kIntMin, kIntMax)); }

// The thumb leaves room for the two arrow buttons.
constexpr int32_t kArrowButtons = 34;

void scaleBar(ScrollBarLayout &bar, int64_t content, int32_t visible) {
  bar.length = visible;
  bar.max = saturate(content - visible);
  bar.lineButton = platform::MulDiv(saturate(int64_t{visible} - kArrowButtons), visible, saturate(content));
  bar.step = visible;
}

}  // namespace

ScrollLayout ComputeScrollLayout(int32_t W, int32_t H, int32_t CW, int32_t CH, int32_t BW, int32_t BH, int32_t m) {
  ScrollLayout out;
  out.margin = m;
  const int64_t w = W;
  const int64_t h = H;
  const int64_t cw = CW;
  const int64_t ch = CH;
  int64_t vw = cw;
  int64_t vh = ch;
  if (w < cw) {
    if (h < ch) {
      out.caseNumber = 1;
    } else if (w < cw - BW) {
      out.caseNumber = 2;
      vw = cw - BW;
    } else {
      out.caseNumber = 3;
      vw = cw - BW;
      vh = ch - BH;
    }
  } else if (h < ch - BH) {
    out.caseNumber = 4;
    vh = ch - BH;
  } else {
    out.caseNumber = 5;
    vw = cw - BW;
    vh = ch - BH;
  }
  out.visibleWidth = saturate(vw);
  out.visibleHeight = saturate(vh);

  const int c = out.caseNumber;
  out.horizontal.visible = c == 3 || c == 4 || c == 5;
  out.vertical.visible = c == 2 || c == 3 || c == 5;
  out.cornerVisible = out.horizontal.visible && out.vertical.visible;
  out.leftCentred = c == 1 || c == 2;
  out.topCentred = c == 1 || c == 4;
  if (out.leftCentred) out.centredLeft = saturate((vw - w) / 2 + m);
  if (out.topCentred) out.centredTop = saturate((vh - h) / 2 + m);

  out.horizontal.left = 0;
  out.horizontal.top = out.visibleHeight;
  scaleBar(out.horizontal, w, out.visibleWidth);
  out.vertical.left = out.visibleWidth;
  out.vertical.top = 0;
  scaleBar(out.vertical, h, out.visibleHeight);
  out.cornerLeft = out.visibleWidth;
  out.cornerTop = out.visibleHeight;
  return out;
}

ContentPlace PlaceContent(const ScrollLayout &layout, int32_t hpos, int32_t vpos) {
  ContentPlace p;
  p.left = layout.leftCentred ? layout.centredLeft : saturate(int64_t{layout.margin} - hpos);
  p.top = layout.topCentred ? layout.centredTop : saturate(int64_t{layout.margin} - vpos);
  return p;
}

}  // namespace morvit
