// The texture manager over files and a recording device: lookup order, flags, quality,
// eviction and reload into the same record, deletion, textures from memory, render targets
// and background loading.
#include <thread>

#include "TextureFixture.h"

namespace {

using Pixel = std::vector<int>;

class TextureManagerTest : public TextureFixture {};

class DeletionLog : public TextureDeletionListener {
 public:
  void OnTextureDeleted(const Texture& texture) override { deleted.push_back(texture.name); }
  std::vector<std::string> deleted;
};

TEST_F(TextureManagerTest, ThePackedVariantComesFirstThenTheExtensionsInOrder) {
  Write("_title_comp.png", EncodePng(Solid(4, 4, 255, 0, 0), 3));
  Write("title.png", EncodePng(Solid(4, 4, 0, 255, 0), 3));
  Write("both.png", EncodePng(Solid(4, 4, 0, 255, 0), 3));
  Write("both.zif", EncodeZif(Solid(4, 4, 0, 0, 255), 4, 4, false));
  Write("broken.zif", std::vector<uint8_t>(40, 0x5A));
  Write("broken.png", EncodePng(Solid(4, 4, 0, 255, 0), 3));
  Mount();

  Texture* title = textures->Get("title");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->name, "title");
  EXPECT_TRUE(title->Has(kTexturePackedWide));
  EXPECT_EQ(FirstPixel(*title), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(textures->Get("title"), title);
  EXPECT_EQ(textures->Find("title", false), title);

  Texture* both = textures->Get("both");
  ASSERT_NE(both, nullptr);
  EXPECT_EQ(FirstPixel(*both), (Pixel{0, 0, 255, 255}));
  EXPECT_FALSE(both->Has(kTexturePackedWide));

  // The first file found decides, even when it cannot be decoded.
  EXPECT_EQ(textures->Get("broken"), nullptr);
  EXPECT_EQ(textures->Get("missing"), nullptr);
  EXPECT_EQ(textures->Get(""), nullptr);
  EXPECT_EQ(textures->Count(), 2u);
}

TEST_F(TextureManagerTest, FlagsFollowTheFileTheRequestAndTheUnloadableMode) {
  Write("plain.png", EncodePng(Solid(300, 200, 1, 2, 3), 4));
  Write("mip.png", EncodePng(Solid(300, 200, 1, 2, 3), 4));
  Write("later.png", EncodePng(Solid(8, 8, 1, 2, 3), 4));
  Write("wide.jpg", EncodeJpeg(Solid(1280, 768, 90, 90, 90)));
  Write("hd.jpg", EncodeJpeg(Solid(1280, 720, 90, 90, 90)));
  Mount();

  Texture* plain = textures->Get("plain");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->flags, kTextureAlpha);
  EXPECT_EQ(plain->width, 300);  // the device takes any size

  // Mipmaps force power-of-two padding and a full chain.
  Texture* mip = textures->Get("mip", true);
  ASSERT_NE(mip, nullptr);
  EXPECT_EQ(mip->flags, kTextureAlpha | kTextureMipmaps);
  EXPECT_EQ(mip->width, 512);
  EXPECT_EQ(mip->height, 256);
  EXPECT_EQ(mip->imageWidth, 300);
  EXPECT_EQ(Uploaded(*mip).desc.levels, 10);

  textures->SetUnloadable(true);
  EXPECT_TRUE(textures->Get("later")->Has(kTextureUnloadable));
  EXPECT_FALSE(plain->Has(kTextureUnloadable));

  // A 1280 × 768 picture is packed into a square; 1280 × 720 is an ordinary picture.
  Texture* wide = textures->Get("wide");
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(wide->width, 1024);
  EXPECT_EQ(wide->height, 1024);
  EXPECT_TRUE(wide->Has(kTexturePackedWide));
  Texture* hd = textures->Get("hd");
  ASSERT_NE(hd, nullptr);
  EXPECT_EQ(hd->width, 1280);
  EXPECT_EQ(hd->height, 720);
  EXPECT_FALSE(hd->Has(kTexturePackedWide));
}

