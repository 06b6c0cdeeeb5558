#include "display_app/views/status_hint.h"

#include <QFontMetrics>
#include <QStringList>

namespace morvit {

bool FitsPanel(const ui::StatusBar &bar, int panel, const QFont &font) {
  return QFontMetrics(font).horizontalAdvance(bar.panel(panel).text) <= bar.panelRect(panel).width();
}

void UpdateOverflowHint(ui::StatusBar &bar, const QFont &font) {
  QStringList cut;
  for (int i = 0; i < bar.panelCount(); ++i) {
    if (!FitsPanel(bar, i, font)) cut << bar.panel(i).text;
  }
  const QString hint = cut.join(QLatin1Char('\n'));
  if (hint != bar.hint()) bar.setHint(hint);
}

}  // namespace morvit
