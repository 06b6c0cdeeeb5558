#pragma once
// A platform widget placed on a form inside a thin control that it fills.
// The control gives the widget its place in the form's child order, its
// alignment and its dialog keys: Enter and Escape (and Alt chords) stay
// with the form, every other key goes to the widget.
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTreeWidget>

#include "platform/ui/control.h"

namespace ui {

class WidgetHost : public Control {
  Q_OBJECT
 public:
  // Takes the widget over; it is laid over the whole control.
  WidgetHost(Component *owner, QWidget *widget);
  ~WidgetHost() override;

  QWidget *hostedWidget() const { return widget_; }

  bool wantsKey(int key, Qt::KeyboardModifiers modifiers) const override;

 protected:
  void resized() override;
  void fontChanged() override;
  void captionChanged() override;

 private:
  QWidget *widget_ = nullptr;
};

template <class W>
class Hosted : public WidgetHost {
 public:
  explicit Hosted(Component *owner) : WidgetHost(owner, new W) {}
  W *widget() const { return static_cast<W *>(hostedWidget()); }
};

using TreeView = Hosted<QTreeWidget>;
using ComboBox = Hosted<QComboBox>;
using Memo = Hosted<QPlainTextEdit>;

// Check boxes and radio buttons show the control's caption.
class CheckBox : public Hosted<QCheckBox> {
 public:
  explicit CheckBox(Component *owner) : Hosted(owner) {}
  bool checked() const { return widget()->isChecked(); }
  // Sets the box without a click.
  void setChecked(bool value);
};

class RadioButton : public Hosted<QRadioButton> {
 public:
  explicit RadioButton(Component *owner) : Hosted(owner) {}
  bool checked() const { return widget()->isChecked(); }
  void setChecked(bool value);
};

}  // namespace ui

// The list box has a file of its own; code that knows it from this header
// still finds it here.
#include "platform/ui/list_box.h"
