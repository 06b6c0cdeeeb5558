#include "skin_toolkit/controls/kwo_tab.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <utility>

#include "platform/ui/color.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/theme_source.h"

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
  setUIStyle(uiStyle_);
}

TkwoTabControlTopPanel::~TkwoTabControlTopPanel() {
  beginDestroy();
  tabs_.OnChange = nullptr;
}

void TkwoTabControlTopPanel::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  const ThemeSource source = ThemeSource::resolve(fileTheme(), style);
  const QImage tab = source.image(tiTabControlTabImage);
  const QImage bar = source.image(tiTabControlBarImage);
  const QImage buttons = source.image(tiScrollButtonImage);
  metrics_ = TabStripMetricsFor(sizeOf(tab), sizeOf(bar), sizeOf(buttons));
  pictures_ = {};
  pictures_.activeTab = ExtractBitmapFrame(tab, 2, 1);
  pictures_.inactiveTab = ExtractBitmapFrame(tab, 2, 2);
  pictures_.bar = bar;
  for (int k = 0; k < 4; ++k) {
    const QImage frame = ExtractBitmapFrame(buttons, 4, k + 1);
    if (!frame.isNull()) pictures_.scrollButtons[static_cast<size_t>(k)] = KeyedImage(frame, kKeyColor);
  }
  // Faces of the old look are of no use.
  tabFaces_.clear();
  if (ownerTab_ != nullptr && !ownerTab_->isDestroying()) {
    ownerTab_->placeStrip();
  } else {
    setHeight(metrics_.stripHeight);
  }
  stretchBar();
  relayout();
}

void TkwoTabControlTopPanel::stretchBar() {
  const int w = width() - 2;
  barFace_ = QImage();
  if (pictures_.bar.isNull() || w <= 0 || metrics_.barHeight <= 0) return;
  barFace_ = pictures_.bar.scaled(w, metrics_.barHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation);
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
  setRow(LayoutTabRow(rowInput()));
  update();
}

void TkwoTabControlTopPanel::setRow(TabRow row) {
  row_ = std::move(row);
  drawTabFaces();
}

void TkwoTabControlTopPanel::drawTabFaces() {
  // Faces already drawn at a size the row shows again are kept; the rest go.
  std::vector<TabFace> faces;
  faces.reserve(row_.drawn.size());
  for (const DrawnTab &tab : row_.drawn) {
    const int w = tab.rect.width();
    const int h = tab.rect.height();
    if (w <= 0 || h <= 0) continue;
    auto same = [&](const TabFace &f) { return f.width == w && f.height == h && f.active == tab.active; };
    if (std::any_of(faces.begin(), faces.end(), same)) continue;
    auto kept = std::find_if(tabFaces_.begin(), tabFaces_.end(), same);
    if (kept != tabFaces_.end()) {
      faces.push_back(std::move(*kept));
      tabFaces_.erase(kept);
      continue;
    }
    const QImage &picture = tab.active ? pictures_.activeTab : pictures_.inactiveTab;
    TabFace made{w, h, tab.active, QImage(w, h, QImage::Format_ARGB32_Premultiplied)};
    made.face.fill(Qt::transparent);
    if (!picture.isNull()) {
      QPainter painter(&made.face);
      DrawThreePartStretch(painter, picture, QRect(0, 0, w, h), false);
    }
    faces.push_back(std::move(made));
  }
  tabFaces_ = std::move(faces);
}

const QImage *TkwoTabControlTopPanel::tabFace(const DrawnTab &tab) const {
  for (const TabFace &f : tabFaces_) {
    if (f.width == tab.rect.width() && f.height == tab.rect.height() && f.active == tab.active) return &f.face;
  }
  return nullptr;
}

void TkwoTabControlTopPanel::scrollToSelected() {
  if (!ensurePending_) return;
  ensurePending_ = false;
  TabRowInput in = rowInput();
  const int offset = EnsureTabShown(in);
  if (offset == scrollOffset_) return;
  scrollOffset_ = offset;
  in.scrollOffset = offset;
  setRow(LayoutTabRow(in));
}

