#pragma once
// The fixture the tests of the picture panel, the folding panel, the group
// box and the check and radio groups share: a fresh form for the controls,
// shown and active on request, and plain pictures.
#include <QApplication>
#include <QPixmap>
#include <memory>

#include "platform/ui/form.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {

class PanelsGroupsTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 500, 400);
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  template <typename T>
  T *make(ui::Control *parent) {
    auto *c = new T(form.get());
    c->setParentControl(parent);
    return c;
  }
  void showForm() {
    form->show();
    QApplication::setActiveWindow(form.get());
    testsupport::processEvents();
  }
  static QPixmap solid(int w, int h, QColor c) {
    QPixmap p(w, h);
    p.fill(c);
    return p;
  }

  std::unique_ptr<ui::Form> form;
};

}  // namespace kwo
