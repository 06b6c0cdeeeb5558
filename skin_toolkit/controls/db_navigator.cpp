#include "skin_toolkit/controls/db_navigator.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/ui/application.h"
#include "platform/ui/color.h"
#include "platform/ui/message_box.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/style.h"

namespace kwo {

namespace {

constexpr std::size_t idx(TNavigateBtn b) { return static_cast<std::size_t>(b); }

// Glyph i of the ten side by side, keyed on its top-left pixel.
QPixmap NavGlyph(int index) {
  static const QImage strip = BuiltInBitmap("DBNAV_BUTTON");
  const QImage frame = ExtractBitmapFrame(strip, kNavigatorButtonCount, index + 1);
  if (frame.isNull()) return {};
  return QPixmap::fromImage(KeyedImage(frame, frame.pixel(0, 0)));
}

}  // namespace

// --- TkwoNavButton ---

TkwoNavButton::TkwoNavButton(TkwoDBNavigator *navigator, TNavigateBtn index)
    : TkwoButton(navigator),
      navigator_(navigator),
      index_(index),
      repeats_(index == TNavigateBtn::nbPrior || index == TNavigateBtn::nbNext) {
  setFocusPolicy(Qt::NoFocus);
  setTabStop(false);
  setSpacing(-1);
  // The base button's held-button timer is the repeat: off for the others.
  setMouseContinuouslyDownInterval(repeats_ ? kFirstRepeatMs : 0);
  OnMouseContinuouslyDown = [this](ui::Control *) { repeatTick(); };
  setGlyph(NavGlyph(static_cast<int>(index)));
}

void TkwoNavButton::tick() { repeatTimer().tick(); }

void TkwoNavButton::repeatTick() {
  repeatTimer().setInterval(kRepeatMs);
  if (!pressed() || !OnRepeat) return;
  try {
    OnRepeat(this);
  } catch (...) {
    // Nothing stays held when the action fails, and the release that
    // follows is no click; the error goes on to the application's handler.
    releasePress();
    setClickEvents(false);
    update();
    throw;
  }
}

void TkwoNavButton::mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  if (button == ui::MouseButton::Left) setClickEvents(true);
  TkwoButton::mouseDown(button, shift, x, y);
}

void TkwoNavButton::mouseReleaseEvent(QMouseEvent *event) {
  TkwoButton::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) setClickEvents(true);
}

void TkwoNavButton::paint(QPainter &painter) {
  TkwoButton::paint(painter);
  // The button itself never takes the focus: the mark follows the
  // navigator's.
  if (!navigator_->showsFocusOn(this) || isDestroying()) return;
  QRect r = rect().adjusted(3, 3, -3, -3);
  if (pressed()) r.translate(1, 1);
  drawFocusRect(painter, r);
}

// --- TkwoNavDataLink ---

TkwoNavDataLink::TkwoNavDataLink(TkwoDBNavigator *navigator) : navigator_(navigator) { setVisualControl(true); }

TkwoNavDataLink::~TkwoNavDataLink() {
  navigator_ = nullptr;
  setDataSource(nullptr);
}

void TkwoNavDataLink::activeChanged() {
  if (navigator_ != nullptr) navigator_->activeChanged();
}

void TkwoNavDataLink::dataSetChanged() {
  if (navigator_ != nullptr) navigator_->dataChanged();
}

void TkwoNavDataLink::editingChanged() {
  if (navigator_ != nullptr) navigator_->editingChanged();
}

// --- TkwoDBNavigator ---

const QStringList &TkwoDBNavigator::defaultHints() {
  static const QStringList hints{"第一条记录", "前一条记录", "下一条记录", "最后一条记录", "插入记录",
                                 "删除记录",   "修改记录",   "提交修改",   "取消修改",     "刷新数据"};
  return hints;
}

