#include "platform/ui/file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <utility>

namespace ui {
namespace {

FileDialogFunction &replacement() {
  static FileDialogFunction function;
  return function;
}

std::optional<QString> showRealDialog(FileDialogKind kind, const FileDialogOptions &options) {
  QFileDialog dialog(nullptr, options.title, options.directory, options.filter);
  if (kind == FileDialogKind::Open) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
  return chosen.front();
}

std::optional<QString> show(FileDialogKind kind, const FileDialogOptions &options) {
  std::optional<QString> path =
      replacement() ? replacement()(kind, options) : showRealDialog(kind, options);
  if (path && kind == FileDialogKind::Open && !QFileInfo(*path).isFile()) return std::nullopt;
  return path;
}

}  // namespace

std::optional<QString> openFileDialog(const FileDialogOptions &options) {
  return show(FileDialogKind::Open, options);
}

std::optional<QString> saveFileDialog(const FileDialogOptions &options) {
  return show(FileDialogKind::Save, options);
}

FileDialogFunction setFileDialogFunction(FileDialogFunction function) {
  return std::exchange(replacement(), std::move(function));
}

}  // namespace ui
