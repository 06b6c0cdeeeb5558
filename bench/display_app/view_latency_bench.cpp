// morvit-view-latency-bench: how soon a change at a controller shows in the
// power management view. The display program's main window runs offscreen in
// this process against the controller simulator (also in this process) with
// the demo's registers and "User.ini"; output 0's state register (32) flips 60
// times at random moments.
//
//   set -> model     from the register's change at the simulator to the
//                    view's model holding the new output state
//   reply -> handler from the simulator sending the last byte of the status
//                    reply that carried it to the entry of the window's
//                    notice handler (delivery of the notice event)
//
//   morvit-view-latency-bench [FLIPS]   (default 60)
#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bench/display_app/bench_common.h"
#include "bench/display_app/event_wait.h"
#include "display_app/model/power_management.h"
#include "display_app/views/main_window.h"
#include "display_app/views/power_management_view.h"
#include "platform/app_dir.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_bridge.h"
#include "tools/controller_sim/controller_sim.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

// The last byte of each status-block reply ("read 0..63") the simulator sent.
class ReplyTimes {
 public:
  void add(const controller_sim::SimEvent &event) {
    if (event.kind != "tx" || !event.text.starts_with(":010380")) return;
    std::lock_guard lock(mutex_);
    times_.push_back(event.at);
  }
  // The latest one at or before t.
  std::optional<Clock::time_point> lastBefore(Clock::time_point t) const {
    std::lock_guard lock(mutex_);
    std::optional<Clock::time_point> found;
    for (Clock::time_point at : times_) {
      if (at <= t) found = at;
    }
    return found;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<Clock::time_point> times_;
};

// Entry times of the window-message deliveries, that is of the notice
// handler; the filter runs just before the handler.
class DeliveryProbe : public QObject {
 public:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == ui::MessageBridge::deliveryEventType()) times.push_back(Clock::now());
    return QObject::eventFilter(watched, event);
  }
  std::vector<Clock::time_point> times;
};

using bench::WaitFor;

const morvit::PowerManagementModel *Model() {
  if (morvit::frmMain == nullptr || morvit::frmMain->powerView() == nullptr) return nullptr;
  return &morvit::frmMain->powerView()->model();
}

std::optional<bool> Output0On() {
  const morvit::PowerManagementModel *model = Model();
  if (model == nullptr || model->devices().empty() || model->devices()[0].Outputs.empty()) return std::nullopt;
  return model->devices()[0].Outputs[0].State == 1;
}

}  // namespace

int main(int argc, char **argv) {
  int flips = 60;
  if (argc > 1) {
    const std::string_view text = argv[1];
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), flips);
    if (ec != std::errc() || end != text.data() + text.size() || flips < 1 || flips > 10000) {
      std::fprintf(stderr, "usage: morvit-view-latency-bench [FLIPS 1..10000]\n");
      return 2;
    }
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  std::printf("%s", bench::MachineDescription().c_str());

  const fs::path dir = bench::MakeTempDir("morvit-latency-");
  const fs::path demo = DEMO_DIR;
  ReplyTimes replies;
  controller_sim::ControllerSim sim(1);
  sim.loadRegisterFile((demo / "demo_registers.txt").string());
  sim.setEventSink([&replies](const controller_sim::SimEvent &event) { replies.add(event); });
  const uint16_t port = sim.startUdp(0);
  bench::WriteDemoUserIni(demo / "demo_user_ini.in", dir, port);
  platform::SetExecutableDirForTests(dir.string());

  int status = 0;
  {
    ui::Application app(argc, argv);
    ui::setMessageBoxFunction([](const QString &text, const QString &, int) {
      std::fprintf(stderr, "message box: %s\n", text.toUtf8().constData());
      return ui::IDOK;
    });
    DeliveryProbe probe;
    app.installEventFilter(&probe);
    std::unique_ptr<morvit::TfrmMain> window = morvit::createMainWindow(tarnex_client::TarnexLinkServices());
    const bool online = WaitFor(
        [] { return Model() != nullptr && Model()->statusText(0) == "在线" && Output0On().has_value(); }, Ms(10000));
    if (!online) {
      std::fprintf(stderr, "the link did not come online\n");
      status = 1;
    }

    std::vector<double> set_to_model;
    std::vector<double> reply_to_handler;
    int missed = 0;
    std::mt19937 rng(std::random_device{}());
    std::uniform_int_distribution<int> pause_ms(0, 800);
    for (int i = 0; online && i < flips; ++i) {
      WaitFor([] { return false; }, Ms(pause_ms(rng)));
      const bool want_on = !*Output0On();
      const Clock::time_point set_at = Clock::now();
      sim.setReg(1, 32, want_on ? 0 : 1);  // 0 = on
      if (!WaitFor([want_on] { return Output0On() == want_on; }, Ms(5000))) {
        ++missed;
        continue;
      }
      const Clock::time_point seen_at = Clock::now();
      set_to_model.push_back(Ms(seen_at - set_at).count());
      // The notice that brought it: the last delivery before it was seen,
      // and the status reply sent last before that delivery.
      std::optional<Clock::time_point> handler;
      for (Clock::time_point t : probe.times) {
        if (t <= seen_at) handler = t;
      }
      const std::optional<Clock::time_point> reply = handler ? replies.lastBefore(*handler) : std::nullopt;
      if (handler && reply && *reply >= set_at) reply_to_handler.push_back(Ms(*handler - *reply).count());
    }

    std::printf("set -> model:     %s (baseline: spread 0-800 ms, median near 400; target: max <= 820 ms)\n",
                bench::Summary(set_to_model, " ms").c_str());
    std::printf("reply -> handler: %s (targets: p99 <= 11 ms, median <= 1 ms)\n",
                bench::Summary(reply_to_handler, " ms").c_str());
    if (missed > 0) std::printf("flips never seen within 5 s: %d\n", missed);
  }
  platform::SetExecutableDirForTests("");
  std::error_code ec;
  fs::remove_all(dir, ec);
  return status;
}
