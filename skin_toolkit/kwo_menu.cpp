#include "kwo_menu.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>

#include "color.h"
#include "form.h"
#include "image_list.h"
#include "kwo_form.h"
#include "menu_view.h"

namespace kwo {
namespace {

// Plain stand-ins for the MacOS menu pictures.
const QColor kMacItem(231, 231, 231);

void fillRect(QPainter &p, int l, int t, int r, int b, platform::TColor color) {
  if (r <= l || b <= t) return;
  const QColor c = ui::toQColor(color);
  if (c.isValid()) p.fillRect(QRect(l, t, r - l, b - t), c);
}

void frameRect(QPainter &p, int l, int t, int r, int b, const QColor &color) {
  if (r <= l || b <= t) return;
  p.save();
  p.setPen(color);
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(l, t, r - l - 1, b - t - 1));
  p.restore();
}

// The check mark, 16 x 16, drawn at (x, y).
void drawCheckMark(QPainter &p, int x, int y, bool enabled) {
  p.save();
  QPen pen(enabled ? QColor(0, 0, 0) : QColor(128, 128, 128));
  pen.setWidth(2);
  p.setPen(pen);
  p.drawLine(x + 3, y + 8, x + 6, y + 11);
  p.drawLine(x + 6, y + 11, x + 12, y + 4);
  p.restore();
}

QPixmap checkMarkPicture() {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  drawCheckMark(p, 0, 0, true);
  return picture;
}

}  // namespace

// --- SkinnedMenu ---

template <class Base>
SkinnedMenu<Base>::SkinnedMenu(ui::Component *owner) : Base(owner) {}

template <class Base>
void SkinnedMenu<Base>::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  ApplyMenuStyle(look_, style);
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
void SkinnedMenu<Base>::hookMenuItem(ui::MenuItem *item) {
  if (item == nullptr || item->menu() != this) return;
  hookTree(item);
}

template <class Base>
void SkinnedMenu<Base>::hookTree(ui::MenuItem *item) {
  QPointer<ui::Menu> guard(this);
  const SkinnedMenu *self = this;
  item->OnMeasureItem = [guard, self](ui::MenuItem *it, const QFont &font, int &width, int &height) {
    // An item that has moved to another menu keeps the plain size.
    if (guard.isNull() || it->menu() != guard.data()) return;
    const Size s = self->measureItem(*it, font);
    width = s.width;
    height = s.height;
  };
  item->OnDrawItem = [guard, self](ui::MenuItem *it, QPainter &painter, const QRect &rect, bool selected) {
    if (guard.isNull() || it->menu() != guard.data()) {
      ui::MenuView::defaultDrawItem(*it, painter, rect, selected, nullptr);
      return;
    }
    self->drawItem(*it, painter, rect, selected);
  };
  for (ui::MenuItem *sub : item->items()) hookTree(sub);
}

template <class Base>
void SkinnedMenu<Base>::hookMenuItems() {
  for (ui::MenuItem *item : Base::items()->items()) hookTree(item);
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
Size SkinnedMenu<Base>::measureItem(const ui::MenuItem &item, const QFont &font) const {
  const QFontMetrics fm(font);
  const int shortCut = item.hasShortCut() ? fm.horizontalAdvance(item.shortCutText()) : 0;
  return MeasureMenuItem(look_, item.isSeparator(), fm.horizontalAdvance(item.caption()), shortCut);
}

template <class Base>
void SkinnedMenu<Base>::drawItem(const ui::MenuItem &item, QPainter &p, const QRect &rect, bool selected) const {
  const int l = rect.left();
  const int t = rect.top();
  const int r = rect.left() + rect.width();
  const int b = rect.top() + rect.height();
  const bool mac = uiStyle_ == TkwoUIStyle::MacOS;
  const int bar = look_.barWidth;
  auto plainItem = [&] {
    if (mac) {
      p.fillRect(rect, kMacItem);
      return;
    }
    if (bar > 0) fillRect(p, l, t, l + bar, b, look_.barColor);
    fillRect(p, l + bar, t, r, b, look_.color);
  };

  if (item.isSeparator()) {
    plainItem();
    p.save();
    p.setPen(ui::toQColor(look_.separatorColor));
    if (mac) {
      const int y = t + (b - t) / 2;
      p.drawLine(l + 2, y, r - 3, y);
    } else {
      p.drawLine(l + bar + 4, t + 2, r - 2, t + 2);
    }
    p.restore();
    return;
  }

  if (selected && item.enabled()) {
    fillRect(p, l, t, r, b, look_.selectedColor);
    if (!mac) frameRect(p, l, t, r, b, ui::toQColor(look_.selectedBorderColor));
  } else {
    plainItem();
  }

  p.save();
  QFont font = useSystemFont_ ? p.font() : itemFont();
  if (item.isDefault()) font.setBold(true);
  p.setFont(font);
  const platform::TColor textColor =
      !item.enabled() ? platform::TColor{0x808080} : selected ? look_.selectedFontColor : look_.fontColor;
  p.setPen(ui::toQColor(textColor));
  const int textLeft = l + bar + 4;
  p.drawText(QRect(textLeft, t + 4, std::max(r - textLeft, 0), std::max(b - t - 4, 0)),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, item.caption());
  if (item.hasShortCut()) {
    const QFontMetrics fm(font);
    const QString text = item.shortCutText();
    const int w = fm.horizontalAdvance(text);
    p.drawText(QRect(r - w - 16, t + 4, w + 16, std::max(b - t - 4, 0)),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  }
  p.restore();

  ui::ImageList *images = itemImages();
  const int index = item.imageIndex();
  const bool hasImage = images != nullptr && index >= 0 && index < images->count();
  if (item.checked()) {
    if (hasImage) {
      frameRect(p, l + 2, t + 1, l + 21, t + 20, QColor(0, 0, 0));
      fillRect(p, l + 3, t + 2, l + 20, t + 19, look_.selectedColor);
    } else {
      drawCheckMark(p, l + 4, t + 3, item.enabled());
    }
  }
  if (hasImage) images->draw(p, l + 4, t + 3, index, item.enabled());
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
  checkMarks_->add(checkMarkPicture());
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

void TkwoMainMenu::useSystemFontChanged() {
  if (TkwoForm *form = skinForm()) form->updateMenuBarFont();
}

}  // namespace kwo
