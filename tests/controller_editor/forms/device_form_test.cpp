// The device editor on the recording link stand-in: the tree and its lists,
// and the download's calls in their order.
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controller_editor/forms/conn_form.h"
#include "controller_editor/forms/device_form.h"
#include "controller_editor/model/project.h"
#include "platform/cp936.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/group_box.h"
#include "platform/ui/panel.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/tool_bar.h"
#include "platform/ui/widget_host.h"
#include "tests/controller_editor/forms/editor_window_test.h"
#include "tests/support/fake_plc_api.h"
#include "tests/support/test_link_services.h"
#include "window_messages.h"

namespace {

using selkan::Global;
using selkan::Project;
using tarnex_client::testing::FakePlcApi;
using testsupport::MessageBoxScript;
using testsupport::ModalScript;

const QString kUsedOutput = QStringLiteral("此DO输出口已经分配，请选择其它输出口");
const QString kUploading = QStringLiteral("正在上传设备逻辑列表...");
const QString kUploaded = QStringLiteral("上传设备逻辑列表完成!");

std::string Gbk(const char *utf8) { return cp936::FromUtf8(utf8); }

// A controller at address with its ten outputs 0..9 (positions follow on
// from the outputs already there).
int AddControllerWithOutputs(Project &p, uint8_t address) {
  EXPECT_TRUE(selkan::AddController(p));
  const int ctrl = p.PLCCtrl.Count() - 1;
  p.PLCCtrl.SetAddress(ctrl, address);
  for (int n = 0; n < selkan::kOutputsPerController; ++n) selkan::AddOutput(p, ctrl);
  return ctrl;
}

// A device of ctrl named name whose entries take the outputs (positions) with
// their delays.
int AddDeviceWith(Project &p, int ctrl, const char *name, const std::vector<std::pair<int, int>> &entries) {
  const int row = selkan::AddDevice(p, ctrl);
  p.DeviceCtrl.SetName(row, Gbk(name));
  for (const auto &[output, delay] : entries) {
    EXPECT_TRUE(selkan::AddEntry(p, row, output));
    p.DeviceCtrl.SetEntryDelay(row, p.DeviceCtrl[row].EntryCount() - 1, delay);
  }
  return row;
}

class DeviceFormTest : public testsupport::EditorWindowTest {
 protected:
  void TearDown() override {
    form.reset();
    EditorWindowTest::TearDown();
  }

  Project &project() { return Global().project; }

  // The editor over the project as it stands; notices go to its window.
  void open() {
    form = std::make_unique<TDeviceForm>(nullptr, testsupport::ServicesOver(api));
    api.onNotice = [this](uint16_t function, uint16_t result) {
      SendMessageA(form->handle(), tarnex_client::kPlcNoticeMessage, WPARAM{function} | (WPARAM{result} << 16), 0);
    };
  }

  QTreeWidget *logicTree() const { return form->tvLogic->widget(); }
  QTreeWidgetItem *controllerNode(int c) const { return logicTree()->topLevelItem(c); }
  QTreeWidgetItem *deviceNode(int c, int k) const { return controllerNode(c)->child(k); }
  void select(QTreeWidgetItem *node) const { logicTree()->setCurrentItem(node); }

  // Chooses the output node showing name in tvDev.
  void chooseOutput(const QString &name) const {
    QTreeWidgetItem *root = form->tvDev->widget()->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    for (int k = 0; k < root->childCount(); ++k) {
      if (root->child(k)->text(0) == name) {
        form->tvDev->widget()->setCurrentItem(root->child(k));
        return;
      }
    }
    FAIL() << "no output " << name.toStdString();
  }

  QStringList childTexts(QTreeWidgetItem *node) const {
    QStringList texts;
    for (int k = 0; k < node->childCount(); ++k) texts << node->child(k)->text(0);
    return texts;
  }

  QString status() const { return form->stbM->panel(0).text; }

