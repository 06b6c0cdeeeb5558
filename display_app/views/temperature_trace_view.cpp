#include "temperature_trace_view.h"

namespace morvit {

TfrmTemperatureTrace::TfrmTemperatureTrace(ui::Component *owner)
    : PlaceholderView(owner, staticMetaObject.className(), QStringLiteral("frmTemperatureTrace"), true) {}

}  // namespace morvit
