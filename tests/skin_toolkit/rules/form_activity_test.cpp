// When a skinned frame draws itself active: the rule, without any window.
#include <gtest/gtest.h>

#include "skin_toolkit/rules/form_activity.h"

namespace kwo {
namespace {

TEST(FormActivity, RulesInTheirOrder) {
  struct Case {
    const char *name;
    FormActivityFacts facts;
    bool active;
  };
  const Case cases[] = {
      {"no main form: the form's own state", {.hasMainForm = false, .formActive = true}, true},
      {"no main form, form inactive, application active",
       {.hasMainForm = false, .applicationActive = true, .formActive = false},
       false},
      {"the MDI frame itself, application inactive",
       {.hasMainForm = true, .mainFormIsMdiFrame = true, .formIsMainForm = true, .applicationActive = false},
       true},
      {"application inactive beats the form's own state",
       {.hasMainForm = true, .applicationActive = false, .formActive = true},
       false},
      {"application inactive, the main form", {.hasMainForm = true, .formIsMainForm = true}, false},
      {"no form", {.hasMainForm = true, .formIsNull = true, .applicationActive = true}, true},
      {"the main form, itself inactive",
       {.hasMainForm = true, .formIsMainForm = true, .applicationActive = true, .formActive = false},
       true},
      {"the active MDI child",
       {.hasMainForm = true, .mainFormIsMdiFrame = true, .applicationActive = true, .formIsActiveMdiChild = true},
       true},
      {"another MDI child, itself active",
       {.hasMainForm = true, .mainFormIsMdiFrame = true, .applicationActive = true, .formActive = true},
       true},
      {"another MDI child, itself inactive",
       {.hasMainForm = true, .mainFormIsMdiFrame = true, .applicationActive = true, .formActive = false},
       false},
      {"an active child reported without an MDI frame counts for nothing",
       {.hasMainForm = true, .applicationActive = true, .formActive = false, .formIsActiveMdiChild = true},
       false},
      {"another form, active", {.hasMainForm = true, .applicationActive = true, .formActive = true}, true},
      {"another form, inactive", {.hasMainForm = true, .applicationActive = true, .formActive = false}, false},
  };
  for (const Case &c : cases) EXPECT_EQ(IsFormActiveRule(c.facts), c.active) << c.name;
}

}  // namespace
}  // namespace kwo