  // Runs the download of the selected controller; the link dialog is
  // answered by setup (which may change it) with OK.
  void download(const std::function<void(TConnForm &)> &setup = {}) {
    ModalScript modal;
    modal.then([&](ui::Form &f) {
      auto &conn = dynamic_cast<TConnForm &>(f);
      if (setup) setup(conn);
      return ui::mrOk;
    });
    form->sbnSaveTo->click();
  }

  int count(const std::string &name) const { return static_cast<int>(api.callsNamed(name).size()); }

  FakePlcApi api;
  std::unique_ptr<TDeviceForm> form;
};

// The example list of one controller: A (outputs 0 and 3) and B (output 1).
void LoadExample(Project &p) {
  AddControllerWithOutputs(p, 1);
  AddDeviceWith(p, 0, "A", {{0, 10}, {3, 25}});
  AddDeviceWith(p, 0, "B", {{1, 0}});
}

TEST_F(DeviceFormTest, TreeShowsControllersDevicesAndEntriesAndSkipsWhatTheListsLack) {
  LoadExample(project());
  // A device of a controller that does not exist, and an entry whose output
  // is gone, as an older file may hold them.
  project().DeviceCtrl.Add(Gbk("孤立"), 7, 0);
  project().DeviceCtrl.AddEntry(1, selkan::MakeEntry(99, 10));
  open();

  ASSERT_EQ(logicTree()->topLevelItemCount(), 1);
  EXPECT_EQ(controllerNode(0)->text(0), QStringLiteral("PLC单元"));
  EXPECT_EQ(childTexts(controllerNode(0)), (QStringList{"A", "B"}));
  EXPECT_EQ(childTexts(deviceNode(0, 0)), (QStringList{"01", "04"}));
  EXPECT_EQ(childTexts(deviceNode(0, 1)), (QStringList{"02", "?"}));
  // The first controller is selected, its outputs listed in number order.
  EXPECT_EQ(logicTree()->currentItem(), controllerNode(0));
  EXPECT_TRUE(controllerNode(0)->isExpanded());
  EXPECT_TRUE(form->sbnSaveTo->isEnabled());
  QTreeWidgetItem *root = form->tvDev->widget()->topLevelItem(0);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->text(0), QStringLiteral("PLC单元输出口"));
  EXPECT_EQ(root->childCount(), 10);
  EXPECT_EQ(form->tvDev->widget()->currentItem(), root->child(0));
  ASSERT_EQ(api.calls.size(), 1u);
  EXPECT_EQ(api.calls[0].name, "PLC_Startup");
  EXPECT_EQ(api.calls[0].args, (std::vector<int64_t>{tarnex_client::kDirectMode}));

  // Selecting an entry of the "?" output shows its delay and nothing breaks.
  select(deviceNode(0, 1)->child(1));
  EXPECT_TRUE(form->pnlL2->visible());
  EXPECT_FALSE(form->sbnSaveTo->isEnabled());
  EXPECT_EQ(form->eDelay->text(), QStringLiteral("10"));
}

TEST_F(DeviceFormTest, AnOutputInUseIsRefusedAndAFreeOneJoinsTheSelectedDevice) {
  LoadExample(project());
  open();
  select(deviceNode(0, 1));
  chooseOutput(QStringLiteral("01"));  // A's
  {
    MessageBoxScript boxes;
    boxes.answer(ui::IDOK);
    form->sbnAddDev->click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, kUsedOutput);
    EXPECT_EQ(boxes.shown()[0].caption, QStringLiteral("提示"));
  }
  EXPECT_EQ(project().DeviceCtrl[1].EntryCount(), 1);
  EXPECT_EQ(deviceNode(0, 1)->childCount(), 1);

  // From an entry node the entry's device takes it; a double click adds too.
  select(deviceNode(0, 1)->child(0));
  chooseOutput(QStringLiteral("06"));
  form->tvDevDblClick(form->tvDev->widget()->currentItem());
  ASSERT_EQ(project().DeviceCtrl[1].EntryCount(), 2);
  EXPECT_EQ(project().DeviceCtrl[1].Entries[1], selkan::MakeEntry(5, selkan::kNewEntryDelay));
  EXPECT_EQ(project().OutputCtrl[5].LC_ID, project().DeviceCtrl[1].ID);
  EXPECT_EQ(childTexts(deviceNode(0, 1)), (QStringList{"02", "06"}));
  EXPECT_EQ(logicTree()->currentItem(), deviceNode(0, 1)->child(1));
  EXPECT_EQ(form->eDelay->text(), QStringLiteral("10"));

  // With the controller node selected there is no device to add to.
  select(controllerNode(0));
  chooseOutput(QStringLiteral("08"));
  form->sbnAddDev->click();
  EXPECT_FALSE(selkan::IsOutputAssigned(project(), 7));
}

