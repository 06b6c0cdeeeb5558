#include "controller_editor/forms/status_form.h"

#include <QComboBox>
#include <QListWidget>
#include <QLocale>
#include <QTabBar>
#include <clocale>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "controller_editor/model/name_text.h"
#include "controller_editor/model/status_editing.h"
#include "platform/cp936.h"
#include "platform/ui/message_box.h"
#include "tests/controller_editor/forms/editor_window_test.h"

namespace {

using selkan::Project;

Project &TheProject() { return selkan::Global().project; }

// As a file may hold them: also more than the editor adds.
void AddControllers(int n) {
  selkan::TPLCParm c;
  c.Name = "PLC";
  for (int i = 0; i < n; ++i) TheProject().PLCCtrl.Add(c);
}

// The controls of one kind on a page, in the order they were placed.
template <class T>
std::vector<T *> On(ui::Control *page) {
  std::vector<T *> found;
  for (ui::Control *c : page->controls()) {
    if (auto *t = dynamic_cast<T *>(c)) found.push_back(t);
  }
  return found;
}

int TabOf(TfrmPLCStatus &form, const QString &caption) {
  for (int t = 0; t < form.PageControl1->tabBar()->count(); ++t) {
    if (form.PageControl1->tabBar()->tabText(t) == caption) return t;
  }
  return -1;
}

void Choose(ui::ComboBox *box, int index) {
  box->widget()->setCurrentIndex(index);
  emit box->widget()->activated(index);
}

// Clicks Add on a page as the user does: show the page, press its button.
void ClickAdd(TfrmPLCStatus &form, int tab) {
  form.PageControl1->tabBar()->setCurrentIndex(tab);
  ui::Control *page = form.PageControl1->page(tab);
  ASSERT_NE(page, nullptr);
  ASSERT_TRUE(page->visible());
  const auto buttons = On<ui::Button>(page);
  ASSERT_EQ(buttons.size(), 1u);
  buttons[0]->click();
}

QStringList Lines(TfrmPLCStatus &form) {
  QStringList lines;
  for (int i = 0; i < form.lbStatus->widget()->count(); ++i) lines << form.lbStatus->widget()->item(i)->text();
  return lines;
}

std::vector<QString> Texts(const testsupport::MessageBoxScript &boxes) {
  std::vector<QString> texts;
  for (const auto &b : boxes.shown()) texts.push_back(b.text);
  return texts;
}

std::string Cp936(const char *utf8) { return cp936::FromUtf8(utf8); }

// The globals keep the status region from one test to the next; each test
// starts on an empty one.
class StatusFormTest : public testsupport::EditorWindowTest {
 protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    TheProject().Status = selkan::StatusRegion();
  }
};

