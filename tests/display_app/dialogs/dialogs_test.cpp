// The power management dialogs: the link settings dialog through the view's
// "通讯设置" (on a recording fake of the link library), the weekly plan
// dialog's rows and pages, the input box, and Enter and Escape in each.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "display_app/dialogs/input_dialog.h"
#include "display_app/dialogs/plc_communication_settings.h"
#include "display_app/dialogs/week_day.h"
#include "display_app/views/power_management_view.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_combo_box.h"
#include "skin_toolkit/controls/kwo_page_control.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "tests/display_app/support/window_fixture.h"
#include "tests/support/fake_plc_api.h"
#include "tests/support/test_link_services.h"
#include "tests/support/ui/ui_fixtures.h"

namespace morvit::testing {
namespace {

using testsupport::ModalScript;
using testsupport::TempAppDir;

bool SameLinks(const TPlcParmArray &a, const TPlcParmArray &b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].Addr != b[i].Addr || a[i].Name != b[i].Name || a[i].Comm != b[i].Comm ||
        a[i].ConnMode != b[i].ConnMode || a[i].IP != b[i].IP || a[i].Port != b[i].Port) {
      return false;
    }
  }
  return true;
}

// The control's own Enabled, whatever its page says.
bool OwnEnabled(const QWidget *w) { return w->isEnabledTo(w->parentWidget()); }

// The user picks a line of a combo box.
void Choose(kwo::TkwoComboBox &combo, int line) {
  combo.comboBox()->setCurrentIndex(line);
  emit combo.comboBox()->activated(line);
}

// --- link settings -------------------------------------------------------------

class LinkDialogTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    dir.writeFile("User.ini", Gbk(kThreeControllersIni));
    original = dir.readFile("User.ini");
  }

  std::unique_ptr<TfrmPLCManagement> makeView() {
    auto view = std::make_unique<TfrmPLCManagement>(nullptr, testsupport::ServicesOver(api));
    api.onNotice = [v = view.get()](uint16_t function, uint16_t result) {
      ::SendMessageA(v->handle(), tarnex_client::kPlcNoticeMessage, static_cast<WPARAM>(function | (result << 16)), 0);
    };
    view->LoadControllers();
    return view;
  }

  TempAppDir dir;
  std::string original;
  tarnex_client::testing::FakePlcApi api;
};

TEST_F(LinkDialogTest, ShowsTheChosenControllersSettings) {
  const TPlcParmArray controllers = {
      {5, "甲", 3, 0, "10.0.0.5", 7001},
      {40, "乙", 1, 1, "127.0.0.1", 6002},
  };
  TfrmPLCCommunicationSettings dialog(nullptr, controllers, 0);
  EXPECT_EQ(dialog.caption(), QStringLiteral("设置"));
  EXPECT_EQ(dialog.cmbPLC->items(), (QStringList{QStringLiteral("甲"), QStringLiteral("乙")}));
  EXPECT_EQ(dialog.cmbAddr->count(), 32);
  EXPECT_EQ(dialog.cmbAddr->text(), QStringLiteral("05"));
  EXPECT_EQ(dialog.cmbComm->text(), QStringLiteral("3"));
  EXPECT_TRUE(dialog.rbComm->checked());
  EXPECT_FALSE(dialog.rbNetwork->checked());
  EXPECT_EQ(dialog.eIP->text(), QStringLiteral("10.0.0.5"));
  EXPECT_FALSE(dialog.ePort->visible());

  // Address 40 has no line; network mode checks "Network Mode".
  Choose(*dialog.cmbPLC, 1);
  EXPECT_EQ(dialog.cmbAddr->itemIndex(), -1);
  EXPECT_TRUE(dialog.rbNetwork->checked());
  EXPECT_FALSE(dialog.rbComm->checked());
  EXPECT_EQ(dialog.eIP->text(), QStringLiteral("127.0.0.1"));
  // Showing it changed nothing.
  EXPECT_TRUE(SameLinks(dialog.controllers(), controllers));

  // The user's edits reach the working copy of the chosen controller only.
  Choose(*dialog.cmbComm, 7);
  dialog.rbComm->click();
  dialog.eIP->setText(QStringLiteral("127.0.0.9"));
  EXPECT_EQ(dialog.controllers()[1].Comm, 8);
  EXPECT_EQ(dialog.controllers()[1].ConnMode, 0);
  EXPECT_EQ(dialog.controllers()[1].IP, "127.0.0.9");
  EXPECT_EQ(dialog.controllers()[1].Addr, 40);
  EXPECT_TRUE(SameLinks({dialog.controllers()[0]}, {controllers[0]}));
}

