#include "skin_toolkit/rules/check_logic.h"

#include <algorithm>

namespace kwo {

TCheckBoxState CheckBoxStateOf(bool checked) {
  return checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
}

bool CheckedForState(TCheckBoxState state) { return state == TCheckBoxState::cbChecked; }

int CheckPictureFrame(bool checked, bool enabled) {
  if (enabled) return checked ? 1 : 2;
  return checked ? 3 : 4;
}

Size CheckPictureSize(ImageSize wholePicture) {
  if (wholePicture.width < 4 || wholePicture.height <= 0) return {0, 0};
  return {wholePicture.width / 4, wholePicture.height};
}

Size CheckPictureSize(TkwoUIStyle style, bool radio) {
  return CheckPictureSize(BuiltInImageSize(BuiltInLookOf(style), radio ? tiRadioButtonImage : tiCheckBoxImage));
}

Size CheckAutoSize(Size picture, int captionWidth, int letterHeight) {
  return {picture.width + std::max(captionWidth, 0) + 8, std::max(letterHeight + 2, picture.height) + 4};
}

CheckLayout PlaceCheck(Size picture, int clientHeight, int letterHeight) {
  CheckLayout layout;
  layout.picture = {1, (clientHeight - picture.height) / 2};
  layout.caption = {picture.width + 4, (clientHeight - letterHeight) / 2};
  return layout;
}

}  // namespace kwo
