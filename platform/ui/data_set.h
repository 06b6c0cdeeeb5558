#pragma once
// Data access for data-aware controls: a data set (records and a cursor),
// a data source that connects controls to it, and the link a control keeps.
// The base data set holds no records; its state changes reach the links of
// its sources.
#include <vector>

#include "component.h"

namespace ui {

class DataLink;
class DataSource;

enum class DataSetState { Inactive, Browse, Edit, Insert };

class DataSet : public NonVisualComponent {
  Q_OBJECT
 public:
  explicit DataSet(Component *owner);
  ~DataSet() override;

  bool active() const { return state_ != DataSetState::Inactive; }
  void setActive(bool value);
  DataSetState state() const { return state_; }
  virtual int recordCount() const { return 0; }
  bool bof() const { return true; }
  bool eof() const { return true; }
  bool isEmpty() const { return recordCount() == 0; }
  bool canModify() const { return false; }

  // Cursor and editing; with no records they do nothing.
  virtual void first() {}
  virtual void prior() {}
  virtual void next() {}
  virtual void last() {}
  virtual void insert() {}
  virtual void remove() {}
  virtual void edit() {}
  virtual void post() {}
  virtual void cancel() {}
  virtual void refresh() {}

 protected:
  void setState(DataSetState state);

 private:
  friend class DataSource;
  void dataEvent();

  DataSetState state_ = DataSetState::Inactive;
  std::vector<DataSource *> sources_;
};

class DataSource : public NonVisualComponent {
  Q_OBJECT
 public:
  explicit DataSource(Component *owner);
  ~DataSource() override;

  DataSet *dataSet() const { return dataSet_; }
  void setDataSet(DataSet *dataSet);
  bool enabled() const { return enabled_; }
  void setEnabled(bool value);
  DataSetState state() const;

 protected:
  void notification(Component *component, Operation operation) override;

 private:
  friend class DataLink;
  friend class DataSet;
  void notifyLinks();

  DataSet *dataSet_ = nullptr;
  bool enabled_ = true;
  std::vector<DataLink *> links_;
};

// Kept by a data-aware control; told when its source's data set changes.
class DataLink {
 public:
  DataLink() = default;
  virtual ~DataLink();
  DataLink(const DataLink &) = delete;
  DataLink &operator=(const DataLink &) = delete;

  DataSource *dataSource() const { return dataSource_; }
  void setDataSource(DataSource *source);
  DataSet *dataSet() const;
  bool active() const;

 protected:
  // The data set opened, closed, moved or changed state.
  virtual void dataSetChanged() {}

 private:
  friend class DataSource;
  DataSource *dataSource_ = nullptr;
};

}  // namespace ui
