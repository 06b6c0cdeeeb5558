#pragma once
// The device editor: devices with their logic lists, and the download of a
// controller's logic list.
#include <memory>

#include "form.h"
#include "plc_api.h"

class TDeviceForm : public ui::Form {
  Q_OBJECT
 public:
  // On the real link library (link settings from setLinkSettingsForTests).
  explicit TDeviceForm(ui::Component *owner);
  TDeviceForm(ui::Component *owner, tarnex_client::IPlcApi &api, tarnex_client::PlcLinkSettings link);
  ~TDeviceForm() override;

  // The settings the next window on the real library uses; returns the old.
  static tarnex_client::PlcLinkSettings setLinkSettingsForTests(tarnex_client::PlcLinkSettings link);

 private:
  std::unique_ptr<tarnex_client::IPlcApi> ownApi_;
  tarnex_client::IPlcApi *api_ = nullptr;
  tarnex_client::PlcLinkSettings link_;
};
