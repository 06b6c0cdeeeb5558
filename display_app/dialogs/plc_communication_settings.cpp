#include "display_app/dialogs/plc_communication_settings.h"

#include "display_app/dialogs/dialog_parts.h"
#include "platform/ui/component.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_combo_box.h"
#include "skin_toolkit/frames/kwo_form.h"

namespace morvit {
namespace {

QString Text(const std::string &utf8) { return QString::fromStdString(utf8); }

void FillLines(kwo::TkwoComboBox &combo, const std::vector<std::string> &lines) {
  QStringList strings;
  for (const std::string &line : lines) strings << Text(line);
  combo.setItems(strings);
}

}  // namespace

TfrmPLCCommunicationSettings::TfrmPLCCommunicationSettings(ui::Component *owner, const TPlcParmArray &controllers,
                                                           int32_t selected)
    : ui::Form(owner), editor_(controllers, -1) {
  {
    ui::LoadingGuard loading(*this);
    kwoForm = dialogs::makeDialogFrame(*this, QStringLiteral("设置"), 300, 234);
    auto label = [this](const QString &caption, int top) {
      auto *l = new ui::Label(this);
      l->setParentControl(kwoForm);
      l->setCaption(caption);
      dialogs::place(*l, *kwoForm, 16, top + 3, 96, 16);
      return l;
    };
    auto combo = [this](int top, int width) {
      auto *c = new kwo::TkwoComboBox(this);
      c->setParentControl(kwoForm);
      c->setStyle(kwo::TComboBoxStyle::csDropDownList);
      dialogs::place(*c, *kwoForm, 120, top, width, 22);
      return c;
    };
    auto edit = [this](int top, int width) {
      auto *e = new ui::Edit(this);
      e->setParentControl(kwoForm);
      dialogs::place(*e, *kwoForm, 120, top, width, 22);
      return e;
    };

    lblPLC = label(QStringLiteral("PLC"), 12);
    cmbPLC = combo(12, 164);
    lblAddr = label(QStringLiteral("Station"), 42);
    cmbAddr = combo(42, 72);
    FillLines(*cmbAddr, LinkSettingsEditor::AddressLines());
    lblComm = label(QStringLiteral("Port"), 72);
    cmbComm = combo(72, 72);
    FillLines(*cmbComm, LinkSettingsEditor::PortLines());

    rbComm = new kwo::TkwoRadioButton(this);
    rbComm->setParentControl(kwoForm);
    rbComm->setCaption(QStringLiteral("Com Mode"));
    dialogs::place(*rbComm, *kwoForm, 16, 104, 120, 18);
    rbNetwork = new kwo::TkwoRadioButton(this);
    rbNetwork->setParentControl(kwoForm);
    rbNetwork->setCaption(QStringLiteral("Network Mode"));
    dialogs::place(*rbNetwork, *kwoForm, 150, 104, 134, 18);

    lblIP = label(QStringLiteral("Remote Address"), 134);
    eIP = edit(134, 164);
    eIP->setText(QStringLiteral("192.168.0.1"));
    lblPort = label(QStringLiteral("Remote Port"), 164);
    ePort = edit(164, 72);
    ePort->setText(QStringLiteral("6666"));
    lblPort->setVisible(false);
    ePort->setVisible(false);

    const int buttonTop = dialogs::contentTop(*kwoForm) + 198;
    ImageButton1 = dialogs::makeButton(*this, *kwoForm, QStringLiteral("OK"), 60, buttonTop);
    ImageButton2 = dialogs::makeButton(*this, *kwoForm, QStringLiteral("Cancel"), 167, buttonTop);

    cmbPLC->OnChange = [this](ui::Control *) { cmbPLCChange(); };
    cmbAddr->OnChange = [this](ui::Control *) { cmbAddrChange(); };
    cmbComm->OnChange = [this](ui::Control *) { cmbCommChange(); };
    rbComm->OnClick = [this](ui::Control *) { rbConnClick(); };
    rbNetwork->OnClick = [this](ui::Control *) { rbConnClick(); };
    eIP->OnChange = [this](ui::Control *) { eIPChange(); };
    ePort->OnChange = [this](ui::Control *) { ePortChange(); };
    ImageButton1->OnClick = [this](ui::Control *) { BtnOKClick(); };
    ImageButton2->OnClick = [this](ui::Control *) { BtnCancelClick(); };
    setDefaultControl(ImageButton1);
    setCancelControl(ImageButton2);
  }
  OnCreate = [this](ui::Form *) { FormCreate(); };
  doCreate();

  // The caller's part: the controller names, the view's choice, its values.
  // These are presets: the controls tell nothing of them, so showing a
  // controller changes none of its settings.
  ui::LoadingGuard presets(*this);
  FillLines(*cmbPLC, editor_.controllerNames());
  if (!editor_.controllers().empty() && selected >= 0 &&
      static_cast<size_t>(selected) < editor_.controllers().size()) {
    cmbPLC->setItemIndex(selected);
  }
  cmbPLCChange();
}

TfrmPLCCommunicationSettings::~TfrmPLCCommunicationSettings() { beginDestroy(); }

void TfrmPLCCommunicationSettings::FormCreate() { centerOnScreen(); }

void TfrmPLCCommunicationSettings::cmbPLCChange() {
  editor_.choose(cmbPLC->itemIndex());
  if (editor_.chosen() < 0) return;
  if (editor_.networkMode()) {
    rbNetwork->setChecked(true);
  } else {
    rbComm->setChecked(true);
  }
  cmbAddr->setItemIndex(editor_.addressLine());
  cmbComm->setItemIndex(editor_.portLine());
  eIP->setText(Text(editor_.ip()));
  ePort->setText(Text(editor_.portText()));
}

void TfrmPLCCommunicationSettings::rbConnClick() {
  if (editor_.chosen() < 0) return;
  editor_.setNetworkMode(!rbComm->checked());
}

void TfrmPLCCommunicationSettings::cmbAddrChange() {
  if (editor_.chosen() < 0 || cmbAddr->itemIndex() < 0) return;
  editor_.setAddressLine(cmbAddr->itemIndex());
}

void TfrmPLCCommunicationSettings::cmbCommChange() {
  if (editor_.chosen() < 0 || cmbComm->itemIndex() < 0) return;
  editor_.setPortLine(cmbComm->itemIndex());
}

void TfrmPLCCommunicationSettings::eIPChange() { editor_.setIP(eIP->text().toStdString()); }

void TfrmPLCCommunicationSettings::ePortChange() { editor_.setPortText(ePort->text().toStdString()); }

void TfrmPLCCommunicationSettings::BtnOKClick() { setModalResult(ui::mrOk); }

void TfrmPLCCommunicationSettings::BtnCancelClick() { setModalResult(ui::mrCancel); }

}  // namespace morvit
