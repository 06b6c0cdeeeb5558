// The skinned string grid: its colours by look, the cell colours by state,
// the frame, and a subclass taking over the cell drawing.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/color.h"
#include "skin_toolkit/controls/kwo_string_grid.h"
#include "skin_toolkit/gallery/skin_file_builder.h"
#include "skin_toolkit/themes/file_theme.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using testsupport::UiTest;

class StringGridTest : public UiTest {};

QColor rgb(platform::TColor c) { return ui::toQColor(c); }

TEST_F(StringGridTest, LooksColourTheGrid) {
  const struct {
    TkwoUIStyle style;
    QColor border, fixed, background, fixedFont, font;
  } cases[] = {
      {TkwoUIStyle::DeepBlue, {0, 0, 0}, {68, 74, 160}, {232, 232, 232}, {255, 255, 255}, {0, 0, 0}},
      {TkwoUIStyle::BlueGlass, rgb(GetBuiltInThemeColor(TkwoUIStyle::BlueGlass, tiControlBorderColor)),
       {94, 94, 236}, rgb(GetBuiltInThemeColor(TkwoUIStyle::BlueGlass, tiControlBackgroundColor)),
       rgb(GetBuiltInThemeColor(TkwoUIStyle::BlueGlass, tiMenuSelectedFontColor)), {}},
      {TkwoUIStyle::MacOS, rgb(GetBuiltInThemeColor(TkwoUIStyle::MacOS, tiControlBorderColor)),
       rgb(GetBuiltInThemeColor(TkwoUIStyle::MacOS, tiMenuSelectedBackgroundColor)),
       rgb(GetBuiltInThemeColor(TkwoUIStyle::MacOS, tiControlBackgroundColor)),
       rgb(GetBuiltInThemeColor(TkwoUIStyle::MacOS, tiMenuSelectedFontColor)), {}},
      {TkwoUIStyle::WinXP, rgb(GetBuiltInThemeColor(TkwoUIStyle::WinXP, tiControlBorderColor)),
       rgb(GetBuiltInThemeColor(TkwoUIStyle::WinXP, tiMenuSelectedBackgroundColor)),
       rgb(GetBuiltInThemeColor(TkwoUIStyle::WinXP, tiControlBackgroundColor)),
       rgb(GetBuiltInThemeColor(TkwoUIStyle::WinXP, tiMenuSelectedFontColor)), {}},
      {TkwoUIStyle::Protein, rgb(GetBuiltInThemeColor(TkwoUIStyle::Protein, tiControlBorderColor)),
       rgb(GetBuiltInThemeColor(TkwoUIStyle::Protein, tiMenuSelectedBackgroundColor)),
       rgb(GetBuiltInThemeColor(TkwoUIStyle::Protein, tiControlBackgroundColor)),
       rgb(GetBuiltInThemeColor(TkwoUIStyle::Protein, tiMenuSelectedFontColor)), {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    TkwoStringGrid grid(nullptr);
    grid.setUIStyle(c.style);
    EXPECT_EQ(rgb(grid.borderColor()), c.border);
    EXPECT_EQ(rgb(grid.fixedBGColor()), c.fixed);
    EXPECT_EQ(rgb(grid.bgColor()), c.background);
    EXPECT_EQ(rgb(grid.fixedFontColor()), c.fixedFont);
    if (c.font.isValid()) {
      EXPECT_EQ(rgb(grid.fontColor()), c.font);
    } else {
      const platform::TColor menuFont = GetBuiltInThemeColor(c.style, tiMenuFontColor);
      if (menuFont != platform::clWhite) {
        EXPECT_EQ(grid.fontColor(), menuFont);
      }
    }
    // White text is never kept: it would vanish on the light cells.
    EXPECT_NE(grid.fontColor(), platform::clWhite);
    EXPECT_EQ(grid.focusedColor(), platform::RGB(0, 255, 0));
    EXPECT_EQ(grid.selectedColor(), platform::RGB(255, 255, 0));
    EXPECT_FALSE(grid.ctl3D());
  }
}

// Draws single cells into a picture, in a chosen state.
class CellProbe : public TkwoStringGrid {
 public:
  using TkwoStringGrid::TkwoStringGrid;
  QColor cellColour(const ui::GridDrawState &state) {
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    drawCell(painter, 1, 1, QRect(0, 0, 40, 20), state);
    painter.end();
    return image.pixelColor(30, 15);
  }
};

TEST_F(StringGridTest, CellStatesPickTheirColoursFocusedWinning) {
  CellProbe grid(nullptr);
  grid.setUIStyle(TkwoUIStyle::DeepBlue);
  grid.setSelectedColor(platform::RGB(1, 2, 3));
  grid.setFocusedColor(platform::RGB(4, 5, 6));
  const struct {
    ui::GridDrawState state;
    QColor fill;
  } cases[] = {
      {{false, false, false}, {232, 232, 232}},
      {{true, false, false}, {1, 2, 3}},
      {{false, true, false}, {4, 5, 6}},
      {{true, true, false}, {4, 5, 6}},
      {{true, true, true}, {68, 74, 160}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.state.selected << c.state.focused << c.state.fixed);
    EXPECT_EQ(grid.cellColour(c.state), c.fill);
  }
  // Without default drawing the cell is left to OnDrawCell.
  grid.setDefaultDrawing(false);
  int hooked = 0;
  grid.OnDrawCell = [&](ui::StringGrid *, int, int, const QRect &, const ui::GridDrawState &, QPainter &) {
    ++hooked;
  };
  EXPECT_EQ(grid.cellColour({}), QColor(Qt::magenta));
  EXPECT_EQ(hooked, 1);
}

class BlueCells : public TkwoStringGrid {
 public:
  using TkwoStringGrid::TkwoStringGrid;
  // Where the top-left cell was last drawn.
  QRect firstCell;

 protected:
  void drawCell(QPainter &painter, int col, int row, const QRect &rect, const ui::GridDrawState &) override {
    if (col == 0 && row == 0) firstCell = rect;
    painter.fillRect(rect, Qt::blue);
  }
};

TEST_F(StringGridTest, FrameSurroundsTheGridAndASubclassDrawsEveryCell) {
  BlueCells grid(nullptr);
  grid.setUIStyle(TkwoUIStyle::DeepBlue);
  grid.setBorderColor(platform::RGB(200, 0, 0));
  grid.setScrollBars(ui::GridScrollBars::None);
  grid.setColCount(2);
  grid.setRowCount(2);
  grid.setBounds(0, 0, 120, 60);
  grid.setCell(0, 0, "text");
  const QImage image = grid.grab().toImage();
  for (QPoint p : {QPoint(0, 0), QPoint(119, 0), QPoint(0, 59), QPoint(119, 59), QPoint(60, 0), QPoint(0, 30)}) {
    EXPECT_EQ(image.pixelColor(p), QColor(200, 0, 0)) << p.x() << "," << p.y();
  }
  // The fixed cell and the normal one both come from the subclass.
  EXPECT_EQ(image.pixelColor(30, 12), QColor(Qt::blue));
  EXPECT_EQ(image.pixelColor(90, 40), QColor(Qt::blue));
  // The frame has a margin of its own: the cells start inside it.
  EXPECT_EQ(grid.firstCell.topLeft(), QPoint(1, 1));
  EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::blue));
}

