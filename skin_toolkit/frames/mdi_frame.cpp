#include "skin_toolkit/frames/mdi_frame.h"

#include <QKeyEvent>
#include <QPainter>
#include <stdexcept>

#include "platform/ui/application.h"
#include "platform/ui/color.h"
#include "platform/ui/menu.h"
#include "platform/ui/panel.h"
#include "platform/ui/tool_bar.h"
#include "skin_toolkit/controls/speed_button.h"
#include "skin_toolkit/frames/form_region.h"
#include "skin_toolkit/frames/frame_form.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/frames/kwo_menu.h"
#include "skin_toolkit/frames/kwo_title_bar.h"
#include "skin_toolkit/rules/mdi_layout.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {
namespace {

constexpr int kDefaultMenuBarHeight = 22;

struct ChildButtonSpec {
  int glyphFrame;
  // Left edge: the panel's width less this.
  int fromRight;
  int tag;
};
// Close, restore, minimise, in the order of childButtons_.
constexpr std::array<ChildButtonSpec, 3> kChildButtons = {{
    {3, 20, kMdiCloseTag},
    {2, 38, kMdiRestoreTag},
    {1, 56, kMdiMinimizeTag},
}};

TkwoForm *firstFrameOf(const ui::Form *form) {
  if (form == nullptr) return nullptr;
  for (ui::Control *c : form->controls()) {
    if (auto *frame = qobject_cast<TkwoForm *>(c)) return frame;
  }
  return nullptr;
}

ui::Form *requireForm(ui::Component *owner) {
  auto *form = dynamic_cast<ui::Form *>(owner);
  if (form == nullptr) throw std::invalid_argument("Sorry, TkwoMDIForm must be placed on a form");
  return form;
}

}  // namespace

TkwoMDIForm::TkwoMDIForm(ui::Component *owner) : ui::NonVisualComponent(owner) {
  ui::Form *form = requireForm(owner);
  form_.set(form);

  ui::SizeConstraints limits = form->constraints();
  limits.minWidth = 125;
  limits.minHeight = 50;
  form->setConstraints(limits);
  form->setMenu(nullptr);
  const ui::BorderStyle border = form->borderStyle();
  if (border == ui::BorderStyle::None || border == ui::BorderStyle::Single ||
      border == ui::BorderStyle::ToolWindow) {
    form->setBorderStyle(ui::BorderStyle::Dialog);
  }
  if (form->formStyle() == ui::FormStyle::Normal) form->setFormStyle(ui::FormStyle::MDIForm);

  titleBar_ = new TkwoTitleBar(this);
  watch(titleBar_);
  titleBar_->setParentControl(form);
  titleBar_->setCaption(form->caption());
  createMenuBar();
  refreshMenu();
  setUIStyle(TkwoUIStyle::DeepBlue);

  // The platform caption goes; the frame paints a ring of its own instead.
  form->setAutoScroll(false);
  form->setNonClientRing(kFrameRing);
  form->setNonClientPainter(this, [this](QPainter &painter) { paintRing(painter); });
  form->addEventHook(this);
  client_ = form->mdiClient();
  if (client_ != nullptr) client_->addHook(this);
  if (ui::Application *app = ui::Application::instance(); app != nullptr && !app->hasMessageHook()) {
    hookOwner_ = app->installMessageHook(
        this, [this](QKeyEvent &key) { return key.type() == QEvent::KeyPress && handleShortCut(key); });
  }
  moveTitleBarToTop();
  paintBorder();
  updateRegion();
}

TkwoMDIForm::~TkwoMDIForm() {
  beginDestroy();
  destroying_ = true;
  if (client_ != nullptr) client_->removeHook(this);
  if (hookOwner_) {
    if (ui::Application *app = ui::Application::instance()) app->removeMessageHook(this);
    hookOwner_ = false;
  }
  if (ui::Form *form = this->form()) ReleaseFrameForm(*form, this, this);
  removeMenuBar();
  delete std::exchange(titleBar_, nullptr);
}

// --- Style ---

