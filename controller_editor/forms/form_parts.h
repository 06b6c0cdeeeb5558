#pragma once
// Building blocks of the editor's own windows: a control made for a form,
// named, placed and shown on a parent (the form itself unless given).
#include <QString>

#include "platform/ui/form.h"

template <class T>
T *NewControl(ui::Form &form, const QString &name, int left, int top, int width, int height,
              ui::Control *parent = nullptr) {
  auto *control = new T(&form);
  control->setName(name);
  control->setBounds(left, top, width, height);
  control->setParentControl(parent != nullptr ? parent : &form);
  return control;
}

template <class T>
T *NewCaptioned(ui::Form &form, const QString &name, const QString &caption, int left, int top, int width,
                int height, ui::Control *parent = nullptr) {
  T *control = NewControl<T>(form, name, left, top, width, height, parent);
  control->setCaption(caption);
  return control;
}
