#include "platform/ui/message_box.h"

#include <QMessageBox>
#include <utility>
#include <vector>

namespace ui {
namespace {

MessageBoxFunction &replacement() {
  static MessageBoxFunction function;
  return function;
}

int showRealBox(const QString &text, const QString &caption, int flags) {
  QMessageBox box;
  box.setWindowTitle(caption);
  box.setText(text);
  switch (flags & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  struct Choice {
    QMessageBox::StandardButton button;
    int answer;
  };
  std::vector<Choice> choices;
  switch (flags & 0x0F) {
    case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE:
      choices = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
      break;
    case MB_YESNOCANCEL:
      choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
      break;
    case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: choices = {{QMessageBox::Ok, IDOK}}; break;
  }
  QMessageBox::StandardButtons buttons;
  for (const Choice &c : choices) buttons |= c.button;
  box.setStandardButtons(buttons);
  const int chosen = box.exec();
  for (const Choice &c : choices) {
    if (c.button == chosen) return c.answer;
  }
  return IDCANCEL;
}

}  // namespace

int messageBox(const QString &text, const QString &caption, int flags) {
  if (replacement()) return replacement()(text, caption, flags);
  return showRealBox(text, caption, flags);
}

MessageBoxFunction setMessageBoxFunction(MessageBoxFunction function) {
  return std::exchange(replacement(), std::move(function));
}

}  // namespace ui
