// Selkan: the controller editor. A login, then the main window on a new
// project; the program ends when the main window closes.
#include <QByteArray>
#include <QtGlobal>

#include "controller_comm/client/link_services.h"
#include "controller_editor/editor_app.h"

int main(int argc, char **argv) {
  // Wayland lets no client place its own window: run through X11 (XWayland)
  // unless the user chose a platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("xcb"));
  return runEditor(argc, argv, tarnex_client::TarnexLinkServices());
}
