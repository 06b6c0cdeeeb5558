#pragma once
// TkwoListBox: the list box in a flat two-line frame, an outer line in
// BorderColor and an inner one in the list's Color. The look sets
// BorderColor. A skinned scroll bar assigned as VScrollBar lies over the
// list's own vertical bar and mirrors it: the list's scroll state stays
// the reference, and a move of the skinned thumb scrolls the list.
#include <QPointer>

#include "platform/ui/list_box.h"
#include "skin_toolkit/themes/theme_client.h"

namespace kwo {

class TkwoScrollBar;

class TkwoListBox : public ui::ListBox, public ThemeClient {
  Q_OBJECT
 public:
  explicit TkwoListBox(ui::Component *owner);
  ~TkwoListBox() override;

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  // BorderColor := the look's control border colour; the scroll bar takes
  // the effective style.
  void setUIStyle(TkwoUIStyle style) override;
  // Stored and handed to the scroll bar, then the style applies again.
  void setFileTheme(TkwoFileTheme *theme) override;

  platform::TColor borderColor() const { return borderColor_; }
  void setBorderColor(platform::TColor value);

  // The skinned bar, a sibling of the list, not owned. A bar let go of
  // gets back LineButton 0, Max 100, enabled, and no OnChange handler.
  TkwoScrollBar *vScrollBar() const { return vScrollBar_; }
  void setVScrollBar(TkwoScrollBar *bar);

  // Lays the skinned bar over the list's right edge, then synchronises.
  void placeScrollBar();
  // Pushes the list's scroll state into the skinned bar.
  void syncScrollBar();

 protected:
  void paint(QPainter &painter) override;
  bool event(QEvent *event) override;
  void resized() override;
  void enabledChanged() override;
  void visibleChanged() override;

 private:
  void scrollBarChanged();
  int nativeSliderLength() const;

  QPointer<TkwoScrollBar> vScrollBar_;
  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  platform::TColor borderColor_ = platform::clBlack;
  bool syncing_ = false;
};

}  // namespace kwo
