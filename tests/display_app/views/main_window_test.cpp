// The display program's main window on the offscreen platform: start-up,
// Load Project, the commands and the picture.
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "display_app/dialogs/auto_detect.h"
#include "display_app/model/globals.h"
#include "display_app/test_seams.h"
#include "display_app/views/main_window.h"
#include "display_app/views/monitor_view.h"
#include "display_app/views/power_management_view.h"
#include "display_app/views/temperature_trace_view.h"
#include "display_app/views/video_processor_view.h"
#include "display_app/views/view_events.h"
#include "platform/ui/application.h"
#include "platform/ui/color.h"
#include "platform/ui/control_bar.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_view.h"
#include "platform/ui/panel.h"
#include "skin_toolkit/controls/kwo_button.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/frames/kwo_menu.h"
#include "skin_toolkit/frames/kwo_status_bar.h"
#include "skin_toolkit/frames/kwo_title_bar.h"
#include "skin_toolkit/frames/kwo_tool_bar.h"
#include "tests/support/test_link_services.h"
#include "tests/support/ui/ui_fixtures.h"

namespace morvit {
namespace {

using testsupport::TempAppDir;

// Records the views' creation and destruction notices while it lives.
class ViewLog {
 public:
  struct Entry {
    ViewEvent event;
    std::string view;
    bool operator==(const Entry &) const = default;
  };
  // onEvent runs inside the view's constructor or destructor.
  explicit ViewLog(std::function<void(const Entry &)> onEvent = {}) {
    previous_ = setViewObserverForTests([this, onEvent](ViewEvent event, const char *view) {
      entries.push_back({event, view});
      if (onEvent) onEvent(entries.back());
    });
  }
  ~ViewLog() { setViewObserverForTests(std::move(previous_)); }
  ViewLog(const ViewLog &) = delete;
  ViewLog &operator=(const ViewLog &) = delete;

  std::vector<Entry> entries;

 private:
  ViewObserver previous_;
};

const char *const kMonitor = "morvit::TfrmMonitor";
const char *const kVideo = "morvit::TfrmVideoProcessor";
const char *const kTrace = "morvit::TfrmTemperatureTrace";
const char *const kPower = "morvit::TfrmPLCManagement";

class MainWindowTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    testsupport::UiTest::SetUp();
    resetGlobalsForTests();
  }
  void TearDown() override {
    window.reset();
    testsupport::UiTest::TearDown();
    resetGlobalsForTests();
  }

  void start() {
    window = createMainWindow(testsupport::LocalLinkServices());
    ASSERT_NE(window, nullptr);
  }

  // The views of the main panel, in child order.
  std::vector<ui::Control *> panelChildren() const { return window->pnlMain->controls(); }
  std::vector<ui::Control *> shownViews() const {
    std::vector<ui::Control *> shown;
    for (ui::Control *c : panelChildren()) {
      if (c->visible()) shown.push_back(c);
    }
    return shown;
  }
  std::vector<ui::Control *> viewsInOrder() const {
    return {window->monitorView(), window->videoProcessorView(), window->temperatureTraceView(),
            window->powerView()};
  }

  TempAppDir dir;
  std::unique_ptr<TfrmMain> window;
};

QStringList captionsOf(const std::vector<ui::ToolButton *> &buttons) {
  QStringList captions;
  for (ui::ToolButton *b : buttons) captions << b->caption();
  return captions;
}

QStringList captionsOf(const ui::MenuItem *item) {
  QStringList captions;
  for (ui::MenuItem *i : item->items()) captions << i->caption();
  return captions;
}

// --- Start-up ---

