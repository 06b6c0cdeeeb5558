#pragma once
// Read-only listings of a whole INI file beside the executable: one row per
// section (name in bold italic) followed by one row per key and its value.
// The file is read once, when the grid is made; nothing writes it.
#include "skin_toolkit/controls/kwo_string_grid.h"

namespace morvit {

class TIniListingGrid : public kwo::TkwoStringGrid {
  Q_OBJECT
 protected:
  // fileName is looked up in the executable's directory ignoring case; a
  // missing or unreadable file lists as an empty one.
  TIniListingGrid(ui::Component *owner, const char *fileName, int rowHeight);

  void drawCell(QPainter &painter, int col, int row, const QRect &rect, const ui::GridDrawState &state) override;

 private:
  void loadListing(const char *fileName);
  bool isSectionRow(int row) const;
  // At one pixel from the left, centred vertically, clipped to the cell;
  // section names bold italic.
  void writeText(QPainter &painter, const QRect &rect, const QString &value, bool sectionName,
                 platform::TColor colour);
};

// "LedPanel.ini", rows 16 pixels high.
class TLedPanelGrid : public TIniListingGrid {
  Q_OBJECT
 public:
  explicit TLedPanelGrid(ui::Component *owner);
};

// "LedUnit.ini", rows 20 pixels high.
class TLedUnitGrid : public TIniListingGrid {
  Q_OBJECT
 public:
  explicit TLedUnitGrid(ui::Component *owner);
};

}  // namespace morvit
