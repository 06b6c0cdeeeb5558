#include "kwo_tab.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <utility>

#include "color.h"
#include "themes/theme_source.h"

namespace kwo {
namespace {

QColor qcolor(platform::TColor c, QColor fallback) {
  const QColor q = ui::toQColor(c);
  return q.isValid() ? q : fallback;
}

QRect toQRect(const Rect &r) { return QRect(r.left, r.top, r.width(), r.height()); }

ImageSize sizeOf(const QImage &picture) { return {picture.width(), picture.height()}; }

}  // namespace

// --- TkwoTabControlTopPanel ---

TkwoTabControlTopPanel::TkwoTabControlTopPanel(ui::Component *owner, TkwoTab *ownerTab)
    : ui::Panel(owner), ownerTab_(ownerTab) {
  setPlain();
  setCaption(QStringLiteral(" "));
  tabs_.OnChange = [this](ui::StringList *) { tabsChanged(); };
  tabs_.add(QStringLiteral("Tab1"));
  setMouseTracking(true);
  metrics_ = TabStripMetricsFor(uiStyle_);
  relayout();
}

TkwoTabControlTopPanel::~TkwoTabControlTopPanel() {
  beginDestroy();
  tabs_.OnChange = nullptr;
}

void TkwoTabControlTopPanel::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  const ThemeSource source = ThemeSource::resolve(fileTheme(), style);
  metrics_ = TabStripMetricsFor(sizeOf(source.image(tiTabControlTabImage)), sizeOf(source.image(tiTabControlBarImage)),
                                sizeOf(source.image(tiScrollButtonImage)));
  if (ownerTab_ != nullptr && !ownerTab_->isDestroying()) {
    ownerTab_->placeStrip();
  } else {
    setHeight(metrics_.stripHeight);
  }
  relayout();
}

void TkwoTabControlTopPanel::tabsChanged() {
  if (isDestroying()) return;
  visible_.resize(static_cast<size_t>(tabs_.count()), true);
  relayout();
}

bool TkwoTabControlTopPanel::tabVisible(int index) const {
  if (index < 0 || index >= static_cast<int>(visible_.size())) return true;
  return visible_[static_cast<size_t>(index)];
}

void TkwoTabControlTopPanel::setTabVisible(int index, bool visible) {
  if (index < 0 || index >= static_cast<int>(visible_.size())) return;
  visible_[static_cast<size_t>(index)] = visible;
  relayout();
}

void TkwoTabControlTopPanel::setLeftMargin(int value) {
  leftMargin_ = value;
  relayout();
}

void TkwoTabControlTopPanel::setTabIndex(int value) {
  switch (ClassifyTabIndex(tabIndex_, value, tabs_.count())) {
    case TabIndexChange::Nothing:
      return;
    case TabIndexChange::NoTabs:
      tabIndex_ = -1;
      relayout();
      return;
    case TabIndexChange::Ignored:
      update();
      return;
    case TabIndexChange::Change:
      break;
  }
  QPointer<TkwoTabControlTopPanel> self(this);
  if (clicked_ && ownerTab_ != nullptr && ownerTab_->OnChanging && !ownerTab_->isDying()) {
    bool allow = true;
    ownerTab_->OnChanging(ownerTab_, allow);
    if (self.isNull() || !allow) return;
  }
  tabIndex_ = value;
  relayout(true);
  if (ownerTab_ != nullptr && !ownerTab_->isDestroying()) ownerTab_->tabActivated(tabIndex_);
}

TabRowInput TkwoTabControlTopPanel::rowInput() const {
  TabRowInput in;
  const QFontMetrics metrics(ownerTab_ != nullptr ? ownerTab_->font() : font());
  const int count = tabs_.count();
  in.textWidths.reserve(static_cast<size_t>(count));
  in.emptyCaption.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const QString text = tabs_.string(i);
    in.textWidths.push_back(metrics.horizontalAdvance(text));
    in.emptyCaption.push_back(text.isEmpty());
  }
  in.visible = visible_;
  in.width = width();
  in.leftMargin = leftMargin_;
  in.scrollButtonWidth = metrics_.scrollButton.width;
  in.scrollOffset = scrollOffset_;
  in.tabIndex = tabIndex_;
  in.tabHeight = metrics_.tabHeight;
  return in;
}

