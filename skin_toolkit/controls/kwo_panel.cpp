#include "skin_toolkit/controls/kwo_panel.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <stdexcept>

#include "platform/ui/color.h"
#include "skin_toolkit/rules/panel_logic.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/file_theme.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {

TkwoPanel::TkwoPanel(ui::Component *owner)
    : ui::Panel(owner), buttonPicture_(QPixmap::fromImage(KeyedImage(BuiltInBitmap(kPanelButtonImageName), kKeyColor))) {
  setPlain();
  // The panel fills its whole rectangle.
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Moves arrive without a button held, for the button's hot state.
  setMouseTracking(true);
  ui::Control::setBounds(left(), top(), 100, 100);
  fullHeight_ = 100;
  setUIStyle(GetOwnerFormUIStyle(owner));
}

TkwoPanel::~TkwoPanel() {
  beginDestroy();
  QObject::disconnect(themeWatch_);
}

void TkwoPanel::setFileTheme(TkwoFileTheme *theme) {
  const bool changed = theme != fileTheme();
  storeFileTheme(theme);
  if (changed) {
    QObject::disconnect(themeWatch_);
    themeWatch_ = {};
    if (theme != nullptr) {
      themeWatch_ = connect(theme, &QObject::destroyed, this, [this] { fileThemeDestroyed(); });
    }
  }
  takingFileTheme_ = true;
  setUIStyle(uiStyle_);
  takingFileTheme_ = false;
}

void TkwoPanel::fileThemeDestroyed() {
  // The reference has cleared itself and set the panel's own style by now.
  QObject::disconnect(themeWatch_);
  themeWatch_ = {};
  if (isDestroying()) return;
  ApplyThemeToChildren(*this, TkwoUIStyle::DeepBlue, nullptr);
}

void TkwoPanel::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  if (takingFileTheme_ && style != TkwoUIStyle::FromThemeFile) return;
  setColor(platform::clWhite);
  const ThemeSource source = ThemeSource::resolve(fileTheme(), style);
  barPicture_ = QPixmap::fromImage(source.image(tiSideChannelBarImage));
  borderColor_ = source.color(tiControlBorderColor);
  if (source.fromFile()) {
    // A skin imitating a look with dark captions names it by its marker.
    const int marker = source.baseLookMarker();
    captionFontColor_ = marker >= 2 ? platform::clBlack : platform::clWhite;
  } else {
    captionFontColor_ = source.effective() == TkwoUIStyle::MacOS ? platform::clBlack
                                                                 : source.color(tiMenuSelectedFontColor);
  }
  // The bar's height may have changed: the children align again.
  const int full = fullHeight_;
  setFullHeight(full - 1);
  setFullHeight(full);
  realign();
  update();
}

void TkwoPanel::setBorderColor(platform::TColor color) {
  borderColor_ = color;
  update();
}

void TkwoPanel::setCaptionFontColor(platform::TColor color) {
  captionFontColor_ = color;
  update();
}

void TkwoPanel::setShowButton(bool value) {
  showButton_ = value;
  update();
}

void TkwoPanel::setFullHeight(int value) {
  fullHeight_ = std::max(value, 0);
  if (unfolded_) ui::Control::setBounds(left(), top(), width(), fullHeight_);
}

int TkwoPanel::barHeight() const { return PanelBarHeight(barPicture_.isNull() ? 0 : barPicture_.height()); }

bool TkwoPanel::buttonShown() const {
  const ui::Align a = align();
  return showButton_ && a != ui::Align::Client && a != ui::Align::Left && a != ui::Align::Right;
}

void TkwoPanel::adjustClientRect(QRect &rect) const { rect.adjust(3, barHeight() + 3, -3, -3); }

void TkwoPanel::resized() {
  // Resizing an unfolded panel (by the user, alignment or code) changes
  // what a pop restores; the fold's own steps do not.
  if (!animating_ && unfolded_) fullHeight_ = height();
  ui::Panel::resized();
}

