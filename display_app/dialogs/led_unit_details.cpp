#include "display_app/dialogs/led_unit_details.h"

#include <QFontMetrics>
#include <QPainter>

#include "display_app/dialogs/dialog_parts.h"
#include "display_app/model/value_text.h"
#include "platform/ui/color.h"
#include "platform/ui/component.h"
#include "platform/ui/gdi_shapes.h"
#include "platform/ui/label.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/frames/kwo_form.h"

namespace morvit {
namespace {

constexpr int kNameCol = 1;
constexpr int kValueCol = 2;
constexpr int kClientWidth = 488;
constexpr int kClientHeight = 369;
// The units report no brightness of their own.
constexpr int kBrightness = 4;
constexpr double kHotTemperature = 80.0;
constexpr int kMarkWidth = 24;

constexpr platform::TColor kHeaderBack = platform::RGB(64, 64, 128);
constexpr platform::TColor kIndexBack = platform::RGB(64, 128, 128);
constexpr platform::TColor kOddBack = platform::RGB(192, 220, 192);
constexpr platform::TColor kEvenBack = platform::RGB(224, 252, 224);
constexpr platform::TColor kNameText = platform::RGB(96, 0, 0);
constexpr platform::TColor kOutline = platform::RGB(128, 0, 0);
constexpr platform::TColor kGreen = platform::RGB(0, 255, 0);
constexpr platform::TColor kRed = platform::RGB(255, 0, 0);

const char *const kNames[] = {"Name",        "Address",    "Position",          "Power",
                              "Fan",         "Temperature", "Brightness",       "Fault Pixel Count",
                              "Fault Pixel Percent"};
static_assert(std::size(kNames) == TfrmLedUnitDetails::rowCount);

QString boolText(bool value) { return value ? QStringLiteral("-1") : QStringLiteral("0"); }

}  // namespace

TfrmLedUnitDetails::TfrmLedUnitDetails(ui::Component *owner) : ui::Form(owner) {
  {
    ui::LoadingGuard loading(*this);
    build();
  }
  SetUnit(unit_);
  centerOnScreen();
}

void TfrmLedUnitDetails::build() {
  kwoForm = dialogs::makeDialogFrame(*this, QStringLiteral("LEDUnit Status"), kClientWidth, kClientHeight,
                                     kwo::TkwoUIStyle::BlueGlass);
  setClientHeight(kClientHeight);

  lblTitle = new ui::Label(this);
  lblTitle->setName(QStringLiteral("lblTitle"));
  lblTitle->setParentControl(kwoForm);
  lblTitle->setTransparent(true);
  lblTitle->setCaption(QStringLiteral("Unit Status"));
  dialogs::place(*lblTitle, *kwoForm, 16, 4, 200, 16);

  sgStatus = new ui::StringGrid(this);
  sgStatus->setName(QStringLiteral("sgStatus"));
  sgStatus->setParentControl(kwoForm);
  sgStatus->setEnabled(false);
  sgStatus->setScrollBars(ui::GridScrollBars::None);
  sgStatus->setDefaultColWidth(192);
  sgStatus->setDefaultRowHeight(16);
  sgStatus->setColCount(3);
  sgStatus->setRowCount(rowCount);
  sgStatus->setFixedCols(0);
  sgStatus->setFixedRows(0);
  sgStatus->setColWidth(0, 8);
  sgStatus->setTopRow(0);
  sgStatus->setLeftCol(0);
  sgStatus->setDefaultDrawing(false);
  for (int row = 0; row < rowCount; ++row) sgStatus->setCell(kNameCol, row, QString::fromLatin1(kNames[row]));
  sgStatus->setCell(kValueCol, 0, QStringLiteral("Value"));
  // Three columns and nine rows with their grid lines.
  const int gridWidth = 8 + 2 * 192 + 4;
  const int gridHeight = rowCount * 17 + 1;
  dialogs::place(*sgStatus, *kwoForm, (kClientWidth - gridWidth) / 2, 24, gridWidth, gridHeight);
  sgStatus->OnDrawCell = [this](ui::StringGrid *, int col, int row, const QRect &rect, const ui::GridDrawState &,
                                QPainter &painter) { sgStatusDrawCell(col, row, rect, painter); };

  btnOK = dialogs::makeButton(*this, *kwoForm, QStringLiteral("Close"), (kClientWidth - 73) / 2,
                              kClientHeight - 25 - 24);
  btnOK->setName(QStringLiteral("btnOK"));
  btnOK->OnClick = [this](ui::Control *) { btnOKClick(); };
  // The one button closes the dialog: Enter and Escape both press it.
  setDefaultControl(btnOK);
  setCancelControl(btnOK);
}

TfrmLedUnitDetails::~TfrmLedUnitDetails() { beginDestroy(); }

void TfrmLedUnitDetails::SetUnit(const LedUnitState &unit) {
  unit_ = unit;
  const auto cell = [this](int row, const QString &text) { sgStatus->setCell(kValueCol, row, text); };
  cell(rowAddress, QString::number(unit_.Address));
  cell(rowPosition, QString::asprintf("[X,Y] = [%.2d,%.2d]", unit_.Col, unit_.Row));
  cell(rowPower, boolText(unit_.Power));
  cell(rowFan, boolText(unit_.Fan));
  cell(rowTemperature, QString::fromStdString(formatFixed(unit_.Temperature, 2)) + QLatin1Char('C'));
  cell(rowBrightness, QString::number(kBrightness));
  cell(rowFaultCount, QString::number(unit_.FaultPixelCount));
  cell(rowFaultPercent, QString::fromStdString(formatFixed(unit_.FaultPixelPercent, 2)) + QLatin1Char('%'));
}

QString TfrmLedUnitDetails::ValueText(int row) const { return sgStatus->cell(kValueCol, row); }

void TfrmLedUnitDetails::sgStatusDrawCell(int col, int row, const QRect &rect, QPainter &painter) {
  platform::TColor back = (row % 2 != 0) ? kOddBack : kEvenBack;
  if (row == 0) {
    back = kHeaderBack;
  } else if (col == 0) {
    back = kIndexBack;
  }
  painter.fillRect(rect, ui::toQColor(back));

  const QString text = sgStatus->cell(col, row);
  platform::TColor textColour = platform::clBlack;
  if (row == 0) {
    textColour = platform::clWhite;
  } else if (col != kValueCol) {
    textColour = kNameText;
  } else if (row == rowPower) {
    drawMark(painter, rect, unit_.Power, platform::clBlack);
    return;
  } else if (row == rowFan) {
    drawMark(painter, rect, unit_.Fan, kRed);
    return;
  } else if (row == rowTemperature) {
    drawTemperature(painter, rect, text);
    return;
  }
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.setPen(ui::toQColor(textColour));
  painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, text);
  painter.restore();
}

