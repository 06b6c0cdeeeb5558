#pragma once
// A skin file as a component: it finds, checks and loads the file and hands
// out its items by theme position. Controls whose style is FromThemeFile
// read their look from it while it has a file loaded.
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "platform/tcolor.h"
#include "platform/ui/component.h"

namespace kwo {

// Thrown when a skin file's signature is wrong.
class SkinFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TkwoFileThemeMgr;

class TkwoFileTheme : public ui::NonVisualComponent {
  Q_OBJECT
 public:
  explicit TkwoFileTheme(ui::Component *owner);
  ~TkwoFileTheme() override;

  // The full path of the loaded file; empty at first.
  const QString &themeFile() const { return themeFile_; }
  // Finds the file (as given, else the same name ignoring ASCII case, else
  // its name part beside the executable), checks its signature and loads
  // it; then the owner form's toolkit controls that use this theme get it
  // again, also when the file was refused. A file found nowhere changes
  // nothing; a wrong signature throws SkinFileError and keeps ThemeFile. The
  // same value again does nothing.
  void setThemeFile(const QString &fileName);
  // True when the last load read the file and accepted its header.
  bool isLoaded() const { return loaded_; }

  // The file exists, opens and starts with the skin signature.
  static bool checkFile(const QString &path);

  // By theme position (1..42). Without an entry GetImage leaves the target
  // as it was and returns false.
  bool getImage(int position, QImage &target) const;
  // Frame k (1-based) of n equal-width frames of the item's picture.
  bool getImageFrame(int position, QImage &target, int frameIndex, int frameCount) const;
  // -1 when missing; pixel sizes and offsets held to the pixel range.
  platform::TColor getColor(int position) const;
  int32_t getInt(int position) const;
  bool getBool(int position) const;

 private:
  // Gives this theme again to the owner form's toolkit components that use
  // it, so that they take on the new look.
  void reapplyToOwnerForm();

  QString themeFile_;
  std::unique_ptr<TkwoFileThemeMgr> manager_;
  bool loaded_ = false;
};

}  // namespace kwo
