#pragma once
// Skinned combo box: the platform's combo box with the look's border,
// button and arrow colours. OnChange tells of the user's choices only (a
// line picked from the list, text typed); items, index and text set by code
// send nothing.
#include <QStringList>

#include "control.h"
#include "themes/theme_client.h"

class QComboBox;

namespace kwo {

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };

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

  bool wantsKey(int key, Qt::KeyboardModifiers modifiers) const override;

  NotifyEvent OnChange;

 protected:
  void fontChanged() override;
  void enabledChanged() override;
  void colorChanged() override;
  void paintEvent(QPaintEvent *event) override;

 private:
  void change();
  void connectEditor();

  QComboBox *combo_ = nullptr;
  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  platform::TColor borderColor_ = 0;
  platform::TColor buttonColor_ = 0;
  platform::TColor arrowColor_ = 0;
};

}  // namespace kwo
