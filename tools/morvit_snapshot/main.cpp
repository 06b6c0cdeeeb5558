// morvit_snapshot: starts the display program's main window as Morvit does,
// from its own directory (so it reads the "User.ini" beside it), waits for
// the power management view's link to read "在线" in status panel 0, and
// saves the window as a PNG.
//
//   morvit_snapshot [--first-paint] [--hold S] [--local-port N] [--screen] OUT.png [TIMEOUT_S]
//   morvit_snapshot --gallery OUT.png
//
// TIMEOUT_S (default 10) bounds the wait; once online it waits up to 3 s
// more for the clock in panel 3, so the picture shows the decoded status
// too. The PNG is written in any case;
// the exit status is 0 only when "在线" was seen and the PNG written, 1
// otherwise, 2 for bad arguments. --first-paint prints "first-paint T" at the
// main window's first paint, T in seconds of CLOCK_MONOTONIC, waiting up to
// 10 s for that paint before the wait for "在线" begins; --hold keeps
// the window up until S seconds after start (for memory readings). Without
// QT_QPA_PLATFORM it runs offscreen. --local-port sets the power view's
// local UDP port (0..65535); the default 0 takes any free port, so the tool
// never needs the port a running Morvit holds. Message boxes are printed to standard
// error and answered at once, so nothing waits for a user.
//
// --screen saves the whole screen instead, taken from the window system once
// the window is exposed, and checks it: the window's left border column is
// (127,127,127) at row 300, the status bar's grip line (191,205,219) at
// 8 pixels from its bottom-right corner, and the window is no blank area.
// A failed check is printed and gives exit status 1.
//
// --gallery draws, without the main window, one small skinned form for each
// built-in look beside a sheet of every built-in picture, with the sheet of
// every skinned control below, in each built-in look and in a skin file,
// and saves it. The exit status is 1 when a controls sheet misses what it
// is there to show (a skin that did not load, a button not held down, a
// panel not folded, a tab strip that fits, a track bar not upright).
#include <time.h>

#include <QByteArray>
#include <QEvent>
#include <QEventLoop>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QScreen>
#include <QWindow>

#include "display_app/views/main_window.h"
#include "display_app/views/power_management_view.h"
#include "platform/ui/application.h"
#include "platform/ui/font.h"
#include "platform/ui/message_box.h"
#include "skin_toolkit/frames/kwo_status_bar.h"
#include "skin_toolkit/gallery/gallery.h"
#include "tools/morvit_snapshot/power_status.h"
#include "tools/morvit_snapshot/screen_check.h"

namespace {

constexpr double kFirstPaintWait = 10;
constexpr double kClockWait = 3;
// How long the window may take to be exposed, and then to show on the
// screen as the checks expect.
constexpr double kExposeWait = 10;
constexpr double kScreenSettle = 5;

const char kUsage[] =
    "用法: morvit_snapshot [--first-paint] [--hold S] [--local-port N] [--screen] OUT.png [TIMEOUT_S]\n"
    "      morvit_snapshot --gallery OUT.png\n";

double MonotonicSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

std::optional<double> ParseSeconds(std::string_view text) {
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !(value >= 0) || value > 3600) {
    return std::nullopt;
  }
  return value;
}

std::optional<int32_t> ParsePort(std::string_view text) {
  int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0 || value > 65535) {
    return std::nullopt;
  }
  return value;
}

[[noreturn]] void Usage(const std::string &message) {
  std::fprintf(stderr, "morvit_snapshot: %s\n%s", message.c_str(), kUsage);
  std::exit(2);
}

struct Options {
  bool first_paint = false;
  bool screen = false;
  bool gallery = false;
  double hold = 0;
  int32_t localPort = 0;
  std::string out;
  double timeout = 10;
};

Options ParseOptions(int argc, char **argv) {
  Options o;
  std::vector<std::string_view> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--first-paint") {
      o.first_paint = true;
    } else if (arg == "--hold") {
      if (i + 1 >= argc) Usage("--hold 缺少秒数");
      const std::optional<double> s = ParseSeconds(argv[++i]);
      if (!s) Usage("--hold 的秒数无效: " + std::string(argv[i]));
      o.hold = *s;
    } else if (arg == "--local-port") {
      if (i + 1 >= argc) Usage("--local-port 缺少端口号");
      const std::optional<int32_t> port = ParsePort(argv[++i]);
      if (!port) Usage("--local-port 的端口号无效: " + std::string(argv[i]));
      o.localPort = *port;
    } else if (arg == "--screen") {
      o.screen = true;
    } else if (arg == "--gallery") {
      o.gallery = true;
    } else if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      std::exit(0);
    } else if (arg.starts_with("--")) {
      Usage("未知选项: " + std::string(arg));
    } else {
      positional.push_back(arg);
    }
  }
  if (o.gallery) {
    if (positional.size() != 1 || o.screen || o.first_paint || o.hold > 0) Usage("--gallery 只需要输出文件");
    o.out = positional[0];
    return o;
  }
  if (positional.empty() || positional.size() > 2) Usage("需要输出文件, 以及可选的等待秒数");
  o.out = positional[0];
  if (positional.size() == 2) {
    const std::optional<double> s = ParseSeconds(positional[1]);
    if (!s) Usage("等待秒数无效: " + std::string(positional[1]));
    o.timeout = *s;
  }
  return o;
}

