#pragma once
// A plain form at (0,0) of the given size, shown and laid out, that the
// repaint benchmarks place their controls on.
#include <memory>

#include "platform/ui/form.h"

namespace bench {

std::unique_ptr<ui::Form> ShownForm(int width, int height);

}  // namespace bench
