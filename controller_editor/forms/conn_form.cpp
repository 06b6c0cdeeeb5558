#include "controller_editor/forms/conn_form.h"

#include <QButtonGroup>

#include "controller_editor/model/ip_text.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/group_box.h"
#include "platform/ui/label.h"
#include "platform/ui/message_box.h"
#include "platform/ui/widget_host.h"

namespace {

constexpr int kComPorts = 64;
constexpr int kAddresses = 32;

// "01".."64" from first, two digits each.
QStringList NumberedItems(int first, int count) {
  QStringList items;
  for (int k = 0; k < count; ++k) items << QStringLiteral("%1").arg(first + k, 2, 10, QLatin1Char('0'));
  return items;
}

void SelectItem(ui::ComboBox *box, int index) {
  box->widget()->setCurrentIndex(index >= 0 && index < box->widget()->count() ? index : -1);
}

}  // namespace

TConnForm::TConnForm(ui::Component *owner) : ui::Form(owner) {
  setName(QStringLiteral("ConnForm"));
  setCaption(QStringLiteral("提示"));
  setBorderStyle(ui::BorderStyle::Dialog);
  ui::LoadingGuard loading(*this);
  setClientWidth(300);
  setClientHeight(200);

  gbM = new ui::GroupBox(this);
  gbM->setName(QStringLiteral("gbM"));
  gbM->setParentControl(this);
  gbM->setBounds(8, 8, 284, 148);

  // Each button sits in its own host, so the group makes them exclusive.
  linkGroup_ = new QButtonGroup(this);
  linkGroup_->setExclusive(true);
  const auto radio = [this](const QString &name, const QString &caption, int left) {
    auto *button = new ui::RadioButton(this);
    button->setName(name);
    button->setParentControl(gbM);
    button->setCaption(caption);
    button->setBounds(left, 20, 110, 20);
    linkGroup_->addButton(button->widget());
    return button;
  };
  rbComm = radio(QStringLiteral("rbComm"), QStringLiteral("串口方式"), 16);
  rbNetwork = radio(QStringLiteral("rbNetwork"), QStringLiteral("网络方式"), 144);

  const auto label = [this](const QString &name, const QString &caption, int top) {
    auto *l = new ui::Label(this);
    l->setName(name);
    l->setParentControl(gbM);
    l->setCaption(caption);
    l->setLeft(16);
    l->setTop(top + 3);
    return l;
  };
  const auto list = [this](const QString &name, const QStringList &items, int top) {
    auto *box = new ui::ComboBox(this);
    box->setName(name);
    box->setParentControl(gbM);
    box->widget()->setEditable(false);
    box->widget()->addItems(items);
    box->setBounds(110, top, 160, 22);
    return box;
  };
  lblComm = label(QStringLiteral("lblComm"), QStringLiteral("端口号"), 50);
  cmbComm = list(QStringLiteral("cmbComm"), NumberedItems(1, kComPorts), 50);
  lblIP = label(QStringLiteral("lblIP"), QStringLiteral("远程IP地址"), 80);
  eIP = new ui::Edit(this);
  eIP->setName(QStringLiteral("eIP"));
  eIP->setParentControl(gbM);
  eIP->setBounds(110, 80, 160, 22);
  lblAddress = label(QStringLiteral("lblAddress"), QStringLiteral("PLC地址"), 110);
  cmbAddress = list(QStringLiteral("cmbAddress"), NumberedItems(0, kAddresses), 110);

  const auto button = [this](const QString &name, const QString &caption, int left, int result) {
    auto *b = new ui::Button(this);
    b->setName(name);
    b->setParentControl(this);
    b->setCaption(caption);
    b->setBounds(left, 166, 75, 25);
    b->setModalResult(result);
    return b;
  };
  // OK closes the dialog only once the choice can be used.
  BtnOK = button(QStringLiteral("BtnOK"), QStringLiteral("确定"), 136, ui::mrNone);
  BtnOK->setDefault(true);
  BtnOK->OnClick = [this](ui::Control *) { BtnOKClick(); };
  BtnCancel = button(QStringLiteral("BtnCancel"), QStringLiteral("取消"), 217, ui::mrCancel);
  BtnCancel->setCancel(true);

  rbComm->setChecked(true);
  cmbComm->widget()->setCurrentIndex(0);
  cmbAddress->widget()->setCurrentIndex(0);
  centerOnScreen();
}

TConnForm::~TConnForm() = default;

void TConnForm::setNetwork(bool network) {
  // An exclusive button cannot be unchecked; checking its partner clears it.
  (network ? rbNetwork : rbComm)->setChecked(true);
}

void TConnForm::BtnOKClick() {
  // The address matters only on the network link.
  if (rbNetwork->checked() && !selkan::IsDottedQuad(eIP->text().toStdString())) {
    ui::messageBox(QString::fromUtf8(selkan::kBadRemoteIpText), QStringLiteral("提示"), ui::MB_OK);
    return;
  }
  setModalResult(ui::mrOk);
}

void TConnForm::setPortItem(int index) { SelectItem(cmbComm, index); }

void TConnForm::setAddressItem(int index) { SelectItem(cmbAddress, index); }
