#include "skin_toolkit/gallery/gallery.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/menu_view.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/tool_bar.h"
#include "skin_toolkit/controls/kwo_button.h"
#include "skin_toolkit/controls/kwo_page_control.h"
#include "skin_toolkit/controls/kwo_panel.h"
#include "skin_toolkit/controls/kwo_track_bar.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/frames/kwo_menu.h"
#include "skin_toolkit/frames/kwo_status_bar.h"
#include "skin_toolkit/frames/kwo_tool_bar.h"
#include "skin_toolkit/gallery/controls_sheet.h"
#include "skin_toolkit/gallery/skin_file_builder.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/file_theme.h"
#include "skin_toolkit/themes/theme_table.h"

namespace gallery {
namespace {

using kwo::TkwoUIStyle;

constexpr int kFormWidth = 300;
constexpr int kFormHeight = 220;
constexpr int kGap = 16;
constexpr int kSheetWidth = 1100;
constexpr int kControlsPerRow = 3;
const QColor kBackdrop(96, 96, 96);
const QColor kLabel(240, 240, 240);

struct Look {
  TkwoUIStyle style;
  const char *name;
};
constexpr Look kLooks[] = {{TkwoUIStyle::MacOS, "MacOS"},
                           {TkwoUIStyle::WinXP, "WinXP"},
                           {TkwoUIStyle::DeepBlue, "DeepBlue"},
                           {TkwoUIStyle::Protein, "Protein"},
                           {TkwoUIStyle::BlueGlass, "BlueGlass"}};

ui::MenuItem *addItem(ui::Component &owner, ui::MenuItem *parent, const QString &caption) {
  auto *item = new ui::MenuItem(&owner);
  item->setCaption(caption);
  parent->add(item);
  return item;
}

ui::ToolButton *addToolButton(ui::Component &owner, kwo::TkwoToolBar *bar, const QString &caption,
                              ui::ToolButtonStyle style = ui::ToolButtonStyle::Button) {
  auto *button = new ui::ToolButton(&owner);
  button->setCaption(caption);
  button->setStyle(style);
  // A drop-down button keeps the bar's width, which leaves room for its arrow.
  button->setAutoSize(style != ui::ToolButtonStyle::DropDown);
  button->setParentControl(bar);
  return button;
}

ui::MenuView *openMenuView() {
  for (QWidget *w : QApplication::topLevelWidgets()) {
    if (auto *view = qobject_cast<ui::MenuView *>(w); view != nullptr && view->isVisible()) return view;
  }
  return nullptr;
}

// The skinned form of one look, with its last menu open, drawn at origin.
void drawForm(QPainter &painter, const Look &look, QPoint origin) {
  ui::Form form(nullptr);
  form.setBounds(40, 40, kFormWidth, kFormHeight);
  form.setCaption(QString::fromLatin1(look.name));
  auto *frame = new kwo::TkwoForm(&form);
  frame->setUIStyle(look.style);
  frame->setCaption(QString::fromLatin1(look.name));

  auto *tools = new kwo::TkwoToolBar(&form);
  tools->setShowCaptions(true);
  tools->setButtonSize(52, 22);
  tools->setParentControl(frame);
  tools->setUIStyle(look.style);
  // The hot button lies left of the open menu, which drops from the last item.
  ui::ToolButton *hot = addToolButton(form, tools, QStringLiteral("打开"), ui::ToolButtonStyle::DropDown);
  addToolButton(form, tools, QStringLiteral("保存"));
  addToolButton(form, tools, QStringLiteral("退出"));

  auto *menu = new kwo::TkwoMainMenu(&form);
  menu->setUIStyle(look.style);
  ui::MenuItem *file = addItem(form, menu->items(), QStringLiteral("文件(&F)"));
  addItem(form, file, QStringLiteral("打开(&O)"));
  addItem(form, file, QStringLiteral("退出(&X)"));
  ui::MenuItem *view = addItem(form, menu->items(), QStringLiteral("查看(&V)"));
  addItem(form, view, QStringLiteral("放大"));
  addItem(form, view, QStringLiteral("缩小"));
  ui::MenuItem *help = addItem(form, menu->items(), QStringLiteral("帮助(&H)"));
  addItem(form, help, QStringLiteral("帮助内容"));
  addItem(form, help, QStringLiteral("状态栏"))->setChecked(true);
  addItem(form, help, QStringLiteral("-"));
  addItem(form, help, QStringLiteral("关于(&A)"))->setEnabled(false);
  frame->setMenu(menu);

  auto *status = new kwo::TkwoStatusBar(&form);
  status->setParentControl(frame);
  status->setUIStyle(look.style);
  status->addPanel({90, QStringLiteral("就绪"), false});
  status->addPanel({90, QString::fromLatin1(look.name), false});

  form.show();
  ui::Application::processMessages();
  const QPointF inside(4, 4);
  QEnterEvent enter(inside, inside, hot->mapToGlobal(inside));
  QApplication::sendEvent(hot, &enter);
  if (!frame->menuBarButtons().empty()) frame->menuBarButtons().back()->click();
  ui::Application::processMessages();

  const QImage shot = form.grab().toImage();
  painter.save();
  const QRegion region = form.windowRegion();
  if (!region.isEmpty()) painter.setClipRegion(region.translated(origin));
  painter.drawImage(origin, shot);
  painter.restore();
  if (ui::MenuView *view = openMenuView()) {
    painter.drawImage(origin + (view->pos() - form.pos()), view->grab().toImage());
    view->close();
  } else {
    std::fprintf(stderr, "morvit_snapshot: %s 的菜单没有打开\n", look.name);
  }
  form.hide();
  ui::Application::processMessages();
}

// A skin of the tool's own: WinXP's pictures under greens of its own, so
// that it shows apart from every built-in look. It names WinXP as the look
// it imitates, which gives its panels dark captions.
testsupport::SkinFileBuilder gallerySkin() {
  testsupport::SkinFileBuilder skin = testsupport::SkinFileBuilder::fromBuiltIn(TkwoUIStyle::WinXP, 2 << 16);
  const struct {
    int position;
    platform::TColor value;
  } colours[] = {{kwo::tiFormBackgroundColor, platform::RGB(196, 224, 200)},
                 {kwo::tiFormBorderColor, platform::RGB(40, 100, 60)},
                 {kwo::tiControlBorderColor, platform::RGB(40, 100, 60)},
                 {kwo::tiControlBackgroundColor, platform::RGB(232, 246, 234)},
                 {kwo::tiScrollBarBackgroundColor, platform::RGB(170, 210, 180)}};
  for (const auto &c : colours) {
    for (auto &entry : skin.entries()) {
      if (entry.name == kwo::ThemeItemName(c.position)) testsupport::SkinFileBuilder::putInt(entry.data, 0, c.value);
    }
  }
  return skin;
}

// The states the sheet is there to show; each one missing is printed.
bool sheetShowsItsStates(const gallery::ControlsSheet &sheet, const QString &name) {
  const struct {
    bool shown;
    const char *what;
  } states[] = {
      {sheet.pressedButton->pressed(), "按钮没有按下"},
      {!sheet.disabledButton->isEnabled(), "按钮没有禁用"},
      {!sheet.foldedPanel->unfolded() && sheet.foldedPanel->height() < sheet.foldedPanel->fullHeight(), "面板没有折叠"},
      {sheet.pageControl->strip()->overflow(), "标签没有溢出"},
      {sheet.verticalTrackBar->height() > sheet.verticalTrackBar->width(), "滑块条不是竖的"},
  };
  bool all = true;
  for (const auto &s : states) {
    if (s.shown) continue;
    std::fprintf(stderr, "morvit_snapshot: %s 的控件页：%s\n", name.toUtf8().constData(), s.what);
    all = false;
  }
  return all;
}

// The controls sheet on a form whose frame has the look (or the skin, with
// theme set), drawn at origin; false when it misses a state it should show.
bool drawControlsSheet(QPainter &painter, TkwoUIStyle style, const QString &name, const QString &skinFile,
                       QPoint origin) {
  bool complete = true;
  ui::Form form(nullptr);
  form.setBounds(40, 40, gallery::kControlsSheetWidth, gallery::kControlsSheetHeight);
  auto *frame = new kwo::TkwoForm(&form);
  if (!skinFile.isEmpty()) {
    auto *theme = new kwo::TkwoFileTheme(&form);
    theme->setThemeFile(skinFile);
    if (!theme->isLoaded()) {
      std::fprintf(stderr, "morvit_snapshot: 皮肤文件没有载入\n");
      complete = false;
    }
    frame->setFileTheme(theme);
  }
  frame->setUIStyle(style);
  frame->setCaption(name);
  form.show();
  ui::Application::processMessages();
  const gallery::ControlsSheet sheet = gallery::BuildControlsSheet(*frame);
  ui::Application::processMessages();
  complete = sheetShowsItsStates(sheet, name) && complete;
  painter.save();
  const QRegion region = form.windowRegion();
  if (!region.isEmpty()) painter.setClipRegion(region.translated(origin));
  painter.drawImage(origin, form.grab().toImage());
  painter.restore();
  form.hide();
  ui::Application::processMessages();
  return complete;
}

struct SheetItem {
  QString label;
  QImage picture;
};

// Lays the pictures out in rows, each above its name; returns the sheet's
// height, drawing only when painter is set.
int layOutSheet(QPainter *painter, const std::vector<SheetItem> &items, QPoint origin, const QFont &font) {
  const QFontMetrics fm(font);
  int x = 0;
  int y = 0;
  int rowHeight = 0;
  for (const SheetItem &item : items) {
    const int w = std::max(item.picture.width(), fm.horizontalAdvance(item.label)) + 10;
    const int h = item.picture.height() + fm.height() + 10;
    if (x > 0 && x + w > kSheetWidth) {
      x = 0;
      y += rowHeight;
      rowHeight = 0;
    }
    if (painter != nullptr) {
      painter->drawImage(origin + QPoint(x, y), item.picture);
      painter->drawText(QRect(origin.x() + x, origin.y() + y + item.picture.height() + 2, w, fm.height() + 2),
                        Qt::AlignLeft | Qt::AlignTop, item.label);
    }
    x += w;
    rowHeight = std::max(rowHeight, h);
  }
  return y + rowHeight;
}

}  // namespace

bool DrawGallery(QImage &out) {
  std::vector<SheetItem> items;
  for (const std::string &name : kwo::BuiltInBitmapNames()) {
    QImage picture = kwo::BuiltInBitmap(name.c_str());
    if (picture.isNull()) {
      std::fprintf(stderr, "morvit_snapshot: 没有内置图片 %s\n", name.c_str());
      continue;
    }
    items.push_back({QString::fromStdString(name), picture});
  }
  // The icon at its small size too.
  items.push_back({QStringLiteral("%1 %2").arg(QLatin1String(kwo::kMainIconName)).arg(kwo::kMainIconSmallSize),
                   kwo::MainIconPicture(kwo::kMainIconSmallSize)});
  QFont font = QApplication::font();
  font.setPixelSize(10);
  const int formsHeight = static_cast<int>(std::size(kLooks)) * (kFormHeight + kGap) + kGap;
  const int sheetHeight = layOutSheet(nullptr, items, {}, font) + 2 * kGap;
  const QPoint sheetOrigin(kFormWidth + 2 * kGap, kGap);

  // Below both, the controls sheets: one per built-in look, then the skin's.
  const int controlsTop = std::max(formsHeight, sheetHeight);
  const int controlsCount = static_cast<int>(std::size(kLooks)) + 1;
  const int controlsRows = (controlsCount + kControlsPerRow - 1) / kControlsPerRow;
  const int width =
      std::max(sheetOrigin.x() + kSheetWidth + kGap, kControlsPerRow * (gallery::kControlsSheetWidth + kGap) + kGap);
  const int height = controlsTop + controlsRows * (gallery::kControlsSheetHeight + kGap);

  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(kBackdrop);
  QPainter painter(&picture);
  for (size_t i = 0; i < std::size(kLooks); ++i) {
    drawForm(painter, kLooks[i], QPoint(kGap, kGap + static_cast<int>(i) * (kFormHeight + kGap)));
  }
  const auto controlsOrigin = [&](int index) {
    return QPoint(kGap + (index % kControlsPerRow) * (gallery::kControlsSheetWidth + kGap),
                  controlsTop + (index / kControlsPerRow) * (gallery::kControlsSheetHeight + kGap));
  };
  bool complete = true;
  for (size_t i = 0; i < std::size(kLooks); ++i) {
    complete = drawControlsSheet(painter, kLooks[i].style, QString::fromLatin1(kLooks[i].name), {},
                                 controlsOrigin(static_cast<int>(i))) &&
               complete;
  }
  QTemporaryDir skinDir;
  const QString skinFile = skinDir.filePath(QStringLiteral("gallery.skin"));
  if (skinDir.isValid()) {
    gallerySkin().writeTo(QFile::encodeName(skinFile).toStdString());
    complete = drawControlsSheet(painter, TkwoUIStyle::FromThemeFile, QStringLiteral("皮肤文件"), skinFile,
                                 controlsOrigin(controlsCount - 1)) &&
               complete;
  } else {
    std::fprintf(stderr, "morvit_snapshot: 没有临时目录，皮肤的控件页没有画\n");
    complete = false;
  }
  painter.setFont(font);
  painter.setPen(kLabel);
  layOutSheet(&painter, items, sheetOrigin, font);
  painter.end();
  out = std::move(picture);
  return complete;
}

}  // namespace gallery
