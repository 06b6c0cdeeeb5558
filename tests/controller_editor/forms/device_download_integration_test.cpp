// The device editor's download end to end: the real link library and the
// simulated controller on loopback UDP and on a pty behind COM3, in a
// temporary executable directory. Over UDP the library refuses, and fails the
// test on, any host but 127.0.0.1. Waits have 5 s deadlines: they check that
// things happen, not how fast.
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controller_editor/forms/conn_form.h"
#include "controller_editor/forms/device_form.h"
#include "controller_editor/model/project.h"
#include "platform/cp936.h"
#include "platform/ui/edit.h"
#include "platform/ui/group_box.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/tool_bar.h"
#include "platform/ui/widget_host.h"
#include "plc_register_map.h"
#include "tests/controller_editor/forms/editor_window_test.h"
#include "tests/support/com_link.h"
#include "tests/support/loopback_plc_api.h"
#include "tests/support/test_link_services.h"
#include "tools/controller_sim/controller_sim.h"

namespace {

using controller_sim::ControllerSim;
using selkan::Global;
using testsupport::ModalScript;
using testsupport::waitFor;

constexpr const char *kLogicFrame = ":011000A0000A000A03191100FFFFFFFFFFFFFFFFFFFFFFFFFFFF1C";
constexpr uint16_t kLogicWords[] = {0x000A, 0x0319, 0x1100, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
constexpr int kSerialCom = 3;

const QString kUploading = QStringLiteral("正在上传设备逻辑列表...");
const QString kUploaded = QStringLiteral("上传设备逻辑列表完成!");

std::vector<std::string> Requests(const ControllerSim &sim) {
  std::vector<std::string> texts;
  for (const auto &event : sim.events()) {
    if (event.kind == "rx") texts.push_back(event.text);
  }
  return texts;
}

// How the link dialog is answered.
struct Link {
  bool network = true;
  int com = kSerialCom;
};

class DeviceDownloadTest : public testsupport::EditorWindowTest {
 protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    // One controller at address 1: A on outputs 0 and 3, B on output 1.
    selkan::Project &p = Global().project;
    ASSERT_TRUE(selkan::AddController(p));
    p.PLCCtrl.SetAddress(0, 1);
    for (int n = 0; n < selkan::kOutputsPerController; ++n) selkan::AddOutput(p, 0);
    const int a = selkan::AddDevice(p, 0);
    ASSERT_TRUE(selkan::AddEntry(p, a, 0));
    ASSERT_TRUE(selkan::AddEntry(p, a, 3));
    p.DeviceCtrl.SetEntryDelay(a, 1, 25);
    const int b = selkan::AddDevice(p, 0);
    ASSERT_TRUE(selkan::AddEntry(p, b, 1));
    p.DeviceCtrl.SetEntryDelay(b, 0, 0);
    Global().LinkUdpPort = sim.startUdp(0);
  }

  void TearDown() override {
    form.reset();
    sim.stop();
    EditorWindowTest::TearDown();
  }

  // The editor on the real library behind the loopback guard.
  void open() {
    form = std::make_unique<TDeviceForm>(nullptr, testsupport::ServicesOver(api));
  }
  // The editor as the main window makes it, on the library without a guard.
  void openAsTheMainWindowDoes() { form = std::make_unique<TDeviceForm>(nullptr, testsupport::LocalLinkServices()); }

  // Downloads the first controller's list over link.
  void download(Link link = {}) {
    ModalScript modal;
    modal.then([link](ui::Form &f) {
      auto &conn = dynamic_cast<TConnForm &>(f);
      // Never anywhere but this machine.
      if (conn.eIP->text() != QStringLiteral("127.0.0.1")) {
        ADD_FAILURE() << "link dialog points at " << conn.eIP->text().toStdString();
        return ui::mrCancel;
      }
      conn.setNetwork(link.network);
      conn.setPortItem(link.com - 1);
      return ui::mrOk;
    });
    form->sbnSaveTo->click();
  }

  QString status() const { return form->stbM->panel(0).text; }
  bool busy() const { return form->download().Busy; }

  void expectLogicWords(const ControllerSim &controller) const {
    for (int k = 0; k < 10; ++k) EXPECT_EQ(controller.reg(plc::kRegLogicFirst + k), kLogicWords[k]) << k;
  }

  ControllerSim sim{1};
  testsupport::LoopbackOnlyPlcApi api;
  std::unique_ptr<TDeviceForm> form;
};

TEST_F(DeviceDownloadTest, TheListReachesTheControllerOverUdpAndOverAPty) {
  ControllerSim serial(1);
  testsupport::ComLink com(appDir.path(), kSerialCom, serial.startPty(9600));
  struct Case {
    const char *what;
    Link link;
    ControllerSim &controller;
    bool guarded;  // on the loopback guard, else as the main window makes it
  };
  for (const Case &c : {Case{"udp", {true, 1}, sim, true}, Case{"pty", {false, kSerialCom}, serial, false}}) {
    SCOPED_TRACE(c.what);
    if (c.guarded) {
      open();
    } else {
      openAsTheMainWindowDoes();
    }
    // The library lets go of the line just after the previous case's notice
    // was handled; until then a download is refused as busy, and the
    // operator tries again.
    ASSERT_TRUE(waitFor([&] {
      download(c.link);
      return status() == kUploading;
    })) << status().toStdString();
    ASSERT_TRUE(waitFor([&] { return status() == kUploaded; })) << status().toStdString();
    EXPECT_FALSE(busy());
    EXPECT_EQ(Requests(c.controller), (std::vector<std::string>{kLogicFrame}));
    expectLogicWords(c.controller);
    form.reset();
  }
  serial.stop();
}

TEST_F(DeviceDownloadTest, ASilentControllerTimesOutAndTheNextDownloadGoesThrough) {
  ASSERT_TRUE(sim.setFault("silent"));
  open();
  download();
  ASSERT_TRUE(waitFor([&] { return status() == QStringLiteral("通讯故障，超时!"); })) << status().toStdString();
  EXPECT_FALSE(busy());

  ASSERT_TRUE(sim.setFault("none"));
  // The library's worker lets go of the line just after its notice was
  // handled; until then a send is refused as busy, as the status says.
  ASSERT_TRUE(waitFor([&] {
    download();
    return status() == kUploading;
  })) << status().toStdString();
  ASSERT_TRUE(waitFor([&] { return status() == kUploaded; })) << status().toStdString();
  expectLogicWords(sim);
}

TEST_F(DeviceDownloadTest, AReplyFromAnotherAddressOnlyEndsTheWait) {
  ASSERT_TRUE(sim.setFault("wrong-address"));
  open();
  download();
  ASSERT_TRUE(waitFor([&] { return !busy(); }));
  EXPECT_EQ(status(), kUploading);
}

TEST_F(DeviceDownloadTest, ASecondClickWhileTheFirstIsPendingSendsNothing) {
  ASSERT_TRUE(sim.setFault("late:500"));
  open();
  download();
  ASSERT_TRUE(waitFor([&] { return !Requests(sim).empty(); }));
  download();
  ASSERT_TRUE(waitFor([&] { return status() == kUploaded; })) << status().toStdString();
  // Time for a second frame, had one been sent.
  waitFor([] { return false; }, 700);
  EXPECT_EQ(Requests(sim), (std::vector<std::string>{kLogicFrame}));
  EXPECT_EQ(status(), kUploaded);
}

TEST_F(DeviceDownloadTest, APortThatDoesNotOpenSendsNothing) {
  // COM64 names a device that is not there (rather than the machine's
  // /dev/ttyS63).
  testsupport::ComLink com(appDir.path(), 64, appDir / "gone");
  open();
  testsupport::MessageBoxScript boxes;
  boxes.answer(ui::IDOK);
  download({false, 64});
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text,
            QStringLiteral("打开设备失败（%1 不存在）").arg(QString::fromStdString((appDir / "gone").string())));
  EXPECT_FALSE(busy());
  EXPECT_EQ(form->download().LinkHandle, -1);
  waitFor([] { return false; }, 200);
  EXPECT_TRUE(Requests(sim).empty());
}

TEST_F(DeviceDownloadTest, ClosingWhileASendWaitsNeitherHangsNorBreaksTheNextEditor) {
  ASSERT_TRUE(sim.setFault("late:500"));
  open();
  download();
  ASSERT_TRUE(waitFor([&] { return !Requests(sim).empty(); }));
  form.reset();
  testsupport::processEvents();
  ASSERT_TRUE(sim.setFault("none"));
  // Let the late reply arrive with no editor to take it.
  waitFor([] { return false; }, 700);

  sim.clearEvents();
  open();
  // The old send ends once its late reply came; until then the library
  // refuses a download as busy.
  ASSERT_TRUE(waitFor([&] {
    download();
    return status() == kUploading;
  })) << status().toStdString();
  ASSERT_TRUE(waitFor([&] { return status() == kUploaded; })) << status().toStdString();
  EXPECT_EQ(Requests(sim), (std::vector<std::string>{kLogicFrame}));
}

}  // namespace
