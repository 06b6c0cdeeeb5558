#include "skin_toolkit/frames/kwo_menu.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "platform/ui/greyed_picture.h"
#include "platform/ui/image_list.h"
#include "platform/ui/menu_view.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {
namespace {

constexpr const char *kMacItemPicture = "MACOS_MENU_BAR";
constexpr const char *kMacSelectedPicture = "MACOS_MENU_SELECT";
constexpr const char *kCheckMarkPicture = "MENU_CHECKED";
// The rows of the MacOS pictures an item and a separator stretch.
constexpr int kMacItemRows = 20;
constexpr int kMacSeparatorRows = 12;

QRect toQRect(const Rect &r) { return QRect(r.left, r.top, r.width(), r.height()); }

void fillRect(QPainter &p, const Rect &r, platform::TColor color) {
  if (r.empty()) return;
  const QColor c = ui::toQColor(color);
  if (c.isValid()) p.fillRect(toQRect(r), c);
}

// A one-pixel frame inside the rectangle.
void frameRect(QPainter &p, const Rect &r, platform::TColor color) {
  if (r.empty()) return;
  const QColor c = ui::toQColor(color);
  if (!c.isValid()) return;
  p.fillRect(QRect(r.left, r.top, r.width(), 1), c);
  p.fillRect(QRect(r.left, r.bottom - 1, r.width(), 1), c);
  p.fillRect(QRect(r.left, r.top, 1, r.height()), c);
  p.fillRect(QRect(r.right - 1, r.top, 1, r.height()), c);
}

// The top rows of a MacOS menu picture, stretched over the rectangle.
void drawMacPicture(QPainter &p, const char *name, int rows, const QRect &rect) {
  const QImage picture = BuiltInBitmap(name);
  if (picture.isNull() || rect.isEmpty()) return;
  p.save();
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(rect, picture, QRect(0, 0, picture.width(), std::min(rows, picture.height())));
  p.restore();
}

// The check mark with white showing through; null while there is no
// picture.
QImage keyedCheckMark() {
  const QImage picture = BuiltInBitmap(kCheckMarkPicture);
  if (picture.isNull()) return {};
  return KeyedImage(picture, qRgb(255, 255, 255));
}

// The check-mark list that pop-up menus share. It holds images only, so
// that it may be freed after the last window: at the application's end.
struct CheckMarkImages {
  QImage plain;
  QImage greyed;
};

CheckMarkImages *sharedCheckMarks = nullptr;

void freeSharedCheckMarks() {
  delete sharedCheckMarks;
  sharedCheckMarks = nullptr;
}

const CheckMarkImages &popupCheckMarks() {
  if (sharedCheckMarks == nullptr) {
    auto *marks = new CheckMarkImages;
    marks->plain = keyedCheckMark();
    if (!marks->plain.isNull()) marks->greyed = ui::greyedPicture(QPixmap::fromImage(marks->plain)).toImage();
    sharedCheckMarks = marks;
    qAddPostRoutine(freeSharedCheckMarks);
  }
  return *sharedCheckMarks;
}

}  // namespace

SystemMenuFont GetSystemMenuFont() { return {QApplication::font("QMenu"), platform::clMenuText}; }

// --- SkinnedMenu ---

template <class Base>
SkinnedMenu<Base>::SkinnedMenu(ui::Component *owner) : Base(owner) {}

template <class Base>
void SkinnedMenu<Base>::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  const ThemeSource source = ThemeSource::resolve(fileTheme(), style);
  ApplyMenuStyle(look_, style, [&source](int position) { return source.color(position); });
  flatBorderColor_ = source.color(tiFormBackgroundColor);
}

template <class Base>
void SkinnedMenu<Base>::setMenuItemHeight(int value) {
  if (uiStyle_ == TkwoUIStyle::MacOS) return;
  look_.menuItemHeight = value;
}

template <class Base>
void SkinnedMenu<Base>::setSeparatorHeight(int value) {
  if (uiStyle_ == TkwoUIStyle::MacOS) return;
  look_.separatorHeight = value;
}

template <class Base>
void SkinnedMenu<Base>::setUseSystemFont(bool value) {
  useSystemFont_ = value;
  useSystemFontChanged();
}

template <class Base>
QFont SkinnedMenu<Base>::itemFont() const {
  QFont f(fontName_);
  f.setPointSize(fontSize_ > 0 ? fontSize_ : 8);
  return f;
}

template <class Base>
QFont SkinnedMenu<Base>::captionFont(const ui::MenuItem &item, const QFont &systemFont) const {
  QFont f = useSystemFont_ ? systemFont : itemFont();
  if (item.isDefault()) f.setBold(true);
  return f;
}

