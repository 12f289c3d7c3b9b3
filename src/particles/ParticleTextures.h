#pragma once
// Where the particle back end gets its textures from. The game hands it the TextureManager
// (TextureManagerParticleTextures); tests hand it a fake.
#include <cstdint>
#include <string_view>

struct Texture;
class TextureManager;

class ParticleTextureProvider {
 public:
  virtual ~ParticleTextureProvider() = default;
  // A texture of that name made from width × height R, G, B, A pixels; none on failure.
  virtual Texture* CreateTexture(std::string_view name, int width, int height,
                                 const uint8_t* rgba) = 0;
  virtual void ReleaseTexture(Texture* texture) = 0;
};

// Textures made by the TextureManager: format 0 (R, G, B, A), flag "has alpha".
class TextureManagerParticleTextures final : public ParticleTextureProvider {
 public:
  explicit TextureManagerParticleTextures(TextureManager& textures) : textures_(textures) {}
  Texture* CreateTexture(std::string_view name, int width, int height,
                         const uint8_t* rgba) override;
  void ReleaseTexture(Texture* texture) override;

 private:
  TextureManager& textures_;
};
