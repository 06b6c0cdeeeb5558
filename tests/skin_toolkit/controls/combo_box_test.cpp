// The combo box on the offscreen platform: when it tells of a choice, its
// arrow colour per look, and its button, frames and open list painted from
// the look's pictures.
#include <QAbstractItemView>
#include <QComboBox>
#include <QImage>
#include <QPaintEvent>
#include <QTest>

#include "platform/ui/color.h"
#include "skin_toolkit/controls/kwo_combo_box.h"
#include "skin_toolkit/rules/combo_logic.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "tests/skin_toolkit/controls/buttons_skin_fixture.h"
#include "tests/skin_toolkit/controls/controls_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;
using platform::RGB;

TEST_F(ControlsTest, ComboBoxTellsOfTheUsersChoicesOnly) {
  auto *combo = make<TkwoComboBox>(form.get());
  combo->setStyle(TComboBoxStyle::csDropDownList);
  int changes = 0;
  combo->OnChange = [&](ui::Control *) { ++changes; };
  QStringList lines;
  for (int i = 0; i < 32; ++i) lines << QString::asprintf("%02d", i);
  combo->setItems(lines);
  EXPECT_EQ(combo->itemIndex(), -1);
  combo->setItemIndex(5);
  combo->setItemIndex(-1);
  combo->setItemIndex(3);
  combo->setText(QStringLiteral("07"));
  combo->addItem(QStringLiteral("32"));
  EXPECT_EQ(combo->itemIndex(), 7);
  // Out of range: ignored.
  combo->setItemIndex(40);
  combo->setItemIndex(-2);
  EXPECT_EQ(combo->itemIndex(), 7);
  EXPECT_EQ(changes, 0);

  // The user picks the next line with the keyboard: one change.
  focusOn(combo->comboBox());
  QTest::keyClick(combo->comboBox(), Qt::Key_Down);
  EXPECT_EQ(combo->itemIndex(), 8);
  EXPECT_EQ(changes, 1);
  // Picking from the list.
  emit combo->comboBox()->activated(2);
  EXPECT_EQ(changes, 2);
  // Not while the window is being built.
  {
    ui::LoadingGuard loading(*form);
    emit combo->comboBox()->activated(1);
  }
  EXPECT_EQ(changes, 2);
}

TEST_F(ControlsTest, ComboBoxLookResetsTheArrowColour) {
  auto *combo = make<TkwoComboBox>(form.get());
  EXPECT_EQ(combo->uiStyle(), TkwoUIStyle::DeepBlue);
  EXPECT_EQ(combo->buttonColor(), platform::RGB(232, 232, 232));
  combo->setArrowColor(platform::RGB(255, 0, 0));
  combo->setBorderColor(platform::RGB(1, 2, 3));
  combo->setUIStyle(TkwoUIStyle::MacOS);
  EXPECT_EQ(combo->arrowColor(), platform::clBlack);
  EXPECT_EQ(combo->borderColor(), platform::RGB(127, 127, 127));
  EXPECT_EQ(combo->buttonColor(), platform::RGB(231, 231, 231));
  // Colours set after the look stay.
  combo->setArrowColor(platform::RGB(0, 0, 255));
  EXPECT_EQ(combo->arrowColor(), platform::RGB(0, 0, 255));
}

// --- Painted from the look's pictures ---

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
