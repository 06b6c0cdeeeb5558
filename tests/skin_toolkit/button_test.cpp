// The skinned push button on the offscreen platform: states, the repeat
// while held, keys, accelerators, ModalResult and the focus look.
#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <memory>

#include "controls/kwo_button.h"
#include "frames/kwo_form.h"
#include "ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;

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

}  // namespace
}  // namespace kwo
