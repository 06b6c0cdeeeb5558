#pragma once
// Data access for data-aware controls: a data set (records, a cursor and an
// edit state), a data source that connects controls to it, and the link a
// control keeps. The base data set keeps the cursor, the BOF/EOF flags and
// the state; the records themselves live behind the protected storage hooks
// of a derived set. Changes reach the links of every source of the set.
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/component.h"

namespace ui {

class DataLink;
class DataSource;

enum class DataSetState { Inactive, Browse, Edit, Insert };

// What a caller asks of a data set, as the storage is told before it starts.
enum class DataSetOperation { Open, Close, First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };

// A refused data-set operation (closed set, read-only set, nothing to delete)
// or a failure of the storage behind it.
class DataSetError : public std::runtime_error {
 public:
  explicit DataSetError(const std::string &what) : std::runtime_error(what) {}
};

class DataSet : public NonVisualComponent {
  Q_OBJECT
 public:
  explicit DataSet(Component *owner);
  ~DataSet() override;

  // Opens (cursor on the first record, BOF) or closes the set.
  void setActive(bool value);
  bool active() const { return state_ != DataSetState::Inactive; }
  DataSetState state() const { return state_; }
  bool editing() const { return state_ == DataSetState::Edit || state_ == DataSetState::Insert; }

  virtual bool bof() const { return bof_; }
  virtual bool eof() const { return eof_; }
  // Whether the set takes changes at all; the base set has no storage.
  virtual bool canModify() const { return false; }
  bool isEmpty() const { return recordCount() <= 0; }
  virtual int recordCount() const { return 0; }
  // The cursor's record (0-based), -1 when the set is closed or empty.
  int recNo() const { return active() && !isEmpty() ? recNo_ : -1; }

  // Moves; an open edit is posted first.
  void first();
  void prior();
  void next();
  void last();
  // Editing. insert() adds a record before the cursor's; edit() on an empty
  // set inserts; remove() while inserting cancels the new record.
  void insert();
  void remove();
  void edit();
  void post();
  void cancel();
  void refresh();

 protected:
  // Told first thing of every operation that gets past the state checks;
  // the storage may refuse by throwing DataSetError, which changes nothing.
  virtual void beginOperation(DataSetOperation /*operation*/) {}
  // Storage hooks. Indexes are 0-based and lie inside the records (insert:
  // 0..recordCount()). A hook that throws DataSetError leaves the state as
  // it was before the operation.
  virtual void internalOpen() {}
  virtual void internalClose() {}
  virtual void internalInsert(int /*index*/) {}
  virtual void internalEdit(int /*index*/) {}
  virtual void internalPost(int /*index*/, bool /*inserting*/) {}
  virtual void internalCancel() {}
  virtual void internalDelete(int /*index*/) {}
  virtual void internalRefresh() {}

 private:
  friend class DataSource;
  enum class Notice { Active, Data, Editing };

  void checkActive() const;
  void checkModify() const;
  void checkBrowse();
  // Puts the cursor back inside the records; BOF and EOF both false unless
  // the set is empty.
  void settleCursor();
  void setState(DataSetState state);
  void notify(Notice notice);

  DataSetState state_ = DataSetState::Inactive;
  int recNo_ = 0;
  bool bof_ = true;
  bool eof_ = true;
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
  // The set's state when enabled and assigned, else Inactive.
  DataSetState state() const;

 protected:
  void notification(Component *component, Operation operation) override;

 private:
  friend class DataLink;
  friend class DataSet;
  void notifyLinks(DataSet::Notice notice);

  DataSet *dataSet_ = nullptr;
  bool enabled_ = true;
  std::vector<DataLink *> links_;
};

// Kept by a data-aware control; told when its source's data set opens or
// closes, moves or changes, and starts or ends editing. Either the link or
// the source may go first.
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
  bool editing() const;
  // True for links that belong to a visible control.
  bool visualControl() const { return visualControl_; }
  void setVisualControl(bool value) { visualControl_ = value; }

 protected:
  // Opening, closing, a change of the source's data set or Enabled, or the
  // death of either. The default treats it as a data change.
  virtual void activeChanged() { dataSetChanged(); }
  // The cursor moved or the data changed.
  virtual void dataSetChanged() {}
  // Browse <-> Edit/Insert.
  virtual void editingChanged() {}

 private:
  friend class DataSource;
  DataSource *dataSource_ = nullptr;
  bool visualControl_ = false;
};

}  // namespace ui
