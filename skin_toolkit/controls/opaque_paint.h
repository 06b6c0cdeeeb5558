#pragma once
// Controls that cover every pixel they own tell Qt so: it then spares
// painting the parent beneath them. A transparent control paints no
// background of its own and lets its parent show through instead.
class QWidget;

namespace kwo {

// Opaque painting while the control is not transparent, none while it is.
void SetOpaquePainting(QWidget &widget, bool transparent);

}  // namespace kwo
