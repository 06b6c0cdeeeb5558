#pragma once
// The order in which events happened, as a list of short names that a test
// compares with what it expects.
#include <QString>
#include <QStringList>

namespace testsupport {

class EventOrder {
 public:
  void add(const QString &event) { events_.push_back(event); }
  const QStringList &events() const { return events_; }
  QString joined() const { return events_.join(QLatin1Char(' ')); }
  void clear() { events_.clear(); }

 private:
  QStringList events_;
};

}  // namespace testsupport