TEST_F(TextureManagerTest, DeviceSizeLimitsAndDoubleSizeContentChangeTheSizesSeen) {
  Write("pic.png", EncodePng(Solid(300, 200, 1, 2, 3), 4));
  Write("big.png", EncodePng(Solid(512, 512, 1, 2, 3), 4));
  Mount();
  device->nonPow2 = false;
  Texture* pic = textures->Get("pic");
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->width, 512);
  EXPECT_EQ(pic->height, 256);

  textures->SetQuality(TextureQuality::Double);
  Texture* big = textures->Get("big");
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(big->imageWidth, 256);
  EXPECT_EQ(big->width, 256);
  EXPECT_EQ(Uploaded(*big).desc.width, 512);  // stored at full size
}

TEST_F(TextureManagerTest, EvictedTexturesComeBackIntoTheSameRecord) {
  Write("pic.png", EncodePng(Solid(4, 4, 255, 0, 0), 3));
  Write("_bg_comp.png", EncodePng(Solid(4, 4, 9, 9, 9), 3));
  Write("keep.png", EncodePng(Solid(4, 4, 9, 9, 9), 3));
  Mount();
  Texture* keep = textures->Get("keep");
  textures->SetUnloadable(true);
  Texture* pic = textures->Get("pic");
  Texture* bg = textures->Get("bg");
  ASSERT_TRUE(pic && bg && keep);
  const int flags = pic->flags;
  const DeviceTextureHandle first = pic->deviceTexture;
  renderer->BindTexture(pic, 0);
  renderer->BindTexture(pic, 1);

  textures->EvictUnloadable();
  EXPECT_TRUE(pic->Has(kTextureEvicted));
  EXPECT_TRUE(bg->Has(kTextureEvicted));
  EXPECT_FALSE(keep->Has(kTextureEvicted));
  EXPECT_EQ(pic->deviceTexture, 0u);
  EXPECT_TRUE(device->textures.at(first).released);

  // Bound again: decoded from its (changed) file into the same record.
  Write("pic.png", EncodePng(Solid(4, 4, 0, 0, 255), 3));
  device->ClearLog();
  renderer->BindTexture(pic, 1);
  EXPECT_EQ(device->Count(Op::CreateTexture), 1);
  EXPECT_EQ(device->Last(Op::BindTexture)->b, int(pic->deviceTexture));
  EXPECT_EQ(pic->flags, flags);
  EXPECT_EQ(FirstPixel(*pic), (Pixel{0, 0, 255, 255}));
  EXPECT_EQ(textures->Get("pic"), pic);

  // The packed variant is found again and the record keeps its name and flag.
  EXPECT_EQ(textures->Get("bg"), bg);
  EXPECT_FALSE(bg->Has(kTextureEvicted));
  EXPECT_NE(bg->deviceTexture, 0u);
  EXPECT_TRUE(bg->Has(kTexturePackedWide));
  EXPECT_EQ(bg->name, "bg");

  // Evicting one texture that is still bound: its next bind reaches the device.
  textures->Evict(pic);
  device->ClearLog();
  renderer->BindTexture(pic, 1);
  EXPECT_EQ(device->Count(Op::BindTexture), 1);
  EXPECT_NE(pic->deviceTexture, 0u);

  // Shutting down releases what is still on the device.
  const int live = int(std::count_if(device->textures.begin(), device->textures.end(),
                                     [](const auto& t) { return !t.second.released; }));
  device->ClearLog();
  textures.reset();
  EXPECT_EQ(device->Count(Op::ReleaseTexture), live);
}

