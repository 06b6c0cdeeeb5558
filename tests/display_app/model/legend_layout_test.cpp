// Where the monitor's legend puts its squares and captions.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "display_app/model/legend_layout.h"

namespace morvit {
namespace {

TEST(LegendLayout, SquaresFollowTheirCaptions) {
  const std::vector<LegendItem> items = LegendLayout({160, 2, 192, 17}, {16, 38, 62});
  const std::vector<LegendItem> expect = {
      {{192, 3, 32, 15}, 226, 3},
      {{274, 3, 32, 15}, 308, 3},
      {{378, 3, 32, 15}, 412, 3},
  };
  EXPECT_EQ(items, expect);
}

TEST(LegendLayout, BadSizesStayInRange) {
  struct Case {
    const char *what;
    LegendRect panel;
    std::vector<int32_t> widths;
    std::vector<LegendItem> expect;
  } cases[] = {
      {"no captions", {0, 0, 100, 17}, {}, {}},
      {"a negative width counts as none",
       {0, 0, 100, 17},
       {-50, 4},
       {{{32, 1, 32, 15}, 66, 1}, {{98, 1, 32, 15}, 132, 1}}},
      {"a panel too low for a square", {0, 5, 100, 1}, {4}, {{{32, 6, 32, 0}, 66, 6}}},
      {"positions stop at the limit", {INT32_MAX - 40, 0, 10, 17}, {INT32_MAX},
       {{{INT32_MAX - 32, 1, 32, 15}, INT32_MAX, 1}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(LegendLayout(c.panel, c.widths), c.expect);
  }
}

}  // namespace
}  // namespace morvit
