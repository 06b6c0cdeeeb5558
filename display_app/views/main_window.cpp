#include "display_app/views/main_window.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "display_app/dialogs/auto_detect.h"
#include "display_app/model/globals.h"
#include "display_app/views/monitor_view.h"
#include "display_app/views/power_management_view.h"
#include "display_app/views/temperature_trace_view.h"
#include "display_app/views/video_processor_view.h"
#include "platform/app_dir.h"
#include "platform/file_io.h"
#include "platform/ui/application.h"
#include "platform/ui/control_bar.h"
#include "platform/ui/image.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_view.h"
#include "platform/ui/panel.h"
#include "skin_toolkit/controls/kwo_button.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/frames/kwo_menu.h"
#include "skin_toolkit/frames/kwo_status_bar.h"
#include "skin_toolkit/frames/kwo_tool_bar.h"
#include "skin_toolkit/themes/builtin_pictures.h"

namespace morvit {

TfrmMain *frmMain = nullptr;

namespace {

constexpr platform::TColor kStripColor = 0xE7E7E7;

// True when the file lies in the executable's directory, in any letter case.
bool fileBesideExecutable(const std::string &name) {
  const std::string dir = platform::ExecutableDir();
  if (dir.empty()) return false;
  return platform::FindFileIgnoreCase(dir, name).has_value();
}

}  // namespace

TfrmMain::TfrmMain(ui::Component *owner, tarnex_client::LinkServices services)
    : ui::Form(owner), linkServices_(std::move(services)) {
  {
    ui::LoadingGuard loading(*this);
    buildComponents();
  }
  OnCreate = [this](ui::Form *sender) { FormCreate(sender); };
  doCreate();
}

TfrmMain::~TfrmMain() {
  beginDestroy();
  // The views belong to nobody; they go before the panels that hold them.
  freeViews();
  if (frmMain == this) frmMain = nullptr;
}

ui::MenuItem *TfrmMain::addMenuItem(ui::MenuItem *parent, const QString &name, const QString &caption) {
  auto *item = new ui::MenuItem(this);
  item->setName(name);
  item->setCaption(caption);
  parent->add(item);
  return item;
}

kwo::TkwoButton *TfrmMain::addToolButton(kwo::TkwoToolBar *bar, const QString &name, const QString &hint) {
  auto *button = new kwo::TkwoButton(this);
  button->setName(name);
  button->setUIStyle(kwo::TkwoUIStyle::BlueGlass);
  button->setLayout(kwo::ButtonLayout::blGlyphBottom);
  button->setBounds(0, 0, 49, 49);
  button->setHint(hint);
  button->setParentControl(bar);
  return button;
}

ui::ToolButton *TfrmMain::addSeparator(kwo::TkwoToolBar *bar, const QString &name) {
  auto *separator = new ui::ToolButton(this);
  separator->setName(name);
  separator->setStyle(ui::ToolButtonStyle::Separator);
  separator->setParentControl(bar);
  return separator;
}

void TfrmMain::buildComponents() {
  setName(QStringLiteral("frmMain"));
  setCaption(QStringLiteral("Morvit"));
  ui::Font formFont = controlFont();
  formFont.name = QStringLiteral("MS Sans Serif");
  setControlFont(formFont);

  imgsMenu = new ui::ImageList(this);
  imgsMenu->setName(QStringLiteral("imgsMenu"));
  imgsLarge = new ui::ImageList(this);
  imgsLarge->setName(QStringLiteral("imgsLarge"));
  imgsLarge->setSize(32, 32);

  // The skinned frame takes the whole form and keeps a 3-pixel ring round it.
  sfrmMain = new kwo::TkwoForm(this);
  sfrmMain->setName(QStringLiteral("sfrmMain"));
  sfrmMain->setUIStyle(kwo::TkwoUIStyle::MacOS);
  sfrmMain->setBorderColor(0x7F7F7F);
  sfrmMain->setBorderWidth(1);
  sfrmMain->setColor(kStripColor);
  ui::Font titleFont = sfrmMain->titleBarFont();
  titleFont.name = QStringLiteral("Tahoma");
  titleFont.bold = true;
  sfrmMain->setTitleBarFont(titleFont);
  sfrmMain->setMenuBarHeight(22);
  sfrmMain->setCaption(QStringLiteral("Morvit"));

  // The client area lies inside the ring.
  setClientWidth(443);
  setClientHeight(617);
  ui::SizeConstraints limits = constraints();
  limits.minWidth = 130;
  limits.minHeight = 50;
  setConstraints(limits);

  // The tool strip, hidden.
  ControlBar = new ui::ControlBar(this);
  ControlBar->setName(QStringLiteral("ControlBar"));
  ControlBar->setAlign(ui::Align::Top);
  ControlBar->setColor(kStripColor);
  ControlBar->setVisible(false);
  ControlBar->setParentControl(sfrmMain);
  ControlBar->setAutoSize(true);

  auto makeBar = [this](const QString &name) {
    auto *bar = new kwo::TkwoToolBar(this);
    bar->setName(name);
    bar->setAlign(ui::Align::None);
    bar->setParentControl(ControlBar);
    return bar;
  };

  toolbarFile = makeBar(QStringLiteral("toolbarFile"));
  toolbarFile->setUIStyle(kwo::TkwoUIStyle::BlueGlass);
  toolbarFile->setButtonSize(49, 49);
  toolbarFile->setImages(imgsMenu);
  toolbarFile->setVisible(false);
  tbAutoDetect = addToolButton(toolbarFile, QStringLiteral("tbAutoDetect"), QStringLiteral("Auto Detect"));
  tbLoad = addToolButton(toolbarFile, QStringLiteral("tbLoad"), QStringLiteral("Load Project"));
  tbSave = addToolButton(toolbarFile, QStringLiteral("tbSave"), QStringLiteral("Save Project"));
  ToolButton1 = addSeparator(toolbarFile, QStringLiteral("ToolButton1"));
  tbExit = addToolButton(toolbarFile, QStringLiteral("tbExit"), QStringLiteral("Exit"));

  toolbarMenu = makeBar(QStringLiteral("toolbarMenu"));
  toolbarMenu->setButtonSize(46, 21);
  toolbarMenu->setShowCaptions(true);
  toolbarMenu->setVisible(false);

  toolbarProject = makeBar(QStringLiteral("toolbarProject"));
  toolbarProject->setButtonSize(49, 49);
  tbLedPanel = addToolButton(toolbarProject, QStringLiteral("tbLedPanel"), QStringLiteral("LED Monitor"));
  tbVideoProcessor =
      addToolButton(toolbarProject, QStringLiteral("tbVideoProcessor"), QStringLiteral("Video Processor"));
  tbTemperature = addToolButton(toolbarProject, QStringLiteral("tbTemperature"), QStringLiteral("Temperature Trace"));
  tbGamma = addToolButton(toolbarProject, QStringLiteral("tbGamma"), QStringLiteral("Gamma Adjustment"));
  ToolButton2 = addSeparator(toolbarProject, QStringLiteral("ToolButton2"));
  tbZoomIn = addToolButton(toolbarProject, QStringLiteral("tbZoomIn"), QStringLiteral("Zoom In"));
  tbZoomOut = addToolButton(toolbarProject, QStringLiteral("tbZoomOut"), QStringLiteral("Zoom Out"));

  toolbarHelp = makeBar(QStringLiteral("toolbarHelp"));
  toolbarHelp->setButtonSize(49, 49);
  tbHelp = addToolButton(toolbarHelp, QStringLiteral("tbHelp"), QStringLiteral("Help Contents"));
  tbAbout = addToolButton(toolbarHelp, QStringLiteral("tbAbout"), QStringLiteral("About"));

  // The screen list, hidden, with its splitter.
  pnlLedPanels = new ui::Panel(this);
  pnlLedPanels->setName(QStringLiteral("pnlLedPanels"));
  pnlLedPanels->setAlign(ui::Align::Left);
  pnlLedPanels->setBounds(0, 0, 97, 200);
  pnlLedPanels->setVisible(false);
  pnlLedPanels->setParentControl(sfrmMain);
  imgTitle = new ui::Image(this);
  imgTitle->setName(QStringLiteral("imgTitle"));
  imgTitle->setAlign(ui::Align::Top);
  imgTitle->setParentControl(pnlLedPanels);
  lvLedPanels = new ui::ListView(this);
  lvLedPanels->setName(QStringLiteral("lvLedPanels"));
  lvLedPanels->setAlign(ui::Align::Client);
  lvLedPanels->setLargeImages(imgsLarge);
  lvLedPanels->setParentControl(pnlLedPanels);

  Splitter1 = new ui::Control(this);
  Splitter1->setName(QStringLiteral("Splitter1"));
  Splitter1->setAlign(ui::Align::Left);
  Splitter1->setBounds(97, 0, 3, 200);
  Splitter1->setVisible(false);
  Splitter1->setParentControl(sfrmMain);

  // The main panel that holds the views.
  pnlMain = new ui::Panel(this);
  pnlMain->setName(QStringLiteral("pnlMain"));
  pnlMain->setAlign(ui::Align::Client);
  pnlMain->setColor(platform::clAppWorkSpace);
  pnlMain->setBevelOuter(ui::Bevel::None);
  pnlMain->setBevelInner(ui::Bevel::Lowered);
  pnlMain->setParentControl(sfrmMain);

  sbMain = new kwo::TkwoStatusBar(this);
  sbMain->setName(QStringLiteral("sbMain"));
  sbMain->setUIStyle(kwo::TkwoUIStyle::MacOS);
  sbMain->setParentControl(sfrmMain);

  // The main menu; on this form it joins the skinned frame by itself.
  menuMain = new kwo::TkwoMainMenu(this);
  menuMain->setName(QStringLiteral("menuMain"));
  menuMain->setUIStyle(kwo::TkwoUIStyle::MacOS);
  menuMain->setMenuItemHeight(20);
  menuMain->setBarWidth(26);
  menuMain->setImages(imgsMenu);
  ui::MenuItem *root = menuMain->items();
  mnFile = addMenuItem(root, QStringLiteral("mnFile"), QStringLiteral("&File"));
  mnAutoDetect = addMenuItem(mnFile, QStringLiteral("mnAutoDetect"), QStringLiteral("Auto Detect"));
  mnLoad = addMenuItem(mnFile, QStringLiteral("mnLoad"), QStringLiteral("Load Project"));
  mnSave = addMenuItem(mnFile, QStringLiteral("mnSave"), QStringLiteral("Save Project"));
  N1 = addMenuItem(mnFile, QStringLiteral("N1"), QStringLiteral("-"));
  mnExit = addMenuItem(mnFile, QStringLiteral("mnExit"), QStringLiteral("Exit"));
  mnView = addMenuItem(root, QStringLiteral("mnView"), QStringLiteral("View"));
  mnZoomIn = addMenuItem(mnView, QStringLiteral("mnZoomIn"), QStringLiteral("ZoomIn"));
  mnZoomOut = addMenuItem(mnView, QStringLiteral("mnZoomOut"), QStringLiteral("ZoomOut"));
  mnProject = addMenuItem(root, QStringLiteral("mnProject"), QStringLiteral("&Project"));
  mnLedPanel = addMenuItem(mnProject, QStringLiteral("mnLedPanel"), QStringLiteral("LED Panel"));
  mnVideoProcessor = addMenuItem(mnProject, QStringLiteral("mnVideoProcessor"), QStringLiteral("Video Processor"));
  mnPLCManagement = addMenuItem(mnProject, QStringLiteral("mnPLCManagement"), QStringLiteral("PLC Management"));
  mnGammaAdjustment =
      addMenuItem(mnProject, QStringLiteral("mnGammaAdjustment"), QStringLiteral("Gamma Adjustment"));
  mnHelp = addMenuItem(root, QStringLiteral("mnHelp"), QStringLiteral("&Help"));
  mnHelpContent = addMenuItem(mnHelp, QStringLiteral("mnHelpContent"), QStringLiteral("Help Content"));
  N2 = addMenuItem(mnHelp, QStringLiteral("N2"), QStringLiteral("-"));
  mnHomePage = addMenuItem(mnHelp, QStringLiteral("mnHomePage"), QStringLiteral("Home Page"));
  N3 = addMenuItem(mnHelp, QStringLiteral("N3"), QStringLiteral("-"));
  mnAbout = addMenuItem(mnHelp, QStringLiteral("mnAbout"), QStringLiteral("About"));

  sfrmMain->setMenu(menuMain);
  toolbarMenu->setMenu(menuMain);

  // Commands. tbLedPanel ("LED Monitor") runs PLC Management; Save, Gamma,
  // Help and About have no handler on their buttons.
  mnAutoDetect->OnClick = [this](ui::MenuItem *) { mnAutoDetectClick(); };
  tbAutoDetect->OnClick = [this](ui::Control *) { mnAutoDetectClick(); };
  mnLoad->OnClick = [this](ui::MenuItem *) { mnLoadClick(); };
  tbLoad->OnClick = [this](ui::Control *) { mnLoadClick(); };
  mnSave->OnClick = [this](ui::MenuItem *) { mnSaveClick(); };
  mnExit->OnClick = [this](ui::MenuItem *) { mnExitClick(); };
  tbExit->OnClick = [this](ui::Control *) { mnExitClick(); };
  mnZoomIn->OnClick = [this](ui::MenuItem *) { mnZoomInClick(); };
  tbZoomIn->OnClick = [this](ui::Control *) { mnZoomInClick(); };
  mnZoomOut->OnClick = [this](ui::MenuItem *) { mnZoomOutClick(); };
  tbZoomOut->OnClick = [this](ui::Control *) { mnZoomOutClick(); };
  mnLedPanel->OnClick = [this](ui::MenuItem *) { mnLedPanelClick(); };
  mnVideoProcessor->OnClick = [this](ui::MenuItem *) { mnVideoProcessorClick(); };
  tbVideoProcessor->OnClick = [this](ui::Control *) { mnVideoProcessorClick(); };
  mnPLCManagement->OnClick = [this](ui::MenuItem *) { mnPLCManagementClick(); };
  tbLedPanel->OnClick = [this](ui::Control *) { mnPLCManagementClick(); };
  tbTemperature->OnClick = [this](ui::Control *) { tbTemperatureClick(); };
  pnlMain->OnResize = [this](ui::Control *sender) { pnlMainResize(sender); };
  lvLedPanels->OnChange = [this](ui::ListView *sender, int item) { lvLedPanelsChange(sender, item); };
}

void TfrmMain::FormCreate(ui::Form *) {
  centerOnScreen();
  // The screen settings file is looked for beside the program; nothing
  // reads it yet, so the answer is not used.
  [[maybe_unused]] const bool monitorIni = fileBesideExecutable("Monitor.ini");
  // The frame shows no menu bar: the menu tool bar carries the menu, and
  // setting it again rebuilds its caption buttons.
  sfrmMain->setMenu(nullptr);
  toolbarMenu->setMenu(nullptr);
  toolbarMenu->setMenu(menuMain);
  std::fill(std::begin(TemperatureRing), std::end(TemperatureRing), 0.0);
  mnLoadClick();
  // Shows the power management view when "User.ini" is there.
  mnPLCManagementClick();
}

void TfrmMain::freeViews() {
  // Each view goes at once: the power view shuts the link library down in its
  // destructor, and that must happen before the next one starts it.
  delete std::exchange(frmMonitor_, nullptr);
  delete std::exchange(frmVideoProcessor_, nullptr);
  delete std::exchange(frmPLCManagement_, nullptr);
  delete std::exchange(frmTemperatureTrace_, nullptr);
}

void TfrmMain::notification(ui::Component *component, ui::Operation operation) {
  ui::Form::notification(component, operation);
  if (operation != ui::Operation::Remove) return;
  // A view freed by anyone else leaves no dangling reference.
  if (component == frmMonitor_) frmMonitor_ = nullptr;
  if (component == frmVideoProcessor_) frmVideoProcessor_ = nullptr;
  if (component == frmTemperatureTrace_) frmTemperatureTrace_ = nullptr;
  if (component == frmPLCManagement_) frmPLCManagement_ = nullptr;
}

void TfrmMain::mnLoadClick() {
  // The old views go first: monitor, video processor, power management, trace.
  freeViews();
  // The screen list holds one screen; without a screen there is nothing to show.
  lvLedPanels->clearItems();
  lvLedPanels->addItem(QStringLiteral("Pellmar Screen1"), 0);
  if (lvLedPanels->itemCount() == 0) return;
  // New views, without an owner; each decides its own visibility.
  frmMonitor_ = new TfrmMonitor(nullptr);
  watch(frmMonitor_);
  frmVideoProcessor_ = new TfrmVideoProcessor(nullptr);
  watch(frmVideoProcessor_);
  frmPLCManagement_ = new TfrmPLCManagement(nullptr, linkServices_);
  watch(frmPLCManagement_);
  frmTemperatureTrace_ = new TfrmTemperatureTrace(nullptr);
  watch(frmTemperatureTrace_);
  // Onto the main panel: the monitor first, later ones above it. Each
  // keeps the visibility its constructor chose.
  const std::vector<ui::Control *> placed = {frmMonitor_, frmVideoProcessor_, frmTemperatureTrace_,
                                             frmPLCManagement_};
  for (ui::Control *view : placed) {
    const bool visible = view->visible();
    view->setParentControl(pnlMain);
    view->setVisible(visible);
  }
  // Selecting the first screen sets the selected screen index.
  lvLedPanels->setItemIndex(0);
}

void TfrmMain::mnSaveClick() {}

void TfrmMain::mnExitClick() { close(); }

void TfrmMain::mnAutoDetectClick() {
  // Freed when it closes, also when a handler inside it throws.
  auto wizard = std::make_unique<TfrmAutoDetect>(nullptr);
  struct ClearGlobal {
    TfrmAutoDetect *wizard;
    ~ClearGlobal() {
      if (frmAutoDetect == wizard) frmAutoDetect = nullptr;
    }
  } clear{wizard.get()};
  frmAutoDetect = wizard.get();
  wizard->showModal();
}

void TfrmMain::mnZoomInClick() {
  if (frmMonitor_ != nullptr) frmMonitor_->mnZoomInClick();
}

void TfrmMain::mnZoomOutClick() {
  if (frmMonitor_ != nullptr) frmMonitor_->mnZoomOutClick();
}

void TfrmMain::hideOtherViews(ui::Control *keep) {
  // Copied: hiding may not change the list, but a handler could.
  const std::vector<ui::Control *> children = pnlMain->controls();
  for (ui::Control *child : children) {
    if (child != keep) child->setVisible(false);
  }
}

void TfrmMain::mnLedPanelClick() {
  hideOtherViews(frmMonitor_);
  if (frmMonitor_ != nullptr && !frmMonitor_->visible()) {
    frmMonitor_->setVisible(true);
    frmMonitor_->pnlLedPanelResize();
  }
}

void TfrmMain::mnVideoProcessorClick() {
  hideOtherViews(frmVideoProcessor_);
  if (frmVideoProcessor_ != nullptr && !frmVideoProcessor_->visible()) frmVideoProcessor_->setVisible(true);
}

void TfrmMain::tbTemperatureClick() {
  hideOtherViews(frmTemperatureTrace_);
  if (frmTemperatureTrace_ != nullptr && !frmTemperatureTrace_->visible()) frmTemperatureTrace_->setVisible(true);
}

void TfrmMain::mnPLCManagementClick() {
  hideOtherViews(frmPLCManagement_);
  if (frmPLCManagement_ == nullptr || !fileBesideExecutable("User.ini")) return;
  frmPLCManagement_->setVisible(true);
  frmPLCManagement_->setAlign(ui::Align::Client);
  frmPLCManagement_->setWidth(450);
  frmPLCManagement_->LoadControllers();
}

void TfrmMain::pnlMainResize(ui::Control *) {
  if (frmMonitor_ != nullptr) frmMonitor_->FrameResize(frmMonitor_);
}

void TfrmMain::lvLedPanelsChange(ui::ListView *, int) { SelectedScreen = lvLedPanels->itemIndex(); }

std::unique_ptr<TfrmMain> createMainWindow(const tarnex_client::LinkServices &services) {
  QApplication::setWindowIcon(kwo::BuiltInMainIcon());
  auto window = std::make_unique<TfrmMain>(nullptr, services);
  frmMain = window.get();
  if (ui::Application *app = ui::Application::instance()) app->setMainForm(window.get());
  window->show();
  return window;
}

}  // namespace morvit