TEST_F(LinkDialogTest, ShowingAControllerChangesNoneOfItsSettings) {
  // Link kind 2 is neither serial nor network: shown as "Network Mode", kept.
  const TPlcParmArray controllers = {{3, "甲", 40, 2, "127.0.0.1", 70000}};
  TfrmPLCCommunicationSettings dialog(nullptr, controllers, 0);
  EXPECT_TRUE(dialog.rbNetwork->checked());
  EXPECT_EQ(dialog.cmbComm->itemIndex(), -1);
  EXPECT_EQ(dialog.ePort->text(), QStringLiteral("70000"));
  EXPECT_TRUE(SameLinks(dialog.controllers(), controllers));
  // The user's choice of the same kind is a change.
  dialog.rbComm->click();
  dialog.rbNetwork->click();
  EXPECT_EQ(dialog.controllers()[0].ConnMode, 1);
}

TEST_F(LinkDialogTest, OkWritesEveryControllerAndKeepsAnAddressWithoutLine) {
  auto view = makeView();
  ASSERT_EQ(view->model().controllers().size(), 3u);
  ModalScript modal;
  modal.then([](ui::Form &form) {
    auto &dialog = dynamic_cast<TfrmPLCCommunicationSettings &>(form);
    EXPECT_EQ(dialog.cmbPLC->itemIndex(), 0);
    EXPECT_EQ(dialog.cmbAddr->text(), QStringLiteral("05"));
    Choose(*dialog.cmbPLC, 1);  // address 40: no line, left alone
    Choose(*dialog.cmbPLC, 2);
    Choose(*dialog.cmbAddr, 7);
    dialog.ImageButton1->click();
    return dialog.modalResult();
  });
  view->btnCommunicationSettingsClick();
  ASSERT_EQ(modal.shown().size(), 1u);

  const std::string written = dir.readFile("User.ini");
  std::string expected = original;
  expected.replace(expected.find("Addr2=2\r\n"), 9, "Addr2=7\r\n");
  EXPECT_EQ(written, expected);
  EXPECT_EQ(view->model().controllers()[1].Addr, 40);
  EXPECT_EQ(view->model().controllers()[2].Addr, 7);
  EXPECT_EQ(view->model().linkState(), LinkState::Unknown);
}

TEST_F(LinkDialogTest, CancelLeavesTheFileAndTheLinkButForgetsTheLinkState) {
  auto view = makeView();
  ASSERT_TRUE(api.running.has_value());
  api.answerRead(5, std::vector<uint16_t>(75, 0));
  ASSERT_EQ(view->model().linkState(), LinkState::Online);
  const int32_t slot = view->model().slot();
  const size_t opens = api.callsNamed("PLC_OpenDev").size();

  ModalScript modal;
  modal.then([](ui::Form &form) {
    auto &dialog = dynamic_cast<TfrmPLCCommunicationSettings &>(form);
    Choose(*dialog.cmbAddr, 9);
    dialog.ImageButton2->click();
    return dialog.modalResult();
  });
  view->btnCommunicationSettingsClick();
  EXPECT_EQ(dir.readFile("User.ini"), original);
  EXPECT_EQ(view->model().linkState(), LinkState::Unknown);
  EXPECT_EQ(view->model().slot(), slot);
  EXPECT_EQ(api.callsNamed("PLC_OpenDev").size(), opens);
  EXPECT_EQ(view->model().controllers()[0].Addr, 5);
}

