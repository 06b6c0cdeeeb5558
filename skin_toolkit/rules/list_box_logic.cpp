#include "skin_toolkit/rules/list_box_logic.h"

#include <algorithm>

namespace kwo {

ListBoxSync ListBoxSyncState(bool listShown, bool listEnabled, int nativeMin, int nativeMax, int sliderLength) {
  // Hidden and unavailable together is still hidden: no live bar with a
  // thumb of no length.
  if (!listShown || !listEnabled || nativeMax <= nativeMin) return {};
  return {true, true, std::max(sliderLength, 0)};
}

}  // namespace kwo
