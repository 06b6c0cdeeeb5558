// The skinned frame, title bar, menus, tool bar and status bar on the
// offscreen platform.
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <memory>

#include "controls/kwo_button.h"
#include "frames/kwo_form.h"
#include "frames/kwo_menu.h"
#include "frames/kwo_status_bar.h"
#include "frames/kwo_title_bar.h"
#include "frames/kwo_tool_bar.h"
#include "image_list.h"
#include "panel.h"
#include "themes/builtin_pictures.h"
#include "ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;

class ToolkitTest : public testsupport::UiTest {
 protected:
  std::unique_ptr<ui::Form> makeForm(int width = 449, int height = 623) {
    auto form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 80, width, height);
    return form;
  }
};

ui::MenuItem *addItem(ui::Menu &menu, const QString &caption, ui::MenuItem *parent = nullptr) {
  auto *item = new ui::MenuItem(&menu);
  item->setCaption(caption);
  (parent != nullptr ? parent : menu.items())->add(item);
  return item;
}

// A user's double click: press, release, double click, release.
void doubleClick(QWidget *w, QPoint at) {
  QTest::mousePress(w, Qt::LeftButton, {}, at);
  QTest::mouseRelease(w, Qt::LeftButton, {}, at);
  QTest::mouseDClick(w, Qt::LeftButton, {}, at);
  QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

QStringList buttonCaptions(const TkwoForm &frame) {
  QStringList captions;
  for (ui::ToolButton *b : frame.menuBarButtons()) captions << b->caption();
  return captions;
}

TEST_F(ToolkitTest, FrameTakesOverTheForm) {
  auto form = makeForm();
  form->setCaption(QStringLiteral("Morvit"));
  auto *frame = new TkwoForm(form.get());
  ASSERT_TRUE(frame->isActiveFrame());
  EXPECT_EQ(frame->parentControl(), form.get());
  EXPECT_EQ(form->nonClientRing(), 3);
  EXPECT_EQ(frame->boundsRect(), QRect(3, 3, 443, 617));
  EXPECT_EQ(frame->uiStyle(), S::DeepBlue);
  EXPECT_EQ(frame->titleBarHeight(), 29);
  EXPECT_EQ(frame->titleBar()->boundsRect(), QRect(0, 0, 443, 29));
  EXPECT_EQ(frame->caption(), QStringLiteral("Morvit"));
  EXPECT_EQ(frame->menuBar(), nullptr);
  EXPECT_EQ(frame->menuBarHeight(), 22);
  EXPECT_EQ(form->constraints().minHeight, 50);
  EXPECT_EQ(form->constraints().minWidth, 130);  // the look's minimum, after the frame's 125
  EXPECT_FALSE(form->autoScroll());
  frame->setVersion(QStringLiteral("1.0"));
  EXPECT_EQ(frame->version(), QStringLiteral("5.4"));

  frame->setUIStyle(S::MacOS);
  EXPECT_EQ(frame->titleBarHeight(), 20);
  EXPECT_EQ(frame->borderColor(), platform::RGB(127, 127, 127));
  EXPECT_EQ(frame->borderWidth(), 1);
  EXPECT_EQ(frame->color(), platform::RGB(231, 231, 231));
  EXPECT_EQ(frame->menuBarColor(), frame->color());

  frame->setCaption(QStringLiteral("Other"));
  EXPECT_EQ(form->caption(), QStringLiteral("Other"));
  EXPECT_EQ(frame->titleBar()->caption(), QStringLiteral("Other"));

  frame->setTitleBarVisible(false);
  EXPECT_EQ(frame->titleBarHeight(), 0);
  EXPECT_FALSE(frame->titleBarVisible());
  EXPECT_EQ(frame->roundCorner(), 0);
  frame->setTitleBarVisible(true);
  EXPECT_EQ(frame->titleBar()->y(), 0);
}

TEST_F(ToolkitTest, SecondFrameAndFrameWithoutFormStayPlainPanels) {
  auto form = makeForm();
  auto *first = new TkwoForm(form.get());
  first->setUIStyle(S::BlueGlass);
  auto *second = new TkwoForm(form.get());
  EXPECT_FALSE(second->isActiveFrame());
  EXPECT_EQ(second->titleBar(), nullptr);
  EXPECT_EQ(second->parentControl(), nullptr);
  EXPECT_EQ(second->titleBarHeight(), 0);
  second->setMenu(nullptr);
  EXPECT_EQ(GetOwnerFormUIStyle(form.get()), S::BlueGlass);
  EXPECT_EQ(form->nonClientRing(), 3);

  TkwoForm loose(nullptr);
  EXPECT_FALSE(loose.isActiveFrame());
  EXPECT_EQ(loose.form(), nullptr);

  // Freeing the working frame gives the form its platform frame back.
  delete first;
  EXPECT_EQ(form->nonClientRing(), 0);
}

TEST_F(ToolkitTest, BorderStylesWithoutSizingBecomeDialog) {
  const struct {
    ui::BorderStyle before, after;
  } cases[] = {{ui::BorderStyle::None, ui::BorderStyle::Dialog},
               {ui::BorderStyle::Single, ui::BorderStyle::Dialog},
               {ui::BorderStyle::ToolWindow, ui::BorderStyle::Dialog},
               {ui::BorderStyle::Sizeable, ui::BorderStyle::Sizeable},
               {ui::BorderStyle::Dialog, ui::BorderStyle::Dialog},
               {ui::BorderStyle::SizeToolWin, ui::BorderStyle::SizeToolWin}};
  for (const auto &c : cases) {
    auto form = makeForm();
    form->setBorderStyle(c.before);
    new TkwoForm(form.get());
    EXPECT_EQ(form->borderStyle(), c.after) << static_cast<int>(c.before);
  }
}

TEST_F(ToolkitTest, MenuBarHasOneButtonPerTopLevelItemInOrder) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  frame->setUIStyle(S::MacOS);
  auto *menu = new TkwoMainMenu(form.get());
  // A main menu made on a form with a frame is shown by it.
  EXPECT_EQ(frame->menu(), menu);
  EXPECT_EQ(menu->skinForm(), frame);
  EXPECT_EQ(menu->uiStyle(), S::MacOS);
  for (const char *c : {"&File", "View", "&Project", "&Help"}) addItem(*menu, QString::fromLatin1(c));
  ASSERT_NE(frame->menuBar(), nullptr);
  EXPECT_EQ(buttonCaptions(*frame), (QStringList{"&File", "View", "&Project", "&Help"}));
  EXPECT_EQ(frame->menuBar()->y(), frame->titleBarHeight());
  for (ui::ToolButton *b : frame->menuBarButtons()) EXPECT_EQ(b->owner(), frame);

  menu->items()->item(1)->setCaption(QStringLiteral("&View"));
  EXPECT_EQ(frame->menuBarButtons()[1]->caption(), QStringLiteral("&View"));
  delete menu->items()->item(0);
  EXPECT_EQ(buttonCaptions(*frame), (QStringList{"&View", "&Project", "&Help"}));

  frame->setMenu(nullptr);
  EXPECT_EQ(frame->menuBar(), nullptr);
  EXPECT_TRUE(frame->menuBarButtons().empty());
  EXPECT_EQ(menu->skinForm(), nullptr);

  frame->setMenu(menu);
  EXPECT_EQ(frame->menuBarButtons().size(), 3u);
  delete menu;
  EXPECT_EQ(frame->menu(), nullptr);
  EXPECT_EQ(frame->menuBar(), nullptr);
  EXPECT_TRUE(frame->menuBarButtons().empty());
}

