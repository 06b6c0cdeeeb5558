#include "controller_editor/model/login_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LoginCase {
  std::u16string user;
  std::u16string password;
  bool ok;
};

TEST(LoginCheck, TrimsOnlyControlAndSpaceAndFoldsAsciiCase) {
  const LoginCase cases[] = {
      {u"tamzor", u"40517396", true},
      {u" TAMZOR ", u"40517396", true},
      {u"tamzor\t", u" 40517396 ", true},
      {u"\r\nTamZor\x01", u"\x1f" u"40517396\n", true},
      {u"tamzor", u"4051 7396", false},
      {u"\u3000tamzor", u"40517396", false},
      {u"tamzor\u00a0", u"40517396", false},
      {u"tamzor", u"40517396\u3000", false},
      {u"\uff54\uff41\uff4d\uff5a\uff4f\uff52", u"40517396", false},
      {u"tamzor", u"\uff14\uff10\uff15\uff11\uff17\uff13\uff19\uff16", false},
      {u"", u"", false},
      {u"tamzor", u"", false},
      {u"tam zor", u"40517396", false},
      {u"tamzorx", u"40517396", false},
      {u"40517396", u"tamzor", false},
  };
  for (const LoginCase &c : cases) {
    EXPECT_EQ(selkan::IsValidLogin(c.user, c.password), c.ok)
        << "case " << (&c - cases);
  }
}

}  // namespace
