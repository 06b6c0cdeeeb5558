#pragma once
// Top-level windows. A form keeps its own window state (with the bounds to
// restore), can draw its own frame as a ring of non-client pixels when the
// platform caption is removed, routes dialog keys, accelerators and menu
// shortcuts to its controls, and runs modally with a ModalResult.
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <functional>
#include <vector>

#include "platform/ui/control.h"

class QEventLoop;
class QMdiSubWindow;

namespace ui {

class MainMenu;
class Form;
class MdiClient;

// Sees every event of the forms it is added to, after the form has handled
// it. A hook and a form may go in either order: whichever dies first ends
// the tie, so a hook never runs once it is gone.
class FormEventHook {
 public:
  FormEventHook() = default;
  FormEventHook(const FormEventHook &) = delete;
  FormEventHook &operator=(const FormEventHook &) = delete;
  virtual ~FormEventHook();

 protected:
  friend class Form;
  virtual void formEvent(Form &form, QEvent &event) = 0;

 private:
  std::vector<Form *> hookedForms_;
};

enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
enum class WindowState { Normal, Minimized, Maximized };
// An MDI frame holds its child forms in its MDI client; an MDI child lives
// in the client of the application's main form.
enum class FormStyle { Normal, MDIForm, MDIChild };

struct SizeConstraints {
  int minWidth = 0;
  int minHeight = 0;
  int maxWidth = 0;  // 0: no limit
  int maxHeight = 0;
};

// Modal results.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrAbort = 3;
inline constexpr int mrRetry = 4;
inline constexpr int mrIgnore = 5;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;

class Form : public Control {
  Q_OBJECT
 public:
  using ModalHandler = std::function<int(Form &form)>;
  using NonClientPainter = std::function<void(QPainter &painter)>;

  explicit Form(Component *owner);
  ~Form() override;

  void setVisible(bool visible) override;
  void setBounds(int left, int top, int width, int height) override;

  int clientWidth() const { return clientRect().width(); }
  int clientHeight() const { return clientRect().height(); }
  void setClientWidth(int value);
  void setClientHeight(int value);
  // Centres the window by its outer size on the primary screen.
  void centerOnScreen();

  BorderStyle borderStyle() const { return borderStyle_; }
  // None removes the platform frame; the others keep it (a ring removes it
  // whatever the style).
  void setBorderStyle(BorderStyle style);
  bool isSizeable() const {
    return borderStyle_ == BorderStyle::Sizeable || borderStyle_ == BorderStyle::SizeToolWin;
  }
  const SizeConstraints &constraints() const { return constraints_; }
  void setConstraints(const SizeConstraints &constraints);
  bool autoScroll() const { return autoScroll_; }
  void setAutoScroll(bool value) { autoScroll_ = value; }

  WindowState windowState() const { return windowState_; }
  void setWindowState(WindowState state);
  // The bounds the form returns to from maximised or minimised.
  QRect normalBounds() const { return windowState_ == WindowState::Normal ? outerBounds() : normalBounds_; }
  // Where the window lies: an MDI child's place in its client, else the
  // form's own geometry.
  QRect outerBounds() const;

  // --- MDI ---
  FormStyle formStyle() const { return formStyle_; }
  // MDIForm gives the form an MDI client filling what its aligned controls
  // leave; MDIChild moves the form into the main form's client, and throws
  // std::logic_error when the main form is no MDI frame.
  void setFormStyle(FormStyle style);
  // The client of an MDI frame, else null.
  MdiClient *mdiClient() const { return mdiClient_; }
  // The client an MDI child lies in, else null.
  MdiClient *mdiHost() const;
  QMdiSubWindow *mdiSubWindow() const;

  // --- The emulated frame ---
  // Makes the form frameless and keeps n pixels round the client area for a
  // painted frame (0: back to the platform frame).
  void setNonClientRing(int n);
  int nonClientRing() const { return ring_; }
  // Draws the ring after the form's own painting; one painter at a time.
  void setNonClientPainter(const void *owner, NonClientPainter painter);
  void removeNonClientPainter(const void *owner);
  // The window's shape (an empty region: the whole rectangle). Kept, and
  // handed to the platform where it supports shaped windows.
  void setWindowRegion(const QRegion &region);
  const QRegion &windowRegion() const { return region_; }

  // Hooks run after the form's own handling of each event, in the order
  // they were added; a hook added twice runs once.
  void addEventHook(FormEventHook *hook);
  void removeEventHook(FormEventHook *hook);

