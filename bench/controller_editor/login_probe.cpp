// selkan-login-probe: the editor's start-up as the program runs it, which
// prints CLOCK_MONOTONIC ("first-paint SECONDS") when the login dialog is
// first painted and then ends the program, as Escape would.
#include <time.h>

#include <QByteArray>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>
#include <cstdio>

#include "controller_editor/editor_app.h"
#include "controller_editor/forms/login_form.h"
#include "platform/ui/application.h"

namespace {

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (!seen_ && event->type() == QEvent::Paint) {
      auto *widget = qobject_cast<QWidget *>(watched);
      if (widget != nullptr && qobject_cast<TLoginForm *>(widget->window()) != nullptr) {
        seen_ = true;
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        std::printf("first-paint %lld.%09ld\n", static_cast<long long>(ts.tv_sec), ts.tv_nsec);
        std::fflush(stdout);
        QTimer::singleShot(0, [] { ui::Application::instance()->terminate(); });
      }
    }
    return false;
  }

 private:
  bool seen_ = false;
};

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  int count = argc;
  ui::Application app(count, argv);
  FirstPaint watcher;
  app.installEventFilter(&watcher);
  return runEditor(argc, argv, tarnex_client::TarnexLinkServices());
}
