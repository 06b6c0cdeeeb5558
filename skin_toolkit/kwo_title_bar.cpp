#include "kwo_title_bar.h"

#include <QFontMetrics>
#include <QPainter>

#include "color.h"
#include "form.h"
#include "kwo_form.h"
#include "menu.h"
#include "message_box.h"

namespace kwo {
namespace {

std::u16string_view view(const QString &text) {
  return {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<size_t>(text.size())};
}

QString fromU16(const std::u16string &text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TkwoTitleBar::TkwoTitleBar(ui::Component *owner) : ui::Panel(owner) {
  setPlain();
  setMouseTracking(true);
  for (TkwoTitleBarBtnType type : {TkwoTitleBarBtnType::kwoControlBox, TkwoTitleBarBtnType::kwoClose,
                                   TkwoTitleBarBtnType::kwoMax, TkwoTitleBarBtnType::kwoMin}) {
    TkwoTitleBarButton b;
    b.buttonType = type;
    buttons_.push_back(b);
  }
  setAlign(ui::Align::Top);
  ui::Font f = controlFont();
  f.name = QStringLiteral("Tahoma");
  f.bold = true;
  f.color = 0xFFFFFF;
  setControlFont(f);
  setUIStyle(GetOwnerFormUIStyle(owner));
}

bool TkwoTitleBar::inSkinnedFrame() const { return qobject_cast<TkwoForm *>(parentControl()) != nullptr; }

void TkwoTitleBar::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  if (custom_) return;
  const TkwoUIStyle l = look();
  leftBtnXOffset_ = GetBuiltInThemeInt(l, tiTitleBarButtonLeftOffsetInt);
  rightBtnXOffset_ = GetBuiltInThemeInt(l, tiTitleBarButtonRightOffsetInt);
  buttonImageHeight_ = TitleButtonSize(l).height;
  buttonTop_ = GetBuiltInThemeInt(l, tiTitleBarButtonTopInt) - (inSkinnedFrame() ? kFrameRing : 0);
  if (ui::Form *form = parentForm()) {
    ui::SizeConstraints c = form->constraints();
    c.minWidth = GetBuiltInThemeInt(l, tiFormMinWidthInt);
    form->setConstraints(c);
  }
  roundCorner_ = GetBuiltInThemeInt(l, tiFormRoundCornerInt);
  for (TkwoTitleBarButton &b : buttons_) {
    b.uiStyle = l;
    b.transparent = GetBuiltInThemeBool(l, tiTitleBarButtonTransparentBool);
    if (b.buttonType != TkwoTitleBarBtnType::kwoCustom) b.top = GetBuiltInThemeInt(l, tiTitleBarButtonTopInt);
  }
  ui::Font f = controlFont();
  f.color = style == TkwoUIStyle::MacOS ? 0x000000 : 0xFFFFFF;
  setControlFont(f);
  setAutoSize(true);
  update();
}

void TkwoTitleBar::setAutoSize(bool value) {
  autoSize_ = value;
  setHeight(TitleBarHeightFor(look(), inSkinnedFrame()));
}

void TkwoTitleBar::setButtonInterval(int value) {
  buttonInterval_ = value;
  update();
}

void TkwoTitleBar::setFormActive(bool value) {
  formActive_ = value;
  update();
}

void TkwoTitleBar::setLeftBtnXOffset(int value) {
  leftBtnXOffset_ = value;
  update();
}

void TkwoTitleBar::setRightBtnXOffset(int value) {
  rightBtnXOffset_ = value;
  update();
}

void TkwoTitleBar::setDrawAppIcon(bool value) {
  drawAppIcon_ = value;
  update();
}

TkwoTitleBarButton TkwoTitleBar::button(int index) const {
  if (index < 0 || index >= buttonCount()) return {};
  return buttons_[static_cast<size_t>(index)];
}

int TkwoTitleBar::addButton(TkwoTitleBarBtnType type) {
  TkwoTitleBarButton b;
  b.uiStyle = look();
  buttons_.push_back(b);
  const int index = buttonCount() - 1;
  setButtonType(index, type);
  if (buttons_[static_cast<size_t>(index)].buttonType != type) {
    buttons_.pop_back();
    return -1;
  }
  return index;
}

void TkwoTitleBar::setButtonVisible(int index, bool visible) {
  if (index < 0 || index >= buttonCount()) return;
  buttons_[static_cast<size_t>(index)].visible = visible;
  update();
}

void TkwoTitleBar::setButtonType(int index, TkwoTitleBarBtnType type) {
  if (index < 0 || index >= buttonCount()) return;
  if (type == TkwoTitleBarBtnType::kwoControlBox) {
    for (const TkwoTitleBarButton &b : buttons_) {
      if (b.buttonType == TkwoTitleBarBtnType::kwoControlBox) {
        ui::messageBox(QStringLiteral("Sorry, only one button's ButtonType property can be \"kwoControlBox\""),
                       QString(), ui::MB_OK | ui::MB_ICONERROR);
        return;
      }
    }
  }
  buttons_[static_cast<size_t>(index)].buttonType = type;
  update();
}

void TkwoTitleBar::setButtonControlBoxMenu(int index, ui::PopupMenu *menu) {
  if (index < 0 || index >= buttonCount()) return;
  buttons_[static_cast<size_t>(index)].controlBoxMenu = menu;
}

TitleBarLayout TkwoTitleBar::buttonLayout() const {
  TitleBarLayoutInput in;
  in.barWidth = width();
  in.leftOffset = leftBtnXOffset_;
  in.rightOffset = rightBtnXOffset_;
  in.interval = buttonInterval_;
  in.buttonTop = buttonTop_;
  in.drawAppIcon = drawAppIcon_;
  for (const TkwoTitleBarButton &b : buttons_) {
    // Custom buttons show only their own pictures, which come later.
    const Size s = b.buttonType == TkwoTitleBarBtnType::kwoCustom ? Size{} : TitleButtonSize(b.uiStyle);
    in.buttons.push_back({b.buttonType, b.visible, s.width, s.height});
  }
  return LayOutTitleBar(in);
}

QColor TkwoTitleBar::plainColor() const {
  if (look() == TkwoUIStyle::MacOS) return QColor(214, 214, 214);
  return ui::toQColor(GetBuiltInThemeColor(look(), tiMenuSelectedBorderColor));
}

bool TkwoTitleBar::formMaximized() const {
  const ui::Form *form = parentForm();
  return form != nullptr && form->windowState() == ui::WindowState::Maximized;
}

void TkwoTitleBar::performAction(int index) {
  if (index < 0 || index >= buttonCount()) return;
  ui::Form *form = parentForm();
  if (form == nullptr) return;
  const TkwoTitleBarButton &b = buttons_[static_cast<size_t>(index)];
  switch (b.buttonType) {
    case TkwoTitleBarBtnType::kwoMax:
      form->setWindowState(formMaximized() ? ui::WindowState::Normal : ui::WindowState::Maximized);
      update();
      break;
    case TkwoTitleBarBtnType::kwoMin:
      form->setWindowState(ui::WindowState::Minimized);
      break;
    case TkwoTitleBarBtnType::kwoClose:
      form->close();
      break;
    case TkwoTitleBarBtnType::kwoControlBox:
      if (!b.controlBoxMenu.isNull()) {
        const QPoint at = mapToGlobal(QPoint(0, height()));
        b.controlBoxMenu->popup(at.x(), at.y());
      }
      break;
    case TkwoTitleBarBtnType::kwoHelp:
    case TkwoTitleBarBtnType::kwoCustom:
      break;
  }
}

void TkwoTitleBar::mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  if (button == ui::MouseButton::Left) {
    mouseIsDown_ = true;
    hotButton_ = HitTitleButton(buttonLayout(), {x, y});
    update();
    ui::Form *form = parentForm();
    if (form != nullptr && hotButton_ < 0 && !formMaximized() && (shift & ui::ssDouble) == 0) {
      // The press on the empty bar moves the form.
      form->startMove(mapToGlobal(QPoint(x, y)));
      mouseIsDown_ = false;
    }
  }
  ui::Panel::mouseDown(button, shift, x, y);
}

void TkwoTitleBar::mouseMove(ui::ShiftState shift, int x, int y) {
  const int hot = HitTitleButton(buttonLayout(), {x, y});
  if (hot != hotButton_) {
    hotButton_ = hot;
    update();
  }
  ui::Panel::mouseMove(shift, x, y);
}

void TkwoTitleBar::mouseLeave() {
  hotButton_ = -1;
  update();
}

void TkwoTitleBar::mouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  if (button == ui::MouseButton::Left) {
    QPointer<TkwoTitleBar> self(this);
    hotButton_ = HitTitleButton(buttonLayout(), {x, y});
    const int hot = hotButton_;
    if (hot >= 0 && mouseIsDown_) {
      const TkwoTitleBarButton b = buttons_[static_cast<size_t>(hot)];
      if (b.buttonType == TkwoTitleBarBtnType::kwoControlBox && b.controlBoxMenu.isNull()) {
        // The system menu comes with the title bar's pictures.
      } else {
        performAction(hot);
        if (self.isNull()) return;
        if (b.buttonType == TkwoTitleBarBtnType::kwoCustom && OnCustomBtnsClick && !isDying()) {
          OnCustomBtnsClick(this, hot);
        } else if (b.buttonType == TkwoTitleBarBtnType::kwoHelp && OnHelpBtnClick && !isDying()) {
          OnHelpBtnClick(this, hot);
        }
        if (self.isNull()) return;
      }
    }
    mouseIsDown_ = false;
    update();
  }
  ui::Panel::mouseUp(button, shift, x, y);
}

