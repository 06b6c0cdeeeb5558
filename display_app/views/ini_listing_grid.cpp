#include "display_app/views/ini_listing_grid.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <limits>

#include "display_app/model/ini_listing.h"
#include "platform/app_dir.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "platform/ui/color.h"

namespace morvit {
namespace {

constexpr platform::TColor kGridGrey = platform::RGB(128, 128, 128);
constexpr platform::TColor kOddRowGrey = platform::RGB(120, 120, 120);
constexpr platform::TColor kFixedBlue = platform::RGB(68, 74, 160);
constexpr platform::TColor kSectionBack = platform::RGB(0, 96, 96);
constexpr platform::TColor kHeaderText = platform::RGB(184, 0, 0);

constexpr int kNameCol = 1;
constexpr int kValueCol = 2;

}  // namespace

TIniListingGrid::TIniListingGrid(ui::Component *owner, const char *fileName, int rowHeight)
    : kwo::TkwoStringGrid(owner) {
  setAlign(ui::Align::Client);
  setCaption(QString());
  setFontColor(platform::clWhite);
  setBounds(0, 0, 100, 60);

  setColor(kGridGrey);
  setFixedBGColor(kFixedBlue);
  setBorderColor(platform::clBlack);
  setBGColor(kGridGrey);
  setFocusedColor(kGridGrey);
  setSelectedColor(kGridGrey);

  setDefaultColWidth(96);
  setDefaultRowHeight(rowHeight);
  setOptions(options() | ui::goRowSizing | ui::goColSizing | ui::goRowSelect);

  loadListing(fileName);
}

void TIniListingGrid::loadListing(const char *fileName) {
  const std::string path = platform::ResolveConfigFile(platform::ExecutableDir(), fileName);
  platform::Result<platform::IniFile> file = platform::IniFile::Load(path);
  const std::vector<IniListingRow> rows = BuildIniListing(file ? file.value() : platform::IniFile());
  // The grid keeps its row count in an int.
  const size_t count = std::min<size_t>(rows.size(), static_cast<size_t>(std::numeric_limits<int>::max()));

  setColCount(3);
  setRowCount(static_cast<int>(count));
  setColWidth(0, 16);
  setColWidth(kNameCol, 144);
  setColWidth(kValueCol, 48);
  for (size_t r = 0; r < count; ++r) {
    setCell(kNameCol, static_cast<int>(r), QString::fromStdString(rows[r].name));
    setCell(kValueCol, static_cast<int>(r), QString::fromStdString(rows[r].value));
  }
}

bool TIniListingGrid::isSectionRow(int row) const {
  return cell(kValueCol, row) == QLatin1String(kIniSectionMarker);
}

void TIniListingGrid::drawCell(QPainter &painter, int col, int row, const QRect &rect,
                               const ui::GridDrawState &state) {
  // What the grid itself would have put there.
  platform::TColor back = color();
  platform::TColor text = controlFont().color;
  if (state.fixed) {
    back = fixedColor();
  } else if (state.selected) {
    back = platform::clHighlight;
    text = platform::clHighlightText;
  }

  const bool listed = col == kNameCol || col == kValueCol;
  const bool section = row > 0 && isSectionRow(row);
  if (row == 0) {
    text = kHeaderText;
  } else if (listed && section) {
    back = kSectionBack;
  } else if (listed && row != this->row()) {
    back = (row % 2 != 0) ? kOddRowGrey : kGridGrey;
  }

  const QColor fill = ui::toQColor(back);
  if (fill.isValid()) painter.fillRect(rect, fill);

  const QString value = cell(col, row);
  if (value != QLatin1String(kIniSectionMarker)) writeText(painter, rect, value, section && col == kNameCol, text);
  fireDrawCell(painter, col, row, rect, state);
}

void TIniListingGrid::writeText(QPainter &painter, const QRect &rect, const QString &value, bool sectionName,
                                platform::TColor colour) {
  QFont f = font();
  f.setBold(sectionName);
  f.setItalic(sectionName);
  const QFontMetrics metrics(f);
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.setFont(f);
  painter.setPen(ui::toQColor(colour));
  const int top = rect.top() + (rect.height() - metrics.height()) / 2;
  painter.drawText(QPoint(rect.left() + 1, top + metrics.ascent()), value);
  painter.restore();
}

TLedPanelGrid::TLedPanelGrid(ui::Component *owner) : TIniListingGrid(owner, "LedPanel.ini", 16) {}

TLedUnitGrid::TLedUnitGrid(ui::Component *owner) : TIniListingGrid(owner, "LedUnit.ini", 20) {}

}  // namespace morvit
