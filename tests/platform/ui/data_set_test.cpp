// The data set's cursor and edit semantics, its refusals, and the notices
// its links hear, on the in-memory test set.
#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/data_set.h"
#include "platform/ui/panel.h"
#include "tests/support/ui/event_order.h"
#include "tests/support/ui/mem_data_set.h"

namespace {

using testsupport::EventOrder;
using testsupport::MemDataSet;
using ui::DataSetError;
using ui::DataSetOperation;
using ui::DataSetState;

class LoggingLink : public ui::DataLink {
 public:
  explicit LoggingLink(EventOrder &log) : log_(log) {}

 protected:
  void activeChanged() override { log_.add("active"); }
  void dataSetChanged() override { log_.add("data"); }
  void editingChanged() override { log_.add("editing"); }

 private:
  EventOrder &log_;
};

QStringList records(int n) {
  QStringList list;
  for (int i = 0; i < n; ++i) list << QString("r%1").arg(i);
  return list;
}

struct Flags {
  bool bof;
  bool eof;
  int recNo;
};

void expectFlags(const MemDataSet &set, Flags want, const char *step) {
  SCOPED_TRACE(step);
  EXPECT_EQ(set.bof(), want.bof);
  EXPECT_EQ(set.eof(), want.eof);
  EXPECT_EQ(set.recNo(), want.recNo);
}

TEST(DataSetTest, CursorFlagsFollowTheMoves) {
  ui::Panel owner(nullptr);
  auto *set = new MemDataSet(&owner, records(3));
  set->setActive(true);
  expectFlags(*set, {true, false, 0}, "opened");
  set->next();
  expectFlags(*set, {false, false, 1}, "next");
  set->next();
  expectFlags(*set, {false, false, 2}, "next onto the last record");
  set->next();
  expectFlags(*set, {false, true, 2}, "next on the last record");
  set->prior();
  expectFlags(*set, {false, false, 1}, "prior");
  set->prior();
  expectFlags(*set, {false, false, 0}, "prior onto the first record");
  set->prior();
  expectFlags(*set, {true, false, 0}, "prior on the first record");
  set->last();
  expectFlags(*set, {false, true, 2}, "last");
  set->first();
  expectFlags(*set, {true, false, 0}, "first");
}

TEST(DataSetTest, EmptySetHasBothFlagsAndEditInserts) {
  ui::Panel owner(nullptr);
  auto *set = new MemDataSet(&owner);
  set->setActive(true);
  EXPECT_TRUE(set->isEmpty());
  for (auto move : {&ui::DataSet::first, &ui::DataSet::next, &ui::DataSet::prior, &ui::DataSet::last}) {
    (set->*move)();
    EXPECT_TRUE(set->bof());
    EXPECT_TRUE(set->eof());
  }
  EXPECT_THROW(set->remove(), DataSetError);
  set->edit();
  EXPECT_EQ(set->state(), DataSetState::Insert);
  EXPECT_FALSE(set->bof());
  EXPECT_FALSE(set->eof());
  set->setValue("new");
  set->post();
  EXPECT_EQ(set->records(), QStringList{"new"});
  EXPECT_FALSE(set->bof());
  EXPECT_FALSE(set->eof());
  set->remove();
  EXPECT_TRUE(set->bof() && set->eof());
}

TEST(DataSetTest, EditingChangesClearTheFlags) {
  ui::Panel owner(nullptr);
  auto *set = new MemDataSet(&owner, records(3));
  set->setActive(true);
  set->insert();  // before r0, with BOF set
  set->setValue("x");
  set->post();
  EXPECT_EQ(set->records(), (QStringList{"x", "r0", "r1", "r2"}));
  EXPECT_FALSE(set->bof() || set->eof());
  set->last();
  set->edit();
  set->setValue("changed");
  set->cancel();
  EXPECT_EQ(set->records().last(), "r2");
  EXPECT_FALSE(set->bof() || set->eof());
  set->edit();
  set->setValue("changed");
  set->post();
  EXPECT_EQ(set->records().last(), "changed");
  set->remove();  // the last record goes; the cursor stays inside
  EXPECT_EQ(set->recNo(), 2);
  EXPECT_FALSE(set->bof() || set->eof());
  set->insert();
  set->remove();  // while inserting: cancels the new record
  EXPECT_EQ(set->state(), DataSetState::Browse);
  EXPECT_EQ(set->records(), (QStringList{"x", "r0", "r1"}));
}

TEST(DataSetTest, MovingPostsAnOpenEdit) {
  ui::Panel owner(nullptr);
  auto *set = new MemDataSet(&owner, records(2));
  set->setActive(true);
  set->edit();
  set->setValue("kept");
  set->next();
  EXPECT_EQ(set->state(), DataSetState::Browse);
  EXPECT_EQ(set->records().first(), "kept");
  EXPECT_EQ(set->recNo(), 1);
}

TEST(DataSetTest, RefusalsChangeNothing) {
  ui::Panel owner(nullptr);
  auto *set = new MemDataSet(&owner, records(2));
  EXPECT_THROW(set->next(), DataSetError) << "closed";
  EXPECT_THROW(set->insert(), DataSetError) << "closed";
  set->setActive(true);
  set->setReadOnly(true);
  EXPECT_FALSE(set->canModify());
  for (auto change : {&ui::DataSet::insert, &ui::DataSet::edit, &ui::DataSet::remove}) {
    EXPECT_THROW((set->*change)(), DataSetError);
    EXPECT_EQ(set->state(), DataSetState::Browse);
  }
  EXPECT_EQ(set->records(), records(2));
  set->setReadOnly(false);

  // A storage failure leaves cursor, flags and state as they were.
  set->failOn(DataSetOperation::Next);
  EXPECT_THROW(set->next(), DataSetError);
  expectFlags(*set, {true, false, 0}, "failed next");
  set->next();  // only once
  EXPECT_EQ(set->recNo(), 1);
  set->edit();
  set->setValue("lost");
  set->failOn(DataSetOperation::Post);
  EXPECT_THROW(set->post(), DataSetError);
  EXPECT_EQ(set->state(), DataSetState::Edit);
  set->cancel();
  EXPECT_EQ(set->records(), records(2));
}

TEST(DataSetTest, LinksHearActiveDataAndEditingNotices) {
  ui::Panel owner(nullptr);
  auto *set = new MemDataSet(&owner, records(2));
  auto *source = new ui::DataSource(&owner);
  EventOrder log;
  LoggingLink link(log);
  link.setDataSource(source);
  source->setDataSet(set);
  log.clear();

  set->setActive(true);
  EXPECT_TRUE(link.active());
  set->next();
  set->edit();
  EXPECT_TRUE(link.editing());
  set->post();
  source->setEnabled(false);
  EXPECT_FALSE(link.active());
  EXPECT_EQ(source->state(), DataSetState::Inactive);
  set->next();  // not passed on by a disabled source
  source->setEnabled(true);
  set->setActive(false);
  EXPECT_EQ(log.joined(), "active data editing editing data active active active");

  log.clear();
  source->setDataSet(nullptr);
  EXPECT_EQ(log.joined(), "active");
}

TEST(DataSetTest, EitherEndMayGoFirst) {
  EventOrder log;
  {
    ui::Panel owner(nullptr);
    auto *set = new MemDataSet(&owner, records(1));
    auto *source = new ui::DataSource(&owner);
    source->setDataSet(set);
    set->setActive(true);
    LoggingLink link(log);
    link.setDataSource(source);
    log.clear();
    delete set;
    EXPECT_EQ(log.joined(), "active");
    EXPECT_FALSE(link.active());
    EXPECT_EQ(link.dataSet(), nullptr);
    delete source;
    EXPECT_EQ(link.dataSource(), nullptr);
    EXPECT_EQ(log.joined(), "active active");
  }
  {
    ui::Panel owner(nullptr);
    auto *set = new MemDataSet(&owner, records(1));
    auto *source = new ui::DataSource(&owner);
    source->setDataSet(set);
    set->setActive(true);
    auto link = std::make_unique<LoggingLink>(log);
    link->setDataSource(source);
    link.reset();
    set->next();  // the source no longer lists the link
    delete source;
    set->next();  // nor the set the source
  }
}

}  // namespace
