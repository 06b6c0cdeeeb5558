// The register debug console on the recording stand-in for the link
// library: what each button sends, and how the notices, delivered as window
// messages, come back into the controls.
#include "controller_editor/forms/debug_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

#include <gtest/gtest.h>

#include "tests/controller_editor/forms/editor_window_test.h"
#include "tests/support/fake_plc_api.h"
#include "tests/support/test_link_services.h"
#include "window_messages.h"

namespace {

using tarnex_client::testing::FakeCall;
using tarnex_client::testing::FakePlcApi;
using Handler = void (TDebugForm::*)();

std::vector<uint16_t> Args(const FakeCall &call) {
  std::vector<uint16_t> out;
  for (int64_t a : call.args) out.push_back(static_cast<uint16_t>(a));
  return out;
}

class DebugFormTest : public testsupport::EditorWindowTest {
 protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    api.openResult = 3;
    form = std::make_unique<TDebugForm>(nullptr, testsupport::ServicesOver(api));
    // The notice reaches the console as the library sends it: one window
    // message with the function in the low and the result in the high word.
    api.onNotice = [this](uint16_t function, uint16_t result) {
      const WPARAM w = static_cast<WPARAM>(function) | (static_cast<WPARAM>(result) << 16);
      SendMessageA(form->handle(), tarnex_client::kPlcNoticeMessage, w, 0);
    };
    form->eIP->setText(QStringLiteral("127.0.0.1"));
    form->cmbPLC->widget()->setEditText(QStringLiteral("01"));
  }

  void TearDown() override {
    form.reset();
    EditorWindowTest::TearDown();
  }

  void open() {
    form->rbNetwork->setChecked(true);
    form->sbnOpenCommClick();
    ASSERT_EQ(status(), QStringLiteral("打开设备成功"));
    api.clearCalls();
  }

  QString status() const { return form->stbM->panel(0).text; }
  QStringList items(const ui::RadioGroup &group) const { return group.items(); }

  FakePlcApi api;
  std::unique_ptr<TDebugForm> form;
};

TEST_F(DebugFormTest, CreationStartsTheLibraryAndBuildsTheControls) {
  const auto startups = api.callsNamed("PLC_Startup");
  ASSERT_EQ(startups.size(), 1u);
  EXPECT_EQ(startups[0].args, (std::vector<int64_t>{tarnex_client::kDirectMode}));
  const auto notifies = api.callsNamed("PLC_SetNotify");
  ASSERT_EQ(notifies.size(), 1u);
  EXPECT_EQ(notifies[0].args,
            (std::vector<int64_t>{static_cast<int64_t>(form->handle()), tarnex_client::kPlcNoticeMessage}));

  EXPECT_EQ(form->caption(), QStringLiteral("PLC调试"));
  QComboBox *plc = form->cmbPLC->widget();
  EXPECT_TRUE(plc->isEditable());
  ASSERT_EQ(plc->count(), 256);
  EXPECT_EQ(plc->itemText(0), QStringLiteral("00"));
  EXPECT_EQ(plc->itemText(9), QStringLiteral("09"));
  EXPECT_EQ(plc->itemText(255), QStringLiteral("255"));
  ASSERT_EQ(form->cmbComm->widget()->count(), 64);
  EXPECT_EQ(form->cmbComm->widget()->itemText(63), QStringLiteral("64"));
  EXPECT_EQ(form->cmbComm->widget()->currentIndex(), selkan::Global().LinkPort - 1);
  EXPECT_TRUE(form->rbComm->checked());
  EXPECT_FALSE(form->rbNetwork->checked());

  EXPECT_EQ(form->rgDO->columns(), 2);
  EXPECT_EQ(form->rgDI->columns(), 2);
  EXPECT_EQ(items(*form->rgDO), QStringList({"01", "02", "03", "04", "05", "06", "07", "08", "09", "10"}));
  EXPECT_EQ(items(*form->rgDI).size(), 12);
  EXPECT_EQ(items(*form->rgDI).last(), QStringLiteral("12"));
  EXPECT_EQ(form->rgDO->itemIndex(), 0);
  EXPECT_EQ(form->rgDI->itemIndex(), 0);

  EXPECT_EQ(form->sg->colCount(), 3);
  EXPECT_EQ(form->sg->rowCount(), 11);
  EXPECT_EQ(form->sg->fixedRows(), 1);
  EXPECT_EQ(form->sg->fixedCols(), 0);
  EXPECT_EQ(form->sg->leftCol(), 0);  // the device column is in view
  EXPECT_EQ(form->sg->colWidth(1), 54);
  EXPECT_EQ(form->sg->cell(0, 0), QStringLiteral("逻辑编号"));
  EXPECT_EQ(form->sg->cell(1, 0), QStringLiteral("输出DO"));
  EXPECT_EQ(form->sg->cell(2, 0), QStringLiteral("延时"));

  EXPECT_EQ(form->eReg->text(), QStringLiteral("128"));
  EXPECT_EQ(form->eValue->text(), QStringLiteral("1"));
  EXPECT_EQ(form->macText(), QStringLiteral("AA.BB.CC.DD.EE.FF"));
  EXPECT_EQ(form->ipText(), QStringLiteral("192.168.000.001"));
  EXPECT_FALSE(form->sbnExcmd->visible());
  EXPECT_EQ(form->stbM->panelCount(), 1);
  EXPECT_EQ(form->logic().linkHandle(), -1);
}

