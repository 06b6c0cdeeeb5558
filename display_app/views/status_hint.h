#pragma once
// Status bar texts that do not fit their panels: the bar's hint carries
// them whole, so a text the panel cuts can still be read.
#include <QFont>
#include <QString>

#include "platform/ui/status_bar.h"

namespace morvit {

// Whether the panel's text, drawn in font, fits the panel's width.
bool FitsPanel(const ui::StatusBar &bar, int panel, const QFont &font);

// Sets the bar's hint to the texts of the panels they do not fit, one a
// line (empty when every text fits).
void UpdateOverflowHint(ui::StatusBar &bar, const QFont &font);

}  // namespace morvit
