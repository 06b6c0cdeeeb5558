#pragma once
// The frame counter of the wizard's detection animation. Showing a frame and
// moving on are separate steps: a restart shows frame 0 and makes frame 1
// the next; each tick shows the next frame while the strip has one, and the
// tick that leaves no next frame ends the run and shows frame 0 again. So a
// strip of N >= 2 frames plays in N - 1 ticks and a single frame in one; a
// strip without frames plays like one blank frame.
#include <cstdint>

namespace morvit {

class DetectionAnimation {
 public:
  struct Tick {
    int32_t frame = 0;      // the frame to show once the tick is done
    bool finished = false;  // the run ended with this tick
  };

  // Back to the start of a run; returns the frame to show (0).
  int32_t restart();
  // One step of the run on a strip of frameCount frames.
  Tick tick(int32_t frameCount);

  // The frame the next tick shows.
  int32_t nextFrame() const { return next_; }

 private:
  int32_t next_ = 0;
};

}  // namespace morvit
