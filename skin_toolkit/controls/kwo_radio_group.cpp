#include "skin_toolkit/controls/kwo_radio_group.h"

#include <QFocusEvent>
#include <QPointer>

#include "skin_toolkit/rules/group_logic.h"

namespace kwo {
namespace {

// Focus a click puts on an item whose TabStop is off.
void focusOnPress(TkwoCheckBox &b, ui::MouseButton button) {
  if (button == ui::MouseButton::Left && !b.hasFocus() && b.canHoldFocus()) b.setFocus(Qt::MouseFocusReason);
}

}  // namespace

// --- Item buttons ---

TkwoCheckGroupButton::TkwoCheckGroupButton(ui::Component *owner, TkwoCheckGroup *group)
    : TkwoCheckBox(owner), group_(group) {}

void TkwoCheckGroupButton::mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  QPointer<TkwoCheckGroupButton> self(this);
  TkwoCheckBox::mouseDown(button, shift, x, y);
  if (!self.isNull()) focusOnPress(*this, button);
}

void TkwoCheckGroupButton::focusOutEvent(QFocusEvent *event) {
  TkwoCheckGroup::itemFocusOut(group_, *event);
  TkwoCheckBox::focusOutEvent(event);
}

TkwoRadioGroupButton::TkwoRadioGroupButton(ui::Component *owner, TkwoCheckGroup *group)
    : TkwoRadioButton(owner), group_(group) {}

bool TkwoRadioGroupButton::wantsFocusRect() const {
  return checked() && (hasFocus() || (group_ != nullptr && group_->hasFocus()));
}

void TkwoRadioGroupButton::toggle() {
  if (group_ != nullptr && group_->isRadioGroup()) TkwoRadioButton::toggle();
}

void TkwoRadioGroupButton::mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  QPointer<TkwoRadioGroupButton> self(this);
  TkwoRadioButton::mouseDown(button, shift, x, y);
  if (!self.isNull()) focusOnPress(*this, button);
}

void TkwoRadioGroupButton::focusOutEvent(QFocusEvent *event) {
  TkwoCheckGroup::itemFocusOut(group_, *event);
  TkwoRadioButton::focusOutEvent(event);
}

// --- TkwoCheckGroup ---

TkwoCheckGroup::TkwoCheckGroup(ui::Component *owner) : TkwoCustomGroupBox(owner) {
  setFocusPolicy(Qt::TabFocus);
  items_.OnChange = [this](ui::StringList *) { itemsChanged(); };
  setUIStyle(GetOwnerFormUIStyle(owner));
}

TkwoCheckGroup::~TkwoCheckGroup() {
  beginDestroy();
  items_.OnChange = nullptr;
}

TkwoCheckBox *TkwoCheckGroup::button(int index) const {
  if (index < 0 || index >= buttonCount()) return nullptr;
  return buttons_[static_cast<size_t>(index)];
}

TkwoCheckBox *TkwoCheckGroup::createGroupButton() { return new TkwoCheckGroupButton(this, this); }

void TkwoCheckGroup::itemsChanged() {
  if (isDestroying()) return;
  bool created = false;
  while (buttonCount() < items_.count()) {
    TkwoCheckBox *b = createGroupButton();
    b->setParentControl(this);
    b->setControlFont(controlFont());
    b->setAutoSize(true);
    b->setLook(uiStyle_, fileTheme());
    b->setTransparent(transparent());
    b->setParentColor(true);
    // Off the tab chain (the group hands the focus on), but a click
    // focuses an item.
    b->setTabStop(false);
    b->setFocusPolicy(Qt::ClickFocus);
    b->OnClick = [this](ui::Control *) { itemClick(); };
    b->setCursor(cursor_);
    buttons_.push_back(b);
    created = true;
  }
  while (buttonCount() > items_.count()) {
    TkwoCheckBox *last = buttons_.back();
    buttons_.pop_back();
    delete last;
  }
  for (int i = 0; i < buttonCount(); ++i) {
    buttons_[static_cast<size_t>(i)]->setCaption(items_.string(i));
    buttons_[static_cast<size_t>(i)]->setAutoSize(true);
  }
  layoutItems();
  if (created) {
    // The new buttons take the group's transparency, and all repaint.
    const bool t = transparent();
    setTransparent(!t);
    setTransparent(t);
  }
}

