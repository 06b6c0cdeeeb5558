// Skin files on the offscreen platform: finding, checking and loading them,
// the items a loaded one answers, and how the toolkit's controls follow it.
#include <QImage>
#include <filesystem>
#include <memory>

#include "platform/ui/form.h"
#include "skin_toolkit/controls/kwo_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/gallery/skin_file_builder.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/file_theme.h"
#include "skin_toolkit/themes/file_theme_reader.h"
#include "skin_toolkit/themes/theme_client.h"
#include "skin_toolkit/themes/theme_source.h"
#include "tests/support/ui/ui_fixtures.h"

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

// Counts how often its look is applied. Its class name is TkwoButton's.
struct CountingButton : TkwoButton {
  using TkwoButton::TkwoButton;
  void applyUIStyle() override {
    ++applied;
    TkwoButton::applyUIStyle();
  }
  int applied = 0;
};

// Takes a file theme but is no toolkit class.
struct PlainThemeUser : ui::NonVisualComponent, FileThemeUser {
  using ui::NonVisualComponent::NonVisualComponent;
  TkwoFileTheme *fileTheme() const override { return theme; }
  void setFileTheme(TkwoFileTheme *t) override {
    theme = t;
    ++assigned;
  }
  TkwoFileTheme *theme = nullptr;
  int assigned = 0;
};

class FileThemeTest : public testsupport::UiTest {
 protected:
  // Writes the skin under name in the application directory and returns
  // its path.
  QString write(const SkinFileBuilder &skin, const std::string &name = "skin.kwo") {
    skin.writeTo(dir_ / name);
    return pathOf(dir_ / name);
  }
  // A theme with the skin loaded.
  std::unique_ptr<TkwoFileTheme> loadedTheme(const SkinFileBuilder &skin) {
    auto theme = std::make_unique<TkwoFileTheme>(nullptr);
    theme->setThemeFile(write(skin));
    EXPECT_TRUE(theme->isLoaded());
    return theme;
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
  EXPECT_EQ(whole.convertToFormat(QImage::Format_RGB32), fourFrameStrip());
  QImage frame;
  ASSERT_TRUE(theme.getImageFrame(tiCheckBoxImage, frame, 3, 4));
  EXPECT_EQ(frame.size(), QSize(13, 5));
  EXPECT_EQ(frame.pixel(0, 0), qRgb(0, 0, 200));   // column 26
  EXPECT_EQ(frame.pixel(12, 4), qRgb(0, 0, 200));  // column 38
}

TEST_F(FileThemeTest, ANewFileReplacesEveryItemOfTheOldOne) {
  QImage red(4, 2, QImage::Format_RGB32);
  red.fill(Qt::red);
  auto theme = loadedTheme(SkinFileBuilder()
                               .addImage("ButtonImage", red)
                               .addImage("CheckBoxImage", red)
                               .addInt("FormBorderWidthInt", 2));
  QImage picture;
  ASSERT_TRUE(theme->getImage(tiButtonImage, picture));
  ASSERT_TRUE(theme->getImage(tiCheckBoxImage, picture));

  QImage blue(6, 3, QImage::Format_RGB32);
  blue.fill(Qt::blue);
  theme->setThemeFile(write(SkinFileBuilder()
                                .addImage("ButtonImage", blue)
                                .addRaw({"CheckBoxImage", SkinFileBuilder::Image, std::vector<std::byte>(30), {}, {}, {}}),
                            "second.kwo"));
  ASSERT_TRUE(theme->isLoaded());
  ASSERT_TRUE(theme->getImage(tiButtonImage, picture));
  EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), blue);
  // An entry that is no BMP counts as none.
  EXPECT_FALSE(theme->getImage(tiCheckBoxImage, picture));
  EXPECT_EQ(picture.size(), QSize(6, 3));
  EXPECT_EQ(theme->getInt(tiFormBorderWidthInt), -1);
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