TEST_F(DebugFormTest, TheStoredLinkKindIsPreselected) {
  form.reset();
  selkan::Global().LinkIsNetwork = true;
  selkan::Global().LinkPort = 5;
  form = std::make_unique<TDebugForm>(nullptr, testsupport::ServicesOver(api));
  EXPECT_TRUE(form->rbNetwork->checked());
  EXPECT_FALSE(form->rbComm->checked());
  EXPECT_EQ(form->cmbComm->widget()->currentIndex(), 4);
  EXPECT_EQ(form->eIP->text(), QStringLiteral("192.168.0.254"));
}

// Serial port n is item n - 1 of the list; the kind follows the checked
// button.
TEST_F(DebugFormTest, OpenAsksForTheChosenLink) {
  struct Case {
    bool network;
    int comIndex;
    int64_t devTypePort;
  };
  for (const Case &c : {Case{false, 2, (3 << 16) | 1}, Case{true, 0, (1 << 16) | 2}}) {
    api.clearCalls();
    (c.network ? form->rbNetwork : form->rbComm)->setChecked(true);
    form->cmbComm->widget()->setCurrentIndex(c.comIndex);
    form->sbnOpenCommClick();
    const auto opens = api.callsNamed("PLC_OpenDev");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].args, (std::vector<int64_t>{c.devTypePort, 9600, 0})) << c.network;
    EXPECT_EQ(status(), QStringLiteral("打开设备成功"));
  }
  api.openResult = -1;
  form->sbnOpenCommClick();
  EXPECT_EQ(status(), QStringLiteral("打开设备失败或设备已被占用"));
  EXPECT_EQ(form->logic().linkHandle(), -1);

  // A serial port that does not open says which device and why.
  form->rbComm->setChecked(true);
  form->cmbComm->widget()->setCurrentIndex(1);
  const struct {
    tarnex_client::SerialPortProblem problem;
    QString text;
  } reasons[] = {
      {{tarnex_client::SerialFault::Missing, "/dev/ttyS1", ""}, QStringLiteral("打开设备失败（/dev/ttyS1 不存在）")},
      {{tarnex_client::SerialFault::NoPermission, "/dev/ttyS1", "dialout"},
       QStringLiteral("打开设备失败（/dev/ttyS1 无权限，请加入 dialout 组）")},
      {{tarnex_client::SerialFault::Busy, "/dev/ttyS1", ""}, QStringLiteral("打开设备失败（/dev/ttyS1 被其他程序占用）")},
  };
  for (const auto &r : reasons) {
    api.serialProblems[2] = r.problem;
    form->sbnOpenCommClick();
    EXPECT_EQ(status(), r.text);
    EXPECT_EQ(form->logic().linkHandle(), -1);
  }
}