template <class Base>
void SkinnedMenu<Base>::hookMenuItem(ui::MenuItem *item) {
  if (item == nullptr || item->menu() != this) return;
  hookTree(item, false);
}

template <class Base>
void SkinnedMenu<Base>::hookTree(ui::MenuItem *item, bool anyMenu) {
  QPointer<ui::Menu> guard(this);
  const SkinnedMenu *self = this;
  // An item hooked as one of this menu's that has moved to another menu
  // keeps the plain size and face there.
  auto drawsIt = [guard, anyMenu](const ui::MenuItem *it) {
    return !guard.isNull() && (anyMenu || it->menu() == guard.data());
  };
  item->OnMeasureItem = [drawsIt, self](ui::MenuItem *it, const QFont &font, int &width, int &height) {
    if (!drawsIt(it)) return;
    const Size s = self->measureItem(*it, font);
    width = s.width;
    height = s.height;
  };
  item->OnDrawItem = [drawsIt, self](ui::MenuItem *it, QPainter &painter, const QRect &rect, bool selected) {
    if (!drawsIt(it)) {
      ui::MenuView::defaultDrawItem(*it, painter, rect, selected, nullptr);
      return;
    }
    self->drawItem(*it, painter, rect, selected);
  };
  for (ui::MenuItem *sub : item->items()) hookTree(sub, anyMenu);
}

template <class Base>
void SkinnedMenu<Base>::hookMenuItems() {
  for (ui::MenuItem *item : Base::items()->items()) hookTree(item, false);
}

template <class Base>
void SkinnedMenu<Base>::loaded() {
  Base::loaded();
  hookMenuItems();
}

template <class Base>
void SkinnedMenu<Base>::menuChanged(ui::MenuItem *source, bool rebuild) {
  Base::menuChanged(source, rebuild);
  if (rebuild && !Base::isLoading() && !Base::isDying()) hookMenuItems();
}

template <class Base>
void SkinnedMenu<Base>::notification(ui::Component *component, ui::Operation operation) {
  Base::notification(component, operation);
  if (operation != ui::Operation::Insert || Base::isDying()) return;
  // Components being built are told too, before they are items: those are
  // left out here, and the item tells again once built.
  if (auto *item = dynamic_cast<ui::MenuItem *>(component)) hookTree(item, true);
}

template <class Base>
Size SkinnedMenu<Base>::measureItem(const ui::MenuItem &item, const QFont &systemFont) const {
  const QFontMetrics fm(captionFont(item, systemFont));
  const int shortCut = item.hasShortCut() ? fm.horizontalAdvance(item.shortCutText()) : 0;
  return MeasureMenuItem(look_, item.isSeparator(), fm.horizontalAdvance(item.caption()), shortCut);
}

