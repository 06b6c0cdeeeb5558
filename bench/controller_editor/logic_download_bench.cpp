// selkan-logic-download-bench: how long the device editor's download of a
// logic list takes over a serial line at 9600 baud, against the time the
// request and the reply need on the wire.
//
// The editor runs offscreen in this process on the real link library; the
// controller simulator (also in this process) answers on a pty behind COM3,
// paced as a 9600-baud line: its reply starts after the request's wire time
// and goes out one character per 10 bits.
//
//   t0  the download button is clicked (the link dialog answered at once)
//   tr  the simulator sent the last byte of its reply
//   tn  the completion notice reached the editor's window
//
// Target: tn - t0 at most the wire time + 5 ms.
//
//   selkan-logic-download-bench [RUNS]   (default 30)
#include <QCoreApplication>
#include <QEvent>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/display_app/bench_common.h"
#include "bench/display_app/event_wait.h"
#include "controller_editor/forms/conn_form.h"
#include "controller_editor/forms/device_form.h"
#include "controller_editor/model/editor_globals.h"
#include "controller_editor/model/project.h"
#include "platform/app_dir.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_bridge.h"
#include "platform/ui/tool_bar.h"
#include "tools/controller_sim/controller_sim.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr int kComPort = 3;
constexpr int kBaud = 9600;
constexpr double kBitsPerChar = 10;  // 8N1: start, eight data bits, stop

// Entry times of window-message deliveries: the notice handler runs right
// after the filter.
class DeliveryProbe : public QObject {
 public:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == ui::MessageBridge::deliveryEventType()) last = Clock::now();
    return QObject::eventFilter(watched, event);
  }
  std::optional<Clock::time_point> last;
};

using bench::WaitFor;

// One controller at address 1 whose two devices use three outputs.
void LoadProject(selkan::Project &p) {
  selkan::AddController(p);
  p.PLCCtrl.SetAddress(0, 1);
  for (int n = 0; n < selkan::kOutputsPerController; ++n) selkan::AddOutput(p, 0);
  const int a = selkan::AddDevice(p, 0);
  selkan::AddEntry(p, a, 0);
  selkan::AddEntry(p, a, 3);
  const int b = selkan::AddDevice(p, 0);
  selkan::AddEntry(p, b, 1);
}

// Characters of the latest event of kind, with the CR LF the log leaves out.
size_t LineLength(const controller_sim::ControllerSim &sim, std::string_view kind) {
  size_t length = 0;
  for (const auto &event : sim.events()) {
    if (event.kind == kind) length = event.text.size() + 2;
  }
  return length;
}

}  // namespace

int main(int argc, char **argv) {
  int runs = 30;
  if (argc > 1) {
    const std::string_view text = argv[1];
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), runs);
    if (ec != std::errc() || end != text.data() + text.size() || runs < 1 || runs > 1000) {
      std::fprintf(stderr, "usage: selkan-logic-download-bench [RUNS 1..1000]\n");
      return 2;
    }
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  std::printf("%s", bench::MachineDescription().c_str());

  const fs::path dir = bench::MakeTempDir("selkan-download-");
  platform::SetExecutableDirForTests(dir.string());
  controller_sim::ControllerSim sim(1);
  sim.setPace(true);
  sim.startPty((dir / ("COM" + std::to_string(kComPort))).string(), kBaud);

  int status = 0;
  {
    ui::Application app(argc, argv);
    ui::setMessageBoxFunction([](const QString &text, const QString &, int) {
      std::fprintf(stderr, "message box: %s\n", text.toUtf8().constData());
      return ui::IDOK;
    });
    ui::Form::setModalHandlerForTests([](ui::Form &form) {
      auto *conn = dynamic_cast<TConnForm *>(&form);
      if (conn == nullptr) return ui::mrCancel;
      conn->setNetwork(false);
      conn->setPortItem(kComPort - 1);
      return ui::mrOk;
    });
    selkan::EditorGlobals &g = selkan::Global();
    selkan::InitEditorGlobals(g);
    g.LinkIP = "127.0.0.1";
    LoadProject(g.project);
    DeliveryProbe probe;
    app.installEventFilter(&probe);

    std::vector<double> clickToNotice;
    std::vector<double> replyToNotice;
    int failures = 0;
    {
      TDeviceForm form(nullptr, tarnex_client::TarnexLinkServices({0, kBaud}));
      for (int i = 0; i < runs; ++i) {
        // The library's worker lets go of the line just after the previous
        // notice was handled; a click that soon is refused as busy, which no
        // operator's click is.
        WaitFor([] { return false; }, Ms(50));
        probe.last.reset();
        const Clock::time_point t0 = Clock::now();
        form.sbnSaveTo->click();
        if (!form.download().Busy || !WaitFor([&] { return !form.download().Busy; }, Ms(5000)) || !probe.last ||
            form.download().statusText() != "上传设备逻辑列表完成!") {
          ++failures;
          std::fprintf(stderr, "run %d: %s\n", i, form.download().statusText().c_str());
          WaitFor([&] { return !form.download().Busy; }, Ms(5000));
          continue;
        }
        clickToNotice.push_back(Ms(*probe.last - t0).count());
        replyToNotice.push_back(Ms(*probe.last - sim.lastReplySentAt()).count());
      }
    }

    const size_t request = LineLength(sim, "rx");
    const size_t reply = LineLength(sim, "tx");
    const double wire = static_cast<double>(request + reply) * kBitsPerChar * 1000.0 / kBaud;
    std::printf("\nlogic list download, pty paced at %d baud, %d runs\n", kBaud, runs);
    std::printf("wire time: request %zu + reply %zu chars = %.2f ms; target click -> notice <= %.2f ms\n", request,
                reply, wire, wire + 5);
    std::printf("click -> notice: %s\n", bench::Summary(clickToNotice, " ms").c_str());
    std::printf("reply -> notice: %s\n", bench::Summary(replyToNotice, " ms").c_str());
    if (!clickToNotice.empty()) {
      const double median = bench::Quantile(clickToNotice, 0.5);
      std::printf("over the wire time: median %+.2f ms, max %+.2f ms\n", median - wire,
                  bench::Quantile(clickToNotice, 1.0) - wire);
    }
    if (failures > 0) {
      std::printf("downloads that failed: %d\n", failures);
      status = 1;
    }
    ui::Form::setModalHandlerForTests({});
  }
  sim.stop();
  platform::SetExecutableDirForTests("");
  std::error_code ec;
  fs::remove_all(dir, ec);
  return status;
}