TEST_F(TextureManagerTest, DeletedTexturesLeaveNoStaleBindingOrListener) {
  Write("a.png", EncodePng(Solid(4, 4, 255, 0, 0), 3));
  Write("b.png", EncodePng(Solid(4, 4, 0, 255, 0), 3));
  Mount();
  DeletionLog log;
  textures->AddDeletionListener(&log);
  Texture* a = textures->Get("a");
  ASSERT_NE(a, nullptr);
  renderer->BindTexture(a, 0);
  textures->Delete(a);
  EXPECT_EQ(log.deleted, std::vector<std::string>{"a"});
  EXPECT_EQ(textures->Find("a", false), nullptr);

  // A new record (possibly at the same address) must really be bound.
  Texture* b = textures->Get("b");
  ASSERT_NE(b, nullptr);
  device->ClearLog();
  renderer->BindTexture(b, 0);
  ASSERT_EQ(device->Count(Op::BindTexture), 1);
  EXPECT_EQ(device->Last(Op::BindTexture)->b, int(b->deviceTexture));

  Texture stranger;
  stranger.name = "b";
  textures->Delete(&stranger);  // not ours: ignored
  textures->Delete(nullptr);
  EXPECT_EQ(textures->Find("b", false), b);
  textures->RemoveDeletionListener(&log);
  textures->Delete(b);
  EXPECT_EQ(log.deleted.size(), 1u);
}

TEST_F(TextureManagerTest, TexturesFromMemoryAndRenderTargets) {
  const uint8_t rgba[] = {10, 20, 30, 40, 50, 60, 70, 80};
  Texture* made = textures->CreateFromPixels("_pyroTex0000", 2, 1, PixelFormat::RGBA8,
                                             kTextureAlpha | kTextureEvicted, rgba);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->flags, kTextureAlpha | kTextureFromPixels);
  EXPECT_EQ(Uploaded(*made).levels.at(0), (std::vector<uint8_t>{30, 20, 10, 40, 70, 60, 50, 80}));

  // Again under the same name: the same record, the pixels as given.
  const DeviceTextureHandle old = made->deviceTexture;
  EXPECT_EQ(textures->CreateFromPixels("_pyroTex0000", 2, 1, PixelFormat::BGRA8, 0, rgba), made);
  EXPECT_TRUE(device->textures.at(old).released);
  EXPECT_EQ(Uploaded(*made).levels.at(0), std::vector<uint8_t>(rgba, rgba + 8));
  // Three-byte pixels are not four-byte pixels: nothing swapped, nothing read past the end.
  const std::vector<uint8_t> rgb = {1, 2, 3, 4, 5, 6};
  Texture* three = textures->CreateFromPixels("rgb", 2, 1, PixelFormat::RGB8, 0, rgb.data());
  ASSERT_NE(three, nullptr);
  EXPECT_EQ(Uploaded(*three).levels.at(0), rgb);
  // There is no file to reload it from, so it is never evicted.
  textures->Evict(made);
  EXPECT_FALSE(made->Has(kTextureEvicted));
  EXPECT_NE(made->deviceTexture, 0u);

  EXPECT_EQ(textures->CreateFromPixels("", 2, 1, PixelFormat::BGRA8, 0, rgba), nullptr);
  EXPECT_EQ(textures->CreateFromPixels("zero", 0, 1, PixelFormat::BGRA8, 0, rgba), nullptr);
  EXPECT_EQ(textures->CreateFromPixels("huge", 1, 1 << 20, PixelFormat::BGRA8, 0, nullptr),
            nullptr);

  // A render target is made empty, and made again (empty) around a device reset.
  Texture* target = textures->CreateFromPixels("target", 64, 32, PixelFormat::BGRA8,
                                               kTextureRenderTarget, nullptr);
  ASSERT_NE(target, nullptr);
  EXPECT_TRUE(Uploaded(*target).desc.renderTarget);
  EXPECT_TRUE(Uploaded(*target).levels.empty());
  const DeviceTextureHandle before = target->deviceTexture;
  device->needsReset = true;
  device->ClearLog();
  renderer->Present();
  EXPECT_TRUE(device->textures.at(before).released);
  ASSERT_NE(target->deviceTexture, 0u);
  EXPECT_NE(target->deviceTexture, before);
  EXPECT_TRUE(Uploaded(*target).levels.empty());
  EXPECT_EQ(device->Count(Op::CreateTexture), 1);  // the render target only
}

