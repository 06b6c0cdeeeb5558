#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "tests/support/temp_dir.h"

using platform::IniFile;

namespace {

std::string afterWrite(const std::string &before, const char *section, const char *key, const std::string &value) {
  IniFile ini = IniFile::Parse(before);
  EXPECT_TRUE(ini.WriteString(section, key, value));
  return ini.ToBytes();
}

}  // namespace

TEST(IniFileWriteTest, ProducesExactBytes) {
  struct Case {
    const char *what;
    std::string before;
    const char *section;
    const char *key;
    std::string value;
    std::string after;
  } cases[] = {
      {"rewritten in place, spelling and CRLF kept", "; c\r\n[S]\r\n  KEY = old\r\nb=2\r\n", "s", "key", "new",
       "; c\r\n[S]\r\nKEY=new\r\nb=2\r\n"},
      {"new key after the last non-blank line", "[S]\r\na=1\r\n\r\n\r\n[T]\r\n", "S", "b", "2",
       "[S]\r\na=1\r\nb=2\r\n\r\n\r\n[T]\r\n"},
      {"new key into a header-only section", "[S]\n[T]\n", "S", "k", "v", "[S]\nk=v\n[T]\n"},
      {"new section with no blank line", "[S]\r\na=1\r\n", "T", "k", "v", "[S]\r\na=1\r\n[T]\r\nk=v\r\n"},
      {"no final newline", "[S]\r\na=1", "T", "k", "v", "[S]\r\na=1\r\n[T]\r\nk=v\r\n"},
      {"no final newline, same section", "[S]\r\na=1", "S", "k", "v", "[S]\r\na=1\r\nk=v\r\n"},
      {"LF-only file", "[S]\na=1\n", "S", "b", "2", "[S]\na=1\nb=2\n"},
      {"empty file gets CRLF", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
      {"value with line breaks and NUL", "[S]\r\n", "S", "k", std::string("a\r\n[X]\0b", 8), "[S]\r\nk=a  [X] b\r\n"},
      {"GBK bytes and comments elsewhere unchanged", "\xEF\xBB\xBF;\xB7\xE7\r\n[\xB7\xE7]\r\n\xC9\xC8=\xB7\x41\r\n;x\r\n",
       "\xB7\xE7", "n", "\xC9\xE8", "\xEF\xBB\xBF;\xB7\xE7\r\n[\xB7\xE7]\r\n\xC9\xC8=\xB7\x41\r\n;x\r\nn=\xC9\xE8\r\n"},
  };
  for (const Case &c : cases) EXPECT_EQ(afterWrite(c.before, c.section, c.key, c.value), c.after) << c.what;
}

TEST(IniFileWriteTest, UpdatesFilesEndedByBareCrOrMixedEndsInPlace) {
  struct Case {
    const char *what;
    std::string before;
    const char *section;
    const char *key;
    std::string after;
  } cases[] = {
      // Read as one line, the key was missed and the section written again
      // after it, where a reader taking the first match never looks.
      {"bare CR, rewritten in place", "[S]\ra=1\rb=2\r", "S", "a", "[S]\ra=v\rb=2\r"},
      {"bare CR, new key before the blank lines", "[S]\ra=1\r\r[T]\r", "S", "b", "[S]\ra=1\rb=v\r\r[T]\r"},
      {"bare CR, new section", "[S]\ra=1\r", "T", "k", "[S]\ra=1\r[T]\rk=v\r"},
      {"bare CR, no final line end", "[S]\ra=1", "S", "k", "[S]\ra=1\rk=v\r"},
      {"mixed ends, each other line's kept", "[S]\na=1\r\nb=2\rc=3\n", "s", "B", "[S]\na=1\r\nb=v\rc=3\n"},
      {"mixed ends, last key of a section", "[S]\r\na=1\rb=2\n[T]\r\n", "S", "b", "[S]\r\na=1\rb=v\n[T]\r\n"},
      // A new key ends as the line before it: a CR before the blank line's
      // LF would read as one CR LF and lose the blank line.
      {"mixed ends, new key", "[S]\ra=1\n\n[T]\r", "S", "k", "[S]\ra=1\nk=v\n\n[T]\r"},
      {"CR CR LF: a line and a blank one", "[S]\r\r\na=1\r\r\n", "S", "a", "[S]\r\r\na=v\r\r\n"},
  };
  for (const Case &c : cases) {
    IniFile ini = IniFile::Parse(c.before);
    ASSERT_TRUE(ini.WriteString(c.section, c.key, "v")) << c.what;
    EXPECT_EQ(ini.ToBytes(), c.after) << c.what;
    // What was written reads back as the file that wrote it.
    const IniFile reread = IniFile::Parse(ini.ToBytes());
    EXPECT_EQ(reread.ReadString(c.section, c.key, "<missing>"), "v") << c.what;
    EXPECT_EQ(reread.SectionNames(), ini.SectionNames()) << c.what;
    EXPECT_EQ(reread.KeyNames(c.section), ini.KeyNames(c.section)) << c.what;
  }
}

TEST(IniFileWriteTest, WrittenValuesReadBack) {
  IniFile ini;
  ASSERT_TRUE(ini.WriteInteger("P", "Count", -20));
  ASSERT_TRUE(ini.WriteFloat("P", "F", 0.5));
  ASSERT_TRUE(ini.WriteString("P", "Empty", ""));
  EXPECT_EQ(ini.ReadInteger("P", "Count", 0), -20);
  EXPECT_EQ(ini.ReadString("P", "F", ""), "0.5");
  EXPECT_EQ(ini.ReadString("P", "Empty", "000"), "");
  EXPECT_EQ(ini.ToBytes(), "[P]\r\nCount=-20\r\nF=0.5\r\nEmpty=\r\n");
}

TEST(IniFileWriteTest, RefusesNamesThatWouldNotReadBack) {
  const std::string before = "[S]\r\na=1\r\n";
  IniFile ini = IniFile::Parse(before);
  for (const char *key : {"a=b", "a\nb", "a\rb", "", "  ", ";c", "[x"}) EXPECT_FALSE(ini.WriteString("S", key, "v")) << key;
  for (const char *section : {"a]b", "a\nb"}) EXPECT_FALSE(ini.WriteString(section, "k", "v")) << section;
  EXPECT_EQ(ini.ToBytes(), before);
}

TEST(IniFileWriteTest, EraseRemovesEveryDuplicateUpToNextHeader) {
  IniFile ini = IniFile::Parse(";top\r\n[A]\r\nx=1\r\n[B]\r\ny=2\r\n[a]\r\nz=3\r\n\r\n[C]\r\n");
  ini.EraseSection("A");
  EXPECT_EQ(ini.ToBytes(), ";top\r\n[B]\r\ny=2\r\n[C]\r\n");
  EXPECT_FALSE(ini.HasSection("a"));
  ASSERT_TRUE(ini.WriteString("A", "k", "v"));
  EXPECT_EQ(ini.ToBytes(), ";top\r\n[B]\r\ny=2\r\n[C]\r\n[A]\r\nk=v\r\n");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"B", "C", "A"}));
}

TEST(IniFileWriteTest, UpdateLoadsAppliesAndSavesOnce) {
  testsupport::TempDir dir;
  const std::string path = (dir / "User.ini").string();
  std::ofstream(path, std::ios::binary) << "[Parms]\nTemWarn=54\n";
  auto r = platform::UpdateIniFile(path, [](IniFile &ini) { ini.WriteFloat("Parms", "TemWarn", 60.5); });
  ASSERT_TRUE(r.ok());
  auto back = IniFile::Load(path);
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(back.value().ToBytes(), "[Parms]\nTemWarn=60.5\n");

  platform::SetAtomicWriteFaultForTests(true);
  auto failed = platform::UpdateIniFile(path, [](IniFile &ini) { ini.WriteInteger("Parms", "TemWarn", 1); });
  platform::SetAtomicWriteFaultForTests(false);
  EXPECT_FALSE(failed.ok());
  EXPECT_EQ(IniFile::Load(path).value().ReadString("Parms", "TemWarn", ""), "60.5");
}
