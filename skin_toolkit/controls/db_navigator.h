#pragma once
// The data-set navigator: a row of ten skinned buttons that move through
// and edit the data set of a data source (first, prior, next, last, insert,
// delete, edit, post, cancel, refresh). Its link enables the buttons as the
// set opens, moves and edits; Prior and Next repeat while held.
#include <QPointer>
#include <array>
#include <functional>

#include "platform/ui/control.h"
#include "platform/ui/data_set.h"
#include "platform/ui/string_list.h"
#include "skin_toolkit/controls/kwo_button.h"
#include "skin_toolkit/rules/navigator_logic.h"
#include "skin_toolkit/themes/theme_client.h"

namespace kwo {

class TkwoDBNavigator;

// One button of the row. Prior and Next repeat through the button's own
// timer: first after 400 ms, then every 100 ms, while the left button that
// went down on it is still held.
class TkwoNavButton : public TkwoButton {
  Q_OBJECT
 public:
  static constexpr int kFirstRepeatMs = 400;
  static constexpr int kRepeatMs = 100;

  TkwoNavButton(TkwoDBNavigator *navigator, TNavigateBtn index);

  TNavigateBtn index() const { return index_; }
  bool repeats() const { return repeats_; }

  // Runs when a repeat tick finds the button still held.
  std::function<void(TkwoNavButton *sender)> OnRepeat;

 public slots:
  // One tick of the repeat timer (tests drive it from here).
  void tick();

 protected:
  void paint(QPainter &painter) override;
  void mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

 private:
  void repeatTick();

  TkwoDBNavigator *navigator_;
  TNavigateBtn index_;
  bool repeats_;
};

// The navigator's link: hands the data set's notices to the navigator.
class TkwoNavDataLink : public QObject, public ui::DataLink {
  Q_OBJECT
 public:
  explicit TkwoNavDataLink(TkwoDBNavigator *navigator);
  ~TkwoNavDataLink() override;

 protected:
  void activeChanged() override;
  void dataSetChanged() override;
  void editingChanged() override;

 private:
  TkwoDBNavigator *navigator_;
};

class TkwoDBNavigator : public ui::Control, public ThemeClient {
  Q_OBJECT
 public:
  using NavClickEvent = std::function<void(TkwoDBNavigator *sender, TNavigateBtn button)>;

  explicit TkwoDBNavigator(ui::Component *owner);
  ~TkwoDBNavigator() override;

  // Every button takes the style and the file theme, then the row repaints.
  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  void setUIStyle(TkwoUIStyle style) override;

  ui::DataSource *dataSource() const { return dataSource_.data(); }
  void setDataSource(ui::DataSource *source);

  // Which buttons are shown, indexed by TNavigateBtn.
  using ButtonSet = std::array<bool, kNavigatorButtonCount>;
  const ButtonSet &visibleButtons() const { return visibleButtons_; }
  void setVisibleButtons(const ButtonSet &buttons);

  // The caller's hints; a non-empty entry replaces its button's default.
  // Assigning the default texts leaves the list empty.
  const ui::StringList &hints() const { return hints_; }
  void setHints(const QStringList &hints);
  static const QStringList &defaultHints();

  bool confirmDelete() const { return confirmDelete_; }
  void setConfirmDelete(bool value) { confirmDelete_ = value; }
  Qt::CursorShape cursorShape() const { return cursorShape_; }
  void setCursorShape(Qt::CursorShape shape);
  bool tabStop() const { return focusPolicy() != Qt::NoFocus; }
  void setTabStop(bool value);

  TkwoNavButton *button(TNavigateBtn index) const { return buttons_[static_cast<std::size_t>(index)]; }
  TNavigateBtn focusedButton() const { return focusedButton_; }
  bool showsFocusOn(const TkwoNavButton *button) const;

  // The button's action on the data set, then OnClick; with no source or a
  // closed one only OnClick. Data-set errors reach the caller.
  virtual void buttonAction(TNavigateBtn index);

  bool wantsKey(int key, Qt::KeyboardModifiers modifiers) const override;
  void loaded() override;

  NavClickEvent BeforeAction;
  // Hides the control's own OnClick: the navigator's names the button.
  NavClickEvent OnClick;

 protected:
  void constrainSize(int &width, int &height) override;
  void resized() override;
  void paint(QPainter &painter) override;
  void enabledChanged() override;
  void keyPressEvent(QKeyEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;

 private:
  friend class TkwoNavDataLink;
  std::vector<bool> visibleList() const;
  void layoutButtons();
  void applyHints();
  void setFocusedButton(TNavigateBtn index);
  // The enabling steps the link runs.
  void activeChanged();
  void dataChanged();
  void editingChanged();
  void applyEnabling(bool data, bool editing);
  bool ownEnabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  TkwoNavDataLink link_;
  QPointer<ui::DataSource> dataSource_;
  ButtonSet visibleButtons_;
  ui::StringList hints_;
  std::array<TkwoNavButton *, kNavigatorButtonCount> buttons_{};
  TNavigateBtn focusedButton_ = TNavigateBtn::nbFirst;
  bool confirmDelete_ = true;
  Qt::CursorShape cursorShape_ = Qt::ArrowCursor;
  bool built_ = false;
};

}  // namespace kwo
