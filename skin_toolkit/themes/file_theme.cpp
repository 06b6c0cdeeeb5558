#include "skin_toolkit/themes/file_theme.h"

#include <QFile>

#include "platform/app_dir.h"
#include "platform/file_io.h"
#include "platform/ui/form.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/file_theme_reader.h"
#include "skin_toolkit/themes/skin_file.h"
#include "skin_toolkit/themes/theme_client.h"

namespace kwo {
namespace {

// The file a ThemeFile value names: the path as given (exact, else the same
// name ignoring ASCII case in its folder), else the name part beside the
// executable. Empty when neither exists.
std::string findSkinFile(const std::string &value) {
  const size_t slash = value.rfind('/');
  const std::string dir = slash == std::string::npos ? std::string() : value.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? value : value.substr(slash + 1);
  if (auto found = platform::FindFileIgnoreCase(dir, name)) return *found;
  const size_t cut = value.find_last_of("/\\");
  const std::string namePart = cut == std::string::npos ? value : value.substr(cut + 1);
  const std::string exeDir = platform::ExecutableDir();
  if (exeDir.empty()) return {};
  return platform::FindFileIgnoreCase(exeDir, namePart).value_or(std::string());
}

// The class name without its namespace starts with "Tkwo" (case-sensitive):
// moc names classes with their namespace, "kwo::TkwoButton".
bool isToolkitClass(const QObject &object) {
  const QByteArray name(object.metaObject()->className());
  const qsizetype colons = name.lastIndexOf("::");
  return name.mid(colons < 0 ? 0 : colons + 2).startsWith("Tkwo");
}

}  // namespace

TkwoFileTheme::TkwoFileTheme(ui::Component *owner)
    : ui::NonVisualComponent(owner), manager_(std::make_unique<TkwoFileThemeMgr>()) {}

TkwoFileTheme::~TkwoFileTheme() { beginDestroy(); }

void TkwoFileTheme::setThemeFile(const QString &fileName) {
  if (fileName == themeFile_) return;
  const std::string found = findSkinFile(QFile::encodeName(fileName).toStdString());
  if (found.empty()) return;
  if (!CheckSkinFileSignature(found)) throw SkinFileError("Invalid skin file for KwoKit!");
  themeFile_ = QFile::decodeName(QByteArray::fromStdString(found));
  loaded_ = manager_->load(found);
  // Also after a refused file: the controls then draw DeepBlue rather than
  // what they kept of the file before.
  reapplyToOwnerForm();
}

void TkwoFileTheme::reapplyToOwnerForm() {
  auto *form = dynamic_cast<ui::Form *>(owner());
  if (form == nullptr) return;
  // A copy: a control's setter may add or remove components.
  const std::vector<ui::Component *> owned = form->components();
  for (ui::Component *c : owned) {
    if (!isToolkitClass(*c->object())) continue;
    auto *user = dynamic_cast<FileThemeUser *>(c);
    if (user != nullptr && user->fileTheme() == this) user->setFileTheme(this);
  }
}

bool TkwoFileTheme::checkFile(const QString &path) {
  return CheckSkinFileSignature(QFile::encodeName(path).toStdString());
}

bool TkwoFileTheme::getImage(int position, QImage &target) const { return manager_->getImage(position, target); }

bool TkwoFileTheme::getImageFrame(int position, QImage &target, int frameIndex, int frameCount) const {
  QImage whole;
  if (!manager_->getImage(position, whole)) return false;
  QImage frame = ExtractBitmapFrame(whole, frameCount, frameIndex);
  if (frame.isNull()) return false;
  target = std::move(frame);
  return true;
}

platform::TColor TkwoFileTheme::getColor(int position) const { return manager_->getColor(position); }

int32_t TkwoFileTheme::getInt(int position) const { return manager_->getInt(position); }

bool TkwoFileTheme::getBool(int position) const { return manager_->getBool(position); }

}  // namespace kwo