// A cell's pixels next to the same cell filled and written once by hand.
bool cellShowsTextOnce(TkwoStringGrid &grid, int col, int row, platform::TColor back, platform::TColor text) {
  const QRect cell = grid.cellRect(col, row);
  const QImage shot = grid.grab().toImage().copy(cell);
  QImage expect(cell.size(), QImage::Format_RGB32);
  QPainter painter(&expect);
  const QRect local(QPoint(0, 0), cell.size());
  painter.fillRect(local, ui::toQColor(back));
  painter.setPen(ui::toQColor(text));
  painter.setFont(grid.font());
  painter.drawText(local.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   grid.cell(col, row));
  painter.end();
  return shot.convertToFormat(QImage::Format_RGB32) == expect;
}

TEST_F(StringGridTest, FixedAndNormalCellsWriteTheirTextOnceInTheirColours) {
  TkwoStringGrid grid(nullptr);
  grid.setUIStyle(TkwoUIStyle::DeepBlue);
  grid.setScrollBars(ui::GridScrollBars::None);
  grid.setBounds(0, 0, 200, 120);
  grid.setCell(0, 0, QStringLiteral("Head"));
  grid.setCell(2, 2, QStringLiteral("Body"));
  // A second pass over the text would thicken its smoothed edges.
  EXPECT_TRUE(cellShowsTextOnce(grid, 0, 0, grid.fixedBGColor(), grid.fixedFontColor()));
  EXPECT_TRUE(cellShowsTextOnce(grid, 2, 2, grid.bgColor(), grid.fontColor()));
  // The selected cell: its own colour, and the text as the grid writes a
  // selected cell's.
  grid.setDrawFocusSelected(true);
  grid.setCell(1, 1, QStringLiteral("Pick"));
  EXPECT_TRUE(cellShowsTextOnce(grid, 1, 1, grid.selectedColor(), platform::clHighlightText));
}

TEST_F(StringGridTest, SkinWithWhiteMenuTextGivesBlackCellText) {
  testsupport::TempAppDir dir;
  // The skin's own entry comes first; the rest is the DeepBlue look.
  testsupport::SkinFileBuilder skin;
  skin.addInt(ThemeItemName(tiMenuFontColor), platform::clWhite);
  skin.addInt(ThemeItemName(tiControlBackgroundColor), platform::RGB(250, 250, 250));
  testsupport::SkinFileBuilder base = testsupport::SkinFileBuilder::fromBuiltIn(TkwoUIStyle::DeepBlue);
  for (const auto &entry : base.entries()) skin.addRaw(entry);
  skin.writeTo(dir / "white.kwo");
  auto theme = std::make_unique<TkwoFileTheme>(nullptr);
  theme->setThemeFile(QString::fromStdString((dir / "white.kwo").string()));
  ASSERT_TRUE(theme->isLoaded());

  TkwoStringGrid grid(nullptr);
  grid.setFileTheme(theme.get());
  grid.setUIStyle(TkwoUIStyle::FromThemeFile);
  EXPECT_EQ(grid.bgColor(), platform::RGB(250, 250, 250)) << "the skin is in use";
  EXPECT_EQ(grid.fontColor(), platform::clBlack);
  grid.setScrollBars(ui::GridScrollBars::None);
  grid.setBounds(0, 0, 200, 120);
  grid.setCell(1, 2, QStringLiteral("WWWW"));
  EXPECT_TRUE(cellShowsTextOnce(grid, 1, 2, grid.bgColor(), platform::clBlack));

  // The skin going away leaves the DeepBlue look.
  theme.reset();
  EXPECT_EQ(grid.fileTheme(), nullptr);
  EXPECT_EQ(grid.uiStyle(), TkwoUIStyle::DeepBlue);
  EXPECT_EQ(grid.bgColor(), GetBuiltInThemeColor(TkwoUIStyle::DeepBlue, tiControlBackgroundColor));
}

}  // namespace
}  // namespace kwo
