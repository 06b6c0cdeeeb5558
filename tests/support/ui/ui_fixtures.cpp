#include "tests/support/ui/ui_fixtures.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEnterEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

namespace testsupport {

void processEvents() {
  for (int round = 0; round < 3; ++round) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

void pressKey(QWidget *target, int key, Qt::KeyboardModifiers mods, const QString &text) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(target, &release);
}

void sendEnter(QWidget *target) {
  QEnterEvent e(QPointF(5, 5), QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)));
  QApplication::sendEvent(target, &e);
}

void sendLeave(QWidget *target) {
  QEvent e(QEvent::Leave);
  QApplication::sendEvent(target, &e);
}

bool waitFor(const std::function<bool()> &pred, int timeoutMs) {
  return QTest::qWaitFor(pred, timeoutMs);
}

void UiTest::SetUp() { ASSERT_NE(QApplication::instance(), nullptr) << "no application object"; }

void UiTest::TearDown() {
  while (QWidget *popup = QApplication::activePopupWidget()) popup->close();
  processEvents();
}

TempAppDir::TempAppDir() : override_(dir_.path()) {}

TempAppDir::~TempAppDir() = default;

void TempAppDir::writeFile(const std::string &name, const std::string &bytes) const {
  std::ofstream out(dir_ / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) ADD_FAILURE() << "cannot write " << (dir_ / name);
}

std::string TempAppDir::readFile(const std::string &name) const {
  std::ifstream in(dir_ / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

MessageBoxScript::MessageBoxScript() {
  previous_ = ui::setMessageBoxFunction([this](const QString &text, const QString &caption, int flags) {
    shown_.push_back({text, caption, flags});
    if (answers_.empty()) {
      ADD_FAILURE() << "message box nobody expected: \"" << caption.toStdString() << "\": "
                    << text.toStdString();
      return ui::IDCANCEL;
    }
    const int id = answers_.front();
    answers_.pop_front();
    return id;
  });
}

MessageBoxScript::~MessageBoxScript() {
  ui::setMessageBoxFunction(std::move(previous_));
  if (!answers_.empty()) ADD_FAILURE() << answers_.size() << " scripted message box answer(s) never used";
}

MessageBoxScript &MessageBoxScript::answer(int id) {
  answers_.push_back(id);
  return *this;
}

FileDialogScript::FileDialogScript() {
  previous_ = ui::setFileDialogFunction([this](ui::FileDialogKind kind, const ui::FileDialogOptions &options) {
    shown_.push_back({kind, options});
    if (answers_.empty()) {
      ADD_FAILURE() << "file dialog nobody expected: " << options.title.toStdString();
      return std::optional<QString>();
    }
    // Built afresh rather than moved out of the queue: GCC takes a moved
    // optional QString for one that may be uninitialised.
    const bool given = answers_.front().has_value();
    const QString text = answers_.front().value_or(QString());
    answers_.pop_front();
    return given ? std::optional<QString>(text) : std::nullopt;
  });
}

FileDialogScript::~FileDialogScript() {
  ui::setFileDialogFunction(std::move(previous_));
  if (!answers_.empty()) ADD_FAILURE() << answers_.size() << " scripted file dialog answer(s) never used";
}

FileDialogScript &FileDialogScript::choose(const QString &path) {
  answers_.push_back(path);
  return *this;
}

FileDialogScript &FileDialogScript::cancel() {
  answers_.push_back(std::nullopt);
  return *this;
}

ModalScript::ModalScript() {
  previous_ = ui::Form::setModalHandlerForTests([this](ui::Form &form) {
    shown_.push_back({form.metaObject()->className(), form.caption()});
    if (handlers_.empty()) {
      ADD_FAILURE() << "modal form nobody expected: " << form.metaObject()->className();
      return ui::mrCancel;
    }
    Handler handler = std::move(handlers_.front());
    handlers_.pop_front();
    return handler(form);
  });
}

ModalScript::~ModalScript() {
  ui::Form::setModalHandlerForTests(std::move(previous_));
  if (!handlers_.empty()) ADD_FAILURE() << handlers_.size() << " scripted modal form(s) never shown";
}

ModalScript &ModalScript::then(Handler handler) {
  handlers_.push_back(std::move(handler));
  return *this;
}

ModalScript &ModalScript::answer(int result) {
  return then([result](ui::Form &) { return result; });
}

RealModalLoop::RealModalLoop() { previous_ = ui::Form::setModalHandlerForTests(nullptr); }

RealModalLoop::~RealModalLoop() { ui::Form::setModalHandlerForTests(std::move(previous_)); }

}  // namespace testsupport
