#include "display_app/views/view_events.h"

#include <utility>

#include "display_app/test_seams.h"

namespace morvit {
namespace {

ViewObserver &observer() {
  static ViewObserver instance;
  return instance;
}

}  // namespace

ViewObserver setViewObserverForTests(ViewObserver next) { return std::exchange(observer(), std::move(next)); }

void notifyViewEvent(ViewEvent event, const char *view) {
  if (observer()) observer()(event, view);
}

}  // namespace morvit
