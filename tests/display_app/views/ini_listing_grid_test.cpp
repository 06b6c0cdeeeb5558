// The INI listing grids: the file beside the executable read once when the
// grid is made, its rows, and how the rows are coloured and written.
#include <QImage>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "display_app/model/globals.h"
#include "display_app/test_seams.h"
#include "display_app/views/ini_listing_grid.h"
#include "display_app/views/main_window.h"
#include "display_app/views/monitor_view.h"
#include "platform/ui/color.h"
#include "platform/ui/menu.h"
#include "tests/support/test_link_services.h"
#include "tests/support/ui/ui_fixtures.h"

namespace morvit {
namespace {

QStringList column(const ui::StringGrid &grid, int col) {
  QStringList texts;
  for (int r = 0; r < grid.rowCount(); ++r) texts << grid.cell(col, r);
  return texts;
}

// Every pixel of the cell, less its outer pixel, that differs from colour.
int pixelsOtherThan(const QImage &picture, const QRect &cell, const QColor &colour) {
  int other = 0;
  for (int y = cell.top() + 1; y < cell.bottom(); ++y) {
    for (int x = cell.left() + 1; x < cell.right(); ++x) other += picture.pixelColor(x, y) != colour ? 1 : 0;
  }
  return other;
}

bool hasPixel(const QImage &picture, const QRect &cell, const QColor &colour) {
  return pixelsOtherThan(picture, cell, colour) < (cell.width() - 2) * (cell.height() - 2);
}

class IniListingGridTest : public testsupport::UiTest {
 protected:
  std::unique_ptr<TLedPanelGrid> panelGrid() {
    auto grid = std::make_unique<TLedPanelGrid>(nullptr);
    grid->setBounds(0, 0, 260, 160);
    return grid;
  }
  testsupport::TempAppDir dir;
};

TEST_F(IniListingGridTest, ListsTheFileBesideTheExecutable) {
  struct Case {
    const char *what;
    std::string fileName;
    std::string bytes;
    QStringList names;
    QStringList values;
  } cases[] = {
      {"sections with and without keys", "LedPanel.ini", "[A]\r\nx=1\r\ny=\r\n[B]\r\n",
       {"Name", "A", "x", "y", "B"}, {"Value", "###", "1", "", "###"}},
      {"found ignoring case, keys in file order", "ledpanel.ini", "[S]\nz=2\na=1\n",
       {"Name", "S", "z", "a"}, {"Value", "###", "2", "1"}},
      {"decoded from code page 936", "LEDPANEL.INI", "[S]\n\xB7\xE7\xC9\xC8=1\n",
       {"Name", "S", QStringLiteral("风扇")}, {"Value", "###", "1"}},
      {"no file: the header and a spare row", "", "", {"Name", ""}, {"Value", ""}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::TempAppDir caseDir;
    if (!c.fileName.empty()) caseDir.writeFile(c.fileName, c.bytes);
    const auto grid = panelGrid();
    EXPECT_EQ(grid->colCount(), 3);
    EXPECT_EQ(column(*grid, 1), c.names);
    EXPECT_EQ(column(*grid, 2), c.values);
    EXPECT_EQ(column(*grid, 0), QStringList(c.names.size(), QString()));
  }
}

TEST_F(IniListingGridTest, EachGridReadsItsOwnFileWithItsRowHeight) {
  dir.writeFile("LedPanel.ini", "[Panel]\nw=8\n");
  dir.writeFile("LedUnit.ini", "[Unit]\nh=6\n");
  TLedPanelGrid panel(nullptr);
  TLedUnitGrid unit(nullptr);
  EXPECT_EQ(panel.cell(1, 1), QStringLiteral("Panel"));
  EXPECT_EQ(unit.cell(1, 1), QStringLiteral("Unit"));
  EXPECT_EQ(panel.rowHeight(1), 16);
  EXPECT_EQ(unit.rowHeight(1), 20);
  for (const ui::StringGrid *g : {static_cast<ui::StringGrid *>(&panel), static_cast<ui::StringGrid *>(&unit)}) {
    EXPECT_EQ(g->colWidth(0), 16);
    EXPECT_EQ(g->colWidth(1), 144);
    EXPECT_EQ(g->colWidth(2), 48);
    EXPECT_EQ(g->options() & (ui::goRowSizing | ui::goColSizing | ui::goRowSelect),
              ui::goRowSizing | ui::goColSizing | ui::goRowSelect);
  }
}

TEST_F(IniListingGridTest, RowsAreColouredBySectionParityAndSelection) {
  // Rows: 1 [A], 2 x, 3 y, 4 k=### (section-styled), 5 z.
  dir.writeFile("LedPanel.ini", "[A]\nx=1\ny=2\nk=###\nz=3\n");
  const auto grid = panelGrid();
  grid->setRow(2);
  const QImage picture = grid->grab().toImage();
  const auto valueCell = [&](int row) { return grid->cellRect(2, row); };

  const QColor section(0, 96, 96);
  // Marker cells are filled and nothing is written in them.
  EXPECT_EQ(pixelsOtherThan(picture, valueCell(1), section), 0);
  EXPECT_EQ(pixelsOtherThan(picture, valueCell(4), section), 0);
  // The section name is written (bold italic) over the section colour.
  EXPECT_GT(pixelsOtherThan(picture, grid->cellRect(1, 1), section), 0);
  EXPECT_EQ(picture.pixelColor(grid->cellRect(1, 1).right() - 2, grid->cellRect(1, 1).center().y()), section);

  // The selected row keeps the highlight; the others alternate by parity.
  const QRect selected = valueCell(2);
  EXPECT_EQ(picture.pixelColor(selected.right() - 2, selected.center().y()), ui::toQColor(platform::clHighlight));
  EXPECT_EQ(picture.pixelColor(valueCell(3).right() - 2, valueCell(3).center().y()), QColor(120, 120, 120));
  EXPECT_EQ(picture.pixelColor(valueCell(5).right() - 2, valueCell(5).center().y()), QColor(120, 120, 120));

  // The header is written in dark red on the fixed colour.
  EXPECT_TRUE(hasPixel(picture, grid->cellRect(1, 0), QColor(184, 0, 0)));
  EXPECT_EQ(picture.pixelColor(grid->cellRect(1, 0).right() - 2, grid->cellRect(1, 0).center().y()),
            QColor(68, 74, 160));

  // A section row stays in its colour when it is the selected one.
  grid->setRow(1);
  const QImage again = grid->grab().toImage();
  EXPECT_EQ(pixelsOtherThan(again, valueCell(1), section), 0);
  EXPECT_EQ(again.pixelColor(valueCell(2).right() - 2, valueCell(2).center().y()), QColor(128, 128, 128));
}

TEST_F(IniListingGridTest, EveryLoadProjectReadsTheFilesAgain) {
  resetGlobalsForTests();
  dir.writeFile("LedUnit.ini", "[First]\n");
  std::unique_ptr<TfrmMain> window = createMainWindow(testsupport::LocalLinkServices());
  ASSERT_NE(window, nullptr);
  window->mnLoad->click();
  ASSERT_NE(window->monitorView(), nullptr);
  EXPECT_EQ(window->monitorView()->ledUnitGrid()->cell(1, 1), QStringLiteral("First"));

  dir.writeFile("LedUnit.ini", "[Second]\nk=v\n");
  EXPECT_EQ(window->monitorView()->ledUnitGrid()->cell(1, 1), QStringLiteral("First"));
  window->mnLoad->click();
  ASSERT_NE(window->monitorView(), nullptr);
  EXPECT_EQ(column(*window->monitorView()->ledUnitGrid(), 1), (QStringList{"Name", "Second", "k"}));
  window.reset();
  resetGlobalsForTests();
}

}  // namespace
}  // namespace morvit
