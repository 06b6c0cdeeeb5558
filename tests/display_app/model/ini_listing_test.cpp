// The rows a listing shows for an INI file: header, section rows with the
// marker, keys in file order, texts decoded from code page 936.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display_app/model/ini_listing.h"
#include "platform/ini_file.h"

namespace morvit {
namespace {

using Rows = std::vector<IniListingRow>;

const IniListingRow kHeader{"Name", "Value", false};

TEST(IniListing, RowsForFiles) {
  struct Case {
    const char *what;
    std::string bytes;
    Rows expect;
  } cases[] = {
      {"sections with and without keys, an empty value", "[A]\r\nx=1\r\ny=\r\n[B]\r\n",
       {kHeader, {"A", "###", true}, {"x", "1", false}, {"y", "", false}, {"B", "###", true}}},
      {"empty file keeps the spare row", "", {kHeader, {"", "", false}}},
      {"lines before any section are no keys", "k=v\n; note\n", {kHeader, {"", "", false}}},
      {"keys stay in file order", "[S]\nz=2\na=1\n",
       {kHeader, {"S", "###", true}, {"z", "2", false}, {"a", "1", false}}},
      {"code page 936 names and values", "[\xB7\xE7\xC9\xC8]\n\xB7\xE7\xC9\xC8=\xD5\xFD\xB3\xA3\n",
       {kHeader, {"风扇", "###", true}, {"风扇", "正常", false}}},
      {"a value that is the marker styles its row", "[S]\nk=###\n",
       {kHeader, {"S", "###", true}, {"k", "###", true}}},
      {"a repeated key is listed once, with its first value", "[S]\nk=1\nK=2\n",
       {kHeader, {"S", "###", true}, {"k", "1", false}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(BuildIniListing(platform::IniFile::Parse(c.bytes)), c.expect);
  }
}

}  // namespace
}  // namespace morvit

// Rows print readably when a comparison fails.
namespace morvit {
void PrintTo(const IniListingRow &row, std::ostream *os) {
  *os << "{" << row.name << ", " << row.value << ", " << (row.isSection ? "section" : "key") << "}";
}
}  // namespace morvit
