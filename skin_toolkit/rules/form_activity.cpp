#include "skin_toolkit/rules/form_activity.h"

namespace kwo {

bool IsFormActiveRule(const FormActivityFacts &f) {
  if (!f.hasMainForm) return f.formActive;
  if (f.mainFormIsMdiFrame && f.formIsMainForm) return true;
  if (!f.applicationActive) return false;
  if (f.formIsNull || f.formIsMainForm) return true;
  if (f.mainFormIsMdiFrame && f.formIsActiveMdiChild) return true;
  return f.formActive;
}

}  // namespace kwo
