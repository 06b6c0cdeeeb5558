#pragma once
// The link settings dialog's working copy of the controllers and what its
// controls show and change, without the windows.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "display_app/model/plc_config.h"

namespace morvit {

class LinkSettingsEditor {
 public:
  static constexpr int kAddressLines = 32;  // "00".."31"
  static constexpr int kPortLines = 32;     // "1".."32"

  // A copy of the view's controllers; selected is chosen when it is one of
  // them.
  LinkSettingsEditor(TPlcParmArray controllers, int32_t selected);

  const TPlcParmArray &controllers() const { return controllers_; }
  std::vector<std::string> controllerNames() const;   // cmbPLC
  static std::vector<std::string> AddressLines();     // cmbAddr
  static std::vector<std::string> PortLines();        // cmbComm

  // The controller the controls edit, -1 for none.
  int32_t chosen() const { return chosen_; }
  void choose(int32_t index);  // cmbPLCChange: -1 or out of range chooses none

  // What the controls show for the chosen controller.
  bool networkMode() const;      // rbNetwork checked, else rbComm
  int addressLine() const;       // -1 (no line) for an address above 31
  int portLine() const;          // COM port - 1, -1 when outside the list
  std::string ip() const;        // eIP
  std::string portText() const;  // ePort

  // The controls' change handlers; each does nothing while none is chosen.
  void setNetworkMode(bool network);      // rbConnClick
  void setAddressLine(int line);          // cmbAddrChange (0..31)
  void setPortLine(int line);             // cmbCommChange (0..31)
  void setIP(std::string_view text);      // eIPChange
  void setPortText(std::string_view text);  // ePortChange: 6666 when not a number

 private:
  TPlcParm *current();
  const TPlcParm *current() const;

  TPlcParmArray controllers_;
  int32_t chosen_ = -1;
};

}  // namespace morvit
