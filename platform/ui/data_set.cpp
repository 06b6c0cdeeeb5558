#include "platform/ui/data_set.h"

#include <algorithm>

namespace ui {

DataSet::DataSet(Component *owner) : NonVisualComponent(owner) {}

DataSet::~DataSet() {
  beginDestroy();
  // Sources hear of it through their removal notice.
}

void DataSet::setActive(bool value) {
  if (value == active()) return;
  beginOperation(value ? DataSetOperation::Open : DataSetOperation::Close);
  if (value) {
    internalOpen();
    recNo_ = 0;
    bof_ = true;
    eof_ = isEmpty();
    state_ = DataSetState::Browse;
  } else {
    internalClose();
    state_ = DataSetState::Inactive;
    recNo_ = 0;
    bof_ = eof_ = true;
  }
  notify(Notice::Active);
}

void DataSet::checkActive() const {
  if (!active()) throw DataSetError("数据集未打开");
}

void DataSet::checkModify() const {
  checkActive();
  if (!canModify()) throw DataSetError("数据集为只读，不能修改");
}

void DataSet::checkBrowse() {
  checkActive();
  if (editing()) post();
}

void DataSet::settleCursor() {
  const int count = recordCount();
  recNo_ = std::clamp(recNo_, 0, std::max(count - 1, 0));
  bof_ = eof_ = count <= 0;
}

void DataSet::setState(DataSetState state) {
  if (state_ == state) return;
  state_ = state;
  notify(Notice::Editing);
}

void DataSet::first() {
  checkBrowse();
  beginOperation(DataSetOperation::First);
  recNo_ = 0;
  bof_ = true;
  eof_ = isEmpty();
  notify(Notice::Data);
}

void DataSet::prior() {
  checkBrowse();
  beginOperation(DataSetOperation::Prior);
  if (isEmpty() || recNo_ <= 0) {
    recNo_ = 0;
    bof_ = true;
  } else {
    --recNo_;
    bof_ = false;
  }
  eof_ = isEmpty();
  notify(Notice::Data);
}

void DataSet::next() {
  checkBrowse();
  beginOperation(DataSetOperation::Next);
  const int count = recordCount();
  if (count <= 0 || recNo_ >= count - 1) {
    recNo_ = std::max(count - 1, 0);
    eof_ = true;
  } else {
    ++recNo_;
    eof_ = false;
  }
  bof_ = count <= 0;
  notify(Notice::Data);
}

void DataSet::last() {
  checkBrowse();
  beginOperation(DataSetOperation::Last);
  recNo_ = std::max(recordCount() - 1, 0);
  eof_ = true;
  bof_ = isEmpty();
  notify(Notice::Data);
}

void DataSet::insert() {
  checkModify();
  checkBrowse();
  beginOperation(DataSetOperation::Insert);
  const int at = isEmpty() ? 0 : std::clamp(recNo_, 0, recordCount());
  internalInsert(at);
  recNo_ = at;
  bof_ = eof_ = false;
  setState(DataSetState::Insert);
  notify(Notice::Data);
}

void DataSet::edit() {
  checkModify();
  if (editing()) return;
  if (isEmpty()) {
    insert();
    return;
  }
  beginOperation(DataSetOperation::Edit);
  internalEdit(recNo_);
  setState(DataSetState::Edit);
}

void DataSet::post() {
  checkActive();
  if (!editing()) return;
  checkModify();
  beginOperation(DataSetOperation::Post);
  const bool inserting = state_ == DataSetState::Insert;
  internalPost(recNo_, inserting);
  settleCursor();
  setState(DataSetState::Browse);
  notify(Notice::Data);
}

void DataSet::cancel() {
  checkActive();
  if (!editing()) return;
  beginOperation(DataSetOperation::Cancel);
  internalCancel();
  settleCursor();
  setState(DataSetState::Browse);
  notify(Notice::Data);
}

void DataSet::remove() {
  checkModify();
  if (state_ == DataSetState::Insert) {
    cancel();
    return;
  }
  if (isEmpty()) throw DataSetError("数据集为空，没有可删除的记录");
  beginOperation(DataSetOperation::Delete);
  if (state_ == DataSetState::Edit) cancel();
  internalDelete(recNo_);
  settleCursor();
  notify(Notice::Data);
}

void DataSet::refresh() {
  checkBrowse();
  beginOperation(DataSetOperation::Refresh);
  internalRefresh();
  const int count = recordCount();
  recNo_ = std::clamp(recNo_, 0, std::max(count - 1, 0));
  if (count <= 0) bof_ = eof_ = true;
  notify(Notice::Data);
}

void DataSet::notify(Notice notice) {
  if (isLoading() || isDying()) return;
  const std::vector<DataSource *> sources = sources_;
  for (DataSource *s : sources) {
    if (std::find(sources_.begin(), sources_.end(), s) != sources_.end()) s->notifyLinks(notice);
  }
}

DataSource::DataSource(Component *owner) : NonVisualComponent(owner) {}

DataSource::~DataSource() {
  beginDestroy();
  setDataSet(nullptr);
  // The links outlive it: each forgets the source, then hears it went.
  const std::vector<DataLink *> links = links_;
  links_.clear();
  for (DataLink *link : links) link->dataSource_ = nullptr;
  for (DataLink *link : links) link->activeChanged();
}

void DataSource::setDataSet(DataSet *dataSet) {
  if (dataSet == dataSet_) return;
  if (dataSet_ != nullptr) {
    unwatch(dataSet_);
    auto &list = dataSet_->sources_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  dataSet_ = dataSet;
  if (dataSet_ != nullptr) {
    watch(dataSet_);
    dataSet_->sources_.push_back(this);
  }
  if (!isDying()) notifyLinks(DataSet::Notice::Active);
}

void DataSource::setEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  notifyLinks(DataSet::Notice::Active);
}

DataSetState DataSource::state() const {
  return dataSet_ != nullptr && enabled_ ? dataSet_->state() : DataSetState::Inactive;
}

void DataSource::notification(Component *component, Operation operation) {
  if (operation == Operation::Remove && component == dataSet_) {
    dataSet_ = nullptr;
    if (!isDying()) notifyLinks(DataSet::Notice::Active);
  }
}

void DataSource::notifyLinks(DataSet::Notice notice) {
  if (isLoading()) return;
  // Only the enabled source passes moves and edits on.
  if (notice != DataSet::Notice::Active && !enabled_) return;
  const std::vector<DataLink *> links = links_;
  for (DataLink *link : links) {
    // A handler may drop a link that has not heard yet.
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) continue;
    switch (notice) {
      case DataSet::Notice::Active: link->activeChanged(); break;
      case DataSet::Notice::Data: link->dataSetChanged(); break;
      case DataSet::Notice::Editing: link->editingChanged(); break;
    }
  }
}

DataLink::~DataLink() {
  if (dataSource_ != nullptr) {
    auto &list = dataSource_->links_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    dataSource_ = nullptr;
  }
}

void DataLink::setDataSource(DataSource *source) {
  if (source == dataSource_) return;
  if (dataSource_ != nullptr) {
    auto &list = dataSource_->links_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  dataSource_ = source;
  if (dataSource_ != nullptr) dataSource_->links_.push_back(this);
  activeChanged();
}

DataSet *DataLink::dataSet() const { return dataSource_ != nullptr ? dataSource_->dataSet() : nullptr; }

bool DataLink::active() const { return dataSource_ != nullptr && dataSource_->state() != DataSetState::Inactive; }

bool DataLink::editing() const {
  const DataSetState s = dataSource_ != nullptr ? dataSource_->state() : DataSetState::Inactive;
  return s == DataSetState::Edit || s == DataSetState::Insert;
}

}  // namespace ui