void TkwoMDIForm::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  TkwoFileTheme *theme = fileTheme();
  const ThemeSource source = ThemeSource::resolve(theme, style);
  borderColor_ = source.color(tiFormBorderColor);
  borderWidth_ = std::max(source.integer(tiFormBorderWidthInt), 0);
  const platform::TColor bar = SkinMenuBarColor(source, source.color(tiFormBackgroundColor));
  roundCorner_ = std::max(source.integer(tiFormRoundCornerInt), 0);
  titlePictures_ = TitlePicturesOf(source);
  if (auto *mainMenu = qobject_cast<TkwoMainMenu *>(menu_)) {
    mainMenu->setUIStyle(style);
    if (mainMenu->fileTheme() != theme) mainMenu->setFileTheme(theme);
  }
  setMenuBarColor(bar);
  if (titleBar_ != nullptr) {
    if (titleBar_->fileTheme() != theme) titleBar_->setFileTheme(theme);
    titleBar_->setUIStyle(style);
    // The frame's own corner shapes the window; the bar draws square.
    titleBar_->setRoundCorner(0);
  }
  updateRegion();
  paintBorder();
}

void TkwoMDIForm::setFileTheme(TkwoFileTheme *theme) {
  if (theme == fileTheme()) return;
  storeFileTheme(theme);
  setUIStyle(uiStyle_);
}

void TkwoMDIForm::setMenuBarColor(platform::TColor value) {
  menuBarColor_ = value;
  if (menuBar_ != nullptr) menuBar_->setColor(value);
  if (menuPanel_ != nullptr) menuPanel_->setColor(value);
  for (TkwoToolBarSpeedButton *b : childButtons_) {
    if (b != nullptr) b->setColor(value);
  }
  paintBorder();
}

void TkwoMDIForm::setBorderColor(platform::TColor value) {
  borderColor_ = value;
  paintBorder();
}

void TkwoMDIForm::setRoundCorner(int value) {
  roundCorner_ = std::max(value, 0);
  updateRegion();
}

QString TkwoMDIForm::caption() const {
  const ui::Form *form = this->form();
  return form != nullptr ? form->caption() : QString();
}

void TkwoMDIForm::setCaption(const QString &caption) {
  if (ui::Form *form = this->form()) form->setCaption(caption);
  if (titleBar_ != nullptr) titleBar_->setCaption(caption);
}

void TkwoMDIForm::captionFromForm() {
  if (titleBar_ != nullptr) titleBar_->setCaption(caption());
}

bool TkwoMDIForm::titleBarVisible() const { return titleBar_ != nullptr && titleBar_->visible(); }

void TkwoMDIForm::setTitleBarVisible(bool value) {
  if (titleBar_ == nullptr || titleBar_->visible() == value) return;
  titleBar_->setVisible(value);
  moveTitleBarToTop();
  paintBorder();
}

void TkwoMDIForm::moveTitleBarToTop() {
  ui::Form *form = this->form();
  if (form == nullptr) return;
  // Aligned controls of one side are placed nearest first: the title bar,
  // then the menu panel under it.
  if (menuPanel_ != nullptr) menuPanel_->setTop(-1);
  if (titleBar_ != nullptr) titleBar_->setTop(-2);
  form->realign();
}

// --- Menu bar ---

