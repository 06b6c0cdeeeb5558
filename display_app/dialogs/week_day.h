#pragma once
// The weekly plan dialog: one page per day (Sunday first), each with four
// periods of an enable box, an on time and an off time. OK gives 1, Cancel
// and the close box 2.
#include <array>

#include "display_app/model/week_plan.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/time_picker.h"

namespace kwo {
class TImageButton;
class TkwoCheckBox;
class TkwoForm;
class TkwoPageControl;
class TkwoTabSheet;
}  // namespace kwo

namespace morvit {

class TfrmWeekDay : public ui::Form {
  Q_OBJECT
 public:
  static constexpr int kDays = 7;
  static constexpr int kPeriods = 4;

  explicit TfrmWeekDay(ui::Component *owner);
  ~TfrmWeekDay() override;

  // The caller's part: every box and picker from the plan, the first page
  // shown, each period's controls enabled as its box.
  void fill(const WeekPlan &plan);
  // The boxes and pickers as a plan.
  WeekPlan plan() const;

  // The period controls of day d (0 = Sunday) and period p (1..4); null
  // outside.
  kwo::TkwoCheckBox *enableBox(int day, int period) const;
  ui::TimePicker *onPicker(int day, int period) const;
  ui::TimePicker *offPicker(int day, int period) const;
  ui::Label *onLabel(int day, int period) const;
  ui::Label *offLabel(int day, int period) const;
  kwo::TkwoTabSheet *page(int day) const;

  kwo::TkwoForm *kwoForm = nullptr;
  kwo::TkwoPageControl *pcWeek = nullptr;
  kwo::TImageButton *btnOK = nullptr;
  kwo::TImageButton *btnCancel = nullptr;

  // The controls of a box's day and period follow the box.
  void UpdatePeriodControls(kwo::TkwoCheckBox *box);

 private:
  void FormCreate();
  void BindPlanControls();
  void chbEnClick(ui::Control *sender);
  void tsShow(kwo::TkwoTabSheet *sheet);
  void BtnOKClick();
  void BtnCancelClick();

  template <class T>
  using Table = std::array<std::array<T *, kPeriods>, kDays>;
  std::array<kwo::TkwoTabSheet *, kDays> sheets_{};
  Table<kwo::TkwoCheckBox> chbEn_{};
  Table<ui::TimePicker> dtpOn_{};
  Table<ui::TimePicker> dtpOff_{};
  Table<ui::Label> lOn_{};
  Table<ui::Label> lOff_{};
};

}  // namespace morvit
