#include "skin_toolkit/frames/frame_paint.h"

#include <QApplication>
#include <QPainter>

#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "platform/ui/tool_bar.h"
#include "skin_toolkit/frames/kwo_menu.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {
namespace {

constexpr std::array<int, 3> kTitlePictureItems = {tiTitleBarLeftImage, tiTitleBarClientImage,
                                                   tiTitleBarRightImage};

QRect toQRect(const Rect &r) { return QRect(r.left, r.top, r.width(), r.height()); }

void paintTitlePicture(QPainter &painter, const RingPiece &piece, const TitlePictures &pictures) {
  const QImage &picture = pictures[static_cast<size_t>(piece.part)];
  if (picture.isNull()) return;
  painter.save();
  painter.setClipRect(toQRect(piece.rect));
  painter.drawImage(toQRect(piece.place), picture);
  painter.restore();
}

}  // namespace

TitlePictures TitlePicturesOf(const ThemeSource &source) {
  TitlePictures pictures;
  for (size_t i = 0; i < pictures.size(); ++i) pictures[i] = source.image(kTitlePictureItems[i]);
  return pictures;
}

RingInput RingInputOf(const ui::Form &form, const TitlePictures &pictures, const FrameRingParts &parts) {
  auto sizeOf = [](const QImage &picture) { return Size{picture.width(), picture.height()}; };
  RingInput in;
  in.formWidth = form.width();
  in.formHeight = form.height();
  in.titleLeft = sizeOf(pictures[0]);
  in.titleClient = sizeOf(pictures[1]);
  in.titleRight = sizeOf(pictures[2]);
  in.borderWidth = parts.borderWidth;
  in.titleBarVisible = parts.titleBarVisible;
  in.titleBarHeight = parts.titleBar != nullptr ? parts.titleBar->height() : 0;
  in.menuBarVisible = parts.menuBar != nullptr && parts.menuBar->visible();
  in.menuBarHeight = parts.menuBar != nullptr ? parts.menuBar->height() : 0;
  in.roundCorner = parts.roundCorner;
  return in;
}

void PaintRingPieces(QPainter &painter, const std::vector<RingPiece> &pieces, const RingColors &colors,
                     const TitlePictures &pictures) {
  for (const RingPiece &piece : pieces) {
    switch (piece.fill) {
      case RingFill::Border: painter.fillRect(toQRect(piece.rect), colors.border); break;
      case RingFill::Client: painter.fillRect(toQRect(piece.rect), colors.filler); break;
      case RingFill::MenuBar: painter.fillRect(toQRect(piece.rect), colors.menuBar); break;
      case RingFill::TitlePicture: paintTitlePicture(painter, piece, pictures); break;
      case RingFill::BorderArc: {
        // The box's right and bottom edges lie outside it, as everywhere in the ring.
        const QRect box(piece.rect.left, piece.rect.top, piece.rect.width() - 1, piece.rect.height() - 1);
        painter.save();
        painter.setPen(colors.border);
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(box, piece.startAngle * 16, piece.spanAngle * 16);
        painter.restore();
        break;
      }
    }
  }
}

bool DrawMenuBarBackground(QPainter &painter, const QRect &rect, TkwoUIStyle style) {
  if (style != TkwoUIStyle::MacOS) return false;
  const QImage picture = BuiltInBitmap("MACOS_MENU_BAR");
  if (picture.isNull()) return false;
  painter.drawImage(rect, picture);
  return true;
}

QFont MenuBarFont(const ui::MainMenu *menu, const ui::ToolButton &button) {
  const auto *mainMenu = qobject_cast<const TkwoMainMenu *>(menu);
  if (mainMenu == nullptr) return button.font();
  return mainMenu->useSystemFont() ? QApplication::font("QMenu") : mainMenu->itemFont();
}

void DrawMenuBarButton(QPainter &painter, const ui::ToolButton &button, const MenuBarButtonLook &look) {
  if (look.source == nullptr) return;
  const ThemeSource &source = *look.source;
  auto colour = [&source](int item) { return ui::toQColor(source.color(item)); };
  painter.save();
  painter.setFont(look.font);
  QRect r = button.rect();
  QRect text = r;
  QColor ink;
  if (look.hot || look.selected) {
    const QImage select =
        look.requested == TkwoUIStyle::MacOS ? BuiltInBitmap("MACOS_MENU_SELECT") : QImage();
    if (!select.isNull()) {
      painter.drawImage(r, select);
    } else {
      if (look.selected) r.setRight(r.right() - 2);
      painter.fillRect(r, colour(tiMenuSelectedBackgroundColor));
      painter.setPen(colour(tiMenuSelectedBorderColor));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(r.adjusted(0, 0, -1, -1));
      if (look.selected) text.translate(2, 0);
    }
    ink = colour(tiMenuSelectedFontColor);
  } else if (look.greyDisabled && !button.isEnabled()) {
    ink = QColor(128, 128, 128);
  } else {
    ink = source.fromFile() && source.baseLookMarker() == 3 ? QColor(Qt::white) : colour(tiMenuFontColor);
  }
  text.translate(0, 2);
  painter.setPen(ink);
  painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, button.caption());
  painter.restore();
}

}  // namespace kwo
