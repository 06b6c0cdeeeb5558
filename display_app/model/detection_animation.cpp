#include "display_app/model/detection_animation.h"

#include <algorithm>

namespace morvit {

int32_t DetectionAnimation::restart() {
  next_ = 1;
  return 0;
}

DetectionAnimation::Tick DetectionAnimation::tick(int32_t frameCount) {
  const int32_t count = std::max<int32_t>(frameCount, 1);
  Tick out;
  // A strip shortened since the last tick leaves next_ past its end: the
  // run ends at once instead of showing a frame that is not there.
  if (next_ >= 0 && next_ < count) {
    out.frame = next_;
    ++next_;
  }
  if (next_ >= count || next_ < 0) {
    out.finished = true;
    out.frame = restart();
  }
  return out;
}

}  // namespace morvit