TEST_F(MainWindowTest, StartsCentredWithAnEmptyPanelWithoutFiles) {
  SelectedScreen = 5;
  std::fill(std::begin(TemperatureRing), std::end(TemperatureRing), 3.25);
  start();

  EXPECT_EQ(frmMain, window.get());
  EXPECT_EQ(ui::Application::instance()->mainForm(), window.get());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->caption(), QStringLiteral("Morvit"));
  EXPECT_EQ(window->sfrmMain->caption(), QStringLiteral("Morvit"));
  // 443 x 617 inside the ring, centred on the 1280 x 1024 offscreen screen.
  EXPECT_EQ(window->nonClientRing(), 3);
  EXPECT_EQ(window->clientWidth(), 443);
  EXPECT_EQ(window->clientHeight(), 617);
  EXPECT_EQ(window->boundsRect(), QRect(415, 200, 449, 623));
  EXPECT_EQ(window->constraints().minWidth, 130);
  EXPECT_EQ(window->constraints().minHeight, 50);

  // Title bar, panel, status bar: nothing else takes space.
  EXPECT_EQ(window->sfrmMain->titleBarHeight(), 20);
  EXPECT_EQ(window->sfrmMain->menuBar(), nullptr);
  EXPECT_EQ(window->sfrmMain->menu(), nullptr);
  EXPECT_FALSE(window->ControlBar->visible());
  EXPECT_FALSE(window->pnlLedPanels->visible());
  EXPECT_FALSE(window->Splitter1->visible());
  EXPECT_EQ(window->sbMain->height(), 19);
  EXPECT_EQ(window->sbMain->panelCount(), 0);
  EXPECT_EQ(window->pnlMain->boundsRect(), QRect(0, 20, 443, 578));
  EXPECT_EQ(window->pnlMain->clientRect(), QRect(1, 1, 441, 576));

  // The main menu, in the order and with the captions the commands have.
  EXPECT_EQ(captionsOf(window->menuMain->items()), (QStringList{"&File", "View", "&Project", "&Help"}));
  EXPECT_EQ(captionsOf(window->mnFile), (QStringList{"Auto Detect", "Load Project", "Save Project", "-", "Exit"}));
  EXPECT_EQ(captionsOf(window->mnView), (QStringList{"ZoomIn", "ZoomOut"}));
  EXPECT_EQ(captionsOf(window->mnProject),
            (QStringList{"LED Panel", "Video Processor", "PLC Management", "Gamma Adjustment"}));
  EXPECT_EQ(captionsOf(window->mnHelp), (QStringList{"Help Content", "-", "Home Page", "-", "About"}));
  EXPECT_EQ(window->menuMain->barWidth(), 26);
  EXPECT_EQ(window->menuMain->menuItemHeight(), 20);

  // The hidden menu tool bar shows the main menu in menu order.
  EXPECT_EQ(captionsOf(window->toolbarMenu->menuButtons()),
            (QStringList{"&File", "View", "&Project", "&Help"}));

  // The four views, in panel order, all hidden.
  EXPECT_EQ(panelChildren(), viewsInOrder());
  for (ui::Control *view : viewsInOrder()) ASSERT_NE(view, nullptr);
  EXPECT_TRUE(shownViews().empty());

  EXPECT_EQ(SelectedScreen, 0);
  for (double sample : TemperatureRing) EXPECT_EQ(sample, 0.0);
}

