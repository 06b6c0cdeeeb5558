#include "conn_form.h"

TConnForm::TConnForm(ui::Component *owner) : ui::Form(owner) { setCaption(QStringLiteral("提示")); }

TConnForm::~TConnForm() = default;
