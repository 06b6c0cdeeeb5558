#include "controller_editor/model/name_text.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char *typed;
  bool stored;
  std::string bytes;
};

TEST(ProjectName, StoresCodePageBytesAndRefusesWhatItCannotHold) {
  const Case cases[] = {
      {"PLC", true, "PLC"},
      {"显示屏", true, "\xCF\xD4\xCA\xBE\xC6\xC1"},
      {"a\tb\nc\x7F", true, "a b c "},
      {"", true, ""},
      {"😀", false, ""},          // outside the code page
      {"A\xC3", false, ""},       // broken UTF-8
      {"ก", false, ""},           // Thai: not in the code page
  };
  for (const Case &c : cases) {
    const auto name = selkan::ToProjectName(c.typed);
    ASSERT_EQ(name.ok(), c.stored) << c.typed;
    if (c.stored) {
      EXPECT_EQ(name.value(), c.bytes) << c.typed;
    } else {
      EXPECT_EQ(name.error().message, selkan::kUnstorableNameText);
    }
  }
}

}  // namespace
