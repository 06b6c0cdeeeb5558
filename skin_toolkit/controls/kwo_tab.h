#pragma once
// Tabbed controls. TkwoTabControlTopPanel is the tab strip: a row of tabs
// from a string list, scrolled with two small buttons when they do not fit,
// where a left click on a tab selects it (and OnChanging of the owner may
// refuse that). TkwoTab is the tabbed control: a bordered panel whose
// client area lies below the strip; TkwoPageControl is its one concrete
// kind.
#include <QImage>
#include <QPoint>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "platform/ui/panel.h"
#include "platform/ui/string_list.h"
#include "skin_toolkit/rules/tab_logic.h"
#include "skin_toolkit/themes/theme_client.h"

namespace kwo {

class TkwoTab;

class TkwoTabControlTopPanel : public ui::Panel, public ThemeClient {
  Q_OBJECT
 public:
  TkwoTabControlTopPanel(ui::Component *owner, TkwoTab *ownerTab);
  ~TkwoTabControlTopPanel() override;

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  // Loads the look's tab, bar and scroll button pictures (from the skin
  // file when the style is FromThemeFile and one is loaded); the strip's
  // height becomes the tab picture's plus the bar's.
  void setUIStyle(TkwoUIStyle style) override;

  // The captions; a change lays the row out again.
  ui::StringList &tabs() { return tabs_; }
  const ui::StringList &tabs() const { return tabs_; }

  int tabIndex() const { return tabIndex_; }
  // The same index does nothing; with no tabs the index becomes -1; one
  // outside -1..count-1 is ignored. A click's change may be refused by the
  // owner's OnChanging, a change by code never. A change tells the owner.
  void setTabIndex(int value);

  int leftMargin() const { return leftMargin_; }
  void setLeftMargin(int value);

  // Hidden tabs take no room. Bad indexes read as shown, writes are ignored.
  bool tabVisible(int index) const;
  void setTabVisible(int index, bool visible);

  int scrollOffset() const { return scrollOffset_; }
  bool overflow() const { return row_.overflow; }
  const TabStripMetrics &metrics() const { return metrics_; }
  // The row as it is drawn now.
  const TabRow &row() const { return row_; }
  ScrollButtons scrollButtons() const;
  // The tab a click at (x, y) selects, or -1.
  int tabAt(int x, int y) const;
  // The scroll button under the last mouse position seen: -1 the
  // previous-tabs one, 1 the next-tabs one, 0 none (or nothing seen).
  int hotScrollButton() const;

  TkwoTab *ownerTab() const { return ownerTab_; }

  // Lays the row out again (captions, font, size or index changed); with
  // ensureShown the row scrolls, when it is next painted, until the
  // selected tab is shown in full.
  void relayout(bool ensureShown = false);
  // Does that scrolling now (painting does it first).
  void scrollToSelected();

 protected:
  void paint(QPainter &painter) override;
  void mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void mouseMove(ui::ShiftState shift, int x, int y) override;
  void mouseLeave() override;
  void resized() override;
  void enabledChanged() override;
  void hideEvent(QHideEvent *event) override;

 private:
  friend class TkwoTab;
  // The look's pictures, keyed where they show what lies behind; the bar
  // stretched to the strip's width and each tab face drawn at the size it
  // is shown at, so painting only copies them.
  struct Pictures {
    QImage activeTab;
    QImage inactiveTab;
    QImage bar;
    // Next, next hot, previous, previous hot.
    std::array<QImage, 4> scrollButtons;
  };
  struct TabFace {
    int width = 0;
    int height = 0;
    bool active = false;
    QImage face;
  };

  void tabsChanged();
  TabRowInput rowInput() const;
  void setRow(TabRow row);
  void stretchBar();
  void drawTabFaces();
  const QImage *tabFace(const DrawnTab &tab) const;
  void forgetMouse();

  ui::StringList tabs_;
  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  int tabIndex_ = 0;
  int leftMargin_ = 10;
  std::vector<bool> visible_;
  TabRow row_;
  TabStripMetrics metrics_;
  bool clicked_ = false;
  bool ensurePending_ = false;
  int scrollOffset_ = 0;
  // The hot scroll button as last painted.
  int hot_ = 0;
  std::optional<QPoint> lastMouse_;
  Pictures pictures_;
  QImage barFace_;
  std::vector<TabFace> tabFaces_;
  TkwoTab *ownerTab_ = nullptr;
};

class TkwoTab : public ui::Panel, public ThemeClient {
  Q_OBJECT
 public:
  using TabActiveEvent = std::function<void(TkwoTab *sender, int tabIndex)>;
  using TabChangingEvent = std::function<void(TkwoTab *sender, bool &allowChange)>;

  ~TkwoTab() override;

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  void setUIStyle(TkwoUIStyle style) override;

  platform::TColor borderColor() const { return borderColor_; }
  void setBorderColor(platform::TColor color);
  int leftMargin() const { return strip_->leftMargin(); }
  void setLeftMargin(int value) { strip_->setLeftMargin(value); }

  TkwoTabControlTopPanel *strip() const { return strip_; }

  // A tab became the selected one (a click that OnChanging allowed, or a
  // change by code): OnTabActive, then OnChange, unless being built.
  virtual void tabActivated(int index);

  TabActiveEvent OnTabActive;
  NotifyEvent OnChange;
  // Asked before a click selects another tab; changes by code are not asked.
  TabChangingEvent OnChanging;

 protected:
  explicit TkwoTab(ui::Component *owner);
  // The most-derived constructor hands over its strip (made with this
  // control as owner tab), then applies the owner form's look.
  void setupStrip(TkwoTabControlTopPanel *strip);

  // Selects a tab through the strip.
  virtual void setTabIndexOp(int index) { strip_->setTabIndex(index); }
  virtual void borderColorChanged() {}
  // Passes the look and the file theme on to the children that take both.
  virtual void applyTheme(TkwoUIStyle style);

  void adjustClientRect(QRect &rect) const override;
  void paint(QPainter &painter) override;
  void resized() override;
  void fontChanged() override;

  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;

 private:
  friend class TkwoTabControlTopPanel;
  void placeStrip();

  TkwoTabControlTopPanel *strip_ = nullptr;
  platform::TColor borderColor_ = platform::clBlack;
};

}  // namespace kwo
