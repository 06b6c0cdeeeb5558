#pragma once
// A status bar along the bottom edge: panels of fixed widths (text or drawn
// by the owner), or one simple text across the bar, and a size grip that
// sizes the form (which follows the mouse itself where the platform cannot).
#include <QString>
#include <functional>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

struct StatusPanel {
  int width = 50;
  QString text;
  bool ownerDraw = false;
};

class StatusBar : public Control {
  Q_OBJECT
 public:
  using DrawPanelEvent = std::function<void(StatusBar *sender, int panel, QPainter &painter, const QRect &rect)>;

  explicit StatusBar(Component *owner);

  int panelCount() const { return static_cast<int>(panels_.size()); }
  // Adds a panel; returns its index.
  int addPanel(const StatusPanel &panel);
  void clearPanels();
  // Bad indexes give an empty panel and are ignored when written.
  StatusPanel panel(int index) const;
  void setPanelText(int index, const QString &text);
  void setPanelWidth(int index, int width);
  QRect panelRect(int index) const;

  bool simplePanel() const { return simplePanel_; }
  void setSimplePanel(bool value);
  const QString &simpleText() const { return simpleText_; }
  void setSimpleText(const QString &text);
  bool sizeGrip() const { return sizeGrip_; }
  void setSizeGrip(bool value);

  DrawPanelEvent OnDrawPanel;

 protected:
  void paint(QPainter &painter) override;
  // Runs after the bar and its panels are painted.
  virtual void paintOver(QPainter &painter);
  void mousePressEvent(QMouseEvent *event) override;

 private:
  std::vector<StatusPanel> panels_;
  bool simplePanel_ = false;
  QString simpleText_;
  bool sizeGrip_ = true;
};

}  // namespace ui
