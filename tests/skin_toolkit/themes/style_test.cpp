// The style protocol: the style walk over a control's children, the
// published style and theme properties and the class names they are read
// by, and the controls with a loaded skin file: FromThemeFile takes the
// skin's pictures and colours, containers hand the skin on to what they
// hold, and a theme that goes away leaves DeepBlue behind.
#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "platform/ui/panel.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/controls/kwo_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_combo_box.h"
#include "skin_toolkit/controls/kwo_group_box.h"
#include "skin_toolkit/controls/kwo_image_button.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/controls/kwo_list_box.h"
#include "skin_toolkit/controls/kwo_page_control.h"
#include "skin_toolkit/controls/kwo_panel.h"
#include "skin_toolkit/controls/kwo_radio_group.h"
#include "skin_toolkit/controls/kwo_scroll_bar.h"
#include "skin_toolkit/controls/kwo_string_grid.h"
#include "skin_toolkit/controls/kwo_tab.h"
#include "skin_toolkit/controls/kwo_track_bar.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/frames/kwo_menu.h"
#include "skin_toolkit/frames/kwo_status_bar.h"
#include "skin_toolkit/frames/kwo_title_bar.h"
#include "skin_toolkit/frames/kwo_tool_bar.h"
#include "skin_toolkit/gallery/skin_file_builder.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/file_theme.h"
#include "skin_toolkit/themes/theme_client.h"
#include "tests/support/temp_dir.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;
using platform::RGB;

class DrawingTest : public testsupport::UiTest {};

// --- The style walk, published properties and class names ---

// A control that logs what it is given: a style only, or a style and a theme.
class StyleOnlyChild : public ui::Control, public Styled {
 public:
  StyleOnlyChild(ui::Control *parent, std::vector<std::string> &log) : ui::Control(parent), log_(log) {
    setParentControl(parent);
  }
  TkwoUIStyle uiStyle() const override { return style_; }
  void setUIStyle(TkwoUIStyle style) override {
    style_ = style;
    log_.push_back(objectName().toStdString() + " style " + std::to_string(static_cast<int>(style)));
  }

 protected:
  TkwoUIStyle style_ = S::DeepBlue;
  std::vector<std::string> &log_;
};

class ThemedChild : public StyleOnlyChild, public FileThemeUser {
 public:
  using StyleOnlyChild::StyleOnlyChild;
  TkwoFileTheme *fileTheme() const override { return theme_; }
  void setFileTheme(TkwoFileTheme *theme) override {
    theme_ = theme;
    log_.push_back(objectName().toStdString() + (theme != nullptr ? " theme" : " no theme"));
  }

 private:
  TkwoFileTheme *theme_ = nullptr;
};

TEST_F(DrawingTest, ApplyThemeToChildrenGivesThemeThenStyleToDirectChildrenTakingBoth) {
  std::vector<std::string> log;
  ui::Panel parent(nullptr);
  TkwoFileTheme theme(nullptr);
  auto *first = new ThemedChild(&parent, log);
  first->setObjectName(QStringLiteral("first"));
  auto *styleOnly = new StyleOnlyChild(&parent, log);
  styleOnly->setObjectName(QStringLiteral("styleOnly"));
  auto *plain = new ui::Panel(&parent);
  plain->setParentControl(&parent);
  auto *grandchild = new ThemedChild(plain, log);
  grandchild->setObjectName(QStringLiteral("grandchild"));
  auto *button = new TkwoButton(&parent);
  button->setParentControl(&parent);
  auto *last = new ThemedChild(&parent, log);
  last->setObjectName(QStringLiteral("last"));

  ApplyThemeToChildren(parent, S::MacOS, &theme);
  const std::string macOS = std::to_string(static_cast<int>(S::MacOS));
  EXPECT_EQ(log, (std::vector<std::string>{"first theme", "first style " + macOS, "last theme", "last style " + macOS}));
  EXPECT_EQ(styleOnly->uiStyle(), S::DeepBlue);
  EXPECT_EQ(grandchild->uiStyle(), S::DeepBlue);
  EXPECT_EQ(button->uiStyle(), S::MacOS);
  EXPECT_EQ(button->fileTheme(), &theme);
  EXPECT_EQ(last->fileTheme(), &theme);
}

