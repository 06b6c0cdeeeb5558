#pragma once
// The caption strip of a skinned form: three pictures as its background, the
// caption, a row of picture buttons at the right end (close,
// maximise/restore, minimise, help, custom) and a control box or the
// application icon at the left end. Dragging the empty bar moves the form, a
// double click maximises or restores it, the control box opens the system
// menu.
#include <QImage>
#include <QPointer>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "platform/ui/panel.h"
#include "skin_toolkit/rules/frame_logic.h"
#include "skin_toolkit/themes/theme_client.h"

class QEnterEvent;
class QMouseEvent;

namespace ui {
class PopupMenu;
}

namespace kwo {

class ThemeSource;
class TkwoTitleBar;
class TkwoTitleBarPopupMenu;

// With a file theme the sizes come from the loaded pictures: the bar's
// height from the left title picture, a title button from one frame of the
// button strip (both 0 when the skin lacks the picture).
int TitleBarHeightFor(const ThemeSource &source, bool inSkinnedFrame);
Size TitleButtonSize(const ThemeSource &source);

// Sender, index of the button in the bar.
using TkwoTitleBarButtonClickEvent = std::function<void(TkwoTitleBar *sender, int buttonIndex)>;

enum class TkwoTitleBarAlign : uint8_t { kwoLeft, kwoRight, kwoClient };

// A background picture of the bar. Painting places the sections by their
// index only (0 left, 1 right, 2 stretched between them); width, align,
// stretch and autoSize are kept by their setters' rules.
struct TkwoTitleBarSection {
  bool autoSize = false;
  int width = 10;
  TkwoTitleBarAlign align = TkwoTitleBarAlign::kwoLeft;
  QImage picture;
  bool stretch = false;
};

struct TkwoTitleBarButton {
  TkwoTitleBarBtnType buttonType = TkwoTitleBarBtnType::kwoCustom;
  bool visible = true;
  // The pictures' bottom-left pixel shows the bar through.
  bool transparent = false;
  // Stored only: every button is drawn at the bar's buttonTop().
  int top = 2;
  TkwoUIStyle uiStyle = TkwoUIStyle::DeepBlue;
  QImage picNormal;
  QImage picMouseOn;
  QImage picMouseDown;
  QPointer<ui::PopupMenu> controlBoxMenu;
};

class TkwoTitleBar : public ui::Panel, public ThemeClient {
  Q_OBJECT
 public:
  explicit TkwoTitleBar(ui::Component *owner);
  ~TkwoTitleBar() override;

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  void setUIStyle(TkwoUIStyle style) override;
  // Keeps the font colour while it applies the style again with the theme.
  void setFileTheme(TkwoFileTheme *theme) override;
  // The look the last style change drew with: a built-in style, or
  // FromThemeFile while a loaded skin file is read.
  TkwoUIStyle look() const { return effective_; }

  // A custom bar keeps its sections, buttons, offsets and font colour on
  // style changes.
  bool custom() const { return custom_; }
  void setCustom(bool value) { custom_ = value; }
  bool autoSize() const { return autoSize_; }
  // Whatever the value, the height follows section 0's picture (less the
  // ring in a skinned frame); without sections the value becomes false.
  void setAutoSize(bool value);
  int buttonInterval() const { return buttonInterval_; }
  void setButtonInterval(int value);
  bool formActive() const { return formActive_; }
  void setFormActive(bool value);
  int leftBtnXOffset() const { return leftBtnXOffset_; }
  void setLeftBtnXOffset(int value);
  int rightBtnXOffset() const { return rightBtnXOffset_; }
  void setRightBtnXOffset(int value);
  // Read by the skinned frame for its window shape; never below 0.
  int roundCorner() const { return roundCorner_; }
  void setRoundCorner(int value) { roundCorner_ = value; }
  bool drawAppIcon() const { return drawAppIcon_; }
  void setDrawAppIcon(bool value);
  TkwoTitleBarPopupMenu *systemMenu() const { return systemMenu_; }

  // --- Sections (bad indexes are ignored or give a default section) ---
  int sectionCount() const { return static_cast<int>(sections_.size()); }
  TkwoTitleBarSection section(int index) const;
  int addSection();
  void clearSections();
  // Assigns the given sections' items into the bar's own.
  void setSections(const std::vector<TkwoTitleBarSection> &sections);
  // Width, align, picture, stretch and autoSize through the setters.
  void assignSection(int index, const TkwoTitleBarSection &from);
  void setSectionWidth(int index, int value);
  // A second kwoClient section is refused with a message; kwoClient also
  // sets stretch.
  void setSectionAlign(int index, TkwoTitleBarAlign value);
  // Stored; a section with a picture takes its width, whatever the value.
  void setSectionAutoSize(int index, bool value);
  // With autoSize on, a picture gives the section its width.
  void setSectionPicture(int index, const QImage &picture);
  // Forced on while the section is kwoClient.
  void setSectionStretch(int index, bool value);
  // Exactly three sections: the frame draws its ring from them.
  bool hasSkinSections() const { return sections_.size() == 3; }
  QImage leftPicture() const { return sectionPicture(0); }
  QImage rightPicture() const { return sectionPicture(1); }
  QImage clientPicture() const { return sectionPicture(2); }

