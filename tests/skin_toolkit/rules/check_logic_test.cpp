// The check box's and radio button's rules without any window: states,
// picture frames and sizes.
#include <gtest/gtest.h>

#include "skin_toolkit/rules/check_logic.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;

TEST(CheckLogic, StatesAndFrames) {
  EXPECT_EQ(CheckBoxStateOf(true), TCheckBoxState::cbChecked);
  EXPECT_EQ(CheckBoxStateOf(false), TCheckBoxState::cbUnchecked);
  EXPECT_TRUE(CheckedForState(TCheckBoxState::cbChecked));
  EXPECT_FALSE(CheckedForState(TCheckBoxState::cbGrayed));
  EXPECT_FALSE(CheckedForState(TCheckBoxState::cbUnchecked));
  EXPECT_EQ(CheckPictureFrame(true, true), 1);
  EXPECT_EQ(CheckPictureFrame(false, true), 2);
  EXPECT_EQ(CheckPictureFrame(true, false), 3);
  EXPECT_EQ(CheckPictureFrame(false, false), 4);
}

TEST(CheckLogic, PictureSizesAndAutoSize) {
  EXPECT_EQ(CheckPictureSize(S::DeepBlue, false), (Size{13, 13}));
  EXPECT_EQ(CheckPictureSize(S::MacOS, false), (Size{15, 17}));
  EXPECT_EQ(CheckPictureSize(S::MacOS, true), (Size{16, 17}));
  EXPECT_EQ(CheckPictureSize(S::FromThemeFile, true), (Size{13, 13}));
  // A 40-pixel caption in a font whose letters are 13 high.
  EXPECT_EQ(CheckAutoSize({13, 13}, 40, 13), (Size{61, 19}));
  // The picture is taller than the letters.
  EXPECT_EQ(CheckAutoSize({16, 17}, 0, 10), (Size{24, 21}));
  // Picture centred with truncation, caption after the picture and 4 pixels.
  EXPECT_EQ(PlaceCheck({13, 13}, 19, 13), (CheckLayout{{1, 3}, {17, 3}}));
  EXPECT_EQ(PlaceCheck({13, 13}, 10, 14), (CheckLayout{{1, -1}, {17, -2}}));
}

TEST(CheckLogic, PictureSizeOfALoadedPicture) {
  const struct {
    ImageSize whole;
    Size frame;
  } cases[] = {
      {{80, 15}, {20, 15}},  // a skin's four 20 x 15 frames
      {{83, 15}, {20, 15}},  // the odd columns are no frame
      {{4, 1}, {1, 1}},
      {{3, 15}, {0, 0}},     // narrower than four frames
      {{80, 0}, {0, 0}},
      {{0, 0}, {0, 0}},      // no picture
      {{-8, 15}, {0, 0}},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(CheckPictureSize(c.whole), c.frame) << c.whole.width << " x " << c.whole.height;
  }
}

}  // namespace
}  // namespace kwo
