#pragma once
// Every seam the display program opens for its tests, in one place: what a
// test may replace or reset inside the program. The program itself calls
// none of them. The definitions stay beside the code they reach into.
#include <functional>

#include "platform/tcolor.h"

class QDateTime;

namespace morvit {

class TfrmAutoDetect;
enum class ViewEvent;

// The shared globals back to their values at program start.
void resetGlobalsForTests();

// Watches the views' creation and destruction notices. view: the view's
// class name, as its class's static meta-object gives it.
using ViewObserver = std::function<void(ViewEvent event, const char *view)>;
// Installs the observer (empty: none); returns the previous one.
ViewObserver setViewObserverForTests(ViewObserver observer);

// Replaces the clock the temperature trace reads its labels from (empty:
// the system's); returns the previous one. Every trace made afterwards
// uses it.
using TraceClock = std::function<QDateTime()>;
TraceClock setTraceClockForTests(TraceClock clock);

// Replaces the wizard's animation strip with n plain frames (n <= 0: none),
// frame i in the colour autoDetectTestFrameColour(i).
void setAnimationFramesForTests(TfrmAutoDetect &wizard, int n);
platform::TColor autoDetectTestFrameColour(int i);

}  // namespace morvit