void TkwoMDIForm::createMenuBar() {
  ui::Form *form = this->form();
  if (form == nullptr || menuPanel_ != nullptr) return;
  menuPanel_ = new ui::Panel(this);
  watch(menuPanel_);
  menuPanel_->setPlain();
  menuPanel_->setAlign(ui::Align::Top);
  menuPanel_->setVisible(false);
  menuPanel_->setHeight(kDefaultMenuBarHeight);
  menuPanel_->setParentControl(form);
  menuPanel_->OnResize = [this](ui::Control *) { placeChildButtons(); };

  menuBar_ = new ui::ToolBar(this);
  watch(menuBar_);
  menuBar_->setFlat(true);
  menuBar_->setShowCaptions(true);
  menuBar_->setButtonSize(menuBar_->buttonWidth(), kDefaultMenuBarHeight);
  menuBar_->setBounds(0, 0, menuPanel_->width(), kDefaultMenuBarHeight);
  menuBar_->setAutoSize(true);
  menuBar_->OnCustomDrawButton = [this](ui::ToolBar *, ui::ToolButton *button, QPainter &painter,
                                        const ui::ToolButtonState &state, bool &defaultDraw) {
    defaultDraw = false;
    drawMenuBarButton(*button, painter, state.hot, state.selected);
  };
  menuBar_->OnCustomDraw = [this](ui::ToolBar *, QPainter &painter, const QRect &rect, bool &defaultDraw) {
    defaultDraw = !DrawMenuBarBackground(painter, rect, menuStyle());
  };
  menuBar_->setParentControl(menuPanel_);

  const QImage strip = BuiltInBitmap("MDI_CONTROL_BUTTON");
  for (size_t i = 0; i < kChildButtons.size(); ++i) {
    auto *button = new TkwoToolBarSpeedButton(this);
    watch(button);
    button->setGlyph(QPixmap::fromImage(ExtractBitmapFrame(strip, 3, kChildButtons[i].glyphFrame)));
    button->setTag(kChildButtons[i].tag);
    button->setColor(menuBarColor_);
    button->setVisible(false);
    button->setParentControl(menuPanel_);
    button->bringToFront();
    button->OnClick = [this](ui::Control *sender) { childButtonClick(sender); };
    childButtons_[i] = button;
  }
  placeChildButtons();
  moveTitleBarToTop();
}

void TkwoMDIForm::removeMenuBar() {
  for (TkwoToolBarSpeedButton *&b : childButtons_) delete std::exchange(b, nullptr);
  for (ui::ToolButton *b : std::exchange(menuButtons_, {})) delete b;
  delete std::exchange(menuBar_, nullptr);
  delete std::exchange(menuPanel_, nullptr);
  shownMenu_ = nullptr;
}

void TkwoMDIForm::placeChildButtons() {
  if (menuPanel_ == nullptr) return;
  for (size_t i = 0; i < kChildButtons.size(); ++i) {
    TkwoToolBarSpeedButton *b = childButtons_[i];
    if (b != nullptr) b->setBounds(menuPanel_->width() - kChildButtons[i].fromRight, 1, b->width(), b->height());
  }
}

void TkwoMDIForm::setMenu(ui::MainMenu *menu) {
  if (menu_ != nullptr && menu_ != shownMenu_) unwatch(menu_);
  menu_ = menu;
  if (menu != nullptr) watch(menu);
  refreshMenu();
}

ui::MainMenu *TkwoMDIForm::menuToShow() const {
  if (!drawChildMenus_ || titleBar_ == nullptr || client_ == nullptr) return menu_;
  const ui::Form *child = client_->activeMDIChild();
  if (child == nullptr) return menu_;
  if (child->menu() != nullptr) return child->menu();
  if (const TkwoForm *frame = firstFrameOf(child); frame != nullptr && frame->menu() != nullptr) {
    return frame->menu();
  }
  return menu_;
}

void TkwoMDIForm::refreshMenu() {
  if (destroying_ || menuPanel_ == nullptr || menuBar_ == nullptr) return;
  ui::MainMenu *show = menuToShow();
  if (shownMenu_ != nullptr && shownMenu_ != menu_ && shownMenu_ != show) unwatch(shownMenu_);
  shownMenu_ = show;
  if (show == nullptr) {
    menuPanel_->setVisible(false);
    paintBorder();
    return;
  }
  watch(show);
  moveTitleBarToTop();
  const std::vector<ui::MenuItem *> &items = show->items()->items();
  menuBar_->setAutoSize(false);
  // Surplus buttons go from the first; missing ones are added at the end.
  while (menuButtons_.size() > items.size()) {
    ui::ToolButton *first = menuButtons_.front();
    menuButtons_.erase(menuButtons_.begin());
    delete first;
  }
  while (menuButtons_.size() < items.size()) {
    auto *button = new ui::ToolButton(this);
    watch(button);
    button->setGrouped(true);
    button->setAutoSize(true);
    button->setParentControl(menuBar_);
    menuButtons_.push_back(button);
  }
  for (size_t i = 0; i < items.size(); ++i) {
    menuButtons_[i]->setMenuItem(items[i]);
    menuButtons_[i]->setVisible(items[i]->visible());
  }
  menuBar_->setAutoSize(true);
  const int height = menuBar_->height() > 0 ? menuBar_->height() : kDefaultMenuBarHeight;
  menuPanel_->setVisible(true);
  menuPanel_->setHeight(height);
  placeChildButtons();
  paintBorder();
}

