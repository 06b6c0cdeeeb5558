#include "output_form.h"

TOutputForm::TOutputForm(ui::Component *owner) : ui::Form(owner) { setCaption(QStringLiteral("输出管理")); }

TOutputForm::~TOutputForm() = default;
