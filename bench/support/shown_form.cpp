#include "bench/support/shown_form.h"

#include <QCoreApplication>

namespace bench {

std::unique_ptr<ui::Form> ShownForm(int width, int height) {
  auto form = std::make_unique<ui::Form>(nullptr);
  form->setBounds(0, 0, width, height);
  form->show();
  QCoreApplication::processEvents();
  return form;
}

}  // namespace bench
