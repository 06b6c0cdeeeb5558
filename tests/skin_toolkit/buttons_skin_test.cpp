// Buttons, check and radio boxes, the speed button and the combo box
// painted from their look's pictures. Each expected picture is cut from the
// same picture the control reads, through the same drawing routine.
#include <QAbstractItemView>
#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "color.h"
#include "controls/kwo_button.h"
#include "controls/kwo_check_box.h"
#include "controls/kwo_combo_box.h"
#include "controls/speed_button.h"
#include "form.h"
#include "gallery/skin_file_builder.h"
#include "rules/combo_logic.h"
#include "temp_dir.h"
#include "themes/builtin_pictures.h"
#include "themes/drawing.h"
#include "themes/file_theme.h"
#include "themes/theme_source.h"
#include "ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;
using platform::RGB;

const QColor kMagenta(255, 0, 255);
const QColor kRed(255, 0, 0);

// n frames of w x h, frame i filled with colours[i], each with a 2-pixel
// magenta square in its top-left corner.
QImage framesPicture(int w, int h, const std::vector<QColor> &colours) {
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
    form->setColor(RGB(255, 0, 0));
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
    c->setLook(S::FromThemeFile, theme);
    c->setLeft(x);
    c->setTop(y);
    return c;
  }
  // What the form shows over the control's rectangle.
  QImage shown(const ui::Control &c) { return form->grab(c.geometry()).toImage(); }

  std::unique_ptr<ui::Form> form;
  testsupport::TempDir dir;
};

// The button's face for a frame: its Color, then the nine-grid face.
QImage expectedFace(const TkwoButton &b, int frame, bool masked) {
  const QImage source = ThemeSource::resolve(b.fileTheme(), b.uiStyle()).imageFrame(tiButtonImage, frame, 3);
  QImage image(b.size(), QImage::Format_RGB32);
  image.fill(masked ? kRed : ui::toQColor(b.color()));
  QPainter p(&image);
  DrawNineGrid(source, p, QRect(QPoint(0, 0), b.size()), masked);
  return image;
}

TEST_F(ButtonsSkinTest, ButtonFaceShowsTheFrameOfItsState) {
  TkwoFileTheme *theme = loadedTheme(false);
  auto *b = make<TkwoButton>(theme, 10, 10);
  b->setBounds(10, 10, 60, 30);
  ASSERT_FALSE(b->transparent());
  struct Case {
    const char *state;
    std::function<void()> enterState;
    int frame;
  };
  const Case cases[] = {
      {"normal", [] {}, 1},
      {"over", [&] { testsupport::sendEnter(b); }, 2},
      {"pressed", [&] { QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5)); }, 3},
      {"disabled", [&] { b->setEnabled(false); }, 1},
  };
  for (const Case &c : cases) {
    c.enterState();
    const QImage face = shown(*b).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(face, expectedFace(*b, c.frame, false)) << c.state;
    // The centre carries the frame's own colour.
    EXPECT_EQ(face.pixelColor(30, 15), kButtonFrames[static_cast<size_t>(c.frame - 1)]) << c.state;
  }
}

