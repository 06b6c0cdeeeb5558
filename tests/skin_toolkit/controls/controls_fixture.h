#pragma once
// The fixture the check box's, combo box's and page control's tests share: a
// fresh form for the controls, a log of the events they tell of, and focus
// on a control of the shown form.
#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {

class ControlsTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 400, 300);
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  void focusOn(QWidget *w) {
    form->show();
    QApplication::setActiveWindow(form.get());
    w->setFocus(Qt::OtherFocusReason);
    testsupport::processEvents();
  }
  template <typename T>
  T *make(ui::Control *parent) {
    auto *c = new T(form.get());
    c->setParentControl(parent);
    return c;
  }

  std::unique_ptr<ui::Form> form;
  std::vector<std::string> log;
};

}  // namespace kwo