TEST_F(TextureManagerTest, PreloadDecodesOnAWorkerAndUploadsOnTheMainThread) {
  Write("pic.png", EncodePng(Solid(512, 512, 0, 255, 0), 3));
  Write("other.png", EncodePng(Solid(4, 4, 0, 255, 0), 3));
  Mount();
  textures->SetUnloadable(true);
  textures->SetQuality(TextureQuality::Double);
  device->ClearLog();
  std::thread([&] { textures->Preload("pic"); }).join();
  EXPECT_EQ(textures->Count(), 0u);
  EXPECT_EQ(device->Count(Op::CreateTexture), 0);

  textures->FinishPreload();
  Texture* pic = textures->Find("pic", false);
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->flags, kTextureAlpha | kTextureUnloadable);
  EXPECT_EQ(pic->imageWidth, 256);  // halved once
  EXPECT_EQ(pic->width, 256);
  EXPECT_TRUE(pic->pixels.empty());
  EXPECT_EQ(FirstPixel(*pic), (Pixel{0, 255, 0, 255}));
  EXPECT_EQ(Uploaded(*pic).desc.width, 512);

  // Nothing more to hand over; a loaded texture and a missing file preload nothing.
  device->ClearLog();
  textures->FinishPreload();
  std::thread([&] { textures->Preload("pic"); }).join();
  textures->FinishPreload();
  std::thread([&] { textures->Preload("missing"); }).join();
  textures->FinishPreload();
  std::thread([&] { textures->Preload(""); }).join();
  textures->FinishPreload();
  EXPECT_EQ(device->Count(Op::CreateTexture), 0);
  EXPECT_EQ(textures->Count(), 1u);
}

TEST_F(TextureManagerTest, APreloadIntoAnExistingRecordTakesTheNewSizes) {
  Write("pic.png", EncodePng(Solid(300, 200, 0, 0, 255), 3));
  Mount();
  // Loaded with mipmaps (padded to 512 × 256), evicted, then preloaded without padding.
  Texture* pic = textures->Get("pic", true);
  ASSERT_NE(pic, nullptr);
  textures->Evict(pic);
  std::thread([&] { textures->Preload("pic"); }).join();
  textures->FinishPreload();
  EXPECT_EQ(textures->Find("pic", false), pic);
  EXPECT_FALSE(pic->Has(kTextureEvicted));
  EXPECT_TRUE(pic->Has(kTextureMipmaps));
  EXPECT_EQ(pic->width, 300);
  EXPECT_EQ(pic->height, 200);
  EXPECT_EQ(Uploaded(*pic).levels.at(0).size(), size_t(300) * 200 * 4);
}

TEST_F(TextureManagerTest, NamesHoldUpTo87Characters) {
  const std::string longest(87, 'n');
  const std::string tooLong(88, 'n');
  Write(longest + ".png", EncodePng(Solid(4, 4, 1, 2, 3), 3));
  Write(tooLong + ".png", EncodePng(Solid(4, 4, 1, 2, 3), 3));
  Mount();
  Texture* texture = textures->Get(longest);
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(texture->name, longest);
  textures->Evict(texture);
  renderer->BindTexture(texture, 0);
  EXPECT_NE(texture->deviceTexture, 0u);

  EXPECT_EQ(textures->Get(tooLong), nullptr);
  EXPECT_EQ(textures->CreateFromPixels(tooLong, 1, 1, PixelFormat::BGRA8, 0, nullptr), nullptr);
  std::thread([&] { textures->Preload(tooLong); }).join();
  textures->FinishPreload();
  EXPECT_EQ(textures->Count(), 1u);
}

}  // namespace
