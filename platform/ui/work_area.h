#pragma once
// The part of a screen windows may cover: the available geometry of the
// window's screen (the primary one when it has none), unless a test has set
// an area of its own.
#include <QRect>
#include <optional>

class QWidget;

namespace ui {

QRect workAreaOf(const QWidget *window);

// An area every window reads in place of its screen's; nullopt ends it.
void setWorkAreaForTesting(std::optional<QRect> area);

}  // namespace ui