TEST_F(DeviceFormTest, ANewDeviceTakesTheLowestFreeIdAfterADelete) {
  AddControllerWithOutputs(project(), 1);
  for (const char *name : {"A", "B", "C"}) AddDeviceWith(project(), 0, name, {});
  open();
  select(deviceNode(0, 1));
  form->sbnDeleteLogicClick();
  EXPECT_EQ(childTexts(controllerNode(0)), (QStringList{"A", "C"}));

  select(controllerNode(0));
  const int counter = project().DeviceCtrl.NameCounter();
  form->sbnAddLogic->click();
  ASSERT_EQ(project().DeviceCtrl.Count(), 3);
  const selkan::TDeviceParm &added = project().DeviceCtrl[2];
  // IDs 0 and 2 are taken: the new device is 1, not its position 2, which
  // would switch C's outputs as well.
  EXPECT_EQ(added.ID, 1);
  EXPECT_EQ(added.PLC_ID, 0);
  EXPECT_EQ(added.Name, Gbk(("设备" + std::to_string(counter)).c_str()));
  EXPECT_EQ(deviceNode(0, 2)->text(0), QString::fromStdString(cp936::ToUtf8(added.Name)));
  EXPECT_EQ(logicTree()->currentItem(), deviceNode(0, 2));
  EXPECT_TRUE(form->pnlL1->visible());
}

TEST_F(DeviceFormTest, DeletingADeviceOrAnEntryFreesItsOutputs) {
  LoadExample(project());
  open();
  select(deviceNode(0, 0)->child(1));
  form->sbnDeleteDev->click();
  EXPECT_EQ(project().OutputCtrl[3].LC_ID, -1);
  EXPECT_EQ(project().DeviceCtrl[0].Entries, (std::vector<uint32_t>{selkan::MakeEntry(0, 10)}));
  EXPECT_EQ(childTexts(deviceNode(0, 0)), (QStringList{"01"}));

  select(deviceNode(0, 0));
  form->sbnDeleteLogic->click();
  EXPECT_EQ(project().OutputCtrl[0].LC_ID, -1);
  ASSERT_EQ(project().DeviceCtrl.Count(), 1);
  EXPECT_EQ(childTexts(controllerNode(0)), (QStringList{"B"}));
  // What is selected now maps to the device that is left.
  select(deviceNode(0, 0));
  chooseOutput(QStringLiteral("01"));
  form->sbnAddDev->click();  // no box: the output is free again
  EXPECT_EQ(project().DeviceCtrl[0].EntryCount(), 2);
  EXPECT_EQ(childTexts(deviceNode(0, 0)), (QStringList{"02", "01"}));
}

