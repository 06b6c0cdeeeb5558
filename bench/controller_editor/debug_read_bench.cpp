// selkan-debug-read-bench: the debug console's block reads at line speed.
// The console runs offscreen in this process on the real link library,
// opened on COM3, a pty whose other end is the controller simulator (also in
// this process) pacing its side at 9600 baud. Per read:
//
//   click -> notice  from the button's handler being called to the entry of
//                    the console's notice handler (delivery of the notice)
//   wire             the line time of the request and the reply, from the
//                    lengths of the texts the simulator received and sent
//                    (10 bits per character)
//   overhead         click -> notice minus wire; target <= 5 ms. Split into
//                    the request's way to the simulator (the pty takes it
//                    at once; the simulator paces both directions), the
//                    simulator's pacing beyond the wire time, and the
//                    reply's way from its last byte to the handler
//
// The console's reads are fixed blocks; the largest is the timer plan (75
// registers), measured with the inputs (16) and one register.
//
//   selkan-debug-read-bench [READS]   (per block, default 20)
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/display_app/bench_common.h"
#include "controller_editor/forms/debug_form.h"
#include "platform/app_dir.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_bridge.h"
#include "tools/controller_sim/controller_sim.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr int kBaud = 9600;
constexpr double kBitsPerCharacter = 10.0;

// Entry times of the window-message deliveries (the filter runs just before
// the console's handler), and a wait that ends once the handler has run.
class NoticeProbe : public QObject {
 public:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == ui::MessageBridge::deliveryEventType()) {
      times.push_back(Clock::now());
      // Queued, so the handler runs before the wait ends.
      if (loop_ != nullptr) QMetaObject::invokeMethod(loop_, &QEventLoop::quit, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }

  bool waitForNotice(Ms limit) {
    if (times.empty()) {
      QEventLoop loop;
      loop_ = &loop;
      QTimer::singleShot(static_cast<int>(limit.count()), &loop, &QEventLoop::quit);
      loop.exec();
      loop_ = nullptr;
    }
    return !times.empty();
  }

  std::vector<Clock::time_point> times;

 private:
  QEventLoop *loop_ = nullptr;
};

void Pause(Ms duration) {
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(duration.count()), &loop, &QEventLoop::quit);
  loop.exec();
}

// Characters on the line for a logged text (the log drops CR LF).
size_t LineCharacters(const controller_sim::SimEvent &event) { return event.text.size() + 2; }

struct Block {
  const char *name;
  void (TDebugForm::*click)();
};

struct Figures {
  std::vector<double> clickToNotice;
  std::vector<double> wire;
  std::vector<double> overhead;
  std::vector<double> toRequest;  // click -> request at the simulator (the pty takes it at once)
  std::vector<double> pacing;     // simulator: request in -> last reply byte out, minus wire
  std::vector<double> fromReply;  // last reply byte out -> notice
  int failed = 0;
};

// One read: the click, the notice, and the texts the simulator saw.
void MeasureOnce(TDebugForm &form, controller_sim::ControllerSim &sim, NoticeProbe &probe, const Block &block,
                 Figures &figures) {
  // The worker that delivered the last notice ends a moment after it; a
  // click before that would be refused.
  Pause(Ms(20));
  sim.clearEvents();
  probe.times.clear();
  const Clock::time_point clicked = Clock::now();
  (form.*block.click)();
  if (!probe.waitForNotice(Ms(5000)) || form.stbM->panel(0).text != QStringLiteral("完成!")) {
    ++figures.failed;
    return;
  }
  std::optional<controller_sim::SimEvent> request;
  std::optional<controller_sim::SimEvent> reply;
  for (const controller_sim::SimEvent &event : sim.events()) {
    if (event.kind == "rx" && !request) request = event;
    if (event.kind == "tx" && !reply) reply = event;
  }
  if (!request || !reply) {
    ++figures.failed;
    return;
  }
  const auto lineMs = [](const controller_sim::SimEvent &event) {
    return static_cast<double>(LineCharacters(event)) * kBitsPerCharacter * 1000.0 / kBaud;
  };
  const double wireMs = lineMs(*request) + lineMs(*reply);
  const double measured = Ms(probe.times.front() - clicked).count();
  figures.toRequest.push_back(Ms(request->at - clicked).count());
  figures.pacing.push_back(Ms(reply->at - request->at).count() - wireMs);
  figures.fromReply.push_back(Ms(probe.times.front() - reply->at).count());
  figures.clickToNotice.push_back(measured);
  figures.wire.push_back(wireMs);
  figures.overhead.push_back(measured - wireMs);
}

}  // namespace

