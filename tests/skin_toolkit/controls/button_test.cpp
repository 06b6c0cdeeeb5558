// The skinned push button on the offscreen platform: states, the repeat
// while held, keys, accelerators, ModalResult and the focus look; its face
// and glyph painted from the look's pictures, each expected picture cut from
// the same picture the button reads, through the same drawing routine.
#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <memory>

#include "platform/ui/color.h"
#include "skin_toolkit/controls/kwo_button.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/theme_source.h"
#include "tests/skin_toolkit/controls/buttons_skin_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;
using platform::RGB;

class ButtonTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 300, 200);
    button = makeButton(QStringLiteral("&Go"), 10, 10);
    button->OnMouseContinuouslyDown = [this](ui::Control *) { ++ticks; };
    form->show();
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }

  TkwoButton *makeButton(const QString &caption, int x, int y) {
    auto *b = new TkwoButton(form.get());
    b->setParentControl(form.get());
    b->setBounds(x, y, 80, 27);
    b->setCaption(caption);
    b->OnClick = [this](ui::Control *sender) { clicked.push_back(sender); };
    return b;
  }
  void press(QPoint at = {5, 5}) { QTest::mousePress(button, Qt::LeftButton, {}, at); }
  void release(QPoint at = {5, 5}) { QTest::mouseRelease(button, Qt::LeftButton, {}, at); }
  void moveHeld(QPoint to) {
    QMouseEvent move(QEvent::MouseMove, QPointF(to), button->mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &move);
  }
  void focusOn(QWidget *w) {
    QApplication::setActiveWindow(form.get());
    w->setFocus(Qt::OtherFocusReason);
    testsupport::processEvents();
  }
  // Ticks the repeat as its timer would; nothing happens unless it runs.
  void tick() { button->repeatTimer().tick(); }

  std::unique_ptr<ui::Form> form;
  TkwoButton *button = nullptr;
  int ticks = 0;
  std::vector<ui::Control *> clicked;
};

TEST_F(ButtonTest, Defaults) {
  TkwoButton b(nullptr);
  EXPECT_EQ(b.size(), QSize(80, 27));
  EXPECT_TRUE(b.caption().isEmpty());
  EXPECT_FALSE(b.autoSize());
  EXPECT_TRUE(b.tabStop());
  EXPECT_FALSE(b.isDefault());
  EXPECT_FALSE(b.cancel());
  EXPECT_EQ(b.modalResult(), 0);
  EXPECT_EQ(b.focusedRectMargin(), 2);
  EXPECT_EQ(b.mouseContinuouslyDownInterval(), 100);
  EXPECT_EQ(b.layout(), ButtonLayout::blGlyphLeft);
  EXPECT_EQ(b.spacing(), 4);
  EXPECT_TRUE(b.glyph().isNull());
  EXPECT_FALSE(b.repeatTimer().running());
  b.setResHandle(1234);
  EXPECT_EQ(b.resHandle(), 0u);
  // Transparent follows the look on every style change.
  EXPECT_FALSE(b.transparent());
  b.setUIStyle(S::MacOS);
  EXPECT_TRUE(b.transparent());
  b.setTransparent(false);
  EXPECT_FALSE(b.transparent());
  b.setUIStyle(S::BlueGlass);
  EXPECT_TRUE(b.transparent());
}

TEST_F(ButtonTest, AutoSizeFromTheLooksButtonPicture) {
  const struct {
    S style;
    QSize size;
  } cases[] = {{S::FromThemeFile, {24, 21}}, {S::MacOS, {84, 23}}, {S::BlueGlass, {77, 27}},
               {S::WinXP, {18, 21}},         {S::DeepBlue, {74, 21}}};
  for (const auto &c : cases) {
    TkwoButton b(nullptr);
    b.setUIStyle(c.style);
    b.setAutoSize(true);
    EXPECT_EQ(b.size(), c.size) << static_cast<int>(c.style);
  }
}

TEST_F(ButtonTest, StatesFollowTheMouse) {
  EXPECT_EQ(button->currentPicture(), ButtonPicture::Normal);
  int entered = 0;
  int left = 0;
  button->OnMouseEnter = [&](ui::Control *) { ++entered; };
  button->OnMouseExit = [&](ui::Control *) { ++left; };
  testsupport::sendEnter(button);
  EXPECT_EQ(button->currentPicture(), ButtonPicture::MouseOn);
  press();
  EXPECT_EQ(button->currentPicture(), ButtonPicture::MouseDown);
  release();
  EXPECT_EQ(button->currentPicture(), ButtonPicture::MouseOn);
  testsupport::sendLeave(button);
  EXPECT_EQ(button->currentPicture(), ButtonPicture::Normal);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
  button->setEnabled(false);
  EXPECT_EQ(button->currentPicture(), ButtonPicture::Disabled);
}

