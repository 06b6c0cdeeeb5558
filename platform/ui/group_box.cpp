#include "platform/ui/group_box.h"

#include <QFontMetrics>
#include <QSignalBlocker>
#include <algorithm>

namespace ui {

GroupBox::GroupBox(Component *owner) : Hosted(owner) {
  setFocusPolicy(Qt::NoFocus);
  setFocusProxy(nullptr);
  widget()->setFocusPolicy(Qt::NoFocus);
  setBounds(0, 0, 185, 105);
}

void GroupBox::adjustClientRect(QRect &rect) const {
  const int captionHeight = QFontMetrics(font()).height();
  rect.adjust(3, captionHeight + 2, -3, -3);
}

void GroupBox::captionChanged() {
  widget()->setTitle(caption());
  Control::captionChanged();
}

RadioGroup::RadioGroup(Component *owner) : GroupBox(owner) {
  group_ = new QButtonGroup(this);
  group_->setExclusive(true);
  connect(group_, &QButtonGroup::idClicked, this, [this](int id) {
    itemIndex_ = id;
    if (!isLoading() && !isDying() && OnClick) OnClick(this);
  });
}

QString RadioGroup::item(int index) const {
  if (index < 0 || index >= itemCount()) return {};
  return items_[index];
}

void RadioGroup::setItems(const QStringList &items) {
  for (QRadioButton *b : buttons_) delete b;
  buttons_.clear();
  items_ = items;
  for (int i = 0; i < itemCount(); ++i) {
    auto *b = new QRadioButton(items_[i], widget());
    group_->addButton(b, i);
    b->show();
    buttons_.push_back(b);
  }
  if (itemIndex_ >= itemCount()) itemIndex_ = -1;
  setItemIndex(itemIndex_);
  layoutButtons();
}

void RadioGroup::setItem(int index, const QString &text) {
  if (index < 0 || index >= itemCount()) return;
  items_[index] = text;
  buttons_[static_cast<size_t>(index)]->setText(text);
}

void RadioGroup::setColumns(int value) {
  columns_ = value;
  layoutButtons();
}

void RadioGroup::setItemIndex(int index) {
  if (index < -1 || index >= itemCount()) return;
  itemIndex_ = index;
  const QSignalBlocker quiet(group_);
  if (index >= 0) {
    buttons_[static_cast<size_t>(index)]->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked: lift the rule to clear it.
  group_->setExclusive(false);
  for (QRadioButton *b : buttons_) b->setChecked(false);
  group_->setExclusive(true);
}

QRadioButton *RadioGroup::button(int index) const {
  if (index < 0 || index >= itemCount()) return nullptr;
  return buttons_[static_cast<size_t>(index)];
}

void RadioGroup::resized() {
  GroupBox::resized();
  layoutButtons();
}

void RadioGroup::layoutButtons() {
  if (buttons_.empty()) return;
  const int cols = std::max(columns_, 1);
  const int rows = (itemCount() + cols - 1) / cols;
  const QRect area = clientRect();
  const int colWidth = std::max(area.width() / cols, 1);
  const int rowHeight = std::max(area.height() / std::max(rows, 1), 1);
  for (int i = 0; i < itemCount(); ++i) {
    const int col = i / rows;
    const int row = i % rows;
    buttons_[static_cast<size_t>(i)]->setGeometry(area.left() + col * colWidth, area.top() + row * rowHeight,
                                                  colWidth, rowHeight);
  }
}

}  // namespace ui
