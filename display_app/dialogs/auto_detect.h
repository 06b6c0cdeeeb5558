#pragma once
// The auto-detect wizard: detects the screens online and maps their LED
// units. Opened modally by the main window's Auto Detect command.
//
// Step 0 plays the detection animation and lists the device found; step 1
// shows the two screens found, one LED panel at a time, where the operator
// maps every unit onto a cell through the panel's popup menu. Only
// GotoStep changes the page; the tabs refuse clicks. Nothing of the
// mapping outlives the wizard.
#include <cstdint>
#include <memory>
#include <vector>

#include "display_app/model/detection_animation.h"
#include "display_app/model/screen_model.h"
#include "display_app/model/scroll_layout.h"
#include "platform/ui/form.h"

class QShowEvent;

namespace ui {
class Image;
class ImageList;
class Label;
class ListView;
class MenuItem;
class Panel;
class PopupMenu;
class Timer;
}  // namespace ui

namespace kwo {
class TImageButton;
class TkwoForm;
class TkwoImagePanel;
class TkwoListBox;
class TkwoPageControl;
class TkwoScrollBar;
class TkwoTab;
class TkwoTabSheet;
}  // namespace kwo

namespace morvit {

class TLedPanel;

class TfrmAutoDetect : public ui::Form {
  Q_OBJECT
 public:
  // The margin round the LED panel inside its scrolling area.
  static constexpr int32_t kPanelMargin = 20;
  // The device every detection run lists.
  static const QString &detectedDeviceName();

  explicit TfrmAutoDetect(ui::Component *owner);
  ~TfrmAutoDetect() override;

  // The skinned frame over the whole form.
  kwo::TkwoForm *sfrmAutoDetect = nullptr;

  kwo::TkwoPageControl *pcStep = nullptr;
  kwo::TkwoTabSheet *tsDetecting = nullptr;
  kwo::TkwoTabSheet *tsMapping = nullptr;

  ui::Panel *pnlDetecting = nullptr;
  ui::Label *lblDetecting = nullptr;
  ui::Image *imgAnimation = nullptr;
  ui::Label *lblDevices = nullptr;
  kwo::TkwoListBox *lbDevices = nullptr;

  ui::Panel *pnlMapping = nullptr;
  ui::Label *lblMapping = nullptr;
  ui::ListView *lvLedPanels = nullptr;
  ui::Panel *pnlLedPanel = nullptr;
  kwo::TkwoScrollBar *scbVertical = nullptr;
  kwo::TkwoScrollBar *scbHorizontal = nullptr;
  kwo::TkwoImagePanel *pnlCorner = nullptr;

  // The strip under the pages holding the five buttons.
  ui::Panel *pnlButtons = nullptr;
  kwo::TImageButton *btnStart = nullptr;
  kwo::TImageButton *btnPrev = nullptr;
  kwo::TImageButton *btnNext = nullptr;
  kwo::TImageButton *btnFinished = nullptr;
  kwo::TImageButton *btnCancel = nullptr;

  ui::Timer *tmrAnimation = nullptr;
  ui::ImageList *imglAnimation = nullptr;
  ui::ImageList *imglLedPanels = nullptr;

  ui::PopupMenu *pmLedPanels = nullptr;
  ui::MenuItem *mnLEDPanelProp = nullptr;
  ui::PopupMenu *pmLedUnit = nullptr;
  ui::MenuItem *mnMapping = nullptr;
  ui::MenuItem *mnZoomOut = nullptr;
  ui::MenuItem *mnZoomIn = nullptr;
  ui::MenuItem *mnSeparator = nullptr;
  ui::MenuItem *nmClearMap = nullptr;

  // --- State ---
  // The current step; -1 before the first.
  int32_t Step() const { return step_; }
  // The frame the next animation tick draws.
  int32_t AnimFrame() const { return animation_.nextFrame(); }
  TLedPanel *LedPanel() const { return ledPanel_; }
  // One model per item of lvLedPanels, owned here.
  const std::vector<std::unique_ptr<TLedPanelData>> &Screens() const { return screens_; }

  // --- Handlers ---
  void GotoStep(int32_t n);
  void btnStartClick(ui::Control *sender = nullptr);
  void btnPrevClick(ui::Control *sender = nullptr);
  void btnNextClick(ui::Control *sender = nullptr);
  void btnCancelClick(ui::Control *sender = nullptr);
  void btnFinishedClick(ui::Control *sender = nullptr);
  void pcStepChanging(kwo::TkwoTab *sender, bool &allowChange);
  void tsShow(ui::Control *sender);
  void tsResize(ui::Control *sender);
  void tmrAnimationTimer(ui::Timer *sender = nullptr);
  void lvLedPanelsChange(ui::ListView *sender, int item);
  void pnlLedPanelResize(ui::Control *sender = nullptr);
  void scbVerticalChange(ui::Control *sender = nullptr);
  void scbHorizontalChange(ui::Control *sender = nullptr);
  void pmLedUnitPopup(ui::PopupMenu *sender = nullptr);
  void mnMappingClick(ui::MenuItem *item);
  void mnZoomOutClick(ui::MenuItem *sender = nullptr);
  void mnZoomInClick(ui::MenuItem *sender = nullptr);
  void nmClearMapClick(ui::MenuItem *sender = nullptr);
  void mnLEDPanelPropClick(ui::MenuItem *sender = nullptr);

 protected:
  // A show that the program asks for starts the wizard over; the platform's
  // own (a restore from minimised) keeps the step.
  void showEvent(QShowEvent *event) override;

 private:
  void buildComponents();
  void buildDetectingPage();
  void buildMappingPage();
  void buildButtons();
  void buildMenus();
  void FormCreate();
  void FormShow();
  void FormDestroy();
  void placeButtons();
  void showStep0();
  void showStep1();
  void recreateScreens();
  // Shows frame index of the strip over the detecting panel's colour.
  void drawAnimationFrame(int32_t index);
  void placeLedPanel();
  TLedPanelData *attachedModel() const;
  bool allScreensMapped() const;

  int32_t step_ = -1;
  DetectionAnimation animation_;
  TLedPanel *ledPanel_ = nullptr;
  std::vector<std::unique_ptr<TLedPanelData>> screens_;
  ScrollLayout layout_;
  // Set while the bars are being set up: their change events come from the
  // layout itself and are not scrolls.
  bool layingOut_ = false;
};

// The wizard while it is open, else null.
extern TfrmAutoDetect *frmAutoDetect;

}  // namespace morvit