  // Moves the window with the mouse once the pointer, still held, has left
  // the drag distance from globalPress; called from a press on a caption.
  void startMove(QPoint globalPress);
  bool moveArmed() const { return drag_.kind != DragKind::None; }
  // Sizes a sizeable normal window by those edges: the platform's own resize
  // where it has one, else the held mouse drags the edges from globalPress
  // until the button is released. False when the form cannot be sized now.
  bool startResize(Qt::Edges edges, QPoint globalPress);

  // --- Modality ---
  int modalResult() const { return modalResult_; }
  void setModalResult(int value);
  // Shows the form modally until ModalResult is non-zero; closing gives 2.
  int showModal();
  bool inModalLoop() const { return modalLoop_ != nullptr; }
  // Tests take the form instead of a modal loop; returns the previous handler.
  static ModalHandler setModalHandlerForTests(ModalHandler handler);

  // For buttons that carry no Default or Cancel of their own (windowless
  // ones): Enter clicks the default control and Escape the cancel control
  // when no control of the form used the key, with no Shift, Ctrl or Alt
  // held and only while the control is enabled and shown.
  Control *defaultControl() const { return defaultControl_; }
  void setDefaultControl(Control *control) { defaultControl_ = control; }
  Control *cancelControl() const { return cancelControl_; }
  void setCancelControl(Control *control) { cancelControl_ = control; }

  // The platform menu of the form (its shortcuts are the form's).
  MainMenu *menu() const { return menu_; }
  void setMenu(MainMenu *menu);

  // The control of this form that has the keyboard focus, or null.
  Control *focusedControl() const;

  // With KeyPreview set, OnKeyDown sees every key pressed in the form first,
  // before the menu, the dialog keys and the focused control; setting
  // handled uses the key up.
  using KeyEvent = std::function<void(Control *sender, int key, ShiftState shift, bool &handled)>;
  bool keyPreview() const { return keyPreview_; }
  void setKeyPreview(bool value) { keyPreview_ = value; }
  KeyEvent OnKeyDown;

  // Key routing before the focused widget sees the key: menu shortcuts,
  // dialog keys, accelerators. True when the key was used up.
  virtual bool preProcessKey(QKeyEvent &key);
  // An arrow key that the focused control did not take; true when it moved
  // the focus: Left and Up go to the previous sibling in tab order, Right
  // and Down to the next, wrapping round and passing over siblings that
  // cannot take the focus now, whether Tab stops at them or not. With Alt
  // or Ctrl held the key is passed on.
  virtual bool arrowKey(Control *focused, int key, Qt::KeyboardModifiers modifiers);

  std::function<void(Form *sender)> OnCreate;
  std::function<void(Form *sender)> OnWindowStateChange;

 protected:
  void adjustClientRect(QRect &rect) const override;
  void paint(QPainter &painter) override;
  void captionChanged() override;
  void notification(Component *component, Operation operation) override;
  // Runs OnCreate; the most-derived constructor calls it last.
  void doCreate();
  virtual void windowStateChanged();

  bool event(QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void changeEvent(QEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  friend class FormEventHook;
  enum class DragKind { None, MoveArmed, Moving, Resizing };
  Qt::Edges ringEdgesAt(QPoint pos) const;
  void endDrag();
  // Enter or Escape that no control used: the default or cancel control.
  bool formDialogKey(int key, Qt::KeyboardModifiers modifiers);
  QRect constrained(QRect r) const;
  void applyWindowFlags();
  friend class MdiClient;
  void leaveMdiRole();
  // The sub-window's state changed under the client's own handling.
  void mdiWindowStateChanged(Qt::WindowStates states);

  BorderStyle borderStyle_ = BorderStyle::Sizeable;
  SizeConstraints constraints_;
  bool autoScroll_ = true;
  WindowState windowState_ = WindowState::Normal;
  QRect normalBounds_;
  int ring_ = 0;
  NonClientPainter ncPainter_;
  const void *ncPainterOwner_ = nullptr;
  struct Drag {
    DragKind kind = DragKind::None;
    QPoint pressGlobal;
    QRect startGeometry;
    Qt::Edges edges;
  } drag_;
  int modalResult_ = 0;
  QEventLoop *modalLoop_ = nullptr;
  MainMenu *menu_ = nullptr;
  QPointer<Control> defaultControl_;
  QPointer<Control> cancelControl_;
  QRegion region_;
  bool keyPreview_ = false;
  std::vector<FormEventHook *> eventHooks_;
  FormStyle formStyle_ = FormStyle::Normal;
  MdiClient *mdiClient_ = nullptr;
  QPointer<MdiClient> mdiHost_;
  QPointer<QMdiSubWindow> subWindow_;
  // Ended in the destructor: the base destructors still move the focus.
  QMetaObject::Connection focusConnection_;
};

}  // namespace ui
