#include "controller_editor/editor_app.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "controller_editor/forms/login_form.h"
#include "controller_editor/forms/main_form.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"

namespace {

// Qt's own texts (the buttons of message boxes and file dialogs) in the
// language of the system, for as long as the editor runs.
class QtTranslation {
 public:
  QtTranslation() {
    if (translator_.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      installed_ = QCoreApplication::installTranslator(&translator_);
    }
  }
  ~QtTranslation() {
    if (installed_) QCoreApplication::removeTranslator(&translator_);
  }
  QtTranslation(const QtTranslation &) = delete;
  QtTranslation &operator=(const QtTranslation &) = delete;

 private:
  QTranslator translator_;
  bool installed_ = false;
};

int runInApplication(ui::Application &app, const tarnex_client::LinkServices &services) {
  QtTranslation translation;
  int login = ui::mrCancel;
  {
    TLoginForm form(nullptr);
    login = form.showModal();
  }
  if (login != ui::mrOk) return 0;
  // The title of message boxes; the windows keep their own captions.
  app.setTitle(QStringLiteral("PLC"));
  auto window = std::make_unique<TMainForm>(nullptr, services);
  app.setMainForm(window.get());
  // Maximised by the window manager: the window keeps 870 x 640 to return to.
  window->showMaximized();
  if (!app.terminated()) app.exec();
  app.setMainForm(nullptr);
  return 0;
}

}  // namespace

int runEditor(int argc, char **argv, const tarnex_client::LinkServices &services) {
  if (ui::Application *app = ui::Application::instance()) return runInApplication(*app, services);
  // The application object keeps argc by reference: it must outlive it.
  int count = argc;
  ui::Application app(count, argv);
  return runInApplication(app, services);
}