// Every byte of the slot holds a sentinel first; the Add on each tab must
// write its kind and exactly the fields that tab sets, nothing else anywhere.
TEST_F(StatusFormTest, EachTabWritesItsKindAndOnlyItsFields) {
  struct Case {
    const char *caption;
    int32_t type;
    const char *defaultName;
    int32_t id;  // with the second channel chosen; 0: not set
    bool precision;
    bool scaling;
  };
  const Case cases[] = {
      {"烟感", 1, "烟感", 0, false, false},
      {"当前温度", 6, "当前温度", 2, true, true},
      {"报警温度", 2, "报警温度", 0, true, false},
      {"关闭温度", 3, "关闭温度", 2, true, true},
      {"亮度传感器", 7, "环境亮度", 2, true, true},
      {"DI", 4, "电源监视", 4, false, false},
      {"AI", 5, "传感器监视", 2, true, true},
  };
  AddControllers(2);
  std::vector<uint8_t> sentinel(TheProject().Status.Bytes().begin(), TheProject().Status.Bytes().end());
  const size_t slot0 = selkan::StatusRegion::kHeaderSize + 8;
  std::memset(sentinel.data() + slot0, 0xA5, selkan::ConstStatusItem::kSize);

  for (size_t t = 0; t < std::size(cases); ++t) {
    const Case &c = cases[t];
    SCOPED_TRACE(c.caption);
    TheProject().Status.Assign(sentinel);
    TfrmPLCStatus form(nullptr);
    ASSERT_EQ(form.PageControl1->tabBar()->tabText(static_cast<int>(t)), QString::fromUtf8(c.caption));
    ui::Control *page = form.PageControl1->page(static_cast<int>(t));
    const auto combos = On<ui::ComboBox>(page);
    const auto edits = On<ui::Edit>(page);
    ASSERT_EQ(combos.size(), size_t{c.id != 0} + size_t{c.precision});
    ASSERT_EQ(edits.size(), c.scaling ? 4u : 1u);
    EXPECT_EQ(edits[0]->text(), QString::fromUtf8(c.defaultName));
    if (c.id != 0) combos[0]->widget()->setCurrentIndex(1);
    if (c.precision) combos.back()->widget()->setCurrentIndex(2);
    if (c.scaling) {
      edits[1]->setText("1.5");
      edits[2]->setText("2.5");
      edits[3]->setText("-3.5");
    }
    ClickAdd(form, static_cast<int>(t));

    selkan::StatusRegion expected;
    expected.Assign(sentinel);
    selkan::StatusItem item = expected.Item(0, 0);
    item.SetType(c.type);
    item.SetName(Cp936(c.defaultName));
    if (c.id != 0) item.SetID(c.id);
    if (c.precision) item.SetPrecision(2);
    if (c.scaling) {
      item.SetParm1(1.5);
      item.SetParm2(2.5);
      item.SetParm3(-3.5);
    }
    expected.SetCount(0, 1);
    EXPECT_TRUE(TheProject().Status == expected);
    EXPECT_EQ(Lines(form).size(), 1);
  }
}

TEST_F(StatusFormTest, ADigitalInputListsWithItsChannel) {
  AddControllers(1);
  TfrmPLCStatus form(nullptr);
  const int tab = TabOf(form, "DI");
  ASSERT_GE(tab, 0);
  ui::ComboBox *channel = On<ui::ComboBox>(form.PageControl1->page(tab))[0];
  ASSERT_EQ(channel->widget()->itemText(2), "5");
  channel->widget()->setCurrentIndex(2);
  ClickAdd(form, tab);

  EXPECT_EQ(Lines(form), QStringList{QStringLiteral("电源监视(DI5)")});
  EXPECT_EQ(TheProject().Status.Item(0, 0).stID(), 5);
  EXPECT_EQ(TheProject().Status.Item(0, 0).stName(), Cp936("电源监视"));
}

// Under a locale that writes a decimal comma, the edits are still read with
// a point, and whatever is no number gives 0, 0 and 1.
TEST_F(StatusFormTest, ScalingEditsAreReadWithAPointWhateverTheLocale) {
  struct Case {
    const char *texts[3];
    double values[3];
  };
  const Case cases[] = {
      {{"abc", "", "x"}, {0, 0, 1}},
      {{"0.5", "-20.25", "6"}, {0.5, -20.25, 6}},
      {{"0,5", "1,5", "2,5"}, {0, 0, 1}},
  };
  const QLocale oldLocale;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const std::string oldC = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "de_DE.UTF-8");

  AddControllers(1);
  TfrmPLCStatus form(nullptr);
  const int tab = TabOf(form, "AI");
  ASSERT_GE(tab, 0);
  const auto edits = On<ui::Edit>(form.PageControl1->page(tab));
  ASSERT_EQ(edits.size(), 4u);
  for (size_t j = 0; j < std::size(cases); ++j) {
    const Case &c = cases[j];
    for (size_t i = 0; i < 3; ++i) edits[i + 1]->setText(c.texts[i]);
    ClickAdd(form, tab);
    const selkan::ConstStatusItem item = std::as_const(TheProject().Status).Item(0, static_cast<int32_t>(j));
    EXPECT_EQ(item.stParm1(), c.values[0]) << c.texts[0];
    EXPECT_EQ(item.stParm2(), c.values[1]) << c.texts[1];
    EXPECT_EQ(item.stParm3(), c.values[2]) << c.texts[2];
  }

  std::setlocale(LC_ALL, oldC.c_str());
  QLocale::setDefault(oldLocale);
}