TEST_F(ToolkitTest, MenuBuiltWhileLoadingIsShownOnceLoaded) {
  auto form = makeForm();
  TkwoForm *frame = nullptr;
  {
    ui::LoadingGuard loading(*form);
    frame = new TkwoForm(form.get());
    auto *menu = new TkwoMainMenu(form.get());
    auto *file = addItem(*menu, QStringLiteral("&File"));
    addItem(*menu, QStringLiteral("Load Project"), file);
    addItem(*menu, QStringLiteral("View"));
    EXPECT_TRUE(frame->menuBarButtons().empty());
    EXPECT_FALSE(static_cast<bool>(file->OnDrawItem));
  }
  EXPECT_EQ(buttonCaptions(*frame), (QStringList{"&File", "View"}));
  auto *menu = static_cast<TkwoMainMenu *>(frame->menu());
  // Every item, sub-items too, is drawn by the menu once it has loaded.
  EXPECT_TRUE(static_cast<bool>(menu->items()->item(0)->item(0)->OnDrawItem));
}

TEST_F(ToolkitTest, PlainMainMenuAlsoGetsABar) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  ui::MainMenu menu(nullptr);
  addItem(menu, QStringLiteral("One"));
  addItem(menu, QStringLiteral("Two"));
  frame->setMenu(&menu);
  EXPECT_EQ(buttonCaptions(*frame), (QStringList{"One", "Two"}));
  frame->setMenu(nullptr);
  EXPECT_EQ(frame->menuBar(), nullptr);
}

