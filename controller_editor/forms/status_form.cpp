#include "status_form.h"

TfrmPLCStatus::TfrmPLCStatus(ui::Component *owner) : ui::Form(owner) { setCaption(QStringLiteral("状态项")); }

TfrmPLCStatus::~TfrmPLCStatus() = default;
