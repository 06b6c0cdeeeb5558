// The power management view end to end: the main window made as the
// program makes it, in a temporary directory with a "User.ini" in code page
// 936, the real link library, and simulated controllers on loopback UDP and
// on a pty. Waits have 5 s deadlines: they check that things happen, not how
// fast.
#include <QImage>
#include <QRegularExpression>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

#include <gtest/gtest.h>

#include "display_app/views/main_window.h"
#include "display_app/views/power_management_view.h"
#include "display_app/views/power_view_parts.h"
#include "display_app/views/status_hint.h"
#include "plc_register_map.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_combo_box.h"
#include "tests/display_app/support/window_fixture.h"
#include "tests/support/loopback_udp.h"
#include "tests/support/test_link_services.h"
#include "tests/support/ui/ui_fixtures.h"
#include "tools/controller_sim/controller_sim.h"

namespace morvit::testing {
namespace {

using controller_sim::ControllerSim;
using testsupport::TempAppDir;
using testsupport::waitFor;

constexpr const char *kReadPlan = ":01030040004B71";
constexpr const char *kReadStatus = ":010300000040BC";
constexpr const char *kReadClock = ":0103008C000868";
constexpr const char *kPowerOnDevice0 = ":011000B0000100013D";

std::string Replaced(std::string text, const std::string &from, const std::string &to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// The demo's registers: automatic mode, 32.5 and 60.0 degrees, every output
// off, the plan on, and the logic list of the two devices of controller 0.
void LoadDemoRegisters(ControllerSim &sim) {
  sim.setReg(plc::kRegModeSwitch, 1);
  sim.setReg(2, 1);
  sim.setReg(16, 325);
  sim.setReg(24, 600);
  for (int k = 0; k < plc::kOutputCount; ++k) sim.setReg(plc::kRegOutputStateFirst + k, 1);
  sim.setReg(plc::kRegPlanEnable, 3);
  sim.setReg(81, 0x0002);           // Sunday, period 1
  sim.setReg(83, 7 * 256 + 30);     // on at 07:30
  sim.setReg(84, 22 * 256);         // off at 22:00
  sim.setReg(plc::kRegLogicFirst + 0, plc::PackLogicWord(0, 0, 0));
  sim.setReg(plc::kRegLogicFirst + 1, plc::PackLogicWord(0, 1, 0));
  sim.setReg(plc::kRegLogicFirst + 2, plc::PackLogicWord(1, 2, 0));
  sim.setReg(plc::kRegLogicFirst + 3, plc::PackLogicWord(1, 3, 0));
}

// The requests a simulator received, oldest first.
std::vector<std::string> Requests(const ControllerSim &sim) {
  std::vector<std::string> texts;
  for (const auto &event : sim.events()) {
    if (event.kind == "rx") texts.push_back(event.text);
  }
  return texts;
}

class PowerIntegrationTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    LoadDemoRegisters(sim);
    port = sim.startUdp(0);
  }

  void TearDown() override {
    window.reset();
    sim.stop();
    UiTest::TearDown();
  }

  std::string iniFor(uint16_t port0, uint16_t port1) const {
    std::string ini = Replaced(kDemoIni, "Port0=6001", "Port0=" + std::to_string(port0));
    return Replaced(ini, "Port1=6002", "Port1=" + std::to_string(port1));
  }

  // The program's main window over this User.ini; its power view shown.
  void startProgram(const std::string &iniUtf8) {
    dir.writeFile("User.ini", Gbk(iniUtf8));
    window = createMainWindow(services);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(view(), nullptr);
    window->mnPLCManagementClick();
    ASSERT_TRUE(view()->visible());
  }

  TfrmPLCManagement *view() const { return window ? window->powerView() : nullptr; }
  QString status(int panel) const { return view()->stbM->panel(panel).text; }

  bool online() const {
    return view() != nullptr && status(0) == QStringLiteral("在线") && !status(3).isEmpty();
  }

  // Colour of a device panel's picture at x (0..1 of its width), mid-height
  // above the name.
  QColor cellColour(int device, double x) const {
    TMyPanel *panel = view()->devicePanels().at(static_cast<size_t>(device));
    const int b = panel->bevelWidth();
    const QImage image = panel->grab().toImage();
    const int px = 2 * b + static_cast<int>(x * (panel->width() - 4 * b - 1));
    return image.pixelColor(px, 2 * b + 1);
  }

