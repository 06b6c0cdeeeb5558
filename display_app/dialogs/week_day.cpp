#include "display_app/dialogs/week_day.h"

#include <QTime>

#include "display_app/dialogs/dialog_parts.h"
#include "platform/ui/component.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_page_control.h"
#include "skin_toolkit/frames/kwo_form.h"

namespace morvit {
namespace {

constexpr const char *kDayNames[TfrmWeekDay::kDays] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Satuday"};
const QString kTimeFormat = QStringLiteral("HH '时'mm '分'");

QString ControlName(const char *prefix, int day, int period) {
  return QStringLiteral("%1%2%3").arg(QLatin1String(prefix)).arg(day).arg(period);
}

template <class T>
T *FindNamed(const ui::Component &owner, const QString &name) {
  for (ui::Component *c : owner.components()) {
    if (c->name() == name) return dynamic_cast<T *>(c);
  }
  return nullptr;
}

QTime ToQTime(PlanTime t) { return QTime(t.Hour, t.Minute); }

PlanTime FromQTime(const QTime &t) {
  if (!t.isValid()) return {};
  return PlanTime{static_cast<uint8_t>(t.hour()), static_cast<uint8_t>(t.minute())};
}

bool InTable(int day, int period) {
  return day >= 0 && day < TfrmWeekDay::kDays && period >= 1 && period <= TfrmWeekDay::kPeriods;
}

}  // namespace

TfrmWeekDay::TfrmWeekDay(ui::Component *owner) : ui::Form(owner) {
  {
    ui::LoadingGuard loading(*this);
    kwoForm = dialogs::makeDialogFrame(*this, QStringLiteral("Plan Settings"), 400, 214);

    pcWeek = new kwo::TkwoPageControl(this);
    pcWeek->setParentControl(kwoForm);
    dialogs::place(*pcWeek, *kwoForm, 8, 8, 384, 160);
    for (int d = 0; d < kDays; ++d) {
      auto *sheet = new kwo::TkwoTabSheet(this);
      sheet->setName(QStringLiteral("ts%1").arg(d));
      sheet->setPageControl(pcWeek);
      sheet->setCaption(QLatin1String(kDayNames[d]));
      sheet->setEnabled(false);
      sheet->OnShow = [this, sheet](ui::Control *) { tsShow(sheet); };
      sheets_[static_cast<size_t>(d)] = sheet;
      for (int p = 1; p <= kPeriods; ++p) {
        const int top = 10 + 30 * (p - 1);
        auto *box = new kwo::TkwoCheckBox(this);
        box->setName(ControlName("chbEn", d, p));
        box->setParentControl(sheet);
        box->setCaption(QStringLiteral("启用"));
        box->setBounds(12, top + 2, 60, 18);
        box->OnClick = [this](ui::Control *sender) { chbEnClick(sender); };

        // A time picker and its caption after it.
        auto timeRow = [&](const char *picker, const char *label, const QString &caption, int left) {
          auto *time = new ui::TimePicker(this);
          time->setName(ControlName(picker, d, p));
          time->setParentControl(sheet);
          time->setFormat(kTimeFormat);
          time->setBounds(left, top, 96, 22);
          auto *text = new ui::Label(this);
          text->setName(ControlName(label, d, p));
          text->setParentControl(sheet);
          text->setCaption(caption);
          text->setBounds(left + 100, top + 3, 30, 16);
        };
        timeRow("dtpOn", "lOn", QStringLiteral("开启"), 80);
        timeRow("dtpOff", "lOff", QStringLiteral("关闭"), 220);
      }
    }
    const int buttonTop = dialogs::contentTop(*kwoForm) + 178;
    btnOK = dialogs::makeButton(*this, *kwoForm, QStringLiteral("OK"), 110, buttonTop);
    btnCancel = dialogs::makeButton(*this, *kwoForm, QStringLiteral("Cancel"), 217, buttonTop);
    btnOK->OnClick = [this](ui::Control *) { BtnOKClick(); };
    btnCancel->OnClick = [this](ui::Control *) { BtnCancelClick(); };
    setDefaultControl(btnOK);
    setCancelControl(btnCancel);
  }
  OnCreate = [this](ui::Form *) { FormCreate(); };
  doCreate();
}

TfrmWeekDay::~TfrmWeekDay() { beginDestroy(); }

void TfrmWeekDay::FormCreate() {
  centerOnScreen();
  BindPlanControls();
}

void TfrmWeekDay::BindPlanControls() {
  for (int d = 0; d < kDays; ++d) {
    for (int p = 1; p <= kPeriods; ++p) {
      const auto di = static_cast<size_t>(d);
      const auto pi = static_cast<size_t>(p - 1);
      chbEn_[di][pi] = FindNamed<kwo::TkwoCheckBox>(*this, ControlName("chbEn", d, p));
      dtpOn_[di][pi] = FindNamed<ui::TimePicker>(*this, ControlName("dtpOn", d, p));
      dtpOff_[di][pi] = FindNamed<ui::TimePicker>(*this, ControlName("dtpOff", d, p));
      lOn_[di][pi] = FindNamed<ui::Label>(*this, ControlName("lOn", d, p));
      lOff_[di][pi] = FindNamed<ui::Label>(*this, ControlName("lOff", d, p));
    }
  }
}

kwo::TkwoCheckBox *TfrmWeekDay::enableBox(int day, int period) const {
  return InTable(day, period) ? chbEn_[static_cast<size_t>(day)][static_cast<size_t>(period - 1)] : nullptr;
}
ui::TimePicker *TfrmWeekDay::onPicker(int day, int period) const {
  return InTable(day, period) ? dtpOn_[static_cast<size_t>(day)][static_cast<size_t>(period - 1)] : nullptr;
}
ui::TimePicker *TfrmWeekDay::offPicker(int day, int period) const {
  return InTable(day, period) ? dtpOff_[static_cast<size_t>(day)][static_cast<size_t>(period - 1)] : nullptr;
}
ui::Label *TfrmWeekDay::onLabel(int day, int period) const {
  return InTable(day, period) ? lOn_[static_cast<size_t>(day)][static_cast<size_t>(period - 1)] : nullptr;
}
ui::Label *TfrmWeekDay::offLabel(int day, int period) const {
  return InTable(day, period) ? lOff_[static_cast<size_t>(day)][static_cast<size_t>(period - 1)] : nullptr;
}
kwo::TkwoTabSheet *TfrmWeekDay::page(int day) const {
  return day >= 0 && day < kDays ? sheets_[static_cast<size_t>(day)] : nullptr;
}

void TfrmWeekDay::UpdatePeriodControls(kwo::TkwoCheckBox *box) {
  if (box == nullptr) return;
  for (int d = 0; d < kDays; ++d) {
    for (int p = 1; p <= kPeriods; ++p) {
      if (enableBox(d, p) != box) continue;
      const bool on = box->checked();
      for (ui::Control *c : std::initializer_list<ui::Control *>{onPicker(d, p), offPicker(d, p), onLabel(d, p),
                                                                 offLabel(d, p)}) {
        if (c != nullptr) c->setEnabled(on);
      }
      return;
    }
  }
}

void TfrmWeekDay::chbEnClick(ui::Control *sender) { UpdatePeriodControls(dynamic_cast<kwo::TkwoCheckBox *>(sender)); }

void TfrmWeekDay::tsShow(kwo::TkwoTabSheet *sheet) {
  if (sheet != nullptr) sheet->setEnabled(true);
}

void TfrmWeekDay::fill(const WeekPlan &plan) {
  for (int d = 0; d < kDays; ++d) {
    for (int p = 1; p <= kPeriods; ++p) {
      if (auto *box = enableBox(d, p)) box->setChecked(plan.enabled(d, p - 1));
      if (auto *on = onPicker(d, p)) on->setTime(ToQTime(plan.onTime(d, p - 1)));
      if (auto *off = offPicker(d, p)) off->setTime(ToQTime(plan.offTime(d, p - 1)));
    }
  }
  pcWeek->activatePageIndex(0);
  for (int d = 0; d < kDays; ++d) {
    for (int p = 1; p <= kPeriods; ++p) UpdatePeriodControls(enableBox(d, p));
  }
}

WeekPlan TfrmWeekDay::plan() const {
  WeekPlan plan;
  for (int d = 0; d < kDays; ++d) {
    for (int p = 1; p <= kPeriods; ++p) {
      if (auto *box = enableBox(d, p)) plan.setEnabled(d, p - 1, box->checked());
      if (auto *on = onPicker(d, p)) plan.setOnTime(d, p - 1, FromQTime(on->time()));
      if (auto *off = offPicker(d, p)) plan.setOffTime(d, p - 1, FromQTime(off->time()));
    }
  }
  return plan;
}

void TfrmWeekDay::BtnOKClick() { setModalResult(ui::mrOk); }

void TfrmWeekDay::BtnCancelClick() { setModalResult(ui::mrCancel); }

}  // namespace morvit
