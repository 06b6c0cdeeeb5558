#pragma once
// The program's open and save dialogs. The function that shows them can be
// replaced, as the message box's can, so tests answer them from a script.
#include <QString>
#include <functional>
#include <optional>

namespace ui {

struct FileDialogOptions {
  QString title;
  QString directory;  // where the dialog starts
  QString filter;     // "Name (*.ext)"
};

enum class FileDialogKind { Open, Save };

using FileDialogFunction =
    std::function<std::optional<QString>(FileDialogKind kind, const FileDialogOptions &options)>;

// The chosen path, or nothing when the user cancelled. Open takes an
// existing file only (checked again after the dialog closes: it may have
// gone meanwhile); Save does not ask before an existing file is replaced.
std::optional<QString> openFileDialog(const FileDialogOptions &options);
std::optional<QString> saveFileDialog(const FileDialogOptions &options);

// Replaces the function behind both dialogs; an empty function puts the
// real dialogs back. Returns the previous replacement.
FileDialogFunction setFileDialogFunction(FileDialogFunction function);

}  // namespace ui