TEST_F(LinkDialogTest, OkWithoutControllersDoesNothing) {
  dir.writeFile("User.ini", "[Parms]\r\nTemWarn=54\r\n");
  const std::string before = dir.readFile("User.ini");
  auto view = makeView();
  ModalScript modal;
  modal.then([](ui::Form &form) {
    auto &dialog = dynamic_cast<TfrmPLCCommunicationSettings &>(form);
    EXPECT_EQ(dialog.cmbPLC->count(), 0);
    dialog.ImageButton1->click();
    return dialog.modalResult();
  });
  view->btnCommunicationSettingsClick();
  EXPECT_EQ(dir.readFile("User.ini"), before);
  EXPECT_TRUE(api.callsNamed("PLC_OpenDev").empty());
}

// --- weekly plan -----------------------------------------------------------------

class WeekDayTest : public testsupport::UiTest {};

TEST_F(WeekDayTest, HasSevenDisabledPagesOfFourRows) {
  TfrmWeekDay dialog(nullptr);
  EXPECT_EQ(dialog.caption(), QStringLiteral("Plan Settings"));
  ASSERT_EQ(dialog.pcWeek->pageCount(), 7);
  EXPECT_EQ(dialog.pcWeek->page(0)->caption(), QStringLiteral("Sunday"));
  EXPECT_EQ(dialog.pcWeek->page(6)->caption(), QStringLiteral("Satuday"));
  for (int d = 0; d < 7; ++d) {
    EXPECT_FALSE(dialog.page(d)->recordedEnabled()) << d;
    for (int p = 1; p <= 4; ++p) {
      const QString digits = QStringLiteral("%1%2").arg(d).arg(p);
      EXPECT_EQ(dialog.enableBox(d, p), Named<kwo::TkwoCheckBox>(dialog, "chbEn" + digits));
      EXPECT_EQ(dialog.onPicker(d, p), Named<ui::TimePicker>(dialog, "dtpOn" + digits));
      EXPECT_EQ(dialog.offLabel(d, p), Named<ui::Label>(dialog, "lOff" + digits));
      EXPECT_EQ(dialog.onPicker(d, p)->format(), QStringLiteral("HH '时'mm '分'"));
    }
  }
  EXPECT_EQ(dialog.enableBox(7, 1), nullptr);
  EXPECT_EQ(dialog.enableBox(0, 0), nullptr);
}

TEST_F(WeekDayTest, APageIsEnabledOnlyOnceShown) {
  TfrmWeekDay dialog(nullptr);
  dialog.fill(WeekPlan{});
  EXPECT_EQ(dialog.pcWeek->activePage(), dialog.page(0));
  EXPECT_TRUE(dialog.page(0)->recordedEnabled());
  for (int d = 1; d < 7; ++d) EXPECT_FALSE(dialog.page(d)->recordedEnabled()) << d;
  dialog.pcWeek->activatePageIndex(3);
  EXPECT_TRUE(dialog.page(3)->isEnabled());
  EXPECT_TRUE(dialog.page(0)->recordedEnabled());
  EXPECT_FALSE(dialog.page(2)->recordedEnabled());
}

// A plan in which every flag and time differs from its neighbours.
WeekPlan DistinctPlan() {
  WeekPlan plan;
  for (int i = 0; i < 28; ++i) plan.Enabled[static_cast<size_t>(i)] = (i * 5) % 3 == 0;
  for (int i = 0; i < 56; ++i) {
    plan.Times[static_cast<size_t>(i)] = PlanTime{static_cast<uint8_t>(i % 24), static_cast<uint8_t>((i * 7) % 60)};
  }
  return plan;
}