void TkwoTitleBar::dblClick() {
  QPointer<TkwoTitleBar> self(this);
  ui::Panel::dblClick();
  if (self.isNull()) return;
  if (hotButton_ < 0) {
    for (int i = 0; i < buttonCount(); ++i) {
      const TkwoTitleBarButton &b = buttons_[static_cast<size_t>(i)];
      if (b.visible && b.buttonType == TkwoTitleBarBtnType::kwoMax) {
        performAction(i);
        break;
      }
    }
  } else if (hotButton_ < buttonCount() &&
             buttons_[static_cast<size_t>(hotButton_)].buttonType == TkwoTitleBarBtnType::kwoControlBox) {
    if (ui::Form *form = parentForm()) form->close();
  }
}

void TkwoTitleBar::paintButton(QPainter &painter, const TkwoTitleBarButton &b, const Rect &r, bool hot) {
  const QRect box(r.left, r.top, r.width(), r.height());
  if (box.width() <= 0 || box.height() <= 0) return;
  const QColor base = plainColor();
  if (hot) painter.fillRect(box, mouseIsDown_ ? base.darker(120) : base.lighter(120));
  const QColor ink = ui::toQColor(controlFont().color);
  painter.save();
  painter.setPen(ink);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  const QRect in = box.adjusted(4, 4, -5, -5);
  switch (b.buttonType) {
    case TkwoTitleBarBtnType::kwoClose:
      painter.drawLine(in.topLeft(), in.bottomRight());
      painter.drawLine(in.topRight(), in.bottomLeft());
      break;
    case TkwoTitleBarBtnType::kwoMax:
      if (formMaximized()) {
        painter.drawRect(in.adjusted(2, 0, 0, -2));
        painter.drawRect(in.adjusted(0, 2, -2, 0));
      } else {
        painter.drawRect(in);
        painter.drawLine(in.left(), in.top() + 1, in.right(), in.top() + 1);
      }
      break;
    case TkwoTitleBarBtnType::kwoMin:
      painter.drawLine(in.left(), in.bottom(), in.right(), in.bottom());
      break;
    case TkwoTitleBarBtnType::kwoHelp:
      painter.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
      break;
    case TkwoTitleBarBtnType::kwoControlBox:
      painter.fillRect(in, ink);
      break;
    case TkwoTitleBarBtnType::kwoCustom:
      break;
  }
  painter.restore();
}

