// The plain push button: Default, Cancel and ModalResult through the form's
// dialog keys, the focused button taking Enter, accelerators, and clicks.
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "tests/support/ui/ui_fixtures.h"

namespace {

using testsupport::pressKey;
using testsupport::UiTest;

class ButtonTest : public UiTest {};

struct Dialog {
  ui::Form form{nullptr};
  ui::Edit *edit = nullptr;
  ui::Button *ok = nullptr;
  ui::Button *cancel = nullptr;
  ui::Button *other = nullptr;
  std::vector<QString> clicks;

  Dialog() {
    edit = new ui::Edit(&form);
    edit->setParentControl(&form);
    ok = add("&OK", 40, 1);
    ok->setDefault(true);
    cancel = add("&Cancel", 70, 2);
    cancel->setCancel(true);
    other = add("&Apply", 100, 0);
    form.show();
    form.activateWindow();
  }

  ui::Button *add(const QString &caption, int top, int result) {
    auto *b = new ui::Button(&form);
    b->setParentControl(&form);
    b->setTop(top);
    b->setCaption(caption);
    b->setModalResult(result);
    b->OnClick = [this, b](ui::Component *) { clicks.push_back(b->caption()); };
    return b;
  }

  void focus(ui::Control *c) {
    c->setFocus();
    form.focusChanged(c);
  }
};

TEST_F(ButtonTest, EnterClicksTheFocusedButtonOrTheDefaultAndEscapeTheCancel) {
  Dialog d;
  d.focus(d.edit);
  pressKey(&d.form, Qt::Key_Return);
  EXPECT_EQ(d.clicks, (std::vector<QString>{"&OK"}));
  EXPECT_EQ(d.form.modalResult(), 1);

  d.form.setModalResult(0);
  d.focus(d.other);
  EXPECT_FALSE(d.ok->answersEnter());
  pressKey(&d.form, Qt::Key_Return);
  EXPECT_EQ(d.clicks.back(), "&Apply");
  EXPECT_EQ(d.form.modalResult(), 0);

  pressKey(&d.form, Qt::Key_Escape);
  EXPECT_EQ(d.clicks.back(), "&Cancel");
  EXPECT_EQ(d.form.modalResult(), 2);

  // Modifiers keep Enter from the buttons; a disabled default takes none.
  d.clicks.clear();
  d.focus(d.edit);
  pressKey(&d.form, Qt::Key_Return, Qt::ShiftModifier);
  d.ok->setEnabled(false);
  pressKey(&d.form, Qt::Key_Return);
  EXPECT_TRUE(d.clicks.empty());
}

TEST_F(ButtonTest, AcceleratorAndMouseClickAndCaptionWithoutQtMnemonic) {
  Dialog d;
  pressKey(&d.form, Qt::Key_A, Qt::AltModifier, "a");
  EXPECT_EQ(d.clicks, (std::vector<QString>{"&Apply"}));
  QTest::mouseClick(d.cancel->pushButton(), Qt::LeftButton);
  EXPECT_EQ(d.clicks.back(), "&Cancel");
  EXPECT_EQ(d.form.modalResult(), 2);
  // The marks stay out of the push button, so Qt adds no shortcut of its own.
  EXPECT_EQ(d.ok->pushButton()->text(), "OK");
  d.ok->setCaption("Save && &Quit");
  EXPECT_EQ(d.ok->pushButton()->text(), "Save && Quit");
}

}  // namespace
