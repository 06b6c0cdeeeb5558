#pragma once
// The video processor view: the controls that send commands to the screen's
// video processor. The main window creates it hidden on its main panel.
// Creating it requests the processor's 17 values once; each change the
// operator makes sends one set command, each Get button one request. Two
// rectangles on the black workspace stand for the processor's two picture
// windows on its 1600 x 1200 output.
#include <array>

#include "display_app/views/client_area_view.h"
#include "platform/ui/edit.h"
#include "platform/ui/panel.h"

namespace kwo {
class TImageButton;
class TkwoComboBox;
class TkwoGroupBox;
class TkwoImagePanel;
class TkwoPageControl;
class TkwoPanel;
class TkwoRadioButton;
class TkwoRadioGroup;
class TkwoTabSheet;
class TkwoTrackBar;
}  // namespace kwo

namespace morvit {

class TMyControl;

class TfrmVideoProcessor : public ClientAreaView {
  Q_OBJECT
 public:
  // Client-aligned and hidden.
  explicit TfrmVideoProcessor(ui::Component *owner);
  ~TfrmVideoProcessor() override;

  // One image's controls (image 1 or 2).
  struct ImageControls {
    kwo::TkwoTabSheet *page = nullptr;
    kwo::TkwoPanel *pnlDimensions = nullptr;
    ui::Edit *eX = nullptr;
    ui::Edit *eY = nullptr;
    ui::Edit *eWidth = nullptr;
    ui::Edit *eHeight = nullptr;
    kwo::TImageButton *btnDimensionsGet = nullptr;
    kwo::TImageButton *btnDimensionsSet = nullptr;
    kwo::TkwoPanel *pnlProperties = nullptr;
    kwo::TImageButton *btnPropertiesGet = nullptr;
    kwo::TkwoGroupBox *gbLiveVideo = nullptr;
    kwo::TkwoRadioButton *rbPortA = nullptr;
    kwo::TkwoRadioButton *rbPortB = nullptr;
    kwo::TImageButton *btnSource = nullptr;
    kwo::TkwoTrackBar *tbDensity = nullptr;
    ui::Edit *eDensity = nullptr;
    kwo::TkwoTrackBar *tbLevel = nullptr;
    ui::Edit *eLevel = nullptr;
    kwo::TkwoTrackBar *tbThreshold = nullptr;
    ui::Edit *eThreshold = nullptr;
    kwo::TkwoTrackBar *tbNoise = nullptr;
    ui::Edit *eNoise = nullptr;
  };

  // One group of the Output page: R, G, B bars and their edits.
  struct OutputGroup {
    kwo::TkwoGroupBox *box = nullptr;
    std::array<kwo::TkwoTrackBar *, 3> bars{};  // R, G, B
    std::array<ui::Edit *, 3> edits{};
    kwo::TImageButton *btnGet = nullptr;
  };

  // --- widgets ---
  ui::Panel *pnlMain = nullptr;
  kwo::TkwoPageControl *pcSettings = nullptr;
  kwo::TkwoTabSheet *tsOutput = nullptr;
  kwo::TkwoTabSheet *tsInput = nullptr;
  kwo::TkwoTabSheet *tsImage = nullptr;
  kwo::TkwoComboBox *cbOutputVideoStandard = nullptr;
  kwo::TImageButton *btnOutputVideoStandardGet = nullptr;
  OutputGroup gain, offset, white;
  kwo::TkwoPageControl *pcInput = nullptr;
  kwo::TkwoTabSheet *tsPortA = nullptr;
  kwo::TkwoTabSheet *tsPortB = nullptr;
  kwo::TkwoRadioGroup *rgInputSourceA = nullptr;
  kwo::TkwoRadioGroup *rgInputSourceB = nullptr;
  kwo::TImageButton *btnInputGetA = nullptr;
  kwo::TImageButton *btnInputGetB = nullptr;
  kwo::TkwoComboBox *cbOperatingMode = nullptr;
  kwo::TImageButton *ImageButton3 = nullptr;
  kwo::TkwoPageControl *pcImage = nullptr;
  ImageControls image1, image2;
  kwo::TkwoPanel *pnlVideoWorkspace = nullptr;
  kwo::TkwoImagePanel *pnlWorkSpace = nullptr;
  TMyControl *MyCtrl1 = nullptr;
  TMyControl *MyCtrl2 = nullptr;

  // --- handlers ---
  void tbOutputRGBChange(kwo::TkwoTrackBar *bar);
  void btnSourceClick(const ImageControls &image);
  void rbPortClick(int image);
  void btnImageDimensionsSetClick(int image);
  void MyControlMouseDown(TMyControl *rect);
  void MyCtrlDimensionsChange(TMyControl *rect);
  void MyCtrlMouseUp(TMyControl *rect);

 protected:
  void resized() override;

 private:
  void buildOutputPage();
  void buildInputPage();
  void buildImagePage();
  void buildImage(ImageControls &image, int index);
  void bindHandlers();
  TMyControl *makeRectangle(platform::TColor color, int x, int y, int w, int h, const QString &caption);
  ImageControls &imageOf(int index) { return index == 1 ? image1 : image2; }
  void FrameResize();
};

}  // namespace morvit