TEST_F(MainWindowTest, HiddenToolStripHoldsTheToolButtons) {
  start();
  const struct {
    kwo::TkwoToolBar *bar;
    std::vector<std::pair<QString, QString>> buttons;  // name, hint; "" for a separator
  } bars[] = {
      {window->toolbarFile,
       {{"tbAutoDetect", "Auto Detect"}, {"tbLoad", "Load Project"}, {"tbSave", "Save Project"}, {"", ""},
        {"tbExit", "Exit"}}},
      {window->toolbarProject,
       {{"tbLedPanel", "LED Monitor"},
        {"tbVideoProcessor", "Video Processor"},
        {"tbTemperature", "Temperature Trace"},
        {"tbGamma", "Gamma Adjustment"},
        {"", ""},
        {"tbZoomIn", "Zoom In"},
        {"tbZoomOut", "Zoom Out"}}},
      {window->toolbarHelp, {{"tbHelp", "Help Contents"}, {"tbAbout", "About"}}},
  };
  for (const auto &b : bars) {
    SCOPED_TRACE(b.bar->name().toStdString());
    EXPECT_EQ(b.bar->parentControl(), window->ControlBar);
    ASSERT_EQ(b.bar->controlCount(), static_cast<int>(b.buttons.size()));
    for (size_t i = 0; i < b.buttons.size(); ++i) {
      ui::Control *c = b.bar->control(static_cast<int>(i));
      EXPECT_EQ(c->owner(), window.get());
      if (b.buttons[i].first.isEmpty()) {
        auto *separator = qobject_cast<ui::ToolButton *>(c);
        ASSERT_NE(separator, nullptr);
        EXPECT_TRUE(separator->isSeparator());
        continue;
      }
      auto *button = qobject_cast<kwo::TkwoButton *>(c);
      ASSERT_NE(button, nullptr);
      EXPECT_EQ(button->name(), b.buttons[i].first);
      EXPECT_EQ(button->hint(), b.buttons[i].second);
      EXPECT_EQ(button->size(), QSize(49, 49));
      EXPECT_EQ(button->uiStyle(), kwo::TkwoUIStyle::BlueGlass);
      EXPECT_EQ(button->layout(), kwo::ButtonLayout::blGlyphBottom);
    }
  }
  EXPECT_FALSE(window->toolbarFile->visible());
  EXPECT_FALSE(window->toolbarMenu->visible());
  EXPECT_EQ(window->toolbarFile->uiStyle(), kwo::TkwoUIStyle::BlueGlass);
  // Save, Gamma, Help and About buttons have no handler.
  for (kwo::TkwoButton *b : {window->tbSave, window->tbGamma, window->tbHelp, window->tbAbout}) {
    EXPECT_FALSE(static_cast<bool>(b->OnClick)) << b->name().toStdString();
  }
  // The form owns every component, the menu items included.
  const std::vector<ui::Component *> components = {window->sfrmMain, window->pnlMain, window->sbMain,
                                                   window->menuMain, window->mnAbout, window->imgsLarge};
  for (ui::Component *c : components) {
    EXPECT_EQ(c->owner(), window.get()) << c->name().toStdString();
  }
  EXPECT_EQ(window->imgsLarge->width(), 32);
  EXPECT_EQ(window->lvLedPanels->largeImages(), window->imgsLarge);
}

TEST_F(MainWindowTest, CreationHandlerRunsBeforeTheWindowIsShown) {
  TfrmMain direct(nullptr, testsupport::LocalLinkServices());
  EXPECT_FALSE(direct.isVisible());
  EXPECT_FALSE(direct.visible());
  EXPECT_EQ(direct.boundsRect(), QRect(415, 200, 449, 623));
  EXPECT_NE(direct.monitorView(), nullptr);
  EXPECT_EQ(direct.lvLedPanels->itemCount(), 1);
}

TEST_F(MainWindowTest, UserIniInAnyCaseShowsThePowerView) {
  const struct {
    const char *label;
    std::vector<std::string> files;
    std::vector<std::string> folders;
    bool powerShown;
  } cases[] = {
      {"no file", {}, {}, false},
      {"Monitor.ini only", {"Monitor.ini"}, {}, false},
      {"a folder named User.ini", {}, {"User.ini"}, false},
      {"User.ini", {"User.ini"}, {}, true},
      {"user.ini", {"user.ini"}, {}, true},
      {"USER.INI and monitor.ini", {"USER.INI", "monitor.ini"}, {}, true},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.label);
    TempAppDir here;
    for (const std::string &name : c.files) here.writeFile(name, "[PLC]\r\n");
    for (const std::string &name : c.folders) std::filesystem::create_directory(here / name);
    start();
    if (c.powerShown) {
      ASSERT_EQ(shownViews(), std::vector<ui::Control *>{window->powerView()});
      EXPECT_EQ(window->powerView()->boundsRect(), QRect(1, 1, 441, 576));
      EXPECT_EQ(window->powerView()->align(), ui::Align::Client);
    } else {
      EXPECT_TRUE(shownViews().empty());
    }
    EXPECT_EQ(panelChildren(), viewsInOrder());
    window.reset();
    testsupport::processEvents();
  }
}