TEST_F(DeviceFormTest, MovingDevicesThatAreNotNeighboursInTheList) {
  // The list interleaves two controllers: [A(c0), X(c1), B(c0)].
  Project &p = project();
  AddControllerWithOutputs(p, 1);
  AddControllerWithOutputs(p, 2);
  AddDeviceWith(p, 0, "A", {{0, 10}});
  AddDeviceWith(p, 1, "X", {{10, 10}});
  AddDeviceWith(p, 0, "B", {{1, 20}, {2, 30}});
  open();
  select(deviceNode(0, 1));
  deviceNode(0, 1)->setExpanded(true);
  form->sbnMoveUp->click();

  ASSERT_EQ(p.DeviceCtrl.Count(), 3);
  EXPECT_EQ(p.DeviceCtrl[0].Name, "B");
  EXPECT_EQ(p.DeviceCtrl[1].Name, "X");
  EXPECT_EQ(p.DeviceCtrl[2].Name, "A");
  EXPECT_EQ(childTexts(controllerNode(0)), (QStringList{"B", "A"}));
  EXPECT_EQ(childTexts(deviceNode(0, 0)), (QStringList{"02", "03"}));
  EXPECT_EQ(childTexts(controllerNode(1)), (QStringList{"X"}));
  EXPECT_EQ(logicTree()->currentItem(), deviceNode(0, 0));
  EXPECT_TRUE(deviceNode(0, 0)->isExpanded());
  EXPECT_EQ(form->cmbName->widget()->currentText(), QStringLiteral("B"));

  // The first device does not move up, the last not down.
  form->sbnMoveUp->click();
  select(deviceNode(0, 1));
  form->sbnMoveDown->click();
  EXPECT_EQ(p.DeviceCtrl[0].Name, "B");
  EXPECT_EQ(p.DeviceCtrl[2].Name, "A");

  // Entries move within their device.
  select(deviceNode(0, 0)->child(0));
  form->sbnMoveDown->click();
  EXPECT_EQ(p.DeviceCtrl[0].Entries, (std::vector<uint32_t>{selkan::MakeEntry(2, 30), selkan::MakeEntry(1, 20)}));
  EXPECT_EQ(childTexts(deviceNode(0, 0)), (QStringList{"03", "02"}));
  EXPECT_EQ(logicTree()->currentItem(), deviceNode(0, 0)->child(1));
  EXPECT_EQ(form->eDelay->text(), QStringLiteral("20"));
}

TEST_F(DeviceFormTest, DelaysAboveTwoHundredFiftyFiveCannotBeTyped) {
  LoadExample(project());
  open();
  select(deviceNode(0, 0)->child(1));
  QLineEdit *edit = form->eDelay->lineEdit();
  edit->selectAll();
  for (const char *digit : {"3", "0", "0"}) testsupport::pressKey(edit, Qt::Key_0 + (digit[0] - '0'), Qt::NoModifier, digit);
  EXPECT_EQ(edit->text(), QStringLiteral("30"));
  EXPECT_EQ(selkan::EntryDelay(project().DeviceCtrl[0].Entries[1]), 30);

  testsupport::pressKey(edit, Qt::Key_Backspace);
  testsupport::pressKey(edit, Qt::Key_Backspace);
  EXPECT_EQ(edit->text(), QString());
  // An empty box keeps the last delay.
  EXPECT_EQ(selkan::EntryDelay(project().DeviceCtrl[0].Entries[1]), 3);
  for (const char *digit : {"2", "5", "5"}) testsupport::pressKey(edit, Qt::Key_0 + (digit[0] - '0'), Qt::NoModifier, digit);
  EXPECT_EQ(selkan::EntryDelay(project().DeviceCtrl[0].Entries[1]), 255);
}

TEST_F(DeviceFormTest, NamesAreStoredInTheFileCodePage) {
  LoadExample(project());
  open();
  select(deviceNode(0, 0));
  QLineEdit *edit = form->cmbName->widget()->lineEdit();
  emit edit->textEdited(QStringLiteral("空调\t1"));
  EXPECT_EQ(project().DeviceCtrl[0].Name, Gbk("空调 1"));
  EXPECT_EQ(deviceNode(0, 0)->text(0), QStringLiteral("空调 1"));

  // A character the code page lacks keeps the stored name.
  {
    MessageBoxScript boxes;
    boxes.answer(ui::IDOK);
    edit->setText(QStringLiteral("空调😀"));
    emit edit->textEdited(edit->text());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("名称中含有无法保存的字符。"));
  }
  EXPECT_EQ(project().DeviceCtrl[0].Name, Gbk("空调 1"));
  EXPECT_EQ(form->cmbName->widget()->currentText(), QStringLiteral("空调 1"));

  // Picking an item from the list names the device too.
  emit form->cmbName->widget()->textActivated(QStringLiteral("风扇"));
  EXPECT_EQ(project().DeviceCtrl[0].Name, Gbk("风扇"));
  EXPECT_EQ(deviceNode(0, 0)->text(0), QStringLiteral("风扇"));
}

