// Sprites from atlas files and whole textures: sizes and texture rectangles, half-size
// atlases and double-size content, first definitions winning, and what happens when the
// texture behind a sprite is missing, too small, evicted or deleted.
#include <atomic>
#include <thread>

#include "TextureFixture.h"
#include "graphics/SpriteManager.h"

namespace {

class SpriteManagerTest : public TextureFixture {
 protected:
  void SetUp() override {
    TextureFixture::SetUp();
    sprites = std::make_unique<SpriteManager>(files, *textures);
  }
  void TearDown() override { sprites.reset(); }

  void WriteAtlas(const std::string& file, const std::string& xml) {
    folder.Write("content/atlases/" + file, xml);
  }

  std::unique_ptr<SpriteManager> sprites;
};

void ExpectRect(const Sprite* sprite, TexRect expected) {
  ASSERT_NE(sprite, nullptr);
  EXPECT_FLOAT_EQ(sprite->rect.u0, expected.u0);
  EXPECT_FLOAT_EQ(sprite->rect.v0, expected.v0);
  EXPECT_FLOAT_EQ(sprite->rect.u1, expected.u1);
  EXPECT_FLOAT_EQ(sprite->rect.v1, expected.v1);
}

TEST_F(SpriteManagerTest, AtlasesNameRectanglesOfTheirTexture) {
  Write("gui.png", EncodePng(Solid(256, 128, 1, 2, 3), 4));
  Write("small.png", EncodePng(Solid(64, 64, 1, 2, 3), 4));
  WriteAtlas("a.xml",
             "<Atlas name='gui'><Tex name='button' rect='16,32,64,16'/>"
             "<Tex name='shared' rect='0,0,8,8'/><Tex name='partial' rect='4,4'/></Atlas>");
  WriteAtlas("b.xml",
             "<Atlas name='small' half='1'><Tex name='shared' rect='0,0,16,16'/>"
             "<Tex name='icon' rect='10,10,32,32'/></Atlas>");
  WriteAtlas("c.xml", "<NotAnAtlas><Tex name='stray' rect='0,0,1,1'/></NotAnAtlas>");
  WriteAtlas("d.xml.bak", "<Atlas name='gui'><Tex name='backup' rect='0,0,1,1'/></Atlas>");
  Mount();
  EXPECT_EQ(sprites->LoadAtlases(), 4);  // the second "shared" is not added

  const Sprite* button = sprites->Get("button");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->texture, textures->Find("gui", false));
  EXPECT_FLOAT_EQ(button->width, 64);
  EXPECT_FLOAT_EQ(button->height, 16);
  ExpectRect(button, {16.0f / 256, 32.0f / 128, 80.0f / 256, 48.0f / 128});
  EXPECT_EQ(button->resolution, 0);
  EXPECT_EQ(sprites->Get("button"), button);

  // The first atlas listed keeps a name; a half-size atlas doubles the logical size.
  const Sprite* shared = sprites->Get("shared");
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(shared->textureName, "gui");
  const Sprite* icon = sprites->Get("icon");
  ASSERT_NE(icon, nullptr);
  EXPECT_FLOAT_EQ(icon->width, 64);
  EXPECT_FLOAT_EQ(icon->height, 64);
  ExpectRect(icon, {10.0f / 64, 10.0f / 64, 42.0f / 64, 42.0f / 64});
  // Missing rectangle values are 0.
  EXPECT_FLOAT_EQ(sprites->Get("partial")->width, 0);

  EXPECT_EQ(sprites->Get("stray"), nullptr);
  EXPECT_EQ(sprites->Get("backup"), nullptr);
  EXPECT_EQ(sprites->TextureNameOf("icon"), "small");
  EXPECT_EQ(sprites->TextureNameOf("nothing"), "nothing");
}

