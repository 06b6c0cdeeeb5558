// The skinned menus: their fields and style rule, measuring and hooking
// their own items, and the owner-drawn faces, drawn on a picture or grabbed
// from a menu window on the offscreen platform: the WinXP item states, check
// marks and images, the MacOS pictures, the flat border, the file theme, and
// the items a menu takes over from its owner.
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <functional>
#include <memory>

#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/menu_view.h"
#include "skin_toolkit/frames/kwo_menu.h"
#include "skin_toolkit/gallery/skin_file_builder.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/file_theme.h"
#include "tests/skin_toolkit/frames/form_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;

// The item's rectangle inside the picture: away from the edges, so that
// offsets from L and T show.
constexpr int kL = 6;
constexpr int kT = 4;
constexpr int kW = 180;
const QRect kItemRect(kL, kT, kW, 21);
constexpr int kR = kL + kW;

QColor rgb(int r, int g, int b) { return QColor(r, g, b); }
QColor at(const QImage &image, int x, int y) { return image.pixelColor(x, y); }

ui::MenuItem *addItem(ui::Menu &menu, const QString &caption, ui::Component *owner = nullptr) {
  auto *item = new ui::MenuItem(owner != nullptr ? owner : &menu);
  item->setCaption(caption);
  menu.items()->add(item);
  return item;
}

// The item drawn through its own handler on a picture first filled with a
// colour no face uses.
QImage drawn(ui::MenuItem *item, bool selected, const QRect &rect = kItemRect) {
  QImage image(kR + kL, rect.bottom() + 1 + kT, QImage::Format_RGB32);
  image.fill(rgb(1, 2, 3));
  QPainter painter(&image);
  if (item->OnDrawItem) item->OnDrawItem(item, painter, rect, selected);
  return image;
}

int measuredHeight(ui::MenuItem *item) {
  int w = 1;
  int h = 1;
  if (item->OnMeasureItem) item->OnMeasureItem(item, QFont(), w, h);
  return h;
}

// --- Fields, measures and hooks ---

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

// --- Faces ---

class MenuSkinTest : public testsupport::UiTest {};

TEST_F(MenuSkinTest, WinXPItemStates) {
  TkwoPopupMenu menu(nullptr);
  menu.setUIStyle(S::WinXP);
  ui::MenuItem *item = addItem(menu, QStringLiteral("Open"));
  const QColor fill = rgb(198, 211, 239);
  const QColor frame = rgb(49, 105, 198);
  const QColor bar = rgb(214, 211, 206);
  const QColor white = rgb(255, 255, 255);

  const QImage selected = drawn(item, true);
  EXPECT_EQ(at(selected, kL, kT), frame);
  EXPECT_EQ(at(selected, kR - 1, kT + 20), frame);
  EXPECT_EQ(at(selected, kL + 1, kT + 1), fill);
  EXPECT_EQ(at(selected, kR - 2, kT + 19), fill);
  EXPECT_EQ(at(selected, kR, kT), rgb(1, 2, 3));  // nothing past the right edge

  // Disabled and selected: the plain row, bar and white.
  item->setEnabled(false);
  const QImage disabled = drawn(item, true);
  for (const QImage &plain : {disabled, drawn(item, false)}) {
    EXPECT_EQ(at(plain, kL, kT), bar);
    EXPECT_EQ(at(plain, kL + 25, kT + 20), bar);
    EXPECT_EQ(at(plain, kL + 26, kT), white);
    EXPECT_EQ(at(plain, kR - 1, kT + 20), white);
  }
  // Its caption is grey, never the black of an enabled one.
  bool grey = false;
  for (int y = kT; y < kT + 21; ++y) {
    for (int x = kL + 30; x < kL + 80; ++x) {
      EXPECT_NE(at(disabled, x, y), rgb(0, 0, 0));
      grey = grey || at(disabled, x, y) == rgb(128, 128, 128);
    }
  }
  EXPECT_TRUE(grey);

  // The shortcut text is the item's own: drawn ending 16 pixels before R.
  ui::MenuItem *open = addItem(menu, QStringLiteral("Open"));
  open->setShortCut(QKeyCombination(Qt::ControlModifier, Qt::Key_O));
  const int textWidth = QFontMetrics(GetSystemMenuFont().font).horizontalAdvance(open->shortCutText());
  const QImage withKey = drawn(open, false);
  auto inkIn = [&](int from, int to) {
    int n = 0;
    for (int y = kT; y < kT + 21; ++y) {
      for (int x = from; x < to; ++x) n += at(withKey, x, y) != white ? 1 : 0;
    }
    return n;
  };
  EXPECT_GT(inkIn(kR - textWidth - 16, kR - 16), 0);
  EXPECT_EQ(inkIn(kR - 14, kR), 0);
  EXPECT_EQ(inkIn(kL + 80, kR - textWidth - 17), 0);

  // A separator: one line on row T + 2 from L + 30 to just before R - 2.
  ui::MenuItem *line = addItem(menu, QStringLiteral("-"));
  const QImage sep = drawn(line, true, QRect(kL, kT, kW, 5));
  const QColor ink = rgb(132, 130, 132);
  EXPECT_EQ(at(sep, kL + 29, kT + 2), white);
  EXPECT_EQ(at(sep, kL + 30, kT + 2), ink);
  EXPECT_EQ(at(sep, kR - 3, kT + 2), ink);
  EXPECT_EQ(at(sep, kR - 2, kT + 2), white);
  EXPECT_EQ(at(sep, kL + 60, kT + 1), white);
  EXPECT_EQ(at(sep, kL + 60, kT + 3), white);
  EXPECT_EQ(at(sep, kL + 10, kT + 2), bar);
}

