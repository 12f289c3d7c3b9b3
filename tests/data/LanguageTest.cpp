#include "data/Language.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "data/FileSystem.h"

using namespace testsupport;

namespace {

TEST(Language, CodesAndNumbers) {
  EXPECT_EQ(LanguageCode(1), "en");
  EXPECT_EQ(LanguageCode(2), "de");
  EXPECT_EQ(LanguageCode(3), "ru");
  EXPECT_EQ(LanguageCode(4), "pl");
  EXPECT_EQ(LanguageCode(0), "en");
  EXPECT_EQ(LanguageCode(5), "en");
  EXPECT_EQ(LanguageNumber("ru"), 3);
  EXPECT_EQ(LanguageNumber("fr"), 0);
}

TEST(Language, DetectionFromTheSystemLanguage) {
  EXPECT_EQ(DetectLanguage("ru"), 3);
  EXPECT_EQ(DetectLanguage("de"), 2);
  EXPECT_EQ(DetectLanguage("pl"), 4);
  EXPECT_EQ(DetectLanguage("en"), 1);
  EXPECT_EQ(DetectLanguage("fr"), 1);
  EXPECT_EQ(DetectLanguage("ru_RU"), 3);
  EXPECT_EQ(DetectLanguage("DE"), 2);
  EXPECT_EQ(DetectLanguage("r"), 1);
  EXPECT_EQ(DetectLanguage(""), 1);
}

TEST(Language, SettingSelectsOrDetects) {
  EXPECT_EQ(LanguageFromSetting(0, "pl"), 4);
  EXPECT_EQ(LanguageFromSetting(0, "xx"), 1);
  EXPECT_EQ(LanguageFromSetting(2, "pl"), 2);
  EXPECT_EQ(LanguageFromSetting(4, "de"), 4);
  EXPECT_EQ(LanguageFromSetting(5, "de"), 4);
  EXPECT_EQ(LanguageFromSetting(1000, "de"), 4);
  EXPECT_EQ(LanguageFromSetting(-1, "de"), 2);
}

class MountLocaleTest : public ::testing::Test {
 protected:
  MountLocaleTest() {
    WriteFile(dir / "locale/en/strings.xml", "en");
    WriteFile(dir / "locale/en/only_en.xml", "only en");
    WriteFile(dir / "locale_hd/en/fonts.xml", "en hd");
    WriteFile(dir / "locale_hd/en/hd_only.xml", "en hd only");
    WriteFile(dir / "locale_hd/de/fonts.xml", "de hd");
    WriteFile(dir / "locale/pl/hd_only.xml", "pl");
    EXPECT_TRUE(MakePak(dir / "locale/de.pak", {{"strings.xml", "de"}, {"fonts.xml", "de"}}));
  }
  std::string Text(std::string_view name) {
    const FileData f = fs.Read(name);
    std::string text = AsText(f.data, f.size);
    fs.Release(f.data);
    return text;
  }
  TempDir dir;
  FileSystem fs;
};

TEST_F(MountLocaleTest, ChosenLanguageLiesOverEnglish) {
  MountLocale(fs, LanguageCode(2), false, dir.Path());
  EXPECT_EQ(Text("strings.xml"), "de");
  EXPECT_EQ(Text("fonts.xml"), "de");
  EXPECT_EQ(Text("only_en.xml"), "only en");
  EXPECT_FALSE(fs.Find("hd_only.xml"));
}

TEST_F(MountLocaleTest, DoubleSizeFoldersFollowTheirLanguage) {
  MountLocale(fs, "de", true, dir.Path());
  EXPECT_EQ(Text("fonts.xml"), "de hd");
  EXPECT_EQ(Text("hd_only.xml"), "en hd only");
  fs.Mount(dir / "unused");
  MountLocale(fs, "pl", true, dir.Path());
  EXPECT_EQ(Text("hd_only.xml"), "pl");  // locale/pl comes after locale_hd/en
  EXPECT_EQ(Text("fonts.xml"), "en hd");
  EXPECT_EQ(Text("strings.xml"), "en");
}

TEST_F(MountLocaleTest, EnglishOrAStrangeCodeMountsEnglishOnly) {
  MountLocale(fs, "en", false, dir.Path());
  EXPECT_EQ(Text("strings.xml"), "en");
  MountLocale(fs, "../locale/de", false, dir.Path());
  EXPECT_EQ(Text("strings.xml"), "en");
  MountLocale(fs, "", false, dir.Path() + "/");
  EXPECT_EQ(Text("strings.xml"), "en");
}

TEST_F(MountLocaleTest, RelativeToTheWorkingFolder) {
  ScopedChdir cd(dir.Path());
  MountLocale(fs, "de", false);
  EXPECT_EQ(Text("strings.xml"), "de");
  EXPECT_EQ(fs.Find("only_en.xml")->path, "locale/en/only_en.xml");
}

}  // namespace
