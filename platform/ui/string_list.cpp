#include "platform/ui/string_list.h"

#include <QRegularExpression>
#include <algorithm>

namespace ui {

QString StringList::string(int index) const {
  if (index < 0 || index >= count()) return QString();
  return strings_.at(index);
}

void StringList::setString(int index, const QString &text) {
  if (index < 0 || index >= count() || strings_.at(index) == text) return;
  strings_[index] = text;
  changed();
}

int StringList::add(const QString &text) {
  strings_.append(text);
  changed();
  return count() - 1;
}

void StringList::insert(int index, const QString &text) {
  if (index < 0 || index > count()) return;
  strings_.insert(index, text);
  changed();
}

void StringList::remove(int index) {
  if (index < 0 || index >= count()) return;
  strings_.removeAt(index);
  changed();
}

void StringList::move(int from, int to) {
  if (from < 0 || from >= count() || to < 0 || to >= count() || from == to) return;
  strings_.move(from, to);
  changed();
}

void StringList::clear() {
  if (strings_.isEmpty()) return;
  strings_.clear();
  changed();
}

int StringList::indexOf(const QString &text) const { return static_cast<int>(strings_.indexOf(text)); }

void StringList::assign(const StringList &other) {
  if (&other != this) assign(other.strings_);
}

void StringList::assign(const QStringList &strings) {
  if (strings_ == strings) return;
  strings_ = strings;
  changed();
}

QString StringList::text() const {
  QString joined;
  for (const QString &line : strings_) {
    joined += line;
    joined += QStringLiteral("\r\n");
  }
  return joined;
}

void StringList::setText(const QString &text) {
  QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
  // A final line break ends the last line; it starts no empty one.
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  assign(lines);
}

void StringList::endUpdate() {
  if (updating_ == 0) return;
  if (--updating_ == 0 && pending_) {
    pending_ = false;
    if (OnChange) OnChange(this);
  }
}

void StringList::changed() {
  if (updating_ > 0) {
    pending_ = true;
    return;
  }
  if (OnChange) OnChange(this);
}

}  // namespace ui
