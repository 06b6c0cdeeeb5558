#include "controller_editor/model/login_check.h"

#include <algorithm>
#include <string>

namespace selkan {
namespace {

constexpr std::u16string_view kUser = u"tamzor";
constexpr std::u16string_view kPassword = u"40517396";

std::u16string_view trimControl(std::u16string_view text) {
  while (!text.empty() && text.front() <= u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() <= u' ') text.remove_suffix(1);
  return text;
}

std::u16string asciiLower(std::u16string_view text) {
  std::u16string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
  });
  return out;
}

}  // namespace

bool IsValidLogin(std::u16string_view user, std::u16string_view password) {
  return asciiLower(trimControl(user)) == kUser && trimControl(password) == kPassword;
}

}  // namespace selkan