TEST_F(WeekDayTest, ControlsShowTheViewsTablesAndReadBack) {
  const WeekPlan plan = DistinctPlan();
  TfrmWeekDay dialog(nullptr);
  dialog.fill(plan);
  for (int d = 0; d < 7; ++d) {
    for (int p = 1; p <= 4; ++p) {
      const auto flag = static_cast<size_t>(7 * (p - 1) + d);
      const auto on = static_cast<size_t>(14 * (p - 1) + d);
      const auto off = on + 7;
      EXPECT_EQ(dialog.enableBox(d, p)->checked(), plan.Enabled[flag]) << d << p;
      EXPECT_EQ(dialog.onPicker(d, p)->time(), QTime(plan.Times[on].Hour, plan.Times[on].Minute)) << d << p;
      EXPECT_EQ(dialog.offPicker(d, p)->time(), QTime(plan.Times[off].Hour, plan.Times[off].Minute)) << d << p;
      // Each period's controls follow its box from the start.
      EXPECT_EQ(OwnEnabled(dialog.onPicker(d, p)), plan.Enabled[flag]) << d << p;
      EXPECT_EQ(OwnEnabled(dialog.offLabel(d, p)), plan.Enabled[flag]) << d << p;
    }
  }
  EXPECT_EQ(dialog.plan(), plan);

  dialog.enableBox(4, 2)->click();
  dialog.offPicker(4, 2)->setTime(QTime(21, 45));
  WeekPlan expected = plan;
  expected.setEnabled(4, 1, !plan.enabled(4, 1));
  expected.setOffTime(4, 1, PlanTime{21, 45});
  EXPECT_EQ(dialog.plan(), expected);
}

TEST_F(WeekDayTest, UncheckingABoxDisablesExactlyItsFourControls) {
  WeekPlan all;
  all.Enabled.fill(true);
  TfrmWeekDay dialog(nullptr);
  dialog.fill(all);
  dialog.enableBox(0, 3)->click();  // chbEn03
  ASSERT_FALSE(dialog.enableBox(0, 3)->checked());
  for (int d = 0; d < 7; ++d) {
    for (int p = 1; p <= 4; ++p) {
      const bool mine = d == 0 && p == 3;
      for (ui::Control *c : {static_cast<ui::Control *>(dialog.onPicker(d, p)),
                             static_cast<ui::Control *>(dialog.offPicker(d, p)),
                             static_cast<ui::Control *>(dialog.onLabel(d, p)),
                             static_cast<ui::Control *>(dialog.offLabel(d, p))}) {
        EXPECT_EQ(OwnEnabled(c), !mine) << c->name().toStdString();
      }
      EXPECT_TRUE(OwnEnabled(dialog.enableBox(d, p)));
    }
  }
  dialog.enableBox(0, 3)->click();
  EXPECT_TRUE(OwnEnabled(dialog.onPicker(0, 3)));
}

// --- input box ---------------------------------------------------------------------

class InputDialogTest : public testsupport::UiTest {};

TEST_F(InputDialogTest, ButtonsGiveOneAndTwo) {
  TfrmInput dialog(nullptr);
  EXPECT_EQ(dialog.caption(), QStringLiteral("Input Box"));
  dialog.prepare(QStringLiteral("新名称"), QStringLiteral("左屏"), true);
  EXPECT_EQ(dialog.lblRef->caption(), QStringLiteral("新名称"));
  EXPECT_EQ(dialog.eInput->lineEdit()->selectedText(), QStringLiteral("左屏"));
  dialog.btnOK->click();
  EXPECT_EQ(dialog.modalResult(), ui::mrOk);
  dialog.btnCancel->click();
  EXPECT_EQ(dialog.modalResult(), ui::mrCancel);
}

// --- dialog keys ---------------------------------------------------------------------

class DialogKeysTest : public testsupport::UiTest {};

// A dialog shown with the keyboard on one of its controls.
struct KeyDialog {
  std::unique_ptr<ui::Form> form;
  QWidget *focus = nullptr;
};

