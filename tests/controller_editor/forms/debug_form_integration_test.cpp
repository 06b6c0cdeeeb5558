// The register debug console end to end: the real link library and a
// simulated controller on loopback UDP (local port 0, the simulator's port
// as the controller's) and on a pty named COM3 in the test's executable
// directory. Waits have 5 s deadlines: they check that things happen, not
// how fast.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controller_editor/forms/debug_form.h"
#include "plc_register_map.h"
#include "tests/controller_editor/forms/editor_window_test.h"
#include "tests/support/com_link.h"
#include "tests/support/loopback_plc_api.h"
#include "tests/support/test_link_services.h"
#include "tools/controller_sim/controller_sim.h"

namespace {

using controller_sim::ControllerSim;
using testsupport::waitFor;

constexpr const char *kReadInputs = ":010300000010";
constexpr const char *kReadLogicFrame = ":010300A0000A";

class DebugFormIntegrationTest : public testsupport::EditorWindowTest {
 protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    simPort = sim.startUdp(0);
    selkan::Global().LinkUdpPort = simPort;
  }

  void TearDown() override {
    form.reset();
    sim.stop();
    EditorWindowTest::TearDown();
  }

  // A console on the guarded library, set to this machine and controller 1.
  void make() {
    form = std::make_unique<TDebugForm>(nullptr, testsupport::ServicesOver(api));
    form->eIP->setText(QStringLiteral("127.0.0.1"));
    form->cmbPLC->widget()->setEditText(QStringLiteral("01"));
  }

  void openNetwork() {
    form->rbNetwork->setChecked(true);
    form->sbnOpenCommClick();
    ASSERT_EQ(status(), QStringLiteral("打开设备成功"));
  }

  QString status() const { return form->stbM->panel(0).text; }

  // Clicks and waits for the status the reply leaves. The library stays
  // busy until the worker that delivered the last notice has ended, a moment
  // after the notice; a click in that moment is refused as an operator's
  // would be, so it is clicked again.
  bool clickAndWait(const std::function<void()> &click, const QString &expected = QStringLiteral("完成!")) {
    click();
    const bool done = waitFor([&] {
      if (status() == QStringLiteral("通讯忙，请稍后再试")) click();
      return status() == expected;
    });
    if (!done) ADD_FAILURE() << "status " << status().toStdString() << ", wanted " << expected.toStdString();
    return done;
  }
  bool clickAndWait(void (TDebugForm::*button)(), const QString &expected = QStringLiteral("完成!")) {
    return clickAndWait([this, button] { (form.get()->*button)(); }, expected);
  }

  ControllerSim sim{1};
  uint16_t simPort = 0;
  testsupport::LoopbackOnlyPlcApi api;
  std::unique_ptr<TDebugForm> form;
};

TEST_F(DebugFormIntegrationTest, ReadsAndWritesARegister) {
  sim.setReg(128, 300);
  make();
  openNetwork();
  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadClick));
  EXPECT_EQ(form->eValue->text(), QStringLiteral("300"));

  form->eValue->setText(QStringLiteral("4321"));
  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnWrite2Click));
  EXPECT_EQ(sim.reg(128), 4321);
  EXPECT_EQ(form->eValue->text(), QStringLiteral("4321"));

  // "写入" writes into the input register picked in the DI group.
  form->rgDI->setItemIndex(3);
  form->eValue->setText(QStringLiteral("5"));
  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnWriteClick));
  EXPECT_EQ(sim.reg(3), 5);
}

