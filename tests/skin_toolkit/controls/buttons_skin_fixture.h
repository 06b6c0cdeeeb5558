#pragma once
// The fixture the tests of controls painted from a skin's pictures share (the
// button, the check and radio boxes, the focus rectangle, the speed button
// and the combo box): a shown red form, and a loaded skin whose button, check
// box and radio button pictures are frames of plain colours, so that each
// expected picture can be cut from the same picture the control reads.
#include <QImage>
#include <QPainter>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "skin_toolkit/gallery/skin_file_builder.h"
#include "skin_toolkit/themes/file_theme.h"
#include "tests/support/temp_dir.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {

const QColor kMagenta(255, 0, 255);
const QColor kRed(255, 0, 0);

// n frames of w x h, frame i filled with colours[i], each with a 2-pixel
// magenta square in its top-left corner.
inline QImage framesPicture(int w, int h, const std::vector<QColor> &colours) {
  QImage picture(w * static_cast<int>(colours.size()), h, QImage::Format_RGB32);
  QPainter p(&picture);
  for (size_t i = 0; i < colours.size(); ++i) {
    const int x = static_cast<int>(i) * w;
    p.fillRect(x, 0, w, h, colours[i]);
    p.fillRect(x, 0, 2, 2, kMagenta);
  }
  return picture;
}

const std::vector<QColor> kButtonFrames = {QColor(10, 100, 10), QColor(20, 20, 200), QColor(200, 200, 20)};
const std::vector<QColor> kBoxFrames = {QColor(10, 10, 90), QColor(30, 120, 30), QColor(150, 40, 40),
                                        QColor(60, 60, 160)};

class ButtonsSkinTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 400, 300);
    form->setColor(platform::RGB(255, 0, 0));
    form->show();
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  TkwoFileTheme *loadedTheme(bool transparentButtons) {
    testsupport::SkinFileBuilder skin;
    // The check box's picture gets magenta too: it must stay opaque.
    skin.addImage(ThemeItemName(tiButtonImage), framesPicture(20, 21, kButtonFrames))
        .addImage(ThemeItemName(tiCheckBoxImage), framesPicture(13, 13, kBoxFrames))
        .addImage(ThemeItemName(tiRadioButtonImage), framesPicture(13, 13, kBoxFrames))
        .addBool(ThemeItemName(tiButtonTransparentBool), transparentButtons);
    const std::string name = transparentButtons ? "clear.skin" : "solid.skin";
    skin.writeTo(dir / name);
    auto *theme = new TkwoFileTheme(form.get());
    theme->setThemeFile(QString::fromStdString((dir / name).string()));
    EXPECT_TRUE(theme->isLoaded());
    return theme;
  }
  template <typename T>
  T *make(TkwoFileTheme *theme, int x, int y) {
    auto *c = new T(form.get());
    c->setParentControl(form.get());
    c->setLook(TkwoUIStyle::FromThemeFile, theme);
    c->setLeft(x);
    c->setTop(y);
    return c;
  }
  // What the form shows over the control's rectangle.
  QImage shown(const ui::Control &c) { return form->grab(c.geometry()).toImage(); }

  std::unique_ptr<ui::Form> form;
  testsupport::TempDir dir;
};

}  // namespace kwo