void TfrmLedUnitDetails::drawMark(QPainter &painter, const QRect &rect, bool on, platform::TColor offColour) {
  const int inset = (rect.width() - kMarkWidth) / 2;
  const int left = rect.left() + inset;
  const int right = rect.left() + rect.width() - inset;
  painter.save();
  painter.setPen(ui::toQColor(kOutline));
  painter.setBrush(ui::toQColor(on ? kGreen : offColour));
  ui::gdiEllipse(painter, left, rect.top() + 1, right, rect.top() + rect.height() - 1);
  painter.restore();
}

void TfrmLedUnitDetails::drawTemperature(QPainter &painter, const QRect &rect, const QString &text) {
  const QFontMetrics metrics(painter.font());
  const int boxWidth = metrics.horizontalAdvance(text) + 6;
  const int left = rect.left() + (rect.width() - boxWidth) / 2;
  painter.save();
  painter.setPen(ui::toQColor(kOutline));
  painter.setBrush(ui::toQColor(unit_.Temperature >= kHotTemperature ? kRed : kGreen));
  ui::gdiRoundRect(painter, left, rect.top(), left + boxWidth, rect.top() + rect.height(), 8, 8);
  painter.setPen(ui::toQColor(platform::clWhite));
  painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, text);
  painter.restore();
}

void TfrmLedUnitDetails::btnOKClick() { setModalResult(ui::mrOk); }

}  // namespace morvit