// Without a link every operation only says so.
TEST_F(DebugFormTest, EveryOperationWithoutALinkAsksToOpenTheDevice) {
  const Handler operations[] = {
      &TDebugForm::sbnReadClick,      &TDebugForm::sbnWriteClick,     &TDebugForm::sbnWrite2Click,
      &TDebugForm::sbnO1Click,        &TDebugForm::sbnO2Click,        &TDebugForm::sbnI1Click,
      &TDebugForm::sbnI2Click,        &TDebugForm::sbnReadLogicClick, &TDebugForm::sbnReadTimerClick,
      &TDebugForm::sbnConnReadClick,  &TDebugForm::sbnConnWriteClick, &TDebugForm::sbnRestoreClick,
      &TDebugForm::sbnReadOClick,     &TDebugForm::sbnReadIClick,     &TDebugForm::sbnReadAinClick,
  };
  testsupport::MessageBoxScript boxes;
  for (size_t i = 0; i < std::size(operations); ++i) boxes.answer(ui::IDOK);
  boxes.answer(ui::IDOK);  // the force flag's click
  for (Handler operation : operations) (form.get()->*operation)();
  form->chbForce->widget()->click();

  ASSERT_EQ(boxes.shown().size(), std::size(operations) + 1);
  for (const auto &box : boxes.shown()) {
    EXPECT_EQ(box.text, QStringLiteral("请先打开设备"));
    EXPECT_EQ(box.caption, QStringLiteral("提示"));
  }
  EXPECT_TRUE(api.commands().empty());
  EXPECT_TRUE(api.callsNamed("PLC_Send").empty());
  EXPECT_EQ(items(*form->rgDO).first(), QStringLiteral("01"));
  EXPECT_FALSE(form->chbForce->checked());
  EXPECT_EQ(status(), QString());
}

// Sends go to the host in eIP and the controller port of the editor, to the
// controller typed into the address box.
TEST_F(DebugFormTest, SendsGoToTheTypedHostPortAndAddress) {
  open();
  selkan::Global().LinkUdpPort = 7123;
  form->cmbPLC->widget()->setEditText(QStringLiteral("300"));
  form->sbnReadClick();
  const auto sends = api.callsNamed("PLC_Send");
  ASSERT_EQ(sends.size(), 1u);
  EXPECT_EQ(sends[0].host, "127.0.0.1");
  EXPECT_EQ(sends[0].args, (std::vector<int64_t>{3, 7123}));
  const auto reads = api.callsNamed("CMD_Read");
  ASSERT_EQ(reads.size(), 1u);
  EXPECT_EQ(reads[0].args, (std::vector<int64_t>{44, 128, 1}));
  EXPECT_EQ(status(), QStringLiteral("正在读寄存器..."));
  EXPECT_EQ(form->logic().pendingRequest(), selkan::DebugConsoleLogic::OneRegister);
}

// Over the network link a remote address that is not a dotted quad stops
// every send before anything is built; on a serial link it plays no part.
TEST_F(DebugFormTest, ABadRemoteIpIsRefusedBeforeANetworkSend) {
  open();
  const Handler operations[] = {&TDebugForm::sbnReadClick, &TDebugForm::sbnWriteClick, &TDebugForm::sbnReadLogicClick};
  const QString bad[] = {QStringLiteral("192.168.0"), QStringLiteral("localhost"), QString(),
                         QStringLiteral("127.0.0.1 "), QStringLiteral("127.0.0.256")};
  testsupport::MessageBoxScript boxes;
  for (size_t i = 0; i < std::size(bad) * std::size(operations); ++i) boxes.answer(ui::IDOK);
  for (const QString &ip : bad) {
    form->eIP->setText(ip);
    for (Handler operation : operations) (form.get()->*operation)();
  }
  ASSERT_EQ(boxes.shown().size(), std::size(bad) * std::size(operations));
  for (const auto &box : boxes.shown()) {
    EXPECT_EQ(box.text, QStringLiteral("远程IP地址无效，应为如192.168.0.2的格式。"));
    EXPECT_EQ(box.caption, QStringLiteral("提示"));
  }
  EXPECT_TRUE(api.commands().empty());
  EXPECT_TRUE(api.callsNamed("PLC_Send").empty());

  form->eIP->setText(QStringLiteral("127.0.0.1"));
  form->sbnReadClick();
  EXPECT_EQ(api.callsNamed("PLC_Send").size(), 1u);

  // The serial link sends whatever the address field holds.
  form->rbComm->setChecked(true);
  form->sbnOpenCommClick();
  api.clearCalls();
  form->eIP->setText(QStringLiteral("localhost"));
  form->sbnReadClick();
  EXPECT_EQ(api.callsNamed("PLC_Send").size(), 1u);
  EXPECT_EQ(boxes.shown().size(), std::size(bad) * std::size(operations));
}

