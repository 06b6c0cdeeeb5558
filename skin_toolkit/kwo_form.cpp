#include "kwo_form.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

#include "application.h"
#include "color.h"
#include "kwo_menu.h"
#include "kwo_title_bar.h"
#include "menu.h"
#include "message_box.h"
#include "tool_bar.h"

namespace kwo {
namespace {

// Plain stand-in for the MacOS menu bar picture.
const QColor kMacMenuBar(236, 236, 236);

ui::Font toFont(const QFont &font, platform::TColor color) {
  ui::Font f;
  f.name = font.family();
  f.size = font.pointSize() > 0 ? font.pointSize() : 8;
  f.height = font.pointSize() > 0 ? 0 : font.pixelSize();
  f.bold = font.bold();
  f.italic = font.italic();
  f.color = color;
  return f;
}

}  // namespace

TkwoForm::TkwoForm(ui::Component *owner) : ui::Panel(owner) {
  auto *form = dynamic_cast<ui::Form *>(owner);
  if (form == nullptr) return;
  // One working frame per form; a second one stays a plain panel.
  for (ui::Control *c : form->controls()) {
    if (qobject_cast<TkwoForm *>(c) != nullptr) return;
  }
  active_ = true;
  form_ = form;
  formComponent_ = form;
  formObject_ = form;

  ui::SizeConstraints limits = form->constraints();
  limits.minWidth = 125;
  limits.minHeight = 50;
  form->setConstraints(limits);

  restoreBounds_ = form->geometry();
  startedMaximized_ = form->windowState() == ui::WindowState::Maximized;

  setParentControl(form);
  titleBar_ = new TkwoTitleBar(this);
  titleBar_->setParentControl(this);
  watch(titleBar_);
  menuBarColor_ = color();
  menuBarHeight_ = 22;
  setUIStyle(TkwoUIStyle::DeepBlue);
  uiStyleAutoUpdateSub_ = false;
  setPlain();
  setAlign(ui::Align::Client);
  setCaption(form->caption());
  titleBar_->setVisible(true);
  ui::Control::setCaption(QStringLiteral(" "));

  // The platform caption goes; the frame paints a ring of its own instead.
  const ui::BorderStyle border = form->borderStyle();
  if (border == ui::BorderStyle::None || border == ui::BorderStyle::Single ||
      border == ui::BorderStyle::ToolWindow) {
    form->setBorderStyle(ui::BorderStyle::Dialog);
  }
  form->setNonClientRing(kFrameRing);
  form->setNonClientPainter(this, [this](QPainter &painter) { paintRing(painter); });
  form->setAutoScroll(false);
}

TkwoForm::~TkwoForm() {
  beginDestroy();
  destroying_ = true;
  if (auto *mainMenu = qobject_cast<TkwoMainMenu *>(menu_)) mainMenu->setSkinForm(nullptr);
  if (ui::Form *form = this->form()) {
    form->removeNonClientPainter(this);
    form->setNonClientRing(0);
  }
  for (ui::ToolButton *b : std::exchange(menuButtons_, {})) delete b;
  delete std::exchange(menuBar_, nullptr);
  delete std::exchange(titleBar_, nullptr);
}

ui::Form *TkwoForm::form() const {
  if (formObject_.isNull() || formComponent_->isDestroying()) return nullptr;
  return form_;
}

void TkwoForm::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  const TkwoUIStyle look = BuiltInLookOf(style);
  borderColor_ = GetBuiltInThemeColor(look, tiFormBorderColor);
  borderWidth_ = GetBuiltInThemeInt(look, tiFormBorderWidthInt);
  ui::Control::setColor(GetBuiltInThemeColor(look, tiFormBackgroundColor));
  setMenuBarColor(color());
  if (titleBar_ != nullptr) {
    titleBar_->setUIStyle(style);
    titleBar_->setRoundCorner(GetBuiltInThemeInt(look, tiFormRoundCornerInt));
  }
  if (auto *mainMenu = qobject_cast<TkwoMainMenu *>(menu_)) mainMenu->setUIStyle(style);
  if (uiStyleAutoUpdateSub_) ApplyThemeToChildren(*this, style, fileTheme());
  update();
  paintBorder();
}

