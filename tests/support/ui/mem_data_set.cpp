#include "tests/support/ui/mem_data_set.h"

namespace testsupport {

MemDataSet::MemDataSet(ui::Component *owner, QStringList records)
    : ui::DataSet(owner), records_(std::move(records)) {}

MemDataSet::~MemDataSet() { beginDestroy(); }

QString MemDataSet::value() const {
  if (editing()) return buffer_;
  const int at = recNo();
  return at >= 0 && at < recordCount() ? records_.at(at) : QString();
}

void MemDataSet::setValue(const QString &value) {
  if (!editing()) throw ui::DataSetError("not editing");
  buffer_ = value;
}

QString MemDataSet::operationName(ui::DataSetOperation operation) {
  switch (operation) {
    case ui::DataSetOperation::Open: return QStringLiteral("open");
    case ui::DataSetOperation::Close: return QStringLiteral("close");
    case ui::DataSetOperation::First: return QStringLiteral("first");
    case ui::DataSetOperation::Prior: return QStringLiteral("prior");
    case ui::DataSetOperation::Next: return QStringLiteral("next");
    case ui::DataSetOperation::Last: return QStringLiteral("last");
    case ui::DataSetOperation::Insert: return QStringLiteral("insert");
    case ui::DataSetOperation::Delete: return QStringLiteral("delete");
    case ui::DataSetOperation::Edit: return QStringLiteral("edit");
    case ui::DataSetOperation::Post: return QStringLiteral("post");
    case ui::DataSetOperation::Cancel: return QStringLiteral("cancel");
    case ui::DataSetOperation::Refresh: return QStringLiteral("refresh");
  }
  return QStringLiteral("?");
}

void MemDataSet::beginOperation(ui::DataSetOperation operation) {
  if (log_ != nullptr) log_->add(QStringLiteral("op:") + operationName(operation));
  if (failOn_ == operation) {
    failOn_.reset();
    throw ui::DataSetError("failed: " + operationName(operation).toStdString());
  }
}

void MemDataSet::internalOpen() {
  if (pending_) records_ = *std::exchange(pending_, std::nullopt);
}

void MemDataSet::internalInsert(int) { buffer_.clear(); }

void MemDataSet::internalEdit(int index) { buffer_ = records_.at(index); }

void MemDataSet::internalPost(int index, bool inserting) {
  if (inserting) {
    records_.insert(index, buffer_);
  } else {
    records_[index] = buffer_;
  }
  buffer_.clear();
}

void MemDataSet::internalCancel() { buffer_.clear(); }

void MemDataSet::internalDelete(int index) { records_.removeAt(index); }

void MemDataSet::internalRefresh() { internalOpen(); }

}  // namespace testsupport