  // --- Buttons ---
  int buttonCount() const { return static_cast<int>(buttons_.size()); }
  // Bad indexes give a default button.
  TkwoTitleBarButton button(int index) const;
  // Adds a button; returns its index (-1 when a second control box is
  // refused with a message).
  int addButton(TkwoTitleBarBtnType type);
  void clearButtons();
  // Assigns the given buttons' items into the bar's own.
  void setButtons(const std::vector<TkwoTitleBarButton> &buttons);
  // Visible, type, transparent, top and style through the setters, then the
  // three pictures and the control box menu.
  void assignButton(int index, const TkwoTitleBarButton &from);
  void setButtonVisible(int index, bool visible);
  // Refuses a second control box with a message and leaves the button;
  // else loads the type's pictures.
  void setButtonType(int index, TkwoTitleBarBtnType type);
  void setButtonTransparent(int index, bool value);
  void setButtonTop(int index, int value);
  // Stores the style and loads the button's pictures from it.
  void setButtonUIStyle(int index, TkwoUIStyle style);
  void setButtonPicNormal(int index, const QImage &picture);
  void setButtonPicMouseOn(int index, const QImage &picture);
  void setButtonPicMouseDown(int index, const QImage &picture);
  void setButtonControlBoxMenu(int index, ui::PopupMenu *menu);
  // The maximise buttons show restore while the form is maximised.
  void refreshMaxButtons();

  // --- State and geometry ---
  int hotButton() const { return hotButton_; }
  bool mouseIsDown() const { return mouseIsDown_; }
  int buttonTop() const { return buttonTop_; }
  int buttonImageHeight() const { return buttonImageHeight_; }
  // The bar lies in a skinned frame.
  bool inSkinnedFrame() const;
  bool inMdiFrame() const;
  TitleBarLayout buttonLayout() const;
  // The application icon at 16 x 16 as the control box shows it; renewed
  // only when the application's icon changes.
  const QImage &appIcon();
  // How often the icon picture has been made; for tests.
  int appIconRenewals() const { return appIconRenewals_; }

  // Runs a button's action on the parent form: maximise or restore,
  // minimise, close, or the control box's menu.
  void performAction(int index);
  // The system menu's actions.
  void minimizeForm();
  void toggleMaximize();
  void closeForm();

  TkwoTitleBarButtonClickEvent OnCustomBtnsClick;
  TkwoTitleBarButtonClickEvent OnHelpBtnClick;

 protected:
  void paint(QPainter &painter) override;
  // The three section pictures, then the buttons, the icon and the caption.
  virtual void paintSections(QPainter &painter);
  virtual void paintButtons(QPainter &painter);
  void fontChanged() override { update(); }
  void captionChanged() override { update(); }
  void mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void mouseMove(ui::ShiftState shift, int x, int y) override;
  void mouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void mouseLeave() override;
  void dblClick() override;
  void enterEvent(QEnterEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;

 private:
  // A button with what it draws: its pictures cut to the normal picture's
  // size and keyed when transparent, and for a maximise button both frame
  // sets of its look, so the window state only picks one.
  struct Slot {
    TkwoTitleBarButton item;
    std::array<QImage, 3> faces;
    std::array<QImage, 3> maxFrames;
    std::array<QImage, 3> restoreFrames;
  };

  Slot *slot(int index);
  TkwoTitleBarSection *sectionAt(int index);
  QImage sectionPicture(int index) const;
  // Transparency, top and the type's frames from the button strip of the
  // source; the second form resolves the button's own style.
  void loadThemePictures(Slot &slot, const ThemeSource &source, const QImage &strip);
  void loadThemePictures(Slot &slot);
  void updateMaxPicture(Slot &slot);
  void refreshFaces(Slot &slot);
  void setButtonPicture(int index, int which, const QImage &picture);
  void showRefusal(const QString &text);
  bool formMaximized() const;
  // The button under the last mouse position seen, -1 for none.
  int hitAt(const TitleBarLayout &layout) const;
  void trackMouse(std::optional<Point> position);
  void popupAt(ui::PopupMenu &menu);

  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  TkwoUIStyle effective_ = TkwoUIStyle::DeepBlue;
  std::vector<TkwoTitleBarSection> sections_;
  std::vector<Slot> buttons_;
  TkwoTitleBarPopupMenu *systemMenu_ = nullptr;
  bool autoSize_ = false;
  int buttonInterval_ = 0;
  bool formActive_ = true;
  int leftBtnXOffset_ = 0;
  int rightBtnXOffset_ = 0;
  int roundCorner_ = 0;
  bool drawAppIcon_ = false;
  bool keepFontColor_ = false;
  bool custom_ = false;
  bool mouseIsDown_ = false;
  int hotButton_ = -1;
  int buttonImageHeight_ = 0;
  int buttonTop_ = 0;
  std::optional<Point> mousePos_;
  QImage appIcon_;
  qint64 appIconKey_ = -1;
  bool appIconLoaded_ = false;
  int appIconRenewals_ = 0;
};

}  // namespace kwo