QString TkwoForm::caption() const { return titleBar_ != nullptr ? titleBar_->caption() : QString(); }

void TkwoForm::setCaption(const QString &caption) {
  if (titleBar_ != nullptr) titleBar_->setCaption(caption);
  if (ui::Form *form = this->form()) form->setCaption(caption);
}

ui::Font TkwoForm::titleBarFont() const { return titleBar_ != nullptr ? titleBar_->controlFont() : ui::Font(); }

void TkwoForm::setTitleBarFont(const ui::Font &font) {
  if (titleBar_ != nullptr) titleBar_->setControlFont(font);
}

bool TkwoForm::titleBarVisible() const { return titleBar_ != nullptr && titleBar_->visible(); }

void TkwoForm::setTitleBarVisible(bool value) {
  if (titleBar_ == nullptr || titleBar_->visible() == value) return;
  titleBar_->setVisible(value);
  moveTitleBarToTop();
  paintBorder();
}

int TkwoForm::titleBarHeight() const { return titleBarVisible() ? titleBar_->height() : 0; }

int TkwoForm::roundCorner() const { return titleBarVisible() ? titleBar_->roundCorner() : 0; }

void TkwoForm::setRoundCorner(int value) {
  if (titleBar_ != nullptr) titleBar_->setRoundCorner(value);
}

void TkwoForm::setBorderColor(platform::TColor value) {
  borderColor_ = value;
  paintBorder();
}

void TkwoForm::setBorderWidth(int value) {
  borderWidth_ = std::max(value, 0);
  paintBorder();
}

void TkwoForm::colorChanged() {
  update();
  paintBorder();
}

// --- Menu bar ---

void TkwoForm::setMenu(ui::MainMenu *menu) {
  if (auto *old = qobject_cast<TkwoMainMenu *>(menu_)) old->setSkinForm(nullptr);
  if (menu_ != nullptr) unwatch(menu_);
  menu_ = menu;
  if (menu == nullptr) {
    removeMenuBar();
    return;
  }
  watch(menu);
  if (auto *mainMenu = qobject_cast<TkwoMainMenu *>(menu)) mainMenu->setSkinForm(this);
  if (menuBar_ == nullptr) createMenuBar();
  rebuildMenuBar();
}

void TkwoForm::setMenuBarColor(platform::TColor value) {
  menuBarColor_ = value;
  if (menuBar_ != nullptr) menuBar_->setColor(value);
  paintBorder();
}

void TkwoForm::setMenuBarHeight(int value) {
  menuBarHeight_ = value;
  if (menuBar_ == nullptr) return;
  menuBar_->setButtonSize(menuBar_->buttonWidth(), value);
  menuBar_->setHeight(value);
  paintBorder();
}

void TkwoForm::createMenuBar() {
  if (!active_ || menuBar_ != nullptr) return;
  auto *bar = new ui::ToolBar(this);
  bar->setFlat(true);
  bar->setShowCaptions(true);
  bar->setButtonSize(bar->buttonWidth(), menuBarHeight_);
  bar->setBounds(0, 0, width(), menuBarHeight_);
  bar->setColor(menuBarColor_);
  bar->setWrapable(true);
  bar->setAutoSize(true);
  bar->OnCustomDrawButton = [this](ui::ToolBar *, ui::ToolButton *button, QPainter &painter,
                                   const ui::ToolButtonState &state, bool &defaultDraw) {
    defaultDraw = false;
    drawMenuBarButton(*button, painter, state);
  };
  bar->OnCustomDraw = [this](ui::ToolBar *, QPainter &painter, const QRect &rect, bool &defaultDraw) {
    if (BuiltInLookOf(qobject_cast<TkwoMainMenu *>(menu_) != nullptr
                          ? qobject_cast<TkwoMainMenu *>(menu_)->uiStyle()
                          : uiStyle_) == TkwoUIStyle::MacOS) {
      drawMenuBarBackground(painter, rect);
      defaultDraw = false;
    }
  };
  menuBar_ = bar;
  watch(bar);
  bar->setParentControl(this);
  moveTitleBarToTop();
  paintBorder();
}