void TkwoCheckGroup::layoutItems() {
  if (buttons_.empty() || isDestroying()) return;
  const QRect r = rect();
  const Rect client{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
  const Rect area = GroupItemArea(client, FontPixelHeight(controlFont().size, controlFont().height), topMargin_);
  const std::vector<Point> at = GroupItemPositions(buttonCount(), columns_, width(), area);
  for (size_t i = 0; i < buttons_.size() && i < at.size(); ++i) {
    TkwoCheckBox *b = buttons_[i];
    b->setBounds(at[i].x, at[i].y, b->width(), b->height());
  }
}

void TkwoCheckGroup::setColumns(int value) {
  if (value < 0) return;
  columns_ = value;
  layoutItems();
}

void TkwoCheckGroup::setTopMargin(int value) {
  if (value < 0) return;
  topMargin_ = value;
  layoutItems();
}

void TkwoCheckGroup::setItemCursor(Qt::CursorShape shape) {
  for (TkwoCheckBox *b : buttons_) b->setCursor(shape);
  cursor_ = shape;
}

void TkwoCheckGroup::setFontColor(platform::TColor color) {
  ui::Font f = controlFont();
  f.color = color;
  setControlFont(f);
}

void TkwoCheckGroup::setTransparent(bool value) {
  TkwoCustomGroupBox::setTransparent(value);
  for (TkwoCheckBox *b : buttons_) b->setTransparent(value);
}

void TkwoCheckGroup::applyTheme(TkwoUIStyle style) {
  TkwoCustomGroupBox::applyTheme(style);
  for (TkwoCheckBox *b : buttons_) {
    b->setLook(style, fileTheme());
    b->setColor(color());
    b->setCursor(cursor_);
    b->setTransparent(transparent());
  }
}

void TkwoCheckGroup::fontChanged() {
  TkwoCustomGroupBox::fontChanged();
  for (TkwoCheckBox *b : buttons_) b->setControlFont(controlFont());
  layoutItems();
}

void TkwoCheckGroup::resized() {
  TkwoCustomGroupBox::resized();
  layoutItems();
}

void TkwoCheckGroup::itemClick() {
  if (isDying()) return;
  QPointer<TkwoCheckGroup> self(this);
  itemClicked();
  if (self.isNull() || isLoading()) return;
  if (OnClick) OnClick(this);
}

void TkwoCheckGroup::click() { itemClick(); }

void TkwoCheckGroup::itemFocusOut(TkwoCheckGroup *group, const QFocusEvent &event) {
  if (group != nullptr && event.reason() == Qt::BacktabFocusReason) group->backtabFromItem_ = true;
}

void TkwoCheckGroup::focusItem() {
  if (buttons_.empty() || !buttons_.front()->canHoldFocus()) return;
  buttons_.front()->setFocus(Qt::TabFocusReason);
}

void TkwoCheckGroup::focusInEvent(QFocusEvent *event) {
  TkwoCustomGroupBox::focusInEvent(event);
  const bool passOver = event->reason() == Qt::BacktabFocusReason && backtabFromItem_;
  backtabFromItem_ = false;
  if (passOver) {
    // Shift+Tab from an item goes on to the control before the group.
    focusNextPrevChild(false);
    return;
  }
  focusItem();
}

// --- TkwoRadioGroup ---

TkwoRadioGroup::TkwoRadioGroup(ui::Component *owner) : TkwoCheckGroup(owner) {
  setUIStyle(GetOwnerFormUIStyle(owner));
}

TkwoCheckBox *TkwoRadioGroup::createGroupButton() { return new TkwoRadioGroupButton(this, this); }

int TkwoRadioGroup::itemIndex() const {
  for (int i = 0; i < buttonCount(); ++i) {
    if (button(i)->checked()) return i;
  }
  return -1;
}

void TkwoRadioGroup::setItemIndex(int index) {
  if (index < -1 || index >= items().count()) return;
  if (index == -1) {
    for (int i = 0; i < buttonCount(); ++i) button(i)->setChecked(false);
    return;
  }
  if (TkwoCheckBox *b = button(index)) b->setChecked(true);
}

void TkwoRadioGroup::focusItem() {
  const int i = itemIndex();
  if (i < 0) return;
  TkwoCheckBox *b = button(i);
  if (b->canHoldFocus()) b->setFocus(Qt::TabFocusReason);
}

}  // namespace kwo
