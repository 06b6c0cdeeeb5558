#include "controller_editor/forms/output_form.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controller_editor/model/name_text.h"
#include "controller_editor/model/output_editing.h"
#include "platform/cp936.h"
#include "platform/ui/message_box.h"
#include "tests/controller_editor/forms/editor_window_test.h"

namespace {

using selkan::Project;

Project &TheProject() { return selkan::Global().project; }

int32_t AddController(const std::string &name, uint8_t addr = 0) {
  Project &p = TheProject();
  selkan::TPLCParm c;
  c.Name = name;
  c.Addr = addr;
  p.PLCCtrl.Add(c);
  return p.PLCCtrl.Count() - 1;
}

void AddOutputs(int32_t ctrl, const std::vector<int32_t> &numbers) {
  for (int32_t n : numbers) {
    selkan::TOutputParm o;
    o.Name = selkan::OutputDefaultName(n);
    o.Output = n;
    TheProject().OutputCtrl.Add(o, ctrl);
  }
}

// "A[01 02] B[]": each controller node with its output nodes.
QString Render(TOutputForm &form) {
  QStringList controllers;
  QTreeWidgetItem *root = form.rootNode();
  for (int c = 0; c < root->childCount(); ++c) {
    QStringList outputs;
    for (int r = 0; r < root->child(c)->childCount(); ++r) outputs << root->child(c)->child(r)->text(0);
    controllers << root->child(c)->text(0) + "[" + outputs.join(' ') + "]";
  }
  return controllers.join(' ');
}

QTreeWidgetItem *Node(TOutputForm &form, int ctrl, int row = -1) {
  QTreeWidgetItem *c = form.rootNode()->child(ctrl);
  return row < 0 || c == nullptr ? c : c->child(row);
}

// What a click in the tree, a pick in a list and typing in a box send.
void Click(TOutputForm &form, QTreeWidgetItem *node) { form.tvDev->widget()->setCurrentItem(node); }

void Choose(ui::ComboBox *box, int index) {
  box->widget()->setCurrentIndex(index);
  emit box->widget()->activated(index);
}

void Type(ui::ComboBox *box, const QString &text) {
  box->widget()->lineEdit()->setText(text);
  emit box->widget()->lineEdit()->textEdited(text);
}

QString CurrentText(TOutputForm &form) {
  QTreeWidgetItem *node = form.tvDev->widget()->currentItem();
  return node ? node->text(0) : QString();
}

std::vector<QString> Texts(const testsupport::MessageBoxScript &boxes) {
  std::vector<QString> texts;
  for (const auto &b : boxes.shown()) texts.push_back(b.text);
  return texts;
}

// The globals keep the status region from one test to the next; each test
// starts on an empty one.
class OutputFormTest : public testsupport::EditorWindowTest {
 protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    TheProject().Status = selkan::StatusRegion();
  }
};

struct EdgeCase {
  const char *what;
  std::function<void()> setup;
  std::function<void(TOutputForm &)> act;
  QString tree;
  std::vector<QString> boxes;
  QString current;
  std::function<void(TOutputForm &, const Project &)> check;
};