TEST_F(ButtonTest, HeldButtonRepeatsAndReleaseInsideClicksOnce) {
  press();
  EXPECT_TRUE(button->pressed());
  ASSERT_TRUE(button->repeatTimer().running());
  EXPECT_EQ(button->repeatTimer().interval(), 100);
  tick();
  tick();
  EXPECT_EQ(ticks, 2);
  EXPECT_TRUE(clicked.empty());
  release();
  EXPECT_EQ(clicked.size(), 1u);
  EXPECT_FALSE(button->pressed());
  EXPECT_FALSE(button->repeatTimer().running());
  tick();
  EXPECT_EQ(ticks, 2);
}

TEST_F(ButtonTest, ReleaseOutsideStopsTheRepeatWithoutAClick) {
  press();
  release(QPoint(200, 5));
  EXPECT_TRUE(clicked.empty());
  EXPECT_FALSE(button->pressed());
  EXPECT_FALSE(button->repeatTimer().running());
  tick();
  EXPECT_EQ(ticks, 0);
}

TEST_F(ButtonTest, MovingOutsideOrLeavingEndsThePress) {
  press();
  moveHeld(QPoint(-3, 5));
  EXPECT_FALSE(button->pressed());
  EXPECT_FALSE(button->mouseOver());
  EXPECT_FALSE(button->repeatTimer().running());
  release(QPoint(-3, 5));
  EXPECT_TRUE(clicked.empty());

  press();
  testsupport::sendLeave(button);
  EXPECT_FALSE(button->pressed());
  EXPECT_FALSE(button->repeatTimer().running());
  tick();
  EXPECT_EQ(ticks, 0);
}

TEST_F(ButtonTest, DisablingOrHidingWhileHeldEndsEverything) {
  testsupport::sendEnter(button);
  press();
  button->setEnabled(false);
  EXPECT_FALSE(button->pressed());
  EXPECT_FALSE(button->mouseOver());
  EXPECT_FALSE(button->repeatTimer().running());
  tick();
  EXPECT_EQ(ticks, 0);

  button->setEnabled(true);
  press();
  button->setVisible(false);
  EXPECT_FALSE(button->pressed());
  EXPECT_FALSE(button->repeatTimer().running());
  button->setVisible(true);

  // Disabling the parent reaches the button too.
  press();
  form->setEnabled(false);
  EXPECT_FALSE(button->repeatTimer().running());
  EXPECT_FALSE(button->pressed());
  form->setEnabled(true);

  // Enabled again while still held: the release that follows clicks nothing.
  press();
  button->setEnabled(false);
  button->setEnabled(true);
  release();
  EXPECT_TRUE(clicked.empty());
  EXPECT_EQ(ticks, 0);
}

TEST_F(ButtonTest, FreedWhileHeldLeavesNothingTicking) {
  button->setMouseContinuouslyDownInterval(10);
  press();
  ASSERT_TRUE(button->repeatTimer().running());
  delete button;
  button = nullptr;
  QTest::qWait(60);
  EXPECT_EQ(ticks, 0);
}

TEST_F(ButtonTest, RealRepeatFirstTicksAfterOneInterval) {
  button->setMouseContinuouslyDownInterval(20);
  press();
  EXPECT_EQ(ticks, 0);
  EXPECT_TRUE(testsupport::waitFor([&] { return ticks >= 2; }));
  release();
  const int atRelease = ticks;
  QTest::qWait(80);
  EXPECT_EQ(ticks, atRelease);
  EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(ButtonTest, IntervalZeroOrLessNeverRepeats) {
  for (int interval : {0, -5}) {
    button->setMouseContinuouslyDownInterval(interval);
    press();
    EXPECT_TRUE(button->pressed());
    EXPECT_FALSE(button->repeatTimer().running());
    QTest::qWait(30);
    tick();
    release();
  }
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(clicked.size(), 2u);
}

TEST_F(ButtonTest, DoubleClickCountsAsTwoClicks) {
  // A user's double click: press, release, double click, release.
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicked.size(), 2u);
}

TEST_F(ButtonTest, ClickWritesModalResultToTheForm) {
  form->setModalResult(5);
  button->click();
  EXPECT_EQ(form->modalResult(), 0);
  button->setModalResult(ui::mrOk);
  button->click();
  EXPECT_EQ(form->modalResult(), ui::mrOk);
  EXPECT_EQ(clicked.size(), 2u);

  ui::Form dialog(nullptr);
  auto *ok = new TkwoButton(&dialog);
  ok->setParentControl(&dialog);
  ok->setModalResult(ui::mrOk);
  testsupport::RealModalLoop real;
  QTimer::singleShot(0, ok, [ok] { ok->click(); });
  EXPECT_EQ(dialog.showModal(), ui::mrOk);
}

