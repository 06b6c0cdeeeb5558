// The skinned tool bar: its transparency and colours, button faces drawn
// into an image, and file themes and their removal (with the status bar
// beside it).
#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/ui/panel.h"
#include "skin_toolkit/frames/kwo_status_bar.h"
#include "skin_toolkit/frames/kwo_tool_bar.h"
#include "skin_toolkit/gallery/skin_file_builder.h"
#include "skin_toolkit/themes/file_theme.h"
#include "tests/skin_toolkit/frames/form_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;

// No look uses it: whatever keeps it was left alone.
constexpr QRgb kUntouched = 0xFF010203u;
constexpr QRgb kBlack = 0xFF000000u;

class BarsTest : public testsupport::UiTest {};

// Draws the button through the bar's own hook into an image of the
// button's size, as the bar does for each button it paints.
QImage drawButtonFace(TkwoToolBar &bar, ui::ToolButton &button, const ui::ToolButtonState &state,
                      bool &defaultDraw) {
  QImage image(button.size(), QImage::Format_RGB32);
  image.fill(kUntouched);
  QPainter painter(&image);
  defaultDraw = true;
  bar.OnCustomDrawButton(&bar, &button, painter, state, defaultDraw);
  painter.end();
  return image;
}

TEST_F(ToolkitTest, ToolBarTransparencyAndColours) {
  TkwoToolBar bar(nullptr);
  EXPECT_TRUE(bar.flat());
  EXPECT_FALSE(bar.transparent());
  const struct {
    S style;
    bool transparent;
  } cases[] = {{S::MacOS, true},     {S::Protein, true},    {S::WinXP, false},
               {S::DeepBlue, false}, {S::BlueGlass, false}, {S::FromThemeFile, false}};
  for (const auto &c : cases) {
    bar.setUIStyle(c.style);
    EXPECT_EQ(bar.transparent(), c.transparent) << static_cast<int>(c.style);
  }
  bar.setUIStyle(S::WinXP);
  EXPECT_EQ(bar.buttonColor(), platform::RGB(198, 211, 239));
  EXPECT_EQ(bar.buttonDownColor(), platform::RGB(147, 172, 225));
  EXPECT_EQ(bar.buttonBorderColor(), platform::RGB(49, 105, 198));

  // The bar's own drawing takes hot, pressed and checked buttons.
  auto *button = new ui::ToolButton(&bar);
  button->setParentControl(&bar);
  QImage image(40, 40, QImage::Format_ARGB32);
  QPainter painter(&image);
  bool defaultDraw = true;
  bar.OnCustomDrawButton(&bar, button, painter, ui::ToolButtonState{true, true, false}, defaultDraw);
  EXPECT_FALSE(defaultDraw);
  defaultDraw = true;
  bar.OnCustomDrawButton(&bar, button, painter, ui::ToolButtonState{}, defaultDraw);
  EXPECT_TRUE(defaultDraw);
}

TEST_F(BarsTest, ButtonFacesFollowTheStateInTheLooksColours) {
  const QRgb macFace = qRgb(239, 239, 239), macDown = qRgb(216, 216, 216), macFrame = qRgb(71, 71, 71);
  const struct {
    const char *name;
    S style;
    bool dropDown;
    ui::ToolButtonState state;  // hot, selected, checked
    bool painted;
    QRgb fill;
    QRgb frame;
    bool arrow;
  } cases[] = {
      {"hot drop-down", S::MacOS, true, {true, false, false}, true, macFace, macFrame, true},
      {"hot and pressed drop-down", S::MacOS, true, {true, true, false}, true, macDown, macFrame, true},
      {"checked, not hot", S::MacOS, true, {false, false, true}, true, macFace, macFrame, false},
      {"pressed, not hot", S::MacOS, true, {false, true, false}, true, macFace, macFrame, false},
      {"hot plain button", S::MacOS, false, {true, false, false}, true, macFace, macFrame, false},
      {"WinXP hot and pressed", S::WinXP, true, {true, true, false}, true, qRgb(147, 172, 225),
       qRgb(49, 105, 198), true},
      {"idle", S::MacOS, true, {false, false, false}, false, 0, 0, false},
  };
  TkwoToolBar bar(nullptr);
  bar.setButtonSize(40, 22);
  auto *button = new ui::ToolButton(&bar);
  button->setParentControl(&bar);
  ASSERT_EQ(button->size(), QSize(40, 22));
  const int r = button->width();
  const int b = button->height();
  const int y = b / 2;
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    bar.setUIStyle(c.style);
    button->setStyle(c.dropDown ? ui::ToolButtonStyle::DropDown : ui::ToolButtonStyle::Button);
    bool defaultDraw = true;
    const QImage image = drawButtonFace(bar, *button, c.state, defaultDraw);
    EXPECT_EQ(defaultDraw, !c.painted);
    if (!c.painted) {
      // The plain tool bar draws this one: the hook leaves every pixel.
      QImage untouched(image.size(), image.format());
      untouched.fill(kUntouched);
      EXPECT_EQ(image, untouched);
      continue;
    }
    EXPECT_EQ(image.pixel(0, 0), c.frame);
    EXPECT_EQ(image.pixel(r - 1, b - 1), c.frame);
    EXPECT_EQ(image.pixel(3, 3), c.fill);
    // The arrow's tip and the divider, only on a hot drop-down button.
    EXPECT_EQ(image.pixel(r - 7, y + 1), c.arrow ? kBlack : c.fill);
    for (int row = 1; row < b - 1; ++row) {
      ASSERT_EQ(image.pixel(r - 14, row), c.arrow ? kBlack : c.fill) << "row " << row;
    }
  }
}

