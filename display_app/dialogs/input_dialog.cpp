#include "display_app/dialogs/input_dialog.h"

#include "display_app/dialogs/dialog_parts.h"
#include "platform/ui/component.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/frames/kwo_form.h"

namespace morvit {

TfrmInput::TfrmInput(ui::Component *owner) : ui::Form(owner) {
  {
    ui::LoadingGuard loading(*this);
    kwoForm = dialogs::makeDialogFrame(*this, QStringLiteral("Input Box"), 260, 96);

    lblRef = new ui::Label(this);
    lblRef->setParentControl(kwoForm);
    dialogs::place(*lblRef, *kwoForm, 16, 14, 228, 16);

    eInput = new ui::Edit(this);
    eInput->setParentControl(kwoForm);
    dialogs::place(*eInput, *kwoForm, 16, 32, 228, 22);

    btnOK = dialogs::makeButton(*this, *kwoForm, QStringLiteral("OK"), 40, dialogs::contentTop(*kwoForm) + 62);
    btnCancel = dialogs::makeButton(*this, *kwoForm, QStringLiteral("Cancel"), 147, dialogs::contentTop(*kwoForm) + 62);
    btnOK->OnClick = [this](ui::Control *) { BtnOKClick(); };
    btnCancel->OnClick = [this](ui::Control *) { BtnCancelClick(); };
    setDefaultControl(btnOK);
    setCancelControl(btnCancel);
  }
  OnCreate = [this](ui::Form *) { FormCreate(); };
  doCreate();
}

TfrmInput::~TfrmInput() { beginDestroy(); }

void TfrmInput::FormCreate() { centerOnScreen(); }

void TfrmInput::prepare(const QString &label, const QString &preset, bool selectAll) {
  lblRef->setCaption(label);
  eInput->setText(preset);
  if (selectAll) eInput->selectAll();
}

void TfrmInput::BtnOKClick() { setModalResult(ui::mrOk); }

void TfrmInput::BtnCancelClick() { setModalResult(ui::mrCancel); }

}  // namespace morvit