TEST_F(FileThemeTest, BareNameFoundBesideTheExecutableIgnoringCase) {
  write(SkinFileBuilder().addInt("FormBorderWidthInt", 5), "Skin.KWO");
  const QString full = pathOf(dir_ / "Skin.KWO");
  ui::Form form(nullptr);
  auto *theme = new TkwoFileTheme(&form);
  auto *button = new CountingButton(&form);
  button->setUIStyle(S::FromThemeFile);
  button->setFileTheme(theme);
  theme->setThemeFile(QStringLiteral("skin.kwo"));
  ASSERT_TRUE(theme->isLoaded());
  EXPECT_EQ(theme->themeFile(), full);
  EXPECT_EQ(theme->getInt(tiFormBorderWidthInt), 5);

  // The path it holds again: nothing is read, nothing re-applied.
  write(SkinFileBuilder().addInt("FormBorderWidthInt", 9), "Skin.KWO");
  const int applied = button->applied;
  theme->setThemeFile(full);
  EXPECT_EQ(theme->getInt(tiFormBorderWidthInt), 5);
  EXPECT_EQ(button->applied, applied);
}

TEST_F(FileThemeTest, FindsTheValueAsGivenElseItsNamePartBesideTheExecutable) {
  const std::filesystem::path other = dir_ / "other";
  std::filesystem::create_directory(other);
  SkinFileBuilder().addInt("FormBorderWidthInt", 1).writeTo(other / "Given.kwo");
  write(SkinFileBuilder().addInt("FormBorderWidthInt", 2), "beside.kwo");
  struct Case {
    QString value;
    QString found;
  };
  const Case cases[] = {
      {pathOf(other / "Given.kwo"), pathOf(other / "Given.kwo")},
      {pathOf(other / "GIVEN.KWO"), pathOf(other / "Given.kwo")},
      {pathOf(other / "beside.kwo"), pathOf(dir_ / "beside.kwo")},
      {QStringLiteral("/no/such/folder/Beside.kwo"), pathOf(dir_ / "beside.kwo")},
      {QStringLiteral("C:\\Skins\\BESIDE.KWO"), pathOf(dir_ / "beside.kwo")},
  };
  for (const Case &c : cases) {
    TkwoFileTheme theme(nullptr);
    theme.setThemeFile(c.value);
    EXPECT_EQ(theme.themeFile(), c.found) << c.value.toStdString();
    EXPECT_TRUE(theme.isLoaded()) << c.value.toStdString();
  }
}

TEST_F(FileThemeTest, FileFoundNowhereChangesNothing) {
  auto theme = loadedTheme(SkinFileBuilder().addInt("FormBorderWidthInt", 5));
  const QString before = theme->themeFile();
  for (const QString &value : {QStringLiteral("missing.kwo"), QStringLiteral(""), pathOf(dir_.path()) + "/"}) {
    theme->setThemeFile(value);
    EXPECT_EQ(theme->themeFile(), before);
    EXPECT_TRUE(theme->isLoaded());
    EXPECT_EQ(theme->getInt(tiFormBorderWidthInt), 5);
  }
}

TEST_F(FileThemeTest, BadSignatureThrowsAndKeepsTheLoadedFile) {
  auto theme = loadedTheme(SkinFileBuilder().addInt("FormBorderWidthInt", 5));
  const QString before = theme->themeFile();
  const QString bad = write(SkinFileBuilder().setSignature("kwokit_TB").addInt("FormBorderWidthInt", 8), "bad.kwo");
  try {
    theme->setThemeFile(bad);
    ADD_FAILURE() << "no SkinFileError";
  } catch (const SkinFileError &e) {
    EXPECT_STREQ(e.what(), "Invalid skin file for KwoKit!");
  }
  EXPECT_EQ(theme->themeFile(), before);
  EXPECT_TRUE(theme->isLoaded());
  EXPECT_EQ(theme->getInt(tiFormBorderWidthInt), 5);
}