TEST_F(OutputFormTest, AddRenumberAndDeleteKeepTreeAndListsInStep) {
  const QString full = QString::fromUtf8(selkan::kOutputsFullText);
  const QString taken = QString::fromUtf8(selkan::kOutputNumberTakenText);
  const std::vector<EdgeCase> cases = {
      {"a new output fills the gap in order",
       [] { AddOutputs(AddController("PLC"), {0, 1, 3}); },
       [](TOutputForm &f) { f.sbnAdd->click(); },
       "PLC[01 02 03 04]", {}, "03",
       [](TOutputForm &, const Project &p) {
         const int32_t q = selkan::OutputAtRow(p, 0, 2);
         ASSERT_EQ(q, 3);
         EXPECT_EQ(p.OutputCtrl[q].Output, 2);
         EXPECT_EQ(p.OutputCtrl[q].Name, "03");
         EXPECT_EQ(p.OutputCtrl[q].LC_ID, -1);
       }},
      {"the eleventh output is refused",
       [] { AddOutputs(AddController("PLC"), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}); },
       [](TOutputForm &f) { f.sbnAdd->click(); },
       "PLC[01 02 03 04 05 06 07 08 09 10]", {full}, "PLC",
       [](TOutputForm &, const Project &p) { EXPECT_EQ(p.OutputCtrl.Count(), 10); }},
      {"a number in use is refused and the list shows the old one",
       [] { AddOutputs(AddController("PLC"), {1, 2}); },
       [](TOutputForm &f) {
         Click(f, Node(f, 0, 0));
         Choose(f.cmbOutput, 2);
       },
       "PLC[02 03]", {taken}, "02",
       [](TOutputForm &f, const Project &p) {
         EXPECT_EQ(f.cmbOutput->widget()->currentIndex(), 1);
         EXPECT_EQ(p.OutputCtrl[0].Output, 1);
         EXPECT_EQ(p.OutputCtrl[0].Name, "02");
       }},
      {"a renumbered output moves to its place and stays selected",
       [] { AddOutputs(AddController("PLC"), {0, 2, 6}); },
       [](TOutputForm &f) {
         Click(f, Node(f, 0, 0));
         Choose(f.cmbOutput, 4);
       },
       "PLC[03 05 07]", {}, "05",
       [](TOutputForm &f, const Project &p) {
         EXPECT_EQ(p.OutputCtrl[0].Name, "05");
         EXPECT_EQ(p.OutputCtrl[0].Output, 4);
         EXPECT_EQ(f.tvDev->widget()->currentItem(), Node(f, 0, 1));
         EXPECT_TRUE(Node(f, 0)->isExpanded());
         EXPECT_TRUE(f.pnlDev->visible());
       }},
      {"deleting the middle controller renumbers the outputs of the last",
       [] {
         AddOutputs(AddController("A"), {0});
         AddOutputs(AddController("B"), {0, 1});
         AddOutputs(AddController("C"), {0, 1, 2});
       },
       [](TOutputForm &f) {
         Click(f, Node(f, 1));
         f.sbnDelete->click();
       },
       "A[01] C[01 02 03]", {}, "C",
       [](TOutputForm &, const Project &p) {
         ASSERT_EQ(p.OutputCtrl.Count(), 4);
         for (int32_t q = 1; q < 4; ++q) EXPECT_EQ(p.OutputCtrl[q].PLC_ID, 1);
       }},
      {"a new controller is PLC at address 00",
       [] {},
       [](TOutputForm &f) {
         Click(f, f.rootNode());
         f.sbnAdd->click();
       },
       "PLC[]", {}, "PLC",
       [](TOutputForm &f, const Project &p) {
         ASSERT_EQ(p.PLCCtrl.Count(), 1);
         EXPECT_EQ(p.PLCCtrl[0].Name, "PLC");
         EXPECT_EQ(p.PLCCtrl[0].Addr, 0);
         EXPECT_EQ(f.cmbAddress->widget()->currentText(), "00");
         EXPECT_EQ(f.cmbPLCName->widget()->currentText(), "PLC");
         EXPECT_TRUE(f.pnlPLC->visible());
       }},
      {"deleting the last output selects the one before",
       [] { AddOutputs(AddController("PLC"), {0, 1}); },
       [](TOutputForm &f) {
         Click(f, Node(f, 0, 1));
         f.sbnDelete->click();
       },
       "PLC[01]", {}, "01", nullptr},
      {"deleting the only output selects its controller",
       [] { AddOutputs(AddController("PLC"), {4}); },
       [](TOutputForm &f) {
         Click(f, Node(f, 0, 0));
         f.sbnDelete->click();
       },
       "PLC[]", {}, "PLC",
       [](TOutputForm &f, const Project &p) {
         EXPECT_EQ(p.OutputCtrl.Count(), 0);
         EXPECT_TRUE(f.pnlPLC->visible());
       }},
      {"deleting the last controller leaves the root, which deletes nothing",
       [] { AddController("PLC"); },
       [](TOutputForm &f) {
         f.sbnDelete->click();
         f.sbnDelete->click();
       },
       "", {}, QStringLiteral("PLC单元"),
       [](TOutputForm &f, const Project &p) {
         EXPECT_EQ(p.PLCCtrl.Count(), 0);
         EXPECT_FALSE(f.sbnDelete->isEnabled());
         EXPECT_FALSE(f.pnlPLC->visible());
         EXPECT_FALSE(f.pnlDev->visible());
       }},
  };
  for (const EdgeCase &c : cases) {
    SCOPED_TRACE(c.what);
    selkan::NewProject(selkan::Global());
    c.setup();
    testsupport::MessageBoxScript boxes;
    for (size_t i = 0; i < c.boxes.size(); ++i) boxes.answer(ui::IDOK);
    TOutputForm form(nullptr);
    c.act(form);
    EXPECT_EQ(Render(form), c.tree);
    EXPECT_EQ(Texts(boxes), c.boxes);
    EXPECT_EQ(CurrentText(form), c.current);
    if (c.check) c.check(form, TheProject());
  }
}