// Each write button: its register and word, and the item it marks.
TEST_F(DebugFormTest, WriteButtonsWriteTheirRegisters) {
  open();
  form->rgDO->setItemIndex(4);
  form->rgDI->setItemIndex(3);
  form->eReg->setText(QStringLiteral("130"));
  form->eValue->setText(QStringLiteral("77"));
  struct Case {
    Handler button;
    std::vector<uint16_t> args;  // address, first register, count
    uint16_t word;
  };
  const Case cases[] = {
      {&TDebugForm::sbnWriteClick, {1, 3, 1}, 77},    {&TDebugForm::sbnWrite2Click, {1, 130, 1}, 77},
      {&TDebugForm::sbnO1Click, {1, 52, 1}, 1},       {&TDebugForm::sbnO2Click, {1, 52, 1}, 2},
      {&TDebugForm::sbnI1Click, {1, 3, 1}, 1},        {&TDebugForm::sbnI2Click, {1, 3, 1}, 2},
      {&TDebugForm::sbnRestoreClick, {1, 228, 1}, 1},
  };
  for (const Case &c : cases) {
    api.clearCalls();
    (form.get()->*c.button)();
    const auto writes = api.callsNamed("CMD_Write");
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(Args(writes[0]), c.args);
    EXPECT_EQ(writes[0].words, (std::vector<uint16_t>{c.word}));
    EXPECT_EQ(status(), QStringLiteral("正在写寄存器..."));
    api.answerWrite(1);
    EXPECT_EQ(status(), QStringLiteral("完成!"));
    // A write's echo never lands in the value box.
    EXPECT_EQ(form->eValue->text(), QStringLiteral("77"));
  }
  EXPECT_EQ(form->rgDO->item(4), QStringLiteral("05 - 0"));
  EXPECT_EQ(form->rgDI->item(3), QStringLiteral("04 - 0"));
}

TEST_F(DebugFormTest, TheLogicReplyFillsTheGrid) {
  open();
  form->sbnReadLogicClick();
  api.answerRead(1, {0x2305, 0x000A, 0x0319, 0x1100, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF});
  EXPECT_EQ(status(), QStringLiteral("完成!"));
  const QStringList row1 = {form->sg->cell(0, 1), form->sg->cell(1, 1), form->sg->cell(2, 1)};
  EXPECT_EQ(row1, QStringList({"2", "3", "5"}));
  EXPECT_EQ(form->sg->cell(2, 3), QStringLiteral("25"));
  EXPECT_EQ(form->sg->cell(0, 4), QStringLiteral("1"));
  EXPECT_EQ(form->sg->cell(2, 10), QStringLiteral("255"));
  EXPECT_EQ(form->sg->cell(0, 0), QStringLiteral("逻辑编号"));
}