ScrollButtons TkwoTabControlTopPanel::scrollButtons() const {
  return PlaceScrollButtons(width(), height(), metrics_.scrollButton, row_.overflow, scrollOffset_);
}

int TkwoTabControlTopPanel::tabAt(int x, int y) const { return TabAt(row_, leftMargin_, metrics_.tabHeight, x, y); }

int TkwoTabControlTopPanel::hotScrollButton() const {
  if (!lastMouse_) return 0;
  return ScrollButtonAt(scrollButtons(), lastMouse_->x(), lastMouse_->y());
}

void TkwoTabControlTopPanel::resized() {
  ui::Panel::resized();
  stretchBar();
  relayout();
}

void TkwoTabControlTopPanel::forgetMouse() {
  lastMouse_.reset();
  if (hot_ != 0) {
    hot_ = 0;
    update();
  }
}

void TkwoTabControlTopPanel::enabledChanged() {
  if (!isEnabled()) forgetMouse();
  ui::Panel::enabledChanged();
}

void TkwoTabControlTopPanel::hideEvent(QHideEvent *event) {
  // No leave arrives for a strip hidden under the mouse.
  forgetMouse();
  ui::Panel::hideEvent(event);
}

void TkwoTabControlTopPanel::mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  QPointer<TkwoTabControlTopPanel> self(this);
  lastMouse_ = QPoint(x, y);
  ui::Panel::mouseDown(button, shift, x, y);
  if (self.isNull() || isDying() || button != ui::MouseButton::Left) return;
  hot_ = hotScrollButton();
  update();
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
  lastMouse_ = QPoint(x, y);
  ui::Panel::mouseMove(shift, x, y);
  if (self.isNull()) return;
  // Only the scroll buttons change as the mouse passes.
  if (hotScrollButton() != hot_) update();
}

void TkwoTabControlTopPanel::mouseLeave() { forgetMouse(); }

void TkwoTabControlTopPanel::paint(QPainter &painter) {
  if (isDestroying()) return;
  scrollToSelected();
  // Between and above the tabs the page control's parent shows through.
  const int w = width();
  const int tabH = metrics_.tabHeight;
  const int barH = metrics_.barHeight;
  if (!barFace_.isNull()) painter.drawImage(1, tabH, barFace_);
  if (barH > 0 && ownerTab_ != nullptr) {
    const QColor border = ui::toQColor(ownerTab_->borderColor());
    if (border.isValid()) {
      painter.setPen(border);
      painter.drawLine(0, tabH, 0, tabH + barH - 1);
      painter.drawLine(w - 1, tabH, w - 1, tabH + barH - 1);
    }
  }

  painter.setFont(ownerTab_ != nullptr ? ownerTab_->font() : font());
  painter.setPen(ownerTab_ != nullptr ? qcolor(ownerTab_->controlFont().color, QColor(0, 0, 0)) : QColor(0, 0, 0));
  for (const DrawnTab &tab : row_.drawn) {
    const QRect r = toQRect(tab.rect);
    if (r.width() <= 0 || r.height() <= 0) continue;
    if (const QImage *face = tabFace(tab)) painter.drawImage(r.topLeft(), *face);
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

  hot_ = hotScrollButton();
  const ScrollButtons buttons = scrollButtons();
  if (!buttons.shown) return;
  auto drawButton = [&](const Rect &at, int frame) {
    const QImage &picture = pictures_.scrollButtons[static_cast<size_t>(frame)];
    if (!picture.isNull()) painter.drawImage(at.left, at.top, picture);
  };
  drawButton(buttons.next, hot_ == 1 ? 1 : 0);
  drawButton(buttons.previous, hot_ == -1 ? 3 : 2);
}

// --- TkwoTab ---

TkwoTab::TkwoTab(ui::Component *owner) : ui::Panel(owner) {
  // Not opaque: the strip on top shows this control's parent around its
  // tabs, and this control paints only below the strip.
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