TEST_F(ToolkitTest, RingIsPaintedRoundTheClientArea) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  frame->setUIStyle(S::MacOS);
  form->show();
  const QImage picture = form->grab().toImage();
  EXPECT_EQ(picture.pixelColor(0, 300), QColor(127, 127, 127));
  EXPECT_EQ(picture.pixelColor(448, 300), QColor(127, 127, 127));
  EXPECT_EQ(picture.pixelColor(200, 622), QColor(127, 127, 127));
  EXPECT_EQ(picture.pixelColor(1, 300), QColor(231, 231, 231));
  EXPECT_EQ(picture.pixelColor(200, 300), QColor(231, 231, 231));  // the frame's client colour
  // Above the title bar the ring shows the title's middle picture.
  QImage middle;
  GetBuiltInThemeImage(S::MacOS, tiTitleBarClientImage, middle, 0, 0);
  bool fromMiddle = false;
  for (int x = 0; x < middle.width(); ++x) fromMiddle |= middle.pixel(x, 0) == picture.pixel(200, 0);
  EXPECT_TRUE(fromMiddle);

  frame->setTitleBarVisible(false);
  const QImage bare = form->grab().toImage();
  EXPECT_EQ(bare.pixelColor(200, 0), QColor(127, 127, 127));
  EXPECT_EQ(bare.pixelColor(200, 1), QColor(231, 231, 231));
  EXPECT_EQ(bare.pixelColor(200, 2), QColor(231, 231, 231));
  form->hide();
}

TEST_F(ToolkitTest, ControlsTakeTheLookOfTheirOwnerFormsFrame) {
  EXPECT_EQ(GetOwnerFormUIStyle(nullptr), S::DeepBlue);
  auto form = makeForm();
  EXPECT_EQ(GetOwnerFormUIStyle(form.get()), S::DeepBlue);
  ui::Panel notAForm(nullptr);
  EXPECT_EQ(GetOwnerFormUIStyle(&notAForm), S::DeepBlue);

  auto *frame = new TkwoForm(form.get());
  frame->setUIStyle(S::BlueGlass);
  auto *panel = new ui::Panel(form.get());
  panel->setParentControl(frame);
  auto *button = new TkwoButton(form.get());
  button->setParentControl(panel);
  EXPECT_EQ(button->uiStyle(), S::BlueGlass);
  EXPECT_TRUE(button->transparent());
  EXPECT_EQ((new TkwoToolBar(form.get()))->uiStyle(), S::BlueGlass);
  EXPECT_EQ((new TkwoStatusBar(form.get()))->uiStyle(), S::BlueGlass);
  EXPECT_EQ((new TkwoPopupMenu(form.get()))->uiStyle(), S::BlueGlass);

  auto *loose = new TkwoButton(nullptr);
  EXPECT_EQ(loose->uiStyle(), S::DeepBlue);
  delete loose;
}

