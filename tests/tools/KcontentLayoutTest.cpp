// kcontent layout dump: where every control of a layout lands in each aspect mode, and the
// command's answers to bad input.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "data/TestSupport.h"
#include "kcontent/LayoutCommand.h"
#include "kcontent/RgbaImage.h"

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

int RunTool(const std::string& args, std::string& output) {
  const std::string log = std::filesystem::temp_directory_path() /
                          ("kcontent-layout-test-" + std::to_string(getpid()) + ".log");
  const std::string command =
      std::string("'" KCONTENT_EXE "' ") + args + " >'" + log + "' 2>&1";
  const int status = std::system(command.c_str());
  const testsupport::Bytes text = testsupport::ReadBytes(log);
  output.assign(text.begin(), text.end());
  std::filesystem::remove(log);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A game folder with a 100 × 40 sprite "box" and the layout "test".
void MakeGame(const TempDir& dir) {
  kcontent::RgbaImage image(128, 64);
  std::vector<uint8_t> png;
  std::string error;
  ASSERT_TRUE(kcontent::EncodePng(image, false, png, error)) << error;
  testsupport::WriteBytes(dir / "game/content/gui.png", png);
  WriteFile(dir / "game/content/atlases/gui.xml",
            "<Atlas name='gui'><Tex name='box' rect='0,0,100,40'/></Atlas>");
  WriteFile(dir / "game/content/layouts/test.xml",
            "<controls><pic id='1' spr='box' x='10' y='20' bind='lt'/>"
            "<pic id='2' spr='box' x='10.5' y='20' bind='rb' flags='w'/>"
            "<Pic id='3'/><text id='4' flags='t'/></controls>");
  WriteFile(dir / "game/content/layouts/flat.xml", "<dialog/>");
}

TEST(KcontentLayout, DumpPlacesEveryControlPerAspectMode) {
  TempDir dir;
  MakeGame(dir);
  std::string error;
  const auto wide = DumpLayout(dir / "game", "test", AspectMode::Screen16x9, error);
  ASSERT_TRUE(wide) << error;
  ASSERT_EQ(wide->size(), 4u);
  const LayoutDumpEntry& a = (*wide)[0];
  EXPECT_TRUE(a.created);
  EXPECT_EQ(a.kind, ControlKind::Picture);
  EXPECT_FLOAT_EQ(a.rect.x0, -630);
  EXPECT_FLOAT_EQ(a.rect.y0, 340);
  EXPECT_FLOAT_EQ(a.rect.x1, -530);
  EXPECT_FLOAT_EQ(a.rect.y1, 300);
  const LayoutDumpEntry& b = (*wide)[1];
  EXPECT_TRUE(b.created);
  EXPECT_FLOAT_EQ(b.rect.x0, 529);  // 529.5, snapped towards zero
  EXPECT_FLOAT_EQ(b.rect.y1, -340);
  EXPECT_EQ((*wide)[2].why, "unknown element");
  EXPECT_FALSE((*wide)[3].created);

  const auto narrow = DumpLayout(dir / "game", "test", AspectMode::Screen4x3, error);
  ASSERT_TRUE(narrow);
  EXPECT_FLOAT_EQ((*narrow)[0].rect.x0, -502);
  EXPECT_FALSE((*narrow)[1].created);
  EXPECT_EQ((*narrow)[1].why, "not created (flags \"w\")");

  EXPECT_FALSE(DumpLayout(dir / "game", "none", AspectMode::Screen4x3, error));
  EXPECT_FALSE(DumpLayout(dir / "game", "flat", AspectMode::Screen4x3, error));
  EXPECT_NE(error.find("no controls"), std::string::npos);
}

TEST(KcontentLayout, Command) {
  TempDir dir;
  MakeGame(dir);
  std::string out;
  const std::string game = " --game '" + (dir / "game") + "'";
  EXPECT_EQ(RunTool("layout dump test --aspect 3" + game, out), 0) << out;
  EXPECT_NE(out.find("pic        id 1     kind 0   rect (-630, 340, -530, 300)"), std::string::npos)
      << out;
  EXPECT_NE(out.find("Pic        id 3     unknown element"), std::string::npos) << out;
  EXPECT_EQ(RunTool("layout dump missing" + game, out), 1);
  EXPECT_EQ(RunTool("layout dump test --aspect 5" + game, out), 2);
  EXPECT_EQ(RunTool("layout show test", out), 2);
  EXPECT_EQ(RunTool("layout", out), 2);
}

}  // namespace