// A second read while the first is on its way is refused; the first reply
// is still decoded as what it answers.
TEST_F(DebugFormTest, AReadRefusedWhileBusyLeavesTheFirstReadsKind) {
  open();
  form->sbnReadLogicClick();
  form->sbnReadIClick();
  EXPECT_EQ(status(), QStringLiteral("通讯忙，请稍后再试"));
  api.answerRead(1, {0x2305, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(status(), QStringLiteral("完成!"));
  EXPECT_EQ(form->sg->cell(0, 1), QStringLiteral("2"));
  EXPECT_EQ(form->rgDI->item(0), QStringLiteral("01"));
  EXPECT_EQ(form->logic().pendingRequest(), selkan::DebugConsoleLogic::Write);
}

// The inputs reply sets the force flag without a click: no write follows.
TEST_F(DebugFormTest, InputStatesSetTheForceFlagSilently) {
  open();
  form->sbnReadIClick();
  std::vector<uint16_t> words(16, 0);
  words[1] = 1;
  words[11] = 1;
  words[15] = 1;
  api.answerRead(1, words);
  EXPECT_TRUE(form->chbForce->checked());
  EXPECT_EQ(form->rgDI->item(0), QStringLiteral("01 - 0"));
  EXPECT_EQ(form->rgDI->item(1), QStringLiteral("02 - 1"));
  EXPECT_EQ(form->rgDI->item(11), QStringLiteral("12 - 1"));
  EXPECT_EQ(status(), QStringLiteral("完成!"));
  EXPECT_TRUE(api.callsNamed("CMD_Write").empty());
  EXPECT_EQ(api.callsNamed("PLC_Send").size(), 1u);

  // The operator's click writes the flag.
  form->chbForce->widget()->click();
  const auto writes = api.callsNamed("CMD_Write");
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(Args(writes[0]), (std::vector<uint16_t>{1, 15, 1}));
  EXPECT_EQ(writes[0].words, (std::vector<uint16_t>{0}));
  EXPECT_FALSE(form->chbForce->checked());
}

// A click whose write the library refuses leaves the box as it was.
TEST_F(DebugFormTest, ARefusedForceWriteKeepsTheBox) {
  open();
  form->sbnReadClick();
  form->chbForce->widget()->click();
  EXPECT_EQ(status(), QStringLiteral("通讯忙，请稍后再试"));
  EXPECT_FALSE(form->chbForce->checked());
}

TEST_F(DebugFormTest, OtherReadsShowTheirTexts) {
  open();
  form->sbnReadOClick();
  std::vector<uint16_t> outputs(10, 1);
  outputs[2] = 0;
  api.answerRead(1, outputs);
  EXPECT_EQ(form->rgDO->item(2), QStringLiteral("03 - 1"));
  EXPECT_EQ(form->rgDO->item(0), QStringLiteral("01 - 0"));

  form->sbnReadAinClick();
  std::vector<uint16_t> analogue(16, 0);
  analogue[0] = 35;
  analogue[8] = 60;
  api.answerRead(1, analogue);
  const QStringList lines = form->mmAin->widget()->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 9);
  EXPECT_EQ(lines[0], QStringLiteral("采集数值  --  极限数值"));
  EXPECT_EQ(lines[1], QStringLiteral("00000035  --  00000060"));

  form->sbnReadTimerClick();
  std::vector<uint16_t> plan(75, 0);
  plan[0] = 1;
  plan[17] = 1;
  plan[19] = 0x0815;
  plan[20] = 0x1230;
  api.answerRead(1, plan);
  const QStringList timer = form->mmTimer->widget()->toPlainText().split('\n');
  ASSERT_EQ(timer.size(), 36);
  EXPECT_EQ(timer[0], QStringLiteral("定时功能开启"));
  EXPECT_EQ(timer[1], QStringLiteral("[星期日]"));
  EXPECT_EQ(timer[2], QStringLiteral("     时段1启用 [08:21 - 18:48]"));

  // A reply of another count than read shows the data error and nothing else.
  form->sbnReadAinClick();
  api.answerRead(1, {1});
  EXPECT_EQ(status(), QStringLiteral("数据错误"));
  EXPECT_EQ(form->mmAin->widget()->toPlainText().split('\n').value(1), QStringLiteral("00000035  --  00000060"));
}

// The network fields show a reply and write back what they show.
TEST_F(DebugFormTest, MaskedNetworkFieldsRoundTrip) {
  open();
  form->sbnConnReadClick();
  const std::vector<uint16_t> words = {0x2211, 0x4433, 0x6655, 0xA8C0, 0x0100, 6666};
  api.answerRead(1, words);
  EXPECT_EQ(form->macText(), QStringLiteral("11.22.33.44.55.66"));
  EXPECT_EQ(form->ipText(), QStringLiteral("192.168.000.001"));
  EXPECT_EQ(form->mePort->text(), QStringLiteral("6666"));
  api.clearCalls();
  form->sbnConnWriteClick();
  auto writes = api.callsNamed("CMD_Write");
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(Args(writes[0]), (std::vector<uint16_t>{1, 208, 6}));
  EXPECT_EQ(writes[0].words, words);
  api.answerWrite(1);

  // What the operator types, blanks included: a blank MAC digit counts 0
  // ("6 " is 0x60), an IP part of one or two digits is read as typed.
  form->meMAC->lineEdit()->clear();
  form->meMAC->lineEdit()->setFocus();
  QTest::keyClicks(form->meMAC->lineEdit(), QStringLiteral("1a2b3c4d5e6"));
  form->meIP->lineEdit()->setText(QStringLiteral("10.0.0.7"));
  EXPECT_EQ(form->macText(), QStringLiteral("1a.2b.3c.4d.5e.6 "));
  EXPECT_EQ(form->ipText(), QStringLiteral("10 .0  .0  .7  "));
  api.clearCalls();
  form->sbnConnWriteClick();
  writes = api.callsNamed("CMD_Write");
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].words, (std::vector<uint16_t>{0x2B1A, 0x4D3C, 0x605E, 10, 7 << 8, 6666}));
}

