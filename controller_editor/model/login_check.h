#pragma once
// The editor's fixed login.
#include <string_view>

namespace selkan {

// True for the fixed pair. Both texts lose their code units <= U+0020 at
// either end (U+3000 and U+00A0 stay); the user name's ASCII letters are
// compared without case, the password exactly.
bool IsValidLogin(std::u16string_view user, std::u16string_view password);

}  // namespace selkan