// Frees a sibling while it takes its style.
class SiblingFreeingChild : public ThemedChild {
 public:
  using ThemedChild::ThemedChild;
  void setUIStyle(TkwoUIStyle style) override {
    ThemedChild::setUIStyle(style);
    delete victim;
    victim = nullptr;
  }
  ui::Control *victim = nullptr;
};

TEST_F(DrawingTest, ApplyThemeToChildrenPassesOverAChildFreedOnTheWay) {
  std::vector<std::string> log;
  ui::Panel parent(nullptr);
  auto *freeing = new SiblingFreeingChild(&parent, log);
  freeing->setObjectName(QStringLiteral("freeing"));
  auto *victim = new ThemedChild(&parent, log);
  victim->setObjectName(QStringLiteral("victim"));
  freeing->victim = victim;
  auto *last = new ThemedChild(&parent, log);
  last->setObjectName(QStringLiteral("last"));

  ApplyThemeToChildren(parent, S::WinXP, nullptr);
  const std::string winXP = std::to_string(static_cast<int>(S::WinXP));
  EXPECT_EQ(log, (std::vector<std::string>{"freeing no theme", "freeing style " + winXP, "last no theme",
                                           "last style " + winXP}));
}

TEST_F(DrawingTest, PublishedPropertiesIgnoreCase) {
  std::vector<std::string> log;
  ui::Panel parent(nullptr);
  TkwoButton button(nullptr);
  StyleOnlyChild styleOnly(&parent, log);
  struct Case {
    const ui::Component *component;
    const char *name;
    bool published;
  };
  const Case cases[] = {
      {&button, "UIStyle", true},        {&button, "uistyle", true},      {&button, "FILETHEME", true},
      {&button, "objectname", true},     {&button, "NoSuchThing", false}, {&styleOnly, "UIStyle", true},
      {&styleOnly, "FileTheme", false},  {&parent, "UIStyle", false},     {&parent, "FileTheme", false},
      {&parent, nullptr, false},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(HasPublishedProperty(*c.component, c.name), c.published) << (c.name != nullptr ? c.name : "null");
  }
}

// A skin-file reload finds the components to refresh by their Qt class
// name, so each toolkit class must report its own.
TEST_F(DrawingTest, EveryToolkitClassNamesItself) {
  using Make = std::function<ui::Component *(ui::Component *owner)>;
  struct Case {
    const char *name;
    Make make;
  };
  const Case cases[] = {
      {"TkwoForm", [](ui::Component *o) { return new TkwoForm(o); }},
      {"TkwoTitleBar", [](ui::Component *o) { return new TkwoTitleBar(o); }},
      {"TkwoPopupMenu", [](ui::Component *o) { return new TkwoPopupMenu(o); }},
      {"TkwoMainMenu", [](ui::Component *o) { return new TkwoMainMenu(o); }},
      {"TkwoToolBar", [](ui::Component *o) { return new TkwoToolBar(o); }},
      {"TkwoStatusBar", [](ui::Component *o) { return new TkwoStatusBar(o); }},
      {"TkwoButton", [](ui::Component *o) { return new TkwoButton(o); }},
      {"TkwoImageButton", [](ui::Component *o) { return new TkwoImageButton(o); }},
      {"TkwoCheckBox", [](ui::Component *o) { return new TkwoCheckBox(o); }},
      {"TkwoRadioButton", [](ui::Component *o) { return new TkwoRadioButton(o); }},
      {"TkwoComboBox", [](ui::Component *o) { return new TkwoComboBox(o); }},
      {"TkwoListBox", [](ui::Component *o) { return new TkwoListBox(o); }},
      {"TkwoPanel", [](ui::Component *o) { return new TkwoPanel(o); }},
      {"TkwoImagePanel", [](ui::Component *o) { return new TkwoImagePanel(o); }},
      {"TkwoGroupBox", [](ui::Component *o) { return new TkwoGroupBox(o); }},
      {"TkwoCheckGroup", [](ui::Component *o) { return new TkwoCheckGroup(o); }},
      {"TkwoRadioGroup", [](ui::Component *o) { return new TkwoRadioGroup(o); }},
      {"TkwoScrollBar", [](ui::Component *o) { return new TkwoScrollBar(o); }},
      {"TkwoTrackBar", [](ui::Component *o) { return new TkwoTrackBar(o); }},
      {"TkwoScrollTrackBar", [](ui::Component *o) { return new TkwoScrollTrackBar(o); }},
      {"TkwoStringGrid", [](ui::Component *o) { return new TkwoStringGrid(o); }},
      {"TkwoPageControl", [](ui::Component *o) { return new TkwoPageControl(o); }},
      {"TkwoTabSheet", [](ui::Component *o) { return new TkwoTabSheet(o); }},
      {"TkwoFileTheme", [](ui::Component *o) { return new TkwoFileTheme(o); }},
      {"TImageButton", [](ui::Component *o) { return new TImageButton(o); }},
  };
  for (const Case &c : cases) {
    ui::Form form(nullptr);
    ui::Component *component = c.make(&form);
    EXPECT_STREQ(component->object()->metaObject()->className(), (std::string("kwo::") + c.name).c_str());
  }
}

