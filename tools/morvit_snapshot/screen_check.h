#pragma once
// The checks on a picture of the whole screen with the display program's
// main window on it: the grey ring, the status bar's grip and a picture
// that is not blank.
#include <QImage>
#include <QString>
#include <vector>

class QWidget;

namespace snapshot {

// What failed, one line each (empty when every check holds). screen is the
// grab of the screen the window is on, at a device-pixel ratio of 1; the
// window and its status bar give the places in it.
std::vector<QString> CheckMainWindowOnScreen(const QImage &screen, const QWidget &window, const QWidget &statusBar);

}  // namespace snapshot