// Every block read against the controller's factory registers.
TEST_F(DebugFormIntegrationTest, BlockReadsShowTheControllersDefaults) {
  make();
  openNetwork();

  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadIClick));
  QStringList inputs = {"01 - 0", "02 - 1"};
  for (int i = 3; i <= 12; ++i) inputs.push_back(QStringLiteral("%1 - 1").arg(i, 2, 10, QLatin1Char('0')));
  EXPECT_EQ(form->rgDI->items(), inputs);
  EXPECT_FALSE(form->chbForce->checked());

  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadOClick));
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(form->rgDO->item(i).endsWith(QStringLiteral(" - 0"))) << i;

  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadAinClick));
  const QStringList ain = form->mmAin->widget()->toPlainText().split('\n');
  ASSERT_EQ(ain.size(), 9);
  EXPECT_EQ(ain[1], QStringLiteral("00000035  --  00000060"));
  EXPECT_EQ(ain[2], QStringLiteral("00000420  --  00000060"));
  EXPECT_EQ(ain[8], QStringLiteral("00000000  --  00000060"));

  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadLogicClick));
  for (int row = 1; row <= 10; ++row) {
    EXPECT_EQ(form->sg->cell(0, row), QStringLiteral("15"));
    EXPECT_EQ(form->sg->cell(1, row), QStringLiteral("15"));
    EXPECT_EQ(form->sg->cell(2, row), QStringLiteral("255"));
  }

  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadTimerClick));
  EXPECT_EQ(form->mmTimer->widget()->toPlainText(), QStringLiteral("定时功能关闭"));

  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnConnReadClick));
  EXPECT_EQ(form->macText(), QStringLiteral("02.4C.57.00.00.01"));
  EXPECT_EQ(form->ipText(), QStringLiteral("192.168.000.002"));
  EXPECT_EQ(form->mePort->text(), QStringLiteral("6666"));
}

// Writes that act on the controller: an output switched on, the force
// flag, the network settings, and the factory reset undoing them.
TEST_F(DebugFormIntegrationTest, WritesActOnTheController) {
  make();
  openNetwork();
  form->rgDO->setItemIndex(4);
  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnO1Click));
  EXPECT_EQ(form->rgDO->item(4), QStringLiteral("05 - 1"));
  EXPECT_EQ(sim.reg(plc::kRegOutputStateFirst + 4), 0);
  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadOClick));
  EXPECT_EQ(form->rgDO->item(4), QStringLiteral("05 - 1"));
  EXPECT_EQ(form->rgDO->item(3), QStringLiteral("04 - 0"));

  // A refused click leaves the box clear, so clicking again checks it.
  ASSERT_TRUE(clickAndWait([this] { form->chbForce->widget()->click(); }));
  EXPECT_TRUE(form->chbForce->checked());
  EXPECT_EQ(sim.reg(plc::kRegForceMode), 1);

  form->meMAC->setText(QStringLiteral("11.22.33.44.55.66"));
  form->meIP->setText(QStringLiteral("010.001.002.003"));
  form->mePort->setText(QStringLiteral("7000"));
  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnConnWriteClick));
  EXPECT_EQ(sim.reg(plc::kRegMac10), 0x2211);
  EXPECT_EQ(sim.reg(plc::kRegMac54), 0x6655);
  EXPECT_EQ(sim.reg(plc::kRegIp01), 10 + 1 * 256);
  EXPECT_EQ(sim.reg(plc::kRegIp23), 2 + 3 * 256);
  EXPECT_EQ(sim.reg(plc::kRegUdpPort), 7000);

  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnRestoreClick));
  EXPECT_EQ(sim.reg(plc::kRegMac10), 0x4C02);
  EXPECT_EQ(sim.reg(plc::kRegUdpPort), 6666);
  EXPECT_EQ(sim.reg(plc::kRegForceMode), 0);
  EXPECT_EQ(sim.reg(plc::kRegOutputStateFirst + 4), 1);
}

TEST_F(DebugFormIntegrationTest, FaultsOfTheControllerShowTheirTexts) {
  make();
  openNetwork();
  ASSERT_TRUE(sim.setFault("silent"));
  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadClick, QStringLiteral("通讯故障，超时!")));
  EXPECT_EQ(form->eValue->text(), QStringLiteral("1"));

  // A reply one register short is not taken as this read's reply: the
  // library waits on, and the short words are never shown as fresh.
  ASSERT_TRUE(sim.setFault("short"));
  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadLogicClick, QStringLiteral("通讯故障，超时!")));
  EXPECT_EQ(form->sg->cell(0, 1), QString());

  // The link works again once the controller does.
  ASSERT_TRUE(sim.setFault("none"));
  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadLogicClick));
  EXPECT_EQ(form->sg->cell(0, 1), QStringLiteral("15"));
}

