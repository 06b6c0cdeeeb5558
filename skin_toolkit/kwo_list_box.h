#pragma once
// TkwoListBox: the list box in a flat two-line frame, an outer line in
// BorderColor and an inner one in the list's Color. The look sets
// BorderColor.
#include "list_box.h"
#include "themes/theme_client.h"

namespace kwo {

class TkwoListBox : public ui::ListBox, public ThemeClient {
  Q_OBJECT
 public:
  explicit TkwoListBox(ui::Component *owner);

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  // BorderColor := the look's control border colour.
  void setUIStyle(TkwoUIStyle style) override;

  platform::TColor borderColor() const { return borderColor_; }
  void setBorderColor(platform::TColor value);

 protected:
  void paint(QPainter &painter) override;

 private:
  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  platform::TColor borderColor_ = platform::clBlack;
};

}  // namespace kwo
