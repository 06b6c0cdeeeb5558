#include "platform/ui/work_area.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {
namespace {

std::optional<QRect> &testArea() {
  static std::optional<QRect> area;
  return area;
}

}  // namespace

QRect workAreaOf(const QWidget *window) {
  if (testArea()) return *testArea();
  const QScreen *screen = window != nullptr ? window->screen() : nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

void setWorkAreaForTesting(std::optional<QRect> area) { testArea() = area; }

}  // namespace ui
