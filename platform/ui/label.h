#pragma once
// A line of text on a form: sized to its caption unless AutoSize is off,
// drawn in the font's colour on the control's colour, or on the parent's
// picture when transparent.
#include "platform/ui/control.h"

namespace ui {

enum class TextAlignment { Left, Right, Center };
enum class TextLayout { Top, Center, Bottom };

class Label : public Control {
  Q_OBJECT
 public:
  explicit Label(Component *owner);

  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool value);
  TextAlignment alignment() const { return alignment_; }
  void setAlignment(TextAlignment value);
  TextLayout layout() const { return layout_; }
  void setLayout(TextLayout value);
  bool transparent() const { return transparent_; }
  void setTransparent(bool value);
  bool wordWrap() const { return wordWrap_; }
  void setWordWrap(bool value);

  // The size the caption needs in the current font.
  QSize textSize() const;

 protected:
  void paint(QPainter &painter) override;
  void captionChanged() override;
  void fontChanged() override;

 private:
  void adjustSize();

  bool autoSize_ = true;
  TextAlignment alignment_ = TextAlignment::Left;
  TextLayout layout_ = TextLayout::Top;
  bool transparent_ = false;
  bool wordWrap_ = false;
};

}  // namespace ui
