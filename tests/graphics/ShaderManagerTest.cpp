// The shader manager on the recording device: descriptions, program files, the log, the
// stored shaders and shutdown.
#include <gtest/gtest.h>

#include "RecordingRenderer.h"
#include "TextTestSupport.h"
#include "graphics/ShaderManager.h"

namespace {

class ShaderTest : public RecordingRendererTest {
 protected:
  void SetUp() override { Start(); }

  void Mount() {
    files.Mount(dir.Content());
    shaders = std::make_unique<ShaderManager>(files, *renderer,
                                              [this](const std::string& m) { log.push_back(m); });
  }

  // The program texts of the last shader the device was asked for ("pixel|vertex").
  std::string LastSources() const {
    const auto* call = device->Last(Op::CreateShader);
    return call ? call->text : "<none>";
  }

  texttest::TempDir dir;
  FileSystem files;
  std::unique_ptr<ShaderManager> shaders;
  std::vector<std::string> log;
};

TEST_F(ShaderTest, DescriptionNamesTheProgramFiles) {
  dir.Write("shaders/glow.zsd",
            "<ShaderDesc><Shader name=\"base\" type=\"vertex\"/>"
            "<Shader name=\"first\" type=\"pixel\"/><Shader name=\"second\" type=\"pixel\"/>"
            "<Shader name=\"other\" type=\"geometry\"/><Shader type=\"pixel\"/></ShaderDesc>");
  dir.Write("shaders/base.vsh", "VS");
  dir.Write("shaders/first.psh", "PS1");
  dir.Write("shaders/second.psh", "PS2");
  Mount();
  const Shader* glow = shaders->Get("glow");
  ASSERT_NE(glow, nullptr);
  EXPECT_EQ(glow->name, "glow");
  EXPECT_NE(glow->program, 0u);
  // Of two pixel programs the second wins; the unknown type is ignored.
  EXPECT_EQ(LastSources(), "PS2|VS");
  EXPECT_TRUE(log.empty());
  // Stored: asking again creates nothing.
  EXPECT_EQ(shaders->Get("glow"), glow);
  EXPECT_EQ(device->Count(Op::CreateShader), 1);
  EXPECT_EQ(shaders->Count(), 1u);
}

TEST_F(ShaderTest, MissingOrEmptyProgramsAreLoggedAndLeftOut) {
  dir.Write("half.zsd",
            "<ShaderDesc><Shader name=\"gone\" type=\"vertex\"/>"
            "<Shader name=\"flat\" type=\"pixel\"/><Shader name=\"empty\" type=\"pixel\"/>"
            "</ShaderDesc>");
  dir.Write("flat.psh", "PS");
  dir.Write("empty.psh", "");
  Mount();
  ASSERT_NE(shaders->Get("half"), nullptr);
  // The empty second pixel program leaves the first one in place.
  EXPECT_EQ(LastSources(), "PS|");
  EXPECT_EQ(log, (std::vector<std::string>{"Cant load gone.vsh", "Cant load empty.psh"}));
}

TEST_F(ShaderTest, AShaderTheDeviceRefusesIsNotStoredAndIsReadAgain) {
  dir.Write("broken.zsd", "<ShaderDesc><Shader name=\"broken\" type=\"pixel\"/></ShaderDesc>");
  dir.Write("broken.psh", "not a program");
  Mount();
  device->failShaders = true;
  EXPECT_EQ(shaders->Get("broken"), nullptr);
  EXPECT_EQ(shaders->Get("broken"), nullptr);
  EXPECT_EQ(device->Count(Op::CreateShader), 2);
  EXPECT_EQ(log,
            (std::vector<std::string>{"Shader not loaded broken", "Shader not loaded broken"}));
  EXPECT_EQ(shaders->Count(), 0u);
  // Once the device accepts it, it is kept.
  device->failShaders = false;
  EXPECT_NE(shaders->Get("broken"), nullptr);
  EXPECT_EQ(shaders->Count(), 1u);
}

TEST_F(ShaderTest, EmptyNameAndMissingDescriptionGiveNone) {
  Mount();
  EXPECT_EQ(shaders->Get(""), nullptr);
  EXPECT_TRUE(log.empty());  // nothing was read or tried
  EXPECT_EQ(device->Count(Op::CreateShader), 0);
  // No description: no program texts, and the device makes nothing from two empty texts.
  EXPECT_EQ(shaders->Get("nowhere"), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"Shader not loaded nowhere"}));
}

TEST_F(ShaderTest, ShutdownSelectsNoShaderAndReleasesEveryOne) {
  dir.Write("a.zsd", "<ShaderDesc><Shader name=\"a\" type=\"pixel\"/></ShaderDesc>");
  dir.Write("b.zsd", "<ShaderDesc><Shader name=\"a\" type=\"vertex\"/></ShaderDesc>");
  dir.Write("a.psh", "PS");
  dir.Write("a.vsh", "VS");
  Mount();
  const Shader* a = shaders->Get("a");
  ASSERT_NE(a, nullptr);
  ASSERT_NE(shaders->Get("b"), nullptr);
  renderer->SetShader(a);
  device->ClearLog();
  shaders->Shutdown();
  EXPECT_EQ(shaders->Count(), 0u);
  EXPECT_EQ(device->Count(Op::ReleaseShader), 2);
  ASSERT_NE(device->Last(Op::SetShader), nullptr);
  EXPECT_EQ(device->Last(Op::SetShader)->a, 0);
  // A later request loads it again.
  EXPECT_NE(shaders->Get("a"), nullptr);
}

}  // namespace