void TkwoForm::rebuildMenuBar() {
  if (menuBar_ == nullptr) return;
  if (menu_ == nullptr) {
    removeMenuBar();
    return;
  }
  menuBar_->setAutoSize(false);
  for (ui::ToolButton *b : std::exchange(menuButtons_, {})) delete b;
  for (ui::MenuItem *item : menu_->items()->items()) {
    auto *button = new ui::ToolButton(this);
    button->setGrouped(true);
    button->setAutoSize(true);
    button->setParentControl(menuBar_);
    button->setMenuItem(item);
    button->setVisible(item->visible());
    watch(button);
    menuButtons_.push_back(button);
  }
  menuBar_->setAutoSize(true);
  paintBorder();
}

void TkwoForm::updateMenuBarItems() {
  for (ui::ToolButton *b : menuButtons_) {
    if (ui::MenuItem *item = b->menuItem()) {
      b->setCaption(item->caption());
      b->setEnabled(item->enabled());
    }
  }
}

void TkwoForm::updateMenuBarFont() {
  auto *mainMenu = qobject_cast<TkwoMainMenu *>(menu_);
  if (menuBar_ == nullptr || mainMenu == nullptr) return;
  const QFont font = mainMenu->useSystemFont() ? QApplication::font("QMenu") : mainMenu->itemFont();
  menuBar_->setControlFont(toFont(font, mainMenu->fontColor()));
  menuBar_->update();
}

void TkwoForm::removeMenuBar() {
  if (menuBar_ != nullptr) {
    for (ui::ToolButton *b : std::exchange(menuButtons_, {})) delete b;
    delete std::exchange(menuBar_, nullptr);
  }
  if (auto *mainMenu = qobject_cast<TkwoMainMenu *>(menu_)) mainMenu->setSkinForm(nullptr);
  if (menu_ != nullptr) unwatch(menu_);
  menu_ = nullptr;
  paintBorder();
}

void TkwoForm::moveTitleBarToTop() {
  // Aligned controls of one side are placed nearest first.
  if (titleBar_ != nullptr && titleBar_->visible()) titleBar_->setTop(-1);
  realign();
}

void TkwoForm::drawMenuBarBackground(QPainter &painter, const QRect &rect) { painter.fillRect(rect, kMacMenuBar); }

void TkwoForm::drawMenuBarButton(ui::ToolButton &button, QPainter &painter, const ui::ToolButtonState &state) {
  auto *mainMenu = qobject_cast<TkwoMainMenu *>(menu_);
  const TkwoUIStyle requested = mainMenu != nullptr ? mainMenu->uiStyle() : uiStyle_;
  const TkwoUIStyle look = BuiltInLookOf(requested);
  auto colour = [look](int item) { return ui::toQColor(GetBuiltInThemeColor(look, item)); };
  QFont font = button.font();
  if (mainMenu != nullptr) font = mainMenu->useSystemFont() ? QApplication::font("QMenu") : mainMenu->itemFont();
  painter.save();
  painter.setFont(font);
  QRect r = button.rect();
  QRect text = r;
  QColor ink;
  if (state.hot || state.selected) {
    if (requested == TkwoUIStyle::MacOS) {
      painter.fillRect(r, colour(tiMenuSelectedBackgroundColor));
      text.translate(0, 2);
    } else {
      if (state.selected) r.setRight(r.right() - 2);
      painter.fillRect(r, colour(tiMenuSelectedBackgroundColor));
      painter.setPen(colour(tiMenuSelectedBorderColor));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(r.adjusted(0, 0, -1, -1));
      if (state.selected) text.translate(2, 0);
      text.translate(0, 2);
    }
    ink = colour(tiMenuSelectedFontColor);
  } else {
    text.translate(0, 2);
    ink = button.isEnabled() ? colour(tiMenuFontColor) : QColor(128, 128, 128);
  }
  painter.setPen(ink);
  painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, button.caption());
  painter.restore();
}

