#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "data/ValueTable.h"
#include "data/XmlDocument.h"

using namespace testsupport;

namespace {

class TablesTest : public ::testing::Test {
 protected:
  TablesTest() {}
  void Mount() { fs.Mount(dir / "content"); }
  void Write(std::string_view name, std::string_view text) {
    WriteFile(dir / ("content/" + std::string(name)), text);
  }
  TempDir dir;
  FileSystem fs;
};

TEST_F(TablesTest, StringTableLoadsUtf8AsUtf16) {
  Write("strings.xml", R"(<?xml version="1.0" encoding="utf-8"?>
<StringTable>
  <String name="title" value="Kalodrus &amp; friends"/>
  <String name="ru" value="Привет"/>
  <String name="emoji" value="a😀b"/>
  <String name="no_value"/>
  <String value="no name"/>
  <Other name="other" value="x"/>
  <String name="empty" value=""/>
</StringTable>)");
  Mount();
  StringTable strings(fs);
  ASSERT_TRUE(strings.Load("strings"));
  EXPECT_EQ(strings.Get("title"), u"Kalodrus & friends");
  EXPECT_EQ(strings.Get(u"ru"), u"Привет");
  EXPECT_EQ(strings.Get("emoji"),
            u"a\xD83D\xDE00"
            u"b");
  EXPECT_EQ(strings.Get("no_value"), u"");
  EXPECT_FALSE(strings.Has(u"no_value"));
  EXPECT_FALSE(strings.Has(u"other"));
  EXPECT_TRUE(strings.Has(u"empty"));
  EXPECT_EQ(strings.Size(), 4u);
  EXPECT_EQ(strings.Get("missing"), u"");
}

TEST_F(TablesTest, LaterStringOfTheSameNameWinsAndLoadsAccumulate) {
  Write("strings.xml", R"(<StringTable><String name="a" value="1"/><String name="a" value="2"/>
      <String name="keep" value="k"/></StringTable>)");
  Write("story.xml", R"(<StringTable><String name="a" value="3"/></StringTable>)");
  Mount();
  StringTable strings(fs);
  ASSERT_TRUE(strings.Load("strings"));
  EXPECT_EQ(strings.Get("a"), u"2");
  ASSERT_TRUE(strings.Load("story"));
  EXPECT_EQ(strings.Get("a"), u"3");
  EXPECT_EQ(strings.Get("keep"), u"k");
}

TEST_F(TablesTest, StringFileWithoutRootOrUnparsableLeavesTableUnchanged) {
  Write("wrong_root.xml", R"(<ValueTable><String name="a" value="1"/></ValueTable>)");
  Write("broken.xml", R"(<StringTable><String name="a" value="1"/>)");
  Mount();
  StringTable strings(fs);
  strings.Set(u"a", u"before");
  EXPECT_FALSE(strings.Load("wrong_root"));
  EXPECT_FALSE(strings.Load("broken"));
  EXPECT_FALSE(strings.Load("missing"));
  EXPECT_EQ(strings.Get("a"), u"before");
  EXPECT_EQ(strings.Size(), 1u);
}

TEST_F(TablesTest, PlaceholderHookReplacesIconNamesByTheirCode) {
  Write(
      "story.xml",
      R"(<StringTable><String name="cost" value="10 %GOLD% and %WOOD%%GOLD%, %NONE% %gold%"/></StringTable>)");
  Mount();
  StringTable strings(fs);
  ASSERT_TRUE(strings.Load("story"));
  EXPECT_EQ(strings.Get("cost"), u"10 %GOLD% and %WOOD%%GOLD%, %NONE% %gold%");  // no hook yet
  strings.SetPlaceholderHook([](std::u16string& text) {
    StringTable::ReplacePlaceholder(text, u"%WOOD%", char16_t(1));
    StringTable::ReplacePlaceholder(text, u"%GOLD%", char16_t(2));
  });
  ASSERT_TRUE(strings.Load("story"));
  EXPECT_EQ(strings.Get("cost"), std::u16string(u"10 \x02 and \x01\x02, %NONE% %gold%"));
}

TEST_F(TablesTest, ByteKeysAreWidenedByteByByte) {
  StringTable strings(fs);
  strings.Set(std::u16string(1, char16_t(0xE9)), u"latin");
  EXPECT_EQ(strings.Get(std::string_view("\xE9")), u"latin");
}

TEST_F(TablesTest, ValueTableParsesNumbersLikeAtof) {
  Write("interface.xml", R"(<ValueTable>
    <Value name="w" value="120"/>
    <Value name="pos" value="3.9"/>
    <Value name="neg" value="-3.9"/>
    <Value name="exp" value="1.5e2"/>
    <Value name="text" value="wide"/>
    <Value name="trail" value="12px"/>
    <Value name="huge" value="1e20"/>
    <Value name="tiny" value="-1e20"/>
    <Value name="inf" value="inf"/>
    <Value name="nan" value="nan"/>
    <Value name="no_value"/>
    <Value value="3"/>
  </ValueTable>)");
  Mount();
  ValueTable values(fs);
  ASSERT_TRUE(values.Load("interface"));
  EXPECT_EQ(values.GetInt("w", 0), 120);
  EXPECT_EQ(values.GetInt("pos", 0), 3);
  EXPECT_EQ(values.GetInt("neg", 0), -3);
  EXPECT_FLOAT_EQ(values.GetFloat("exp", 0), 150.0f);
  EXPECT_EQ(values.GetFloat("text", 5), 0.0f);  // no number: 0, not the default
  EXPECT_FALSE(values.GetBool("text", true));
  EXPECT_EQ(values.GetInt("trail", 0), 12);
  EXPECT_EQ(values.GetInt("huge", 0), INT32_MAX);
  EXPECT_EQ(values.GetInt("tiny", 0), INT32_MIN);
  EXPECT_EQ(values.GetInt("inf", 0), INT32_MAX);
  EXPECT_EQ(values.GetInt("nan", 77), 77);
  EXPECT_TRUE(std::isnan(values.GetFloat("nan", 0)));
  EXPECT_FALSE(values.Has("no_value"));
  EXPECT_EQ(values.GetInt("missing", -5), -5);
  EXPECT_FLOAT_EQ(values.GetFloat("missing", 2.5f), 2.5f);
  EXPECT_TRUE(values.GetBool("missing", true));
  EXPECT_TRUE(values.GetBool("w", false));
}

TEST_F(TablesTest, ValueTableLoadOverwritesAndKeepsOthers) {
  Write("fonts.xml",
        R"(<ValueTable><Value name="a" value="1"/><Value name="b" value="2"/></ValueTable>)");
  Write("resolution.xml", R"(<ValueTable><Value name="a" value="10"/></ValueTable>)");
  Write("bad.xml", R"(<StringTable/>)");
  Mount();
  ValueTable values(fs);
  ASSERT_TRUE(values.Load("fonts"));
  ASSERT_TRUE(values.Load("resolution"));
  EXPECT_FALSE(values.Load("bad"));
  EXPECT_FALSE(values.Load("missing"));
  EXPECT_EQ(values.GetInt("a", 0), 10);
  EXPECT_EQ(values.GetInt("b", 0), 2);
  EXPECT_EQ(values.Size(), 2u);
}

TEST_F(TablesTest, TablesReadFromArchivesAndLaterLocaleWins) {
  ASSERT_TRUE(MakePak(dir / "locale/en.pak",
                      {{"strings.xml", R"(<StringTable><String name="play" value="Play"/>
                          <String name="quit" value="Quit"/></StringTable>)"}}));
  ASSERT_TRUE(MakePak(
      dir / "locale/de.pak",
      {{"strings.xml", R"(<StringTable><String name="play" value="Spielen"/></StringTable>)"}}));
  fs.Mount(dir / "locale/en");
  fs.Mount(dir / "locale/de");
  StringTable strings(fs);
  ASSERT_TRUE(strings.Load("strings"));
  EXPECT_EQ(strings.Get("play"), u"Spielen");
  EXPECT_EQ(strings.Get("quit"), u"");  // only the German file is read
}

}  // namespace
