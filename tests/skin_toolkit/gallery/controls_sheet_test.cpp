// The style protocol over the whole controls sheet of the gallery, under a
// skinned frame: a frame style change reaches every control and what the
// containers hand it on to, except the children of a folding panel; a skin
// restyles what reads from it and leaves built-in looks alone; a theme that
// goes away leaves DeepBlue everywhere.
#include <QImage>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "skin_toolkit/controls/db_navigator.h"
#include "skin_toolkit/controls/kwo_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_combo_box.h"
#include "skin_toolkit/controls/kwo_group_box.h"
#include "skin_toolkit/controls/kwo_image_button.h"
#include "skin_toolkit/controls/kwo_list_box.h"
#include "skin_toolkit/controls/kwo_page_control.h"
#include "skin_toolkit/controls/kwo_panel.h"
#include "skin_toolkit/controls/kwo_radio_group.h"
#include "skin_toolkit/controls/kwo_scroll_bar.h"
#include "skin_toolkit/controls/kwo_string_grid.h"
#include "skin_toolkit/controls/kwo_tab.h"
#include "skin_toolkit/controls/kwo_track_bar.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/gallery/controls_sheet.h"
#include "skin_toolkit/gallery/skin_file_builder.h"
#include "skin_toolkit/themes/file_theme.h"
#include "tests/support/temp_dir.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;
using platform::RGB;

constexpr platform::TColor kSkinBorder = RGB(12, 140, 60);

struct Part {
  std::string what;
  ui::Control *control;
  Styled *styled;
  FileThemeUser *themeUser;
};

template <typename T>
Part part(const std::string &what, T *control) {
  return {what, control, control, control};
}

class ControlsProtocolTest : public testsupport::UiTest {
 protected:
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }

  // The sheet on a shown form whose frame has the style (and the theme).
  void build(S style, TkwoFileTheme *withTheme = nullptr) {
    frame = new TkwoForm(form.get());
    if (withTheme != nullptr) frame->setFileTheme(withTheme);
    frame->setUIStyle(style);
    form->setBounds(50, 50, gallery::kControlsSheetWidth, gallery::kControlsSheetHeight);
    form->show();
    testsupport::processEvents();
    sheet = gallery::BuildControlsSheet(*frame);
  }

  // A theme of the form; the skin is loaded when one is given.
  TkwoFileTheme *theme(const testsupport::SkinFileBuilder *skin = nullptr) {
    auto *t = new TkwoFileTheme(form.get());
    if (skin != nullptr) load(*t, *skin);
    return t;
  }
  void load(TkwoFileTheme &t, const testsupport::SkinFileBuilder &skin) {
    const std::string name = "skin" + std::to_string(++skins) + ".skin";
    skin.loadInto(t, dir / name);
    ASSERT_TRUE(t.isLoaded());
  }

  // Every control the frame's style reaches: the frame's children, then
  // what the containers hand the style on to. The folding panel's child is
  // left out on purpose.
  std::vector<Part> reached() const {
    std::vector<Part> parts = {
        part("button", sheet.button),
        part("pressed button", sheet.pressedButton),
        part("disabled button", sheet.disabledButton),
        part("check box", sheet.checkBox),
        part("radio button", sheet.radioButton),
        part("panel", sheet.panel),
        part("folded panel", sheet.foldedPanel),
        part("group box", sheet.groupBox),
        part("radio button in the group box", sheet.groupChild),
        part("check group", sheet.checkGroup),
        part("radio group", sheet.radioGroup),
        part("combo box", sheet.comboBox),
        part("track bar", sheet.trackBar),
        part("vertical track bar", sheet.verticalTrackBar),
        part("scroll bar", sheet.scrollBar),
        part("scroll bar's track", sheet.scrollBar->track()),
        part("list box", sheet.listBox),
        part("list box's bar", sheet.listScrollBar),
        part("page control", sheet.pageControl),
        part("page control's strip", sheet.pageControl->strip()),
        part("button on a page", sheet.pageChild),
        part("grid", sheet.grid),
        part("navigator", sheet.navigator),
        part("navigator's next button", sheet.navigator->button(TNavigateBtn::nbNext)),
    };
    for (int i = 0; i < sheet.checkGroup->buttonCount(); ++i) {
      parts.push_back(part("check group item " + std::to_string(i), sheet.checkGroup->button(i)));
    }
    for (int i = 0; i < sheet.radioGroup->buttonCount(); ++i) {
      parts.push_back(part("radio group item " + std::to_string(i), sheet.radioGroup->button(i)));
    }
    return parts;
  }

  testsupport::TempDir dir;
  std::unique_ptr<ui::Form> form = std::make_unique<ui::Form>(nullptr);
  TkwoForm *frame = nullptr;
  gallery::ControlsSheet sheet;
  int skins = 0;
};

TEST_F(ControlsProtocolTest, TheSheetTakesTheFramesStyleAndShowsItsStates) {
  build(S::WinXP);
  for (const Part &p : reached()) EXPECT_EQ(p.styled->uiStyle(), S::WinXP) << p.what;
  EXPECT_EQ(sheet.panelChild->uiStyle(), S::WinXP) << "made under the frame, it took the frame's style";
  EXPECT_EQ(sheet.imageButton->uiStyle(), S::FromThemeFile) << "its face is its own pictures in any look";
  EXPECT_TRUE(sheet.pressedButton->pressed());
  EXPECT_FALSE(sheet.disabledButton->isEnabled());
  EXPECT_FALSE(sheet.foldedPanel->unfolded());
  EXPECT_EQ(sheet.foldedPanel->height(), sheet.foldedPanel->barHeight());
  EXPECT_TRUE(sheet.pageControl->strip()->overflow());
  EXPECT_GT(sheet.verticalTrackBar->height(), sheet.verticalTrackBar->width());
  EXPECT_FALSE(form->grab().toImage().isNull());
}

