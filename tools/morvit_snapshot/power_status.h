#pragma once
// What the power management view's status bar shows.
#include <QString>

namespace morvit {
class TfrmMain;
}

namespace snapshot {

// The text of the power view's status panel (0..3), or "" while there is no
// power view.
QString PowerStatusText(const morvit::TfrmMain &window, int panel);

}  // namespace snapshot
