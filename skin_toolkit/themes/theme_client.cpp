#include "skin_toolkit/themes/theme_client.h"

#include "skin_toolkit/themes/file_theme.h"

namespace kwo {

ThemeReference::~ThemeReference() { QObject::disconnect(connection_); }

TkwoFileTheme *ThemeReference::get() const { return theme_.data(); }

void ThemeReference::set(TkwoFileTheme *theme, QObject *context) {
  if (theme == theme_.data()) return;
  QObject::disconnect(connection_);
  connection_ = {};
  theme_ = theme;
  if (theme != nullptr && context != nullptr) {
    connection_ = QObject::connect(theme, &QObject::destroyed, context, [this] { themeDestroyed(); });
  }
}

void ThemeReference::themeDestroyed() {
  QObject::disconnect(connection_);
  connection_ = {};
  theme_.clear();
  client_.setUIStyle(TkwoUIStyle::DeepBlue);
}

void ThemeClient::storeFileTheme(TkwoFileTheme *theme) { themeRef_.set(theme, dynamic_cast<QObject *>(this)); }

void ThemeClient::setFileTheme(TkwoFileTheme *theme) {
  storeFileTheme(theme);
  setUIStyle(uiStyle());
}

}  // namespace kwo
