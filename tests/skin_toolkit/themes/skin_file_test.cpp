// The skin-file parser, the signature test and what integer items read as,
// on bytes laid out by hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "skin_toolkit/gallery/skin_file_layout.h"
#include "skin_toolkit/rules/geometry.h"
#include "skin_toolkit/themes/skin_file.h"
#include "skin_toolkit/themes/theme_table.h"

namespace kwo {
namespace {

using testsupport::RawSkinFile;
using Bytes = std::vector<std::byte>;

Bytes bytesOf(const std::string &s) { return RawSkinFile::bytesOf(s.data(), s.size()); }

std::string textOf(const Bytes &file, SkinFileContents::Range r) {
  return std::string(reinterpret_cast<const char *>(file.data()) + r.offset, r.size);
}

TEST(SkinFileSignature, NeedsTheExactTextEndedByANulWithinTwelveBytes) {
  struct Case {
    std::string start;
    bool passes;
  };
  const std::string nuls(16, '\0');
  const Case cases[] = {
      {"KwoKit_TB" + nuls, true},
      {"KwoKit_TB\0xy\0" + nuls, true},       // bytes after the NUL are not looked at
      {"KwoKit_TBxyz" + nuls, false},          // twelve letters, no NUL
      {"kwokit_TB" + nuls, false},             // case-sensitive
      {"KwoKit_T" + nuls, false},
      {std::string("KwoKit_TB\0", 10), false}, // a 10-byte file
      {std::string("KwoKit_TB\0\0\0\0\0\0", 15), false},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(SkinFileSignatureMatches(bytesOf(c.start)), c.passes) << c.start.size() << " " << c.start.c_str();
  }
}

TEST(ParseSkinFile, ReadsEveryKindByNameIgnoringCase) {
  RawSkinFile skin;
  skin.addInt("FormBorderColor", 0x00332211)
      .addInt("FormRoundCornerInt", -5)
      .addBool("ButtonTransparentBool", true)
      .addBool("TitleBarButtonTransparentBool", false)
      .addText("Author", "someone")
      .addRaw({"ButtonImage", RawSkinFile::Image, bytesOf("BMfake"), {}, {}, {}});
  const Bytes file = skin.bytes();
  const SkinFileContents c = ParseSkinFile(file);
  ASSERT_TRUE(c.accepted);
  EXPECT_EQ(c.integer("formbordercolor"), 0x00332211);
  EXPECT_EQ(c.integer("FORMROUNDCORNERINT"), -5);
  EXPECT_EQ(c.boolean("ButtonTransparentBool"), 1);
  EXPECT_EQ(c.boolean("TitleBarButtonTransparentBool"), 0);
  ASSERT_TRUE(c.text("author"));
  EXPECT_EQ(textOf(file, *c.text("author")), "someone");
  ASSERT_TRUE(c.image("buttonimage"));
  EXPECT_EQ(textOf(file, *c.image("buttonimage")), "BMfake");
  // Each list answers only its own kind.
  EXPECT_FALSE(c.integer("ButtonImage"));
  EXPECT_FALSE(c.image("FormBorderColor"));
  EXPECT_FALSE(c.boolean("Author"));
  EXPECT_FALSE(c.integer(""));
}

TEST(ParseSkinFile, FirstEntryOfANameWinsPerList) {
  RawSkinFile skin;
  skin.addInt("formbordercolor", 1).addInt("FormBorderColor", 2).addBool("FormBorderColor", true).addInt("FORMBORDERCOLOR", 3);
  const std::vector<std::byte> file = skin.bytes();
  const SkinFileContents c = ParseSkinFile(file);
  EXPECT_EQ(c.integer("FormBorderColor"), 1);
  EXPECT_EQ(c.integers.size(), 1u);
  EXPECT_EQ(c.boolean("formBorderColor"), 1);  // another list
}

TEST(ParseSkinFile, NameEndsAtItsFirstNulOrAfterSixtyFourBytes) {
  const std::string longName(64, 'N');
  RawSkinFile skin;
  skin.addInt(std::string("Short\0ignored", 13), 1).addInt(longName, 2);
  const std::vector<std::byte> file = skin.bytes();
  const SkinFileContents c = ParseSkinFile(file);
  EXPECT_EQ(c.integer("Short"), 1);
  EXPECT_EQ(c.integer(longName), 2);
}

TEST(ParseSkinFile, ClosingHeaderIsNoEntryAndItsDataAreNeverRead) {
  RawSkinFile skin;
  skin.addInt("A", 1).addInt("B", 2).setClosingGarbage(true);
  const std::vector<std::byte> file = skin.bytes();
  const SkinFileContents c = ParseSkinFile(file);
  ASSERT_TRUE(c.accepted);
  EXPECT_EQ(c.integers.size(), 2u);
  EXPECT_FALSE(c.integer("closing-header-garbage"));
}

// The file header and where the first entry header lies decide whether the
// file is taken at all.
TEST(ParseSkinFile, RefusesBadHeadersAndAcceptsLongerOnes) {
  struct Case {
    const char *what;
    Bytes file;
    bool accepted;
  };
  const auto withInt = [] { return RawSkinFile().addInt("FormBorderWidthInt", 3); };
  Bytes big(kSkinFileMaxSize + 1);
  {
    const Bytes head = withInt().bytes();
    std::copy(head.begin(), head.end(), big.begin());
  }
  const Case cases[] = {
      {"empty skin", RawSkinFile().bytes(), true},
      {"header length 1000", withInt().setHeaderLength(1000).bytes(), true},
      {"header length 23", withInt().setHeaderLength(23).bytes(), false},
      {"header length negative", withInt().setHeaderLength(-24).bytes(), false},
      {"under 24 bytes", withInt().cutAt(23).bytes(), false},
      {"header only", withInt().cutAt(24).bytes(), false},
      {"first header cut", withInt().cutAt(24 + 76).bytes(), false},
      {"first offset past the end", withInt().setFirstOffset(100000).bytes(), false},
      {"first offset negative", withInt().setFirstOffset(-1).bytes(), false},
      {"first offset 2^31-1", withInt().setFirstOffset(0x7FFFFFFF).bytes(), false},
      {"over 64 MiB", big, false},
  };
  for (const Case &c : cases) {
    const SkinFileContents contents = ParseSkinFile(c.file);
    EXPECT_EQ(contents.accepted, c.accepted) << c.what;
    if (!contents.accepted) {
      EXPECT_TRUE(contents.integers.empty()) << c.what;
    }
  }
  const std::vector<std::byte> longHeader = withInt().setHeaderLength(1000).bytes();
  EXPECT_EQ(ParseSkinFile(longHeader).integer("FormBorderWidthInt"), 3);
}

// Entries that break the format are skipped, and the chain goes on past
// them; what a damaged chain read before the damage is kept.
TEST(ParseSkinFile, SkipsBadEntriesAndStopsBrokenChains) {
  struct Case {
    const char *what;
    RawSkinFile::Entry bad;
    bool laterEntryRead;
  };
  using E = RawSkinFile::Entry;
  const Bytes four(4);
  const Case cases[] = {
      {"negative data offset", E{"Bad", RawSkinFile::Integer, four, -1, {}, {}}, true},
      {"negative size", E{"Bad", RawSkinFile::Image, four, {}, -1, {}}, true},
      {"size past the end", E{"Bad", RawSkinFile::Image, four, {}, 100000, {}}, true},
      {"size 2^31-1", E{"Bad", RawSkinFile::Text, four, {}, 0x7FFFFFFF, {}}, true},
      {"offset and size wrapping 32 bits", E{"Bad", RawSkinFile::Image, four, 0x7FFFFFF0, 0x7FFFFFF0, {}}, true},
      {"integer bytes past the end", E{"Bad", RawSkinFile::Integer, four, 100000, {}, {}}, true},
      {"unknown kind", E{"Bad", 4, four, {}, {}, {}}, true},
      {"kind 255", E{"Bad", 255, four, {}, {}, {}}, true},
      {"next header cut by the end", E{"Bad", RawSkinFile::Integer, four, {}, {}, 100000}, false},
      {"next negative", E{"Bad", RawSkinFile::Integer, four, {}, {}, -77}, false},
      {"next loops to itself", E{"Bad", RawSkinFile::Integer, four, {}, {}, 24 + 77 + 4}, false},
  };
  for (const Case &c : cases) {
    RawSkinFile skin;
    skin.addInt("First", 1).addRaw(c.bad).addInt("Later", 2);
    const std::vector<std::byte> file = skin.bytes();
    const SkinFileContents contents = ParseSkinFile(file);
    ASSERT_TRUE(contents.accepted) << c.what;
    EXPECT_EQ(contents.integer("First"), 1) << c.what;
    EXPECT_EQ(contents.integer("Later").has_value(), c.laterEntryRead) << c.what;
    EXPECT_FALSE(contents.image("Bad") || contents.text("Bad")) << c.what;
  }
}

TEST(ParseSkinFile, SmallDataAreReadWhateverTheSizeSays) {
  using E = RawSkinFile::Entry;
  RawSkinFile skin;
  skin.addRaw(E{"Int", RawSkinFile::Integer, {std::byte{7}, {}, {}, {}}, {}, 0x7FFFFFFF, {}})
      .addRaw(E{"Flag", RawSkinFile::Bool, {std::byte{200}}, {}, 0, {}})
      .addRaw(E{"AtTheEnd", RawSkinFile::Integer, {}, {}, 4, {}})
      .addRaw(E{"OnePast", RawSkinFile::Integer, {}, {}, 4, {}})
      .addRaw(E{"FlagPast", RawSkinFile::Bool, {}, {}, 1, {}});
  // The last 4 bytes of the file are the closing header's next offset, 0.
  const auto end = static_cast<int32_t>(skin.headerOffset(skin.entries().size()) + 77);
  skin.entries()[2].dataOffset = end - 4;
  skin.entries()[3].dataOffset = end - 3;
  skin.entries()[4].dataOffset = end;
  const std::vector<std::byte> file = skin.bytes();
  const SkinFileContents c = ParseSkinFile(file);
  EXPECT_EQ(c.integer("Int"), 7);
  EXPECT_EQ(c.boolean("Flag"), 200);
  EXPECT_EQ(c.integer("AtTheEnd"), 0);
  EXPECT_FALSE(c.integer("OnePast"));
  EXPECT_FALSE(c.boolean("FlagPast"));
}

TEST(ParseSkinFile, LoopsEndAtAVisitedHeader) {
  // Two entries whose next offsets point at each other: both are read once.
  RawSkinFile skin;
  skin.addInt("A", 1).addInt("B", 2);
  Bytes file = skin.bytes();
  RawSkinFile::putInt(file, skin.headerOffset(1) + 73, static_cast<int32_t>(skin.headerOffset(0)));
  const SkinFileContents c = ParseSkinFile(file);
  ASSERT_TRUE(c.accepted);
  EXPECT_EQ(c.integer("A"), 1);
  EXPECT_EQ(c.integer("B"), 2);
  EXPECT_EQ(c.integers.size(), 2u);
}

TEST(SkinItemInteger, PixelItemsAreHeldToThePixelRangeAndColoursStayAsStored) {
  constexpr int32_t kLow = std::numeric_limits<int32_t>::min();
  constexpr int32_t kHigh = std::numeric_limits<int32_t>::max();
  const struct {
    int position;
    int32_t stored;
    int32_t reads;
  } cases[] = {
      {tiTitleBarButtonTopInt, kLow, -kPixelLimit},
      {tiTitleBarButtonLeftOffsetInt, kHigh, kPixelLimit},
      {tiTitleBarButtonRightOffsetInt, kLow, -kPixelLimit},
      {tiFormMinWidthInt, kHigh, kPixelLimit},
      {tiFormRoundCornerInt, kPixelLimit + 1, kPixelLimit},
      {tiFormBorderWidthInt, -kPixelLimit - 1, -kPixelLimit},
      // Inside the range, and the -1 of a missing item, as stored.
      {tiFormMinWidthInt, kPixelLimit, kPixelLimit},
      {tiTitleBarButtonRightOffsetInt, -3, -3},
      {tiFormBorderWidthInt, -1, -1},
      // Colours are whole 32-bit values: system colours, base-look markers.
      {tiFormBorderColor, kHigh, kHigh},
      {tiMenuFontColor, static_cast<int32_t>(0x80000005u), static_cast<int32_t>(0x80000005u)},
      {tiControlFontColor, 0x30000, 0x30000},
      // No item there.
      {0, kHigh, kHigh},
      {kThemeItemCount + 1, kLow, kLow},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(SkinItemInteger(c.position, c.stored), c.reads) << c.position << " " << c.stored;
  }
}

}  // namespace
}  // namespace kwo
