#pragma once
// The rows of a read-only listing of a whole INI file: a header, then for each
// section a section row followed by one row per key, in file order. Texts are
// decoded from code page 936 to UTF-8.
#include <string>
#include <vector>

namespace platform {
class IniFile;
}

namespace morvit {

// Written in the value column of a section row; never drawn.
inline constexpr const char *kIniSectionMarker = "###";

struct IniListingRow {
  std::string name;
  std::string value;
  // The value is the marker: the row is styled as a section row, whether it
  // comes from a section or from a key whose value is literally the marker.
  bool isSection = false;
  bool operator==(const IniListingRow &) const = default;
};

// Row 0 is the header "Name" / "Value". A file without sections gives the
// header and one empty row; otherwise 1 + sections + keys rows.
std::vector<IniListingRow> BuildIniListing(const platform::IniFile &file);

}  // namespace morvit