TkwoDBNavigator::TkwoDBNavigator(ui::Component *owner) : ui::Control(owner), link_(this) {
  visibleButtons_.fill(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  for (int i = 0; i < kNavigatorButtonCount; ++i) {
    const auto index = static_cast<TNavigateBtn>(i);
    auto *b = new TkwoNavButton(this, index);
    b->setParentControl(this);
    b->setBounds(i * kNavigatorMinButtonWidth, 0, kNavigatorMinButtonWidth, kNavigatorMinButtonHeight);
    b->OnClick = [this, index](ui::Control *) { buttonAction(index); };
    b->OnRepeat = [this, index](TkwoNavButton *) { buttonAction(index); };
    b->OnMouseDown = [this, index](ui::Control *, ui::MouseButton, ui::ShiftState, int, int) {
      setFocusedButton(index);
    };
    buttons_[static_cast<std::size_t>(i)] = b;
  }
  hints_.OnChange = [this](ui::StringList *) { applyHints(); };
  built_ = true;
  setUIStyle(GetOwnerFormUIStyle(owner));
  setBounds(left(), top(), 250, 30);
  layoutButtons();
  applyHints();
  activeChanged();
}

TkwoDBNavigator::~TkwoDBNavigator() {
  beginDestroy();
  hints_.OnChange = nullptr;
  link_.setDataSource(nullptr);
}

void TkwoDBNavigator::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  for (TkwoNavButton *b : buttons_) {
    if (b != nullptr) b->setLook(style, fileTheme());
  }
  update();
}

void TkwoDBNavigator::setDataSource(ui::DataSource *source) {
  dataSource_ = source;
  link_.setDataSource(source);
  if (!isLoading()) activeChanged();
}

void TkwoDBNavigator::setCursorShape(Qt::CursorShape shape) {
  cursorShape_ = shape;
  setCursor(shape);
  for (TkwoNavButton *b : buttons_) b->setCursor(shape);
}

void TkwoDBNavigator::setTabStop(bool value) {
  setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
}

std::vector<bool> TkwoDBNavigator::visibleList() const {
  return std::vector<bool>(visibleButtons_.begin(), visibleButtons_.end());
}

void TkwoDBNavigator::setVisibleButtons(const ButtonSet &buttons) {
  visibleButtons_ = buttons;
  for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setVisible(visibleButtons_[i]);
  if (isLoading()) return;
  setBounds(left(), top(), width(), height());  // the size may have to change
  layoutButtons();
  update();
}

void TkwoDBNavigator::constrainSize(int &width, int &height) {
  if (isLoading() || !built_) return;
  const auto shown = static_cast<std::size_t>(std::count(visibleButtons_.begin(), visibleButtons_.end(), true));
  NavigatorMinSize(width, height, align() != ui::Align::None, shown);
}

void TkwoDBNavigator::resized() {
  layoutButtons();
  ui::Control::resized();
}

void TkwoDBNavigator::layoutButtons() {
  if (isLoading() || !built_) return;
  const NavigatorGeometry g = NavigatorLayout(width(), height(), align() != ui::Align::None, visibleList());
  for (std::size_t i = 0; i < buttons_.size() && i < g.buttons.size(); ++i) {
    const NavigatorButtonPlace &p = g.buttons[i];
    buttons_[i]->setBounds(p.visible ? p.left : width() + 1, 0, p.width, height());
  }
}

void TkwoDBNavigator::setHints(const QStringList &hints) {
  if (hints.join("\r\n") == defaultHints().join("\r\n")) {
    hints_.clear();
  } else {
    hints_.assign(hints);
  }
}

void TkwoDBNavigator::applyHints() {
  const QStringList &defaults = defaultHints();
  for (int i = 0; i < kNavigatorButtonCount; ++i) {
    const QString own = hints_.string(i);
    buttons_[static_cast<std::size_t>(i)]->setHint(own.isEmpty() ? defaults.at(i) : own);
  }
}

void TkwoDBNavigator::loaded() {
  ui::Control::loaded();
  setBounds(left(), top(), width(), height());
  layoutButtons();
  applyHints();
  activeChanged();
}

void TkwoDBNavigator::buttonAction(TNavigateBtn index) {
  ui::DataSource *source = dataSource_.data();
  ui::DataSet *set = source != nullptr ? source->dataSet() : nullptr;
  if (set != nullptr && source->state() != ui::DataSetState::Inactive) {
    QPointer<TkwoDBNavigator> self(this);
    if (BeforeAction) BeforeAction(this, index);
    if (self.isNull()) return;
    switch (index) {
      case TNavigateBtn::nbFirst: set->first(); break;
      case TNavigateBtn::nbPrior: set->prior(); break;
      case TNavigateBtn::nbNext: set->next(); break;
      case TNavigateBtn::nbLast: set->last(); break;
      case TNavigateBtn::nbInsert: set->insert(); break;
      case TNavigateBtn::nbDelete: {
        const QString title = ui::Application::instance() != nullptr ? ui::Application::instance()->title() : QString();
        if (!confirmDelete_ || ui::messageBox("删除记录？", title, ui::MB_OKCANCEL | ui::MB_ICONQUESTION) == ui::IDOK) {
          set->remove();
        }
        break;
      }
      case TNavigateBtn::nbEdit: set->edit(); break;
      case TNavigateBtn::nbPost: set->post(); break;
      case TNavigateBtn::nbCancel: set->cancel(); break;
      case TNavigateBtn::nbRefresh: set->refresh(); break;
    }
    if (self.isNull()) return;
  }
  if (OnClick) OnClick(this, index);
}

