#include "skin_toolkit/frames/kwo_form.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/ui/application.h"
#include "platform/ui/color.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/tool_bar.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/frames/form_region.h"
#include "skin_toolkit/frames/frame_form.h"
#include "skin_toolkit/frames/frame_paint.h"
#include "skin_toolkit/frames/kwo_menu.h"
#include "skin_toolkit/frames/kwo_title_bar.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/file_theme.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {
namespace {

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
  form_.set(form);

  ui::SizeConstraints limits = form->constraints();
  limits.minWidth = 125;
  limits.minHeight = 50;
  form->setConstraints(limits);

  restoreBounds_ = form->normalBounds();
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

  // The form's events come to the frame after the form has handled them.
  form->addEventHook(this);
  if (ui::Application *app = ui::Application::instance(); app != nullptr && !app->hasMessageHook()) {
    hookOwner_ = app->installMessageHook(this, [this](QKeyEvent &key) { return appMessageHook(key); });
  }
  realign();
  formResized(*form);
}

TkwoForm::~TkwoForm() {
  beginDestroy();
  destroying_ = true;
  if (auto *mainMenu = qobject_cast<TkwoMainMenu *>(menu_)) mainMenu->setSkinForm(nullptr);
  if (hookOwner_) {
    if (ui::Application *app = ui::Application::instance()) app->removeMessageHook(this);
    hookOwner_ = false;
  }
  QObject::disconnect(themeGone_);
  if (ui::Form *form = this->form()) ReleaseFrameForm(*form, this, this);
  for (ui::ToolButton *b : std::exchange(menuButtons_, {})) delete b;
  delete std::exchange(menuBar_, nullptr);
  delete std::exchange(titleBar_, nullptr);
}

void TkwoForm::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  TkwoFileTheme *theme = fileTheme();
  const ThemeSource source = ThemeSource::resolve(theme, style);
  borderColor_ = source.color(tiFormBorderColor);
  borderWidth_ = std::max(source.integer(tiFormBorderWidthInt), 0);
  ui::Control::setColor(source.color(tiFormBackgroundColor));
  // A skin colours only a menu bar that is there.
  if (!source.fromFile() || menuBar_ != nullptr) setMenuBarColor(SkinMenuBarColor(source, color()));
  titlePictures_ = TitlePicturesOf(source);
  if (titleBar_ != nullptr) {
    if (titleBar_->fileTheme() != theme) titleBar_->setFileTheme(theme);
    titleBar_->setUIStyle(style);
  }
  // After the title bar's own style, which reads the corner too.
  setRoundCorner(std::max(source.integer(tiFormRoundCornerInt), 0));
  if (auto *mainMenu = qobject_cast<TkwoMainMenu *>(menu_)) {
    mainMenu->setUIStyle(style);
    if (mainMenu->fileTheme() != theme) mainMenu->setFileTheme(theme);
  }
  if (uiStyleAutoUpdateSub_) ApplyThemeToChildren(*this, style, theme);
  update();
  paintBorder();
}

void TkwoForm::setFileTheme(TkwoFileTheme *theme) {
  if (theme == fileTheme()) return;
  QObject::disconnect(themeGone_);
  themeGone_ = {};
  storeFileTheme(theme);
  // The reference clears itself and sets DeepBlue first; the children follow.
  if (theme != nullptr) themeGone_ = connect(theme, &QObject::destroyed, this, [this] { themeRemoved(); });
  setUIStyle(uiStyle_);
}

void TkwoForm::themeRemoved() {
  themeGone_ = {};
  if (destroying_) return;
  ApplyThemeToChildren(*this, TkwoUIStyle::DeepBlue, nullptr);
  setUIStyle(TkwoUIStyle::DeepBlue);
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
  updateRegion();
}

int TkwoForm::titleBarHeight() const { return titleBarVisible() ? titleBar_->height() : 0; }

int TkwoForm::roundCorner() const { return titleBarVisible() ? titleBar_->roundCorner() : 0; }

void TkwoForm::setRoundCorner(int value) {
  if (titleBar_ != nullptr) titleBar_->setRoundCorner(std::max(value, 0));
  updateRegion();
}

