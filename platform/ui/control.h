#pragma once
// Visual components. A control keeps its own Visible flag, an ordered list of
// child controls, an alignment that its parent lays out at once (also while
// hidden), a colour and font that may follow the parent's, and a window
// handle through which other threads reach it.
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/message_receiver.h"
#include "platform/tcolor.h"
#include "platform/ui/align_layout.h"
#include "platform/ui/component.h"
#include "platform/ui/font.h"

class QPainter;

namespace ui {

class Form;
class MessageBridge;
class PopupMenu;

enum class MouseButton { Left, Right, Middle };

// Keys and buttons held, as one set of flags.
using ShiftState = unsigned;
inline constexpr ShiftState ssShift = 1;
inline constexpr ShiftState ssAlt = 2;
inline constexpr ShiftState ssCtrl = 4;
inline constexpr ShiftState ssLeft = 8;
inline constexpr ShiftState ssRight = 16;
inline constexpr ShiftState ssMiddle = 32;
inline constexpr ShiftState ssDouble = 64;

ShiftState shiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = {});

class Control : public QWidget, public Component {
  Q_OBJECT
 public:
  using NotifyEvent = std::function<void(Control *sender)>;
  using MouseEvent = std::function<void(Control *sender, MouseButton button, ShiftState shift, int x, int y)>;
  using MouseMoveEvent = std::function<void(Control *sender, ShiftState shift, int x, int y)>;

  explicit Control(Component *owner);
  ~Control() override;

  QObject *object() override { return this; }

  // --- Parent and children ---
  Control *parentControl() const;
  // Moves the control under another parent (or none); its Visible flag stays.
  void setParentControl(Control *parent);
  const std::vector<Control *> &controls() const { return controls_; }
  int controlCount() const { return static_cast<int>(controls_.size()); }
  Control *control(int index) const;
  // First and last place among the parent's children (and on screen).
  void bringToFront();
  void sendToBack();
  // The form the control lies on, or null.
  Form *parentForm() const;

  // --- Visibility ---
  bool visible() const { return visible_; }
  void setVisible(bool visible) override;

  // --- Bounds and layout ---
  int left() const { return x(); }
  int top() const { return y(); }
  void setLeft(int value) { setBounds(value, top(), width(), height()); }
  void setTop(int value) { setBounds(left(), value, width(), height()); }
  void setWidth(int value) { setBounds(left(), top(), value, height()); }
  void setHeight(int value) { setBounds(left(), top(), width(), value); }
  virtual void setBounds(int left, int top, int width, int height);
  QRect boundsRect() const { return geometry(); }

  Align align() const { return align_; }
  void setAlign(Align align);
  // The area children are aligned in, in the control's coordinates.
  QRect clientRect() const;
  // Lays the children out again (aligned ones, or all for containers that
  // arrange their children themselves).
  void realign();

  // --- Appearance ---
  platform::TColor color() const { return color_; }
  void setColor(platform::TColor color);
  bool parentColor() const { return parentColor_; }
  void setParentColor(bool value);
  const Font &controlFont() const { return font_; }
  void setControlFont(const Font &font);
  bool parentFont() const { return parentFont_; }
  void setParentFont(bool value);

  const QString &caption() const { return caption_; }
  void setCaption(const QString &caption);
  const QString &hint() const { return hint_; }
  void setHint(const QString &hint);
  intptr_t tag() const { return tag_; }
  void setTag(intptr_t tag) { tag_ = tag; }
  PopupMenu *popupMenu() const { return popupMenu_; }
  void setPopupMenu(PopupMenu *menu);

  bool canFocus() const;

  // --- Window messages ---
  // The control's window handle; registered on first use.
  HWND handle();
  bool handleAllocated() const { return bridge_ != nullptr; }
  // Unregisters the handle and drops the messages not yet handled (their
  // senders get 0). A control whose destructor must stop notices before it
  // tears anything down calls this first; the base destructor does it too.
  void destroyHandle();

