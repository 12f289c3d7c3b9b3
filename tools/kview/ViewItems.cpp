#include "ViewItems.h"

#include "EffectItem.h"
#include "LayoutItem.h"
#include "LevelItem.h"
#include "TextItem.h"

#include "graphics/Renderer.h"
#include "graphics/SpriteManager.h"
#include "graphics/TextureManager.h"
#include "particles/ParticleManager.h"

namespace {

// A picture of a texture, at its image size; wide backgrounds as the game draws them.
class TextureItem final : public ViewItem {
 public:
  TextureItem(Renderer& renderer, Texture& texture) : renderer_(renderer), texture_(texture) {}

  float Width() const override { return float(texture_.imageWidth); }
  float Height() const override { return float(texture_.imageHeight); }
  bool CoversScreen() const override { return texture_.Has(kTexturePackedWide); }

  void Draw(float x, float y, float scale) override {
    renderer_.BindTexture(&texture_);
    if (CoversScreen()) {
      renderer_.DrawWideBackground(kWhite, false);
      return;
    }
    const float w = Width() * scale * 0.5f;
    const float h = Height() * scale * 0.5f;
    const TexRect rect{0, 0, Width() / float(texture_.width), Height() / float(texture_.height)};
    renderer_.AddQuad({x - w, y + h, x + w, y - h}, rect);
  }

 private:
  Renderer& renderer_;
  Texture& texture_;
};

class SpriteItem final : public ViewItem {
 public:
  SpriteItem(Renderer& renderer, const Sprite& sprite) : renderer_(renderer), sprite_(sprite) {}

  float Width() const override { return sprite_.width; }
  float Height() const override { return sprite_.height; }

  void Draw(float x, float y, float scale) override {
    renderer_.BindTexture(sprite_.texture);
    const float w = Width() * scale * 0.5f;
    const float h = Height() * scale * 0.5f;
    renderer_.AddQuad({x - w, y + h, x + w, y - h}, sprite_.rect);
  }

 private:
  Renderer& renderer_;
  const Sprite& sprite_;
};

std::unique_ptr<ViewItem> MakeTexture(ViewServices& services, std::string_view name,
                                      std::string& error) {
  Texture* texture = services.textures.Get(name, false);
  if (!texture || texture->width <= 0 || texture->height <= 0) {
    error = "no texture " + std::string(name);
    return nullptr;
  }
  return std::make_unique<TextureItem>(services.renderer, *texture);
}

std::unique_ptr<ViewItem> MakeSprite(ViewServices& services, std::string_view name,
                                     std::string& error) {
  const Sprite* sprite = services.sprites.Get(name);
  if (!sprite) {
    error = "no sprite " + std::string(name);
    return nullptr;
  }
  return std::make_unique<SpriteItem>(services.renderer, *sprite);
}

constexpr ViewItemKind kKinds[] = {
    {"texture", "texture:NAME   a texture by name (wide backgrounds fill the screen)", MakeTexture},
    {"sprite", "sprite:NAME    an atlas sprite, or a whole texture as a sprite", MakeSprite},
    {"text", "text:FONT:TEXT a line of text in a game font (FONT: index or name, @SIZE)",
     MakeTextItem},
    {"effect", "effect:NAME    a particle effect running (one-shot effects repeat)",
     MakeEffectItem},
    {"level", "level:EP:LEVEL  a level file begun and running; --click FRAME:X,Y sends workers",
     MakeLevelItem},
    {"layout", "layout:NAME    a layout's controls as a screen shows them (--pointer X,Y hovers)",
     MakeLayoutItem},
    {"dialog", "dialog:NAME    a dialog layout shown over the screen, its frame layout included",
     MakeDialogItem},
    {"msgbox", "msgbox:KEY     a message box with a string's text (msgbox:KEY:yesno: yes and no)",
     MakeMessageBoxItem},
    {"briefing", "briefing:EP:LEVEL  a level's briefing, filled as the level start fills it",
     MakeBriefingItem},
    {"mode",
     "mode:NAME      a whole screen of the game (map, menu, puzzle:P, ...), shown alone; "
     "mode:ratings:EP:LEVEL the record tables at a level (0:0 the overall table); "
     "mode:comic:N plays comic N (--at MS: from that moment); "
     "mode:editor:EP:LEVEL the level editor on a shipped level",
     nullptr},
    {"result",
     "result:EP:LEVEL  a level's result sequence (--difficulty --medal --parts "
     "--trophies --lost)",
     nullptr},
    {"speech",
     "speech:EP:LEVEL:ID  a level with its HUD and the speech line of object ID "
     "(or level)",
     nullptr},
};

}  // namespace

std::span<const ViewItemKind> ViewItemKinds() { return kKinds; }

std::unique_ptr<ViewItem> MakeViewItem(ViewServices& services, std::string_view word,
                                       std::string& error) {
  const size_t colon = word.find(':');
  if (colon == std::string_view::npos) {
    error = "not an item: " + std::string(word);
    return nullptr;
  }
  const std::string_view kind = word.substr(0, colon);
  for (const ViewItemKind& row : kKinds) {
    if (row.kind != kind) continue;
    if (!row.make) {
      error = std::string(word) + " is a whole screen: it is shown alone";
      return nullptr;
    }
    return row.make(services, word.substr(colon + 1), error);
  }
  error = "unknown item kind: " + std::string(kind);
  return nullptr;
}

ParticleManager& ViewServices::Particles() {
  if (!particles) {
    particles = std::make_unique<ParticleManager>(files, renderer, textures);
    particles->LoadEffects();
  }
  return *particles;
}
