#pragma once
// The register debug console for one controller.
#include <memory>

#include "form.h"
#include "plc_api.h"

class TDebugForm : public ui::Form {
  Q_OBJECT
 public:
  // On the real link library (link settings from setLinkSettingsForTests).
  explicit TDebugForm(ui::Component *owner);
  TDebugForm(ui::Component *owner, tarnex_client::IPlcApi &api, tarnex_client::PlcLinkSettings link);
  ~TDebugForm() override;

  static tarnex_client::PlcLinkSettings setLinkSettingsForTests(tarnex_client::PlcLinkSettings link);

 private:
  std::unique_ptr<tarnex_client::IPlcApi> ownApi_;
  tarnex_client::IPlcApi *api_ = nullptr;
  tarnex_client::PlcLinkSettings link_;
};

// The console while it is shown, else null.
extern TDebugForm *DebugForm;
