// The skinned list box: its items, its two-line frame and the look's
// border colour; and the list box underneath keeping indexes in bounds.
#include <QImage>
#include <gtest/gtest.h>

#include "color.h"
#include "kwo_list_box.h"
#include "ui_fixtures.h"

namespace kwo {
namespace {

class ListBoxTest : public testsupport::UiTest {};

TEST_F(ListBoxTest, ItemsAndIndexesStayInBounds) {
  TkwoListBox list(nullptr);
  list.addItem("b");
  list.insertItem(-5, "a");
  list.insertItem(99, "c");
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.item(0), "a");
  EXPECT_EQ(list.item(2), "c");
  EXPECT_EQ(list.item(3), "");
  EXPECT_EQ(list.item(-1), "");

  EXPECT_EQ(list.itemIndex(), -1);
  list.setItemIndex(1);
  EXPECT_EQ(list.itemIndex(), 1);
  list.setItemIndex(7);
  EXPECT_EQ(list.itemIndex(), -1);

  list.deleteItem(3);
  list.deleteItem(-1);
  EXPECT_EQ(list.count(), 3);
  list.deleteItem(0);
  EXPECT_EQ(list.item(0), "b");
  list.clear();
  EXPECT_EQ(list.count(), 0);
}

TEST_F(ListBoxTest, TwoLineFrameInTheLooksBorderColourAndTheListColour) {
  TkwoListBox list(nullptr);
  EXPECT_EQ(list.borderWidth(), 2);
  EXPECT_FALSE(list.borderSingle());
  list.setUIStyle(TkwoUIStyle::DeepBlue);
  EXPECT_EQ(list.borderColor(), GetBuiltInThemeColor(TkwoUIStyle::DeepBlue, tiControlBorderColor));
  list.setUIStyle(TkwoUIStyle::BlueGlass);
  EXPECT_EQ(list.borderColor(), GetBuiltInThemeColor(TkwoUIStyle::BlueGlass, tiControlBorderColor));

  list.setBorderColor(platform::RGB(200, 0, 0));
  list.setColor(platform::RGB(0, 0, 200));
  list.setBounds(0, 0, 100, 60);
  list.addItem("Screen");
  // The list widget sits two pixels in.
  EXPECT_EQ(list.widget()->geometry(), QRect(2, 2, 96, 56));
  const QImage image = list.grab().toImage();
  for (QPoint p : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 59), QPoint(99, 59), QPoint(50, 0)}) {
    EXPECT_EQ(image.pixelColor(p), QColor(200, 0, 0)) << p.x() << "," << p.y();
  }
  for (QPoint p : {QPoint(1, 1), QPoint(98, 1), QPoint(1, 58), QPoint(98, 58), QPoint(1, 30)}) {
    EXPECT_EQ(image.pixelColor(p), QColor(0, 0, 200)) << p.x() << "," << p.y();
  }
  // The list's own background is the same Color.
  EXPECT_EQ(image.pixelColor(90, 50), QColor(0, 0, 200));
}

}  // namespace
}  // namespace kwo