// Bad input shows the reason and sends nothing.
TEST_F(DebugFormTest, BadInputIsRefusedWithItsReason) {
  open();
  struct Case {
    QString reg, value, ip, port;
    Handler button;
    QString text;
  };
  const QString ip = QStringLiteral("192.168.000.001");
  const Case cases[] = {
      {"70000", "1", ip, "6666", &TDebugForm::sbnReadClick, "寄存器和数值应为0..65535。"},
      {"128", "-1", ip, "6666", &TDebugForm::sbnWrite2Click, "寄存器和数值应为0..65535。"},
      {"128", "65536", ip, "6666", &TDebugForm::sbnWriteClick, "寄存器和数值应为0..65535。"},
      {"128", "1", "300.168.000.001", "6666", &TDebugForm::sbnConnWriteClick, "IP地址每段应为0..255。"},
      {"128", "1", "192.168..001", "6666", &TDebugForm::sbnConnWriteClick, "'' is not a valid integer value"},
      {"128", "1", ip, "0", &TDebugForm::sbnConnWriteClick, "端口应为1..65535。"},
      {"128", "1", ip, "70000", &TDebugForm::sbnConnWriteClick, "端口应为1..65535。"},
  };
  testsupport::MessageBoxScript boxes;
  for (size_t i = 0; i < std::size(cases); ++i) boxes.answer(ui::IDOK);
  for (const Case &c : cases) {
    form->eReg->setText(c.reg);
    form->eValue->setText(c.value);
    form->meIP->setText(c.ip);
    form->mePort->setText(c.port);
    (form.get()->*c.button)();
  }
  ASSERT_EQ(boxes.shown().size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(boxes.shown()[i].text, cases[i].text) << i;
  EXPECT_TRUE(api.commands().empty());
  EXPECT_TRUE(api.callsNamed("PLC_Send").empty());
}

// The form goes: its window first, then the library with every link.
TEST_F(DebugFormTest, ClosingDropsTheWindowThenCleansUp) {
  open();
  form->sbnReadClick();
  const HWND window = form->handle();
  form.reset();
  ASSERT_FALSE(api.calls.empty());
  EXPECT_EQ(api.calls.back().name, "PLC_Cleanup");
  // A late notice to the old window goes nowhere.
  EXPECT_EQ(SendMessageA(window, tarnex_client::kPlcNoticeMessage, 1u << 16 | 3u, 0), 0);
  api.onNotice = nullptr;
}

}  // namespace
