// Which toolkit controls promise Qt to cover every pixel they own, and how
// a transparent one gives that up so that its parent shows through.
#include <QImage>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "skin_toolkit/controls/db_navigator.h"
#include "skin_toolkit/controls/kwo_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_combo_box.h"
#include "skin_toolkit/controls/kwo_group_box.h"
#include "skin_toolkit/controls/kwo_image_button.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/controls/kwo_list_box.h"
#include "skin_toolkit/controls/kwo_panel.h"
#include "skin_toolkit/controls/kwo_radio_group.h"
#include "skin_toolkit/controls/kwo_scroll_bar.h"
#include "skin_toolkit/controls/kwo_string_grid.h"
#include "skin_toolkit/controls/kwo_track_bar.h"
#include "skin_toolkit/controls/speed_button.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

class OpaquePaintTest : public testsupport::UiTest {};

template <typename T>
std::function<ui::Control *(ui::Component *)> maker() {
  return [](ui::Component *owner) { return new T(owner); };
}

template <typename T>
std::function<void(ui::Control *, bool)> transparency() {
  return [](ui::Control *c, bool value) { static_cast<T *>(c)->setTransparent(value); };
}

TEST_F(OpaquePaintTest, OpaqueControlsPromiseTheirPixelsUntilTransparent) {
  const struct {
    const char *name;
    std::function<ui::Control *(ui::Component *)> make;
    bool opaque;
    // Only for the controls that can be transparent.
    std::function<void(ui::Control *, bool)> setTransparent;
    // A point the transparent control leaves to its parent.
    std::optional<QPoint> blank;
  } cases[] = {
      {"image panel", maker<TkwoImagePanel>(), true, transparency<TkwoCustomPanel>(), QPoint(20, 20)},
      {"group box", maker<TkwoGroupBox>(), true, transparency<TkwoCustomPanel>(), QPoint(60, 50)},
      {"check group", maker<TkwoCheckGroup>(), true, transparency<TkwoCheckGroup>(), QPoint(60, 50)},
      {"radio group", maker<TkwoRadioGroup>(), true, transparency<TkwoCheckGroup>(), QPoint(60, 50)},
      {"track bar", maker<TkwoTrackBar>(), true, transparency<TkwoTrackBar>(), std::nullopt},
      {"folding panel", maker<TkwoPanel>(), true, {}, std::nullopt},
      {"scroll bar", maker<TkwoScrollBar>(), true, {}, std::nullopt},
      {"string grid", maker<TkwoStringGrid>(), true, {}, std::nullopt},
      {"list box", maker<TkwoListBox>(), true, {}, std::nullopt},
      {"combo box", maker<TkwoComboBox>(), true, {}, std::nullopt},
      {"navigator", maker<TkwoDBNavigator>(), true, {}, std::nullopt},
      {"speed button", maker<TkwoToolBarSpeedButton>(), true, {}, std::nullopt},
      // Buttons and check boxes show their parent at their corners and
      // around their pictures, transparent or not.
      {"button", maker<TkwoButton>(), false, {}, std::nullopt},
      {"picture button", maker<TkwoImageButton>(), false, {}, std::nullopt},
      {"check box", maker<TkwoCheckBox>(), false, {}, std::nullopt},
      {"radio button", maker<TkwoRadioButton>(), false, {}, std::nullopt},
  };
  const QColor parentColour(255, 0, 0);
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ui::Form form(nullptr);
    auto *host = new ui::Control(&form);
    host->setParentControl(&form);
    host->setColor(platform::RGB(255, 0, 0));
    host->setBounds(0, 0, 300, 200);
    ui::Control *control = c.make(&form);
    control->setParentControl(host);
    control->setBounds(0, 0, 150, 100);
    control->setColor(platform::RGB(0, 0, 255));
    EXPECT_EQ(control->testAttribute(Qt::WA_OpaquePaintEvent), c.opaque);
    if (!c.setTransparent) continue;

    c.setTransparent(control, true);
    EXPECT_FALSE(control->testAttribute(Qt::WA_OpaquePaintEvent));
    if (c.blank) {
      EXPECT_EQ(host->grab().toImage().pixelColor(*c.blank), parentColour);
    }
    c.setTransparent(control, false);
    EXPECT_TRUE(control->testAttribute(Qt::WA_OpaquePaintEvent));
    if (c.blank) {
      EXPECT_EQ(host->grab().toImage().pixelColor(*c.blank), QColor(0, 0, 255));
    }
  }
}

// An opaque picture panel covers what its picture leaves: a small picture
// at the corner, Color beyond it.
TEST_F(OpaquePaintTest, OpaquePicturePanelFillsBeyondASmallPicture) {
  ui::Form form(nullptr);
  TkwoImagePanel panel(&form);
  panel.setBounds(0, 0, 60, 40);
  panel.setColor(platform::RGB(0, 0, 255));
  QPixmap small(10, 10);
  small.fill(Qt::green);
  panel.setPicture(small);
  const QImage shot = panel.grab().toImage();
  EXPECT_EQ(shot.pixelColor(5, 5), QColor(Qt::green));
  EXPECT_EQ(shot.pixelColor(30, 30), QColor(0, 0, 255));
}

}  // namespace
}  // namespace kwo