// --- Load Project ---

TEST_F(MainWindowTest, LoadProjectReplacesTheViewsInOrder) {
  start();
  TemperatureRing[3] = 7.5;
  SelectedScreen = 9;
  const QPointer<ui::Control> oldViews[] = {window->monitorView(), window->videoProcessorView(),
                                            window->temperatureTraceView(), window->powerView()};

  bool firstConstructor = true;
  std::vector<ui::Control *> referencesAtFirstConstructor;
  ViewLog log([&](const ViewLog::Entry &entry) {
    if (entry.event == ViewEvent::Created && firstConstructor) {
      firstConstructor = false;
      referencesAtFirstConstructor = viewsInOrder();
    }
  });
  window->mnLoad->click();

  using E = ViewLog::Entry;
  const std::vector<E> expected = {
      {ViewEvent::Destroyed, kMonitor}, {ViewEvent::Destroyed, kVideo}, {ViewEvent::Destroyed, kPower},
      {ViewEvent::Destroyed, kTrace},   {ViewEvent::Created, kMonitor}, {ViewEvent::Created, kVideo},
      {ViewEvent::Created, kPower},     {ViewEvent::Created, kTrace},
  };
  EXPECT_EQ(log.entries, expected);
  EXPECT_EQ(referencesAtFirstConstructor, std::vector<ui::Control *>(4, nullptr));
  // Freed at once, not later.
  for (const auto &old : oldViews) EXPECT_TRUE(old.isNull());

  ASSERT_EQ(window->lvLedPanels->itemCount(), 1);
  EXPECT_EQ(window->lvLedPanels->item(0).caption, QStringLiteral("Pellmar Screen1"));
  EXPECT_EQ(window->lvLedPanels->item(0).imageIndex, 0);
  EXPECT_EQ(window->lvLedPanels->itemIndex(), 0);
  EXPECT_EQ(SelectedScreen, 0);
  EXPECT_EQ(TemperatureRing[3], 7.5);
  EXPECT_EQ(panelChildren(), viewsInOrder());
  // Only the trace starts visible; the others make themselves hidden.
  EXPECT_EQ(shownViews(), std::vector<ui::Control *>{window->temperatureTraceView()});
  EXPECT_EQ(window->temperatureTraceView()->boundsRect(), QRect(1, 1, 441, 576));
}

TEST_F(MainWindowTest, LoadButtonAndRepeatedLoadsKeepOneScreen) {
  start();
  window->tbLoad->click();
  window->mnLoad->click();
  EXPECT_EQ(window->lvLedPanels->itemCount(), 1);
  EXPECT_EQ(window->pnlMain->controlCount(), 4);
  EXPECT_EQ(panelChildren(), viewsInOrder());
  EXPECT_EQ(SelectedScreen, 0);
}

TEST_F(MainWindowTest, ScreenListSelectionIsTheSelectedScreen) {
  start();
  window->lvLedPanels->setItemIndex(-1);
  EXPECT_EQ(SelectedScreen, -1);
  window->lvLedPanels->setItemIndex(0);
  EXPECT_EQ(SelectedScreen, 0);
}

TEST_F(MainWindowTest, ClosingTheWindowFreesTheViewsFirstInLoadOrder) {
  start();
  ViewLog log;
  window.reset();
  using E = ViewLog::Entry;
  EXPECT_EQ(log.entries, (std::vector<E>{{ViewEvent::Destroyed, kMonitor},
                                         {ViewEvent::Destroyed, kVideo},
                                         {ViewEvent::Destroyed, kPower},
                                         {ViewEvent::Destroyed, kTrace}}));
  EXPECT_EQ(frmMain, nullptr);
}

// --- Commands ---