// --- Controls with a loaded skin file ---

constexpr platform::TColor kBorder = RGB(11, 22, 33);
constexpr platform::TColor kFont = RGB(44, 55, 66);
constexpr platform::TColor kBackground = RGB(77, 88, 99);
constexpr platform::TColor kFormBackground = RGB(100, 110, 120);
constexpr platform::TColor kScrollBackground = RGB(130, 140, 150);
constexpr platform::TColor kSelectedBackground = RGB(160, 170, 180);
constexpr platform::TColor kPanelColour = RGB(200, 30, 30);

QImage filled(int w, int h) {
  QImage picture(w, h, QImage::Format_RGB32);
  picture.fill(QColor(90, 140, 200));
  return picture;
}

// A skin whose pictures all differ in size from the built-in ones.
testsupport::SkinFileBuilder controlsSkin(int32_t fontColor = kFont) {
  testsupport::SkinFileBuilder skin;
  skin.addImage(ThemeItemName(tiCheckBoxImage), filled(80, 15))        // four 20 x 15 frames
      .addImage(ThemeItemName(tiRadioButtonImage), filled(96, 19))     // four 24 x 19 frames
      .addImage(ThemeItemName(tiTabControlTabImage), filled(40, 25))   // two 20 x 25 frames
      .addImage(ThemeItemName(tiTabControlBarImage), filled(8, 3))
      .addImage(ThemeItemName(tiScrollButtonImage), filled(44, 14))    // four 11 x 14 frames
      .addImage(ThemeItemName(tiTrackBarBarImage), filled(30, 6))
      .addImage(ThemeItemName(tiTrackBarSliderImage), filled(9, 14))
      .addImage(ThemeItemName(tiSideChannelBarImage), filled(1, 24))
      .addInt(ThemeItemName(tiControlBorderColor), kBorder)
      .addInt(ThemeItemName(tiControlFontColor), fontColor)
      .addInt(ThemeItemName(tiControlBackgroundColor), kBackground)
      .addInt(ThemeItemName(tiFormBackgroundColor), kFormBackground)
      .addInt(ThemeItemName(tiScrollBarBackgroundColor), kScrollBackground)
      .addInt(ThemeItemName(tiMenuSelectedBackgroundColor), kSelectedBackground)
      .addBool(ThemeItemName(tiButtonTransparentBool), true);
  return skin;
}

class ControlsThemeTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 600, 400);
    theme = loadedTheme(controlsSkin(), "controls.skin");
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  // A theme of the form, with the skin loaded unless it is to stay empty.
  TkwoFileTheme *loadedTheme(const testsupport::SkinFileBuilder &skin, const std::string &name) {
    auto *t = new TkwoFileTheme(form.get());
    skin.loadInto(*t, dir / name);
    EXPECT_TRUE(t->isLoaded()) << name;
    return t;
  }
  template <typename T>
  T *make(ui::Control *parent) {
    auto *c = new T(form.get());
    c->setParentControl(parent);
    return c;
  }
  // FromThemeFile with the theme, as a form sets a control up.
  template <typename T>
  T *themed(T *control, TkwoFileTheme *with = nullptr) {
    control->setFileTheme(with != nullptr ? with : theme);
    control->setUIStyle(S::FromThemeFile);
    return control;
  }

  testsupport::TempDir dir;
  std::unique_ptr<ui::Form> form;
  TkwoFileTheme *theme = nullptr;
};