// A refused Add shows why and changes nothing at all.
TEST_F(StatusFormTest, RefusedAddsLeaveTheRegionAsItWas) {
  struct Case {
    const char *what;
    int controllers;
    int chosen;
    int32_t itemsInBlock;
    const char *name;
    const char *message;
  };
  const Case cases[] = {
      {"the 33rd item", 2, 0, selkan::StatusRegion::kItems, "烟感", selkan::kStatusBlockFullText},
      {"a controller without a block", 257, 256, 0, "烟感", selkan::kNoStatusBlockText},
      {"a name the code page cannot store", 1, 0, 0, "烟感😀", selkan::kUnstorableNameText},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    selkan::NewProject(selkan::Global());
    TheProject().Status = selkan::StatusRegion();
    AddControllers(c.controllers);
    TheProject().Status.SetCount(c.chosen, c.itemsInBlock);
    TheProject().Status.SetCount(1, 3);
    TheProject().Status.Item(1, 0).SetName("next block");
    const selkan::StatusRegion before = TheProject().Status;

    testsupport::MessageBoxScript boxes;
    boxes.answer(ui::IDOK);
    TfrmPLCStatus form(nullptr);
    Choose(form.cmbPLC, c.chosen);
    if (c.chosen >= selkan::StatusRegion::kBlocks) {
      EXPECT_TRUE(Lines(form).isEmpty());
    }
    On<ui::Edit>(form.PageControl1->page(0))[0]->setText(QString::fromUtf8(c.name));
    ClickAdd(form, 0);

    EXPECT_EQ(Texts(boxes), std::vector<QString>{QString::fromUtf8(c.message)});
    EXPECT_TRUE(TheProject().Status == before);
  }
}

TEST_F(StatusFormTest, WithoutAControllerNothingHappens) {
  TheProject().Status.SetCount(0, 2);
  const selkan::StatusRegion before = TheProject().Status;
  TfrmPLCStatus form(nullptr);
  EXPECT_EQ(form.cmbPLC->widget()->count(), 0);
  for (int t = 0; t < form.PageControl1->pageCount(); ++t) ClickAdd(form, t);
  form.lbStatus->widget()->setCurrentRow(0);
  form.btnDelete->click();
  form.btnMoveup->click();
  form.btnMovedown->click();
  EXPECT_TRUE(Lines(form).isEmpty());
  EXPECT_TRUE(TheProject().Status == before);
}

TEST_F(StatusFormTest, DeleteAndMoveWorkOnTheChosenControllersLines) {
  AddControllers(2);
  selkan::StatusRegion &region = TheProject().Status;
  const char *names[] = {"A", "B", "C"};
  for (int32_t j = 0; j < 3; ++j) {
    region.Item(0, j).SetType(1);
    region.Item(0, j).SetName(names[j]);
  }
  region.SetCount(0, 3);
  region.Item(1, 0).SetName("Z");
  region.SetCount(1, 1);

  struct Step {
    const char *what;
    int selected;
    ui::Button *TfrmPLCStatus::*button;
    QStringList lines;
    int current;
  };
  const Step steps[] = {
      {"the first line does not move up", 0, &TfrmPLCStatus::btnMoveup, {"A", "B", "C"}, 0},
      {"the last line does not move down", 2, &TfrmPLCStatus::btnMovedown, {"A", "B", "C"}, 2},
      {"up", 1, &TfrmPLCStatus::btnMoveup, {"B", "A", "C"}, 0},
      {"down", 1, &TfrmPLCStatus::btnMovedown, {"B", "C", "A"}, 2},
      {"delete the first line", 0, &TfrmPLCStatus::btnDelete, {"C", "A"}, -1},
  };
  TfrmPLCStatus form(nullptr);
  for (const Step &s : steps) {
    SCOPED_TRACE(s.what);
    form.lbStatus->widget()->setCurrentRow(s.selected);
    (form.*s.button)->click();
    EXPECT_EQ(Lines(form), s.lines);
    EXPECT_EQ(form.lbStatus->widget()->currentRow(), s.current);
  }
  EXPECT_EQ(region.Count(0), 2);
  EXPECT_EQ(region.Count(1), 1);

  Choose(form.cmbPLC, 1);
  EXPECT_EQ(Lines(form), QStringList{"Z"});
}

}  // namespace
