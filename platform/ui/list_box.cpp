#include "platform/ui/list_box.h"

#include <QPalette>
#include <algorithm>

#include "platform/ui/color.h"

namespace ui {

ListBox::ListBox(Component *owner) : WidgetHost(owner, new QListWidget) {
  setColor(platform::clWindow);
  widget()->setSelectionMode(QAbstractItemView::SingleSelection);
  setBounds(0, 0, 121, 97);
}

QString ListBox::item(int index) const {
  const QListWidgetItem *i = index >= 0 && index < count() ? widget()->item(index) : nullptr;
  return i != nullptr ? i->text() : QString();
}

void ListBox::addItem(const QString &text) { widget()->addItem(text); }

void ListBox::insertItem(int index, const QString &text) {
  widget()->insertItem(std::clamp(index, 0, count()), text);
}

void ListBox::deleteItem(int index) {
  if (index < 0 || index >= count()) return;
  delete widget()->takeItem(index);
}

void ListBox::clear() { widget()->clear(); }

void ListBox::setItemIndex(int index) {
  widget()->setCurrentRow(index >= 0 && index < count() ? index : -1);
}

void ListBox::setBorderWidth(int value) {
  borderWidth_ = std::max(value, 0);
  placeList();
  update();
}

void ListBox::setBorderSingle(bool value) {
  borderSingle_ = value;
  widget()->setFrameShape(value ? QFrame::StyledPanel : QFrame::NoFrame);
}

void ListBox::placeList() {
  const int b = borderWidth_;
  widget()->setGeometry(rect().adjusted(b, b, -b, -b));
}

void ListBox::resized() {
  WidgetHost::resized();
  placeList();
}

void ListBox::colorChanged() {
  QPalette p = widget()->palette();
  const QColor c = toQColor(color());
  if (c.isValid()) p.setColor(QPalette::Base, c);
  widget()->setPalette(p);
  WidgetHost::colorChanged();
}

}  // namespace ui
