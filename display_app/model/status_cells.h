#pragma once
// How a status item's value cell reads: the text and the style the grid
// draws it in, by the item's type.
#include <string>

namespace morvit {

// How column 2 of a status grid row is drawn.
enum class CellStyle {
  Header,     // row 0
  Text,       // the text, black
  Normal,     // "正常", black
  Fault,      // "错误", red
  SwitchOn,   // "开" on a green ellipse
  SwitchOff,  // "关" on a black ellipse
  Alarm,      // the text, dark red
};
struct GridCell {
  std::string text;
  CellStyle style = CellStyle::Text;
  bool operator==(const GridCell &) const = default;
};

// The value cell of an item of type itemType whose value text is text. An
// empty text (nothing measured yet) stays empty whatever the type; alarm
// marks a measured temperature at or above the alarm temperature.
GridCell StatusCell(int itemType, const std::string &text, bool alarm);

}  // namespace morvit
