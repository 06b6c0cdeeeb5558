#pragma once
// The screen monitor view: one screen shown as an LED panel inside a
// scrolling area with its own scroll bars, a status bar with the selected
// cell's unit and a colour legend, a popup for zooming and the unit details,
// and a hidden side panel listing the two LED INI files. The main window
// creates it hidden on its main panel and runs its resize and zoom commands.
// The screen is demonstration data; no device is asked for unit states.
#include <QPainter>
#include <memory>

#include "display_app/model/screen_model.h"
#include "display_app/views/client_area_view.h"

namespace ui {
class Image;
class Label;
class MenuItem;
class Panel;
class StatusBar;
}  // namespace ui

namespace kwo {
class TkwoImagePanel;
class TkwoPopupMenu;
class TkwoScrollBar;
}  // namespace kwo

namespace morvit {

class TLedPanel;
class TLedPanelGrid;
class TLedUnitGrid;

class TfrmMonitor : public ClientAreaView {
  Q_OBJECT
 public:
  // The margin around the LED panel inside the scrolling area.
  static constexpr int kMargin = 8;
  // What a zoom command adds to or takes from the cell size.
  static constexpr int kZoomStep = 10;

  // Client-aligned and hidden, with the 12 x 12 demonstration screen.
  explicit TfrmMonitor(ui::Component *owner);
  ~TfrmMonitor() override;

  // The frame was resized: centre the content.
  void FrameResize(ui::Control *sender);
  // Lay out the LED panel area: bars, corner and the panel's place.
  void pnlLedPanelResize(ui::Control *sender = nullptr);
  // "Zoom In" makes the cells smaller, "Zoom Out" larger.
  void mnZoomInClick(ui::Control *sender = nullptr);
  void mnZoomOutClick(ui::Control *sender = nullptr);
  // Shows the details of the unit on the selected cell, if there is one.
  void mnUnitDetailClick(ui::Control *sender = nullptr);
  void LEDPanelDblClick(ui::Control *sender);
  void scbVerticalChange(ui::Control *sender);
  void scbHorizontalChange(ui::Control *sender);
  // The selected cell's unit in the status bar's first panel.
  void UpdateUnitStatusText(ui::Control *sender = nullptr);
  void stbMDrawPanel(ui::StatusBar *sender, int panel, QPainter &painter, const QRect &rect);

  TLedPanel *ledPanel() const { return ledPanel_; }
  TLedPanelData *screen() const { return screen_.get(); }
  TLedPanelGrid *ledPanelGrid() const { return ledPanelGrid_; }
  TLedUnitGrid *ledUnitGrid() const { return ledUnitGrid_; }

  ui::Panel *pnlMain = nullptr;
  ui::Image *imgTitle = nullptr;
  ui::Label *Label1 = nullptr;
  ui::Panel *pnlClient = nullptr;
  ui::Panel *pnlLedPanel = nullptr;
  kwo::TkwoScrollBar *scbVertical = nullptr;
  kwo::TkwoScrollBar *scbHorizontal = nullptr;
  kwo::TkwoImagePanel *pnlCorner = nullptr;
  ui::Panel *Splitter1 = nullptr;
  ui::Panel *pnlProperties = nullptr;
  ui::Panel *pnlLedPanelTitle = nullptr;
  ui::Panel *pnlLedPanelGrid = nullptr;
  ui::Panel *Splitter2 = nullptr;
  ui::Panel *pnlLedUnitTitle = nullptr;
  ui::Panel *pnlLedUnitGrid = nullptr;
  ui::StatusBar *stbM = nullptr;
  kwo::TkwoPopupMenu *pmLedUnit = nullptr;
  ui::MenuItem *mnZoomOut = nullptr;
  ui::MenuItem *mnZoomIn = nullptr;
  ui::MenuItem *N1 = nullptr;
  ui::MenuItem *mnUnitDetail = nullptr;

 protected:
  // A hidden view is not aligned by its parent; it takes the parent's
  // client area when it is placed, so its layout is ready before it shows.
  bool event(QEvent *event) override;

 private:
  void buildTree();
  void buildSidePanel();
  void buildPopup();
  void createLedPanel();
  void drawLegend(QPainter &painter, const QRect &rect);

  TLedPanel *ledPanel_ = nullptr;
  std::unique_ptr<TLedPanelData> screen_;
  TLedPanelGrid *ledPanelGrid_ = nullptr;
  TLedUnitGrid *ledUnitGrid_ = nullptr;
  // Set while the bars are being set up: their change events then move
  // nothing.
  bool layingOut_ = false;
};

}  // namespace morvit