TEST_F(ControlsThemeTest, PictureSizesComeFromTheLoadedSkin) {
  auto *box = themed(make<TkwoCheckBox>(form.get()));
  box->setCaption(QStringLiteral("Check"));
  auto *radio = themed(make<TkwoRadioButton>(form.get()));
  EXPECT_EQ(box->pictureSize(), (Size{20, 15}));
  EXPECT_EQ(radio->pictureSize(), (Size{24, 19}));
  const QFontMetrics metrics(box->font());
  const Size autoSized = CheckAutoSize({20, 15}, metrics.horizontalAdvance(box->caption()), metrics.height());
  EXPECT_EQ(QSize(box->width(), box->height()), QSize(autoSized.width, autoSized.height));

  auto *pages = themed(make<TkwoPageControl>(form.get()));
  EXPECT_EQ(pages->strip()->fileTheme(), theme);
  EXPECT_EQ(pages->strip()->metrics(), (TabStripMetrics{25, 3, 28, {11, 14}}));
  EXPECT_EQ(pages->strip()->height(), 28);

  // A built-in style keeps its own pictures, theme or not.
  box->setUIStyle(S::WinXP);
  pages->setUIStyle(S::WinXP);
  EXPECT_EQ(box->pictureSize(), CheckPictureSize(S::WinXP, false));
  EXPECT_EQ(pages->strip()->metrics(), TabStripMetricsFor(S::WinXP));

  // A theme that loads its file later brings the skin to the controls that
  // already refer to it.
  auto *later = new TkwoFileTheme(form.get());
  auto *waiting = themed(make<TkwoCheckBox>(form.get()), later);
  EXPECT_EQ(waiting->pictureSize(), CheckPictureSize(S::DeepBlue, false));
  later->setThemeFile(QString::fromStdString((dir / "controls.skin").string()));
  ASSERT_TRUE(later->isLoaded());
  EXPECT_EQ(waiting->pictureSize(), (Size{20, 15}));
}

TEST_F(ControlsThemeTest, ControlsReadTheSkinsColoursAndPictures) {
  auto *combo = themed(make<TkwoComboBox>(form.get()));
  auto *list = themed(make<TkwoListBox>(form.get()));
  auto *grid = themed(make<TkwoStringGrid>(form.get()));
  auto *scroll = themed(make<TkwoScrollBar>(form.get()));
  auto *button = themed(make<TkwoButton>(form.get()));
  const struct {
    const char *what;
    platform::TColor actual, expected;
  } colours[] = {
      {"combo border", combo->borderColor(), kBorder},
      {"combo button", combo->buttonColor(), kFormBackground},
      {"list border", list->borderColor(), kBorder},
      {"grid border", grid->borderColor(), kBorder},
      {"grid fixed cells", grid->fixedBGColor(), kSelectedBackground},
      {"grid cells", grid->bgColor(), kBackground},
      {"scroll bar", scroll->color(), kScrollBackground},
      {"scroll track", scroll->track()->color(), kScrollBackground},
  };
  for (const auto &c : colours) EXPECT_EQ(c.actual, c.expected) << c.what;
  EXPECT_TRUE(button->transparent()) << "the skin's ButtonTransparentBool; DeepBlue's is false";

  // The bar and slider pictures fix the track bar's thickness.
  auto *track = themed(make<TkwoTrackBar>(form.get()));
  track->setBounds(10, 10, 120, 40);
  EXPECT_EQ(track->barImage().size(), QSize(30, 6));
  EXPECT_EQ(track->sliderRect().size(), QSize(9, 14));
  EXPECT_EQ(track->height(), 14);
}

TEST_F(ControlsThemeTest, ContainersHandTheSkinToWhatTheyHold) {
  // A group box: its children, then its own colours.
  auto *group = make<TkwoGroupBox>(form.get());
  auto *inGroup = make<TkwoCheckBox>(group);
  themed(group);
  EXPECT_EQ(group->borderColor(), kBorder);
  EXPECT_EQ(group->controlFont().color, kFont);
  EXPECT_EQ(inGroup->fileTheme(), theme);
  EXPECT_EQ(inGroup->uiStyle(), S::FromThemeFile);
  EXPECT_EQ(inGroup->pictureSize(), (Size{20, 15}));

  // A radio group: its items, also those made after the skin came.
  auto *radios = make<TkwoRadioGroup>(form.get());
  radios->setItems({QStringLiteral("a"), QStringLiteral("b")});
  themed(radios);
  radios->setItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
  ASSERT_EQ(radios->buttonCount(), 3);
  for (int i = 0; i < radios->buttonCount(); ++i) {
    EXPECT_EQ(radios->button(i)->fileTheme(), theme) << i;
    EXPECT_EQ(radios->button(i)->pictureSize(), (Size{24, 19})) << i;
  }

  // A page control: its strip, and the controls on its sheets.
  auto *pages = make<TkwoPageControl>(form.get());
  auto *sheet = new TkwoTabSheet(form.get());
  sheet->setPageControl(pages);
  auto *onSheet = make<TkwoButton>(sheet);
  themed(pages);
  EXPECT_EQ(pages->borderColor(), kBorder);
  EXPECT_EQ(pages->color(), kBackground) << "WinXP's white is for its own table only";
  EXPECT_EQ(pages->strip()->color(), kBackground);
  EXPECT_EQ(onSheet->fileTheme(), theme);
  EXPECT_EQ(onSheet->uiStyle(), S::FromThemeFile);
  EXPECT_TRUE(onSheet->transparent());
}