bool TkwoPanel::buttonHitAt(QPoint at) const {
  return buttonShown() && PanelButtonHit(PanelButtonHotRect(width(), barHeight()), {at.x(), at.y()});
}

QRect TkwoPanel::buttonRect() const {
  const Rect hot = PanelButtonHotRect(width(), barHeight());
  const Point at = PanelButtonOrigin(width(), barHeight());
  const int fw = buttonPicture_.width() / kPanelButtonFrameCount;
  return QRect(at.x, at.y, fw, buttonPicture_.height()).united(QRect(hot.left, hot.top, hot.width() + 1, hot.height() + 1));
}

void TkwoPanel::setButtonHot(bool hot) {
  if (hot == buttonHot_) return;
  buttonHot_ = hot;
  update(buttonRect());
}

void TkwoPanel::paint(QPainter &painter) {
  if (isDestroying()) return;
  const int w = width();
  const int bar = barHeight();
  painter.setPen(ui::toQColor(borderColor_));
  painter.setBrush(ui::toQColor(color()));
  if (w > 0 && height() > 0) painter.drawRect(QRect(0, 0, w - 1, height() - 1));
  if (!barPicture_.isNull() && w > 2) painter.drawPixmap(QRect(1, 0, w - 2, bar), barPicture_);
  painter.setFont(font());
  painter.setPen(ui::toQColor(captionFontColor_));
  painter.drawText(QRect(10, 0, std::max(w - 11, 0), bar), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   caption());
  if (!buttonShown()) return;
  const int fw = buttonPicture_.width() / kPanelButtonFrameCount;
  const Point at = PanelButtonOrigin(w, bar);
  const int frame = PanelButtonFrame(unfolded_, buttonHot_);
  painter.drawPixmap(at.x, at.y, buttonPicture_, (frame - 1) * fw, 0, fw, buttonPicture_.height());
}

void TkwoPanel::mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  setButtonHot(buttonHitAt(QPoint(x, y)));
  ui::Panel::mouseDown(button, shift, x, y);
}

void TkwoPanel::mouseMove(ui::ShiftState shift, int x, int y) {
  // Every move counts, however fast: the hot state is the last point seen.
  setButtonHot(buttonHitAt(QPoint(x, y)));
  ui::Panel::mouseMove(shift, x, y);
}

void TkwoPanel::mouseLeave() {
  setButtonHot(false);
  ui::Panel::mouseLeave();
}

void TkwoPanel::mouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  QPointer<TkwoPanel> self(this);
  ui::Panel::mouseUp(button, shift, x, y);
  if (self.isNull() || button != ui::MouseButton::Left || animating_) return;
  // Only a release on the drawn button folds or unfolds; a hot state left
  // from earlier (or an Align that hid the button since) does nothing.
  setButtonHot(buttonHitAt(QPoint(x, y)));
  if (buttonHitAt(QPoint(x, y))) {
    if (unfolded_) {
      push();
    } else {
      pop();
    }
  }
  if (!self.isNull()) update();
}

bool TkwoPanel::animateTo(int target) {
  QPointer<TkwoPanel> self(this);
  animating_ = true;
  for (int h : PanelFoldSteps(height(), target)) {
    ui::Control::setBounds(left(), top(), width(), h);
    repaint();
    // Input and timers go on during the steps; they may free the panel.
    QCoreApplication::processEvents();
    if (self.isNull() || isDying()) return false;
  }
  animating_ = false;
  return true;
}

void TkwoPanel::push() {
  if (animating_ || !unfolded_) return;
  const ui::Align a = align();
  if (a == ui::Align::Client || a == ui::Align::Left || a == ui::Align::Right) {
    throw std::logic_error("Can't push when Align is alClient, alLeft or alRight.");
  }
  if (!animateTo(barHeight())) return;
  unfolded_ = false;
  update();
  if (OnPush) OnPush(this);
}

void TkwoPanel::pop() {
  if (animating_ || unfolded_) return;
  if (!animateTo(fullHeight_)) return;
  unfolded_ = true;
  update();
  if (OnPop) OnPop(this);
}

}  // namespace kwo