TEST_F(MainWindowTest, EachViewCommandLeavesExactlyOneViewShown) {
  enum View { Monitor, Video, Trace, Power, None };
  using Step = std::function<void(TfrmMain &)>;
  const Step ledPanel = [](TfrmMain &w) { w.mnLedPanel->click(); };
  const Step video = [](TfrmMain &w) { w.mnVideoProcessor->click(); };
  const Step videoButton = [](TfrmMain &w) { w.tbVideoProcessor->click(); };
  const Step trace = [](TfrmMain &w) { w.tbTemperature->click(); };
  const Step plc = [](TfrmMain &w) { w.mnPLCManagement->click(); };
  const Step ledMonitorButton = [](TfrmMain &w) { w.tbLedPanel->click(); };
  const struct {
    const char *label;
    std::vector<Step> steps;
    View withUserIni;
    View withoutUserIni;
  } cases[] = {
      {"LED Panel", {ledPanel}, Monitor, Monitor},
      {"Video Processor", {video}, Video, Video},
      {"Video Processor button", {videoButton}, Video, Video},
      {"Temperature button", {trace}, Trace, Trace},
      {"PLC Management", {plc}, Power, None},
      {"LED Monitor button runs PLC Management", {ledMonitorButton}, Power, None},
      {"PLC Management, then LED Panel", {plc, ledPanel}, Monitor, Monitor},
      {"LED Panel, then PLC Management", {ledPanel, plc}, Power, None},
      {"LED Panel twice", {ledPanel, ledPanel}, Monitor, Monitor},
      {"every view in turn, then the trace", {ledPanel, video, plc, trace}, Trace, Trace},
      {"Load Project after a view", {video, [](TfrmMain &w) { w.mnLoad->click(); }}, Trace, Trace},
  };
  for (bool userIni : {true, false}) {
    TempAppDir here;
    if (userIni) here.writeFile("User.ini", "[PLC]\r\n");
    start();
    for (const auto &c : cases) {
      SCOPED_TRACE(std::string(c.label) + (userIni ? " (User.ini)" : " (no User.ini)"));
      for (const Step &step : c.steps) step(*window);
      const View expected = userIni ? c.withUserIni : c.withoutUserIni;
      const std::vector<ui::Control *> views = viewsInOrder();
      const std::vector<ui::Control *> want =
          expected == None ? std::vector<ui::Control *>{} : std::vector<ui::Control *>{views[expected]};
      EXPECT_EQ(shownViews(), want);
      EXPECT_EQ(panelChildren(), views);
      // A view shown fills the panel inside its bevel.
      for (ui::Control *view : want) EXPECT_EQ(view->boundsRect(), QRect(1, 1, 441, 576));
    }
    window.reset();
  }
}

TEST_F(MainWindowTest, CommandsWithoutAnEffectChangeNothing) {
  start();
  window->mnLedPanel->click();
  TemperatureRing[1] = 2.5;
  const std::vector<ui::Control *> views = viewsInOrder();
  const QRect bounds = window->boundsRect();

  ViewLog log;
  testsupport::MessageBoxScript boxes;
  testsupport::ModalScript modals;
  window->mnSave->click();
  window->tbSave->click();
  window->mnGammaAdjustment->click();
  window->tbGamma->click();
  window->mnHelpContent->click();
  window->tbHelp->click();
  window->mnHomePage->click();
  window->mnAbout->click();
  window->tbAbout->click();
  // The monitor's zoom commands keep the views as they are.
  window->mnZoomIn->click();
  window->mnZoomOut->click();
  window->tbZoomIn->click();
  window->tbZoomOut->click();

  EXPECT_TRUE(log.entries.empty());
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_TRUE(modals.shown().empty());
  EXPECT_EQ(viewsInOrder(), views);
  EXPECT_EQ(shownViews(), std::vector<ui::Control *>{window->monitorView()});
  EXPECT_EQ(window->boundsRect(), bounds);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(TemperatureRing[1], 2.5);
  EXPECT_EQ(SelectedScreen, 0);
}

