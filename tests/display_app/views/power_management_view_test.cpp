// The power management view on a recording fake of the link library: its
// widgets and life, notices through the window handle, the device panels'
// pictures, and the commands with their dialogs and refusals.
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <functional>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "display_app/dialogs/input_dialog.h"
#include "display_app/dialogs/week_day.h"
#include "display_app/views/power_management_view.h"
#include "display_app/views/power_view_parts.h"
#include "display_app/views/status_hint.h"
#include "platform/ui/application.h"
#include "plc_register_map.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_combo_box.h"
#include "skin_toolkit/controls/kwo_page_control.h"
#include "skin_toolkit/frames/kwo_menu.h"
#include "tests/display_app/support/window_fixture.h"
#include "tests/support/fake_plc_api.h"
#include "tests/support/test_link_services.h"
#include "tests/support/ui/ui_fixtures.h"

namespace morvit::testing {
namespace {

using testsupport::MessageBoxScript;
using testsupport::ModalScript;
using testsupport::TempAppDir;

std::string Replaced(std::string text, const std::string &from, const std::string &to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

class PowerViewTest : public testsupport::UiTest {
 protected:
  void start(const std::string &ini = kDemoIni) {
    dir.writeFile("User.ini", Gbk(ini));
    view = std::make_unique<TfrmPLCManagement>(nullptr, testsupport::ServicesOver(api, link));
    api.onNotice = [this](uint16_t function, uint16_t result) {
      ::SendMessageA(view->handle(), tarnex_client::kPlcNoticeMessage, static_cast<WPARAM>(function | (result << 16)), 0);
    };
    view->setBounds(0, 0, 441, 576);
    view->LoadControllers();
  }

  void TearDown() override {
    view.reset();
    UiTest::TearDown();
  }

  // The next poll, answered with a block of registers, all 0 but the given.
  void answer(const plc::RegisterBlock &block, std::initializer_list<std::pair<int, uint16_t>> values) {
    if (!api.running) view->model().tick();
    ASSERT_TRUE(api.running.has_value());
    ASSERT_EQ(api.running->command.args[1], block.first) << "another block is being read";
    api.answerRead(1, ModelHarness::Block(block.first, block.count, values));
  }

  QString status(int panel) const { return view->stbM->panel(panel).text; }

  TempAppDir dir;
  tarnex_client::testing::FakePlcApi api;
  tarnex_client::PlcLinkSettings link{0, 9600};
  std::unique_ptr<TfrmPLCManagement> view;
};

TEST_F(PowerViewTest, IsBuiltAsTheWindowDescribes) {
  start();
  EXPECT_FALSE(view->visible());
  EXPECT_EQ(view->align(), ui::Align::Client);
  ASSERT_FALSE(api.calls.empty());
  EXPECT_EQ(api.calls.front().name, "PLC_Startup");
  EXPECT_EQ(api.calls.front().args, (std::vector<int64_t>{-1}));
  const auto notify = api.callsNamed("PLC_SetNotify");
  ASSERT_FALSE(notify.empty());
  EXPECT_EQ(notify.back().args, (std::vector<int64_t>{static_cast<int64_t>(view->handle()), PlcNotifyMessage}));

  EXPECT_EQ(view->cmbPLC->style(), kwo::TComboBoxStyle::csDropDownList);
  EXPECT_EQ(view->cmbPLC->items(), (QStringList{QStringLiteral("1号屏柜(1)"), QStringLiteral("2号屏柜(2)")}));
  EXPECT_EQ(view->cmbPLC->itemIndex(), 0);

  ASSERT_EQ(view->stbM->panelCount(), 4);
  const int widths[] = {48, 48, 236, 103};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(view->stbM->panel(i).width, widths[i]);
    EXPECT_TRUE(view->stbM->panel(i).ownerDraw);
  }
  EXPECT_EQ(status(2), QStringLiteral("打开设备成功"));

  EXPECT_EQ(view->sgState->fixedCols(), 0);
  EXPECT_EQ(view->sgState->fixedRows(), 0);
  EXPECT_EQ(view->sgState->colCount(), 3);
  EXPECT_EQ(view->sgState->defaultRowHeight(), 16);
  EXPECT_EQ(view->sgState->colWidth(0), 12);
  EXPECT_EQ(view->sgState->colWidth(1), 200);
  EXPECT_EQ(view->sgState->colWidth(2), 128);
  EXPECT_EQ(view->sgState->rowCount(), 6);
  EXPECT_EQ(view->sgState->cell(1, 0), QStringLiteral("监视量名称"));
  EXPECT_EQ(view->sgState->cell(2, 0), QStringLiteral("监视量值"));
  EXPECT_EQ(view->sgState->cell(1, 3), QStringLiteral("柜内温度"));

  EXPECT_TRUE(view->tmrM->running());
  EXPECT_EQ(view->tmrM->interval(), 400);
  EXPECT_TRUE(view->tFlash->running());
  EXPECT_EQ(view->tFlash->interval(), 500);
  EXPECT_TRUE(view->btnPowerOn->isEnabled());
  EXPECT_FALSE(view->btnWeekDay->isEnabled());
  EXPECT_TRUE(view->btnTemWarn->visible());
  EXPECT_TRUE(view->imgTemLimit->visible());
  EXPECT_EQ(view->pmItem->items()->count(), 4);
  EXPECT_TRUE(view->pmItem->items()->item(2)->isSeparator());
}

TEST_F(PowerViewTest, MainPanelSitsAtTheOriginOfTheMainPanelAndCentresInALargerOne) {
  start();
  EXPECT_EQ(view->pnlMain->boundsRect(), QRect(0, 0, 441, 576));
  view->setBounds(0, 0, 641, 776);
  EXPECT_EQ(view->pnlMain->boundsRect(), QRect(100, 100, 441, 576));
  view->setBounds(0, 0, 300, 900);
  EXPECT_EQ(view->pnlMain->boundsRect(), QRect(0, 162, 441, 576));
}

TEST_F(PowerViewTest, NoticesReachTheModelThroughTheWindowHandle) {
  start();
  answer(plc::kBlockPlan, {{64, 3}});
  EXPECT_EQ(status(0), QStringLiteral("在线"));
  EXPECT_EQ(status(2), QStringLiteral("完成"));
  EXPECT_TRUE(view->chbTimePlan->checked());
  EXPECT_TRUE(view->btnWeekDay->isEnabled());
  // The decode set the box: nothing went back to the controller.
  EXPECT_TRUE(api.callsNamed("CMD_SetTimerEnable").empty());

  answer(plc::kBlockStatus, {{1, 1}, {16, 605}, {32, 0}, {33, 1}, {2, 1}});
  EXPECT_EQ(status(1), QStringLiteral("Auto"));
  EXPECT_EQ(view->sgState->cell(2, 3), QStringLiteral("60.5℃"));
  EXPECT_EQ(view->sgState->cell(2, 2), QStringLiteral("1"));
  answer(plc::kBlockClock, {{140, 2024}, {141, 3}, {142, 5}, {145, 14}, {146, 7}});
  EXPECT_EQ(status(3), QStringLiteral("2024-03-05 14:07"));

  // The operator's click is sent, also right after the plan was read.
  view->chbTimePlan->click();
  const auto enables = api.callsNamed("CMD_SetTimerEnable");
  ASSERT_EQ(enables.size(), 1u);
  EXPECT_EQ(enables[0].args, (std::vector<int64_t>{1, 0}));
  EXPECT_EQ(status(2), QStringLiteral("禁用定时计划..."));
  EXPECT_FALSE(view->btnWeekDay->isEnabled());
}

TEST_F(PowerViewTest, AClickWhileThePlanIsBeingReadIsSent) {
  start();
  ASSERT_TRUE(api.running.has_value());
  ASSERT_EQ(view->model().lastReadPhase(), PollPhase::Plan);
  view->chbTimePlan->click();
  const auto enables = api.callsNamed("CMD_SetTimerEnable");
  ASSERT_EQ(enables.size(), 1u);
  EXPECT_EQ(enables[0].args, (std::vector<int64_t>{1, 3}));
  EXPECT_TRUE(view->btnWeekDay->isEnabled());
}

TEST_F(PowerViewTest, GridCellsAreDrawnByRowColumnAndItemType) {
  start();
  answer(plc::kBlockPlan, {});
  answer(plc::kBlockStatus, {{0, 2}, {2, 1}});
  const QImage grid = view->sgState->grab().toImage();
  auto corner = [&](int col, int row) {
    const QRect r = view->sgState->cellRect(col, row);
    return grid.pixelColor(r.left() + 1, r.top() + 1);
  };
  EXPECT_EQ(corner(1, 0), QColor(64, 64, 128));
  EXPECT_EQ(corner(0, 1), QColor(64, 128, 128));
  EXPECT_EQ(corner(1, 1), QColor(192, 220, 192));
  EXPECT_EQ(corner(1, 2), QColor(224, 252, 224));
  // Smoke sensor 2: "错误" in red; the digital input's "开" on a green ellipse.
  EXPECT_EQ(view->model().gridCell(1).text, "错误");
  const QRect input = view->sgState->cellRect(2, 2);
  EXPECT_EQ(grid.pixelColor(input.center().x() - 9, input.center().y()), QColor(0, 128, 0));
  bool red = false;
  const QRect smoke = view->sgState->cellRect(2, 1);
  for (int x = smoke.left(); x <= smoke.right() && !red; ++x) {
    for (int y = smoke.top(); y <= smoke.bottom() && !red; ++y) {
      const QColor c = grid.pixelColor(x, y);
      red = c.red() > 200 && c.green() < 80 && c.blue() < 80;
    }
  }
  EXPECT_TRUE(red);
}

// Before any status reply the mains input's cell is only its background:
// no "关" on a black ellipse for a value nobody measured.
TEST_F(PowerViewTest, AnUnmeasuredInputCellDrawsNothing) {
  start();
  const QImage grid = view->sgState->grab().toImage();
  const QRect input = view->sgState->cellRect(2, 2);
  const QColor background(224, 252, 224);
  int others = 0;
  for (int x = input.left(); x < input.right(); ++x) {
    for (int y = input.top(); y < input.bottom(); ++y) others += grid.pixelColor(x, y) != background;
  }
  EXPECT_EQ(others, 0);
}

TEST_F(PowerViewTest, TimeOutsBlinkOfflineInRed) {
  start();
  api.finish(PlcResultTimeOut);
  EXPECT_EQ(status(2), QStringLiteral("超时"));
  view->model().tick();
  api.finish(PlcResultTimeOut);
  EXPECT_EQ(status(0), QStringLiteral("离线"));
  EXPECT_TRUE(view->model().statusAlert(0));

  // Drawn in red.
  const QImage bar = view->stbM->grab().toImage();
  const QRect rect = view->stbM->panelRect(0);
  bool red = false;
  for (int y = rect.top(); y <= rect.bottom() && !red; ++y) {
    for (int x = rect.left(); x <= rect.right() && !red; ++x) {
      const QColor c = bar.pixelColor(x, y);
      red = c.red() > 200 && c.green() < 80 && c.blue() < 80;
    }
  }
  EXPECT_TRUE(red);

  view->tFlash->tick();
  EXPECT_EQ(status(0), QString());
  view->tFlash->tick();
  EXPECT_EQ(status(0), QStringLiteral("离线"));
}

// Every text of the status bar can be read whole at the view's size: the
// program's own texts fit their panels; a text with a device path or a
// device name too long for its panel is cut with an ellipsis, and the bar's
// hint carries it whole.
TEST_F(PowerViewTest, StatusTextsFitTheirPanelsOrTheHintCarriesThem) {
  using tarnex_client::SerialFault;
  using tarnex_client::SerialPortProblem;
  const std::string serial = Replaced(kDemoIni, "ConnMode0=1", "ConnMode0=0");
  const std::string longPath = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
  const struct {
    const char *what;
    std::string ini;
    int32_t localPort;
    SerialPortProblem com1;
    std::function<void()> act;
    bool fits;  // the action panel's text fits without the hint
  } scenarios[] = {
      {"opened", kDemoIni, 0, {}, nullptr, true},
      {"online with clock and mode", kDemoIni, 0, {},
       [this] {
         answer(plc::kBlockPlan, {});
         answer(plc::kBlockStatus, {{1, 0}});
         answer(plc::kBlockClock, {{140, 2024}, {141, 12}, {142, 31}, {145, 23}, {146, 59}});
       },
       true},
      {"offline", kDemoIni, 0, {},
       [this] {
         api.finish(PlcResultTimeOut);
         view->model().tick();
         api.finish(PlcResultTimeOut);
       },
       true},
      {"local port held", kDemoIni, 8889, {}, nullptr, true},
      {"serial device gone", serial, 0, {SerialFault::Missing, "/dev/ttyS0", ""}, nullptr, true},
      {"serial device of another program", serial, 0, {SerialFault::Busy, "/dev/ttyUSB0", ""}, nullptr, false},
      {"serial device not allowed", serial, 0, {SerialFault::NoPermission, longPath, "dialout"}, nullptr, false},
      {"address 0", Replaced(kDemoIni, "Addr0=1", "Addr0=0"), 0, {}, nullptr, true},
      {"no controller", "[Parms]\r\nTemWarn=54\r\n[PLCParms]\r\nCount=0\r\n", 0, {}, nullptr, true},
      {"plan sent", kDemoIni, 0, {}, [this] { view->model().timePlanClick(false); }, true},
      {"a device with a long name switched on",
       Replaced(kDemoIni, "Name0=左屏", "Name0=一号机柜左侧主屏幕电源与风扇及照明回路总开关"), 0, {},
       [this] { view->btnPowerOn->click(); }, false},
  };
  for (const auto &s : scenarios) {
    SCOPED_TRACE(s.what);
    view.reset();
    api = tarnex_client::testing::FakePlcApi{};
    link.localUdpPort = s.localPort;
    if (s.localPort != 0) {
      api.openResult = -1;
      api.takenPorts.insert(s.localPort);
    }
    if (s.com1.fault != SerialFault::None) {
      api.openResult = -1;
      api.serialProblems[1] = s.com1;
    }
    start(s.ini);
    if (s.act) s.act();
    ASSERT_FALSE(status(2).isEmpty());

    const QFont font = ui::toQFont(view->stbM->controlFont());
    const QFontMetrics metrics(font);
    EXPECT_EQ(FitsPanel(*view->stbM, 2, font), s.fits) << status(2).toStdString();
    for (int panel = 0; panel < kStatusPanelCount; ++panel) {
      const QString text = status(panel);
      const bool fits = metrics.horizontalAdvance(text) <= view->stbM->panelRect(panel).width();
      EXPECT_TRUE(fits || view->stbM->hint().split(QLatin1Char('\n')).contains(text))
          << "panel " << panel << ": " << text.toStdString() << " hint: " << view->stbM->hint().toStdString();
    }
    if (s.fits) {
      EXPECT_EQ(view->stbM->hint(), QString());
    }
  }
  // The bar fills the view's width exactly.
  EXPECT_EQ(view->stbM->width(), 441);
  EXPECT_EQ(view->stbM->panelRect(3).right(), 440);
}

TEST_F(PowerViewTest, ACutTextEndsInAnEllipsis) {
  api.openResult = -1;
  api.serialProblems[1] = {tarnex_client::SerialFault::Busy, "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART-if00", ""};
  start(Replaced(kDemoIni, "ConnMode0=1", "ConnMode0=0"));
  const QString text = status(2);
  ASSERT_TRUE(text.startsWith(QStringLiteral("打开设备失败（/dev/serial/by-id/")));
  EXPECT_EQ(view->stbM->hint(), text);

  // The panel draws the text cut to its width with an ellipsis: the same
  // pixels as the cut text, which fits, and not those of the whole text.
  const QRect rect(QPoint(0, 0), view->stbM->panelRect(2).size());
  const QFont font = ui::toQFont(view->stbM->controlFont());
  const auto draw = [&](const QString &shown) {
    QImage image(rect.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    DrawStatusPanel(p, rect, 2, shown, false, Qt::black);
    return image;
  };
  const QString cut = QFontMetrics(font).elidedText(text, Qt::ElideRight, rect.width());
  ASSERT_TRUE(cut.endsWith(QChar(0x2026)));
  EXPECT_EQ(draw(text), draw(cut));
  EXPECT_NE(draw(text), draw(text.left(cut.size())));
}

TEST_F(PowerViewTest, DevicePanelsShowOneCellPerOutput) {
  start();
  const auto &panels = view->devicePanels();
  ASSERT_EQ(panels.size(), 2u);
  EXPECT_EQ(panels[0]->caption(), QStringLiteral("左屏"));
  EXPECT_EQ(panels[1]->caption(), QStringLiteral("右屏"));
  EXPECT_EQ(panels[0]->bevelWidth(), 3);
  EXPECT_EQ(panels[1]->bevelWidth(), 1);
  EXPECT_EQ(panels[0]->bevelInner(), ui::Bevel::Lowered);
  EXPECT_EQ(panels[0]->bevelOuter(), ui::Bevel::Raised);
  EXPECT_EQ(panels[0]->popupMenu(), view->pmItem);
  const QFontMetrics metrics(ui::toQFont(panels[0]->controlFont()));
  const int width0 = std::max(60, metrics.horizontalAdvance(QStringLiteral("左屏")) + 24);
  EXPECT_EQ(panels[0]->boundsRect(), QRect(12, 12, width0, 40));
  EXPECT_EQ(panels[1]->left(), 12 + width0 + 12);
  EXPECT_EQ(view->scbDev->height(), 72);

  answer(plc::kBlockPlan, {});
  answer(plc::kBlockStatus, {{32, 0}, {33, 1}, {34, 2}, {35, 0}});
  // Device 0: output 0 on, output 1 off; device 1: output 2 off (2 is off), 3 on.
  auto pixel = [](TMyPanel *panel, int x, int y) { return panel->grab().toImage().pixelColor(x, y); };
  const int b0 = panels[0]->bevelWidth();
  EXPECT_EQ(pixel(panels[0], 2 * b0 + 1, 2 * b0 + 1), QColor(0, 255, 0));
  EXPECT_EQ(pixel(panels[0], panels[0]->width() - 2 * b0 - 2, 2 * b0 + 1), QColor(Qt::black));
  EXPECT_EQ(pixel(panels[1], 3, 3), QColor(Qt::black));
  EXPECT_EQ(pixel(panels[1], panels[1]->width() - 4, 3), QColor(0, 255, 0));

  // Any button selects a device.
  QTest::mousePress(panels[1], Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(view->model().selectedDevice(), 1);
  EXPECT_EQ(panels[0]->bevelWidth(), 1);
  EXPECT_EQ(panels[1]->bevelWidth(), 3);
  QTest::mouseRelease(panels[1], Qt::RightButton, {}, QPoint(5, 5));
}

TEST(PowerViewParts, DevicePanelsSitSideBySide) {
  const PanelLayout wide = LayoutDevicePanels({30, 100}, 200);
  EXPECT_EQ(wide.lefts, (std::vector<int>{12, 84}));
  EXPECT_EQ(wide.widths, (std::vector<int>{60, 124}));
  EXPECT_EQ(wide.contentWidth, 220);
  EXPECT_EQ(wide.boxHeight, 82);
  EXPECT_EQ(LayoutDevicePanels({30, 100}, 220).boxHeight, 72);
  EXPECT_EQ(LayoutDevicePanels({}, 220).contentWidth, 0);
}

TEST_F(PowerViewTest, ManyDevicesOverflowTheBox) {
  std::string ini = kDemoIni;
  std::string devices = "[DeviceParms]\r\nCount=8\r\n";
  for (int i = 0; i < 8; ++i) {
    devices += "Name" + std::to_string(i) + "=第" + std::to_string(i) + "块很长名字的显示屏\r\nPLC_ID" +
               std::to_string(i) + "=0\r\nID" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  }
  const size_t from = ini.find("[DeviceParms]");
  const size_t to = ini.find("[DoParms]");
  ini.replace(from, to - from, devices);
  start(ini);
  const auto &panels = view->devicePanels();
  ASSERT_EQ(panels.size(), 8u);
  EXPECT_EQ(view->scbDev->height(), 82);
  EXPECT_EQ(view->scbDev->horzRange(), panels.back()->left() + panels.back()->width() + 12);
  EXPECT_TRUE(view->scbDev->horzScrollBarVisible());
  // A device without outputs is one black strip with its name.
  EXPECT_EQ(panels[5]->grab().toImage().pixelColor(3, 3), QColor(Qt::black));
}

TEST_F(PowerViewTest, AFailedOpenDisablesTheCommandsAndThePopupItems) {
  api.openResult = -1;
  start();
  EXPECT_EQ(status(2), QStringLiteral("打开设备失败"));
  EXPECT_FALSE(view->tmrM->running());
  EXPECT_FALSE(view->btnPowerOn->isEnabled());
  EXPECT_FALSE(view->chbTimePlan->isEnabled());
  EXPECT_FALSE(view->mnPowerOn->enabled());
  EXPECT_FALSE(view->mnPowerOff->enabled());
  EXPECT_TRUE(view->mnRename->enabled());
  view->mnPowerOn->click();
  EXPECT_TRUE(api.commands().empty());
}

TEST_F(PowerViewTest, AControllerWithoutDevicesStopsTheLink) {
  start();
  view->cmbPLC->setItemIndex(1);
  // The second controller has one device; take it away and choose again.
  view->cmbPLCChange();
  EXPECT_EQ(view->devicePanels().size(), 1u);
  dir.writeFile("User.ini", Gbk(Replaced(kDemoIni, "PLC_ID2=1", "PLC_ID2=0")));
  view->cmbPLCChange();
  EXPECT_TRUE(view->devicePanels().empty());
  EXPECT_FALSE(view->tmrM->running());
  EXPECT_FALSE(view->tFlash->running());
  EXPECT_FALSE(view->btnPowerOn->isEnabled());
  EXPECT_EQ(status(2), QString());
  EXPECT_EQ(view->sgState->cell(1, 1), QStringLiteral("环境亮度"));
}

TEST_F(PowerViewTest, RefusalsAreShownAndSendNothing) {
  start(Replaced(kDemoIni, "\nID0=0", "\nID0=32"));
  ui::Application::instance()->setTitle(QStringLiteral("Morvit"));
  MessageBoxScript boxes;
  boxes.answer(ui::IDOK).answer(ui::IDOK);
  view->btnPowerOn->click();
  view->mnPowerOff->click();
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("设备号 32 超出 0..31。"));
  EXPECT_EQ(boxes.shown()[0].caption, QStringLiteral("Morvit"));
  EXPECT_EQ(boxes.shown()[0].flags, ui::MB_OK);
  EXPECT_TRUE(api.callsNamed("CMD_PowerOnLC").empty());
  EXPECT_TRUE(api.callsNamed("CMD_PowerOffLC").empty());
}

TEST_F(PowerViewTest, PowerOnSendsForTheSelectedDevice) {
  start();
  QTest::mousePress(view->devicePanels()[1], Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(view->devicePanels()[1], Qt::LeftButton, {}, QPoint(5, 5));
  view->btnPowerOn->click();
  const auto on = api.callsNamed("CMD_PowerOnLC");
  ASSERT_EQ(on.size(), 1u);
  EXPECT_EQ(on[0].args, (std::vector<int64_t>{1, 1}));
  EXPECT_EQ(status(2), QStringLiteral("开启右屏..."));
}

TEST_F(PowerViewTest, ShutdownLimitAsksWithItsPresetAndRefusesANonNumber) {
  start();
  answer(plc::kBlockPlan, {});
  answer(plc::kBlockStatus, {{24, 600}});
  ModalScript modal;
  modal
      .then([](ui::Form &form) {
        auto &input = dynamic_cast<TfrmInput &>(form);
        EXPECT_EQ(input.lblRef->caption(), QStringLiteral("关闭温度"));
        EXPECT_EQ(input.text(), QStringLiteral("60"));
        input.eInput->setText(QStringLiteral("54.5"));
        return ui::mrOk;
      })
      .then([](ui::Form &form) {
        dynamic_cast<TfrmInput &>(form).eInput->setText(QStringLiteral("abc"));
        return ui::mrOk;
      })
      .answer(ui::mrCancel);
  MessageBoxScript boxes;
  boxes.answer(ui::IDOK);
  view->btnTemLimitClick();
  view->btnTemLimitClick();
  view->btnTemLimitClick();
  const auto aw = api.callsNamed("CMD_SetAW");
  ASSERT_EQ(aw.size(), 1u);
  EXPECT_EQ(aw[0].args, (std::vector<int64_t>{1, 0, 545}));
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("不是数字：abc"));
}

TEST_F(PowerViewTest, AlarmTemperatureIsWrittenToTheFile) {
  start();
  ModalScript modal;
  modal.then([](ui::Form &form) {
    auto &input = dynamic_cast<TfrmInput &>(form);
    EXPECT_EQ(input.lblRef->caption(), QStringLiteral("报警温度"));
    EXPECT_EQ(input.text(), QStringLiteral("54"));
    input.eInput->setText(QStringLiteral("54.5"));
    return ui::mrOk;
  });
  view->btnTemWarnClick();
  EXPECT_EQ(view->model().alarmTemperature(), 54.5);
  EXPECT_NE(dir.readFile("User.ini").find("TemWarn=54.5\r\n"), std::string::npos);
  EXPECT_TRUE(api.commands().size() <= 1);  // only the poll's read
}

TEST_F(PowerViewTest, RenameKeepsTheFileKeyAndRefusesWhatTheFileCannotHold) {
  start();
  QTest::mousePress(view->devicePanels()[1], Qt::RightButton, {}, QPoint(5, 5));
  ModalScript modal;
  modal
      .then([](ui::Form &form) {
        auto &input = dynamic_cast<TfrmInput &>(form);
        EXPECT_EQ(input.lblRef->caption(), QStringLiteral("新名称"));
        EXPECT_EQ(input.eInput->lineEdit()->selectedText(), QStringLiteral("右屏"));
        input.eInput->setText(QStringLiteral("右侧大屏幕显示"));
        return ui::mrOk;
      })
      .then([](ui::Form &form) {
        dynamic_cast<TfrmInput &>(form).eInput->setText(QStringLiteral("屏\U0001F600"));
        return ui::mrOk;
      });
  MessageBoxScript boxes;
  boxes.answer(ui::IDOK);
  const int before = view->devicePanels()[1]->width();
  view->mnRename->click();
  EXPECT_EQ(view->devicePanels()[1]->caption(), QStringLiteral("右侧大屏幕显示"));
  EXPECT_GT(view->devicePanels()[1]->width(), before);
  EXPECT_NE(dir.readFile("User.ini").find(Gbk("Name1=右侧大屏幕显示\r\n")), std::string::npos);

  view->mnRename->click();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("名称含有无法保存的字符。"));
  EXPECT_EQ(view->devicePanels()[1]->caption(), QStringLiteral("右侧大屏幕显示"));
}

TEST_F(PowerViewTest, WeekPlanGoesBackAsTheDialogLeftIt) {
  start();
  answer(plc::kBlockPlan, {{64, 3}, {83 + 8, 0x071E}});  // Monday: on 1 at 07:30
  ModalScript modal;
  modal.then([](ui::Form &form) {
    auto &dialog = dynamic_cast<TfrmWeekDay &>(form);
    EXPECT_EQ(dialog.onPicker(1, 1)->time(), QTime(7, 30));
    EXPECT_EQ(dialog.pcWeek->activePage(), dialog.page(0));
    dialog.enableBox(1, 2)->click();  // Monday, period 2
    return ui::mrOk;
  });
  view->btnWeekDayClick();
  const auto writes = api.callsNamed("CMD_Write");
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].args, (std::vector<int64_t>{1, 81, 58}));
  ASSERT_EQ(writes[0].words.size(), 58u);
  EXPECT_EQ(writes[0].words[0], 0x0020);
  EXPECT_EQ(writes[0].words[1], 0);
  EXPECT_EQ(writes[0].words[2 + 8], 7 * 256 + 30);
  EXPECT_EQ(status(2), QStringLiteral("设置定时计划..."));
}

