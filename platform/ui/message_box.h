#pragma once
// The program's message box. The function that shows it can be replaced, so
// tests answer boxes from a script instead of waiting for a user.
#include <QString>
#include <functional>

namespace ui {

// Buttons and icon, as the flags of the earlier tools combine them.
inline constexpr int MB_OK = 0x00;
inline constexpr int MB_OKCANCEL = 0x01;
inline constexpr int MB_ABORTRETRYIGNORE = 0x02;
inline constexpr int MB_YESNOCANCEL = 0x03;
inline constexpr int MB_YESNO = 0x04;
inline constexpr int MB_RETRYCANCEL = 0x05;
inline constexpr int MB_ICONERROR = 0x10;
inline constexpr int MB_ICONQUESTION = 0x20;
inline constexpr int MB_ICONWARNING = 0x30;
inline constexpr int MB_ICONINFORMATION = 0x40;

// Answers.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

using MessageBoxFunction = std::function<int(const QString &text, const QString &caption, int flags)>;

// Shows the box modally and returns the button the user chose.
int messageBox(const QString &text, const QString &caption, int flags);

// Replaces the function behind messageBox; an empty function puts the real
// box back. Returns the previous replacement (empty for the real box).
MessageBoxFunction setMessageBoxFunction(MessageBoxFunction function);

}  // namespace ui