template <class Base>
void SkinnedMenu<Base>::drawItem(const ui::MenuItem &item, QPainter &p, const QRect &rect, bool selected) const {
  const Rect whole{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
  const MenuItemParts parts = LayOutMenuItem(look_, whole);
  // The requested style, not the effective look, picks the MacOS pictures.
  const bool mac = uiStyle_ == TkwoUIStyle::MacOS;
  auto plainRow = [&] {
    if (look_.barWidth > 0) fillRect(p, parts.bar, look_.barColor);
    fillRect(p, parts.background, look_.color);
  };

  if (item.isSeparator()) {
    if (mac) {
      drawMacPicture(p, kMacItemPicture, kMacSeparatorRows, rect);
      return;
    }
    plainRow();
    fillRect(p, parts.separator, look_.separatorColor);
    return;
  }

  if (selected && item.enabled()) {
    if (mac) {
      drawMacPicture(p, kMacSelectedPicture, kMacItemRows, rect);
    } else {
      fillRect(p, whole, look_.selectedColor);
      frameRect(p, whole, look_.selectedBorderColor);
    }
  } else if (mac) {
    drawMacPicture(p, kMacItemPicture, kMacItemRows, rect);
  } else {
    plainRow();
  }

  p.save();
  const QFont font = captionFont(item, GetSystemMenuFont().font);
  p.setFont(font);
  const platform::TColor textColor =
      !item.enabled() ? platform::TColor{0x808080} : selected ? look_.selectedFontColor : look_.fontColor;
  p.setPen(ui::toQColor(textColor));
  p.setBrush(Qt::NoBrush);
  const int textHeight = std::max(parts.caption.height(), 0);
  p.drawText(QRect(parts.caption.left, parts.caption.top, std::max(parts.caption.width(), 0), textHeight),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, item.caption());
  if (item.hasShortCut()) {
    const QString text = item.shortCutText();
    const int w = QFontMetrics(font).horizontalAdvance(text);
    p.drawText(QRect(MenuShortCutLeft(whole, w), parts.caption.top, w + 16, textHeight),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  }
  p.restore();

  ui::ImageList *images = itemImages();
  const int index = item.imageIndex();
  const bool hasImage = images != nullptr && index >= 0 && index < images->count();
  if (item.checked()) {
    if (hasImage) {
      // A box for the image drawn next to stand on.
      frameRect(p, parts.imageFrame, 0x000000);
      fillRect(p, parts.imageBox, look_.selectedColor);
    } else {
      drawCheckMark(p, parts.image, item.enabled());
    }
  }
  if (hasImage) images->draw(p, parts.image.x, parts.image.y, index, item.enabled());
}

template <class Base>
void SkinnedMenu<Base>::drawCheckMark(QPainter &p, Point at, bool enabled) const {
  const CheckMarkImages &marks = popupCheckMarks();
  const QImage &mark = enabled ? marks.plain : marks.greyed;
  if (!mark.isNull()) p.drawImage(at.x, at.y, mark);
}

template <class Base>
void SkinnedMenu<Base>::paintMenuWindow(QPainter &p, const QRect &rect) {
  if (!flatMenu_) return;
  const FlatMenuBorder border = PlanFlatMenuBorder(rect.width(), rect.height());
  p.save();
  p.translate(rect.topLeft());
  frameRect(p, border.darkFrame, 0x000000);
  frameRect(p, border.whiteFrame, 0xFFFFFF);
  for (const Rect &line : border.lightLines) fillRect(p, line, flatBorderColor_);
  p.restore();
}

template class SkinnedMenu<ui::MainMenu>;
template class SkinnedMenu<ui::PopupMenu>;

// --- TkwoPopupMenu ---

TkwoPopupMenu::TkwoPopupMenu(ui::Component *owner) : SkinnedMenu<ui::PopupMenu>(owner) {
  setUIStyle(GetOwnerFormUIStyle(owner));
}

// --- TkwoMainMenu ---

TkwoMainMenu::TkwoMainMenu(ui::Component *owner) : SkinnedMenu<ui::MainMenu>(owner) {
  checkMarks_ = new ui::ImageList(this);
  const QImage mark = keyedCheckMark();
  if (!mark.isNull()) checkMarks_->add(QPixmap::fromImage(mark));
  ui::Menu::setImages(checkMarks_);
  setUIStyle(GetOwnerFormUIStyle(owner));
  if (auto *form = dynamic_cast<ui::Form *>(owner)) {
    form->setMenu(nullptr);
    for (ui::Control *c : form->controls()) {
      if (auto *frame = qobject_cast<TkwoForm *>(c)) {
        frame->setMenu(this);
        break;
      }
    }
  }
}

TkwoMainMenu::~TkwoMainMenu() { beginDestroy(); }

TkwoForm *TkwoMainMenu::skinForm() const { return skinForm_.data(); }

void TkwoMainMenu::setSkinForm(TkwoForm *form) { skinForm_ = form; }

ui::ImageList *TkwoMainMenu::images() const {
  ui::ImageList *list = ui::Menu::images();
  return list == checkMarks_ ? nullptr : list;
}

void TkwoMainMenu::setImages(ui::ImageList *images) {
  ui::Menu::setImages(images != nullptr ? images : checkMarks_);
}

void TkwoMainMenu::loaded() {
  SkinnedMenu<ui::MainMenu>::loaded();
  if (TkwoForm *form = skinForm()) form->rebuildMenuBar();
}

void TkwoMainMenu::menuChanged(ui::MenuItem *source, bool rebuild) {
  SkinnedMenu<ui::MainMenu>::menuChanged(source, rebuild);
  if (isLoading() || isDying()) return;
  TkwoForm *form = skinForm();
  if (form == nullptr) return;
  // Items added or removed need new buttons; other changes only new texts.
  if (rebuild) {
    form->rebuildMenuBar();
  } else {
    form->updateMenuBarItems();
  }
}

void TkwoMainMenu::notification(ui::Component *component, ui::Operation operation) {
  SkinnedMenu<ui::MainMenu>::notification(component, operation);
  // A freed image list leaves the menu its own check marks.
  if (operation == ui::Operation::Remove && !isDestroying() && ui::Menu::images() == nullptr &&
      checkMarks_ != nullptr && component != checkMarks_) {
    ui::Menu::setImages(checkMarks_);
  }
}

void TkwoMainMenu::drawCheckMark(QPainter &painter, Point at, bool enabled) const {
  checkMarks_->draw(painter, at.x, at.y, 0, enabled);
}

void TkwoMainMenu::useSystemFontChanged() {
  if (TkwoForm *form = skinForm()) form->updateMenuBarFont();
}

}  // namespace kwo