TkwoUIStyle TkwoMDIForm::menuStyle() const {
  auto *mainMenu = qobject_cast<TkwoMainMenu *>(shownMenu_);
  return mainMenu != nullptr ? mainMenu->uiStyle() : uiStyle_;
}

void TkwoMDIForm::drawMenuBarButton(ui::ToolButton &button, QPainter &painter, bool hot, bool selected) {
  // Style and skin are the frame's whatever menu is shown.
  const ThemeSource source = ThemeSource::resolve(fileTheme(), uiStyle_);
  MenuBarButtonLook look;
  look.source = &source;
  look.requested = uiStyle_;
  look.font = MenuBarFont(shownMenu_, button);
  look.hot = hot;
  look.selected = selected;
  look.greyDisabled = false;
  DrawMenuBarButton(painter, button, look);
}

bool TkwoMDIForm::handleShortCut(const QKeyEvent &key) {
  if (destroying_ || shownMenu_ == nullptr) return false;
  return shownMenu_->isShortCut(key.keyCombination());
}

// --- The child-window buttons ---

void TkwoMDIForm::showChildButtons(ui::Form *child) {
  const TkwoForm *frame = firstFrameOf(child);
  const TkwoTitleBar *bar = frame != nullptr ? frame->titleBar() : nullptr;
  if (bar == nullptr) return;
  for (int i = 0; i < bar->buttonCount(); ++i) {
    TkwoToolBarSpeedButton *shown = nullptr;
    switch (bar->button(i).buttonType) {
      case TkwoTitleBarBtnType::kwoMin: shown = minimizeButton(); break;
      case TkwoTitleBarBtnType::kwoMax: shown = restoreButton(); break;
      case TkwoTitleBarBtnType::kwoClose: shown = closeButton(); break;
      default: break;
    }
    if (shown != nullptr) shown->setVisible(true);
  }
}

void TkwoMDIForm::hideChildButtons() {
  for (TkwoToolBarSpeedButton *b : childButtons_) {
    if (b != nullptr) b->setVisible(false);
  }
}

void TkwoMDIForm::childButtonClick(ui::Control *sender) {
  auto *button = qobject_cast<TkwoToolBarSpeedButton *>(sender);
  if (button == nullptr || destroying_) return;
  ui::Form *child = client_ != nullptr ? client_->activeMDIChild() : nullptr;
  switch (button->tag()) {
    case kMdiCloseTag:
      if (child != nullptr) child->close();
      break;
    case kMdiRestoreTag:
      if (child != nullptr) child->setWindowState(ui::WindowState::Normal);
      break;
    case kMdiMinimizeTag:
      // Shown minimised, never hidden.
      if (child != nullptr) child->setWindowState(ui::WindowState::Minimized);
      break;
    default:
      return;
  }
  ui::Application::processMessages();
}

// --- Hooks ---

void TkwoMDIForm::formEvent(ui::Form &form, QEvent &event) {
  if (destroying_) return;
  switch (event.type()) {
    case QEvent::KeyPress:
      if (handleShortCut(static_cast<QKeyEvent &>(event))) event.accept();
      break;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
      if (titleBar_ != nullptr) titleBar_->setFormActive(event.type() == QEvent::WindowActivate);
      break;
    case QEvent::Resize:
      if (form.windowState() == ui::WindowState::Maximized && form.formStyle() != ui::FormStyle::MDIChild) {
        QRect area = GetWorkAreaRect(&form);
        area.setBottom(area.bottom() - 1);
        if (area.isValid() && form.geometry() != area) form.setBounds(area.x(), area.y(), area.width(), area.height());
      }
      paintBorder();
      updateRegion();
      break;
    default:
      break;
  }
}