TEST_F(ControlsThemeTest, FoldingPanelTakesAThemeOnlyWhileFromThemeFile) {
  auto *panel = make<TkwoPanel>(form.get());
  panel->setUIStyle(S::DeepBlue);
  panel->setColor(kPanelColour);
  auto *child = make<TkwoCheckBox>(panel);
  child->setUIStyle(S::WinXP);

  panel->setFileTheme(theme);
  EXPECT_EQ(panel->fileTheme(), theme);
  EXPECT_EQ(panel->borderColor(), GetBuiltInThemeColor(S::DeepBlue, tiControlBorderColor));
  EXPECT_EQ(panel->color(), kPanelColour) << "a built-in style ignores the new theme";

  panel->setUIStyle(S::FromThemeFile);
  EXPECT_EQ(panel->borderColor(), kBorder);
  EXPECT_EQ(panel->barHeight(), 24);
  EXPECT_EQ(panel->color(), platform::clWhite);
  EXPECT_EQ(panel->captionFontColor(), platform::clWhite);
  EXPECT_EQ(child->uiStyle(), S::WinXP) << "the panel's style stays its own";

  // A skin imitating a look with dark captions; assigning it restyles.
  TkwoFileTheme *dark = loadedTheme(controlsSkin(3 << 16), "dark.skin");
  panel->setFileTheme(dark);
  EXPECT_EQ(panel->captionFontColor(), platform::clBlack);

  // The theme going away takes the children to DeepBlue with the panel.
  delete dark;
  EXPECT_EQ(panel->fileTheme(), nullptr);
  EXPECT_EQ(panel->uiStyle(), S::DeepBlue);
  EXPECT_EQ(panel->borderColor(), GetBuiltInThemeColor(S::DeepBlue, tiControlBorderColor));
  EXPECT_EQ(child->uiStyle(), S::DeepBlue);
  EXPECT_EQ(child->fileTheme(), nullptr);
}

TEST_F(ControlsThemeTest, DestroyingTheThemeLeavesDeepBlueWithoutATheme) {
  auto *track = themed(make<TkwoTrackBar>(form.get()));
  auto *scroll = themed(make<TkwoScrollBar>(form.get()));
  auto *group = make<TkwoGroupBox>(form.get());
  auto *inGroup = make<TkwoCheckBox>(group);
  themed(group);
  // A built-in style with the theme loses its style too.
  auto *winXP = make<TkwoTrackBar>(form.get());
  winXP->setFileTheme(theme);
  winXP->setUIStyle(S::WinXP);
  // A control freed before its theme leaves nothing behind.
  delete themed(make<TkwoListBox>(form.get()));

  delete theme;
  theme = nullptr;
  const struct {
    const char *what;
    ThemeClient *client;
  } clients[] = {{"track bar", track}, {"scroll bar", scroll}, {"group box", group},
                 {"group box's child", inGroup}, {"WinXP track bar", winXP}};
  for (const auto &c : clients) {
    EXPECT_EQ(c.client->uiStyle(), S::DeepBlue) << c.what;
    EXPECT_EQ(c.client->fileTheme(), nullptr) << c.what;
  }
  EXPECT_EQ(track->barImage().size(), QSize(45, 4)) << "DeepBlue's own bar";
  EXPECT_EQ(scroll->color(), GetBuiltInThemeColor(S::DeepBlue, tiScrollBarBackgroundColor));
  EXPECT_EQ(group->borderColor(), GetBuiltInThemeColor(S::DeepBlue, tiControlBorderColor));
  EXPECT_EQ(inGroup->pictureSize(), CheckPictureSize(S::DeepBlue, false));
}

}  // namespace
}  // namespace kwo
