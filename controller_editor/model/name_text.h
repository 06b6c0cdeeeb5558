#pragma once
// Names typed in the editor's windows as the project stores them: code page
// 936 bytes. Control characters become spaces; a character the code page
// cannot store refuses the whole name, so nothing is stored as '?'.
#include <string>
#include <string_view>

#include "platform/result.h"

namespace selkan {

inline constexpr const char *kUnstorableNameText = "名称中含有无法保存的字符。";

platform::Result<std::string> ToProjectName(std::string_view utf8);

}  // namespace selkan