TEST_F(MainWindowTest, AViewFreedElsewhereLeavesNoDanglingReference) {
  start();
  delete window->monitorView();
  EXPECT_EQ(window->monitorView(), nullptr);
  EXPECT_EQ(window->pnlMain->controlCount(), 3);
  // Zoom, the monitor command and a panel resize find no monitor.
  window->mnZoomIn->click();
  window->tbZoomOut->click();
  window->mnLedPanel->click();
  EXPECT_TRUE(shownViews().empty());
  window->setClientHeight(500);
  EXPECT_EQ(window->pnlMain->clientRect(), QRect(1, 1, 441, 459));
  // Load Project builds all four again.
  window->mnLoad->click();
  EXPECT_EQ(panelChildren(), viewsInOrder());
}

TEST_F(MainWindowTest, AutoDetectRunsTheWizardModallyAndFreesIt) {
  start();
  for (const char *how : {"menu", "button"}) {
    SCOPED_TRACE(how);
    QPointer<ui::Form> shown;
    testsupport::ModalScript modals;
    modals.then([&](ui::Form &form) {
      shown = &form;
      auto *wizard = qobject_cast<TfrmAutoDetect *>(&form);
      EXPECT_NE(wizard, nullptr);
      EXPECT_EQ(frmAutoDetect, wizard);
      if (wizard != nullptr) {
        EXPECT_TRUE(wizard->sfrmAutoDetect->isActiveFrame());
        EXPECT_EQ(wizard->sfrmAutoDetect->uiStyle(), kwo::TkwoUIStyle::BlueGlass);
        EXPECT_EQ(wizard->owner(), nullptr);
      }
      return ui::mrOk;
    });
    if (std::string(how) == "menu") {
      window->mnAutoDetect->click();
    } else {
      window->tbAutoDetect->click();
    }
    ASSERT_EQ(modals.shown().size(), 1u);
    EXPECT_EQ(modals.shown()[0].className, "morvit::TfrmAutoDetect");
    EXPECT_EQ(modals.shown()[0].caption, QStringLiteral("Auto Detect"));
    EXPECT_TRUE(shown.isNull()) << "the wizard outlived its command";
    EXPECT_EQ(frmAutoDetect, nullptr);
  }
  // Nothing of the wizard reaches the main window.
  EXPECT_EQ(window->lvLedPanels->itemCount(), 1);
  EXPECT_EQ(SelectedScreen, 0);
}

TEST_F(MainWindowTest, ExitAndTheCloseButtonEndTheLoop) {
  const struct {
    const char *label;
    std::function<void(TfrmMain &)> close;
  } cases[] = {
      {"Exit", [](TfrmMain &w) { w.mnExit->click(); }},
      {"Exit button", [](TfrmMain &w) { w.tbExit->click(); }},
      {"title bar close", [](TfrmMain &w) {
         kwo::TkwoTitleBar *bar = w.sfrmMain->titleBar();
         for (int i = 0; i < bar->buttonCount(); ++i) {
           if (bar->button(i).buttonType == kwo::TkwoTitleBarBtnType::kwoClose) bar->performAction(i);
         }
       }},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.label);
    start();
    TfrmMain *w = window.get();
    QTimer::singleShot(0, w, [&c, w] { c.close(*w); });
    // A loop the command failed to end returns 1 here.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(window->visible());
    window.reset();
    testsupport::processEvents();
  }
}

// --- Picture ---

TEST_F(MainWindowTest, PictureShowsRingTitleGreyPanelAndStatusBar) {
  start();
  const QImage picture = window->grab().toImage();
  ASSERT_EQ(picture.size(), QSize(449, 623));
  auto at = [&](QPoint p) { return QColor(picture.pixel(p)); };
  const QPoint panelCentre = window->pnlMain->mapTo(window.get(), window->pnlMain->rect().center());
  EXPECT_EQ(at(panelCentre), QColor(171, 171, 171));
  EXPECT_EQ(at(QPoint(0, 300)), QColor(127, 127, 127));
  const QPoint statusCentre = window->sbMain->mapTo(window.get(), window->sbMain->rect().center());
  EXPECT_EQ(at(statusCentre), ui::toQColor(window->sbMain->color()));
  EXPECT_EQ(statusCentre.y(), 3 + 617 - 10);
}

}  // namespace
}  // namespace morvit