TEST_F(ButtonsSkinTest, BuiltInFaceNarrowerOrLowerThanItsFrameKeepsTheFrameBorder) {
  // The built-in button frames are 74 x 21 in these looks; the faces cut
  // their corners. Every pixel round the face's edge must be one of the
  // frame's own edge pixels on that side, never one from further in.
  struct Case {
    S style;
    int w, h;
  };
  const Case cases[] = {{S::DeepBlue, 70, 24}, {S::Protein, 70, 24}, {S::DeepBlue, 60, 16}, {S::Protein, 60, 16}};
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.style)) + " " + std::to_string(c.w) + "x" + std::to_string(c.h));
    auto *b = make<TkwoButton>(nullptr, 10, 10);
    b->setUIStyle(c.style);
    b->setBounds(10, 10, c.w, c.h);
    ASSERT_FALSE(b->transparent());
    const QImage frame =
        ThemeSource::resolve(nullptr, c.style).imageFrame(tiButtonImage, 1, 3).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(frame.isNull());
    ASSERT_TRUE(frame.width() > c.w || frame.height() > c.h) << "the case must cut the corners";
    const QImage face = shown(*b).convertToFormat(QImage::Format_RGB32);
    // A side's pixels: column x or row y of an image, the others left out.
    auto side = [](const QImage &image, int x, int y) {
      std::vector<QRgb> pixels;
      const int n = x >= 0 ? image.height() : image.width();
      for (int i = 0; i < n; ++i) pixels.push_back(x >= 0 ? image.pixel(x, i) : image.pixel(i, y));
      return pixels;
    };
    struct Side {
      const char *name;
      std::vector<QRgb> face, frame;
    };
    const Side sides[] = {
        {"left", side(face, 0, -1), side(frame, 0, -1)},
        {"right", side(face, c.w - 1, -1), side(frame, frame.width() - 1, -1)},
        {"top", side(face, -1, 0), side(frame, -1, 0)},
        {"bottom", side(face, -1, c.h - 1), side(frame, -1, frame.height() - 1)},
    };
    for (const Side &s : sides) {
      for (size_t i = 0; i < s.face.size(); ++i) {
        const bool fromFrame = std::find(s.frame.begin(), s.frame.end(), s.face[i]) != s.frame.end();
        EXPECT_TRUE(fromFrame) << s.name << " pixel " << i << " " << QColor(s.face[i]).name().toStdString();
      }
    }
    delete b;
  }
}

TEST_F(ButtonsSkinTest, TransparentButtonLetsTheParentThroughItsKeyedCorners) {
  TkwoFileTheme *theme = loadedTheme(true);
  auto *b = make<TkwoButton>(theme, 10, 10);
  b->setBounds(10, 10, 60, 30);
  EXPECT_TRUE(b->transparent());
  const QImage face = shown(*b).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(face.pixelColor(0, 0), kRed);
  EXPECT_EQ(face, expectedFace(*b, 1, true));
  // The built-in MacOS button is transparent as well.
  b->setLook(S::MacOS, nullptr);
  EXPECT_TRUE(b->transparent());
}

TEST_F(ButtonsSkinTest, GlyphFramesByEnabledState) {
  auto *b = make<TkwoButton>(nullptr, 10, 10);
  b->setBounds(10, 10, 80, 30);
  QPixmap twoFrames(32, 16);
  twoFrames.fill(QColor(0, 0, 200));
  {
    QPainter p(&twoFrames);
    p.fillRect(16, 0, 16, 16, QColor(0, 200, 0));
    p.fillRect(0, 0, 1, 1, QColor(0, 0, 199));  // the mask colour: top-left pixel
  }
  b->setGlyph(twoFrames);
  const GlyphPlacement at = b->glyphPlacement();
  const QPoint centre(at.glyph.x + 8, at.glyph.y + 8);
  EXPECT_EQ(shown(*b).pixelColor(centre), QColor(0, 0, 200));
  b->setEnabled(false);
  EXPECT_EQ(shown(*b).pixelColor(centre), QColor(0, 200, 0));
  // A one-frame glyph is greyed while disabled.
  QPixmap single(16, 16);
  single.fill(QColor(0, 0, 200));
  {
    QPainter p(&single);
    p.fillRect(0, 0, 1, 1, QColor(0, 0, 199));  // the mask colour, as above
  }
  b->setGlyph(single);
  const QColor greyed = shown(*b).pixelColor(centre);
  EXPECT_NE(greyed, QColor(0, 0, 200));
  EXPECT_EQ(greyed.red(), greyed.blue()) << "grey";
}

TEST_F(ButtonsSkinTest, CheckAndRadioShowTheirFrameRadioKeyedCheckOpaque) {
  TkwoFileTheme *theme = loadedTheme(false);
  auto *check = make<TkwoCheckBox>(theme, 10, 60);
  auto *radio = make<TkwoRadioButton>(theme, 10, 100);
  radio->setTransparent(true);
  struct Case {
    bool checked;
    bool enabled;
    int frame;
  };
  const Case cases[] = {{true, true, 1}, {false, true, 2}, {true, false, 3}, {false, false, 4}};
  for (const Case &c : cases) {
    check->setChecked(c.checked);
    check->setEnabled(c.enabled);
    const int y = (check->height() - 13) / 2;
    const QImage box = shown(*check);
    EXPECT_EQ(box.pixelColor(1 + 6, y + 6), kBoxFrames[static_cast<size_t>(c.frame - 1)]) << c.frame;
    EXPECT_EQ(box.pixelColor(1, y), kMagenta) << "the check box's picture is opaque";
  }
  // The radio picture's background colour (its bottom-left pixel) lets the
  // red form through; its magenta corner stays.
  const int y = (radio->height() - 13) / 2;
  const QImage r = shown(*radio);
  EXPECT_EQ(r.pixelColor(1 + 6, y + 6), kRed);
  EXPECT_EQ(r.pixelColor(1, y), kMagenta);
}

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

