#include "kwo_form.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "application.h"
#include "color.h"
#include "drawing.h"
#include "form_region.h"
#include "kwo_image_panel.h"
#include "kwo_menu.h"
#include "kwo_title_bar.h"
#include "menu.h"
#include "message_box.h"
#include "themes/builtin_pictures.h"
#include "themes/file_theme.h"
#include "themes/theme_source.h"
#include "tool_bar.h"

namespace kwo {
namespace {

// The menu bar's colour in a skin file that imitates WinXP or DeepBlue.
constexpr platform::TColor kWinXPMenuBar = platform::RGB(59, 92, 172);
constexpr platform::TColor kDeepBlueMenuBar = platform::RGB(51, 102, 153);

constexpr std::array<int, 3> kTitlePictureItems = {tiTitleBarLeftImage, tiTitleBarClientImage,
                                                   tiTitleBarRightImage};

Size sizeOf(const QImage &picture) { return {picture.width(), picture.height()}; }

QRect toQRect(const Rect &r) { return QRect(r.left, r.top, r.width(), r.height()); }

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
  if (ui::Form *form = this->form()) {
    form->removeEventHook(this);
    form->removeNonClientPainter(this);
    form->setNonClientRing(0);
    form->setWindowRegion(QRegion());
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
  TkwoFileTheme *theme = fileTheme();
  const ThemeSource source = ThemeSource::resolve(theme, style);
  borderColor_ = source.color(tiFormBorderColor);
  borderWidth_ = std::max(source.integer(tiFormBorderWidthInt), 0);
  ui::Control::setColor(source.color(tiFormBackgroundColor));
  if (!source.fromFile()) {
    setMenuBarColor(color());
  } else if (menuBar_ != nullptr) {
    switch (source.baseLookMarker()) {
      case 2: setMenuBarColor(kWinXPMenuBar); break;
      case 3: setMenuBarColor(kDeepBlueMenuBar); break;
      default: setMenuBarColor(color()); break;
    }
  }
  for (size_t i = 0; i < titlePictures_.size(); ++i) titlePictures_[i] = source.image(kTitlePictureItems[i]);
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

TkwoUIStyle TkwoForm::menuStyle() const {
  auto *mainMenu = qobject_cast<TkwoMainMenu *>(menu_);
  return mainMenu != nullptr ? mainMenu->uiStyle() : uiStyle_;
}

bool TkwoForm::drawMenuBarBackground(QPainter &painter, const QRect &rect) {
  if (menuStyle() != TkwoUIStyle::MacOS) return false;
  const QImage picture = BuiltInBitmap("MACOS_MENU_BAR");
  if (picture.isNull()) return false;
  painter.drawImage(rect, picture);
  return true;
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
  const TkwoUIStyle requested = menuStyle();
  const ThemeSource source =
      ThemeSource::resolve(mainMenu != nullptr ? mainMenu->fileTheme() : fileTheme(), requested);
  auto colour = [&source](int item) { return ui::toQColor(source.color(item)); };
  QFont font = button.font();
  if (mainMenu != nullptr) font = mainMenu->useSystemFont() ? QApplication::font("QMenu") : mainMenu->itemFont();
  painter.save();
  painter.setFont(font);
  QRect r = button.rect();
  QRect text = r;
  QColor ink;
  const bool hot = &button == hotMenuButton();
  if (hot || state.selected) {
    const QImage select = requested == TkwoUIStyle::MacOS ? BuiltInBitmap("MACOS_MENU_SELECT") : QImage();
    if (!select.isNull()) {
      painter.drawImage(r, select);
    } else {
      if (state.selected) r.setRight(r.right() - 2);
      painter.fillRect(r, colour(tiMenuSelectedBackgroundColor));
      painter.setPen(colour(tiMenuSelectedBorderColor));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(r.adjusted(0, 0, -1, -1));
      if (state.selected) text.translate(2, 0);
    }
    ink = colour(tiMenuSelectedFontColor);
  } else if (!button.isEnabled()) {
    ink = QColor(128, 128, 128);
  } else {
    ink = source.fromFile() && source.baseLookMarker() == 3 ? QColor(Qt::white) : colour(tiMenuFontColor);
  }
  text.translate(0, 2);
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
  } else if (qobject_cast<TkwoImagePanel *>(panel) != nullptr) {
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
  in.titleLeft = sizeOf(titlePictures_[0]);
  in.titleClient = sizeOf(titlePictures_[1]);
  in.titleRight = sizeOf(titlePictures_[2]);
  in.roundCorner = roundCorner();
  return PlanRing(in);
}

void TkwoForm::paintBorder() {
  ui::Form *form = this->form();
  if (destroying_ || form == nullptr) return;
  form->update();
}

void TkwoForm::paintTitlePicture(QPainter &painter, const RingPiece &piece) {
  const QImage &picture = titlePictures_[static_cast<size_t>(piece.part)];
  if (picture.isNull()) return;
  painter.save();
  painter.setClipRect(toQRect(piece.rect));
  painter.drawImage(toQRect(piece.place), picture);
  painter.restore();
}

void TkwoForm::paintRing(QPainter &painter) {
  const ui::Form *form = this->form();
  if (destroying_ || form == nullptr || form->windowState() == ui::WindowState::Minimized) return;
  for (const RingPiece &piece : ringPieces()) {
    switch (piece.fill) {
      case RingFill::Border: painter.fillRect(toQRect(piece.rect), ui::toQColor(borderColor_)); break;
      case RingFill::Client: painter.fillRect(toQRect(piece.rect), ui::toQColor(color())); break;
      case RingFill::MenuBar: painter.fillRect(toQRect(piece.rect), ui::toQColor(menuBarColor_)); break;
      case RingFill::TitlePicture: paintTitlePicture(painter, piece); break;
      case RingFill::BorderArc: {
        // The box's right and bottom edges lie outside it, as everywhere in the ring.
        const QRect box(piece.rect.left, piece.rect.top, piece.rect.width() - 1, piece.rect.height() - 1);
        painter.save();
        painter.setPen(ui::toQColor(borderColor_));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(box, piece.startAngle * 16, piece.spanAngle * 16);
        painter.restore();
        break;
      }
    }
  }
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
