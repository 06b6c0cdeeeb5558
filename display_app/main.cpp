// Morvit: the LED display wall operator's program. Starts straight into the
// main window and ends when it closes.
#include <QByteArray>
#include <QtGlobal>

#include "controller_comm/client/link_services.h"
#include "display_app/views/main_window.h"
#include "platform/ui/application.h"
#include "platform/ui/font.h"

int main(int argc, char **argv) {
  // Wayland lets no client place its own window: run through X11 (XWayland)
  // unless the user chose a platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("xcb"));
  ui::Application app(argc, argv);
  ui::installFontSubstitutions();
  {
    std::unique_ptr<morvit::TfrmMain> window = morvit::createMainWindow(tarnex_client::TarnexLinkServices());
    app.exec();
  }
  return 0;
}
