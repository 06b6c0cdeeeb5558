#pragma once
// The state of one LED unit as a small table of names and values, with marks
// for power and fan and a coloured box for the temperature. It shows a copy
// of the unit's record, so later changes of the screen model do not reach it.
#include <QString>

#include "display_app/model/screen_model.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/string_grid.h"

namespace kwo {
class TImageButton;
class TkwoForm;
}  // namespace kwo

namespace morvit {

class TfrmLedUnitDetails : public ui::Form {
  Q_OBJECT
 public:
  // The table's rows below the header.
  enum Row { rowAddress = 1, rowPosition, rowPower, rowFan, rowTemperature, rowBrightness,
             rowFaultCount, rowFaultPercent, rowCount };

  explicit TfrmLedUnitDetails(ui::Component *owner);
  ~TfrmLedUnitDetails() override;

  // Copies the record and writes its values into the table.
  void SetUnit(const LedUnitState &unit);
  const LedUnitState &unit() const { return unit_; }
  // The value column's text of a row; empty outside the table.
  QString ValueText(int row) const;

  kwo::TkwoForm *kwoForm = nullptr;
  ui::Label *lblTitle = nullptr;
  ui::StringGrid *sgStatus = nullptr;
  kwo::TImageButton *btnOK = nullptr;

 private:
  void build();
  void sgStatusDrawCell(int col, int row, const QRect &rect, QPainter &painter);
  void drawMark(QPainter &painter, const QRect &rect, bool on, platform::TColor offColour);
  void drawTemperature(QPainter &painter, const QRect &rect, const QString &text);
  void btnOKClick();

  LedUnitState unit_;
};

}  // namespace morvit
