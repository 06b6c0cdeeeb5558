#pragma once
// A sheet of every skinned control, laid on a form's skinned frame: buttons
// (one pressed, one disabled), the image button and the tool-bar speed
// button, check and radio controls, panels (one folded), the image panel,
// a group box and the check and radio groups, a combo box, a horizontal and
// a vertical track bar, a scroll bar, a list box with its skinned bar, a
// page control with more tabs than its strip can show, a string grid and a
// data-set navigator over a small data set. The controls take the frame's
// style and theme; the frame passes its later changes on to them.
#include <QPointer>

#include <vector>

namespace ui {
class Control;
class DataSet;
class DataSource;
}  // namespace ui

namespace kwo {
class TkwoButton;
class TkwoCheckBox;
class TkwoCheckGroup;
class TkwoComboBox;
class TkwoDBNavigator;
class TkwoForm;
class TkwoGroupBox;
class TkwoImageButton;
class TkwoImagePanel;
class TkwoListBox;
class TkwoPageControl;
class TkwoPanel;
class TkwoRadioButton;
class TkwoRadioGroup;
class TkwoScrollBar;
class TkwoStringGrid;
class TkwoToolBarSpeedButton;
class TkwoTrackBar;
}  // namespace kwo

namespace gallery {

// The sheet's size on the frame, title bar included.
inline constexpr int kControlsSheetWidth = 480;
inline constexpr int kControlsSheetHeight = 430;

// The controls, all owned by the frame's form.
struct ControlsSheet {
  kwo::TkwoButton *button = nullptr;
  kwo::TkwoButton *pressedButton = nullptr;
  kwo::TkwoButton *disabledButton = nullptr;
  kwo::TkwoImageButton *imageButton = nullptr;
  kwo::TkwoToolBarSpeedButton *speedButton = nullptr;
  kwo::TkwoCheckBox *checkBox = nullptr;
  kwo::TkwoRadioButton *radioButton = nullptr;
  kwo::TkwoPanel *panel = nullptr;
  // A check box on the unfolded panel.
  kwo::TkwoCheckBox *panelChild = nullptr;
  kwo::TkwoPanel *foldedPanel = nullptr;
  kwo::TkwoImagePanel *imagePanel = nullptr;
  kwo::TkwoGroupBox *groupBox = nullptr;
  // A radio button in the group box.
  kwo::TkwoRadioButton *groupChild = nullptr;
  kwo::TkwoCheckGroup *checkGroup = nullptr;
  kwo::TkwoRadioGroup *radioGroup = nullptr;
  kwo::TkwoComboBox *comboBox = nullptr;
  kwo::TkwoTrackBar *trackBar = nullptr;
  kwo::TkwoTrackBar *verticalTrackBar = nullptr;
  kwo::TkwoScrollBar *scrollBar = nullptr;
  kwo::TkwoListBox *listBox = nullptr;
  kwo::TkwoScrollBar *listScrollBar = nullptr;
  kwo::TkwoPageControl *pageControl = nullptr;
  // Seven pages; a button on the first.
  kwo::TkwoButton *pageChild = nullptr;
  kwo::TkwoStringGrid *grid = nullptr;
  kwo::TkwoDBNavigator *navigator = nullptr;
  ui::DataSet *records = nullptr;
  ui::DataSource *recordSource = nullptr;

  // Every control above that is a direct child of the frame.
  std::vector<ui::Control *> onFrame() const;
};

// Builds the sheet on frame, whose form must be its owner, sized to the
// sheet; the frame is set to pass its looks on to its children and hands
// its present style and theme to the sheet. Folding the panel runs pending
// events; the pressed button is held by a press that has no release.
ControlsSheet BuildControlsSheet(kwo::TkwoForm &frame);

}  // namespace gallery
