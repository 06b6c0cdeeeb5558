#include "skin_toolkit/controls/opaque_paint.h"

#include <QWidget>

namespace kwo {

void SetOpaquePainting(QWidget &widget, bool transparent) {
  widget.setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
}

}  // namespace kwo
