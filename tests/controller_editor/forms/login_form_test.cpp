// The login dialog: the fixed pair through the form, the refusal box and
// another try, and the ways out that end the program before any main
// window exists.
#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include "controller_editor/editor_app.h"
#include "controller_editor/forms/login_form.h"
#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/message_box.h"
#include "tests/controller_editor/forms/editor_window_test.h"
#include "tests/controller_editor/forms/qstring_print.h"
#include "tests/support/test_link_services.h"

namespace {

using testsupport::MessageBoxScript;

const QString kRefused = QStringLiteral("登陆失败，请重新输入用户名和密码。");

class LoginFormTest : public testsupport::EditorWindowTest {
 protected:
  void TearDown() override {
    // Ending the program tells every event loop to return at once; running
    // the application's own loop once clears that for the next test.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    EditorWindowTest::TearDown();
  }

  static void type(TLoginForm &form, const QString &user, const QString &password) {
    form.eUn->setText(user);
    form.ePw->setText(password);
  }
};

struct LoginCase {
  const char *name;
  QString user;
  QString password;
  bool accepted;
};

TEST_F(LoginFormTest, EnterAcceptsOnlyTheFixedPair) {
  const LoginCase cases[] = {
      {"capitals and blanks round the name", QStringLiteral(" TAMZOR "), QStringLiteral("40517396"), true},
      {"tab after the name, blanks round the password", QStringLiteral("tamzor\t"), QStringLiteral(" 40517396 "),
       true},
      {"blank inside the password", QStringLiteral("tamzor"), QStringLiteral("4051 7396"), false},
      {"ideographic space before the name", QStringLiteral("\u3000tamzor"), QStringLiteral("40517396"), false},
      {"full-width name", QStringLiteral("ｔａｍｚｏｒ"), QStringLiteral("40517396"), false},
      {"no-break space after the password", QStringLiteral("tamzor"), QStringLiteral("40517396\u00A0"), false},
      {"nothing typed", QString(), QString(), false},
  };
  for (const LoginCase &c : cases) {
    SCOPED_TRACE(c.name);
    TLoginForm form(nullptr);
    type(form, c.user, c.password);
    MessageBoxScript boxes;
    if (!c.accepted) boxes.answer(ui::IDOK);
    testsupport::pressKey(form.ePw->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form.modalResult(), c.accepted ? ui::mrOk : ui::mrNone);
    ASSERT_EQ(boxes.shown().size(), c.accepted ? 0u : 1u);
    if (!c.accepted) {
      EXPECT_EQ(boxes.shown()[0].text, kRefused);
      EXPECT_EQ(boxes.shown()[0].caption, QStringLiteral("提示"));
      EXPECT_EQ(boxes.shown()[0].flags, ui::MB_OK);
    }
  }
}

TEST_F(LoginFormTest, RefusalKeepsTheTextsMovesTheFocusAndAllowsAnotherTry) {
  TLoginForm form(nullptr);
  form.show();
  QApplication::setActiveWindow(&form);
  form.ePw->setFocus();
  type(form, QStringLiteral("tamzor"), QStringLiteral("wrong"));
  {
    MessageBoxScript boxes;
    boxes.answer(ui::IDOK);
    form.BtnOK->click();
    ASSERT_EQ(boxes.shown().size(), 1u);
  }
  EXPECT_EQ(form.modalResult(), ui::mrNone);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.eUn->text(), QStringLiteral("tamzor"));
  EXPECT_EQ(form.ePw->text(), QStringLiteral("wrong"));
  EXPECT_TRUE(testsupport::waitFor([&] { return QApplication::focusWidget() == form.eUn->lineEdit(); }));

  // Any number of tries; the right one closes the dialog with OK.
  form.ePw->setText(QStringLiteral("40517396"));
  form.BtnOK->click();
  EXPECT_EQ(form.modalResult(), ui::mrOk);
}

TEST_F(LoginFormTest, PasswordShowsStars) {
  TLoginForm form(nullptr);
  QLineEdit *edit = form.ePw->lineEdit();
  EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
  EXPECT_EQ(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit), '*');
  EXPECT_EQ(form.eUn->lineEdit()->echoMode(), QLineEdit::Normal);
}

// Each way out, taken while the login runs its real modal loop.
struct WayOut {
  const char *name;
  void (*take)(TLoginForm &form);
  bool terminates;
};

TEST_F(LoginFormTest, EveryWayOutEndsTheProgramWithoutAMainWindow) {
  const WayOut ways[] = {
      {"Escape", [](TLoginForm &f) { testsupport::pressKey(f.eUn->lineEdit(), Qt::Key_Escape); }, true},
      {"Cancel", [](TLoginForm &f) { f.BtnCancel->click(); }, true},
      {"close box", [](TLoginForm &f) { f.close(); }, false},
  };
  ui::Application *app = ui::Application::instance();
  ASSERT_NE(app, nullptr);
  for (const WayOut &way : ways) {
    SCOPED_TRACE(way.name);
    testsupport::RealModalLoop realLoop;
    bool taken = false;
    // Runs once the login is up in its loop.
    QTimer::singleShot(0, qApp, [&] {
      for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *login = qobject_cast<TLoginForm *>(w);
        if (login == nullptr || !login->isVisible()) continue;
        taken = true;
        way.take(*login);
        return;
      }
    });
    // With a main window, runEditor would run the event loop and not
    // return; the title would be the one it sets for the main window.
    char name[] = "Selkan";
    char *argv[] = {name, nullptr};
    EXPECT_EQ(runEditor(1, argv, testsupport::LocalLinkServices()), 0);
    EXPECT_TRUE(taken);
    EXPECT_NE(app->title(), QStringLiteral("PLC"));
    if (way.terminates) {
      EXPECT_TRUE(app->terminated());
    }
    // Clears the application's "exit now" for the next way out.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
  }
}

}  // namespace
