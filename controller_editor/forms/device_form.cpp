#include "device_form.h"

#include <utility>

#include "editor_link_settings.h"

tarnex_client::PlcLinkSettings TDeviceForm::setLinkSettingsForTests(tarnex_client::PlcLinkSettings link) {
  return std::exchange(EditorLinkSettings(), link);
}

TDeviceForm::TDeviceForm(ui::Component *owner)
    : ui::Form(owner), ownApi_(std::make_unique<tarnex_client::TarnexPlcApi>()), link_(EditorLinkSettings()) {
  api_ = ownApi_.get();
  setCaption(QStringLiteral("设备管理"));
}

TDeviceForm::TDeviceForm(ui::Component *owner, tarnex_client::IPlcApi &api, tarnex_client::PlcLinkSettings link)
    : ui::Form(owner), api_(&api), link_(link) {
  setCaption(QStringLiteral("设备管理"));
}

TDeviceForm::~TDeviceForm() = default;
