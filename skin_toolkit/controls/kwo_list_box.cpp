#include "skin_toolkit/controls/kwo_list_box.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include "platform/ui/color.h"
#include "skin_toolkit/controls/kwo_scroll_bar.h"
#include "skin_toolkit/rules/list_box_logic.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {

TkwoListBox::TkwoListBox(ui::Component *owner) : ui::ListBox(owner) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setBorderSingle(false);
  setBorderWidth(2);
  QListWidget *list = widget();
  list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // The list sets its range in a deferred layout: the range change, not
  // the row change, is what brings the final figures.
  QScrollBar *native = list->verticalScrollBar();
  connect(native, &QScrollBar::rangeChanged, this, [this] { syncScrollBar(); });
  connect(native, &QScrollBar::valueChanged, this, [this] { syncScrollBar(); });
  QAbstractItemModel *model = list->model();
  connect(model, &QAbstractItemModel::rowsInserted, this, [this] { syncScrollBar(); });
  connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { syncScrollBar(); });
  // A cleared list lays itself out at once, so the bar goes with the rows
  // rather than at the next deferred layout.
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    widget()->doItemsLayout();
    syncScrollBar();
  });
  setUIStyle(GetOwnerFormUIStyle(owner));
}

TkwoListBox::~TkwoListBox() {
  beginDestroy();
  // The list widget goes after this object: its last notices reach nothing.
  widget()->model()->disconnect(this);
  widget()->verticalScrollBar()->disconnect(this);
  // The bar outlives the list as a plain scroll bar.
  setVScrollBar(nullptr);
}

void TkwoListBox::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  TkwoUIStyle effective = TkwoUIStyle::DeepBlue;
  const bool fromFile = ResolveUIStyle(fileTheme(), style, effective);
  borderColor_ = ThemeSource::resolve(fileTheme(), style).color(tiControlBorderColor);
  if (vScrollBar_ != nullptr) vScrollBar_->setUIStyle(fromFile ? TkwoUIStyle::FromThemeFile : effective);
  update();
}

void TkwoListBox::setFileTheme(TkwoFileTheme *theme) {
  storeFileTheme(theme);
  if (vScrollBar_ != nullptr) vScrollBar_->setFileTheme(theme);
  setUIStyle(uiStyle_);
}

void TkwoListBox::setBorderColor(platform::TColor value) {
  borderColor_ = value;
  update();
}

void TkwoListBox::setVScrollBar(TkwoScrollBar *bar) {
  if (bar == vScrollBar_) return;
  if (TkwoScrollBar *old = vScrollBar_) {
    old->OnChange = nullptr;
    old->setLineButton(0);
    old->setMax(100);
    old->setEnabled(true);
  }
  vScrollBar_ = bar;
  if (bar == nullptr || isDestroying()) return;
  bar->setOrientation(TkwoProgressBarOrientation::kwoVertical);
  bar->OnChange = [this](ui::Control *) { scrollBarChanged(); };
  bar->bringToFront();
  placeScrollBar();
}

void TkwoListBox::placeScrollBar() {
  TkwoScrollBar *bar = vScrollBar_;
  if (bar == nullptr || isDestroying()) return;
  const int barLeft = bar->width() > width() ? left() : left() + width() - bar->width() - 2;
  bar->setBounds(barLeft, top() + 1, bar->width(), std::max(height() - 2, 0));
  syncScrollBar();
}

int TkwoListBox::nativeSliderLength() const {
  const QScrollBar *native = widget()->verticalScrollBar();
  QStyleOptionSlider option;
  option.initFrom(native);
  option.orientation = Qt::Vertical;
  option.minimum = native->minimum();
  option.maximum = native->maximum();
  option.sliderPosition = native->sliderPosition();
  option.sliderValue = native->value();
  option.singleStep = native->singleStep();
  option.pageStep = native->pageStep();
  option.upsideDown = false;
  option.subControls = QStyle::SC_All;
  return native->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, native).height();
}

void TkwoListBox::syncScrollBar() {
  TkwoScrollBar *bar = vScrollBar_;
  if (bar == nullptr || syncing_ || isDestroying()) return;
  syncing_ = true;
  const QScrollBar *native = widget()->verticalScrollBar();
  // The list's own flags: a disabled or hidden parent takes the bar with it.
  const ListBoxSync state = ListBoxSyncState(visible(), !testAttribute(Qt::WA_Disabled), native->minimum(),
                                             native->maximum(), nativeSliderLength());
  bar->setLineButton(state.lineButton);
  bar->setEnabled(state.enabled);
  bar->setVisible(state.shown);
  bar->setMax(native->maximum());
  bar->setMin(native->minimum());
  bar->setPosition(native->value());
  syncing_ = false;
}

void TkwoListBox::scrollBarChanged() {
  if (syncing_ || vScrollBar_ == nullptr) return;
  widget()->verticalScrollBar()->setValue(vScrollBar_->position());
  syncScrollBar();
}

bool TkwoListBox::event(QEvent *event) {
  const bool handled = ui::ListBox::event(event);
  switch (event->type()) {
    case QEvent::Move: placeScrollBar(); break;
    case QEvent::Show: syncScrollBar(); break;
    case QEvent::Hide:
      if (vScrollBar_ != nullptr) vScrollBar_->setVisible(false);
      break;
    default: break;
  }
  return handled;
}

void TkwoListBox::resized() {
  ui::ListBox::resized();
  placeScrollBar();
}

void TkwoListBox::enabledChanged() {
  ui::ListBox::enabledChanged();
  syncScrollBar();
}

void TkwoListBox::visibleChanged() {
  ui::ListBox::visibleChanged();
  if (visible()) {
    syncScrollBar();
  } else if (vScrollBar_ != nullptr) {
    vScrollBar_->setVisible(false);
  }
}

void TkwoListBox::paint(QPainter &painter) {
  painter.save();
  painter.setBrush(Qt::NoBrush);
  // One-pixel pens cover width + 1, so each ring ends on its far pixels.
  painter.setPen(ui::toQColor(borderColor_));
  painter.drawRect(0, 0, width() - 1, height() - 1);
  painter.setPen(ui::toQColor(color()));
  painter.drawRect(1, 1, width() - 3, height() - 3);
  painter.restore();
}

}  // namespace kwo