TEST_F(DeviceFormTest, DownloadSendsTheListOverTheChosenLinkAndShowsItsResult) {
  LoadExample(project());
  Global().LinkIsNetwork = true;
  Global().LinkPort = 4;
  Global().LinkUdpPort = 6001;
  open();
  download([](TConnForm &conn) {
    // Preset from the link settings and the controller.
    EXPECT_TRUE(conn.rbNetwork->checked());
    EXPECT_FALSE(conn.rbComm->checked());
    EXPECT_EQ(conn.cmbComm->widget()->currentText(), QStringLiteral("04"));
    EXPECT_EQ(conn.eIP->text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(conn.cmbAddress->widget()->currentText(), QStringLiteral("01"));
    conn.setPortItem(1);
  });
  EXPECT_EQ(Global().LinkPort, 2);
  EXPECT_TRUE(Global().LinkIsNetwork);

  std::vector<std::string> names;
  for (const auto &call : api.calls) names.push_back(call.name);
  EXPECT_EQ(names, (std::vector<std::string>{"PLC_Startup", "PLC_SetNotify", "PLC_OpenDev", "CMD_Write", "PLC_Send"}));
  EXPECT_EQ(api.calls[1].args, (std::vector<int64_t>{static_cast<int64_t>(form->handle()), 1224}));
  EXPECT_EQ(api.calls[2].args, (std::vector<int64_t>{(2 << 16) | 2, 9600, 0}));
  EXPECT_EQ(api.calls[3].args, (std::vector<int64_t>{1, 160, 10}));
  EXPECT_EQ(api.calls[3].words, (std::vector<uint16_t>{0x000A, 0x0319, 0x1100, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF,
                                                        0xFFFF, 0xFFFF}));
  EXPECT_EQ(api.calls[4].host, "127.0.0.1");
  EXPECT_EQ(api.calls[4].args, (std::vector<int64_t>{0, 6001}));
  EXPECT_EQ(status(), kUploading);
  EXPECT_TRUE(form->download().Busy);

  api.finish(PlcResultDone);
  EXPECT_EQ(status(), kUploaded);
  EXPECT_FALSE(form->download().Busy);
  // A notice with no send of ours in flight changes nothing.
  SendMessageA(form->handle(), tarnex_client::kPlcNoticeMessage, WPARAM{16} | (WPARAM{PlcResultTimeOut} << 16), 0);
  EXPECT_EQ(status(), kUploaded);

  // The next download closes the old link first; a time-out is shown.
  api.clearCalls();
  download([](TConnForm &conn) { conn.setNetwork(false); });
  EXPECT_FALSE(Global().LinkIsNetwork);
  ASSERT_GE(api.calls.size(), 3u);
  EXPECT_EQ(api.calls[0].name, "PLC_CloseDev");
  EXPECT_EQ(api.callsNamed("PLC_OpenDev").at(0).args[0], (2 << 16) | 1);
  api.finish(PlcResultTimeOut);
  EXPECT_EQ(status(), QStringLiteral("通讯故障，超时!"));
}

// OK keeps the link dialog open while the network link names no dotted
// quad; the download goes only to the address the dialog then accepts.
TEST_F(DeviceFormTest, TheLinkDialogRefusesABadRemoteIp) {
  LoadExample(project());
  open();
  testsupport::MessageBoxScript boxes;
  const QString bad[] = {QStringLiteral("192.168.0"), QStringLiteral("192.168.0.2.1"), QStringLiteral("host"),
                         QString(), QStringLiteral("300.1.1.1")};
  for (size_t i = 0; i < std::size(bad); ++i) boxes.answer(ui::IDOK);
  ModalScript modal;
  modal.then([&](ui::Form &f) {
    auto &conn = dynamic_cast<TConnForm &>(f);
    conn.setNetwork(true);
    for (const QString &ip : bad) {
      conn.eIP->setText(ip);
      conn.BtnOK->click();
      EXPECT_EQ(conn.modalResult(), ui::mrNone) << ip.toStdString();
    }
    // Serial links take no address: OK closes whatever the field holds.
    conn.setNetwork(false);
    conn.BtnOK->click();
    EXPECT_EQ(conn.modalResult(), ui::mrOk);
    conn.setModalResult(ui::mrNone);
    conn.setNetwork(true);
    conn.eIP->setText(QStringLiteral("127.0.0.1"));
    conn.BtnOK->click();
    return conn.modalResult();
  });
  form->sbnSaveTo->click();

  ASSERT_EQ(boxes.shown().size(), std::size(bad));
  for (const auto &box : boxes.shown()) {
    EXPECT_EQ(box.text, QStringLiteral("远程IP地址无效，应为如192.168.0.2的格式。"));
    EXPECT_EQ(box.caption, QStringLiteral("提示"));
  }
  const auto sends = api.callsNamed("PLC_Send");
  ASSERT_EQ(sends.size(), 1u);
  EXPECT_EQ(sends[0].host, "127.0.0.1");
}

TEST_F(DeviceFormTest, TheAddressComesFromTheDialogOrElseFromTheController) {
  AddControllerWithOutputs(project(), 40);  // no item "40" in the dialog
  open();
  download([](TConnForm &conn) { EXPECT_EQ(conn.cmbAddress->widget()->currentIndex(), -1); });
  EXPECT_EQ(api.callsNamed("CMD_Write").at(0).args[0], 40);
  api.finish(PlcResultDone);

  api.clearCalls();
  download([](TConnForm &conn) { conn.setAddressItem(7); });
  EXPECT_EQ(api.callsNamed("CMD_Write").at(0).args[0], 7);
}

TEST_F(DeviceFormTest, ADownloadWhileOneIsPendingNeitherClosesNorSends) {
  LoadExample(project());
  open();
  download();
  ASSERT_TRUE(form->download().Busy);
  api.clearCalls();
  download();
  EXPECT_EQ(count("PLC_CloseDev"), 0);
  EXPECT_EQ(count("PLC_OpenDev"), 0);
  EXPECT_EQ(count("CMD_Write"), 0);
  EXPECT_EQ(count("PLC_Send"), 0);
  EXPECT_EQ(status(), kUploading);
  // The first one still completes.
  api.finish(PlcResultDone);
  EXPECT_EQ(status(), kUploaded);
}

TEST_F(DeviceFormTest, ASendTheLibraryRefusesLeavesTheEditorFree) {
  LoadExample(project());
  open();
  api.running = FakePlcApi::Job{};  // the library is busy with another send
  download();
  EXPECT_EQ(count("PLC_Send"), 1);
  EXPECT_EQ(status(), QStringLiteral("通讯忙，请稍后再试"));
  EXPECT_FALSE(form->download().Busy);

  api.running.reset();
  download();
  EXPECT_EQ(count("PLC_Send"), 2);
  EXPECT_EQ(status(), kUploading);
  EXPECT_TRUE(form->download().Busy);
}

TEST_F(DeviceFormTest, DownloadsTheListsCannotCarryAreRefusedNamingTheDevice) {
  struct Case {
    const char *what;
    std::function<void(Project &)> spoil;
    const char *text;
  };
  const std::vector<Case> cases = {
      {"delay above 255", [](Project &p) { p.DeviceCtrl.SetEntryDelay(1, 0, 300); },
       "设备“B”的延迟时间300超出0..255，无法下载。"},
      {"eleven entries",
       [](Project &p) {
         // Ten outputs in use, and one of them twice, as a crafted file may have it.
         for (int q = 4; q < 10; ++q) ASSERT_TRUE(selkan::AddEntry(p, 0, q));
         ASSERT_TRUE(selkan::AddEntry(p, 1, 2));
         p.DeviceCtrl.AddEntry(1, selkan::MakeEntry(2, 1));
       },
       "逻辑列表超过10项，无法下载。"},
      {"ID 16",
       [](Project &p) {
         p.DeviceCtrl.Add(Gbk("C"), 0, 16);
         ASSERT_TRUE(selkan::AddEntry(p, 2, 2));
       },
       "设备“C”的编号16超出0..15，无法下载。"},
      {"missing output", [](Project &p) { p.DeviceCtrl.AddEntry(0, selkan::MakeEntry(99, 1)); },
       "设备“A”引用了无效的输出口，无法下载。"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    form.reset();
    project().ResetLists();
    LoadExample(project());
    c.spoil(project());
    open();
    api.clearCalls();
    MessageBoxScript boxes;
    boxes.answer(ui::IDOK);
    download();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, QString::fromUtf8(c.text));
    EXPECT_EQ(count("CMD_Write"), 0);
    EXPECT_EQ(count("PLC_Send"), 0);
    EXPECT_FALSE(form->download().Busy);
  }
}

TEST_F(DeviceFormTest, ALinkThatDoesNotOpenSendsNothing) {
  LoadExample(project());
  open();
  api.openResult = -1;
  MessageBoxScript boxes;
  boxes.answer(ui::IDOK);
  download();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("打开设备失败"));
  EXPECT_EQ(count("PLC_Send"), 0);
  EXPECT_FALSE(form->download().Busy);
}