TEST_F(SpriteManagerTest, WholeTextureSpritesCoverThePicture) {
  Write("photo.png", EncodePng(Solid(300, 200, 1, 2, 3), 4));
  Mount();
  device->nonPow2 = false;
  const Sprite* photo = sprites->Get("photo");
  ASSERT_NE(photo, nullptr);
  EXPECT_EQ(photo->textureName, "photo");
  EXPECT_FLOAT_EQ(photo->width, 300);
  EXPECT_FLOAT_EQ(photo->height, 200);
  ExpectRect(photo, {0, 0, 0.5859375f, 0.78125f});
  EXPECT_EQ(sprites->Get("photo"), photo);

  // Neither a sprite nor a file: nothing, and nothing is made.
  const size_t before = sprites->Count();
  EXPECT_EQ(sprites->Get(""), nullptr);
  EXPECT_EQ(sprites->Get("unknown"), nullptr);
  EXPECT_EQ(sprites->Count(), before);
  EXPECT_EQ(textures->Count(), 1u);
}

TEST_F(SpriteManagerTest, DoubleSizeContentHalvesSpritesAndKeepsTheirRectangles) {
  Write("hd.png", EncodePng(Solid(512, 512, 1, 2, 3), 4));
  WriteAtlas("hd.xml", "<Atlas name='hd'><Tex name='panel' rect='0,0,100,50'/></Atlas>");
  Mount();
  sprites->LoadAtlases();
  textures->SetQuality(TextureQuality::Double);
  const Sprite* panel = sprites->Get("panel");
  ASSERT_NE(panel, nullptr);
  EXPECT_FLOAT_EQ(panel->width, 50);
  EXPECT_FLOAT_EQ(panel->height, 25);
  ExpectRect(panel, {0, 0, 100.0f / 512, 50.0f / 512});
  const Sprite* whole = sprites->Get("hd");
  ASSERT_NE(whole, nullptr);
  EXPECT_FLOAT_EQ(whole->width, 256);
  ExpectRect(whole, {0, 0, 1, 1});
}

TEST_F(SpriteManagerTest, SpritesThatCannotBeDrawnAreNotHandedOut) {
  Write("tiny.png", EncodePng(Solid(32, 32, 1, 2, 3), 4));
  WriteAtlas("a.xml", "<Atlas name='absent'><Tex name='orphan' rect='0,0,8,8'/></Atlas>");
  WriteAtlas("b.xml",
             "<Atlas name='tiny'><Tex name='outside' rect='30,0,8,8'/>"
             "<Tex name='negative' rect='-1,0,8,8'/><Tex name='nan' rect='nan,0,1,1'/>"
             "<Tex name='edge' rect='24,24,8,8'/></Atlas>");
  Mount();
  sprites->LoadAtlases();
  for (const char* name : {"orphan", "outside", "negative", "nan"})
    EXPECT_EQ(sprites->Get(name), nullptr) << name;
  EXPECT_NE(sprites->Get("edge"), nullptr);
  // The precache still learns which texture an atlas sprite needs.
  EXPECT_EQ(sprites->TextureNameOf("orphan"), "absent");

  // Once its texture turns up, the sprite resolves.
  Write("absent.png", EncodePng(Solid(16, 16, 1, 2, 3), 4));
  Mount();
  const Sprite* orphan = sprites->Get("orphan");
  ASSERT_NE(orphan, nullptr);
  EXPECT_EQ(orphan->texture, textures->Find("absent", false));
}

