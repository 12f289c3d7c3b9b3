#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "base/ContentLog.h"
#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "data/ValueTable.h"
#include "data/XmlDocument.h"

using namespace testsupport;

namespace {

// Catches the content log's lines for one test and switches the log off afterwards.
class ContentLogTest : public ::testing::Test {
 protected:
  ContentLogTest() {
    content_log::SetSinkForTests([this](const std::string& line) { lines.push_back(line); });
    content_log::Enable(true);
  }
  ~ContentLogTest() override {
    content_log::Enable(false);
    content_log::SetSinkForTests({});
  }
  void Write(std::string_view name, std::string_view text) {
    WriteFile(dir / ("content/" + std::string(name)), text);
  }

  std::vector<std::string> lines;
  TempDir dir;
  FileSystem fs;
};

TEST_F(ContentLogTest, EachMissingEntryIsReportedOnceWithItsKind) {
  StringTable strings(fs);
  ValueTable values(fs);
  EXPECT_TRUE(strings.Get("no_such_key").empty());
  EXPECT_TRUE(strings.Get("no_such_key").empty());
  EXPECT_EQ(values.GetInt("if_width", 7), 7);
  EXPECT_EQ(values.GetFloat("if_width", 2.0f), 2.0f);
  // A probe with Has is no request: it reports nothing.
  EXPECT_FALSE(values.Has("if_probe"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "missing string \"no_such_key\"");
  EXPECT_EQ(lines[1], "missing value \"if_width\"");
}

TEST_F(ContentLogTest, FilesThatDoNotParseAreNamedWithTheReason) {
  Write("broken.xml", "<StringTable><String name=\"a\" value=\"b\"></StringTable>");
  std::string deep;
  for (int i = 0; i < 300; ++i) deep += "<a>";
  for (int i = 0; i < 300; ++i) deep += "</a>";
  Write("deep.xml", deep);
  fs.Mount(dir / "content");
  XmlDocument doc(fs);
  EXPECT_FALSE(doc.Load("broken"));
  EXPECT_FALSE(doc.Load("deep"));
  EXPECT_FALSE(doc.Load("absent"));
  EXPECT_FALSE(doc.Load("broken"));  // once per file
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].rfind("cannot parse \"broken.xml\": ", 0), 0u) << lines[0];
  EXPECT_GT(lines[0].size(), std::string("cannot parse \"broken.xml\": ").size());
  EXPECT_EQ(lines[1], "cannot parse \"deep.xml\": elements nested too deeply");
  EXPECT_EQ(lines[2], "missing file \"absent.xml\"");
}

TEST_F(ContentLogTest, NothingIsWrittenWhileTheLogIsOff) {
  content_log::Enable(false);
  StringTable strings(fs);
  strings.Get("quiet");
  XmlDocument doc(fs);
  doc.Load("absent");
  EXPECT_TRUE(lines.empty());
}

}  // namespace