TEST_F(DeviceFormTest, CancelledDialogChangesNothing) {
  LoadExample(project());
  open();
  api.clearCalls();
  {
    ModalScript modal;
    modal.then([](ui::Form &f) {
      dynamic_cast<TConnForm &>(f).setNetwork(true);
      return ui::mrCancel;
    });
    form->sbnSaveTo->click();
  }
  EXPECT_TRUE(api.calls.empty());
  EXPECT_FALSE(Global().LinkIsNetwork);
}

// The link dialog's 取消 takes Escape and its 确定 Enter, wherever the
// keyboard is in it.
TEST_F(DeviceFormTest, TheLinkDialogTakesEscapeAndEnter) {
  LoadExample(project());
  open();
  api.clearCalls();
  const auto pressIn = [](int key) {
    return [key](ui::Form &f) {
      auto &conn = dynamic_cast<TConnForm &>(f);
      conn.show();
      QWidget *focus = conn.cmbComm->widget();
      focus->setFocus();
      testsupport::pressKey(focus, key);
      return conn.modalResult();
    };
  };
  {
    ModalScript modal;
    modal.then(pressIn(Qt::Key_Escape));
    form->sbnSaveTo->click();
  }
  EXPECT_TRUE(api.calls.empty());
  {
    ModalScript modal;
    modal.then(pressIn(Qt::Key_Return));
    form->sbnSaveTo->click();
  }
  EXPECT_EQ(count("PLC_OpenDev"), 1);
  EXPECT_EQ(count("PLC_Send"), 1);
}

TEST_F(DeviceFormTest, ClosingDropsTheWindowBeforeTheLibraryIsCleanedUp) {
  LoadExample(project());
  open();
  download();
  const HWND old = form->handle();
  api.onNotice = nullptr;
  form.reset();
  ASSERT_FALSE(api.calls.empty());
  EXPECT_EQ(api.calls.back().name, "PLC_Cleanup");
  // A notice the worker still sends goes nowhere.
  EXPECT_EQ(SendMessageA(old, tarnex_client::kPlcNoticeMessage, WPARAM{PlcResultDone} << 16, 0), 0);
}

}  // namespace
