#pragma once
// Creation and destruction notices of the main window's views. The views
// report the first thing in their constructors and destructors, so a test
// sees the order in which the main window replaces them (the power view's
// link library must be shut down before the next view starts it again).
#include <functional>

namespace morvit {

enum class ViewEvent { Created, Destroyed };

// view: the view's class name, as its class's static meta-object gives it.
using ViewObserver = std::function<void(ViewEvent event, const char *view)>;

// Installs the observer (empty: none); returns the previous one.
ViewObserver setViewObserverForTests(ViewObserver observer);

// Called by the views.
void notifyViewEvent(ViewEvent event, const char *view);

}  // namespace morvit