TEST_F(OutputFormTest, DeletingAControllerTakesItsDevicesAndStatusBlock) {
  Project &p = TheProject();
  for (const char *name : {"A", "B", "C"}) {
    const int32_t c = AddController(name);
    AddOutputs(c, {0, 1});
    const int32_t d = selkan::AddDevice(p, c);
    p.DeviceCtrl.SetName(d, std::string("d") + name);
    ASSERT_TRUE(selkan::AddEntry(p, d, 2 * c + 1));
    ASSERT_TRUE(selkan::AddEntry(p, d, 2 * c));
    p.Status.Item(c, 0).SetName(std::string("s") + name);
    p.Status.SetCount(c, 1);
  }

  TOutputForm form(nullptr);
  Click(form, Node(form, 1));
  form.sbnDelete->click();

  EXPECT_TRUE(selkan::FindReferenceProblems(p).empty());
  ASSERT_EQ(p.DeviceCtrl.Count(), 2);
  EXPECT_EQ(p.DeviceCtrl[0].Name, "dA");
  const selkan::TDeviceParm &last = p.DeviceCtrl[1];
  EXPECT_EQ(last.Name, "dC");
  EXPECT_EQ(last.PLC_ID, 1);
  ASSERT_EQ(last.EntryCount(), 2);
  // Still C's outputs 02 and 01, now at list positions 3 and 2.
  EXPECT_EQ(selkan::EntryOutput(last.Entries[0]), 3);
  EXPECT_EQ(selkan::EntryOutput(last.Entries[1]), 2);
  EXPECT_EQ(p.OutputCtrl[3].PLC_ID, 1);
  EXPECT_EQ(p.OutputCtrl[3].Output, 1);

  EXPECT_EQ(p.Status.Item(0, 0).stName(), "sA");
  EXPECT_EQ(p.Status.Item(1, 0).stName(), "sC");
  EXPECT_EQ(p.Status.Count(1), 1);
  EXPECT_EQ(p.Status.Count(2), 0);
}

TEST_F(OutputFormTest, The257thControllerIsRefused) {
  for (int i = 0; i < selkan::kMaxControllers; ++i) AddController("PLC");
  testsupport::MessageBoxScript boxes;
  boxes.answer(ui::IDOK);
  TOutputForm form(nullptr);
  Click(form, form.rootNode());
  form.sbnAdd->click();

  EXPECT_EQ(Texts(boxes), std::vector<QString>{QString::fromUtf8(selkan::kControllersFullText)});
  EXPECT_EQ(TheProject().PLCCtrl.Count(), selkan::kMaxControllers);
  EXPECT_EQ(form.rootNode()->childCount(), selkan::kMaxControllers);
}

TEST_F(OutputFormTest, AnAddressTheListLacksShowsNoItemAndIsKept) {
  AddController("A", 40);
  AddController("B", 3);
  TOutputForm form(nullptr);
  QComboBox *address = form.cmbAddress->widget();
  EXPECT_EQ(address->currentIndex(), -1);

  Type(form.cmbPLCName, "AX");
  Click(form, Node(form, 1));
  EXPECT_EQ(address->currentIndex(), 3);
  Click(form, Node(form, 0));
  EXPECT_EQ(address->currentIndex(), -1);
  EXPECT_EQ(TheProject().PLCCtrl[0].Name, "AX");
  EXPECT_EQ(TheProject().PLCCtrl[0].Addr, 40);

  Choose(form.cmbAddress, 7);
  EXPECT_EQ(TheProject().PLCCtrl[0].Addr, 7);
  EXPECT_EQ(TheProject().PLCCtrl[1].Addr, 3);
}

TEST_F(OutputFormTest, TypedNamesAreStoredAsCodePageBytesOrRefused) {
  struct Case {
    QString typed;
    bool refused;
    std::string stored;
  };
  const Case cases[] = {
      {QStringLiteral("显示屏"), false, "\xCF\xD4\xCA\xBE\xC6\xC1"},
      {QStringLiteral("a\tb"), false, "a b"},
      {QStringLiteral("PLC😀"), true, "PLC"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    selkan::NewProject(selkan::Global());
    AddController("PLC");
    testsupport::MessageBoxScript boxes;
    if (c.refused) boxes.answer(ui::IDOK);
    TOutputForm form(nullptr);
    Type(form.cmbPLCName, c.typed);

    EXPECT_EQ(TheProject().PLCCtrl[0].Name, c.stored);
    const QString shown = QString::fromStdString(cp936::ToUtf8(c.stored));
    EXPECT_EQ(Node(form, 0)->text(0), shown);
    if (c.refused) {
      EXPECT_EQ(Texts(boxes), std::vector<QString>{QString::fromUtf8(selkan::kUnstorableNameText)});
      EXPECT_EQ(form.cmbPLCName->widget()->currentText(), shown);
    }
  }
}

}  // namespace