// A file that passes the signature test but that the reader refuses leaves
// no reader behind: nothing of the file loaded before it stays, and every
// item reads as without a file.
TEST_F(FileThemeTest, DamagedFilesLoadPerTheRules) {
  struct Case {
    const char *what;
    SkinFileBuilder skin;
    bool loaded;
    int32_t width;  // FormBorderWidthInt read after the load
  };
  const auto base = [] { return SkinFileBuilder().addInt("FormBorderWidthInt", 3).addInt("FormRoundCornerInt", 4); };
  auto looped = base();
  looped.entries()[1].next = static_cast<int32_t>(looped.headerOffset(0));
  auto sizePast = base();
  sizePast.addRaw({"ButtonImage", SkinFileBuilder::Image, std::vector<std::byte>(8), {}, 0x7FFFFFFF, {}});
  auto secondCut = base();
  secondCut.cutAt(secondCut.headerOffset(1) + 40);
  Case cases[] = {
      {"a loop", looped, true, 3},
      {"the second header cut", secondCut, true, 3},
      {"a size of 2^31-1", sizePast, true, 3},
      {"a header length of 1000", base().setHeaderLength(1000), true, 3},
      {"the first header cut", base().cutAt(24 + 30), false, 0},
      {"a first offset past the end", base().setFirstOffset(5000), false, 0},
      {"a header length of 12", base().setHeaderLength(12), false, 0},
      {"20 bytes", base().cutAt(20), false, 0},
  };
  for (Case &c : cases) {
    auto theme = loadedTheme(SkinFileBuilder().addInt("FormBorderWidthInt", 7));
    const QString path = write(c.skin, "damaged.kwo");
    theme->setThemeFile(path);
    EXPECT_EQ(theme->themeFile(), path) << c.what;
    EXPECT_EQ(theme->isLoaded(), c.loaded) << c.what;
    EXPECT_EQ(theme->getInt(tiFormBorderWidthInt), c.width) << c.what;
    const ThemeSource source = ThemeSource::resolve(theme.get(), S::FromThemeFile);
    EXPECT_EQ(source.fromFile(), c.loaded) << c.what;
    if (!c.loaded) {
      EXPECT_EQ(source.color(tiFormBorderColor), GetBuiltInThemeColor(S::DeepBlue, tiFormBorderColor)) << c.what;
    }
  }
}

TEST_F(FileThemeTest, FileOverTheSizeLimitDoesNotLoad) {
  const QString path = write(SkinFileBuilder().addInt("FormBorderWidthInt", 3), "huge.kwo");
  std::filesystem::resize_file(dir_ / "huge.kwo", (std::uintmax_t{64} << 20) + 1);  // sparse
  ASSERT_TRUE(TkwoFileTheme::checkFile(path));
  TkwoFileTheme theme(nullptr);
  theme.setThemeFile(path);
  EXPECT_FALSE(theme.isLoaded());
  EXPECT_EQ(theme.getInt(tiFormBorderWidthInt), 0);
  TkwoFileThemeMgr manager;
  EXPECT_FALSE(manager.load(path.toStdString()));
  EXPECT_FALSE(manager.hasReader());
  // Each failed load also drops the reader of the file loaded before.
  const std::string good = write(SkinFileBuilder().addInt("FormBorderWidthInt", 3), "good.kwo").toStdString();
  for (const std::filesystem::path &unreadable : {dir_ / "missing.kwo", dir_.path()}) {
    ASSERT_TRUE(manager.load(good));
    ASSERT_EQ(manager.getInt(tiFormBorderWidthInt), 3);
    EXPECT_FALSE(manager.load(unreadable.string())) << unreadable;
    EXPECT_FALSE(manager.hasReader()) << unreadable;
    EXPECT_EQ(manager.getInt(tiFormBorderWidthInt), 0) << unreadable;
  }
}

