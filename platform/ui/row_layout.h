#pragma once
// Controls laid out in rows from the left: each row as high as its tallest
// item; with wrapping, an item that does not fit starts the next row.
#include <vector>

#include "platform/ui/align_layout.h"

namespace ui {

struct RowItem {
  int width = 0;
  int height = 0;
  bool visible = true;
};

struct RowLayoutResult {
  std::vector<Bounds> bounds;  // one per item; hidden ones keep (0,0,w,h)
  int height = 0;              // of all rows together
};

RowLayoutResult LayOutInRows(const std::vector<RowItem> &items, int left, int top, int width, bool wrap);

}  // namespace ui