void TkwoDBNavigator::applyEnabling(bool data, bool editing) {
  ui::DataSet *set = link_.active() ? link_.dataSet() : nullptr;
  NavigatorState s;
  s.enabled = ownEnabled();
  s.active = set != nullptr;
  if (set != nullptr) {
    s.bof = set->bof();
    s.eof = set->eof();
    s.canModify = set->canModify();
    s.editing = link_.editing();
  }
  const auto on = NavigatorEnabling(s);
  static constexpr TNavigateBtn kDataButtons[] = {TNavigateBtn::nbFirst, TNavigateBtn::nbPrior, TNavigateBtn::nbNext,
                                                  TNavigateBtn::nbLast, TNavigateBtn::nbDelete};
  static constexpr TNavigateBtn kEditButtons[] = {TNavigateBtn::nbInsert, TNavigateBtn::nbEdit, TNavigateBtn::nbPost,
                                                  TNavigateBtn::nbCancel, TNavigateBtn::nbRefresh};
  if (data) {
    for (TNavigateBtn b : kDataButtons) button(b)->setEnabled(on[idx(b)]);
  }
  if (editing) {
    for (TNavigateBtn b : kEditButtons) button(b)->setEnabled(on[idx(b)]);
  }
}

void TkwoDBNavigator::activeChanged() {
  if (isDying() || !built_) return;
  applyEnabling(true, true);
}

void TkwoDBNavigator::dataChanged() {
  if (isDying() || !built_) return;
  applyEnabling(true, false);
}

void TkwoDBNavigator::editingChanged() {
  if (isDying() || !built_) return;
  applyEnabling(false, true);
}

void TkwoDBNavigator::enabledChanged() {
  ui::Control::enabledChanged();
  if (!isLoading()) activeChanged();
}

bool TkwoDBNavigator::showsFocusOn(const TkwoNavButton *b) const {
  return hasFocus() && b != nullptr && b->index() == focusedButton_;
}

void TkwoDBNavigator::setFocusedButton(TNavigateBtn index) {
  const TNavigateBtn old = focusedButton_;
  focusedButton_ = index;
  if (tabStop() && !hasFocus() && isEnabled() && isVisible()) {
    setFocus(Qt::MouseFocusReason);
    return;
  }
  button(old)->update();
  button(index)->update();
}

bool TkwoDBNavigator::wantsKey(int key, Qt::KeyboardModifiers) const {
  return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

void TkwoDBNavigator::keyPressEvent(QKeyEvent *event) {
  const int current = static_cast<int>(focusedButton_);
  switch (event->key()) {
    case Qt::Key_Space: {
      TkwoNavButton *b = button(focusedButton_);
      if (b->isEnabled()) b->click();
      break;
    }
    case Qt::Key_Left:
      setFocusedButton(static_cast<TNavigateBtn>(NavigatorFocusMove(current, false, visibleList())));
      break;
    case Qt::Key_Right:
      setFocusedButton(static_cast<TNavigateBtn>(NavigatorFocusMove(current, true, visibleList())));
      break;
    default:
      ui::Control::keyPressEvent(event);
      return;
  }
  event->accept();
}

void TkwoDBNavigator::focusInEvent(QFocusEvent *event) {
  ui::Control::focusInEvent(event);
  button(focusedButton_)->update();
}

void TkwoDBNavigator::focusOutEvent(QFocusEvent *event) {
  ui::Control::focusOutEvent(event);
  button(focusedButton_)->update();
}

void TkwoDBNavigator::paint(QPainter &painter) {
  const QColor back = ui::toQColor(color());
  if (back.isValid()) painter.fillRect(rect(), back);
}

}  // namespace kwo
