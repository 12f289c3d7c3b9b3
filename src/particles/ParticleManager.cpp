#include "particles/ParticleManager.h"

#include "base/ContentLog.h"

#include <algorithm>
#include <cmath>

#include "data/FileReader.h"
#include "data/FileSystem.h"
#include "particles/CGraphics.h"

namespace PyroParticles {

// A file-system entry as a stream for the library.
class CFileIO final : public IPyroFileIO {
 public:
  bool Open(FileSystem& fs, std::string_view name) { return reader_.Open(fs, name); }
  size_t Read(void* buffer, size_t size) override { return reader_.Read(buffer, size); }
  size_t Write(const void*, size_t) override { return 0; }
  bool Seek(int64_t offset, int whence) override { return reader_.Seek(offset, whence) == 0; }
  int64_t Tell() const override { return reader_.Tell(); }
  int64_t Size() const override { return reader_.Size(); }

 private:
  FileReader reader_;
};

}  // namespace PyroParticles

using namespace PyroParticles;

// --- ParticleEffect

ParticleEffect::~ParticleEffect() {
  if (owner_) owner_->Forget(this);
}

void ParticleEffect::Detach() {
  emitters_.clear();
  owner_ = nullptr;
}

void ParticleEffect::Advance(float ms) {
  if (!(ms >= 0.0f) || !std::isfinite(ms)) return;  // a broken frame step is no step
  const float dt = ms / 1000.0f;
  elapsed_ += dt;
  for (auto& emitter : emitters_) {
    emitter->Prepare(elapsed_, dt);
    emitter->Move(elapsed_, dt, -x_, y_, 0.0f, emitting_);
  }
}

void ParticleEffect::Draw() {
  for (auto& emitter : emitters_) emitter->Render();
}

void ParticleEffect::Stop() {
  emitting_ = false;
  for (auto& emitter : emitters_) emitter->SetEmitting(false);
}

void ParticleEffect::Start() {
  emitting_ = true;
  for (auto& emitter : emitters_) emitter->SetEmitting(true);
}

bool ParticleEffect::IsAlive() const {
  if (elapsed_ < 1.0f) return true;
  for (const auto& emitter : emitters_)
    if (emitter->IsEmitting() || emitter->HasParticles()) return true;
  return false;
}

void ParticleEffect::SetEmitterFactor(float factor) {
  for (auto& emitter : emitters_) emitter->SetFactor(factor);
}

void ParticleEffect::SetDensity(float density) {
  for (auto& emitter : emitters_) emitter->SetDensity(density);
}

int ParticleEffect::ParticleCount() const {
  int n = 0;
  for (const auto& emitter : emitters_) n += emitter->ParticleCount();
  return n;
}

// --- ParticleManager

ParticleManager::ParticleManager(FileSystem& files, Renderer& renderer, TextureManager& textures)
    : fs_(files),
      renderer_(renderer),
      ownProvider_(std::make_unique<TextureManagerParticleTextures>(textures)),
      textures_(*ownProvider_) {}

ParticleManager::ParticleManager(FileSystem& files, Renderer& renderer,
                                 ParticleTextureProvider& textures)
    : fs_(files), renderer_(renderer), textures_(textures) {}

ParticleManager::~ParticleManager() { Shutdown(); }

void ParticleManager::LoadEffects() {
  Unload(false);
  errors_.clear();
  graphics_ = new CGraphics(renderer_, textures_, textureCounter_);
  try {
    library_ = CreateParticleLibrary(kPyroInterfaceVersion, kPyroVertexColourTexture);
    library_->Init(graphics_, 0);
  } catch (const std::exception& e) {
    errors_.push_back({"", e.what()});
    Unload(false);
    return;
  }

  const std::vector<FileInfo> listing = fs_.List("effects/", ".pyro");
  for (const FileInfo& entry : listing) {
    if (entry.key.size() <= 5) continue;
    const std::string name = entry.key.substr(0, entry.key.size() - 5);
    if (files_.count(name)) continue;  // the first one listed keeps the name
    IPyroFile* file = nullptr;
    try {
      CFileIO io;
      if (!io.Open(fs_, entry.key)) throw Engine::CException("cannot read " + entry.path);
      file = library_->LoadPyroFile(&io);
      file->CreateTextures();
      files_.emplace(name, file);
    } catch (const std::exception& e) {
      delete file;  // releases any texture it made
      errors_.push_back({entry.path, e.what()});
      content_log::BadFile(entry.path, e.what());
    }
  }
}

std::unique_ptr<ParticleEffect> ParticleManager::CreateEffect(std::string_view name) {
  const auto found = files_.find(name);
  if (found == files_.end()) {
    content_log::Missing(content_log::Kind::Effect, name);
    return nullptr;
  }
  IPyroFile& file = *found->second;
  std::unique_ptr<ParticleEffect> effect(new ParticleEffect(this));
  static constexpr float kFlipY[3][4] = {{1, 0, 0, 0}, {0, -1, 0, 0}, {0, 0, 1, 0}};
  try {
    for (int i = 0; i < file.EmitterCount(); ++i) {
      std::unique_ptr<IPyroParticleEmitter> emitter(
          file.CreateEmitter(file.Emitter(i)->Name().c_str()));
      float m[12];
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) m[r * 4 + c] = kFlipY[r][c];
      emitter->SetLocalTransform(m);
      effect->emitters_.push_back(std::move(emitter));
    }
  } catch (const std::exception&) {
    effect->Detach();
    return nullptr;
  }
  if (density_ != 1.0f) effect->SetDensity(density_);
  live_.insert(effect.get());
  return effect;
}

void ParticleManager::SetDensity(float density) {
  if (!std::isfinite(density)) return;
  density_ = std::clamp(density, 0.0f, 1.0f);
  for (ParticleEffect* effect : live_) effect->SetDensity(density_);
}

void ParticleManager::Unload(bool shuttingDown) {
  // Observers let their effects go first; a copy, as an observer may remove itself.
  const std::vector<ParticleManagerObserver*> observers = observers_;
  for (ParticleManagerObserver* observer : observers)
    observer->OnEffectsUnloaded(*this, shuttingDown);
  for (ParticleEffect* effect : live_) effect->Detach();
  live_.clear();
  for (auto& [name, file] : files_) {
    file->DestroyTextures();
    delete file;
  }
  files_.clear();
  if (library_) {
    library_->Done();
    delete library_;
    library_ = nullptr;
  }
  if (graphics_) {
    graphics_->Destroy();
    graphics_ = nullptr;
  }
}

void ParticleManager::Shutdown() { Unload(true); }

void ParticleManager::AddObserver(ParticleManagerObserver* observer) {
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void ParticleManager::RemoveObserver(ParticleManagerObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

std::vector<std::string> ParticleManager::EffectNames() const {
  std::vector<std::string> names;
  for (const auto& [name, file] : files_) names.push_back(name);
  return names;
}
