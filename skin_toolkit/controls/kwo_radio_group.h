#pragma once
// Check and radio groups: group boxes that make one check box or radio
// button per line of Items and lay them out in columns. The group's OnClick
// tells of every item click (unless the window is being built); the radio
// group answers ItemIndex. Getting the focus, a group hands it to an item.
#include <QCursor>
#include <QFocusEvent>
#include <vector>

#include "platform/ui/string_list.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_group_box.h"

namespace kwo {

class TkwoCheckGroup;

class TkwoCheckGroupButton : public TkwoCheckBox {
  Q_OBJECT
 public:
  TkwoCheckGroupButton(ui::Component *owner, TkwoCheckGroup *group);
  TkwoCheckGroup *group() const { return group_; }

 protected:
  // Whenever it has the focus (its TabStop is off).
  bool wantsFocusRect() const override { return hasFocus(); }
  void mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void focusOutEvent(QFocusEvent *event) override;

 private:
  TkwoCheckGroup *group_;
};

class TkwoRadioGroupButton : public TkwoRadioButton {
  Q_OBJECT
 public:
  TkwoRadioGroupButton(ui::Component *owner, TkwoCheckGroup *group);
  TkwoCheckGroup *group() const { return group_; }

 protected:
  // When checked and the button or its group has the focus.
  bool wantsFocusRect() const override;
  // Checks the button only inside a radio group.
  void toggle() override;
  void mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void focusOutEvent(QFocusEvent *event) override;

 private:
  TkwoCheckGroup *group_;
};

class TkwoCheckGroup : public TkwoCustomGroupBox {
  Q_OBJECT
 public:
  explicit TkwoCheckGroup(ui::Component *owner);
  ~TkwoCheckGroup() override;

  // Each change brings the item buttons in line and lays them out.
  ui::StringList &items() { return items_; }
  const ui::StringList &items() const { return items_; }
  void setItems(const QStringList &items) { items_.assign(items); }

  int buttonCount() const { return static_cast<int>(buttons_.size()); }
  // Null for a bad index.
  TkwoCheckBox *button(int index) const;

  // Negative values are ignored; 0 columns lay out as one.
  int columns() const { return columns_; }
  void setColumns(int value);
  int topMargin() const { return topMargin_; }
  void setTopMargin(int value);

  Qt::CursorShape itemCursor() const { return cursor_; }
  void setItemCursor(Qt::CursorShape shape);

  platform::TColor fontColor() const { return controlFont().color; }
  void setFontColor(platform::TColor color);

  void setTransparent(bool value) override;

  virtual bool isRadioGroup() const { return false; }
  // Hands the focus on: to the first item when it can take it.
  virtual void focusItem();

  // An item's click or a click on the group: ItemClicked, then OnClick
  // unless the window is being built.
  void itemClick();
  void click() override;

  // Places the item buttons again.
  void layoutItems();

  NotifyEvent OnClick;

 protected:
  virtual void itemClicked() {}
  virtual TkwoCheckBox *createGroupButton();

  void applyTheme(TkwoUIStyle style) override;
  void fontChanged() override;
  void resized() override;
  void focusInEvent(QFocusEvent *event) override;

 private:
  friend class TkwoCheckGroupButton;
  friend class TkwoRadioGroupButton;
  void itemsChanged();
  // An item lost the focus: to Shift+Tab, the focus is going out backwards
  // and passes over the group.
  static void itemFocusOut(TkwoCheckGroup *group, const QFocusEvent &event);

  ui::StringList items_;
  std::vector<TkwoCheckBox *> buttons_;
  int columns_ = 1;
  int topMargin_ = 8;
  Qt::CursorShape cursor_ = Qt::ArrowCursor;
  bool backtabFromItem_ = false;
};

class TkwoRadioGroup : public TkwoCheckGroup {
  Q_OBJECT
 public:
  explicit TkwoRadioGroup(ui::Component *owner);

  // The first checked item, -1 when none is.
  int itemIndex() const;
  // -1 unchecks every item; a valid index checks that item; anything else
  // is ignored.
  void setItemIndex(int index);

  bool isRadioGroup() const override { return true; }
  // Hands the focus to the checked item, or keeps it when none is.
  void focusItem() override;

 protected:
  TkwoCheckBox *createGroupButton() override;
};

}  // namespace kwo