// Notes the first paint of the main window (or of any window before it
// exists) and prints its time once.
class FirstPaintProbe : public QObject {
 public:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (!done_ && event->type() == QEvent::Paint) {
      auto *widget = qobject_cast<QWidget *>(watched);
      QWidget *main = morvit::frmMain;
      if (widget != nullptr && (main == nullptr || widget->window() == main)) {
        done_ = true;
        std::printf("first-paint %.6f\n", MonotonicSeconds());
        std::fflush(stdout);
      }
    }
    return QObject::eventFilter(watched, event);
  }

 bool done() const { return done_; }

 private:
  bool done_ = false;
};

// Runs the event loop until done() or seconds have passed; true when done.
bool WaitFor(const std::function<bool()> &done, double seconds) {
  if (done()) return true;
  QEventLoop loop;
  QTimer poll;
  bool met = false;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!done()) return;
    met = true;
    loop.quit();
  });
  poll.start(20);
  QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, [&loop] { loop.quit(); });
  loop.exec();
  return met || done();
}

bool SavePicture(const QImage &picture, const std::string &out) {
  if (picture.save(QString::fromStdString(out), "PNG")) return true;
  std::fprintf(stderr, "morvit_snapshot: 无法写入 %s\n", out.c_str());
  return false;
}

// The screen the window is on, grabbed from the window system once the
// window is exposed; retried until the checks hold or the settle time has
// passed. Prints what failed; true when every check held.
bool GrabScreen(morvit::TfrmMain &window, QImage &picture) {
  QWindow *handle = window.windowHandle();
  if (handle == nullptr || !WaitFor([handle] { return handle->isExposed(); }, kExposeWait)) {
    std::fprintf(stderr, "morvit_snapshot: 窗口在 %g 秒内没有显示\n", kExposeWait);
  }
  QScreen *screen = window.screen();
  std::vector<QString> failures;
  const double until = MonotonicSeconds() + kScreenSettle;
  do {
    ui::Application::processMessages();
    picture = screen != nullptr ? screen->grabWindow(0).toImage() : QImage();
    failures = snapshot::CheckMainWindowOnScreen(picture, window, *window.sbMain);
    if (failures.empty()) return true;
    WaitFor([] { return false; }, 0.1);
  } while (MonotonicSeconds() < until);
  for (const QString &failure : failures) std::fprintf(stderr, "morvit_snapshot: %s\n", failure.toUtf8().constData());
  return false;
}

}  // namespace

int main(int argc, char **argv) {
  const double started = MonotonicSeconds();
  const Options options = ParseOptions(argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));

  ui::Application app(argc, argv);
  ui::installFontSubstitutions();
  ui::setMessageBoxFunction([](const QString &text, const QString &caption, int flags) {
    std::fprintf(stderr, "morvit_snapshot: 消息框 \"%s\": %s\n", caption.toUtf8().constData(),
                 text.toUtf8().constData());
    const int buttons = flags & 0x0F;
    return buttons == ui::MB_YESNO || buttons == ui::MB_YESNOCANCEL ? ui::IDNO
           : buttons == ui::MB_OK                                    ? ui::IDOK
                                                                     : ui::IDCANCEL;
  });
  if (options.gallery) {
    QImage picture;
    const bool complete = gallery::DrawGallery(picture);
    return SavePicture(picture, options.out) && complete ? 0 : 1;
  }
  FirstPaintProbe probe;
  if (options.first_paint) app.installEventFilter(&probe);

  int status = 1;
  {
    std::unique_ptr<morvit::TfrmMain> window =
        morvit::createMainWindow(tarnex_client::TarnexLinkServices({options.localPort, 9600}));
    const auto online = [&window] { return snapshot::PowerStatusText(*window, 0) == QStringLiteral("在线"); };
    if (options.first_paint && !WaitFor([&probe] { return probe.done(); }, kFirstPaintWait)) {
      std::fprintf(stderr, "morvit_snapshot: 窗口在 %g 秒内没有绘制\n", kFirstPaintWait);
    }
    const bool seen = WaitFor(online, options.timeout);
    // The first reply online is the plan; the status block and the clock
    // (panel 3) follow within a few polls. The picture waits for them too.
    if (seen) WaitFor([&window] { return !snapshot::PowerStatusText(*window, 3).isEmpty(); }, kClockWait);
    // One more pass so the status bar has painted what the model says.
    ui::Application::processMessages();

    QImage picture;
    bool checked = true;
    if (options.screen) {
      checked = GrabScreen(*window, picture);
    } else {
      picture = window->grab().toImage();
    }
    const bool saved = SavePicture(picture, options.out);
    if (!seen) {
      std::fprintf(stderr, "morvit_snapshot: %g 秒内状态栏未显示 \"在线\" (面板 0: \"%s\")\n", options.timeout,
                   snapshot::PowerStatusText(*window, 0).toUtf8().constData());
    }
    status = seen && saved && checked ? 0 : 1;

    const double left = options.hold - (MonotonicSeconds() - started);
    if (left > 0) WaitFor([] { return false; }, left);
  }
  return status;
}
