#include "main_form.h"

TMainForm::TMainForm(ui::Component *owner) : ui::Form(owner) { setCaption(QStringLiteral("PLC编辑组态环境[V2.2]")); }

TMainForm::~TMainForm() = default;