TEST_F(SpriteManagerTest, SpritesFollowTheirTexturesThroughEvictionAndDeletion) {
  Write("gui.png", EncodePng(Solid(64, 64, 1, 2, 3), 4));
  Write("photo.png", EncodePng(Solid(40, 20, 1, 2, 3), 4));
  WriteAtlas("a.xml", "<Atlas name='gui'><Tex name='knob' rect='0,0,8,8'/></Atlas>");
  Mount();
  sprites->LoadAtlases();
  textures->SetUnloadable(true);
  Sprite* knob = sprites->Get("knob");
  Sprite* photo = sprites->Get("photo");
  ASSERT_TRUE(knob && photo);
  Texture* gui = knob->texture;

  textures->EvictUnloadable();
  EXPECT_TRUE(gui->Has(kTextureEvicted));
  EXPECT_EQ(sprites->Get("knob"), knob);
  EXPECT_EQ(knob->texture, gui);
  EXPECT_FALSE(gui->Has(kTextureEvicted));
  EXPECT_NE(gui->deviceTexture, 0u);

  // Deleting the textures: the sprites let go and pick up the reloaded records later.
  textures->Delete(gui);
  textures->Delete(photo->texture);
  EXPECT_EQ(knob->texture, nullptr);
  EXPECT_EQ(photo->texture, nullptr);
  EXPECT_EQ(sprites->Get("knob"), knob);
  EXPECT_EQ(knob->texture, textures->Find("gui", false));
  ASSERT_NE(knob->texture, nullptr);
  EXPECT_EQ(sprites->Get("photo"), photo);
  EXPECT_EQ(photo->texture, textures->Find("photo", false));
  EXPECT_FLOAT_EQ(photo->width, 40);
}

TEST_F(SpriteManagerTest, TheScreenFrameUsesTheScrframeSprite) {
  Write("frame.png", EncodePng(Solid(64, 64, 1, 2, 3), 4));
  WriteAtlas("a.xml", "<Atlas name='frame'><Tex name='scrframe' rect='0,0,64,16'/></Atlas>");
  Mount();
  sprites->LoadAtlases();
  renderer->SetAspectMode(AspectMode::Screen16x10);
  device->ClearLog();
  renderer->DrawScreenFrame();
  renderer->Flush();
  const Texture* frame = textures->Find("frame", false);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(device->Last(Op::BindTexture)->b, int(frame->deviceTexture));
  // ceil(1280 / 64) + 1 tiles in each of the two bands.
  EXPECT_EQ(device->Last(Op::DrawQuads)->a, 2 * 21 * 4);
}

TEST_F(SpriteManagerTest, ThePrecacheWorkerLoadsBesideTheDrawingMainThread) {
  Write("gui.png", EncodePng(Solid(64, 64, 1, 2, 3), 4));
  Write("photo.png", EncodePng(Solid(40, 20, 1, 2, 3), 4));
  Write("runner.png", EncodePng(Solid(8, 8, 1, 2, 3), 4));
  WriteAtlas("a.xml", "<Atlas name='gui'><Tex name='knob' rect='0,0,8,8'/></Atlas>");
  Mount();
  sprites->LoadAtlases();
  Sprite* runner = sprites->Get("runner");
  ASSERT_NE(runner, nullptr);
  textures->SetUnloadable(true);

  // As the splash screen does it: one entry at a time on a worker, the main thread drawing
  // until the worker says it is done, then the upload on the main thread.
  for (const char* entry : {"knob", "photo", "missing", "knob"}) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
      textures->Preload(sprites->TextureNameOf(entry));
      done.store(true, std::memory_order_release);
    });
    int frames = 0;
    while (!done.load(std::memory_order_acquire) || frames == 0) {
      const Sprite* sprite = sprites->Get("runner");
      renderer->BindTexture(sprite->texture);
      renderer->AddQuad({0, 0, sprite->width, sprite->height}, sprite->rect);
      renderer->Flush();
      ++frames;
    }
    worker.join();
    textures->FinishPreload();
  }
  Texture* gui = textures->Find("gui", false);
  ASSERT_NE(gui, nullptr);
  EXPECT_TRUE(gui->Has(kTextureUnloadable));
  EXPECT_NE(gui->deviceTexture, 0u);
  EXPECT_NE(textures->Find("photo", false), nullptr);
  EXPECT_EQ(textures->Find("missing", false), nullptr);
  EXPECT_EQ(sprites->Get("knob")->texture, gui);
}

}  // namespace