TEST_F(ButtonsSkinTest, RadioDoubleClickFiresOnlyOnDblClick) {
  auto *radio = make<TkwoRadioButton>(nullptr, 10, 60);
  radio->setChecked(true);
  int clicks = 0;
  int doubles = 0;
  radio->OnClick = [&](ui::Control *) { ++clicks; };
  radio->OnDblClick = [&](ui::Control *) { ++doubles; };
  QTest::mouseDClick(radio, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(radio->checked());
}

TEST_F(ButtonsSkinTest, SpeedButtonHotShowsABlackFrameAndTheGlyphAtOneOne) {
  auto *speed = new TkwoToolBarSpeedButton(form.get());
  speed->setParentControl(form.get());
  speed->setBounds(10, 10, 18, 18);
  speed->setColor(RGB(200, 200, 200));
  QPixmap glyph(12, 12);
  glyph.fill(QColor(0, 150, 0));
  speed->setGlyph(glyph);
  QImage image = shown(*speed);
  EXPECT_EQ(image.pixelColor(0, 0), QColor(200, 200, 200));
  EXPECT_EQ(image.pixelColor(1, 1), QColor(200, 200, 200)) << "a glyph of one colour is all key";
  QPixmap twoColours(12, 12);
  twoColours.fill(QColor(0, 150, 0));
  {
    QPainter p(&twoColours);
    p.fillRect(0, 11, 12, 1, QColor(1, 2, 3));  // the bottom row keys
  }
  speed->setGlyph(twoColours);
  testsupport::sendEnter(speed);
  ASSERT_TRUE(speed->hot());
  image = shown(*speed);
  EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 0, 0));
  EXPECT_EQ(image.pixelColor(17, 17), QColor(0, 0, 0));
  EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 150, 0));
  EXPECT_EQ(image.pixelColor(12, 1), QColor(0, 150, 0));
  EXPECT_EQ(image.pixelColor(13, 1), QColor(200, 200, 200));
  EXPECT_EQ(image.pixelColor(5, 12), QColor(200, 200, 200)) << "keyed row";
  testsupport::sendLeave(speed);
  EXPECT_FALSE(speed->hot());
  EXPECT_EQ(shown(*speed).pixelColor(0, 0), QColor(200, 200, 200));
  // Hidden while hot: nothing stays hot.
  testsupport::sendEnter(speed);
  speed->setVisible(false);
  EXPECT_FALSE(speed->hot());
}

class ComboSkinTest : public ButtonsSkinTest {
 protected:
  TkwoComboBox *makeCombo(S style) {
    auto *c = new TkwoComboBox(form.get());
    c->setParentControl(form.get());
    c->setBounds(20, 20, 120, 22);
    c->setUIStyle(style);
    testsupport::processEvents();
    return c;
  }
  QImage comboImage(TkwoComboBox *c) { return c->comboBox()->grab().toImage(); }
};

TEST_F(ComboSkinTest, FlatButtonTakesTheFormBackgroundAndTheArrow) {
  TkwoComboBox *c = makeCombo(S::DeepBlue);
  const QRect button = c->buttonRect();
  ASSERT_FALSE(button.isEmpty());
  const QImage image = comboImage(c);
  EXPECT_EQ(image.pixelColor(button.right() - 1, button.top() + 1), QColor(232, 232, 232));
  EXPECT_EQ(image.pixelColor(button.left(), button.top() + 2), ui::toQColor(c->borderColor()));
  EXPECT_EQ(image.pixelColor(0, 5), ui::toQColor(c->borderColor())) << "the frame";
  const Point at = ComboArrow(Rect{button.left(), button.top(), button.left() + button.width(),
                                   button.top() + button.height()});
  EXPECT_EQ(image.pixelColor(at.x + 3, at.y + 1), QColor(0, 0, 0));
  // Disabled: grey with a white shadow.
  c->setEnabled(false);
  const QImage off = comboImage(c);
  EXPECT_EQ(off.pixelColor(at.x + 3, at.y + 1), QColor(128, 128, 128));
  EXPECT_EQ(off.pixelColor(at.x + 4, at.y + 4), QColor(255, 255, 255));
}

