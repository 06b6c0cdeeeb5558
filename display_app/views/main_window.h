#pragma once
// The display program's main window: a skinned, frameless form whose main
// panel hosts the four views (monitor, video processor, temperature trace,
// power management), with the commands that create, switch and zoom them.
#include <memory>

#include "controller_comm/client/link_services.h"
#include "platform/ui/form.h"

namespace ui {
class ControlBar;
class Control;
class Image;
class ImageList;
class ListView;
class MenuItem;
class Panel;
class ToolButton;
}  // namespace ui

namespace kwo {
class TkwoButton;
class TkwoForm;
class TkwoMainMenu;
class TkwoStatusBar;
class TkwoToolBar;
}  // namespace kwo

namespace morvit {

class TfrmMonitor;
class TfrmPLCManagement;
class TfrmTemperatureTrace;
class TfrmVideoProcessor;

class TfrmMain : public ui::Form {
  Q_OBJECT
 public:
  // Builds the window and runs FormCreate; the window is not shown yet.
  // services: what the power management view opens its links with.
  TfrmMain(ui::Component *owner, tarnex_client::LinkServices services);
  // Frees the views first, in the order Load Project frees them.
  ~TfrmMain() override;

  // --- Components (the form owns every one) ---
  kwo::TkwoForm *sfrmMain = nullptr;
  ui::ControlBar *ControlBar = nullptr;
  kwo::TkwoToolBar *toolbarFile = nullptr;
  kwo::TkwoButton *tbAutoDetect = nullptr;
  kwo::TkwoButton *tbLoad = nullptr;
  kwo::TkwoButton *tbSave = nullptr;
  ui::ToolButton *ToolButton1 = nullptr;  // separator
  kwo::TkwoButton *tbExit = nullptr;
  kwo::TkwoToolBar *toolbarMenu = nullptr;
  kwo::TkwoToolBar *toolbarProject = nullptr;
  kwo::TkwoButton *tbLedPanel = nullptr;
  kwo::TkwoButton *tbVideoProcessor = nullptr;
  kwo::TkwoButton *tbTemperature = nullptr;
  kwo::TkwoButton *tbGamma = nullptr;
  ui::ToolButton *ToolButton2 = nullptr;  // separator
  kwo::TkwoButton *tbZoomIn = nullptr;
  kwo::TkwoButton *tbZoomOut = nullptr;
  kwo::TkwoToolBar *toolbarHelp = nullptr;
  kwo::TkwoButton *tbHelp = nullptr;
  kwo::TkwoButton *tbAbout = nullptr;
  ui::Panel *pnlLedPanels = nullptr;
  ui::Image *imgTitle = nullptr;
  ui::ListView *lvLedPanels = nullptr;
  ui::Control *Splitter1 = nullptr;
  ui::Panel *pnlMain = nullptr;
  kwo::TkwoStatusBar *sbMain = nullptr;
  kwo::TkwoMainMenu *menuMain = nullptr;
  ui::MenuItem *mnFile = nullptr;
  ui::MenuItem *mnAutoDetect = nullptr;
  ui::MenuItem *mnLoad = nullptr;
  ui::MenuItem *mnSave = nullptr;
  ui::MenuItem *N1 = nullptr;  // separator
  ui::MenuItem *mnExit = nullptr;
  ui::MenuItem *mnView = nullptr;
  ui::MenuItem *mnZoomIn = nullptr;
  ui::MenuItem *mnZoomOut = nullptr;
  ui::MenuItem *mnProject = nullptr;
  ui::MenuItem *mnLedPanel = nullptr;
  ui::MenuItem *mnVideoProcessor = nullptr;
  ui::MenuItem *mnPLCManagement = nullptr;
  ui::MenuItem *mnGammaAdjustment = nullptr;
  ui::MenuItem *mnHelp = nullptr;
  ui::MenuItem *mnHelpContent = nullptr;
  ui::MenuItem *N2 = nullptr;  // separator
  ui::MenuItem *mnHomePage = nullptr;
  ui::MenuItem *N3 = nullptr;  // separator
  ui::MenuItem *mnAbout = nullptr;
  ui::ImageList *imgsMenu = nullptr;
  ui::ImageList *imgsLarge = nullptr;

  // --- Handlers ---
  void FormCreate(ui::Form *sender);
  void mnAutoDetectClick();
  // Load Project: replaces the four views and selects the first screen.
  void mnLoadClick();
  void mnSaveClick();
  void mnExitClick();
  void mnZoomInClick();
  void mnZoomOutClick();
  void mnLedPanelClick();
  void mnVideoProcessorClick();
  void mnPLCManagementClick();
  void tbTemperatureClick();
  void pnlMainResize(ui::Control *sender);
  void lvLedPanelsChange(ui::ListView *sender, int item);

  // --- The views (null before the first Load Project) ---
  TfrmMonitor *monitorView() const { return frmMonitor_; }
  TfrmVideoProcessor *videoProcessorView() const { return frmVideoProcessor_; }
  TfrmTemperatureTrace *temperatureTraceView() const { return frmTemperatureTrace_; }
  TfrmPLCManagement *powerView() const { return frmPLCManagement_; }

 protected:
  void notification(ui::Component *component, ui::Operation operation) override;

 private:
  void buildComponents();
  ui::MenuItem *addMenuItem(ui::MenuItem *parent, const QString &name, const QString &caption);
  kwo::TkwoButton *addToolButton(kwo::TkwoToolBar *bar, const QString &name, const QString &hint);
  ui::ToolButton *addSeparator(kwo::TkwoToolBar *bar, const QString &name);
  // Frees the views in the order monitor, video processor, power
  // management, temperature trace, each at once.
  void freeViews();
  // Hides every child of the main panel except keep.
  void hideOtherViews(ui::Control *keep);

  // Declared in the order monitor, video processor, trace, power.
  TfrmMonitor *frmMonitor_ = nullptr;
  TfrmVideoProcessor *frmVideoProcessor_ = nullptr;
  TfrmTemperatureTrace *frmTemperatureTrace_ = nullptr;
  TfrmPLCManagement *frmPLCManagement_ = nullptr;

  tarnex_client::LinkServices linkServices_;
};

// The program's main window while it exists, else null.
extern TfrmMain *frmMain;

// The whole start-up: creates the main window as the application's main
// form (FormCreate runs inside) and shows it. The caller owns the window;
// closing it ends the application's loop.
std::unique_ptr<TfrmMain> createMainWindow(const tarnex_client::LinkServices &services);

}  // namespace morvit