void TkwoTabControlTopPanel::relayout(bool ensureShown) {
  if (isDestroying()) return;
  // Scrolling to the selected tab waits for the next paint, when the strip
  // has the size it is seen at (a window still being built has not).
  if (ensureShown) ensurePending_ = true;
  row_ = LayoutTabRow(rowInput());
  update();
}

void TkwoTabControlTopPanel::scrollToSelected() {
  if (!ensurePending_) return;
  ensurePending_ = false;
  TabRowInput in = rowInput();
  const int offset = EnsureTabShown(in);
  if (offset == scrollOffset_) return;
  scrollOffset_ = offset;
  in.scrollOffset = offset;
  row_ = LayoutTabRow(in);
}

ScrollButtons TkwoTabControlTopPanel::scrollButtons() const {
  return PlaceScrollButtons(width(), height(), metrics_.scrollButton, row_.overflow, scrollOffset_);
}

int TkwoTabControlTopPanel::tabAt(int x, int y) const { return TabAt(row_, leftMargin_, metrics_.tabHeight, x, y); }

void TkwoTabControlTopPanel::resized() {
  ui::Panel::resized();
  relayout();
}

void TkwoTabControlTopPanel::mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  QPointer<TkwoTabControlTopPanel> self(this);
  ui::Panel::mouseDown(button, shift, x, y);
  if (self.isNull() || isDying() || button != ui::MouseButton::Left) return;
  hot_ = ScrollButtonAt(scrollButtons(), x, y);
  if (hot_ != 0) {
    scrollOffset_ = ScrollAfterClick(hot_, row_.overflow, scrollOffset_, tabs_.count());
    relayout();
    return;
  }
  const int hit = tabAt(x, y);
  if (hit < 0) return;
  clicked_ = true;
  setTabIndex(hit);
  if (self.isNull()) return;
  clicked_ = false;
  relayout(true);
}

void TkwoTabControlTopPanel::mouseMove(ui::ShiftState shift, int x, int y) {
  QPointer<TkwoTabControlTopPanel> self(this);
  ui::Panel::mouseMove(shift, x, y);
  if (self.isNull()) return;
  const int hot = ScrollButtonAt(scrollButtons(), x, y);
  if (hot != hot_) {
    hot_ = hot;
    update();
  }
}

void TkwoTabControlTopPanel::mouseLeave() {
  if (hot_ != 0) {
    hot_ = 0;
    update();
  }
}

