// The focus rectangle the skinned focus controls draw: dotted in the font's
// colour.
#include <QApplication>
#include <QImage>

#include "platform/ui/color.h"
#include "skin_toolkit/controls/kwo_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "tests/skin_toolkit/controls/buttons_skin_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;
using platform::RGB;

TEST_F(ButtonsSkinTest, FocusRectanglesAreDottedInTheFontColour) {
  auto *check = make<TkwoCheckBox>(nullptr, 10, 60);
  auto *button = make<TkwoButton>(nullptr, 10, 10);
  button->setLook(S::DeepBlue, nullptr);
  QApplication::setActiveWindow(form.get());
  for (ui::Control *c : {static_cast<ui::Control *>(check), static_cast<ui::Control *>(button)}) {
    ui::Font f = c->controlFont();
    f.color = RGB(0, 0, 255);
    c->setControlFont(f);
    c->setCaption(QStringLiteral("Wq"));
    c->setFocus(Qt::OtherFocusReason);
    testsupport::processEvents();
    ASSERT_TRUE(c->hasFocus());
    const QImage image = shown(*c);
    int blue = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) blue += image.pixelColor(x, y) == QColor(0, 0, 255) ? 1 : 0;
    }
    EXPECT_GT(blue, 10) << c->metaObject()->className();
  }
}

}  // namespace
}  // namespace kwo
