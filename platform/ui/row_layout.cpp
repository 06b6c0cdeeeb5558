#include "platform/ui/row_layout.h"

#include <algorithm>

namespace ui {

RowLayoutResult LayOutInRows(const std::vector<RowItem> &items, int left, int top, int width, bool wrap) {
  RowLayoutResult result;
  result.bounds.resize(items.size());
  int x = left;
  int y = top;
  int rowHeight = 0;
  size_t rowStart = 0;
  auto finishRow = [&](size_t end) {
    // Items of one row share its height's top edge.
    for (size_t j = rowStart; j < end; ++j) {
      if (items[j].visible) result.bounds[j].top = y;
    }
    y += rowHeight;
    x = left;
    rowHeight = 0;
    rowStart = end;
  };
  for (size_t i = 0; i < items.size(); ++i) {
    const RowItem &item = items[i];
    if (!item.visible) {
      result.bounds[i] = {0, 0, item.width, item.height};
      continue;
    }
    if (wrap && x > left && x + item.width > left + width) finishRow(i);
    result.bounds[i] = {x, y, item.width, item.height};
    x += item.width;
    rowHeight = std::max(rowHeight, item.height);
  }
  if (rowHeight > 0) {
    for (size_t j = rowStart; j < items.size(); ++j) {
      if (items[j].visible) result.bounds[j].top = y;
    }
    y += rowHeight;
  }
  result.height = y - top;
  return result;
}

}  // namespace ui
