// The faces the windows ask for resolve to faces Linux has.
#include <QFont>
#include <QFontInfo>
#include <QStringList>
#include <gtest/gtest.h>

#include "platform/ui/font.h"
#include "tests/support/ui/ui_fixtures.h"

namespace {

TEST(FontSubstitutions, WindowsFacesResolveToInstalledOnes) {
  ui::installFontSubstitutions();
  ui::installFontSubstitutions();  // a second call changes nothing
  struct Case {
    const char *asked;
    const char *resolved;
  } cases[] = {
      {"MS Sans Serif", "DejaVu Sans"},
      {"Tahoma", "DejaVu Sans"},
      {"Times New Roman", "DejaVu Serif"},
  };
  for (const Case &c : cases) {
    const QString asked = QString::fromLatin1(c.asked);
    // Qt keeps the substitutes in lower case; the second one is for Chinese.
    EXPECT_EQ(QFont::substitutes(asked),
              (QStringList{QString::fromLatin1(c.resolved).toLower(), QStringLiteral("wenquanyi micro hei")}))
        << c.asked;
    EXPECT_EQ(QFontInfo(QFont(asked)).family(), QString::fromLatin1(c.resolved)) << c.asked;
  }
}

}  // namespace
