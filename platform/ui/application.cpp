#include "platform/ui/application.h"

#include <QFileInfo>
#include <QFont>
#include <QWidget>
#include <stdexcept>

#include "platform/ui/font.h"
#include "platform/ui/form.h"
#include "platform/ui/message_box.h"

namespace ui {

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {
  installFontSubstitutions();
  // The program ends when its main form closes, not when the last window does.
  setQuitOnLastWindowClosed(false);
}

Application::~Application() = default;

Application *Application::instance() { return qobject_cast<Application *>(QCoreApplication::instance()); }

QString Application::title() const {
  if (!title_.isEmpty()) return title_;
  return applicationName();
}

void Application::setMainForm(Form *form) {
  mainForm_ = form;
  if (form != nullptr) {
    connect(form, &QObject::destroyed, this, [this, form] {
      if (mainForm_ == form) mainForm_ = nullptr;
    });
  }
}

bool Application::installMessageHook(const void *installer, MessageHook hook) {
  if (hook_ || !hook) return false;
  hook_ = std::move(hook);
  hookOwner_ = installer;
  return true;
}

void Application::removeMessageHook(const void *installer) {
  if (!hook_ || hookOwner_ != installer) return;
  hook_ = nullptr;
  hookOwner_ = nullptr;
}

void Application::processMessages() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Application::terminate() {
  terminated_ = true;
  QCoreApplication::exit(0);
}

void Application::showException(std::exception_ptr error) {
  QString text;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception &e) {
    text = QString::fromUtf8(e.what());
  } catch (...) {
    text = QStringLiteral("发生未知错误。");
  }
  messageBox(text, title(), MB_OK | MB_ICONERROR);
}

bool Application::preProcessKey(QObject *receiver, QKeyEvent &key) {
  if (hook_) {
    MessageHook hook = hook_;  // the hook may remove itself
    if (hook(key)) return true;
  }
  auto *widget = qobject_cast<QWidget *>(receiver);
  if (widget == nullptr) return false;
  auto *form = qobject_cast<Form *>(widget->window());
  return form != nullptr && form->preProcessKey(key);
}

bool Application::notify(QObject *receiver, QEvent *event) {
  try {
    if (event->type() == QEvent::KeyPress && preProcessKey(receiver, *static_cast<QKeyEvent *>(event))) {
      return true;
    }
    return QApplication::notify(receiver, event);
  } catch (...) {
    showException(std::current_exception());
  }
  return true;
}

void runGuarded(const std::function<void()> &body) {
  try {
    body();
  } catch (...) {
    Application *app = Application::instance();
    if (app == nullptr) throw;
    app->showException(std::current_exception());
  }
}

}  // namespace ui
