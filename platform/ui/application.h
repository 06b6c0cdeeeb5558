#pragma once
// The application object of a windowed program: its main form, its title,
// a key hook that one window may install, and an event dispatcher that turns
// an exception escaping a handler into a message box instead of an abort.
#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <exception>
#include <functional>

namespace ui {

class Form;

class Application : public QApplication {
  Q_OBJECT
 public:
  // Handled: the key press goes no further.
  using MessageHook = std::function<bool(QKeyEvent &key)>;

  Application(int &argc, char **argv);
  ~Application() override;

  static Application *instance();

  // The title message boxes of the application carry; the executable's name
  // unless set.
  QString title() const;
  void setTitle(const QString &title) { title_ = title; }

  Form *mainForm() const { return mainForm_; }
  void setMainForm(Form *form);

  // Installs the key hook when none is installed; false when another is.
  bool installMessageHook(const void *installer, MessageHook hook);
  // Removes the hook, only when installer is the one that installed it.
  void removeMessageHook(const void *installer);
  bool hasMessageHook() const { return static_cast<bool>(hook_); }

  // Handles every pending event and message, then returns.
  static void processMessages();

  // Asks the program to end: running loops (modal ones too) return, and
  // terminated() tells the caller not to start the main loop.
  void terminate();
  bool terminated() const { return terminated_; }

  // Shows the exception's text in a message box captioned with the title.
  void showException(std::exception_ptr error);

  bool notify(QObject *receiver, QEvent *event) override;

 private:
  bool preProcessKey(QObject *receiver, QKeyEvent &key);

  QString title_;
  Form *mainForm_ = nullptr;
  MessageHook hook_;
  const void *hookOwner_ = nullptr;
  bool terminated_ = false;
};

// Runs body; an exception is shown as Application::showException does (or
// rethrown when there is no application object).
void runGuarded(const std::function<void()> &body);

}  // namespace ui