  // --- Keys routed by the form ---
  // True when the control takes this key itself (it is then no dialog key).
  virtual bool wantsKey(int key, Qt::KeyboardModifiers modifiers) const;
  // Whether the control can hold the focus at all, whether or not Tab
  // stops at it: the arrow keys move to it either way. The default: a focus
  // policy other than NoFocus.
  virtual bool acceptsFocus() const;
  // Enabled, shown with all its parents, and able to hold the focus,
  // whether or not Tab stops at it.
  bool canHoldFocus() const;
  // Enter, Escape and the like that no focused control took: the default
  // offers the key to each child in turn.
  virtual bool dialogKey(int key, Qt::KeyboardModifiers modifiers);
  // An accelerator character: offered to each child in turn.
  virtual bool dialogChar(QChar character);
  // Some control of the form got the focus (null: none of ours); previous
  // is the control that had it (null: none).
  virtual void focusChanged(Control *focused, Control *previous = nullptr);

  // --- Events ---
  NotifyEvent OnResize;
  NotifyEvent OnClick;
  NotifyEvent OnDblClick;
  MouseEvent OnMouseDown;
  MouseEvent OnMouseUp;
  MouseMoveEvent OnMouseMove;

  // Runs the click behaviour as a release inside the control would.
  virtual void click();

 protected:
  // Adjusts a proposed size before setBounds or the parent's alignment
  // applies it; the default takes any size.
  virtual void constrainSize(int & /*width*/, int & /*height*/) {}
  // The client rectangle inside the control's own edges.
  virtual void adjustClientRect(QRect &rect) const;
  // Places the children; the default lays out the aligned ones.
  virtual void alignControls();
  // Containers that place every child (tool bars) set this, so that any
  // child's change of size or visibility lays them out again.
  void setArrangesChildren(bool value) { arrangesChildren_ = value; }
  // The size changed (also while hidden); fires OnResize.
  virtual void resized();
  virtual void paint(QPainter &painter);
  virtual void colorChanged() { update(); }
  virtual void fontChanged() { update(); }
  virtual void captionChanged() { update(); }
  virtual void enabledChanged() { update(); }
  virtual void visibleChanged() {}
  virtual void mouseDown(MouseButton button, ShiftState shift, int x, int y);
  virtual void mouseMove(ShiftState shift, int x, int y);
  virtual void mouseUp(MouseButton button, ShiftState shift, int x, int y);
  virtual void mouseEnter() {}
  virtual void mouseLeave() {}
  virtual void dblClick();
  virtual LRESULT windowMessage(const platform::WindowMessage &message);
  void notification(Component *component, Operation operation) override;

  // Controls whose double clicks count as two single clicks.
  void setDoubleClicks(bool value) { doubleClicks_ = value; }
  // Whether a release inside after a press runs click().
  void setClickEvents(bool value) { clickEvents_ = value; }

  bool event(QEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void changeEvent(QEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void enterEvent(QEnterEvent *event) override;
  void leaveEvent(QEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;

  // Applies the own Visible flag to the widget (a form shows itself).
  void applyVisible();
  // While one lives, Qt's own hiding and showing (a widget changing parents
  // or window flags hides itself) leaves the Visible flag alone.
  class KeepVisibleFlag {
   public:
    explicit KeepVisibleFlag(Control &control) : control_(control) { ++control_.keepVisibleFlag_; }
    ~KeepVisibleFlag() { --control_.keepVisibleFlag_; }
    KeepVisibleFlag(const KeepVisibleFlag &) = delete;
    KeepVisibleFlag &operator=(const KeepVisibleFlag &) = delete;

   private:
    Control &control_;
  };
  bool keepingVisibleFlag() const { return keepVisibleFlag_ > 0; }
  // Stores the Visible flag without touching the widget.
  void storeVisible(bool visible) { visible_ = visible; }
  // The size last handled by sizeChanged().
  QSize handledSize() const { return lastSize_; }
  // Called when the control's size really changed.
  void sizeChanged();

 private:
  void childRemoved(Control *child);
  void parentPropertiesChanged();

  std::vector<Control *> controls_;
  bool visible_ = true;
  Align align_ = Align::None;
  bool aligning_ = false;
  QSize lastSize_;
  platform::TColor color_ = platform::clBtnFace;
  bool parentColor_ = false;
  Font font_;
  bool parentFont_ = true;
  QString caption_;
  QString hint_;
  intptr_t tag_ = 0;
  PopupMenu *popupMenu_ = nullptr;
  std::unique_ptr<MessageBridge> bridge_;
  bool doubleClicks_ = true;
  bool clickEvents_ = true;
  bool leftDown_ = false;
  bool parentGone_ = false;
  bool arrangesChildren_ = false;
  int keepVisibleFlag_ = 0;

  bool placedByParent() const;
};

}  // namespace ui
