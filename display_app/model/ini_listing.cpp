#include "display_app/model/ini_listing.h"

#include "platform/cp936.h"
#include "platform/ini_file.h"

namespace morvit {

namespace {

IniListingRow makeRow(std::string name, std::string value) {
  IniListingRow row{std::move(name), std::move(value), false};
  row.isSection = row.value == kIniSectionMarker;
  return row;
}

}  // namespace

std::vector<IniListingRow> BuildIniListing(const platform::IniFile &file) {
  std::vector<IniListingRow> rows;
  rows.push_back(makeRow("Name", "Value"));
  const std::vector<std::string> sections = file.SectionNames();
  for (const std::string &section : sections) {
    rows.push_back(makeRow(cp936::ToUtf8(section), kIniSectionMarker));
    for (const std::string &key : file.KeyNames(section)) {
      rows.push_back(makeRow(cp936::ToUtf8(key), cp936::ToUtf8(file.ReadString(section, key, "000"))));
    }
  }
  // The grid starts with a spare row that only an empty file keeps.
  if (sections.empty()) rows.push_back(makeRow("", ""));
  return rows;
}

}  // namespace morvit
