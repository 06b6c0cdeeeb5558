#include "data_set.h"

#include <algorithm>

namespace ui {

DataSet::DataSet(Component *owner) : NonVisualComponent(owner) {}

DataSet::~DataSet() {
  beginDestroy();
  // Sources hear of it through their removal notice.
}

void DataSet::setActive(bool value) {
  if (value == active()) return;
  setState(value ? DataSetState::Browse : DataSetState::Inactive);
}

void DataSet::setState(DataSetState state) {
  if (state_ == state) return;
  state_ = state;
  dataEvent();
}

void DataSet::dataEvent() {
  if (isLoading() || isDying()) return;
  const std::vector<DataSource *> sources = sources_;
  for (DataSource *s : sources) s->notifyLinks();
}

DataSource::DataSource(Component *owner) : NonVisualComponent(owner) {}

DataSource::~DataSource() {
  beginDestroy();
  setDataSet(nullptr);
  for (DataLink *link : links_) link->dataSource_ = nullptr;
  links_.clear();
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
  if (!isDying()) notifyLinks();
}

void DataSource::setEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  notifyLinks();
}

DataSetState DataSource::state() const {
  return dataSet_ != nullptr && enabled_ ? dataSet_->state() : DataSetState::Inactive;
}

void DataSource::notification(Component *component, Operation operation) {
  if (operation == Operation::Remove && component == dataSet_) {
    dataSet_ = nullptr;
    notifyLinks();
  }
}

void DataSource::notifyLinks() {
  if (isLoading()) return;
  const std::vector<DataLink *> links = links_;
  for (DataLink *link : links) link->dataSetChanged();
}

DataLink::~DataLink() { setDataSource(nullptr); }

void DataLink::setDataSource(DataSource *source) {
  if (source == dataSource_) return;
  if (dataSource_ != nullptr) {
    auto &list = dataSource_->links_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  dataSource_ = source;
  if (dataSource_ != nullptr) dataSource_->links_.push_back(this);
  dataSetChanged();
}

DataSet *DataLink::dataSet() const { return dataSource_ != nullptr ? dataSource_->dataSet() : nullptr; }

bool DataLink::active() const { return dataSource_ != nullptr && dataSource_->state() != DataSetState::Inactive; }

}  // namespace ui
