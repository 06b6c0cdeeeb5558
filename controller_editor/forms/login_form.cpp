#include "controller_editor/forms/login_form.h"

#include <QLineEdit>
#include <string_view>

#include "controller_editor/forms/form_parts.h"
#include "controller_editor/model/login_check.h"
#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/label.h"
#include "platform/ui/message_box.h"

namespace {

std::u16string_view utf16Of(const QString &text) {
  return {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<size_t>(text.size())};
}

void terminateProgram() {
  if (ui::Application *app = ui::Application::instance()) app->terminate();
}

}  // namespace

TLoginForm::TLoginForm(ui::Component *owner) : ui::Form(owner) {
  {
    ui::LoadingGuard loading(*this);
    setName(QStringLiteral("LoginForm"));
    setCaption(QStringLiteral("登陆"));
    setBorderStyle(ui::BorderStyle::Dialog);
    setClientWidth(320);
    setClientHeight(200);
    banner = AddProductBanner(*this, 16, 12);

    lblUser = NewCaptioned<ui::Label>(*this, QStringLiteral("lblUser"), QStringLiteral("用户名"), 40, 98, 48, 16);
    eUn = NewControl<ui::Edit>(*this, QStringLiteral("eUn"), 100, 94, 180, 22);
    lblPassword =
        NewCaptioned<ui::Label>(*this, QStringLiteral("lblPassword"), QStringLiteral("密  码"), 40, 130, 48, 16);
    ePw = NewControl<ui::Edit>(*this, QStringLiteral("ePw"), 100, 126, 180, 22);
    ePw->setPasswordChar(QLatin1Char('*'));
    // The password's characters show as '*' whatever the style's own choice.
    ePw->lineEdit()->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));

    BtnOK = NewCaptioned<ui::Button>(*this, QStringLiteral("BtnOK"), QStringLiteral("确定"), 70, 164, 80, 26);
    BtnOK->setDefault(true);
    BtnCancel =
        NewCaptioned<ui::Button>(*this, QStringLiteral("BtnCancel"), QStringLiteral("取消"), 170, 164, 80, 26);
    BtnCancel->setCancel(true);
  }
  // Enter and Escape reach the preview before the buttons see them.
  setKeyPreview(true);
  OnKeyDown = [this](ui::Control *, int key, ui::ShiftState, bool &handled) { FormKeyDown(key, handled); };
  BtnOK->OnClick = [this](ui::Control *) { BtnOKClick(); };
  BtnCancel->OnClick = [this](ui::Control *) { BtnCancelClick(); };
  centerOnScreen();
  eUn->setFocus();
}

TLoginForm::~TLoginForm() { beginDestroy(); }

void TLoginForm::BtnOKClick() {
  const QString user = eUn->text();
  const QString password = ePw->text();
  if (selkan::IsValidLogin(utf16Of(user), utf16Of(password))) {
    setModalResult(ui::mrOk);
    return;
  }
  ui::messageBox(QStringLiteral("登陆失败，请重新输入用户名和密码。"), QStringLiteral("提示"), ui::MB_OK);
  eUn->setFocus();
}

void TLoginForm::BtnCancelClick() { terminateProgram(); }

void TLoginForm::FormKeyDown(int key, bool &handled) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    handled = true;
    BtnOKClick();
  } else if (key == Qt::Key_Escape) {
    handled = true;
    terminateProgram();
  }
}