// --- Form panel ---

void TkwoForm::setFormPanel(ui::Panel *panel) {
  if (panel == this) {
    const ui::Application *app = ui::Application::instance();
    ui::messageBox(QStringLiteral("Sorry, you can't select the Form assign to FormPanel property"),
                   app != nullptr ? app->title() : QString(), ui::MB_OK | ui::MB_ICONERROR);
    return;
  }
  if (formPanel_ != nullptr) unwatch(formPanel_);
  formPanel_ = panel;
  if (panel == nullptr) return;
  watch(panel);
  panel->setAlign(ui::Align::Client);
  if (panel->metaObject() == &ui::Panel::staticMetaObject) {
    panel->setPlain();
    panel->setCaption(QString());
  }
}

// --- Painting ---

std::vector<RingPiece> TkwoForm::ringPieces() const {
  const ui::Form *form = this->form();
  if (form == nullptr) return {};
  RingInput in;
  in.formWidth = form->width();
  in.formHeight = form->height();
  in.borderWidth = borderWidth_;
  in.titleBarVisible = titleBarVisible();
  in.titleBarHeight = titleBar_ != nullptr ? titleBar_->height() : 0;
  in.menuBarVisible = menuBar_ != nullptr && menuBar_->visible();
  in.menuBarHeight = menuBar_ != nullptr ? menuBar_->height() : 0;
  return PlanRing(in);
}

void TkwoForm::paintBorder() {
  ui::Form *form = this->form();
  if (destroying_ || form == nullptr) return;
  form->update();
}

void TkwoForm::paintRing(QPainter &painter) {
  const ui::Form *form = this->form();
  if (destroying_ || form == nullptr || form->windowState() == ui::WindowState::Minimized) return;
  for (const RingPiece &piece : ringPieces()) {
    QColor c;
    switch (piece.fill) {
      case RingFill::Border: c = ui::toQColor(borderColor_); break;
      case RingFill::Client: c = ui::toQColor(color()); break;
      case RingFill::MenuBar: c = ui::toQColor(menuBarColor_); break;
      case RingFill::TitleBar: c = titleBar_ != nullptr ? titleBar_->plainColor() : QColor(); break;
    }
    if (c.isValid()) {
      painter.fillRect(QRect(piece.rect.left, piece.rect.top, piece.rect.width(), piece.rect.height()), c);
    }
  }
}

void TkwoForm::paint(QPainter &painter) {
  if (destroying_ || isDestroying()) return;
  const QColor c = ui::toQColor(color());
  if (c.isValid()) painter.fillRect(rect(), c);
}

void TkwoForm::notification(ui::Component *component, ui::Operation operation) {
  ui::Panel::notification(component, operation);
  if (operation != ui::Operation::Remove) return;
  if (component == formPanel_) formPanel_ = nullptr;
  if (component == titleBar_) titleBar_ = nullptr;
  auto it = std::find(menuButtons_.begin(), menuButtons_.end(), component);
  if (it != menuButtons_.end()) menuButtons_.erase(it);
  if (component == menuBar_) {
    menuBar_ = nullptr;
    menuButtons_.clear();  // they went with their bar
  }
  if (component == menu_) {
    menu_ = nullptr;
    removeMenuBar();
  }
}

}  // namespace kwo
