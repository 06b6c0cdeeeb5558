#pragma once
// A data set held in memory for tests: one string per record, the cursor of
// the base set, an edit buffer that post() writes back, a read-only flag,
// and failOn(op), which makes the next such operation throw DataSetError
// once. Every operation that reaches the storage is logged, in order.
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

#include "platform/ui/data_set.h"
#include "tests/support/ui/event_order.h"

namespace testsupport {

class MemDataSet : public ui::DataSet {
  Q_OBJECT
 public:
  explicit MemDataSet(ui::Component *owner, QStringList records = {});
  ~MemDataSet() override;

  const QStringList &records() const { return records_; }
  // Replaces the records; seen by the next open or refresh.
  void setRecords(QStringList records) { pending_ = std::move(records); }
  int recordCount() const override { return static_cast<int>(records_.size()); }
  // The cursor's record ("" when closed or empty); the buffer while editing.
  QString value() const;
  // Writes the edit buffer; throws DataSetError unless editing.
  void setValue(const QString &value);

  bool readOnly() const { return readOnly_; }
  void setReadOnly(bool value) { readOnly_ = value; }
  bool canModify() const override { return active() && !readOnly_; }

  void failOn(ui::DataSetOperation operation) { failOn_ = operation; }
  // Operations are logged as "op:<name>" here when set.
  void setLog(EventOrder *log) { log_ = log; }

  static QString operationName(ui::DataSetOperation operation);

 protected:
  void beginOperation(ui::DataSetOperation operation) override;
  void internalOpen() override;
  void internalInsert(int index) override;
  void internalEdit(int index) override;
  void internalPost(int index, bool inserting) override;
  void internalCancel() override;
  void internalDelete(int index) override;
  void internalRefresh() override;

 private:
  QStringList records_;
  std::optional<QStringList> pending_;
  QString buffer_;
  bool readOnly_ = false;
  std::optional<ui::DataSetOperation> failOn_;
  EventOrder *log_ = nullptr;
};

}  // namespace testsupport
