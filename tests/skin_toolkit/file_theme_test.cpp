// Skin files on the offscreen platform: finding, checking and loading them,
// the items a loaded one answers, and how the toolkit's controls follow it.
#include <QFile>
#include <QImage>
#include <filesystem>
#include <memory>

#include "form.h"
#include "kwo_button.h"
#include "kwo_check_box.h"
#include "skin_file_builder.h"
#include "themes/file_theme.h"
#include "themes/file_theme_reader.h"
#include "themes/theme_source.h"
#include "ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;
using testsupport::SkinFileBuilder;

QString pathOf(const std::filesystem::path &p) { return QString::fromStdString(p.string()); }

// A four-frame strip, 13 x 5 each: frame k is filled with colour k.
QImage fourFrameStrip() {
  QImage strip(52, 5, QImage::Format_RGB32);
  const QRgb colours[4] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(90, 90, 90)};
  for (int x = 0; x < strip.width(); ++x) {
    for (int y = 0; y < strip.height(); ++y) strip.setPixel(x, y, colours[x / 13]);
  }
  return strip;
}

class FileThemeTest : public testsupport::UiTest {
 protected:
  // Writes the skin under name in the application directory and returns
  // its path.
  QString write(const SkinFileBuilder &skin, const std::string &name = "skin.kwo") {
    skin.writeTo(dir_ / name);
    return pathOf(dir_ / name);
  }

  testsupport::TempAppDir dir_;
};

TEST_F(FileThemeTest, BuiltSkinLoadsAndAnswersItsItems) {
  SkinFileBuilder skin;
  skin.addInt("FormBorderColor", platform::RGB(1, 2, 3))
      .addInt("FormBorderWidthInt", 4)
      .addBool("ButtonTransparentBool", true)
      .addText("Author", "nobody")
      .addImage("CheckBoxImage", fourFrameStrip());
  TkwoFileTheme theme(nullptr);
  EXPECT_FALSE(theme.isLoaded());
  const QString path = write(skin);
  theme.setThemeFile(path);
  ASSERT_TRUE(theme.isLoaded());
  EXPECT_EQ(theme.themeFile(), path);
  EXPECT_EQ(theme.getColor(tiFormBorderColor), platform::RGB(1, 2, 3));
  EXPECT_EQ(theme.getInt(tiFormBorderWidthInt), 4);
  EXPECT_TRUE(theme.getBool(tiButtonTransparentBool));

  QImage whole;
  ASSERT_TRUE(theme.getImage(tiCheckBoxImage, whole));
  EXPECT_EQ(whole.size(), QSize(52, 5));
  EXPECT_EQ(whole.pixel(0, 0), qRgb(200, 0, 0));
  QImage frame;
  ASSERT_TRUE(theme.getImageFrame(tiCheckBoxImage, frame, 3, 4));
  EXPECT_EQ(frame.size(), QSize(13, 5));
  EXPECT_EQ(frame.pixel(0, 0), qRgb(0, 0, 200));   // column 26
  EXPECT_EQ(frame.pixel(12, 4), qRgb(0, 0, 200));  // column 38
}

TEST_F(FileThemeTest, CheckFileReadsTheSignatureOfFiles) {
  write(SkinFileBuilder(), "good.kwo");
  write(SkinFileBuilder().setSignature("kwokit_TB"), "bad.kwo");
  dir_.writeFile("short.kwo", std::string("KwoKit_TB\0", 10));
  EXPECT_TRUE(TkwoFileTheme::checkFile(pathOf(dir_ / "good.kwo")));
  EXPECT_FALSE(TkwoFileTheme::checkFile(pathOf(dir_ / "bad.kwo")));
  EXPECT_FALSE(TkwoFileTheme::checkFile(pathOf(dir_ / "short.kwo")));
  EXPECT_FALSE(TkwoFileTheme::checkFile(pathOf(dir_ / "missing.kwo")));
  EXPECT_FALSE(TkwoFileTheme::checkFile(pathOf(dir_.path())));  // a directory reads nothing
}

TEST_F(FileThemeTest, MissingItemsReadMinusOneOrFalseWithAReaderAndZeroWithout) {
  TkwoFileTheme loaded(nullptr);
  loaded.setThemeFile(write(SkinFileBuilder().addInt("Unrelated", 7)));
  ASSERT_TRUE(loaded.isLoaded());
  TkwoFileTheme empty(nullptr);
  struct Case {
    const TkwoFileTheme &theme;
    platform::TColor color;
    int32_t integer;
  };
  for (const Case &c : {Case{loaded, -1, -1}, Case{empty, 0, 0}}) {
    EXPECT_EQ(c.theme.getColor(tiFormBorderColor), c.color);
    EXPECT_EQ(c.theme.getInt(tiFormRoundCornerInt), c.integer);
    EXPECT_FALSE(c.theme.getBool(tiButtonTransparentBool));
    QImage target(3, 3, QImage::Format_RGB32);
    target.fill(Qt::cyan);
    EXPECT_FALSE(c.theme.getImage(tiButtonImage, target));
    EXPECT_FALSE(c.theme.getImageFrame(tiButtonImage, target, 1, 3));
    EXPECT_EQ(target.size(), QSize(3, 3));  // left as it was
    EXPECT_EQ(target.pixel(1, 1), QColor(Qt::cyan).rgb());
  }
}

TEST_F(FileThemeTest, SettingThemeFileReappliesTheLookToTheFormsButton) {
  struct CountingButton : TkwoButton {
    using TkwoButton::TkwoButton;
    void applyUIStyle() override {
      ++applied;
      TkwoButton::applyUIStyle();
    }
    int applied = 0;
  };
  ui::Form form(nullptr);
  auto *theme = new TkwoFileTheme(&form);
  auto *button = new CountingButton(&form);
  button->setUIStyle(S::FromThemeFile);
  button->setFileTheme(theme);
  const int before = button->applied;
  theme->setThemeFile(write(SkinFileBuilder::fromBuiltIn(S::MacOS, 0x10000)));
  ASSERT_TRUE(theme->isLoaded());
  EXPECT_EQ(button->applied, before + 1);
  EXPECT_EQ(button->fileTheme(), theme);
  EXPECT_EQ(ThemeSource::resolve(button->fileTheme(), button->uiStyle()).baseLookMarker(), 1);
}

}  // namespace
}  // namespace kwo
