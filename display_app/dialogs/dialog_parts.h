#pragma once
// What the display program's dialogs share: the skinned frame (MacOS unless
// a dialog asks for another look), the flat OK and Cancel buttons and the
// placement of controls under the frame's title bar.
#include <QString>

#include "platform/ui/control.h"
#include "platform/ui/form.h"
#include "skin_toolkit/themes/theme_table.h"

namespace kwo {
class TImageButton;
class TkwoForm;
}  // namespace kwo

namespace morvit::dialogs {

// Gives form a frame of the given look with this caption and a client area of the given
// size below the frame's title bar; returns the frame, on which the
// dialog's controls are placed (at y + contentTop()).
kwo::TkwoForm *makeDialogFrame(ui::Form &form, const QString &caption, int contentWidth, int contentHeight,
                               kwo::TkwoUIStyle style = kwo::TkwoUIStyle::MacOS);

// The top of the area below the title bar, in the frame's coordinates.
int contentTop(const kwo::TkwoForm &frame);

// A maroon 73 x 25 button with a white caption, owned by form.
kwo::TImageButton *makeButton(ui::Form &form, ui::Control &parent, const QString &caption, int left, int top);

// Places a control on the frame below its title bar.
void place(ui::Control &control, const kwo::TkwoForm &frame, int left, int top, int width, int height);

}  // namespace morvit::dialogs
