#pragma once
// An ordered list of strings that tells of its changes, as the lists behind
// list boxes, memo lines and combo items do.
#include <QString>
#include <QStringList>
#include <functional>

namespace ui {

class StringList {
 public:
  using ChangeEvent = std::function<void(StringList *sender)>;

  StringList() = default;
  StringList(const StringList &) = delete;
  StringList &operator=(const StringList &) = delete;

  int count() const { return static_cast<int>(strings_.size()); }
  // Bad indexes read as empty text and are ignored when written.
  QString string(int index) const;
  void setString(int index, const QString &text);
  const QStringList &strings() const { return strings_; }

  int add(const QString &text);
  // An index outside 0..count() is ignored.
  void insert(int index, const QString &text);
  void remove(int index);
  void move(int from, int to);
  void clear();
  int indexOf(const QString &text) const;
  // Copies another list's strings (one change).
  void assign(const StringList &other);
  void assign(const QStringList &strings);

  // The lines joined with CR LF; setting splits at CR LF, LF or CR.
  QString text() const;
  void setText(const QString &text);

  // Changes between the two tell once, at the last endUpdate.
  void beginUpdate() { ++updating_; }
  void endUpdate();

  ChangeEvent OnChange;

 private:
  void changed();

  QStringList strings_;
  int updating_ = 0;
  bool pending_ = false;
};

}  // namespace ui
