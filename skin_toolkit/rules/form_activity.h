#pragma once
// When the skinned frame of a form draws itself active: a rule on facts
// about the form, the application's main form and the application.

namespace kwo {

struct FormActivityFacts {
  bool hasMainForm = false;
  bool mainFormIsMdiFrame = false;
  bool formIsNull = false;
  bool formIsMainForm = false;
  bool applicationActive = false;
  // The form's own active state (false for no form).
  bool formActive = false;
  // The main form's MDI client reports the form as its active child.
  bool formIsActiveMdiChild = false;
};

// 1. Without a main form, the form's own state. 2. The main form of an MDI
// frame is active. 3. Nothing is active while the application is not.
// 4. No form, or the main form: active. 5. Under an MDI frame, the active
// child is active, else the form's own state. 6. The form's own state.
bool IsFormActiveRule(const FormActivityFacts &facts);

}  // namespace kwo
