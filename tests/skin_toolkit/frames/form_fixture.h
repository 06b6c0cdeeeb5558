#pragma once
// The fixture the frames' tests share: a plain form of the main window's
// size, made fresh for each case, for a skinned frame, title bar, menu or bar
// to take over.
#include <memory>

#include "platform/ui/form.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {

class ToolkitTest : public testsupport::UiTest {
 protected:
  std::unique_ptr<ui::Form> makeForm(int width = 449, int height = 623) {
    auto form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 80, width, height);
    return form;
  }
};

}  // namespace kwo
