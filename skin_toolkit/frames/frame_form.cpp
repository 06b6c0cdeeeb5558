#include "skin_toolkit/frames/frame_form.h"

#include "skin_toolkit/themes/theme_source.h"

namespace kwo {
namespace {

constexpr platform::TColor kWinXPMenuBar = platform::RGB(59, 92, 172);
constexpr platform::TColor kDeepBlueMenuBar = platform::RGB(51, 102, 153);

}  // namespace

void ReleaseFrameForm(ui::Form &form, ui::FormEventHook *hook, const void *painterOwner) {
  form.removeEventHook(hook);
  form.removeNonClientPainter(painterOwner);
  form.setNonClientRing(0);
  form.setWindowRegion(QRegion());
}

platform::TColor SkinMenuBarColor(const ThemeSource &source, platform::TColor otherwise) {
  if (!source.fromFile()) return otherwise;
  switch (source.baseLookMarker()) {
    case 2: return kWinXPMenuBar;
    case 3: return kDeepBlueMenuBar;
    default: return otherwise;
  }
}

}  // namespace kwo