TEST_F(ToolkitTest, FramePassesItsLookToChildrenOnlyWhenAsked) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  auto *button = new TkwoButton(form.get());
  button->setParentControl(frame);
  frame->setUIStyle(S::WinXP);
  EXPECT_EQ(button->uiStyle(), S::DeepBlue);
  frame->setUIStyleAutoUpdateSub(true);
  frame->setUIStyle(S::Protein);
  EXPECT_EQ(button->uiStyle(), S::Protein);
}

TEST_F(ToolkitTest, FormPanelRefusesTheFrameItself) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  auto *panel = new ui::Panel(form.get());
  panel->setCaption(QStringLiteral("x"));
  panel->setParentControl(frame);
  frame->setFormPanel(panel);
  EXPECT_EQ(frame->formPanel(), panel);
  EXPECT_EQ(panel->align(), ui::Align::Client);
  EXPECT_EQ(panel->bevelOuter(), ui::Bevel::None);
  EXPECT_TRUE(panel->caption().isEmpty());
  {
    testsupport::MessageBoxScript boxes;
    boxes.answer(ui::IDOK);
    frame->setFormPanel(frame);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Sorry, you can't select the Form assign to FormPanel property"));
  }
  EXPECT_EQ(frame->formPanel(), panel);
  delete panel;
  EXPECT_EQ(frame->formPanel(), nullptr);
}

// --- Title bar ---

TEST_F(ToolkitTest, TitleBarDefaultsAndFont) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  TkwoTitleBar *bar = frame->titleBar();
  ASSERT_EQ(bar->buttonCount(), 4);
  EXPECT_EQ(bar->button(0).buttonType, TkwoTitleBarBtnType::kwoControlBox);
  EXPECT_EQ(bar->button(1).buttonType, TkwoTitleBarBtnType::kwoClose);
  EXPECT_EQ(bar->button(2).buttonType, TkwoTitleBarBtnType::kwoMax);
  EXPECT_EQ(bar->button(3).buttonType, TkwoTitleBarBtnType::kwoMin);
  EXPECT_EQ(bar->controlFont().name, QStringLiteral("Tahoma"));
  EXPECT_TRUE(bar->controlFont().bold);
  EXPECT_EQ(bar->controlFont().color, 0xFFFFFF);
  EXPECT_EQ(bar->buttonTop(), 2 - 3);
  frame->setUIStyle(S::MacOS);
  EXPECT_EQ(bar->controlFont().color, 0x000000);
  EXPECT_EQ(bar->leftBtnXOffset(), 3);
  EXPECT_EQ(bar->rightBtnXOffset(), -2);
  EXPECT_EQ(bar->buttonTop(), 1);
  const struct {
    S style;
    int height;
  } heights[] = {{S::WinXP, 26}, {S::DeepBlue, 29}, {S::Protein, 20}, {S::BlueGlass, 30}, {S::MacOS, 20}};
  for (const auto &h : heights) {
    frame->setUIStyle(h.style);
    EXPECT_EQ(bar->height(), h.height) << static_cast<int>(h.style);
    EXPECT_EQ(bar->controlFont().color, h.style == S::MacOS ? 0x000000 : 0xFFFFFF);
  }
  // Standing alone the bar keeps the whole picture height.
  TkwoTitleBar alone(nullptr);
  alone.setUIStyle(S::MacOS);
  EXPECT_EQ(alone.height(), 23);

  TkwoTitleBar custom(nullptr);
  custom.setCustom(true);
  custom.setUIStyle(S::MacOS);
  EXPECT_EQ(custom.height(), 32);  // as made (DeepBlue), untouched
  EXPECT_EQ(custom.controlFont().color, 0xFFFFFF);
}

