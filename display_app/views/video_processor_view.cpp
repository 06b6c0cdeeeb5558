#include "video_processor_view.h"

namespace morvit {

TfrmVideoProcessor::TfrmVideoProcessor(ui::Component *owner)
    : PlaceholderView(owner, staticMetaObject.className(), QStringLiteral("frmVideoProcessor"), false) {}

}  // namespace morvit
