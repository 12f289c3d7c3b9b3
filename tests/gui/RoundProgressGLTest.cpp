// A round progress placed by a layout and drawn through the real OpenGL device (headless
// under SDL_VIDEODRIVER=offscreen): the wipe seen on the screen. Set KALODRUS_TEST_FRAMES to a
// folder to keep the frame as a PNG file.
#include <SDL.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../graphics/ImageFiles.h"
#include "data/FileSystem.h"
#include "graphics/GLRenderDevice.h"
#include "graphics/PngWriter.h"
#include "graphics/Renderer.h"
#include "graphics/SpriteManager.h"
#include "graphics/TextureManager.h"
#include "gui/ControlFactory.h"
#include "gui/ControlList.h"
#include "gui/ControlTypes.h"
#include "gui/GUIProgressBar.h"
#include "gui/GuiContext.h"
#include "platform/Window.h"

namespace {

TEST(RoundProgressGL, AWipeWithALayoutHeightIsDrawnTheRightWayUp) {
  // Video stays up until the process ends (as in the other GL tests).
  static const bool videoReady = SDL_Init(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
  ASSERT_TRUE(videoReady) << SDL_GetError();
  platform::Window window;
  ASSERT_TRUE(window.Create(1024, 768, true)) << SDL_GetError();
  {
    Renderer renderer(std::make_unique<GLRenderDevice>(window));
    renderer.SetAspectMode(AspectMode::Screen4x3);
    ASSERT_TRUE(renderer.Init(false, true));

    TempFolder folder;
    RgbaPicture white(64, 64);
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) white.Set(x, y, 255, 255, 255);
    folder.Write("content/gui.png", EncodePng(white, 4));
    folder.Write("content/atlases/gui.xml",
                 std::string("<Atlas name='gui'><Tex name='ring' rect='0,0,64,64'/></Atlas>"));
    // A given h: y0 is the top edge, y1 the bottom one.
    folder.Write("content/round.xml",
                 std::string("<controls><round spr='ring' x='-100' y='100' w='200' h='200'/>"
                             "</controls>"));
    FileSystem files;
    files.Mount((folder.path() / "content").string());
    TextureManager textures(files, renderer);
    SpriteManager sprites(files, textures);
    sprites.LoadAtlases();
    ControlFactory factory;
    RegisterControlTypes(factory);
    GuiContext context;
    context.renderer = &renderer;
    context.sprites = &sprites;
    context.files = &files;
    context.factory = &factory;
    ScopedGuiContext scope(context);
    ControlList list;
    list.LoadLayout("round", true);
    auto* round = dynamic_cast<GUIRoundProgress*>(list.At(0));
    ASSERT_NE(round, nullptr);
    round->Start(4, 1);
    round->Advance(1);  // a quarter gone: the quarter left of the top centre remains

    renderer.BeginFrame();
    renderer.Clear(0xFF000000);
    list.DrawAll();
    renderer.Flush();
    std::vector<uint8_t> rgba;
    int w = 0, h = 0;
    ASSERT_TRUE(renderer.Device().ReadBackBuffer(rgba, w, h));
    ASSERT_EQ(w, 1024);
    if (const char* out = std::getenv("KALODRUS_TEST_FRAMES"))
      WritePng(std::string(out) + "/round_wipe.png", w, h, 4, rgba.data());
    const auto red = [&](float x, float y) {
      return int(rgba[(size_t(384 - int(y)) * size_t(w) + size_t(512 + int(x))) * 4]);
    };
    EXPECT_GT(red(-50, 50), 200) << "top left";
    EXPECT_LT(red(-50, -50), 50) << "bottom left";
    EXPECT_LT(red(50, 50), 50) << "top right";
    EXPECT_LT(red(50, -50), 50) << "bottom right";
    list.Clear();
  }
  window.Destroy();
}

}  // namespace