// The check-mark picture's dark pixels at (L + 4, T + 3); its white shows
// the item's background.
void expectCheckMark(const QImage &image, const QColor &background, const char *what) {
  const QImage mark = BuiltInBitmap("MENU_CHECKED");
  ASSERT_FALSE(mark.isNull()) << what;
  int dark = 0;
  for (int y = 0; y < mark.height(); ++y) {
    for (int x = 0; x < mark.width(); ++x) {
      const QColor m = mark.pixelColor(x, y);
      const QColor shown = at(image, kL + 4 + x, kT + 3 + y);
      if (m == rgb(255, 255, 255)) {
        EXPECT_EQ(shown, background) << what << " at " << x << "," << y;
      } else if (qGray(m.rgb()) < 128) {
        ++dark;
        EXPECT_EQ(shown, m) << what << " at " << x << "," << y;
      }
    }
  }
  EXPECT_GT(dark, 0) << what;
}

TEST_F(MenuSkinTest, CheckedItemsShowTheImageOnABoxOrTheCheckMark) {
  const QColor selected = rgb(198, 211, 239);
  ui::ImageList images(nullptr);
  QPixmap red(16, 16);
  red.fill(Qt::red);
  images.add(red);

  // Pop-up menus share one check-mark list, a main menu has its own.
  auto expectChecks = [&](ui::Menu &menu, Styled &styled, const std::function<void(ui::ImageList *)> &setImages,
                          const char *what) {
    styled.setUIStyle(S::WinXP);
    ui::MenuItem *item = addItem(menu, QStringLiteral("Item"));
    item->setChecked(true);
    item->setImageIndex(0);

    setImages(&images);
    const QImage boxed = drawn(item, false);
    EXPECT_EQ(at(boxed, kL + 2, kT + 1), rgb(0, 0, 0)) << what;
    EXPECT_EQ(at(boxed, kL + 20, kT + 19), rgb(0, 0, 0)) << what;
    EXPECT_EQ(at(boxed, kL + 3, kT + 2), selected) << what;
    EXPECT_EQ(at(boxed, kL + 19, kT + 18), rgb(255, 0, 0)) << what;  // the image over the box

    // An index past the list: the check mark, on the selection's fill.
    item->setImageIndex(1);
    expectCheckMark(drawn(item, true), selected, what);
    item->setImageIndex(0);
    setImages(nullptr);
    expectCheckMark(drawn(item, true), selected, what);
    expectCheckMark(drawn(item, false), rgb(214, 211, 206), what);  // over the bar

    // Disabled, the mark is greyed: never as dark as the plain one.
    item->setEnabled(false);
    const QImage greyed = drawn(item, false);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) EXPECT_GE(qGray(greyed.pixel(kL + 4 + x, kT + 3 + y)), 96) << what;
    }
  };
  TkwoPopupMenu popup(nullptr);
  expectChecks(popup, popup, [&](ui::ImageList *l) { popup.setImages(l); }, "popup");
  TkwoMainMenu main(nullptr);
  expectChecks(main, main, [&](ui::ImageList *l) { main.setImages(l); }, "main");
  // Reading back a main menu's Images after nil gives nil.
  EXPECT_EQ(main.images(), nullptr);
}

