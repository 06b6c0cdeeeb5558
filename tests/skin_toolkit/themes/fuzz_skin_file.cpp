// Any bytes parse without reading outside them, and what the parser keeps
// answers its own lookups; the frame's ring and the title bar's layout then
// take what the skin's items read as.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <span>

#include "skin_toolkit/rules/frame_logic.h"
#include "skin_toolkit/themes/skin_file.h"
#include "skin_toolkit/themes/theme_table.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

void checkRange(kwo::SkinFileContents::Range r, size_t fileSize) {
  check(r.offset <= fileSize && r.size <= fileSize - r.offset);
}

// Every kept name is found again, and finds the entry kept for it.
template <typename List, typename Find>
void checkLookups(const List &list, Find find) {
  for (const auto &item : list) check(find(item.name).has_value());
}

// The integer item as the file theme reads it (-1 when missing).
int32_t item(const kwo::SkinFileContents &c, int position) {
  return kwo::SkinItemInteger(position, c.integer(kwo::ThemeItemName(position)).value_or(-1));
}

// The size a picture entry's BMP header states (width at byte 18, height at
// 22), unchecked as the header gives it; 0 x 0 without one.
kwo::ImageSize pictureSize(std::span<const std::byte> file, const kwo::SkinFileContents &c, int position) {
  const auto range = c.image(kwo::ThemeItemName(position));
  if (!range || range->size < 26) return {};
  auto int32At = [&](size_t at) {
    uint32_t u = 0;
    for (size_t i = 0; i < 4; ++i) u |= static_cast<uint32_t>(file[range->offset + at + i]) << (8 * i);
    return static_cast<int32_t>(u);
  };
  return {int32At(18), int32At(22)};
}

kwo::Size sizeOf(kwo::ImageSize s) { return {s.width, s.height}; }

// The title bar's layout and the frame's ring at a few bar widths, in and
// outside a skinned frame: every shown button keeps its width, and the
// caption's room is a difference that fits.
void layOut(std::span<const std::byte> file, const kwo::SkinFileContents &c) {
  using B = kwo::TkwoTitleBarBtnType;
  const kwo::ImageSize left = pictureSize(file, c, kwo::tiTitleBarLeftImage);
  const kwo::Size button = kwo::TitleButtonSize(pictureSize(file, c, kwo::tiTitleBarButtonImage));
  const int minWidth = kwo::FormMinWidthFor(item(c, kwo::tiFormMinWidthInt), 1920);
  check(minWidth >= 0 && minWidth <= 1920);
  for (const bool inFrame : {false, true}) {
    for (const int width : {0, 449, minWidth, kwo::kPixelLimit}) {
      kwo::TitleBarLayoutInput in;
      in.barWidth = width;
      in.leftOffset = item(c, kwo::tiTitleBarButtonLeftOffsetInt);
      in.rightOffset = item(c, kwo::tiTitleBarButtonRightOffsetInt);
      in.buttonTop = item(c, kwo::tiTitleBarButtonTopInt) - (inFrame ? kwo::kFrameRing : 0);
      for (const B type : {B::kwoControlBox, B::kwoClose, B::kwoMax, B::kwoMin}) {
        in.buttons.push_back({type, true, button.width, button.height});
      }
      const kwo::TitleBarLayout layout = kwo::LayOutTitleBar(in);
      for (const kwo::Rect &r : layout.buttons) check(r.width() == button.width && r.height() == button.height);
      const long long room = static_cast<long long>(layout.captionRight) - layout.captionLeft;
      check(room >= std::numeric_limits<int>::min() && room <= std::numeric_limits<int>::max());
      const int hot = kwo::HitTitleButton(layout, {layout.captionLeft, in.buttonTop});
      check(hot >= -1 && hot < static_cast<int>(layout.buttons.size()));

      kwo::RingInput ring;
      ring.formWidth = width;
      ring.formHeight = width / 2;
      ring.borderWidth = item(c, kwo::tiFormBorderWidthInt);
      ring.titleBarHeight = kwo::TitleBarHeightFor(left, inFrame);
      ring.menuBarVisible = true;
      ring.menuBarHeight = 22;
      ring.titleLeft = sizeOf(left);
      ring.titleClient = sizeOf(pictureSize(file, c, kwo::tiTitleBarClientImage));
      ring.titleRight = sizeOf(pictureSize(file, c, kwo::tiTitleBarRightImage));
      ring.roundCorner = item(c, kwo::tiFormRoundCornerInt);
      for (const kwo::RingPiece &piece : kwo::PlanRing(ring)) {
        check(piece.fill == kwo::RingFill::BorderArc || !piece.rect.empty());
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::span<const std::byte> file(reinterpret_cast<const std::byte *>(data), size);
  const kwo::SkinFileContents c = kwo::ParseSkinFile(file);
  (void)kwo::SkinFileSignatureMatches(file);
  if (!c.accepted) {
    check(c.images.empty() && c.integers.empty() && c.bools.empty() && c.texts.empty());
    return 0;
  }
  const size_t entries = c.images.size() + c.integers.size() + c.bools.size() + c.texts.size();
  check(entries <= size / kwo::kSkinEntryHeaderSize);
  for (const auto &item : c.images) checkRange(item.value, size);
  for (const auto &item : c.texts) checkRange(item.value, size);
  const auto *begin = reinterpret_cast<const char *>(data);
  const auto inside = [&](std::string_view name) {
    return name.size() <= kwo::kSkinEntryNameSize && name.data() >= begin && name.data() + name.size() <= begin + size;
  };
  for (const auto &item : c.images) check(inside(item.name));
  for (const auto &item : c.integers) check(inside(item.name));
  for (const auto &item : c.bools) check(inside(item.name));
  for (const auto &item : c.texts) check(inside(item.name));
  checkLookups(c.images, [&](std::string_view n) { return c.image(n); });
  checkLookups(c.integers, [&](std::string_view n) { return c.integer(n); });
  checkLookups(c.bools, [&](std::string_view n) { return c.boolean(n); });
  checkLookups(c.texts, [&](std::string_view n) { return c.text(n); });
  layOut(file, c);
  return 0;
}