TEST_F(DialogKeysTest, EnterPressesOkAndEscapeCancelInEveryDialog) {
  const TPlcParmArray controllers = {{5, "甲", 3, 0, "10.0.0.5", 7001}};
  const std::vector<std::pair<const char *, std::function<KeyDialog()>>> dialogs = {
      {"设置",
       [&] {
         auto dialog = std::make_unique<TfrmPLCCommunicationSettings>(nullptr, controllers, 0);
         QWidget *focus = dialog->eIP->lineEdit();
         return KeyDialog{std::move(dialog), focus};
       }},
      {"Plan Settings",
       [] {
         auto dialog = std::make_unique<TfrmWeekDay>(nullptr);
         dialog->enableBox(0, 1)->click();
         QWidget *focus = dialog->onPicker(0, 1);
         return KeyDialog{std::move(dialog), focus};
       }},
      {"Input Box",
       [] {
         auto dialog = std::make_unique<TfrmInput>(nullptr);
         dialog->prepare(QStringLiteral("报警温度"), QStringLiteral("54"));
         QWidget *focus = dialog->eInput->lineEdit();
         return KeyDialog{std::move(dialog), focus};
       }},
  };
  const struct {
    int key;
    Qt::KeyboardModifiers mods;
    int result;
  } keys[] = {
      {Qt::Key_Return, Qt::NoModifier, ui::mrOk},
      {Qt::Key_Enter, Qt::KeypadModifier, ui::mrOk},
      {Qt::Key_Escape, Qt::NoModifier, ui::mrCancel},
      {Qt::Key_Return, Qt::ShiftModifier, ui::mrNone},
      {Qt::Key_Escape, Qt::ControlModifier, ui::mrNone},
  };
  for (const auto &[caption, make] : dialogs) {
    for (const auto &k : keys) {
      SCOPED_TRACE(std::string(caption) + " key " + std::to_string(k.key) + " mods " +
                   std::to_string(static_cast<int>(k.mods)));
      KeyDialog d = make();
      EXPECT_EQ(d.form->caption(), QString::fromUtf8(caption));
      d.form->show();
      d.focus->setFocus();
      testsupport::processEvents();
      testsupport::pressKey(d.focus, k.key, k.mods);
      EXPECT_EQ(d.form->modalResult(), k.result);
    }
  }
}

TEST_F(DialogKeysTest, EnterInTheInputBoxSetsTheAlarmTemperature) {
  TempAppDir dir;
  dir.writeFile("User.ini", Gbk(kDemoIni));
  tarnex_client::testing::FakePlcApi api;
  TfrmPLCManagement view(nullptr, testsupport::ServicesOver(api));
  view.LoadControllers();
  ModalScript modal;
  modal.then([](ui::Form &form) {
    auto &dialog = dynamic_cast<TfrmInput &>(form);
    dialog.show();
    dialog.eInput->lineEdit()->setFocus();
    dialog.eInput->setText(QStringLiteral("61.5"));
    testsupport::pressKey(dialog.eInput->lineEdit(), Qt::Key_Return);
    return dialog.modalResult();
  });
  modal.then([](ui::Form &form) {
    auto &dialog = dynamic_cast<TfrmInput &>(form);
    dialog.show();
    dialog.eInput->setText(QStringLiteral("70"));
    testsupport::pressKey(dialog.eInput->lineEdit(), Qt::Key_Escape);
    return dialog.modalResult();
  });
  view.btnTemWarnClick();
  EXPECT_EQ(view.model().alarmTemperature(), 61.5);
  view.btnTemWarnClick();
  EXPECT_EQ(view.model().alarmTemperature(), 61.5);
  EXPECT_NE(dir.readFile("User.ini").find("TemWarn=61.5"), std::string::npos);
}

TEST_F(InputDialogTest, DialogsWearTheMacFrameAndAreCentred) {
  TfrmInput dialog(nullptr);
  auto *frame = dialog.kwoForm;
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->isActiveFrame());
  EXPECT_EQ(frame->uiStyle(), kwo::TkwoUIStyle::MacOS);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(dialog.left(), (screen.width() - dialog.width()) / 2);
  EXPECT_EQ(dialog.top(), (screen.height() - dialog.height()) / 2);
}

}  // namespace
}  // namespace morvit::testing