TEST_F(ToolkitTest, TitleBarButtonsWorkTheForm) {
  auto form = makeForm();
  auto *frame = new TkwoForm(form.get());
  TkwoTitleBar *bar = frame->titleBar();
  form->show();
  const QRect normal = form->geometry();

  bar->performAction(2);  // maximise
  EXPECT_EQ(form->windowState(), ui::WindowState::Maximized);
  bar->performAction(2);  // restore
  EXPECT_EQ(form->windowState(), ui::WindowState::Normal);
  EXPECT_EQ(form->geometry(), normal);

  bar->performAction(3);
  EXPECT_EQ(form->windowState(), ui::WindowState::Minimized);
  form->setWindowState(ui::WindowState::Normal);

  // A click on the close button closes the form.
  const Rect close = bar->buttonLayout().buttons[1];
  const QPoint at((close.left + close.right) / 2, (close.top + close.bottom) / 2);
  EXPECT_EQ(HitTitleButton(bar->buttonLayout(), {at.x(), at.y()}), 1);
  QTest::mouseClick(bar, Qt::LeftButton, {}, at);
  EXPECT_FALSE(form->visible());

  // Help and custom buttons tell their events.
  int help = -1;
  bar->OnHelpBtnClick = [&](TkwoTitleBar *, int index) { help = index; };
  const int index = bar->addButton(TkwoTitleBarBtnType::kwoHelp);
  form->show();
  const Rect h = bar->buttonLayout().buttons[static_cast<size_t>(index)];
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(h.left + 2, h.top + 2));
  EXPECT_EQ(help, index);
  EXPECT_TRUE(form->visible());

  {
    testsupport::MessageBoxScript boxes;
    boxes.answer(ui::IDOK);
    EXPECT_EQ(bar->addButton(TkwoTitleBarBtnType::kwoControlBox), -1);
    EXPECT_EQ(boxes.shown().size(), 1u);
  }
  form->hide();
}

TEST_F(ToolkitTest, DraggingTheEmptyBarMovesANormalForm) {
  auto form = makeForm(300, 200);
  auto *frame = new TkwoForm(form.get());
  TkwoTitleBar *bar = frame->titleBar();
  form->show();
  const QPoint start = form->pos();
  const QPoint press(60, 10);
  ASSERT_EQ(HitTitleButton(bar->buttonLayout(), {press.x(), press.y()}), -1);
  QTest::mousePress(bar, Qt::LeftButton, {}, press);
  ASSERT_TRUE(form->moveArmed());
  EXPECT_FALSE(bar->mouseIsDown());
  const QPointF to(press.x() + 30, press.y() + 20);
  QMouseEvent move(QEvent::MouseMove, to, bar->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(bar, &move);
  EXPECT_EQ(form->pos(), start + QPoint(30, 20));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, press);
  EXPECT_FALSE(form->moveArmed());

  // A press on a button or on a maximised form's bar moves nothing.
  const Rect close = bar->buttonLayout().buttons[1];
  QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(close.left + 1, close.top + 1));
  EXPECT_FALSE(form->moveArmed());
  EXPECT_TRUE(bar->mouseIsDown());
  QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(60, 10));  // released off the button
  EXPECT_TRUE(form->visible());
  form->setWindowState(ui::WindowState::Maximized);
  QTest::mousePress(bar, Qt::LeftButton, {}, press);
  EXPECT_FALSE(form->moveArmed());
  QTest::mouseRelease(bar, Qt::LeftButton, {}, press);
  form->hide();
}

TEST_F(ToolkitTest, DoubleClickOnTheBarTogglesMaximise) {
  auto form = makeForm(300, 200);
  auto *frame = new TkwoForm(form.get());
  TkwoTitleBar *bar = frame->titleBar();
  form->show();
  doubleClick(bar, QPoint(60, 10));
  EXPECT_EQ(form->windowState(), ui::WindowState::Maximized);
  doubleClick(bar, QPoint(60, 10));
  EXPECT_EQ(form->windowState(), ui::WindowState::Normal);
  // On the control box a double click closes the form.
  const Rect box = bar->buttonLayout().buttons[0];
  doubleClick(bar, QPoint(box.left + 1, box.top + 1));
  EXPECT_FALSE(form->visible());
}

// --- Menus ---