TEST_F(MenuSkinTest, MacOSRowsComeFromTheMenuPictures) {
  const QImage bar = BuiltInBitmap("MACOS_MENU_BAR");
  const QImage select = BuiltInBitmap("MACOS_MENU_SELECT");
  ASSERT_GE(bar.height(), 20);
  ASSERT_GE(select.height(), 20);
  TkwoPopupMenu menu(nullptr);
  menu.setUIStyle(S::MacOS);
  ui::MenuItem *item = addItem(menu, QStringLiteral("Item"));
  ui::MenuItem *line = addItem(menu, QStringLiteral("-"));
  const struct {
    ui::MenuItem *item;
    bool selected;
    bool enabled;
    int height;
    const QImage &picture;
  } cases[] = {
      {item, false, true, 20, bar},
      {item, true, true, 20, select},
      {item, true, false, 20, bar},  // disabled: never the selection
      {line, true, true, 12, bar},  // the top 12 rows
  };
  for (const auto &c : cases) {
    c.item->setEnabled(c.enabled);
    const QImage image = drawn(c.item, c.selected, QRect(kL, kT, kW, c.height));
    for (int y = 0; y < c.height; ++y) {
      for (int x : {kL, kR - 1}) {
        EXPECT_EQ(at(image, x, kT + y), c.picture.pixelColor(0, y)) << c.height << " row " << y;
      }
    }
    EXPECT_EQ(at(image, kL, kT + c.height), rgb(1, 2, 3));
  }
}

TEST_F(MenuSkinTest, OwnFontMeasuresTheCaptionsItDraws) {
  TkwoPopupMenu menu(nullptr);
  menu.setUIStyle(S::WinXP);
  menu.setUseSystemFont(false);
  menu.setFontSize(24);
  ui::MenuItem *item = addItem(menu, QStringLiteral("A long caption"));
  item->setDefault(true);
  QFont drawnIn = menu.itemFont();
  drawnIn.setBold(true);
  int w = 0;
  int h = 0;
  item->OnMeasureItem(item, QFont(), w, h);
  EXPECT_EQ(w, QFontMetrics(drawnIn).horizontalAdvance(item->caption()) + 26 + 40);

  EXPECT_EQ(GetSystemMenuFont().font, QApplication::font("QMenu"));
  EXPECT_EQ(GetSystemMenuFont().color, platform::clMenuText);
}

// A menu shown on the offscreen screen, its window grabbed once painted.
class ShownMenu {
 public:
  explicit ShownMenu(ui::PopupMenu &menu) : menu_(menu) {
    menu.popup(50, 60);
    view_ = menu.view();
  }
  ~ShownMenu() { menu_.closeUp(); }
  ui::MenuView *view() const { return view_.data(); }
  QImage picture() const { return view_->grab().toImage(); }

 private:
  ui::PopupMenu &menu_;
  QPointer<ui::MenuView> view_;
};

TEST_F(MenuSkinTest, FlatMenuPaintsItsBorderOnTheMenuWindow) {
  TkwoPopupMenu menu(nullptr);
  menu.setUIStyle(S::WinXP);
  menu.setFlatMenu(true);
  addItem(menu, QStringLiteral("Open"));
  addItem(menu, QStringLiteral("-"));
  addItem(menu, QStringLiteral("A much longer caption"));
  ShownMenu shown(menu);
  ASSERT_NE(shown.view(), nullptr);
  const QImage image = shown.picture();
  const int w = image.width();
  const int h = image.height();
  ASSERT_GT(w, 60);
  ASSERT_GT(h, 40);
  const QColor back = rgb(239, 235, 222);  // WinXP's form background
  EXPECT_EQ(at(image, 0, h / 2), rgb(0, 0, 0));
  EXPECT_EQ(at(image, w - 2, h / 2), rgb(0, 0, 0));
  EXPECT_EQ(at(image, 1, h / 2), rgb(255, 255, 255));
  EXPECT_EQ(at(image, w / 2, 0), back);
  EXPECT_EQ(at(image, w - 1, h / 2), back);
  EXPECT_EQ(at(image, w / 2, h - 1), back);

  // The items fill the inside of the 2-pixel border, each as wide as the
  // widest: a short item's selection spans the menu.
  const QList<QAction *> actions = shown.view()->actions();
  ASSERT_EQ(actions.size(), 3);
  EXPECT_EQ(shown.view()->actionGeometry(actions[0]).topLeft(), QPoint(2, 2));
  EXPECT_EQ(shown.view()->actionGeometry(actions[0]).width(), w - 4);
  EXPECT_EQ(shown.view()->actionGeometry(actions[2]).bottom(), h - 3);
  shown.view()->setActiveAction(actions[0]);
  const QImage hot = shown.picture();
  EXPECT_EQ(at(hot, w - 3, 2), rgb(49, 105, 198));
  EXPECT_EQ(at(hot, w - 4, 3), rgb(198, 211, 239));

  // Without FlatMenu the menu paints no flat border.
  menu.setFlatMenu(false);
  EXPECT_NE(at(shown.picture(), w / 2, 0), back);
}

