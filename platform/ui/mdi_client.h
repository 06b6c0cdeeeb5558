#pragma once
// The client area of an MDI frame form: the frame's child forms live in it,
// each in a frameless sub-window, so a child draws its own caption. The
// client activates, maximises, restores, cascades and tiles its children;
// hooks see each of those commands after the client has carried it out.
#include <QEvent>
#include <QMdiArea>
#include <QPointer>
#include <vector>

#include "platform/ui/widget_host.h"

class QMdiSubWindow;

namespace ui {

class Form;
class MdiClient;

enum class MdiCommand { RefreshMenu, Maximize, Restore, TileHorizontal, TileVertical, Cascade };

// Sees the client's commands after the client's own handling. A hook and a
// client may go in either order: whichever dies first ends the tie.
class MdiClientHook {
 public:
  MdiClientHook() = default;
  MdiClientHook(const MdiClientHook &) = delete;
  MdiClientHook &operator=(const MdiClientHook &) = delete;
  virtual ~MdiClientHook();

 protected:
  friend class MdiClient;
  // child: the child the command was for, or null.
  virtual void mdiCommand(MdiClient &client, MdiCommand command, Form *child) = 0;

 private:
  std::vector<MdiClient *> hookedClients_;
};

// Sent to a child form, and so to its form hooks: Activate to the child
// that gains and the one that loses the activation (activated() tells
// which), Destroy to a child on its way out, before its hooks are dropped.
class MdiChildEvent : public QEvent {
 public:
  enum Kind { Activate, Destroy };
  MdiChildEvent(Kind kind, Form *activated);
  static QEvent::Type eventType();
  Kind kind() const { return kind_; }
  // The child being activated, or null when none is.
  Form *activated() const { return activated_; }

 private:
  Kind kind_;
  Form *activated_;
};

class MdiClient : public WidgetHost {
  Q_OBJECT
 public:
  explicit MdiClient(Component *owner);
  ~MdiClient() override;

  QMdiArea *area() const { return static_cast<QMdiArea *>(hostedWidget()); }

  // The current child, or null; a child on its way out is none.
  Form *activeMDIChild() const;
  // The children from the top of the stack down: index 0 is on top.
  std::vector<Form *> mdiChildren() const;
  int mdiChildCount() const { return static_cast<int>(mdiChildren().size()); }
  void activateChild(Form *child);

  // The client maximises or restores the child, then tells the hooks. For
  // null, or a form that is no child of this client, only the hooks hear.
  void maximizeChild(Form *child);
  void restoreChild(Form *child);
  void cascade();
  // Side by side when vertical, else one under the other.
  void tile(bool vertical);
  // Tells the hooks that the menu to show may have changed.
  void refreshMenu();

  // Hooks run in the order they were added; a hook added twice runs once.
  void addHook(MdiClientHook *hook);
  void removeHook(MdiClientHook *hook);

 protected:
  // The client may maximise or restore a child on its own, as it does for
  // the next child it activates while one is maximised: the child follows
  // its sub-window's state.
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  friend class Form;
  friend class MdiClientHook;
  // Takes the form in, in a frameless sub-window of its own.
  QMdiSubWindow *adopt(Form &child);
  // Lets the form go: its sub-window is freed, the form keeps living.
  void release(Form &child);
  bool isChild(const Form *form) const;
  void runHooks(MdiCommand command, Form *child);
  void subWindowActivated(QMdiSubWindow *window);

  std::vector<MdiClientHook *> hooks_;
  QPointer<Form> lastActive_;
};

}  // namespace ui