  TempAppDir dir;
  ControllerSim sim{1};
  uint16_t port = 0;
  std::unique_ptr<TfrmMain> window;
  // What the program hands its power view; a test may change it before the start.
  tarnex_client::LinkServices services = testsupport::LocalLinkServices();
};

// Another program holds the local port the view is set to: the open fails
// and the status bar says which port is taken.
TEST_F(PowerIntegrationTest, ALocalPortHeldElsewhereIsNamed) {
  testsupport::LoopbackUdp holder;
  ASSERT_GT(holder.port(), 0);
  services.link.localUdpPort = holder.port();
  startProgram(iniFor(port, port));
  EXPECT_EQ(status(2), QStringLiteral("打开设备失败（本地端口 %1 已被占用）").arg(holder.port()));
  EXPECT_FALSE(view()->btnPowerOn->isEnabled());
}

TEST_F(PowerIntegrationTest, UdpStartGoesOnlineAndPollsInItsOrder) {
  startProgram(iniFor(port, port));
  EXPECT_EQ(status(2), QStringLiteral("打开设备成功"));
  ASSERT_TRUE(waitFor([&] { return online() && status(1) == QStringLiteral("Auto"); }));
  EXPECT_EQ(status(2), QStringLiteral("完成"));
  // The simulator's own clock.
  const QString expectedDay = QStringLiteral("%1-%2-%3")
                                  .arg(sim.reg(plc::kRegClockYear), 4, 10, QLatin1Char('0'))
                                  .arg(sim.reg(plc::kRegClockMonth), 2, 10, QLatin1Char('0'))
                                  .arg(sim.reg(plc::kRegClockDay), 2, 10, QLatin1Char('0'));
  EXPECT_TRUE(status(3).startsWith(expectedDay)) << status(3).toStdString();
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d$")).match(status(3)).hasMatch());
  EXPECT_TRUE(view()->chbTimePlan->checked());
  EXPECT_TRUE(view()->btnWeekDay->isEnabled());

  ASSERT_TRUE(waitFor([&] { return Requests(sim).size() >= 6; }));
  const auto requests = Requests(sim);
  EXPECT_EQ(requests[0], kReadPlan);
  for (size_t i = 1; i < 6; ++i) EXPECT_EQ(requests[i], i % 2 == 1 ? kReadStatus : kReadClock) << i;
  EXPECT_EQ(view()->sgState->cell(2, 3), QStringLiteral("32.5℃"));
  EXPECT_EQ(view()->sgState->cell(2, 4), QStringLiteral("60.0℃"));

  // A picture of the view for a look by eye, when asked for.
  if (const char *png = std::getenv("MORVIT_POWER_VIEW_PNG")) {
    sim.setReg(plc::kRegOutputStateFirst + 0, 0);
    sim.setReg(plc::kRegOutputStateFirst + 1, 0);
    waitFor([&] { return cellColour(0, 0.05) == QColor(0, 255, 0); });
    EXPECT_TRUE(view()->grab().save(QString::fromLocal8Bit(png)));
  }
}

TEST_F(PowerIntegrationTest, AnOutputSwitchedAtTheControllerTurnsItsCellGreen) {
  startProgram(iniFor(port, port));
  ASSERT_TRUE(waitFor([&] { return online(); }));
  EXPECT_EQ(cellColour(0, 0.05), QColor(Qt::black));
  sim.setReg(plc::kRegOutputStateFirst + 0, 0);
  ASSERT_TRUE(waitFor([&] { return cellColour(0, 0.05) == QColor(0, 255, 0); }));
  EXPECT_EQ(cellColour(0, 0.95), QColor(Qt::black));
}

TEST_F(PowerIntegrationTest, PowerOnReachesTheControllerAndTheCellsTurnGreen) {
  startProgram(iniFor(port, port));
  ASSERT_TRUE(waitFor([&] { return online(); }));
  view()->btnPowerOn->click();
  EXPECT_EQ(status(2), QStringLiteral("开启左屏..."));
  ASSERT_TRUE(waitFor([&] {
    const auto requests = Requests(sim);
    return std::find(requests.begin(), requests.end(), kPowerOnDevice0) != requests.end();
  }));
  ASSERT_TRUE(waitFor([&] {
    return cellColour(0, 0.05) == QColor(0, 255, 0) && cellColour(0, 0.95) == QColor(0, 255, 0);
  }));
  EXPECT_EQ(cellColour(1, 0.05), QColor(Qt::black));
}

TEST_F(PowerIntegrationTest, ASilentControllerGoesOfflineAndComesBack) {
  startProgram(iniFor(port, port));
  ASSERT_TRUE(waitFor([&] { return online(); }));
  ASSERT_TRUE(sim.setFault("silent"));
  ASSERT_TRUE(waitFor([&] { return status(2) == QStringLiteral("超时"); }));
  ASSERT_TRUE(waitFor([&] { return view()->model().linkState() == LinkState::Offline; }));
  EXPECT_EQ(status(1), QString());
  // It blinks.
  bool shown = false;
  bool blank = false;
  ASSERT_TRUE(waitFor([&] {
    shown = shown || status(0) == QStringLiteral("离线");
    blank = blank || status(0).isEmpty();
    return shown && blank;
  }));
  // Only the clock is read while offline.
  sim.clearEvents();
  ASSERT_TRUE(waitFor([&] { return Requests(sim).size() >= 2; }));
  for (const std::string &request : Requests(sim)) EXPECT_EQ(request, kReadClock);

  ASSERT_TRUE(sim.setFault("none"));
  sim.clearEvents();
  ASSERT_TRUE(waitFor([&] { return status(0) == QStringLiteral("在线"); }));
  // Back online, the plan block is read again.
  ASSERT_TRUE(waitFor([&] {
    const auto requests = Requests(sim);
    return std::find(requests.begin(), requests.end(), kReadPlan) != requests.end();
  }));
}

TEST_F(PowerIntegrationTest, SwitchingControllerDecodesNothingOfTheOldLink) {
  // Both answer to address 1, so only the link tells their replies apart.
  ControllerSim second(1);
  second.setReg(plc::kRegModeSwitch, 1);
  second.setReg(17, 80);
  const uint16_t secondPort = second.startUdp(0);
  sim.setReg(17, 11);
  startProgram(Replaced(iniFor(port, secondPort), "Addr1=2", "Addr1=1"));
  ASSERT_TRUE(waitFor([&] { return online(); }));

  // The first controller answers late; switch while a request waits.
  ASSERT_TRUE(sim.setFault("late:400"));
  sim.clearEvents();
  ASSERT_TRUE(waitFor([&] { return !Requests(sim).empty(); }));
  view()->cmbPLC->setItemIndex(1);
  view()->cmbPLCChange();
  ASSERT_EQ(view()->devicePanels().size(), 1u);

  bool sawOld = false;
  ASSERT_TRUE(waitFor([&] {
    const QString brightness = view()->sgState->cell(2, 1);
    sawOld = sawOld || brightness == QStringLiteral("11");
    return brightness == QStringLiteral("80") && online();
  }));
  // Give the old reply time to arrive, then look again.
  waitFor([&] {
    sawOld = sawOld || view()->sgState->cell(2, 1) == QStringLiteral("11");
    return false;
  }, 600);
  EXPECT_FALSE(sawOld);
  EXPECT_EQ(view()->sgState->cell(2, 1), QStringLiteral("80"));
  second.stop();
}

TEST_F(PowerIntegrationTest, LoadProjectAndClosingMidSendNeitherHangNorBreakTheNewView) {
  startProgram(iniFor(port, port));
  ASSERT_TRUE(waitFor([&] { return online(); }));
  ASSERT_TRUE(sim.setFault("late:500"));
  sim.clearEvents();
  ASSERT_TRUE(waitFor([&] { return !Requests(sim).empty(); }));
  // A reply is due in 500 ms: replace the views now.
  window->mnLoadClick();
  window->mnPLCManagementClick();
  ASSERT_TRUE(sim.setFault("none"));
  ASSERT_TRUE(waitFor([&] { return online(); }));

  // Close the whole window while the next request waits for its reply.
  ASSERT_TRUE(sim.setFault("late:500"));
  sim.clearEvents();
  ASSERT_TRUE(waitFor([&] { return !Requests(sim).empty(); }));
  window->close();
  window.reset();
  testsupport::processEvents();
  ASSERT_TRUE(sim.setFault("none"));

  // A new window works.
  startProgram(iniFor(port, port));
  ASSERT_TRUE(waitFor([&] { return online(); }));
}

TEST_F(PowerIntegrationTest, PollingGoesOnBehindAnOpenDialog) {
  startProgram(iniFor(port, port));
  ASSERT_TRUE(waitFor([&] { return online(); }));
  testsupport::ModalScript modal;
  modal.then([&](ui::Form &) {
    sim.setReg(plc::kRegOutputStateFirst + 0, 0);
    EXPECT_TRUE(waitFor([&] { return cellColour(0, 0.05) == QColor(0, 255, 0); }));
    return ui::mrCancel;
  });
  view()->btnTemWarnClick();
  EXPECT_EQ(modal.shown().size(), 1u);
}

TEST_F(PowerIntegrationTest, SerialLinkThroughAPtyNamedAsAComPort) {
  ControllerSim serial(1);
  LoadDemoRegisters(serial);
  const std::string slave = serial.startPty(9600);
  std::filesystem::create_symlink(slave, dir / "COM5");
  std::string ini = Replaced(kDemoIni, "Comm0=1\r\nConnMode0=1", "Comm0=5\r\nConnMode0=0");
  startProgram(ini);
  ASSERT_TRUE(waitFor([&] { return online() && status(1) == QStringLiteral("Auto"); }));
  EXPECT_FALSE(Requests(serial).empty());
  window.reset();
  serial.stop();
}

// A COM link to a device that is gone: the open fails and the status bar
// names the device, whole or through the bar's hint.
TEST_F(PowerIntegrationTest, ASerialDeviceThatIsGoneIsNamed) {
  const std::string gone = (dir / "unplugged").string();
  std::filesystem::create_symlink(gone, dir / "COM5");
  startProgram(Replaced(kDemoIni, "Comm0=1\r\nConnMode0=1", "Comm0=5\r\nConnMode0=0"));
  const QString text = QStringLiteral("打开设备失败（%1 不存在）").arg(QString::fromStdString(gone));
  EXPECT_EQ(status(2), text);
  EXPECT_TRUE(FitsPanel(*view()->stbM, 2, ui::toQFont(view()->stbM->controlFont())) ||
              view()->stbM->hint() == text);
  EXPECT_FALSE(view()->btnPowerOn->isEnabled());
}

}  // namespace
}  // namespace morvit::testing
