#include "controller_editor/model/name_text.h"

#include "platform/cp936.h"

namespace selkan {

platform::Result<std::string> ToProjectName(std::string_view utf8) {
  std::string cleaned(utf8);
  for (char &c : cleaned) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) c = ' ';
  }
  bool lossless = false;
  std::string bytes = cp936::FromUtf8(cleaned, &lossless);
  if (!lossless) return platform::Error{0, kUnstorableNameText};
  return bytes;
}

}  // namespace selkan