TEST_F(PowerViewTest, AViewFreedWhileItsDialogIsOpenIsLeftAlone) {
  // Each handler returns from its dialog to a view that is gone: nothing may
  // touch it or the link library any more.
  struct Case {
    const char *label;
    void (TfrmPLCManagement::*handler)();
  } cases[] = {
      {"week plan", &TfrmPLCManagement::btnWeekDayClick},
      {"shut-down temperature", &TfrmPLCManagement::btnTemLimitClick},
      {"alarm temperature", &TfrmPLCManagement::btnTemWarnClick},
      {"rename", &TfrmPLCManagement::mnRenameClick},
      {"link settings", &TfrmPLCManagement::btnCommunicationSettingsClick},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.label);
    start();
    const std::string before = ReadBytes(dir / "User.ini");
    ModalScript modal;
    modal.then([this](ui::Form &) {
      view.reset();
      api.clearCalls();
      return ui::mrOk;
    });
    TfrmPLCManagement *raw = view.get();
    (raw->*c.handler)();
    ASSERT_EQ(modal.shown().size(), 1u);
    EXPECT_EQ(view, nullptr);
    EXPECT_TRUE(api.calls.empty());
    EXPECT_EQ(ReadBytes(dir / "User.ini"), before);
  }
}

TEST_F(PowerViewTest, DestroyingTheViewDropsItsHandleThenCleansUp) {
  start();
  const HWND handle = view->handle();
  view.reset();
  EXPECT_EQ(api.calls.back().name, "PLC_Cleanup");
  // A late notice finds no window.
  EXPECT_EQ(::SendMessageA(handle, tarnex_client::kPlcNoticeMessage, 3 | (1 << 16), 0), 0);
}

}  // namespace
}  // namespace morvit::testing
