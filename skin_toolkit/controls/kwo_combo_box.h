#pragma once
// Skinned combo box: the platform's combo box with the look's border,
// button and arrow colours. OnChange tells of the user's choices only (a
// line picked from the list, text typed); items, index and text set by code
// send nothing.
#include <QComboBox>
#include <QPixmap>
#include <QRect>
#include <QStringList>
#include <functional>

#include "platform/ui/control.h"
#include "skin_toolkit/themes/theme_client.h"


namespace kwo {

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// The skin's frames round the combo box: one in the border colour, one in
// the control's Color inside it.
inline constexpr int kComboFrameWidth = 2;

// The combo box a TkwoComboBox hosts: a plain QComboBox that tells when its
// list closes and where the style puts its drop-down button.
class TkwoComboBoxField : public QComboBox {
  Q_OBJECT
 public:
  explicit TkwoComboBoxField(QWidget *parent) : QComboBox(parent) {}
  // The drop-down button's rectangle, as the widget style lays it out,
  // inside the skin's frames.
  QRect buttonRect() const;
  void hidePopup() override;
  // Runs after the list has closed.
  std::function<void()> onPopupHidden;
};

class TkwoComboBox : public ui::Control, public ThemeClient {
  Q_OBJECT
 public:
  explicit TkwoComboBox(ui::Component *owner);
  ~TkwoComboBox() override;

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  // Also sets ArrowColor to black and takes the border and button colours
  // from the look.
  void setUIStyle(TkwoUIStyle style) override;

  platform::TColor borderColor() const { return borderColor_; }
  void setBorderColor(platform::TColor color);
  platform::TColor buttonColor() const { return buttonColor_; }
  void setButtonColor(platform::TColor color);
  platform::TColor arrowColor() const { return arrowColor_; }
  void setArrowColor(platform::TColor color);

  TComboBoxStyle style() const { return style_; }
  void setStyle(TComboBoxStyle style);

  // The lines of the list.
  QStringList items() const;
  void setItems(const QStringList &items);
  void addItem(const QString &text);
  void clear();
  int count() const;

  // -1: no line chosen. Indexes outside -1..count-1 are ignored.
  int itemIndex() const;
  void setItemIndex(int index);
  QString text() const;
  void setText(const QString &text);

  QComboBox *comboBox() const { return combo_; }
  // The drop-down button's rectangle in comboBox().
  QRect buttonRect() const { return combo_->buttonRect(); }

  bool wantsKey(int key, Qt::KeyboardModifiers modifiers) const override;

  NotifyEvent OnChange;

 protected:
  void fontChanged() override;
  void enabledChanged() override;
  void colorChanged() override;
  void paintEvent(QPaintEvent *event) override;
  // The skin drawing after the hosted combo box has painted, and the open
  // list's frame.
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void drawSkin(QPainter &painter);
  void drawArrow(QPainter &painter, const QRect &button);
  void drawListFrame(QWidget &list);
  // Rebuilds the stretched button picture of the stored style.
  void rebuildButtonPicture();
  void change();
  void connectEditor();

  TkwoComboBoxField *combo_ = nullptr;
  QWidget *list_ = nullptr;
  // The style's button picture (MacOS, WinXP) and its stretch to the
  // button; null for the looks that fill the button.
  QImage buttonPicture_;
  QPixmap stretchedButton_;
  bool painting_ = false;
  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  platform::TColor borderColor_ = 0;
  platform::TColor buttonColor_ = 0;
  platform::TColor arrowColor_ = 0;
};

}  // namespace kwo