TEST_F(FileThemeTest, ResolveReadsALoadedFileOnlyForFromThemeFile) {
  auto theme = loadedTheme(SkinFileBuilder()
                               .addInt("FormBorderColor", platform::RGB(9, 8, 7))
                               .addInt("MenuBarColor", platform::clBtnFace)
                               .addInt("ControlFontColor", 196608)
                               .addImage("CheckBoxImage", fourFrameStrip()));
  TkwoFileTheme unloaded(nullptr);

  const ThemeSource file = ThemeSource::resolve(theme.get(), S::FromThemeFile);
  ASSERT_TRUE(file.fromFile());
  EXPECT_EQ(file.effective(), S::FromThemeFile);
  EXPECT_EQ(file.color(tiFormBorderColor), platform::RGB(9, 8, 7));
  EXPECT_EQ(file.color(tiMenuBarColor), platform::clBtnFace);  // a system colour stays one
  EXPECT_EQ(file.color(tiMenuFontColor), 0xFFFFFF);             // missing: -1 by its low 24 bits
  EXPECT_EQ(file.integer(tiFormRoundCornerInt), -1);
  EXPECT_EQ(file.baseLookMarker(), 3);
  EXPECT_EQ(file.imageFrame(tiCheckBoxImage, 2, 4).pixel(0, 0), qRgb(0, 200, 0));
  EXPECT_TRUE(file.image(tiButtonImage).isNull());

  const ThemeSource builtIn = ThemeSource::resolve(theme.get(), S::WinXP);
  EXPECT_FALSE(builtIn.fromFile());
  EXPECT_EQ(builtIn.effective(), S::WinXP);
  EXPECT_EQ(builtIn.color(tiFormBorderColor), GetBuiltInThemeColor(S::WinXP, tiFormBorderColor));
  EXPECT_EQ(builtIn.baseLookMarker(), 0);

  for (const TkwoFileTheme *none : {static_cast<const TkwoFileTheme *>(&unloaded), static_cast<const TkwoFileTheme *>(nullptr)}) {
    const ThemeSource fallback = ThemeSource::resolve(none, S::FromThemeFile);
    EXPECT_FALSE(fallback.fromFile());
    EXPECT_EQ(fallback.effective(), S::DeepBlue);
    EXPECT_EQ(fallback.color(tiFormBorderColor), GetBuiltInThemeColor(S::DeepBlue, tiFormBorderColor));
    QImage expected;
    GetBuiltInThemeImage(S::DeepBlue, tiCheckBoxImage, expected, 2, 4);
    EXPECT_EQ(fallback.imageFrame(tiCheckBoxImage, 2, 4), expected);
  }
}

TEST_F(FileThemeTest, ControlKeepsABuiltInStyleWithALoadedTheme) {
  auto theme = loadedTheme(SkinFileBuilder::fromBuiltIn(S::MacOS, 0x10000));
  ui::Form form(nullptr);
  auto *box = new TkwoCheckBox(&form);
  box->setFileTheme(theme.get());
  box->setUIStyle(S::WinXP);
  EXPECT_EQ(box->uiStyle(), S::WinXP);
  EXPECT_EQ(ThemeSource::resolve(box->fileTheme(), box->uiStyle()).effective(), S::WinXP);
}

TEST_F(FileThemeTest, DestroyingTheThemeGivesDeepBlueWithNoTheme) {
  ui::Form form(nullptr);
  auto *button = new TkwoButton(&form);
  auto *box = new TkwoCheckBox(&form);
  auto theme = loadedTheme(SkinFileBuilder::fromBuiltIn(S::WinXP, 0x20000));
  for (ThemeClient *c : {static_cast<ThemeClient *>(button), static_cast<ThemeClient *>(box)}) {
    c->setFileTheme(theme.get());
    c->setUIStyle(S::FromThemeFile);
  }
  theme.reset();
  for (ThemeClient *c : {static_cast<ThemeClient *>(button), static_cast<ThemeClient *>(box)}) {
    EXPECT_EQ(c->uiStyle(), S::DeepBlue);
    EXPECT_EQ(c->fileTheme(), nullptr);
  }
  // A new theme may be taken afterwards, and its death is seen as well.
  auto second = loadedTheme(SkinFileBuilder::fromBuiltIn(S::WinXP, 0x20000));
  button->setFileTheme(second.get());
  button->setUIStyle(S::FromThemeFile);
  second.reset();
  EXPECT_EQ(button->uiStyle(), S::DeepBlue);
  EXPECT_EQ(button->fileTheme(), nullptr);
}

