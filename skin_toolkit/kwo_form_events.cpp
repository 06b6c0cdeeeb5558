// The skinned frame's share of its form's events and of the application's
// keys: the active and inactive caption, maximising to the work area, the
// window's shape after a size change, the system-menu key and the shortcuts
// of the menu the frame shows.
#include <QEvent>
#include <QKeyEvent>

#include "application.h"
#include "drawing.h"
#include "kwo_form.h"
#include "kwo_title_bar.h"
#include "menu.h"
#include "kwo_title_bar_menu.h"

namespace kwo {
namespace {

bool isAltSpace(const QKeyEvent &key) {
  const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  return key.key() == Qt::Key_Space && mods == Qt::AltModifier;
}

}  // namespace

void TkwoForm::formEvent(ui::Form &form, QEvent &event) {
  if (destroying_ || !active_) return;
  switch (event.type()) {
    case QEvent::WindowActivate:
      if (titleBar_ != nullptr) titleBar_->setFormActive(true);
      break;
    case QEvent::WindowDeactivate:
      if (titleBar_ != nullptr) titleBar_->setFormActive(false);
      break;
    case QEvent::KeyPress:
      // A key no control of the form took.
      if (handleShortCut(static_cast<QKeyEvent &>(event))) event.accept();
      break;
    case QEvent::Show:
      // The menu lives in the menu bar.
      if (form.menu() != nullptr) form.setMenu(nullptr);
      break;
    case QEvent::Resize:
      formResized(form);
      break;
    default:
      break;
  }
}

void TkwoForm::formResized(ui::Form &form) {
  if (startedMaximized_) {
    // The first size of a normal window after a maximised start is the one
    // the frame was created with.
    if (form.windowState() != ui::WindowState::Maximized) {
      startedMaximized_ = false;
      form.setBounds(restoreBounds_.x(), restoreBounds_.y(), restoreBounds_.width(), restoreBounds_.height());
    }
    mdiChildMoved_ = true;
  }
  if (form.windowState() == ui::WindowState::Maximized) {
    QRect area = GetWorkAreaRect(&form);
    area.setBottom(area.bottom() - 1);
    if (area.isValid() && form.geometry() != area) form.setBounds(area.x(), area.y(), area.width(), area.height());
  }
  paintBorder();
  if (titleBar_ != nullptr) titleBar_->update();
  updateRegion();
}

bool TkwoForm::appMessageHook(const QKeyEvent &key) {
  if (destroying_ || !active_ || key.type() != QEvent::KeyPress) return false;
  if (isAltSpace(key)) {
    popUpSystemMenu();
    return true;
  }
  return handleShortCut(key);
}

void TkwoForm::popUpSystemMenu() {
  ui::Form *form = this->form();
  if (form == nullptr || titleBar_ == nullptr) return;
  if (ui::PopupMenu *menu = titleBar_->systemMenu()) {
    const QRect bounds = form->geometry();
    menu->popup(bounds.left(), bounds.top() + titleBarHeight());
  }
}

bool TkwoForm::handleShortCut(const QKeyEvent &key) {
  if (destroying_ || !active_ || menu_ == nullptr) return false;
  ui::Form *form = this->form();
  if (form == nullptr || !IsFormActive(form) || !form->isActiveWindow()) return false;
  return menu_->isShortCut(key.keyCombination());
}

}  // namespace kwo