TEST_F(ToolkitTest, MenuFieldsAndStyleRule) {
  TkwoPopupMenu popup(nullptr);
  EXPECT_EQ(popup.uiStyle(), S::DeepBlue);
  EXPECT_TRUE(popup.ownerDraw());
  popup.setOwnerDraw(false);
  EXPECT_TRUE(popup.ownerDraw());
  EXPECT_EQ(popup.barWidth(), 26);
  EXPECT_EQ(popup.menuItemHeight(), 21);
  EXPECT_EQ(popup.separatorHeight(), 5);
  EXPECT_EQ(popup.fontName(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(popup.fontSize(), 8);
  EXPECT_EQ(popup.fontCharset(), 1);
  EXPECT_TRUE(popup.useSystemFont());
  EXPECT_FALSE(popup.flatMenu());
  EXPECT_EQ(popup.borderColor(), 0);

  popup.setUIStyle(S::MacOS);
  popup.setMenuItemHeight(30);
  popup.setSeparatorHeight(30);
  EXPECT_EQ(popup.menuItemHeight(), 20);
  EXPECT_EQ(popup.separatorHeight(), 12);
  popup.setUIStyle(S::WinXP);
  popup.setMenuItemHeight(30);
  popup.setSeparatorHeight(9);
  EXPECT_EQ(popup.menuItemHeight(), 30);
  EXPECT_EQ(popup.separatorHeight(), 9);
  popup.setUIStyle(S::WinXP);  // a style change sets them again
  EXPECT_EQ(popup.menuItemHeight(), 21);

  TkwoMainMenu main(nullptr);
  EXPECT_EQ(main.images(), nullptr);
  EXPECT_NE(main.ui::Menu::images(), nullptr);  // its own check marks
  auto *list = new ui::ImageList(nullptr);
  main.setImages(list);
  EXPECT_EQ(main.images(), list);
  main.setImages(nullptr);
  EXPECT_EQ(main.images(), nullptr);
  main.setImages(list);
  delete list;
  EXPECT_EQ(main.images(), nullptr);
  EXPECT_NE(main.ui::Menu::images(), nullptr);
}

TEST_F(ToolkitTest, MenuMeasuresItsItems) {
  TkwoPopupMenu menu(nullptr);
  menu.setUIStyle(S::MacOS);
  ui::MenuItem *open = addItem(menu, QStringLiteral("&Open"));
  open->setShortCut(QKeyCombination(Qt::ControlModifier, Qt::Key_O));
  ui::MenuItem *line = addItem(menu, QStringLiteral("-"));
  ui::MenuItem *dashes = addItem(menu, QStringLiteral("--"));
  const QFont font;
  const QFontMetrics fm(font);
  int w = 0;
  int h = 0;
  ASSERT_TRUE(static_cast<bool>(open->OnMeasureItem));
  open->OnMeasureItem(open, font, w, h);
  EXPECT_EQ(w, fm.horizontalAdvance(QStringLiteral("&Open")) + fm.horizontalAdvance(open->shortCutText()) + 26 + 40);
  EXPECT_EQ(h, 20);
  line->OnMeasureItem(line, font, w, h);
  EXPECT_EQ(h, 12);
  dashes->OnMeasureItem(dashes, font, w, h);
  EXPECT_EQ(h, 20);

  // Items are drawn without fault, selected, checked and disabled too.
  QImage image(200, 30, QImage::Format_ARGB32);
  QPainter painter(&image);
  open->setChecked(true);
  open->OnDrawItem(open, painter, QRect(0, 0, 200, 20), true);
  open->setEnabled(false);
  open->OnDrawItem(open, painter, QRect(0, 0, 200, 20), true);
  line->OnDrawItem(line, painter, QRect(0, 0, 200, 12), false);
}

TEST_F(ToolkitTest, EachMenuHooksOnlyItsOwnItems) {
  TkwoPopupMenu a(nullptr);
  a.setUIStyle(S::MacOS);  // items 20 high
  TkwoPopupMenu b(nullptr);
  b.setUIStyle(S::WinXP);
  b.setMenuItemHeight(33);
  ui::MenuItem *item = addItem(a, QStringLiteral("Item"));
  const QFont font;
  auto heightOf = [&](ui::MenuItem *i) {
    int w = 1;
    int h = 1;
    if (i->OnMeasureItem) i->OnMeasureItem(i, font, w, h);
    return h;
  };
  EXPECT_EQ(heightOf(item), 20);
  b.hookMenuItem(item);  // not b's: left alone
  EXPECT_EQ(heightOf(item), 20);

  b.items()->add(item);  // moved to b: b draws it now
  EXPECT_EQ(heightOf(item), 33);

  ui::PopupMenu plain(nullptr);
  plain.items()->add(item);  // a plain menu: the measure leaves the plain size
  EXPECT_EQ(heightOf(item), 1);
}

// --- Tool bar and status bar ---

TEST_F(ToolkitTest, ToolBarTransparencyAndColours) {
  TkwoToolBar bar(nullptr);
  EXPECT_TRUE(bar.flat());
  EXPECT_FALSE(bar.transparent());
  const struct {
    S style;
    bool transparent;
  } cases[] = {{S::MacOS, true},     {S::Protein, true},    {S::WinXP, false},
               {S::DeepBlue, false}, {S::BlueGlass, false}, {S::FromThemeFile, false}};
  for (const auto &c : cases) {
    bar.setUIStyle(c.style);
    EXPECT_EQ(bar.transparent(), c.transparent) << static_cast<int>(c.style);
  }
  bar.setUIStyle(S::WinXP);
  EXPECT_EQ(bar.buttonColor(), platform::RGB(198, 211, 239));
  EXPECT_EQ(bar.buttonDownColor(), platform::RGB(147, 172, 225));
  EXPECT_EQ(bar.buttonBorderColor(), platform::RGB(49, 105, 198));

  // The bar's own drawing takes hot, pressed and checked buttons.
  auto *button = new ui::ToolButton(&bar);
  button->setParentControl(&bar);
  QImage image(40, 40, QImage::Format_ARGB32);
  QPainter painter(&image);
  bool defaultDraw = true;
  bar.OnCustomDrawButton(&bar, button, painter, ui::ToolButtonState{true, true, false}, defaultDraw);
  EXPECT_FALSE(defaultDraw);
  defaultDraw = true;
  bar.OnCustomDrawButton(&bar, button, painter, ui::ToolButtonState{}, defaultDraw);
  EXPECT_TRUE(defaultDraw);
}

TEST_F(ToolkitTest, StatusBarColourGripAndMouse) {
  auto form = makeForm(300, 200);
  auto *frame = new TkwoForm(form.get());
  frame->setUIStyle(S::MacOS);
  auto *bar = new TkwoStatusBar(form.get());
  bar->setParentControl(frame);
  EXPECT_EQ(bar->uiStyle(), S::MacOS);
  EXPECT_EQ(bar->panelColor(), platform::RGB(231, 231, 231));
  bar->setPanelColor(platform::RGB(1, 2, 3));
  EXPECT_EQ(bar->color(), platform::RGB(1, 2, 3));
  bar->setUIStyle(S::WinXP);
  EXPECT_EQ(bar->panelColor(), platform::RGB(239, 235, 222));
  ASSERT_EQ(bar->height(), 19);

  // Sizeable form: the box and the grip lines, no strip above a 19-high bar.
  StatusGripPlan plan = bar->gripPlan();
  EXPECT_EQ(plan.fills.size(), 1u);
  EXPECT_EQ(plan.lines.size(), 4u);

  int presses = 0;
  bar->OnMouseDown = [&](ui::Control *, ui::MouseButton, ui::ShiftState, int, int) { ++presses; };
  form->show();
  QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(presses, 1);

  // Maximised: the box stays, the lines go, and the mouse reaches nothing.
  form->setWindowState(ui::WindowState::Maximized);
  EXPECT_TRUE(bar->mouseBlocked());
  plan = bar->gripPlan();
  EXPECT_EQ(plan.fills.size(), 1u);
  EXPECT_TRUE(plan.lines.empty());
  QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(presses, 1);
  form->hide();

  // A fixed border: nothing of the bar's own.
  auto fixed = makeForm(300, 200);
  fixed->setBorderStyle(ui::BorderStyle::Dialog);
  auto *plainBar = new TkwoStatusBar(fixed.get());
  plainBar->setParentControl(fixed.get());
  EXPECT_EQ(plainBar->gripPlan(), StatusGripPlan{});
}

}  // namespace
}  // namespace kwo