TEST_F(FileThemeTest, FormTearDownWithTheThemeGoingFirst) {
  // Owned components go newest first: the theme dies while the button that
  // uses it still stands, and the button is told before it goes itself.
  struct RecordingButton : TkwoButton {
    RecordingButton(ui::Component *owner, TkwoUIStyle &atEnd) : TkwoButton(owner), atEnd(atEnd) {}
    ~RecordingButton() override { atEnd = uiStyle(); }
    TkwoUIStyle &atEnd;
  };
  TkwoUIStyle atEnd = S::MacOS;
  auto form = std::make_unique<ui::Form>(nullptr);
  auto *button = new RecordingButton(form.get(), atEnd);
  auto *theme = new TkwoFileTheme(form.get());
  theme->setThemeFile(write(SkinFileBuilder::fromBuiltIn(S::Protein, 0x40000)));
  button->setFileTheme(theme);
  button->setUIStyle(S::FromThemeFile);
  form.reset();
  testsupport::processEvents();
  EXPECT_EQ(atEnd, S::DeepBlue);
}

TEST_F(FileThemeTest, SameThemeAgainReappliesAControlsLook) {
  auto theme = loadedTheme(SkinFileBuilder::fromBuiltIn(S::MacOS, 0x10000));
  ui::Form form(nullptr);
  auto *button = new CountingButton(&form);
  button->setUIStyle(S::FromThemeFile);
  button->setFileTheme(theme.get());
  const int applied = button->applied;
  button->setFileTheme(theme.get());
  EXPECT_EQ(button->applied, applied + 1);
}

// The load reaches the owner form's toolkit components that use this very
// theme, and nothing else.
TEST_F(FileThemeTest, LoadReachesOnlyTheFormsToolkitComponentsUsingThisTheme) {
  ui::Form form(nullptr);
  ui::Form otherForm(nullptr);
  auto *theme = new TkwoFileTheme(&form);
  auto *otherTheme = new TkwoFileTheme(&form);
  auto *user = new CountingButton(&form);
  auto *otherUser = new CountingButton(&form);
  auto *noTheme = new CountingButton(&form);
  auto *elsewhere = new CountingButton(&otherForm);
  auto *plain = new PlainThemeUser(&form);
  user->setFileTheme(theme);
  otherUser->setFileTheme(otherTheme);
  elsewhere->setFileTheme(theme);
  plain->setFileTheme(theme);
  const int before[] = {user->applied, otherUser->applied, noTheme->applied, elsewhere->applied, plain->assigned};

  theme->setThemeFile(write(SkinFileBuilder().addInt("FormBorderWidthInt", 1), "good.kwo"));
  ASSERT_TRUE(theme->isLoaded());
  EXPECT_EQ(user->applied, before[0] + 1);
  EXPECT_EQ(otherUser->applied, before[1]);
  EXPECT_EQ(noTheme->applied, before[2]);
  EXPECT_EQ(elsewhere->applied, before[3]);
  EXPECT_EQ(plain->assigned, before[4]);

  // A refused file reaches them too, so that they fall back to DeepBlue.
  theme->setThemeFile(write(SkinFileBuilder().setHeaderLength(3)));
  ASSERT_FALSE(theme->isLoaded());
  EXPECT_EQ(user->applied, before[0] + 2);
  EXPECT_EQ(user->fileTheme(), theme);
  EXPECT_EQ(ThemeSource::resolve(user->fileTheme(), S::FromThemeFile).effective(), S::DeepBlue);
  EXPECT_EQ(otherUser->applied, before[1]);
}

TEST_F(FileThemeTest, WrongSignatureInAHandlerReachesTheUser) {
  const QString bad = write(SkinFileBuilder().setSignature("KwoKit_tb"), "bad.kwo");
  TkwoFileTheme theme(nullptr);
  testsupport::MessageBoxScript boxes;
  boxes.answer(ui::IDOK);
  QMetaObject::invokeMethod(&theme, [&] { theme.setThemeFile(bad); }, Qt::QueuedConnection);
  testsupport::processEvents();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Invalid skin file for KwoKit!"));
  EXPECT_TRUE(theme.themeFile().isEmpty());
}

}  // namespace
}  // namespace kwo
