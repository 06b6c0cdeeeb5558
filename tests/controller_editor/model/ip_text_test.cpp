#include "controller_editor/model/ip_text.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

struct Case {
  std::string_view text;
  bool accepted;
};

TEST(IsDottedQuad, AcceptsOnlyFourDecimalPartsUpTo255) {
  constexpr Case kCases[] = {
      {"192.168.0.2", true},
      {"127.0.0.1", true},
      {"0.0.0.0", true},
      {"255.255.255.255", true},
      {"192.168.000.001", true},  // the console's masked field pads with zeros
      {"256.1.1.1", false},
      {"1.1.1.999", false},
      {"1.2.3", false},
      {"1.2.3.4.5", false},
      {"1.2.3.", false},
      {".1.2.3", false},
      {"1..2.3", false},
      {"0001.2.3.4", false},
      {"1.2.3.0004", false},
      {"", false},
      {"...", false},
      {" 1.2.3.4", false},
      {"1.2.3.4 ", false},
      {"1.2.3.4\n", false},
      {"+1.2.3.4", false},
      {"1.-2.3.4", false},
      {"localhost", false},
      {"1.2.3.a", false},
      {"１.2.3.4", false},  // a full-width digit is not a digit here
      {std::string_view("1.2.3.4\0", 8), false},
  };
  for (const Case &c : kCases) {
    EXPECT_EQ(selkan::IsDottedQuad(c.text), c.accepted) << '"' << c.text << '"';
  }
}

}  // namespace