TEST_F(ControlsProtocolTest, AFrameStyleSwitchRestylesAllButTheFoldingPanelsChildren) {
  build(S::WinXP);
  // Given a look of its own, which only its panel could pass it.
  sheet.panelChild->setUIStyle(S::MacOS);

  for (const S style : {S::BlueGlass, S::Protein, S::DeepBlue}) {
    frame->setUIStyle(style);
    for (const Part &p : reached()) EXPECT_EQ(p.styled->uiStyle(), style) << p.what;
    const platform::TColor border = GetBuiltInThemeColor(style, tiControlBorderColor);
    const struct {
      const char *what;
      platform::TColor actual;
    } borders[] = {
        {"panel", sheet.panel->borderColor()},        {"group box", sheet.groupBox->borderColor()},
        {"combo box", sheet.comboBox->borderColor()}, {"list box", sheet.listBox->borderColor()},
        {"grid", sheet.grid->borderColor()},
    };
    for (const auto &b : borders) EXPECT_EQ(b.actual, border) << b.what << " in style " << static_cast<int>(style);
    EXPECT_EQ(sheet.panelChild->uiStyle(), S::MacOS) << "the folding panel hands its style to no child";
    EXPECT_FALSE(sheet.foldedPanel->unfolded()) << "restyling leaves the panel folded";
  }
}

TEST_F(ControlsProtocolTest, ASkinRestylesFromThemeFilePanelsAndLeavesDeepBlueOnes) {
  // The frame hands the sheet a theme that has no file yet: FromThemeFile
  // reads as DeepBlue meanwhile.
  TkwoFileTheme *skin = theme();
  build(S::FromThemeFile, skin);
  for (const Part &p : reached()) {
    EXPECT_EQ(p.styled->uiStyle(), S::FromThemeFile) << p.what;
    EXPECT_EQ(p.themeUser->fileTheme(), skin) << p.what;
  }
  EXPECT_EQ(sheet.panel->color(), platform::clWhite);
  // One panel is set to a built-in look of its own; it keeps the reference.
  sheet.foldedPanel->setUIStyle(S::DeepBlue);
  const platform::TColor deepBlueCaption = sheet.foldedPanel->captionFontColor();
  const platform::TColor deepBlueBorder = GetBuiltInThemeColor(S::DeepBlue, tiControlBorderColor);
  ASSERT_NE(deepBlueBorder, kSkinBorder);
  EXPECT_EQ(sheet.panel->borderColor(), deepBlueBorder);

  testsupport::SkinFileBuilder file;
  file.addInt(ThemeItemName(tiControlBorderColor), kSkinBorder)
      .addInt(ThemeItemName(tiMenuFontColor), platform::clWhite);
  load(*skin, file);

  EXPECT_EQ(sheet.panel->borderColor(), kSkinBorder);
  EXPECT_EQ(sheet.panel->color(), platform::clWhite);
  EXPECT_EQ(sheet.groupBox->borderColor(), kSkinBorder);
  EXPECT_EQ(sheet.grid->borderColor(), kSkinBorder);
  EXPECT_EQ(sheet.grid->fontColor(), platform::clBlack) << "white grid text turns black";
  EXPECT_EQ(sheet.foldedPanel->uiStyle(), S::DeepBlue);
  EXPECT_EQ(sheet.foldedPanel->fileTheme(), skin);
  EXPECT_EQ(sheet.foldedPanel->borderColor(), deepBlueBorder);
  EXPECT_EQ(sheet.foldedPanel->captionFontColor(), deepBlueCaption);
}

TEST_F(ControlsProtocolTest, DeletingTheThemeLeavesDeepBlueEverywhere) {
  testsupport::SkinFileBuilder file = testsupport::SkinFileBuilder::fromBuiltIn(S::BlueGlass);
  TkwoFileTheme *skin = theme(&file);
  build(S::FromThemeFile, skin);
  // The folding panel's child takes the theme by hand; the panel takes it
  // away again when the theme goes.
  sheet.panelChild->setFileTheme(skin);
  sheet.panelChild->setUIStyle(S::FromThemeFile);
  ASSERT_EQ(sheet.panel->fileTheme(), skin);

  delete skin;
  std::vector<Part> parts = reached();
  parts.push_back(part("check box on the panel", sheet.panelChild));
  for (const Part &p : parts) {
    EXPECT_EQ(p.styled->uiStyle(), S::DeepBlue) << p.what;
    EXPECT_EQ(p.themeUser->fileTheme(), nullptr) << p.what;
  }
  EXPECT_EQ(frame->uiStyle(), S::DeepBlue);
  EXPECT_EQ(frame->fileTheme(), nullptr);
  EXPECT_EQ(sheet.imageButton->fileTheme(), nullptr);
  EXPECT_EQ(sheet.panel->borderColor(), GetBuiltInThemeColor(S::DeepBlue, tiControlBorderColor));
  // Painting and a style change afterwards reach no freed theme.
  EXPECT_FALSE(form->grab().toImage().isNull());
  frame->setUIStyle(S::WinXP);
  for (const Part &p : reached()) EXPECT_EQ(p.styled->uiStyle(), S::WinXP) << p.what;
  testsupport::processEvents();
}

}  // namespace
}  // namespace kwo
