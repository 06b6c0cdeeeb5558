#include "display_app/model/status_cells.h"

#include "display_app/model/plc_config.h"

namespace morvit {

GridCell StatusCell(int itemType, const std::string &text, bool alarm) {
  if (text.empty()) return GridCell{"", CellStyle::Text};
  switch (itemType) {
    case kItemSmoke:
      return text == "0" ? GridCell{"正常", CellStyle::Normal} : GridCell{"错误", CellStyle::Fault};
    case kItemDigitalInput:
      return text == "1" ? GridCell{"开", CellStyle::SwitchOn} : GridCell{"关", CellStyle::SwitchOff};
    case kItemMeasuredTemperature:
      return GridCell{text, alarm ? CellStyle::Alarm : CellStyle::Text};
    default:
      return GridCell{text, CellStyle::Text};
  }
}

}  // namespace morvit
