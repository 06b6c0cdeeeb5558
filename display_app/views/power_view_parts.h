#pragma once
// Pieces of the power management view that draw: the device panel and its
// picture, the status bar's panels and the status grid's cells.
#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "display_app/model/power_management.h"
#include "platform/ui/panel.h"

class QPainter;

namespace morvit {

class TfrmPLCManagement;

// One device's panel: a flat panel with a raised outer and lowered inner
// bevel whose face is the device's picture (one cell per output). Tag is the
// device's position.
class TMyPanel : public ui::Panel {
  Q_OBJECT
 public:
  using PaintHandler = std::function<void(TMyPanel &panel, QPainter &painter)>;

  TMyPanel(ui::Component *owner, PaintHandler paintDevice);
  ~TMyPanel() override;

  // The off-screen picture the device is drawn into.
  QPixmap &picture() { return picture_; }

 protected:
  void paint(QPainter &painter) override;

 private:
  PaintHandler paintDevice_;
  QPixmap picture_;
};

// Status bar panel widths, in the order of the model's status panels. With
// the gaps they fill the view's 441 pixels: the short link and mode words
// leave the action panel room for its longest fixed texts, and the clock
// panel, the last, runs to the bar's end.
inline constexpr std::array<int, kStatusPanelCount> kStatusPanelWidths{48, 48, 236, 103};

// Status grid: column widths; rows are one header row and one per item.
inline constexpr std::array<int, 3> kGridColumnWidths{12, 200, 128};
inline constexpr int kGridRowHeight = 16;

// Device panels side by side in the device box.
struct PanelLayout {
  std::vector<int> lefts;
  std::vector<int> widths;
  int contentWidth = 0;  // the last panel's right edge + 12 (0 with none)
  int boxHeight = 72;    // 82 while the panels overflow the box
};
inline constexpr int kPanelTop = 12;
inline constexpr int kPanelHeight = 40;
// captionWidths: each device name's width in the panel font.
PanelLayout LayoutDevicePanels(const std::vector<int> &captionWidths, int boxClientWidth);

inline const QColor kPanelBackground(0, 32, 0);
inline const QColor kPanelFont(192, 0, 192);
inline const QColor kOutputOn(0, 255, 0);

// Draws a device's picture: the cells (green when on, black when off) and
// the name centred over them in font and colour.
void DrawDevicePicture(QPixmap &picture, const std::vector<OutputCell> &cells, const QString &name, const QFont &font,
                       const QColor &textColor);

// Status bar panel text: centred (never left of the panel's left edge) and
// vertically centred, cut with an ellipsis when wider than the panel;
// panels 0 and 1 red when alert, else green; 2 and 3 in fontColor.
void DrawStatusPanel(QPainter &painter, const QRect &rect, int panel, const QString &text, bool alert,
                     const QColor &fontColor);

// One status grid cell as the view shows it.
void DrawGridCell(QPainter &painter, const QRect &rect, int col, int row, const QString &text, const GridCell &cell);

}  // namespace morvit