void TkwoTabControlTopPanel::paint(QPainter &painter) {
  if (isDestroying()) return;
  scrollToSelected();
  const int w = width();
  const int tabH = metrics_.tabHeight;
  const int barH = metrics_.barHeight;
  const QColor face = qcolor(color(), QColor(232, 232, 232));
  QColor border(0, 0, 0);
  QColor around = face;
  if (ownerTab_ != nullptr) {
    border = qcolor(ownerTab_->borderColor(), border);
    if (ui::Control *parent = ownerTab_->parentControl()) around = qcolor(parent->color(), face);
  }
  painter.fillRect(rect(), around);

  // The bar under the tabs, with the control's side edges.
  painter.fillRect(QRect(1, tabH, std::max(w - 2, 0), barH), face);
  painter.setPen(border);
  painter.drawLine(0, tabH, w - 2 > 0 ? w - 2 : 0, tabH);
  painter.drawLine(0, tabH, 0, tabH + barH - 1);
  painter.drawLine(w - 1, tabH, w - 1, tabH + barH - 1);

  const QFont captionFont = ownerTab_ != nullptr ? ownerTab_->font() : font();
  painter.setFont(captionFont);
  const QColor textColor = ownerTab_ != nullptr ? qcolor(ownerTab_->controlFont().color, QColor(0, 0, 0))
                                                : QColor(0, 0, 0);
  for (const DrawnTab &tab : row_.drawn) {
    const QRect r = toQRect(tab.rect);
    if (r.width() <= 0 || r.height() <= 0) continue;
    painter.fillRect(r, tab.active ? face : face.darker(112));
    painter.setPen(border);
    painter.drawLine(r.left(), r.bottom(), r.left(), r.top());
    painter.drawLine(r.left(), r.top(), r.right(), r.top());
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
    painter.setPen(textColor);
    const QString text = tabs_.string(tab.index);
    if (tab.clipped) {
      painter.save();
      painter.setClipRect(r);
      painter.drawText(r.adjusted(10, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
      painter.restore();
    } else {
      painter.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, text);
    }
  }

  const ScrollButtons buttons = scrollButtons();
  if (!buttons.shown) return;
  auto drawButton = [&](const Rect &b, bool hot, bool forward) {
    const QRect r = toQRect(b);
    if (r.width() <= 0 || r.height() <= 0) return;
    painter.fillRect(r, hot ? face.lighter(110) : face);
    painter.setPen(border);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    const QPoint c = r.center();
    QPolygon arrow;
    if (forward) {
      arrow << QPoint(c.x() - 2, c.y() - 4) << QPoint(c.x() + 2, c.y()) << QPoint(c.x() - 2, c.y() + 4);
    } else {
      arrow << QPoint(c.x() + 2, c.y() - 4) << QPoint(c.x() - 2, c.y()) << QPoint(c.x() + 2, c.y() + 4);
    }
    painter.setBrush(border);
    painter.drawPolygon(arrow);
    painter.setBrush(Qt::NoBrush);
  };
  drawButton(buttons.next, hot_ == 1, true);
  drawButton(buttons.previous, hot_ == -1, false);
}

// --- TkwoTab ---

TkwoTab::TkwoTab(ui::Component *owner) : ui::Panel(owner) {
  setPlain();
  setCaption(QStringLiteral(" "));
  setHeight(80);
}

TkwoTab::~TkwoTab() {
  beginDestroy();
  if (strip_ != nullptr) strip_->ownerTab_ = nullptr;
}

void TkwoTab::setupStrip(TkwoTabControlTopPanel *strip) {
  strip_ = strip;
  strip_->setParentControl(this);
  strip_->OnClick = [this](ui::Control *) { click(); };
  strip_->OnDblClick = [this](ui::Control *) { dblClick(); };
  placeStrip();
}

void TkwoTab::placeStrip() {
  if (strip_ == nullptr || isDestroying()) return;
  const int h = strip_->metrics().stripHeight;
  const bool heightChanged = strip_->height() != h;
  strip_->setBounds(0, 0, width(), h);
  if (heightChanged) realign();
}

void TkwoTab::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  if (strip_ == nullptr) return;
  // The strip takes the file theme and the style in one update.
  strip_->storeFileTheme(fileTheme());
  strip_->setUIStyle(style);
  applyTheme(style);
  const ThemeSource source = ThemeSource::resolve(fileTheme(), style);
  const platform::TColor background = source.color(tiControlBackgroundColor);
  strip_->setColor(background);
  setBorderColor(source.color(tiControlBorderColor));
  // WinXP's own table shows white pages; a skin file gives its colour.
  setColor(!source.fromFile() && source.effective() == TkwoUIStyle::WinXP ? platform::clWhite : background);
  update();
}

void TkwoTab::applyTheme(TkwoUIStyle style) { ApplyThemeToChildren(*this, style, fileTheme()); }

void TkwoTab::setBorderColor(platform::TColor color) {
  borderColor_ = color;
  borderColorChanged();
  update();
  if (strip_ != nullptr) strip_->update();
}

void TkwoTab::tabActivated(int index) {
  if (isLoading() || isDying()) return;
  QPointer<TkwoTab> self(this);
  if (OnTabActive) OnTabActive(this, index);
  if (!self.isNull() && !isDying() && OnChange) OnChange(this);
}

void TkwoTab::adjustClientRect(QRect &rect) const {
  const int stripHeight = strip_ != nullptr ? strip_->metrics().stripHeight : 0;
  rect.setLeft(rect.left() + 3);
  rect.setRight(rect.right() - 3);
  rect.setBottom(rect.bottom() - 3);
  rect.setTop(stripHeight + 3);
}

void TkwoTab::resized() {
  ui::Panel::resized();
  placeStrip();
}

void TkwoTab::fontChanged() {
  if (strip_ != nullptr && !isDestroying()) strip_->relayout();
}

void TkwoTab::paint(QPainter &painter) {
  if (isDestroying()) return;
  const int stripHeight = strip_ != nullptr ? strip_->metrics().stripHeight : 0;
  const QColor fill = ui::toQColor(color());
  if (fill.isValid()) painter.fillRect(QRect(0, stripHeight, width(), std::max(height() - stripHeight, 0)), fill);
  const QColor border = ui::toQColor(borderColor_);
  if (!border.isValid()) return;
  painter.setPen(border);
  const int right = width() - 1;
  const int bottom = height() - 1;
  painter.drawLine(0, stripHeight, 0, bottom);
  painter.drawLine(0, bottom, right, bottom);
  painter.drawLine(right, bottom, right, stripHeight - 1);
}

}  // namespace kwo
