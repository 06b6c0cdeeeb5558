#pragma once
// Fixtures for tests of windows: the offscreen application that the test
// program's main() creates, event helpers, a temporary application
// directory, and scripts that answer message boxes and modal forms.
//
// Every test program linked with test_support_ui gets a main() that creates
// a ui::Application on the offscreen platform. A message box or a modal form
// that no script expects fails the running test and returns at once, so a
// headless test never blocks; RealModalLoop lets ShowModal run its loop.
#include <QString>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/file_dialog.h"
#include "platform/ui/form.h"
#include "platform/ui/message_box.h"
#include "tests/support/temp_dir.h"

namespace testsupport {

// Handles every pending event, including deferred deletes.
void processEvents();

// Runs the event loop until pred() holds or timeoutMs passed; returns pred().
bool waitFor(const std::function<bool()> &pred, int timeoutMs = 5000);

// Sends a key press and its release to target, as the keyboard would.
void pressKey(QWidget *target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString &text = {});

// Sends the mouse's arrival at (5, 5) of target, or its leaving, as the
// window system would; the cursor itself stays where it is.
void sendEnter(QWidget *target);
void sendLeave(QWidget *target);

// A test on the offscreen application. TearDown closes the pop-up menus a
// test left open and handles the pending events.
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// A fresh directory that platform::ExecutableDir() names while the object
// lives, so the program under test reads and writes its files there.
class TempAppDir {
 public:
  TempAppDir();
  ~TempAppDir();
  TempAppDir(const TempAppDir &) = delete;
  TempAppDir &operator=(const TempAppDir &) = delete;

  const std::filesystem::path &path() const { return dir_.path(); }
  std::filesystem::path operator/(const std::string &name) const { return dir_ / name; }
  // Writes bytes as they stand (code page 936 text is the caller's).
  void writeFile(const std::string &name, const std::string &bytes) const;
  std::string readFile(const std::string &name) const;

 private:
  TempDir dir_;
  ExecutableDirOverride override_;
};

// Answers message boxes while it lives; each box takes the next answer. A
// box with no answer left fails the test and gets IDCANCEL. Answers left
// over when the script ends fail the test too.
class MessageBoxScript {
 public:
  struct Box {
    QString text;
    QString caption;
    int flags = 0;
  };

  MessageBoxScript();
  ~MessageBoxScript();
  MessageBoxScript(const MessageBoxScript &) = delete;
  MessageBoxScript &operator=(const MessageBoxScript &) = delete;

  // Queues the answer for the next box (IDOK, IDYES, ...).
  MessageBoxScript &answer(int id);
  // Every box shown while the script lived, in order.
  const std::vector<Box> &shown() const { return shown_; }

 private:
  std::deque<int> answers_;
  std::vector<Box> shown_;
  ui::MessageBoxFunction previous_;
};

// Answers the open and save dialogs while it lives: each dialog takes the
// next queued answer (a path, or nothing for Cancel). A dialog with no
// answer left fails the test and is cancelled; answers left over when the
// script ends fail the test too.
class FileDialogScript {
 public:
  struct Dialog {
    ui::FileDialogKind kind;
    ui::FileDialogOptions options;
  };

  FileDialogScript();
  ~FileDialogScript();
  FileDialogScript(const FileDialogScript &) = delete;
  FileDialogScript &operator=(const FileDialogScript &) = delete;

  FileDialogScript &choose(const QString &path);
  FileDialogScript &cancel();
  const std::vector<Dialog> &shown() const { return shown_; }

 private:
  std::deque<std::optional<QString>> answers_;
  std::vector<Dialog> shown_;
  ui::FileDialogFunction previous_;
};

// Takes the forms that ShowModal would run modally, while it lives. Each
// form goes to the next handler, whose result ShowModal returns; a form with
// no handler left fails the test and gives mrCancel. Handlers left over when
// the script ends fail the test too.
class ModalScript {
 public:
  using Handler = std::function<int(ui::Form &form)>;
  struct Shown {
    std::string className;  // the form's most-derived class
    QString caption;
  };

  ModalScript();
  ~ModalScript();
  ModalScript(const ModalScript &) = delete;
  ModalScript &operator=(const ModalScript &) = delete;

  ModalScript &then(Handler handler);
  // A handler that just returns result.
  ModalScript &answer(int result);
  const std::vector<Shown> &shown() const { return shown_; }

 private:
  std::deque<Handler> handlers_;
  std::vector<Shown> shown_;
  ui::Form::ModalHandler previous_;
};

// Lets ShowModal run its real local loop while it lives.
class RealModalLoop {
 public:
  RealModalLoop();
  ~RealModalLoop();
  RealModalLoop(const RealModalLoop &) = delete;
  RealModalLoop &operator=(const RealModalLoop &) = delete;

 private:
  ui::Form::ModalHandler previous_;
};

}  // namespace testsupport
