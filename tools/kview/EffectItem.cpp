#include "EffectItem.h"

#include <cstdio>

#include "graphics/Renderer.h"
#include "graphics/TextureManager.h"
#include "particles/ParticleManager.h"

namespace {

// Every effect item loads the effects with a manager of its own; the texture names it makes
// get the item's number appended, so that two items never share a texture record.
class ItemTextures final : public ParticleTextureProvider {
 public:
  ItemTextures(TextureManager& textures, int item) : textures_(textures), item_(item) {}
  Texture* CreateTexture(std::string_view name, int width, int height,
                         const uint8_t* rgba) override {
    const std::string own = std::string(name) + "@" + std::to_string(item_);
    return textures_.CreateFromPixels(own, width, height, PixelFormat::RGBA8, kTextureAlpha, rgba);
  }
  void ReleaseTexture(Texture* texture) override {
    if (texture) textures_.Delete(texture);
  }

 private:
  TextureManager& textures_;
  int item_;
};

class EffectItem final : public ViewItem {
 public:
  EffectItem(ViewServices& services, std::string name, int item)
      : renderer_(services.renderer),
        textures_(services.textures, item),
        manager_(services.files, services.renderer, textures_),
        name_(std::move(name)) {
    manager_.LoadEffects();
    effect_ = manager_.CreateEffect(name_);
  }
  ~EffectItem() override {
    effect_.reset();
    manager_.Shutdown();
  }

  bool Loaded() const { return effect_ != nullptr; }
  std::string Problem() const {
    for (const auto& e : manager_.LoadErrors())
      if (e.file.find(name_ + ".pyro") != std::string::npos) return e.file + ": " + e.message;
    return "no effect " + name_;
  }

  float Width() const override { return 400.0f; }
  float Height() const override { return 400.0f; }
  void Update(float frameMs) override { pendingMs_ += frameMs; }
  void Draw(float x, float y, float /*scale*/) override {
    if (!effect_) return;
    effect_->SetPosition(-x, -y);
    effect_->Advance(pendingMs_);
    pendingMs_ = 0.0f;
    effect_->Draw();
    renderer_.SetBlendMode(BlendMode::Alpha);
    if (!effect_->IsAlive()) effect_ = manager_.CreateEffect(name_);  // once more
  }

 private:
  Renderer& renderer_;
  ItemTextures textures_;
  ParticleManager manager_;
  std::string name_;
  std::unique_ptr<ParticleEffect> effect_;
  float pendingMs_ = 0.0f;
};

}  // namespace

std::unique_ptr<ViewItem> MakeEffectItem(ViewServices& services, std::string_view name,
                                         std::string& error) {
  auto item =
      std::make_unique<EffectItem>(services, std::string(name), int(services.textures.Count()));
  if (!item->Loaded()) {
    error = item->Problem();
    return nullptr;
  }
  return item;
}