TEST_F(MenuSkinTest, FileThemeColoursAndTheirRemoval) {
  testsupport::TempAppDir dir;
  testsupport::SkinFileBuilder skin;
  skin.addInt("MenuSelectedBorderColor", platform::RGB(1, 2, 3))
      .addInt("MenuSelectedBackgroundColor", platform::RGB(10, 20, 30))
      .addInt("MenuSelectedFontColor", platform::RGB(4, 5, 6))
      .addInt("MenuBackgroundColor", platform::RGB(40, 50, 60))
      .addInt("MenuFontColor", platform::RGB(7, 8, 9))
      .addInt("MenuBarColor", platform::RGB(11, 12, 13))
      .addInt("FormBackgroundColor", platform::RGB(70, 80, 90));
  skin.writeTo(dir / "menu.kwo");
  const QString path = QString::fromStdString((dir / "menu.kwo").string());

  MenuLook fromSkin;
  ApplyMenuStyle(fromSkin, S::FromThemeFile, [](int position) {
    switch (position) {
      case tiMenuSelectedBorderColor: return platform::RGB(1, 2, 3);
      case tiMenuSelectedBackgroundColor: return platform::RGB(10, 20, 30);
      case tiMenuSelectedFontColor: return platform::RGB(4, 5, 6);
      case tiMenuBackgroundColor: return platform::RGB(40, 50, 60);
      case tiMenuFontColor: return platform::RGB(7, 8, 9);
      default: return platform::RGB(11, 12, 13);
    }
  });
  MenuLook deepBlue;
  ApplyMenuStyle(deepBlue, S::DeepBlue);
  MenuLook winXP;
  ApplyMenuStyle(winXP, S::WinXP);

  auto popup = std::make_unique<TkwoPopupMenu>(nullptr);
  auto main = std::make_unique<TkwoMainMenu>(nullptr);
  const std::vector<std::pair<ThemeClient *, const MenuLook *>> menus{{popup.get(), &popup->menuLook()},
                                                                     {main.get(), &main->menuLook()}};
  for (const auto &[menu, look] : menus) {
    auto theme = std::make_unique<TkwoFileTheme>(nullptr);
    menu->setUIStyle(S::FromThemeFile);
    menu->setFileTheme(theme.get());
    EXPECT_EQ(*look, deepBlue);  // nothing loaded yet
    theme->setThemeFile(path);
    ASSERT_TRUE(theme->isLoaded());
    menu->setFileTheme(theme.get());  // the same theme again applies the look again
    EXPECT_EQ(*look, fromSkin);
    menu->setUIStyle(S::WinXP);  // a built-in style ignores the skin
    EXPECT_EQ(*look, winXP);
    menu->setUIStyle(S::FromThemeFile);

    theme.reset();
    EXPECT_EQ(menu->fileTheme(), nullptr);
    EXPECT_EQ(menu->uiStyle(), S::DeepBlue);
    EXPECT_EQ(*look, deepBlue);
  }

  // The flat border's light colour is the skin's form background.
  TkwoFileTheme theme(nullptr);
  theme.setThemeFile(path);
  popup->setFileTheme(&theme);
  popup->setUIStyle(S::FromThemeFile);
  popup->setFlatMenu(true);
  addItem(*popup, QStringLiteral("Item"));
  ShownMenu shown(*popup);
  ASSERT_NE(shown.view(), nullptr);
  const QImage image = shown.picture();
  EXPECT_EQ(at(image, image.width() / 2, 0), rgb(70, 80, 90));
  EXPECT_EQ(at(image, image.width() - 4, 3), rgb(40, 50, 60));
}

TEST_F(MenuSkinTest, ItemsCreatedForTheOwnerAreDrawnByItsMenu) {
  ui::Form form(nullptr);
  ui::MenuItem *before = new ui::MenuItem(&form);
  auto *skinned = new TkwoPopupMenu(&form);
  skinned->setUIStyle(S::WinXP);
  skinned->setMenuItemHeight(33);
  auto *plain = new ui::PopupMenu(&form);

  // Made after the skinned menu, for the same owner: drawn by it, in a plain
  // menu too.
  ui::MenuItem *item = addItem(*plain, QStringLiteral("Item"), &form);
  before->setCaption(QStringLiteral("Before"));
  plain->items()->add(before);
  EXPECT_EQ(measuredHeight(item), 33);
  EXPECT_EQ(at(drawn(item, true), kL + 1, kT + 1), rgb(198, 211, 239));
  EXPECT_EQ(measuredHeight(before), 1);  // made before it: left alone

  // Another skinned menu it joins draws it from then on.
  TkwoPopupMenu mac(nullptr);
  mac.setUIStyle(S::MacOS);
  mac.items()->add(item);
  EXPECT_EQ(measuredHeight(item), 20);

  // Once the menu that took the item over is gone, it is plain again.
  ui::MenuItem *orphan = addItem(*plain, QStringLiteral("Orphan"), &form);
  EXPECT_EQ(measuredHeight(orphan), 33);
  delete skinned;
  EXPECT_EQ(measuredHeight(orphan), 1);
  EXPECT_EQ(at(drawn(orphan, false), kL + 1, kT + 1), rgb(240, 240, 240));
}

}  // namespace
}  // namespace kwo
