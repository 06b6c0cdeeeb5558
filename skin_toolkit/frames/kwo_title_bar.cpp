#include "skin_toolkit/frames/kwo_title_bar.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/ui/application.h"
#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/frames/kwo_title_bar_menu.h"
#include "skin_toolkit/frames/mdi_frame.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {
namespace {

std::u16string_view view(const QString &text) {
  return {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<size_t>(text.size())};
}

QString fromU16(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

ImageSize sizeOf(const QImage &picture) { return {picture.width(), picture.height()}; }

// The application icon at 16 x 16; the program's own icon when the
// application has none.
QImage loadAppIcon() {
  const QIcon icon = QApplication::windowIcon();
  if (!icon.isNull()) {
    const QImage picture = icon.pixmap(QSize(16, 16)).toImage();
    if (!picture.isNull()) {
      return picture.size() == QSize(16, 16) ? picture : picture.scaled(16, 16, Qt::IgnoreAspectRatio);
    }
  }
  const QImage builtIn = BuiltInBitmap("MAINICON");
  if (builtIn.isNull() || builtIn.size() == QSize(16, 16)) return builtIn;
  return builtIn.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

int TitleBarHeightFor(const ThemeSource &source, bool inSkinnedFrame) {
  return TitleBarHeightFor(sizeOf(source.image(tiTitleBarLeftImage)), inSkinnedFrame);
}

Size TitleButtonSize(const ThemeSource &source) { return TitleButtonSize(sizeOf(source.image(tiTitleBarButtonImage))); }

TkwoTitleBar::TkwoTitleBar(ui::Component *owner) : ui::Panel(owner) {
  setPlain();
  setMouseTracking(true);
  systemMenu_ = new TkwoTitleBarPopupMenu(this);
  for (TkwoTitleBarBtnType type : {TkwoTitleBarBtnType::kwoControlBox, TkwoTitleBarBtnType::kwoClose,
                                   TkwoTitleBarBtnType::kwoMax, TkwoTitleBarBtnType::kwoMin}) {
    Slot s;
    s.item.buttonType = type;
    buttons_.push_back(s);
  }
  setAlign(ui::Align::Top);
  ui::Font f = controlFont();
  f.name = QStringLiteral("Tahoma");
  f.bold = true;
  f.color = 0xFFFFFF;
  setControlFont(f);
  setUIStyle(GetOwnerFormUIStyle(owner));
}

TkwoTitleBar::~TkwoTitleBar() {
  beginDestroy();
  delete std::exchange(systemMenu_, nullptr);
}

bool TkwoTitleBar::inSkinnedFrame() const {
  return parentControl() != nullptr &&
         (qobject_cast<TkwoForm *>(parentControl()) != nullptr || dynamic_cast<TkwoMDIForm *>(owner()) != nullptr);
}

bool TkwoTitleBar::inMdiFrame() const {
  return parentControl() != nullptr && dynamic_cast<TkwoMDIForm *>(owner()) != nullptr;
}

// --- Style ---

void TkwoTitleBar::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  if (custom_) return;
  const ThemeSource source = ThemeSource::resolve(fileTheme(), style);
  effective_ = source.effective();

  sections_.clear();
  const int left = addSection();
  setSectionPicture(left, source.image(tiTitleBarLeftImage));
  setSectionAutoSize(left, true);
  const int right = addSection();
  setSectionPicture(right, source.image(tiTitleBarRightImage));
  setSectionAutoSize(right, true);
  setSectionAlign(right, TkwoTitleBarAlign::kwoRight);
  const int client = addSection();
  setSectionPicture(client, source.image(tiTitleBarClientImage));
  setSectionAlign(client, TkwoTitleBarAlign::kwoClient);

  leftBtnXOffset_ = source.integer(tiTitleBarButtonLeftOffsetInt);
  rightBtnXOffset_ = source.integer(tiTitleBarButtonRightOffsetInt);
  // The button strip is read once for every button.
  const QImage strip = source.image(tiTitleBarButtonImage);
  buttonImageHeight_ = std::max(strip.height(), 0);
  buttonTop_ = source.integer(tiTitleBarButtonTopInt) - (inSkinnedFrame() ? kFrameRing : 0);
  if (ui::Form *form = parentForm()) {
    ui::SizeConstraints c = form->constraints();
    // Never wider than the screen can show: a form at a skin's width limit
    // would have nothing it could paint into.
    c.minWidth = FormMinWidthFor(source.integer(tiFormMinWidthInt), GetWorkAreaRect(form).width());
    form->setConstraints(c);
  }
  roundCorner_ = std::max(source.integer(tiFormRoundCornerInt), 0);

  for (Slot &s : buttons_) {
    s.item.uiStyle = effective_;
    loadThemePictures(s, source, strip);
  }
  if (systemMenu_ != nullptr) {
    systemMenu_->setUIStyle(effective_);
    systemMenu_->setFileTheme(fileTheme());
  }

  if (!keepFontColor_) {
    bool black = style == TkwoUIStyle::MacOS;
    if (!black && source.fromFile()) {
      const int marker = source.baseLookMarker();
      black = marker == 1 || marker == 3 || marker == 4 || marker == 5;
    }
    ui::Font f = controlFont();
    f.color = black ? 0x000000 : 0xFFFFFF;
    setControlFont(f);
  }
  setAutoSize(true);
  update();
}

void TkwoTitleBar::setFileTheme(TkwoFileTheme *theme) {
  storeFileTheme(theme);
  keepFontColor_ = true;
  setUIStyle(uiStyle_);
  keepFontColor_ = false;
}

void TkwoTitleBar::setAutoSize(bool value) {
  if (sections_.empty()) {
    autoSize_ = false;
    return;
  }
  autoSize_ = value;
  setHeight(TitleBarHeightFor(sizeOf(sections_.front().picture), inSkinnedFrame()));
}

void TkwoTitleBar::setButtonInterval(int value) {
  buttonInterval_ = value;
  update();
}

void TkwoTitleBar::setFormActive(bool value) {
  formActive_ = value;
  update();
}

void TkwoTitleBar::setLeftBtnXOffset(int value) {
  leftBtnXOffset_ = value;
  update();
}

void TkwoTitleBar::setRightBtnXOffset(int value) {
  rightBtnXOffset_ = value;
  update();
}

void TkwoTitleBar::setDrawAppIcon(bool value) {
  drawAppIcon_ = value;
  update();
}

void TkwoTitleBar::showRefusal(const QString &text) {
  const ui::Application *app = ui::Application::instance();
  ui::messageBox(text, app != nullptr ? app->title() : QString(), ui::MB_OK | ui::MB_ICONERROR);
}

// --- Sections ---

TkwoTitleBarSection *TkwoTitleBar::sectionAt(int index) {
  if (index < 0 || index >= sectionCount()) return nullptr;
  return &sections_[static_cast<size_t>(index)];
}

TkwoTitleBarSection TkwoTitleBar::section(int index) const {
  if (index < 0 || index >= sectionCount()) return {};
  return sections_[static_cast<size_t>(index)];
}

QImage TkwoTitleBar::sectionPicture(int index) const {
  if (index < 0 || index >= sectionCount()) return {};
  return sections_[static_cast<size_t>(index)].picture;
}

int TkwoTitleBar::addSection() {
  sections_.emplace_back();
  update();
  return sectionCount() - 1;
}

void TkwoTitleBar::clearSections() {
  sections_.clear();
  update();
}

void TkwoTitleBar::setSections(const std::vector<TkwoTitleBarSection> &sections) {
  sections_.clear();
  for (const TkwoTitleBarSection &s : sections) assignSection(addSection(), s);
  update();
}

void TkwoTitleBar::assignSection(int index, const TkwoTitleBarSection &from) {
  if (sectionAt(index) == nullptr) return;
  const TkwoTitleBarSection copy = from;  // from may be this very section
  setSectionWidth(index, copy.width);
  setSectionAlign(index, copy.align);
  setSectionPicture(index, copy.picture);
  setSectionStretch(index, copy.stretch);
  setSectionAutoSize(index, copy.autoSize);
}

void TkwoTitleBar::setSectionWidth(int index, int value) {
  TkwoTitleBarSection *s = sectionAt(index);
  if (s == nullptr) return;
  s->width = value;
  update();
}

void TkwoTitleBar::setSectionAlign(int index, TkwoTitleBarAlign value) {
  TkwoTitleBarSection *s = sectionAt(index);
  if (s == nullptr) return;
  if (value == TkwoTitleBarAlign::kwoClient) {
    const bool taken = std::any_of(sections_.begin(), sections_.end(), [](const TkwoTitleBarSection &other) {
      return other.align == TkwoTitleBarAlign::kwoClient;
    });
    if (taken) {
      showRefusal(QStringLiteral("Sorry, only one section's Align property can be \"kwoClient\""));
      return;
    }
    s = sectionAt(index);  // the message may have run events
    if (s == nullptr) return;
    s->stretch = true;
  }
  s->align = value;
  update();
}

void TkwoTitleBar::setSectionAutoSize(int index, bool value) {
  TkwoTitleBarSection *s = sectionAt(index);
  if (s == nullptr) return;
  s->autoSize = value;
  if (!s->picture.isNull()) s->width = s->picture.width();
  update();
}

void TkwoTitleBar::setSectionPicture(int index, const QImage &picture) {
  TkwoTitleBarSection *s = sectionAt(index);
  if (s == nullptr) return;
  s->picture = picture;
  if (!picture.isNull() && s->autoSize) s->width = picture.width();
  update();
}

void TkwoTitleBar::setSectionStretch(int index, bool value) {
  TkwoTitleBarSection *s = sectionAt(index);
  if (s == nullptr) return;
  s->stretch = value || s->align == TkwoTitleBarAlign::kwoClient;
  update();
}

// --- Buttons ---

TkwoTitleBar::Slot *TkwoTitleBar::slot(int index) {
  if (index < 0 || index >= buttonCount()) return nullptr;
  return &buttons_[static_cast<size_t>(index)];
}

TkwoTitleBarButton TkwoTitleBar::button(int index) const {
  if (index < 0 || index >= buttonCount()) return {};
  return buttons_[static_cast<size_t>(index)].item;
}

int TkwoTitleBar::addButton(TkwoTitleBarBtnType type) {
  Slot s;
  s.item.uiStyle = effective_;
  buttons_.push_back(s);
  const int index = buttonCount() - 1;
  setButtonType(index, type);
  if (buttons_.empty() || buttons_.back().item.buttonType != type) {
    if (!buttons_.empty()) buttons_.pop_back();
    return -1;
  }
  return index;
}

void TkwoTitleBar::clearButtons() {
  buttons_.clear();
  hotButton_ = -1;
  update();
}

void TkwoTitleBar::setButtons(const std::vector<TkwoTitleBarButton> &buttons) {
  buttons_.clear();
  hotButton_ = -1;
  for (const TkwoTitleBarButton &b : buttons) {
    buttons_.emplace_back();
    assignButton(buttonCount() - 1, b);
  }
  update();
}

void TkwoTitleBar::assignButton(int index, const TkwoTitleBarButton &from) {
  if (slot(index) == nullptr) return;
  const TkwoTitleBarButton copy = from;  // from may be this very button
  setButtonVisible(index, copy.visible);
  setButtonType(index, copy.buttonType);
  setButtonTransparent(index, copy.transparent);
  setButtonTop(index, copy.top);
  setButtonUIStyle(index, copy.uiStyle);
  setButtonPicNormal(index, copy.picNormal);
  setButtonPicMouseOn(index, copy.picMouseOn);
  setButtonPicMouseDown(index, copy.picMouseDown);
  setButtonControlBoxMenu(index, copy.controlBoxMenu.data());
}

void TkwoTitleBar::setButtonVisible(int index, bool visible) {
  Slot *s = slot(index);
  if (s == nullptr) return;
  s->item.visible = visible;
  update();
}

void TkwoTitleBar::setButtonType(int index, TkwoTitleBarBtnType type) {
  if (slot(index) == nullptr) return;
  if (type == TkwoTitleBarBtnType::kwoControlBox) {
    const bool taken = std::any_of(buttons_.begin(), buttons_.end(), [](const Slot &s) {
      return s.item.buttonType == TkwoTitleBarBtnType::kwoControlBox;
    });
    if (taken) {
      showRefusal(QStringLiteral("Sorry, only one button's ButtonType property can be \"kwoControlBox\""));
      return;
    }
  }
  Slot *s = slot(index);  // the message may have run events
  if (s == nullptr) return;
  s->item.buttonType = type;
  loadThemePictures(*s);
  update();
}

void TkwoTitleBar::setButtonTransparent(int index, bool value) {
  Slot *s = slot(index);
  if (s == nullptr) return;
  s->item.transparent = value;
  refreshFaces(*s);
  update();
}

void TkwoTitleBar::setButtonTop(int index, int value) {
  Slot *s = slot(index);
  if (s == nullptr) return;
  s->item.top = value;
  update();
}

void TkwoTitleBar::setButtonUIStyle(int index, TkwoUIStyle style) {
  Slot *s = slot(index);
  if (s == nullptr) return;
  s->item.uiStyle = style;
  loadThemePictures(*s);
  update();
}

void TkwoTitleBar::setButtonPicture(int index, int which, const QImage &picture) {
  Slot *s = slot(index);
  if (s == nullptr) return;
  QImage *target[] = {&s->item.picNormal, &s->item.picMouseOn, &s->item.picMouseDown};
  *target[which] = picture;
  refreshFaces(*s);
  update();
}

void TkwoTitleBar::setButtonPicNormal(int index, const QImage &picture) { setButtonPicture(index, 0, picture); }

void TkwoTitleBar::setButtonPicMouseOn(int index, const QImage &picture) { setButtonPicture(index, 1, picture); }

void TkwoTitleBar::setButtonPicMouseDown(int index, const QImage &picture) { setButtonPicture(index, 2, picture); }

void TkwoTitleBar::setButtonControlBoxMenu(int index, ui::PopupMenu *menu) {
  Slot *s = slot(index);
  if (s == nullptr) return;
  s->item.controlBoxMenu = menu;
}

void TkwoTitleBar::loadThemePictures(Slot &s) {
  const ThemeSource source = ThemeSource::resolve(fileTheme(), s.item.uiStyle);
  loadThemePictures(s, source, source.image(tiTitleBarButtonImage));
}

void TkwoTitleBar::loadThemePictures(Slot &s, const ThemeSource &source, const QImage &strip) {
  s.item.transparent = source.boolean(tiTitleBarButtonTransparentBool);
  s.maxFrames = {};
  s.restoreFrames = {};
  if (s.item.buttonType == TkwoTitleBarBtnType::kwoCustom) {
    refreshFaces(s);
    return;
  }
  // Both frame sets of a maximise button are cut here; the window state
  // only picks one.
  auto frames = [&strip](int first) {
    std::array<QImage, 3> out;
    for (size_t k = 0; k < out.size(); ++k) {
      out[k] = ExtractBitmapFrame(strip, kTitleButtonFrameCount, first + static_cast<int>(k));
    }
    return out;
  };
  const std::array<QImage, 3> own = frames(TitleButtonFirstFrame(s.item.buttonType, false));
  if (s.item.buttonType == TkwoTitleBarBtnType::kwoMax) {
    s.maxFrames = own;
    s.restoreFrames = frames(TitleButtonFirstFrame(TkwoTitleBarBtnType::kwoMax, true));
  }
  s.item.picNormal = own[0];
  s.item.picMouseOn = own[1];
  s.item.picMouseDown = own[2];
  s.item.top = source.integer(tiTitleBarButtonTopInt);
  if (s.item.buttonType == TkwoTitleBarBtnType::kwoMax && !custom_) {
    updateMaxPicture(s);
  } else {
    refreshFaces(s);
  }
}

void TkwoTitleBar::updateMaxPicture(Slot &s) {
  if (s.item.buttonType != TkwoTitleBarBtnType::kwoMax || custom_) return;
  const std::array<QImage, 3> &frames = formMaximized() ? s.restoreFrames : s.maxFrames;
  s.item.picNormal = frames[0];
  s.item.picMouseOn = frames[1];
  s.item.picMouseDown = frames[2];
  refreshFaces(s);
}

void TkwoTitleBar::refreshMaxButtons() {
  for (Slot &s : buttons_) updateMaxPicture(s);
  update();
}

void TkwoTitleBar::refreshFaces(Slot &s) {
  // Each picture is drawn into a scratch picture of the normal picture's
  // size; a transparent button shows the bar through the colour of its
  // bottom-left pixel.
  const QImage *pictures[] = {&s.item.picNormal, &s.item.picMouseOn, &s.item.picMouseDown};
  const QSize size = s.item.picNormal.size();
  for (size_t k = 0; k < 3; ++k) {
    const QImage &picture = *pictures[k];
    QImage face;
    if (!size.isEmpty() && !picture.isNull()) {
      if (picture.size() == size) {
        face = picture;
      } else {
        face = QImage(size, QImage::Format_ARGB32_Premultiplied);
        face.fill(Qt::transparent);
        QPainter p(&face);
        p.drawImage(0, 0, picture);
      }
      if (s.item.transparent) face = KeyedImage(face, face.pixel(0, face.height() - 1));
      if (face.format() == QImage::Format_ARGB32) face = face.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    s.faces[k] = face;
  }
}

// --- Layout and state ---

TitleBarLayout TkwoTitleBar::buttonLayout() const {
  TitleBarLayoutInput in;
  in.barWidth = width();
  in.leftOffset = leftBtnXOffset_;
  in.rightOffset = rightBtnXOffset_;
  in.interval = buttonInterval_;
  in.buttonTop = buttonTop_;
  in.drawAppIcon = drawAppIcon_;
  in.buttons.reserve(buttons_.size());
  for (const Slot &s : buttons_) {
    in.buttons.push_back({s.item.buttonType, s.item.visible, s.item.picNormal.width(), s.item.picNormal.height()});
  }
  return LayOutTitleBar(in);
}

const QImage &TkwoTitleBar::appIcon() {
  const QIcon icon = QApplication::windowIcon();
  const qint64 key = icon.isNull() ? 0 : icon.cacheKey();
  if (!appIconLoaded_ || key != appIconKey_) {
    appIcon_ = loadAppIcon();
    appIconKey_ = key;
    appIconLoaded_ = true;
    ++appIconRenewals_;
  }
  return appIcon_;
}

bool TkwoTitleBar::formMaximized() const {
  const ui::Form *form = parentForm();
  return form != nullptr && form->windowState() == ui::WindowState::Maximized;
}

int TkwoTitleBar::hitAt(const TitleBarLayout &layout) const {
  if (!mousePos_) return -1;
  return HitTitleButton(layout, *mousePos_);
}

void TkwoTitleBar::trackMouse(std::optional<Point> position) {
  mousePos_ = position;
  const int hot = hitAt(buttonLayout());
  if (hot != hotButton_) {
    hotButton_ = hot;
    update();
  }
}

// --- Actions ---

void TkwoTitleBar::popupAt(ui::PopupMenu &menu) {
  const QPoint at = mapToGlobal(QPoint(0, height()));
  menu.popup(at.x(), at.y());
}

void TkwoTitleBar::performAction(int index) {
  if (slot(index) == nullptr) return;
  ui::Form *form = parentForm();
  if (form == nullptr) return;
  const TkwoTitleBarButton b = buttons_[static_cast<size_t>(index)].item;
  switch (b.buttonType) {
    case TkwoTitleBarBtnType::kwoMax:
      form->setWindowState(formMaximized() ? ui::WindowState::Normal : ui::WindowState::Maximized);
      if (Slot *s = slot(index)) updateMaxPicture(*s);
      update();
      break;
    case TkwoTitleBarBtnType::kwoMin:
      minimizeForm();
      break;
    case TkwoTitleBarBtnType::kwoClose:
      closeForm();
      break;
    case TkwoTitleBarBtnType::kwoControlBox:
      if (!b.controlBoxMenu.isNull()) popupAt(*b.controlBoxMenu);
      break;
    case TkwoTitleBarBtnType::kwoHelp:
    case TkwoTitleBarBtnType::kwoCustom:
      break;
  }
}

void TkwoTitleBar::minimizeForm() {
  if (ui::Form *form = parentForm()) form->setWindowState(ui::WindowState::Minimized);
}

void TkwoTitleBar::toggleMaximize() {
  QPointer<TkwoTitleBar> self(this);
  for (int i = 0; i < buttonCount() && !self.isNull(); ++i) {
    const TkwoTitleBarButton &b = buttons_[static_cast<size_t>(i)].item;
    if (b.visible && b.buttonType == TkwoTitleBarBtnType::kwoMax) performAction(i);
  }
}

void TkwoTitleBar::closeForm() {
  if (ui::Form *form = parentForm()) form->close();
}

// --- Mouse ---

void TkwoTitleBar::enterEvent(QEnterEvent *event) {
  const QPoint p = event->position().toPoint();
  trackMouse(Point{p.x(), p.y()});
  ui::Panel::enterEvent(event);
}

void TkwoTitleBar::mouseDoubleClickEvent(QMouseEvent *event) {
  // The double click acts on the button under it.
  const QPoint p = event->position().toPoint();
  trackMouse(Point{p.x(), p.y()});
  ui::Panel::mouseDoubleClickEvent(event);
}

void TkwoTitleBar::mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  if (button == ui::MouseButton::Left) {
    mouseIsDown_ = true;
    trackMouse(Point{x, y});
    update();
    ui::Form *form = parentForm();
    if (form != nullptr && hotButton_ < 0 && !formMaximized() && (shift & ui::ssDouble) == 0) {
      // The press on the empty bar moves the form once the mouse has gone
      // past the drag distance, so a double click still reaches the bar.
      form->startMove(mapToGlobal(QPoint(x, y)));
      mouseIsDown_ = false;
    }
  }
  ui::Panel::mouseDown(button, shift, x, y);
}

void TkwoTitleBar::mouseMove(ui::ShiftState shift, int x, int y) {
  trackMouse(Point{x, y});
  ui::Panel::mouseMove(shift, x, y);
}

void TkwoTitleBar::mouseLeave() { trackMouse(std::nullopt); }

void TkwoTitleBar::mouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  if (button == ui::MouseButton::Left) {
    QPointer<TkwoTitleBar> self(this);
    trackMouse(Point{x, y});
    const int hot = hotButton_;
    if (hot >= 0 && mouseIsDown_) {
      const TkwoTitleBarButton b = buttons_[static_cast<size_t>(hot)].item;
      if (b.buttonType == TkwoTitleBarBtnType::kwoControlBox && b.controlBoxMenu.isNull()) {
        if (systemMenu_ != nullptr) popupAt(*systemMenu_);
      } else {
        performAction(hot);
        if (self.isNull()) return;
        if (b.buttonType == TkwoTitleBarBtnType::kwoCustom && OnCustomBtnsClick && !isDying()) {
          OnCustomBtnsClick(this, hot);
        } else if (b.buttonType == TkwoTitleBarBtnType::kwoHelp && OnHelpBtnClick && !isDying()) {
          OnHelpBtnClick(this, hot);
        }
      }
      if (self.isNull()) return;
    }
    mouseIsDown_ = false;
    // No enter or leave arrives while the button is held: the next move
    // sets the hot button again.
    mousePos_.reset();
    hotButton_ = -1;
    update();
  }
  ui::Panel::mouseUp(button, shift, x, y);
}

void TkwoTitleBar::dblClick() {
  QPointer<TkwoTitleBar> self(this);
  const int hot = hotButton_;
  ui::Panel::dblClick();
  if (self.isNull()) return;
  if (hot < 0) {
    for (int i = 0; i < buttonCount(); ++i) {
      const TkwoTitleBarButton &b = buttons_[static_cast<size_t>(i)].item;
      if (b.visible && b.buttonType == TkwoTitleBarBtnType::kwoMax) {
        performAction(i);
        break;
      }
    }
  } else if (hot < buttonCount() &&
             buttons_[static_cast<size_t>(hot)].item.buttonType == TkwoTitleBarBtnType::kwoControlBox) {
    if (systemMenu_ != nullptr) systemMenu_->closeUp();
    closeForm();
  }
}

// --- Painting ---

void TkwoTitleBar::paint(QPainter &painter) {
  // Nothing is erased first: the pictures cover the whole bar.
  if (isDestroying()) return;
  painter.setFont(font());
  paintSections(painter);
  paintButtons(painter);
}

void TkwoTitleBar::paintSections(QPainter &painter) {
  // In a skinned frame the pictures start at the form's corner, under the
  // ring, which continues them.
  // The MDI frame's ring is one pixel wider at the sides.
  const int y0 = inSkinnedFrame() ? -kFrameRing : 0;
  const int x0 = inMdiFrame() ? y0 - 1 : y0;
  const size_t n = sections_.size();
  if (n == 0) return;
  const QImage &left = sections_[0].picture;
  painter.drawImage(x0, y0, left);
  const int middle = x0 + left.width();
  if (n < 2) return;
  const QImage &right = sections_[1].picture;
  const int xr = width() - right.width() - x0;
  painter.drawImage(xr, y0, right);
  if (n < 3) return;
  const QImage &client = sections_[2].picture;
  const QRect target(middle, y0, xr - middle, client.height());
  if (target.width() > 0 && target.height() > 0 && !client.isNull()) painter.drawImage(target, client);
}

void TkwoTitleBar::paintButtons(QPainter &painter) {
  const TitleBarLayout layout = buttonLayout();
  hotButton_ = hitAt(layout);
  auto face = [this](const Slot &s, int index) -> const QImage & {
    if (index != hotButton_) return s.faces[0];
    return mouseIsDown_ ? s.faces[2] : s.faces[1];
  };
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const Slot &s = buttons_[i];
    const Rect &r = layout.buttons[i];
    if (!s.item.visible || static_cast<int>(i) == layout.controlBox || r.empty()) continue;
    painter.drawImage(r.left, r.top, face(s, static_cast<int>(i)));
  }
  if (layout.controlBox >= 0) {
    const Rect &r = layout.buttons[static_cast<size_t>(layout.controlBox)];
    if (drawAppIcon_) {
      painter.drawImage(r.left + 3, buttonTop_, appIcon());
    } else {
      painter.drawImage(r.left, r.top, face(buttons_[static_cast<size_t>(layout.controlBox)], layout.controlBox));
    }
  }

  const QString text = caption();
  if (text.isEmpty()) return;
  const QFontMetrics fm(painter.font());
  const int available = layout.captionRight - layout.captionLeft;
  const std::u16string fitted = FitCaption(view(text), available, [&fm](std::u16string_view s) {
    return fm.horizontalAdvance(fromU16(s));
  });
  if (fitted.empty()) return;
  painter.setPen(formActive_ ? ui::toQColor(controlFont().color) : ui::toQColor(platform::clInactiveCaption));
  const int y = buttonTop_ + (buttonImageHeight_ - fm.height()) / 2;
  painter.drawText(QRect(layout.captionLeft, y, std::max(available, 0), fm.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, fromU16(fitted));
}

}  // namespace kwo
