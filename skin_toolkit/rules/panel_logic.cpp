#include "skin_toolkit/rules/panel_logic.h"

namespace kwo {

std::vector<int> TileOffsets(int extent, int picture) {
  std::vector<int> offsets;
  if (picture <= 0 || extent <= 0) return offsets;
  for (long long at = 0; at < static_cast<long long>(extent) + picture; at += picture) {
    offsets.push_back(static_cast<int>(at));
  }
  return offsets;
}

int PanelBarHeight(int barPictureHeight) { return barPictureHeight > 0 ? barPictureHeight : 20; }

std::vector<int> PanelFoldSteps(int current, int target) {
  std::vector<int> steps;
  long long h = current;
  if (target < current) {
    while (target < h - kPanelFoldStep) {
      h -= kPanelFoldStep;
      steps.push_back(static_cast<int>(h));
    }
  } else {
    while (h + kPanelFoldStep < target) {
      h += kPanelFoldStep;
      steps.push_back(static_cast<int>(h));
    }
  }
  steps.push_back(target);
  return steps;
}

Rect PanelButtonHotRect(int panelWidth, int barHeight) {
  const int frameWidth = kPanelButtonImageSize.width / kPanelButtonFrameCount;
  const int left = panelWidth - 18;
  const int top = (barHeight - kPanelButtonImageSize.height) / 2;
  return {left, top, left + frameWidth, top + kPanelButtonImageSize.height};
}

bool PanelButtonHit(const Rect &hot, Point p) {
  return p.x >= hot.left && p.x <= hot.right && p.y >= hot.top && p.y <= hot.bottom;
}

Point PanelButtonOrigin(int panelWidth, int barHeight) {
  return {panelWidth - 17, PanelButtonHotRect(panelWidth, barHeight).top / 2 + 2};
}

int PanelButtonFrame(bool unfolded, bool hot) { return (unfolded ? 1 : 3) + (hot ? 1 : 0); }

}  // namespace kwo
