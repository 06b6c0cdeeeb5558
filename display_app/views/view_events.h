#pragma once
// Creation and destruction notices of the main window's views. The views
// report the first thing in their constructors and destructors, so a test
// sees the order in which the main window replaces them (the power view's
// link library must be shut down before the next view starts it again).
// Tests watch them through setViewObserverForTests (test_seams.h).
namespace morvit {

enum class ViewEvent { Created, Destroyed };

// Called by the views.
void notifyViewEvent(ViewEvent event, const char *view);

}  // namespace morvit