void TkwoMDIForm::mdiCommand(ui::MdiClient &client, ui::MdiCommand command, ui::Form *) {
  if (destroying_ || &client != client_) return;
  switch (command) {
    case ui::MdiCommand::RefreshMenu:
      refreshMenu();
      captionFromForm();
      break;
    case ui::MdiCommand::Maximize:
      showChildButtons(client.activeMDIChild());
      captionFromForm();
      break;
    case ui::MdiCommand::Restore:
      hideChildButtons();
      captionFromForm();
      break;
    case ui::MdiCommand::TileHorizontal:
    case ui::MdiCommand::TileVertical:
    case ui::MdiCommand::Cascade:
      layOutChildren(command);
      break;
  }
}

void TkwoMDIForm::layOutChildren(ui::MdiCommand command) {
  ui::Form *form = this->form();
  if (form == nullptr || client_ == nullptr) return;
  const std::vector<ui::Form *> children = client_->mdiChildren();
  MdiLayoutInput in;
  in.client = {form->clientWidth(), form->clientHeight()};
  for (const ui::Control *c : form->controls()) {
    if (c->visible() && (c->align() == ui::Align::Top || c->align() == ui::Align::Bottom)) {
      in.alignedHeight += c->height();
    }
  }
  for (const ui::Form *child : children) in.minimized.push_back(child->windowState() == ui::WindowState::Minimized);
  in.vertical = command == ui::MdiCommand::TileVertical;
  const std::vector<std::optional<Rect>> bounds =
      command == ui::MdiCommand::Cascade ? CascadeLayout(in) : TileLayout(in);
  for (size_t i = 0; i < children.size() && i < bounds.size(); ++i) {
    if (bounds[i]) children[i]->setBounds(bounds[i]->left, bounds[i]->top, bounds[i]->width(), bounds[i]->height());
  }
}

void TkwoMDIForm::notification(ui::Component *component, ui::Operation operation) {
  ui::NonVisualComponent::notification(component, operation);
  if (operation != ui::Operation::Remove) return;
  if (component == titleBar_) titleBar_ = nullptr;
  if (component == menuPanel_) menuPanel_ = nullptr;
  if (component == menuBar_) menuBar_ = nullptr;
  for (TkwoToolBarSpeedButton *&b : childButtons_) {
    if (component == b) b = nullptr;
  }
  std::erase(menuButtons_, component);
  const bool ownGone = component == menu_;
  const bool shownGone = component == shownMenu_;
  if (ownGone) menu_ = nullptr;
  if (shownGone) shownMenu_ = nullptr;
  if ((ownGone || shownGone) && !destroying_) refreshMenu();
}

// --- Ring and shape ---

std::vector<RingPiece> TkwoMDIForm::ringPieces() const {
  const ui::Form *form = this->form();
  if (form == nullptr) return {};
  return PlanRing(RingInputOf(*form, titlePictures_, {borderWidth_, roundCorner_, titleBarVisible(), titleBar_, menuPanel_}));
}

void TkwoMDIForm::paintBorder() {
  ui::Form *form = this->form();
  if (destroying_ || form == nullptr) return;
  form->update();
}

void TkwoMDIForm::paintRing(QPainter &painter) {
  const ui::Form *form = this->form();
  if (destroying_ || form == nullptr || form->windowState() == ui::WindowState::Minimized) return;
  // The MDI frame has no client colour: the menu bar's fills the ring.
  const QColor bar = ui::toQColor(menuBarColor_);
  PaintRingPieces(painter, ringPieces(), {ui::toQColor(borderColor_), bar, bar}, titlePictures_);
}

void TkwoMDIForm::updateRegion() {
  ui::Form *form = this->form();
  if (destroying_ || form == nullptr) return;
  form->setWindowRegion(RoundTopRegion(form->width(), form->height(), roundCorner_));
}

}  // namespace kwo
