#include "power_status.h"

#include "main_window.h"
#include "power_management_view.h"

namespace snapshot {

QString PowerStatusText(const morvit::TfrmMain &window, int panel) {
  morvit::TfrmPLCManagement *view = window.powerView();
  if (view == nullptr) return {};
  return QString::fromStdString(view->model().statusText(panel));
}

}  // namespace snapshot
