#include "about_form.h"

TAboutForm::TAboutForm(ui::Component *owner) : ui::Form(owner) { setCaption(QStringLiteral("关于")); }

TAboutForm::~TAboutForm() = default;
