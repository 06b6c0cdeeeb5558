#include "login_form.h"

TLoginForm::TLoginForm(ui::Component *owner) : ui::Form(owner) { setCaption(QStringLiteral("登陆")); }

TLoginForm::~TLoginForm() = default;
