#include "file_theme.h"

namespace kwo {

// Stand-in until the reader lands: nothing loads.
class TkwoFileThemeMgr {};

TkwoFileTheme::TkwoFileTheme(ui::Component *owner) : ui::NonVisualComponent(owner) {}

TkwoFileTheme::~TkwoFileTheme() { beginDestroy(); }

void TkwoFileTheme::setThemeFile(const QString &) {}

bool TkwoFileTheme::checkFile(const QString &) { return false; }

bool TkwoFileTheme::getImage(int, QImage &) const { return false; }

bool TkwoFileTheme::getImageFrame(int, QImage &, int, int) const { return false; }

platform::TColor TkwoFileTheme::getColor(int) const { return -1; }

int32_t TkwoFileTheme::getInt(int) const { return -1; }

bool TkwoFileTheme::getBool(int) const { return false; }

}  // namespace kwo