void TkwoForm::updateRegion() {
  ui::Form *form = this->form();
  if (destroying_ || form == nullptr) return;
  form->setWindowRegion(RoundTopRegion(form->width(), form->height(), roundCorner()));
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
  // An MDI child's menu shows in the MDI frame's menu bar.
  const ui::Form *form = this->form();
  if (!active_ || menuBar_ != nullptr || form == nullptr || form->formStyle() == ui::FormStyle::MDIChild) return;
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
    defaultDraw = !drawMenuBarBackground(painter, rect);
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
  menuBarMouse_.reset();
  for (ui::ToolButton *b : std::exchange(menuButtons_, {})) delete b;
  for (ui::MenuItem *item : menu_->items()->items()) {
    auto *button = new ui::ToolButton(this);
    button->setGrouped(true);
    button->setAutoSize(true);
    button->setParentControl(menuBar_);
    button->setMenuItem(item);
    button->setVisible(item->visible());
    // Moves reach the button only while it tracks the mouse.
    button->setMouseTracking(true);
    button->installEventFilter(this);
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
  const ui::Form *form = this->form();
  if (menuBar_ != nullptr && (form == nullptr || form->formStyle() != ui::FormStyle::MDIChild)) {
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

TkwoUIStyle TkwoForm::menuStyle() const {
  auto *mainMenu = qobject_cast<TkwoMainMenu *>(menu_);
  return mainMenu != nullptr ? mainMenu->uiStyle() : uiStyle_;
}

bool TkwoForm::drawMenuBarBackground(QPainter &painter, const QRect &rect) {
  return DrawMenuBarBackground(painter, rect, menuStyle());
}

ui::ToolButton *TkwoForm::hotMenuButton() const {
  if (!menuBarMouse_) return nullptr;
  for (ui::ToolButton *b : menuButtons_) {
    if (b->isVisible() && b->geometry().contains(*menuBarMouse_)) return b;
  }
  return nullptr;
}

void TkwoForm::trackMenuBarMouse(ui::ToolButton *button, QEvent &event) {
  ui::ToolButton *before = hotMenuButton();
  switch (event.type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
      menuBarMouse_ = button->mapToParent(static_cast<QMouseEvent &>(event).position().toPoint());
      break;
    case QEvent::Enter:
      menuBarMouse_ = button->mapToParent(static_cast<QEnterEvent &>(event).position().toPoint());
      break;
    // No leave arrives while a mouse button is held, so a release ends it too.
    case QEvent::Leave:
    case QEvent::MouseButtonRelease:
      menuBarMouse_.reset();
      break;
    default:
      return;
  }
  ui::ToolButton *after = hotMenuButton();
  if (before == after) return;
  if (before != nullptr) before->update();
  if (after != nullptr) after->update();
}

bool TkwoForm::eventFilter(QObject *watched, QEvent *event) {
  auto *button = qobject_cast<ui::ToolButton *>(watched);
  if (button != nullptr && !destroying_ && std::ranges::find(menuButtons_, button) != menuButtons_.end()) {
    trackMenuBarMouse(button, *event);
  }
  return ui::Panel::eventFilter(watched, event);
}

void TkwoForm::drawMenuBarButton(ui::ToolButton &button, QPainter &painter, const ui::ToolButtonState &state) {
  auto *mainMenu = qobject_cast<TkwoMainMenu *>(menu_);
  const ThemeSource source =
      ThemeSource::resolve(mainMenu != nullptr ? mainMenu->fileTheme() : fileTheme(), menuStyle());
  MenuBarButtonLook look;
  look.source = &source;
  look.requested = menuStyle();
  look.font = MenuBarFont(menu_, button);
  look.hot = &button == hotMenuButton();
  look.selected = state.selected;
  DrawMenuBarButton(painter, button, look);
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
  } else if (qobject_cast<TkwoImagePanel *>(panel) != nullptr) {
    panel->setCaption(QString());
  }
}

// --- Painting ---

std::vector<RingPiece> TkwoForm::ringPieces() const {
  const ui::Form *form = this->form();
  if (form == nullptr) return {};
  return PlanRing(RingInputOf(*form, titlePictures_, {borderWidth_, roundCorner(), titleBarVisible(), titleBar_, menuBar_}));
}

void TkwoForm::paintBorder() {
  ui::Form *form = this->form();
  if (destroying_ || form == nullptr) return;
  form->update();
}

void TkwoForm::paintRing(QPainter &painter) {
  const ui::Form *form = this->form();
  if (destroying_ || form == nullptr || form->windowState() == ui::WindowState::Minimized) return;
  PaintRingPieces(painter, ringPieces(),
                  {ui::toQColor(borderColor_), ui::toQColor(color()), ui::toQColor(menuBarColor_)}, titlePictures_);
}

void TkwoForm::paint(QPainter &painter) {
  if (destroying_ || isDestroying()) return;
  const ThemeSource source = ThemeSource::resolve(fileTheme(), uiStyle_);
  const char *patternName = nullptr;
  if (!source.fromFile() && source.effective() == TkwoUIStyle::MacOS) patternName = "MACOS_FORM_BACKGROUND";
  if (!source.fromFile() && source.effective() == TkwoUIStyle::Protein) patternName = "PROTEIN_FORM_BACKGROUND";
  const QImage pattern = patternName != nullptr ? BuiltInBitmap(patternName) : QImage();
  if (!pattern.isNull()) {
    painter.fillRect(rect(), QBrush(pattern));
    return;
  }
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
