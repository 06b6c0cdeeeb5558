// The unit details dialog: the values of one unit's record, the marks that
// replace the power and fan texts, the temperature box, and closing.
#include <QImage>
#include <gtest/gtest.h>

#include "display_app/dialogs/led_unit_details.h"
#include "display_app/model/screen_model.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "tests/support/ui/ui_fixtures.h"

namespace morvit {
namespace {

using Details = TfrmLedUnitDetails;

class LedUnitDetailsTest : public testsupport::UiTest {
 protected:
  LedUnitDetailsTest() : demo(144) { demo.FillDemoUnits(12, 12); }

  QColor centreOf(const QImage &picture, int row) const {
    return picture.pixelColor(dialog.sgStatus->cellRect(2, row).center());
  }

  TLedPanelData demo;
  Details dialog{nullptr};
};

TEST_F(LedUnitDetailsTest, ShowsTheUnitsValues) {
  dialog.SetUnit(demo.Units[80]);
  const QStringList expect = {"80", "[X,Y] = [08,06]", "-1", "0", "80.00C", "4", "0", "0.00%"};
  QStringList values;
  for (int row = Details::rowAddress; row < Details::rowCount; ++row) values << dialog.ValueText(row);
  EXPECT_EQ(values, expect);
  EXPECT_EQ(dialog.sgStatus->cell(1, 0), QStringLiteral("Name"));
  EXPECT_EQ(dialog.sgStatus->cell(1, Details::rowFaultPercent), QStringLiteral("Fault Pixel Percent"));
  EXPECT_EQ(dialog.sgStatus->cell(2, 0), QStringLiteral("Value"));
  EXPECT_EQ(dialog.ValueText(-1), QString());
  EXPECT_EQ(dialog.ValueText(Details::rowCount), QString());

  LedUnitState negative;
  negative.Col = -1;
  negative.FaultPixelPercent = 12.345;
  negative.FaultPixelCount = 65535;
  dialog.SetUnit(negative);
  EXPECT_EQ(dialog.ValueText(Details::rowPosition), QStringLiteral("[X,Y] = [-01,00]"));
  EXPECT_EQ(dialog.ValueText(Details::rowFaultCount), QStringLiteral("65535"));
  EXPECT_EQ(dialog.ValueText(Details::rowFaultPercent), QStringLiteral("12.35%"));
}

TEST_F(LedUnitDetailsTest, MarksShowPowerAndFan) {
  const QColor green(0, 255, 0), red(255, 0, 0), black(0, 0, 0);
  struct Case {
    int unit;
    QColor power, fan;
  } cases[] = {{80, green, red}, {1, black, red}, {0, green, green}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.unit);
    dialog.SetUnit(demo.Units[static_cast<size_t>(c.unit)]);
    const QImage picture = dialog.sgStatus->grab().toImage();
    EXPECT_EQ(centreOf(picture, Details::rowPower), c.power);
    EXPECT_EQ(centreOf(picture, Details::rowFan), c.fan);
  }
}

TEST_F(LedUnitDetailsTest, TemperatureBoxTurnsRedAtEighty) {
  struct Case {
    double temperature;
    QColor box;
  } cases[] = {{80.0, QColor(255, 0, 0)}, {79.99, QColor(0, 255, 0)}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.temperature);
    LedUnitState unit;
    unit.Temperature = c.temperature;
    dialog.SetUnit(unit);
    const QImage picture = dialog.sgStatus->grab().toImage();
    const QRect cell = dialog.sgStatus->cellRect(2, Details::rowTemperature);
    // Inside the box, left of the text, and white text on it.
    const QFontMetrics metrics(dialog.sgStatus->font());
    const int boxWidth = metrics.horizontalAdvance(dialog.ValueText(Details::rowTemperature)) + 6;
    const int boxLeft = cell.left() + (cell.width() - boxWidth) / 2;
    EXPECT_EQ(picture.pixelColor(boxLeft + 2, cell.center().y()), c.box);
    EXPECT_EQ(picture.pixelColor(boxLeft - 2, cell.center().y()), QColor(192, 220, 192));
    bool whiteText = false;
    for (int x = boxLeft; x < boxLeft + boxWidth; ++x) {
      for (int y = cell.top(); y <= cell.bottom(); ++y) {
        const QColor p = picture.pixelColor(x, y);
        whiteText = whiteText || (p.red() > 220 && p.green() > 220 && p.blue() > 220);
      }
    }
    EXPECT_TRUE(whiteText);
  }
}

TEST_F(LedUnitDetailsTest, CloseGivesOkInABlueGlassFrame) {
  EXPECT_EQ(dialog.kwoForm->uiStyle(), kwo::TkwoUIStyle::BlueGlass);
  EXPECT_EQ(dialog.clientWidth(), 488);
  EXPECT_EQ(dialog.clientHeight(), 369);
  EXPECT_EQ(dialog.btnOK->caption(), QStringLiteral("Close"));
  dialog.btnOK->click();
  EXPECT_EQ(dialog.modalResult(), ui::mrOk);
}

// Its one button closes it from the keyboard too.
TEST_F(LedUnitDetailsTest, EnterAndEscapeClose) {
  dialog.show();
  for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
    dialog.setModalResult(ui::mrNone);
    testsupport::pressKey(&dialog, key);
    EXPECT_EQ(dialog.modalResult(), ui::mrOk) << key;
  }
}

}  // namespace
}  // namespace morvit