TEST_F(BarsTest, TransparentBarTakesItsParentsBackgroundIntoAnImage) {
  ui::Panel parent(nullptr);
  parent.setBounds(0, 0, 200, 60);
  parent.setColor(platform::RGB(10, 20, 30));
  auto *bar = new TkwoToolBar(&parent);
  bar->setParentControl(&parent);
  const QPoint sample(bar->width() / 2, bar->height() / 2);
  for (const auto &[style, expected] : {std::pair{S::MacOS, qRgb(10, 20, 30)}, std::pair{S::WinXP, kUntouched}}) {
    SCOPED_TRACE(static_cast<int>(style));
    bar->setUIStyle(style);
    QImage image(bar->size(), QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter painter(&image);
    bool defaultDraw = true;
    bar->OnCustomDraw(bar, painter, bar->rect(), defaultDraw);
    painter.end();
    // The plain drawing goes on after the hook in both cases.
    EXPECT_TRUE(defaultDraw);
    EXPECT_EQ(image.pixel(sample), expected);
  }
}

TEST_F(BarsTest, RemovedThemeLeavesBothBarsDeepBlue) {
  auto theme = std::make_unique<TkwoFileTheme>(nullptr);
  TkwoToolBar tool(nullptr);
  TkwoStatusBar status(nullptr);
  for (ThemeClient *client : {static_cast<ThemeClient *>(&tool), static_cast<ThemeClient *>(&status)}) {
    client->setUIStyle(S::WinXP);
    client->setFileTheme(theme.get());
    EXPECT_EQ(client->fileTheme(), theme.get());
    EXPECT_EQ(client->uiStyle(), S::WinXP);
  }
  // The same theme again applies the look again.
  tool.setButtonColor(platform::RGB(1, 2, 3));
  status.setPanelColor(platform::RGB(1, 2, 3));
  tool.setFileTheme(theme.get());
  status.setFileTheme(theme.get());
  EXPECT_EQ(tool.buttonColor(), platform::RGB(198, 211, 239));
  EXPECT_EQ(status.panelColor(), platform::RGB(239, 235, 222));

  theme.reset();
  for (ThemeClient *client : {static_cast<ThemeClient *>(&tool), static_cast<ThemeClient *>(&status)}) {
    EXPECT_EQ(client->fileTheme(), nullptr);
    EXPECT_EQ(client->uiStyle(), S::DeepBlue);
  }
  EXPECT_EQ(tool.buttonColor(), platform::RGB(239, 239, 239));
  EXPECT_EQ(tool.buttonBorderColor(), platform::RGB(71, 71, 71));
  EXPECT_EQ(tool.buttonDownColor(), platform::RGB(216, 216, 216));
  EXPECT_FALSE(tool.transparent());
  EXPECT_EQ(status.panelColor(), platform::RGB(232, 232, 232));

  // A bar that goes first leaves its theme nothing to call.
  auto later = std::make_unique<TkwoFileTheme>(nullptr);
  {
    TkwoToolBar gone(nullptr);
    gone.setFileTheme(later.get());
  }
  later.reset();
}

TEST_F(BarsTest, MacOSBasedSkinGivesAnOpaqueBarInItsOwnColours) {
  testsupport::TempAppDir dir;
  // The skin's own colours come first; the rest is the MacOS look.
  testsupport::SkinFileBuilder skin;
  skin.addInt("ToolBarButtonBackgroundColor", platform::RGB(11, 22, 33));
  skin.addInt("FormBackgroundColor", platform::RGB(44, 55, 66));
  testsupport::SkinFileBuilder base = testsupport::SkinFileBuilder::fromBuiltIn(S::MacOS, 0x10000);
  for (const auto &entry : base.entries()) skin.addRaw(entry);
  skin.writeTo(dir / "mac.kwo");

  TkwoFileTheme theme(nullptr);
  theme.setThemeFile(QString::fromStdString((dir / "mac.kwo").string()));
  ASSERT_TRUE(theme.isLoaded());

  TkwoToolBar tool(nullptr);
  TkwoStatusBar status(nullptr);
  tool.setFileTheme(&theme);
  status.setFileTheme(&theme);
  tool.setUIStyle(S::FromThemeFile);
  status.setUIStyle(S::FromThemeFile);
  EXPECT_FALSE(tool.transparent());
  EXPECT_EQ(tool.buttonColor(), platform::RGB(11, 22, 33));
  EXPECT_EQ(tool.buttonBorderColor(), platform::RGB(71, 71, 71));
  EXPECT_EQ(status.panelColor(), platform::RGB(44, 55, 66));
  // The built-in MacOS look with the same theme set is transparent.
  tool.setUIStyle(S::MacOS);
  EXPECT_TRUE(tool.transparent());
}

}  // namespace
}  // namespace kwo
