#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/ini_file.h"
#include "tests/support/temp_dir.h"

using platform::IniFile;
using Names = std::vector<std::string>;

TEST(IniFileReadTest, NamesMatchIgnoringCaseAndFirstWins) {
  IniFile ini = IniFile::Parse(
      "[plcparms]\r\ncount=3\r\nCOUNT=4\r\n[Other]\r\nx=1\r\n[PLCPARMS]\r\nCount=9\r\nextra=1\r\n");
  EXPECT_EQ(ini.ReadInteger("PLCParms", "Count", 0), 3);
  EXPECT_FALSE(ini.HasKey("PLCParms", "extra"));  // only the first section is read
  EXPECT_TRUE(ini.HasSection("pLcPaRmS"));
  EXPECT_EQ(ini.SectionNames(), (Names{"plcparms", "Other"}));
  EXPECT_EQ(ini.KeyNames("PLCParms"), (Names{"count"}));
}

TEST(IniFileReadTest, ValuesAreTrimmedAndUnquoted) {
  IniFile ini = IniFile::Parse(
      "[S]\n  Name0 =  \"A B\"  \nq='x'\nhalf=\"x\nempty=\n;c=1\njunk line\n=novalue\n\tTab\t=\tv\t\n");
  EXPECT_EQ(ini.ReadString("S", "Name0", "000"), "A B");
  EXPECT_EQ(ini.ReadString("S", "q", "000"), "x");
  EXPECT_EQ(ini.ReadString("S", "half", "000"), "\"x");
  EXPECT_EQ(ini.ReadString("S", "empty", "000"), "");
  EXPECT_EQ(ini.ReadString("S", "missing", "000"), "000");
  EXPECT_EQ(ini.ReadString("S", "Tab", "000"), "v");
  EXPECT_FALSE(ini.HasKey("S", ";c"));
  EXPECT_FALSE(ini.HasKey("S", "junk line"));
  EXPECT_EQ(ini.KeyNames("S"), (Names{"Name0", "q", "half", "empty", "Tab"}));
  EXPECT_EQ(ini.ReadString("None", "x", "d"), "d");
}

TEST(IniFileReadTest, NumbersFallBackToDefault) {
  IniFile ini = IniFile::Parse("[Parms]\nTemWarn=54.5\nT2=60\nF=0,5\nG=0.5\nE=\n");
  EXPECT_EQ(ini.ReadInteger("Parms", "TemWarn", 54), 54);
  EXPECT_EQ(ini.ReadInteger("Parms", "T2", 54), 60);
  EXPECT_EQ(ini.ReadInteger("Parms", "E", 7), 7);
  EXPECT_EQ(ini.ReadFloat("Parms", "F", -1), -1);
  EXPECT_EQ(ini.ReadFloat("Parms", "G", -1), 0.5);
}

TEST(IniFileReadTest, TwoByteNamesAndFileOrder) {
  // 0xB7 0x5D: a pair whose trail byte is ']', inside a section name.
  IniFile ini = IniFile::Parse("\xEF\xBB\xBF[z]\r\nb=1\r\na=2\r\n[\xB7\x5D" "x] tail\r\n\xB7\x41=up\r\n[a]\r\n");
  EXPECT_EQ(ini.SectionNames(), (Names{"z", "\xB7\x5D" "x", "a"}));
  EXPECT_EQ(ini.KeyNames("z"), (Names{"b", "a"}));
  EXPECT_EQ(ini.ReadString("\xB7\x5D" "X", "\xB7\x41", ""), "up");
  EXPECT_FALSE(ini.HasKey("\xB7\x5D" "x", "\xB7\x61"));
  EXPECT_EQ(ini.KeyNames("a"), Names{});
}

TEST(IniFileReadTest, CrOrLfOrCrLfEndsALine) {
  const struct {
    const char *what;
    std::string bytes;
    Names sections;
    Names keys;  // of [S]
  } cases[] = {
      {"bare CR", "[S]\ra=1\rb=2\r[T]\rc=3\r", {"S", "T"}, {"a", "b"}},
      {"bare CR, no final end", "[S]\ra=1\rb=2", {"S"}, {"a", "b"}},
      {"blank lines of bare CRs", "\r\r[S]\r\ra=1\r\rb=2\r\r", {"S"}, {"a", "b"}},
      {"mixed", "[S]\na=1\rb=2\r\n[T]\nc=3", {"S", "T"}, {"a", "b"}},
      {"CR CR LF", "[S]\r\r\na=1\r\r\nb=2\r\r\n", {"S"}, {"a", "b"}},
      {"LF CR", "[S]\n\ra=1\n\rb=2\n\r", {"S"}, {"a", "b"}},
  };
  for (const auto &c : cases) {
    const IniFile ini = IniFile::Parse(c.bytes);
    EXPECT_EQ(ini.SectionNames(), c.sections) << c.what;
    EXPECT_EQ(ini.KeyNames("S"), c.keys) << c.what;
    EXPECT_EQ(ini.ReadInteger("S", "a", 0), 1) << c.what;
    EXPECT_EQ(ini.ReadString("S", "b", ""), "2") << c.what;
    EXPECT_EQ(ini.ToBytes(), c.bytes) << c.what;
  }
}

TEST(IniFileReadTest, LoadingMissingFileCreatesNothing) {
  testsupport::TempDir dir;
  auto ini = IniFile::Load((dir / "User.ini").string());
  ASSERT_TRUE(ini.ok());
  EXPECT_TRUE(ini.value().SectionNames().empty());
  EXPECT_EQ(ini.value().path(), (dir / "User.ini").string());
  EXPECT_FALSE(std::filesystem::exists(dir / "User.ini"));

  auto bad = IniFile::Load(dir.str());  // a directory
  EXPECT_FALSE(bad.ok());

  // Over the limit: refused from its size, nothing is read (the file is sparse).
  const auto big = dir / "big.ini";
  std::ofstream(big) << "[a]\n";
  std::filesystem::resize_file(big, IniFile::kMaxFileBytes + 1);
  auto tooBig = IniFile::Load(big.string());
  ASSERT_FALSE(tooBig.ok());
  EXPECT_NE(tooBig.error().message.find(big.string()), std::string::npos);
  std::filesystem::resize_file(big, IniFile::kMaxFileBytes);
  EXPECT_TRUE(IniFile::Load(big.string()).ok());
}