int main(int argc, char **argv) {
  int reads = 20;
  if (argc > 1) {
    const std::string_view text = argv[1];
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), reads);
    if (ec != std::errc() || end != text.data() + text.size() || reads < 1 || reads > 1000) {
      std::fprintf(stderr, "usage: selkan-debug-read-bench [READS 1..1000]\n");
      return 2;
    }
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  std::printf("%s", bench::MachineDescription().c_str());

  const fs::path dir = bench::MakeTempDir("selkan-debug-read-");
  platform::SetExecutableDirForTests(dir.string());
  int status = 0;
  {
    controller_sim::ControllerSim sim(1);
    sim.startPty((dir / "COM3").string(), kBaud);
    sim.setPace(true);

    ui::Application app(argc, argv);
    ui::setMessageBoxFunction([](const QString &text, const QString &, int) {
      std::fprintf(stderr, "message box: %s\n", text.toUtf8().constData());
      return ui::IDOK;
    });
    NoticeProbe probe;
    app.installEventFilter(&probe);

    auto form = std::make_unique<TDebugForm>(nullptr, tarnex_client::TarnexLinkServices());
    form->eIP->setText(QStringLiteral("127.0.0.1"));
    form->cmbPLC->widget()->setEditText(QStringLiteral("01"));
    form->rbComm->setChecked(true);
    form->cmbComm->widget()->setCurrentIndex(2);
    form->sbnOpenCommClick();
    if (form->logic().linkHandle() == -1) {
      std::fprintf(stderr, "COM3 did not open\n");
      status = 1;
    }

    const Block blocks[] = {
        {"timer plan, 75 registers", &TDebugForm::sbnReadTimerClick},
        {"inputs, 16 registers", &TDebugForm::sbnReadIClick},
        {"one register", &TDebugForm::sbnReadClick},
    };
    std::printf("pty paced at %d baud, %d reads per block\n", kBaud, reads);
    for (const Block &block : blocks) {
      if (status != 0) break;
      Figures figures;
      for (int i = 0; i < reads; ++i) MeasureOnce(*form, sim, probe, block, figures);
      std::printf("%s\n", block.name);
      std::printf("  click -> notice: %s\n", bench::Summary(figures.clickToNotice, " ms").c_str());
      std::printf("  wire:            %s\n", bench::Summary(figures.wire, " ms").c_str());
      std::printf("  overhead:        %s (target: max <= 5 ms)\n", bench::Summary(figures.overhead, " ms").c_str());
      std::printf("    click -> request at the simulator:       %s\n", bench::Summary(figures.toRequest, " ms").c_str());
      std::printf("    simulator's pacing beyond the wire time: %s\n", bench::Summary(figures.pacing, " ms").c_str());
      std::printf("    last reply byte -> notice:               %s\n", bench::Summary(figures.fromReply, " ms").c_str());
      if (figures.failed > 0) {
        std::printf("  reads without a reply within 5 s: %d\n", figures.failed);
        status = 1;
      }
    }
    form.reset();
    sim.stop();
  }
  platform::SetExecutableDirForTests("");
  std::error_code ec;
  fs::remove_all(dir, ec);
  return status;
}
