#include "platform/ui/label.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/ui/color.h"

namespace ui {

Label::Label(Component *owner) : Control(owner) {
  setParentColor(true);
  setFocusPolicy(Qt::NoFocus);
  setBounds(0, 0, 32, 13);
  adjustSize();
}

void Label::setAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  adjustSize();
}

void Label::setAlignment(TextAlignment value) {
  alignment_ = value;
  update();
}

void Label::setLayout(TextLayout value) {
  layout_ = value;
  update();
}

void Label::setTransparent(bool value) {
  transparent_ = value;
  setAttribute(Qt::WA_TranslucentBackground, value);
  update();
}

void Label::setWordWrap(bool value) {
  if (wordWrap_ == value) return;
  wordWrap_ = value;
  adjustSize();
  update();
}

QSize Label::textSize() const {
  const QFontMetrics fm(font());
  if (wordWrap_) {
    return fm.boundingRect(QRect(0, 0, std::max(width(), 1), 100000), Qt::TextWordWrap | Qt::TextShowMnemonic,
                           caption())
        .size();
  }
  QString text = caption();
  text.remove(QLatin1Char('&'));
  return QSize(fm.horizontalAdvance(text), fm.height());
}

void Label::adjustSize() {
  if (!autoSize_) return;
  const QSize s = textSize();
  if (wordWrap_) {
    setBounds(left(), top(), width(), s.height());
  } else {
    setBounds(left(), top(), s.width(), s.height());
  }
}

void Label::captionChanged() {
  adjustSize();
  update();
}

void Label::fontChanged() {
  adjustSize();
  update();
}

void Label::paint(QPainter &painter) {
  if (!transparent_) Control::paint(painter);
  int flags = Qt::TextShowMnemonic;
  flags |= alignment_ == TextAlignment::Left ? Qt::AlignLeft : alignment_ == TextAlignment::Right ? Qt::AlignRight
                                                                                                  : Qt::AlignHCenter;
  flags |= layout_ == TextLayout::Top ? Qt::AlignTop : layout_ == TextLayout::Bottom ? Qt::AlignBottom
                                                                                     : Qt::AlignVCenter;
  flags |= wordWrap_ ? Qt::TextWordWrap : Qt::TextSingleLine;
  painter.setFont(font());
  painter.setPen(isEnabled() ? toQColor(controlFont().color) : QColor(128, 128, 128));
  painter.drawText(rect(), flags, caption());
}

}  // namespace ui
