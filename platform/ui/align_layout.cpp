#include "platform/ui/align_layout.h"

#include <algorithm>

namespace ui {

std::vector<Bounds> AlignLayout(const Bounds &client, const std::vector<AlignedItem> &items) {
  std::vector<Bounds> result;
  result.reserve(items.size());
  for (const AlignedItem &item : items) result.push_back(item.bounds);

  int left = client.left;
  int top = client.top;
  int right = client.left + std::max(client.width, 0);
  int bottom = client.top + std::max(client.height, 0);

  auto place = [&](Align align) {
    std::vector<size_t> order;
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i].align == align && items[i].visible) order.push_back(i);
    }
    auto key = [&](size_t i) {
      const Bounds &b = items[i].bounds;
      switch (align) {
        case Align::Top: return b.top;
        case Align::Bottom: return -(b.top + b.height);
        case Align::Left: return b.left;
        case Align::Right: return -(b.left + b.width);
        default: return 0;
      }
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return key(a) < key(b); });
    for (size_t i : order) {
      Bounds &b = result[i];
      const int w = std::max(right - left, 0);
      const int h = std::max(bottom - top, 0);
      int bw = b.width;
      int bh = b.height;
      if (align == Align::Top || align == Align::Bottom || align == Align::Client) bw = w;
      if (align == Align::Left || align == Align::Right || align == Align::Client) bh = h;
      if (items[i].constrain) items[i].constrain(bw, bh);
      switch (align) {
        case Align::Top:
          b = {left, top, bw, bh};
          top += bh;
          break;
        case Align::Bottom:
          b = {left, bottom - bh, bw, bh};
          bottom -= bh;
          break;
        case Align::Left:
          b = {left, top, bw, bh};
          left += bw;
          break;
        case Align::Right:
          b = {right - bw, top, bw, bh};
          right -= bw;
          break;
        case Align::Client:
          b = {left, top, bw, bh};
          break;
        case Align::None:
          break;
      }
    }
  };
  for (Align a : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) place(a);
  return result;
}

}  // namespace ui