TEST_F(DebugFormIntegrationTest, AReadWhileAnotherRunsIsRefused) {
  sim.setReg(plc::kRegLogicFirst, 0x2305);
  make();
  openNetwork();
  ASSERT_TRUE(sim.setFault("late:300"));
  form->sbnReadLogicClick();
  form->sbnReadIClick();
  EXPECT_EQ(status(), QStringLiteral("通讯忙，请稍后再试"));
  ASSERT_TRUE(waitFor([&] { return status() == QStringLiteral("完成!"); }));
  EXPECT_EQ(form->sg->cell(0, 1), QStringLiteral("2"));
  EXPECT_EQ(form->sg->cell(1, 1), QStringLiteral("3"));
  EXPECT_EQ(form->sg->cell(2, 1), QStringLiteral("5"));
  EXPECT_EQ(form->rgDI->item(0), QStringLiteral("01"));
  const auto requests = sim.received();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_TRUE(requests[0].starts_with(kReadLogicFrame)) << requests[0];
}

// The forced flag read back checks the box without writing it.
TEST_F(DebugFormIntegrationTest, TheForceFlagReadBackWritesNothing) {
  sim.setReg(plc::kRegForceMode, 1);
  make();
  openNetwork();
  sim.clearEvents();
  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadIClick));
  EXPECT_TRUE(form->chbForce->checked());
  testsupport::processEvents();
  const auto requests = sim.received();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_TRUE(requests[0].starts_with(kReadInputs)) << requests[0];
  EXPECT_EQ(sim.reg(plc::kRegForceMode), 1);
}

// Opening again closes the link first: the same slot, and it works.
TEST_F(DebugFormIntegrationTest, OpeningTwiceReusesTheLink) {
  sim.setReg(128, 300);
  make();
  openNetwork();
  const int32_t slot = form->logic().linkHandle();
  openNetwork();
  EXPECT_EQ(form->logic().linkHandle(), slot);
  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadClick));
  EXPECT_EQ(form->eValue->text(), QStringLiteral("300"));
  form->sbnCloseCommClick();
  EXPECT_EQ(status(), QStringLiteral("设备已关闭"));
  EXPECT_EQ(form->logic().linkHandle(), -1);
}

// A console closed while its send waits for a late reply: the next console
// is answered.
TEST_F(DebugFormIntegrationTest, ClosingMidSendLeavesTheNextConsoleWorking) {
  sim.setReg(128, 300);
  make();
  openNetwork();
  ASSERT_TRUE(sim.setFault("late:500"));
  form->sbnReadClick();
  ASSERT_EQ(status(), QStringLiteral("正在读寄存器..."));
  ASSERT_TRUE(waitFor([&] { return !sim.received().empty(); }));
  form->close();
  form.reset();
  testsupport::processEvents();
  ASSERT_TRUE(sim.setFault("none"));

  make();
  openNetwork();
  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadClick));
  EXPECT_EQ(form->eValue->text(), QStringLiteral("300"));
}

// The serial link: COM3 in the executable's directory is a pty with the
// simulator at its other end; the console here runs on the real library.
TEST_F(DebugFormIntegrationTest, ReadsOverTheSerialPort) {
  ControllerSim serial(1);
  serial.setReg(128, 300);
  const testsupport::ComLink com3(appDir.path(), 3, serial.startPty(9600));
  form = std::make_unique<TDebugForm>(nullptr, testsupport::LocalLinkServices());
  form->eIP->setText(QStringLiteral("127.0.0.1"));
  form->cmbPLC->widget()->setEditText(QStringLiteral("01"));
  form->rbComm->setChecked(true);
  form->cmbComm->widget()->setCurrentIndex(2);
  form->sbnOpenCommClick();
  ASSERT_EQ(status(), QStringLiteral("打开设备成功"));
  ASSERT_TRUE(clickAndWait(&TDebugForm::sbnReadClick));
  EXPECT_EQ(form->eValue->text(), QStringLiteral("300"));
  EXPECT_FALSE(serial.received().empty());
  form.reset();
  serial.stop();
}

// A serial port that does not open names its device and why, as the real
// library and the device show it.
TEST_F(DebugFormIntegrationTest, ASerialPortThatDoesNotOpenSaysWhy) {
  const testsupport::ComLink com5(appDir.path(), 5, appDir / "unplugged");
  form = std::make_unique<TDebugForm>(nullptr, testsupport::LocalLinkServices());
  form->rbComm->setChecked(true);
  form->cmbComm->widget()->setCurrentIndex(4);
  form->sbnOpenCommClick();
  EXPECT_EQ(status(),
            QStringLiteral("打开设备失败（%1 不存在）").arg(QString::fromStdString((appDir / "unplugged").string())));
  EXPECT_EQ(form->logic().linkHandle(), -1);
}

}  // namespace
