#include "tools/morvit_snapshot/screen_check.h"

#include <QColor>
#include <QRect>
#include <QWidget>
#include <set>

namespace snapshot {
namespace {

// The main window's frame: its one-pixel border and the grip's lines.
const QColor kRingBorder(127, 127, 127);
const QColor kGripLine(191, 205, 219);
// Fewer colours than this over the whole window is no picture of it.
constexpr size_t kLeastColours = 8;

QString describe(const QColor &c) { return QStringLiteral("(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue()); }

void checkPixel(const QImage &screen, const QPoint &at, const QColor &expected, const QString &what,
                std::vector<QString> &failures) {
  if (!screen.rect().contains(at)) {
    failures.push_back(QStringLiteral("%1: 点 (%2,%3) 不在屏幕内").arg(what).arg(at.x()).arg(at.y()));
    return;
  }
  const QColor seen = screen.pixelColor(at);
  if (seen.rgb() != expected.rgb()) {
    failures.push_back(QStringLiteral("%1: 点 (%2,%3) 为 %4, 应为 %5")
                           .arg(what)
                           .arg(at.x())
                           .arg(at.y())
                           .arg(describe(seen), describe(expected)));
  }
}

}  // namespace

std::vector<QString> CheckMainWindowOnScreen(const QImage &screen, const QWidget &window, const QWidget &statusBar) {
  std::vector<QString> failures;
  if (screen.isNull()) return {QStringLiteral("没有取到屏幕图像")};
  const QPoint origin = window.mapToGlobal(QPoint(0, 0));
  checkPixel(screen, origin + QPoint(0, 300), kRingBorder, QStringLiteral("窗口左边框"), failures);
  checkPixel(screen, statusBar.mapToGlobal(QPoint(statusBar.width() - 8, statusBar.height() - 8)), kGripLine,
             QStringLiteral("状态栏尺寸柄"), failures);

  const QRect area = QRect(origin, window.size()).intersected(screen.rect());
  std::set<QRgb> colours;
  for (int y = area.top(); y <= area.bottom() && colours.size() < kLeastColours; ++y) {
    for (int x = area.left(); x <= area.right() && colours.size() < kLeastColours; ++x) {
      colours.insert(screen.pixel(x, y));
    }
  }
  if (colours.size() < kLeastColours) {
    failures.push_back(QStringLiteral("窗口区域几乎是空白的 (只有 %1 种颜色)").arg(colours.size()));
  }
  return failures;
}

}  // namespace snapshot