void TkwoTitleBar::paint(QPainter &painter) {
  if (isDestroying()) return;
  painter.fillRect(rect(), plainColor());
  const TitleBarLayout layout = buttonLayout();
  for (int i = 0; i < buttonCount(); ++i) {
    const TkwoTitleBarButton &b = buttons_[static_cast<size_t>(i)];
    if (!b.visible) continue;
    paintButton(painter, b, layout.buttons[static_cast<size_t>(i)], i == hotButton_);
  }
  const QString text = caption();
  if (text.isEmpty()) return;
  painter.setFont(font());
  const QFontMetrics fm(font());
  const std::u16string fitted = FitCaption(view(text), layout.captionRight - layout.captionLeft,
                                           [&fm](std::u16string_view s) {
                                             return fm.horizontalAdvance(QString::fromUtf16(
                                                 s.data(), static_cast<qsizetype>(s.size())));
                                           });
  if (fitted.empty()) return;
  painter.setPen(formActive_ ? ui::toQColor(controlFont().color) : ui::toQColor(platform::clInactiveCaption));
  const int y = buttonTop_ + (buttonImageHeight_ - fm.height()) / 2;
  painter.drawText(QRect(layout.captionLeft, y, std::max(layout.captionRight - layout.captionLeft, 0), fm.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, fromU16(fitted));
}

}  // namespace kwo