TEST_F(ComboSkinTest, WinXPShowsItsPictureAndNoArrow) {
  TkwoComboBox *c = makeCombo(S::WinXP);
  const QRect button = c->buttonRect();
  const QImage image = comboImage(c);
  const Point at = ComboArrow(Rect{button.left(), button.top(), button.left() + button.width(),
                                   button.top() + button.height()});
  EXPECT_NE(image.pixelColor(at.x + 3, at.y + 1), QColor(0, 0, 0));
  const QImage picture = BuiltInBitmap("WINXP_COMBOBOX_BUTTON");
  if (picture.isNull()) {
    // Without the picture the button is filled like the other looks'.
    EXPECT_EQ(image.pixelColor(button.right() - 1, button.top() + 1), ui::toQColor(c->buttonColor()));
  } else {
    const QImage stretched = picture.scaled(button.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_EQ(image.pixelColor(button.center()), stretched.pixelColor(button.center() - button.topLeft()));
  }
}

TEST_F(ComboSkinTest, FramesGoRoundTheWholeControlAndTheButtonStaysInside) {
  // Whatever the widget style's button rectangle, the border-colour frame
  // is whole, Color lines it, and the button with its divider sits inside
  // both; the divider meets the frame above and below.
  for (const S style : {S::MacOS, S::WinXP, S::DeepBlue, S::Protein, S::BlueGlass}) {
    SCOPED_TRACE(static_cast<int>(style));
    TkwoComboBox *c = makeCombo(style);
    const QImage image = comboImage(c);
    const QColor border = ui::toQColor(c->borderColor());
    const QColor inner = ui::toQColor(c->color());
    const int w = image.width();
    const int h = image.height();
    const QRect button = c->buttonRect();
    ASSERT_FALSE(button.isEmpty());
    EXPECT_TRUE(QRect(2, 2, w - 4, h - 4).contains(button)) << button.x() << "," << button.y() << " "
                                                            << button.width() << "x" << button.height();
    const bool flat = style != S::MacOS && style != S::WinXP;
    int wrong = 0;
    for (int x = 0; x < w; ++x) {
      for (int y = 0; y < h; ++y) {
        const bool outer = x == 0 || y == 0 || x == w - 1 || y == h - 1;
        const bool lining = !outer && (x == 1 || y == 1 || x == w - 2 || y == h - 2);
        const bool divider = flat && x == button.left() && y >= 1 && y <= h - 2;
        const QColor want = outer || divider ? border : inner;
        if ((outer || lining || divider) && image.pixelColor(x, y) != want && ++wrong <= 3) {
          ADD_FAILURE() << "pixel " << x << "," << y;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
    delete c;
  }
}

TEST_F(ComboSkinTest, OpenListIsFramedAndClosingRepaintsTheParent) {
  TkwoComboBox *c = makeCombo(S::DeepBlue);
  c->setItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
  c->setBorderColor(RGB(250, 0, 0));
  c->comboBox()->showPopup();
  QWidget *list = c->comboBox()->view()->window();
  ASSERT_TRUE(testsupport::waitFor([&] { return list->isVisible(); }));
  const QImage image = list->grab().toImage();
  EXPECT_EQ(image.pixelColor(0, 0), QColor(250, 0, 0));
  EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() / 2), QColor(250, 0, 0));
  // Closing the list repaints the whole parent, not only what lies under
  // the combo box.
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override {
      if (event->type() == QEvent::Paint && static_cast<QPaintEvent *>(event)->rect().contains(0, 0)) ++paints;
      return false;
    }
  } counter;
  testsupport::processEvents();
  form->installEventFilter(&counter);
  c->comboBox()->hidePopup();
  EXPECT_FALSE(list->isVisible());
  testsupport::processEvents();
  form->removeEventFilter(&counter);
  EXPECT_GT(counter.paints, 0);
}

}  // namespace
}  // namespace kwo
