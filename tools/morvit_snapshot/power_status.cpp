#include "tools/morvit_snapshot/power_status.h"

#include "display_app/views/main_window.h"
#include "display_app/views/power_management_view.h"

namespace snapshot {

QString PowerStatusText(const morvit::TfrmMain &window, int panel) {
  morvit::TfrmPLCManagement *view = window.powerView();
  if (view == nullptr) return {};
  return QString::fromStdString(view->model().statusText(panel));
}

}  // namespace snapshot
