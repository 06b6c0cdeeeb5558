#pragma once
// What a control that takes a skin file offers besides its style: the file
// theme it reads FromThemeFile looks from, and the reference it keeps to it.
#include <QMetaObject>
#include <QPointer>

#include "skin_toolkit/themes/style.h"

namespace kwo {

class TkwoFileTheme;

// Takes a file theme.
class FileThemeUser {
 public:
  virtual ~FileThemeUser() = default;
  virtual TkwoFileTheme *fileTheme() const = 0;
  virtual void setFileTheme(TkwoFileTheme *theme) = 0;
};

// A control's reference to its file theme. When the theme goes away the
// reference clears itself first, then sets the control's style to DeepBlue;
// it never calls into the dying theme.
class ThemeReference {
 public:
  explicit ThemeReference(Styled &client) : client_(client) {}
  ~ThemeReference();
  ThemeReference(const ThemeReference &) = delete;
  ThemeReference &operator=(const ThemeReference &) = delete;

  TkwoFileTheme *get() const;
  // Stores the reference (null clears it) and applies nothing. context is
  // the control's QObject: the watch ends when either goes away.
  void set(TkwoFileTheme *theme, QObject *context);

 private:
  void themeDestroyed();

  Styled &client_;
  QPointer<TkwoFileTheme> theme_;
  QMetaObject::Connection connection_;
};

// A control that takes both a style and a file theme. The file-theme setter
// stores the reference and applies the current style again, also for the
// same reference (the skinned frame overrides it to act only on a change).
class ThemeClient : public Styled, public FileThemeUser {
 public:
  ThemeClient() : themeRef_(*this) {}
  TkwoFileTheme *fileTheme() const override { return themeRef_.get(); }
  void setFileTheme(TkwoFileTheme *theme) override;

 protected:
  // Stores the reference only.
  void storeFileTheme(TkwoFileTheme *theme);

 private:
  ThemeReference themeRef_;
};

}  // namespace kwo