TEST_F(ButtonTest, EnterClicksDefaultEscapeClicksCancelShiftEnterNothing) {
  auto *other = makeButton(QStringLiteral("Cancel"), 100, 10);
  auto *edit = new ui::Control(form.get());
  edit->setParentControl(form.get());
  edit->setBounds(10, 100, 80, 20);
  edit->setFocusPolicy(Qt::StrongFocus);
  button->setDefault(true);
  other->setCancel(true);
  focusOn(edit);
  ASSERT_TRUE(edit->hasFocus());
  EXPECT_TRUE(button->answersEnter());
  EXPECT_FALSE(other->answersEnter());

  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], button);
  QTest::keyClick(edit, Qt::Key_Escape);
  ASSERT_EQ(clicked.size(), 2u);
  EXPECT_EQ(clicked[1], other);
  QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClick(edit, Qt::Key_Escape, Qt::ControlModifier);
  EXPECT_EQ(clicked.size(), 2u);

  // With the focus on a skinned button, Enter clicks that one.
  focusOn(other);
  ASSERT_TRUE(other->hasFocus());
  EXPECT_TRUE(other->answersEnter());
  EXPECT_FALSE(button->answersEnter());
  QTest::keyClick(other, Qt::Key_Return);
  ASSERT_EQ(clicked.size(), 3u);
  EXPECT_EQ(clicked[2], other);
  QTest::keyClick(other, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(clicked.size(), 3u);

  // Space clicks the focused button on release.
  QTest::keyPress(other, Qt::Key_Space);
  EXPECT_TRUE(other->pressed());
  EXPECT_EQ(clicked.size(), 3u);
  QTest::keyRelease(other, Qt::Key_Space);
  ASSERT_EQ(clicked.size(), 4u);
  EXPECT_FALSE(other->pressed());

  // A disabled Default button is not clicked.
  focusOn(edit);
  button->setEnabled(false);
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(clicked.size(), 4u);
}

TEST_F(ButtonTest, AcceleratorClicksAnEnabledButton) {
  auto *edit = new ui::Control(form.get());
  edit->setParentControl(form.get());
  edit->setFocusPolicy(Qt::StrongFocus);
  focusOn(edit);
  QTest::keyClick(edit, Qt::Key_G, Qt::AltModifier);
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], button);
  QTest::keyClick(edit, Qt::Key_H, Qt::AltModifier);
  EXPECT_EQ(clicked.size(), 1u);
  button->setEnabled(false);
  QTest::keyClick(edit, Qt::Key_G, Qt::AltModifier);
  EXPECT_EQ(clicked.size(), 1u);
}

bool rowHasDarkPixel(const QImage &image, int y, int from, int to) {
  for (int x = from; x < to; ++x) {
    if (qGray(image.pixel(x, y)) < 40) return true;
  }
  return false;
}

TEST_F(ButtonTest, FocusLookPerStyle) {
  button->setCaption(QStringLiteral("Go"));
  focusOn(button);
  ASSERT_TRUE(button->hasFocus());
  // DeepBlue: a dotted rectangle 2 pixels inside the edge.
  button->setUIStyle(S::DeepBlue);
  QImage image = button->grab().toImage();
  EXPECT_TRUE(rowHasDarkPixel(image, 2, 2, 78));
  EXPECT_FALSE(rowHasDarkPixel(image, 1, 2, 78));
  // MacOS and BlueGlass: no rectangle (the caption turns bold instead).
  for (S style : {S::MacOS, S::BlueGlass}) {
    button->setUIStyle(style);
    image = button->grab().toImage();
    EXPECT_FALSE(rowHasDarkPixel(image, 2, 2, 78)) << static_cast<int>(style);
  }
  button->setFocusedRectMargin(4);
  button->setUIStyle(S::WinXP);
  image = button->grab().toImage();
  EXPECT_TRUE(rowHasDarkPixel(image, 4, 4, 76));
}

TEST_F(ButtonTest, GlyphPlacementUsesTheButtonsSizeAndState) {
  QPixmap glyph(32, 16);
  glyph.fill(Qt::red);
  button->setGlyph(glyph);
  button->setLayout(ButtonLayout::blGlyphBottom);
  const GlyphPlacement p = button->glyphPlacement();
  EXPECT_TRUE(p.twoFrames);
  EXPECT_EQ(p.glyph.x, (80 - 16) / 2);
  press();
  EXPECT_EQ(button->glyphPlacement().glyph, (Point{p.glyph.x + 1, p.glyph.y + 1}));
  release();
  // Painting with a glyph, enabled and disabled, pressed or not.
  button->grab();
  button->setEnabled(false);
  button->grab();
}

TEST_F(ButtonTest, ButtonOnAFrameTakesItsLook) {
  ui::Form dialog(nullptr);
  auto *frame = new TkwoForm(&dialog);
  frame->setUIStyle(S::BlueGlass);
  auto *b = new TkwoButton(&dialog);
  b->setParentControl(frame);
  EXPECT_EQ(b->uiStyle(), S::BlueGlass);
  EXPECT_TRUE(b->transparent());
}

// --- Painted from the look's pictures ---

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

}  // namespace
}  // namespace kwo
