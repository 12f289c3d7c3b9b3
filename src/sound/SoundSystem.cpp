#include "sound/SoundSystem.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <type_traits>
#include <utility>

#include <AL/al.h>
#include <AL/alc.h>
#include "base/ContentLog.h"
#include "base/System.h"
#include "data/FileSystem.h"
#include "sound/MusicStream.h"
#include "sound/OggDecoder.h"

namespace {

SoundOptions VolumesOnly(int musicVolume, int effectsVolume) {
  SoundOptions options;
  options.musicVolume = musicVolume;
  options.effectsVolume = effectsVolume;
  return options;
}

float UnitVolume(float v) { return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f; }

float PercentVolume(int percent) { return UnitVolume(float(percent) / 100.0f); }

ALenum FormatFor(int channels) { return channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16; }

ALint SourceState(ALuint source) {
  ALint state = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

}  // namespace

// The OpenAL device and its context, current on the main thread.
struct SoundSystem::AudioOutput {
  ALCdevice* device;
  ALCcontext* context;
};

static_assert(std::is_same_v<SoundSystem::Handle, ALuint>, "effect handles are OpenAL sources");

SoundSystem::SoundSystem(FileSystem& files, int musicVolume, int effectsVolume)
    : SoundSystem(files, VolumesOnly(musicVolume, effectsVolume)) {}

SoundSystem::SoundSystem(FileSystem& files, SoundOptions options)
    : files_(files),
      clock_(std::move(options.clock)),
      notify_(std::move(options.notify)),
      music_(std::make_unique<MusicStream>()) {
  if (!clock_) clock_ = [] { return base::TicksMs(); };
  if (!notify_) {
    notify_ = [](const char* caption, const std::string& text) {
      std::fprintf(stderr, "%s: %s", caption, text.c_str());
    };
  }
  OpenDevice(options.deviceName);
  effectsVolume_ = PercentVolume(options.effectsVolume);
  musicVolume_ = PercentVolume(options.musicVolume);
  if (output_ && options.startStreamer) streamer_ = std::thread(&SoundSystem::StreamerLoop, this);
}

void SoundSystem::OpenDevice(const std::string& deviceName) {
  std::string chosen = deviceName;
  if (chosen.empty() && alcIsExtensionPresent(nullptr, "ALC_ENUMERATION_EXT") == ALC_TRUE) {
    // The list is a run of NUL-terminated names ended by an empty one. A software mixer is
    // preferred: it behaves the same everywhere.
    const ALCchar* names = alcGetString(nullptr, ALC_DEVICE_SPECIFIER);
    for (const ALCchar* name = names; name && *name; name += std::strlen(name) + 1) {
      if (std::strstr(name, "Software")) {
        chosen = name;
        break;
      }
    }
  }
  ALCdevice* device = alcOpenDevice(chosen.empty() ? nullptr : chosen.c_str());
  ALCcontext* context = device ? alcCreateContext(device, nullptr) : nullptr;
  if (context && alcMakeContextCurrent(context) == ALC_TRUE) {
    output_ = std::make_unique<AudioOutput>(AudioOutput{device, context});
    return;
  }
  if (context) alcDestroyContext(context);
  if (device) alcCloseDevice(device);
  notify_(kNoDeviceCaption, kNoDeviceText);
}

SoundSystem::~SoundSystem() {
  quit_.store(true);
  // The streamer notices the flag within one sleep slice; joining (rather than waiting a
  // while and going on) guarantees it no longer touches what is released below.
  if (streamer_.joinable()) streamer_.join();
  if (!output_) return;
  {
    std::lock_guard lock(musicLock_);
    music_->Close();
  }
  for (Handle source : voices_) {
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    alDeleteSources(1, &source);
  }
  voices_.clear();
  for (auto& [name, buffer] : buffers_) alDeleteBuffers(1, &buffer);
  buffers_.clear();
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(output_->context);
  alcCloseDevice(output_->device);
}

// --- Effects ---

SoundSystem::Handle SoundSystem::PlaySound(std::string_view name, bool loop) {
  if (!output_) return kNoSound;
  ALuint buffer = 0;
  {
    std::lock_guard lock(effectsLock_);
    auto it = buffers_.find(std::string(name));
    if (it == buffers_.end()) {
      content_log::Missing(content_log::Kind::Sound, name);
      return kNoSound;
    }
    buffer = it->second;
  }
  ALuint source = 0;
  alGenSources(1, &source);
  if (source == 0) return kNoSound;  // out of sources
  alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
  alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
  alSourcei(source, AL_BUFFER, ALint(buffer));
  alSourcei(source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
  alSourcef(source, AL_GAIN, effectsVolume_ * effectsVolume_);
  alSourcePlay(source);
  voices_.push_back(source);
  return source;
}

bool SoundSystem::IsVoice(Handle source) const {
  return source != kNoSound && std::find(voices_.begin(), voices_.end(), source) != voices_.end();
}

void SoundSystem::StopSound(Handle source) {
  if (IsVoice(source)) alSourceStop(source);
}

void SoundSystem::PauseSound(Handle source) {
  if (IsVoice(source)) alSourcePause(source);
}

void SoundSystem::ResumeSound(Handle source) {
  if (IsVoice(source)) alSourcePlay(source);
}

void SoundSystem::DecodeSound(std::string_view file) {
  if (!output_) return;
  const std::string name(file.substr(0, file.find(".ogg")));
  {
    std::lock_guard lock(effectsLock_);
    if (buffers_.count(name)) return;
  }
  DecodedSound sound;
  OggDecoder decoder;
  const bool ok = decoder.Open(files_, file) && decoder.DecodeAll(sound.pcm, kMaxDecodedBytes);
  if (ok) {
    sound.name = name;
    sound.rate = decoder.Rate();
    sound.channels = decoder.Channels();
  }
  decoder.Close();
  if (!ok) content_log::Unreadable(content_log::Kind::Sound, file, "does not decode");
  std::lock_guard lock(effectsLock_);
  // A failed decode leaves the slot empty: the sound is simply missing.
  decoded_ = ok ? std::move(sound) : DecodedSound{};
}

void SoundSystem::FinishDecoded() {
  if (!output_) return;
  DecodedSound sound;
  {
    std::lock_guard lock(effectsLock_);
    sound = std::exchange(decoded_, DecodedSound{});
    if (sound.Empty() || sound.pcm.empty() || buffers_.count(sound.name)) return;
  }
  ALuint buffer = 0;
  alGenBuffers(1, &buffer);
  if (buffer == 0) return;
  alBufferData(buffer, FormatFor(sound.channels), sound.pcm.data(), ALsizei(sound.ByteSize()),
               sound.rate);
  // The error state is shared with the streaming thread, so the upload is checked by its
  // result rather than by alGetError.
  ALint size = 0;
  alGetBufferi(buffer, AL_SIZE, &size);
  if (size <= 0 || size_t(size) != sound.ByteSize()) {
    alDeleteBuffers(1, &buffer);
    return;
  }
  std::lock_guard lock(effectsLock_);
  buffers_.emplace(std::move(sound.name), buffer);
}

void SoundSystem::LoadSound(std::string_view file) {
  DecodeSound(file);
  FinishDecoded();
}

void SoundSystem::UnloadSound(std::string_view name) {
  if (!output_) return;
  ALuint buffer = 0;
  {
    std::lock_guard lock(effectsLock_);
    auto it = buffers_.find(std::string(name));
    if (it == buffers_.end()) return;
    buffer = it->second;
    buffers_.erase(it);
  }
  for (Handle source : voices_) {
    ALint attached = 0;
    alGetSourcei(source, AL_BUFFER, &attached);
    if (ALuint(attached) != buffer) continue;
    // A playing source refuses to let go of its buffer; stopped, it must.
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
  }
  alDeleteBuffers(1, &buffer);
}

bool SoundSystem::IsLoaded(std::string_view name) const {
  std::lock_guard lock(effectsLock_);
  return buffers_.count(std::string(name)) != 0;
}

void SoundSystem::ListEffectFiles(std::vector<std::string>& list) const {
  list.clear();
  if (!output_) return;
  for (const FileInfo& info : files_.List("sounds/", ".ogg")) {
    // Voice lines are loaded when they are needed, not precached.
    if (info.path.find("/vo/") == std::string::npos) list.push_back(info.key);
  }
}

// --- Music ---

void SoundSystem::PlayMusic(std::string_view name) {
  if (!output_) return;
  std::lock_guard lock(musicLock_);
  PlayMusicLocked(std::string(name));
}

void SoundSystem::PlayMusicLocked(const std::string& name) {
  if (name != music_->Name()) {
    // Already on its way: the current track is fading out towards it.
    if (name == pendingMusic_ && music_->GetState() == MusicStream::kPlaying) return;
    if (!files_.Find(name + ".ogg")) {  // the current music goes on
      content_log::Missing(content_log::Kind::Music, name);
      return;
    }
    if (music_->GetState() == MusicStream::kPlaying && fadeRate_.load() == 0) {
      // The change happens when the fade-out ends (StreamStep).
      pendingMusic_ = name;
      fadeRate_.store(-1);
      fadeTime_ = Now();
      return;
    }
    // A fade is running (or nothing plays): the new track replaces the current one at once.
    const bool hadTrack = !music_->Name().empty();
    pendingMusic_.clear();
    if (!active_.load()) {
      musicFade_ = 0.0f;  // silent until the window is active again
      fadeRate_.store(0);
    } else if (hadTrack) {
      musicFade_ = 0.0f;
      fadeRate_.store(1);
      fadeTime_ = Now();
    } else {
      musicFade_ = 1.0f;  // the very first track starts at full level
      fadeRate_.store(0);
    }
    music_->Close();
    if (!music_->Open(files_, name, MusicGainLocked())) {
      content_log::Unreadable(content_log::Kind::Music, name, "does not play");
      return;
    }
  } else if (!pendingMusic_.empty()) {
    // The current track is asked for while it fades out towards another one: it stays.
    pendingMusic_.clear();
    if (active_.load()) {
      fadeRate_.store(1);
      fadeTime_ = Now();
    }
  }
  if (music_->GetState() == MusicStream::kOpened) music_->Start();
}

void SoundSystem::SetMusicVolume(float volume) {
  volume = UnitVolume(volume);
  std::lock_guard lock(musicLock_);
  const bool wasSilent = musicVolume_ <= 0.0f;
  musicVolume_ = volume;
  // Coming back from silence fades in, unless a change or an inactive window holds it back.
  if (wasSilent && volume > 0.0f && pendingMusic_.empty() && active_.load()) {
    fadeRate_.store(1);
    fadeTime_ = Now();
  }
  music_->SetGain(MusicGainLocked());
}

float SoundSystem::MusicVolume() const {
  std::lock_guard lock(musicLock_);
  return musicVolume_;
}

void SoundSystem::SetEffectsVolume(float volume) {
  effectsVolume_ = UnitVolume(volume);
  for (Handle source : voices_) alSourcef(source, AL_GAIN, effectsVolume_ * effectsVolume_);
}

// --- Frame and activation ---

void SoundSystem::Update() {
  if (!output_) return;
  auto finished = [](Handle source) {
    if (!alIsSource(source)) return true;
    const ALint state = SourceState(source);
    if (state == AL_PLAYING || state == AL_PAUSED) return false;
    alSourcei(source, AL_BUFFER, 0);
    alDeleteSources(1, &source);
    return true;
  };
  voices_.erase(std::remove_if(voices_.begin(), voices_.end(), finished), voices_.end());
  std::erase_if(pausedVoices_, [this](Handle source) { return !IsVoice(source); });
}

void SoundSystem::Pause() {
  if (!output_) return;
  // Suspending the context here would only hold back property changes, which would freeze
  // the music fade-out; the effects are paused one by one instead.
  if (active_.exchange(false)) {
    for (Handle source : voices_) {
      if (SourceState(source) == AL_PLAYING) {
        alSourcePause(source);
        pausedVoices_.push_back(source);
      }
    }
  }
  std::lock_guard lock(musicLock_);
  fadeTime_ = Now();
  fadeRate_.store(-1);
}

void SoundSystem::Resume() {
  if (!output_) return;
  alcMakeContextCurrent(output_->context);
  active_.store(true);
  for (Handle source : pausedVoices_) {
    if (IsVoice(source) && SourceState(source) == AL_PAUSED) alSourcePlay(source);
  }
  pausedVoices_.clear();
  std::lock_guard lock(musicLock_);
  // A fade-out towards a requested track goes on; the new track fades in afterwards.
  if (!pendingMusic_.empty() && fadeRate_.load() < 0) return;
  fadeTime_ = Now();
  fadeRate_.store(1);
}

// --- Streaming ---

void SoundSystem::StreamStep() {
  if (!output_) return;
  std::unique_lock lock(musicLock_, std::try_to_lock);
  if (!lock.owns_lock()) return;  // the main thread is changing the music: skip this step

  const int rate = fadeRate_.load();
  if (music_->GetState() != MusicStream::kPlaying) {
    // Nothing to fade: settle at once, so the streamer does not keep waking up for it.
    if (rate != 0) musicFade_ = rate > 0 ? 1.0f : 0.0f;
    fadeRate_.store(0);
    return;
  }

  const uint32_t now = Now();
  if (rate != 0) {
    const uint32_t elapsed = now - fadeTime_;
    if (elapsed > 0) {
      fadeTime_ = now;
      musicFade_ += float(rate) * kFadePerMs * float(elapsed);
      if (musicFade_ >= 1.0f) {
        musicFade_ = 1.0f;
        fadeRate_.store(0);
      } else if (musicFade_ <= 0.0f) {
        musicFade_ = 0.0f;
        fadeRate_.store(0);
      }
      music_->SetGain(MusicGainLocked());
    }
  }

  if (musicVolume_ <= 0.0f || musicFade_ <= 0.0f) {
    // Silent: nothing is refilled. A requested track starts now, still under the lock.
    if (!pendingMusic_.empty()) {
      const std::string next = std::exchange(pendingMusic_, std::string());
      music_->Stop();
      PlayMusicLocked(next);
      if (active_.load()) {
        fadeTime_ = now;
        fadeRate_.store(1);
      } else {
        fadeRate_.store(0);
      }
    }
    return;
  }

  if (!music_->Refill()) {
    // The track is damaged and what could be decoded has played: the music stops (or a
    // requested track takes over).
    const std::string next = std::exchange(pendingMusic_, std::string());
    music_->Close();
    if (!next.empty()) PlayMusicLocked(next);
    return;
  }
  music_->KeepPlaying();
}

void SoundSystem::StreamerLoop() {
  constexpr uint32_t kSliceMs = 10;
  while (!quit_.load()) {
    if (fadeRate_.load() != 0 || active_.load()) StreamStep();
    // Sleep in short slices so that shutdown, and a fade that starts meanwhile, are noticed
    // at once rather than after the long period.
    const uint32_t period = fadeRate_.load() != 0 ? kFadePeriodMs : kStreamPeriodMs;
    for (uint32_t slept = 0; slept < period && !quit_.load(); slept += kSliceMs) {
      if (slept > 0 && fadeRate_.load() != 0) break;
      base::SleepMs(kSliceMs);
    }
  }
  streamerDone_.store(true);
}

SoundSystem::MusicStatus SoundSystem::Music() const {
  MusicStatus status;
  std::lock_guard lock(musicLock_);
  status.state = int(music_->GetState());
  status.current = music_->Name();
  status.pending = pendingMusic_;
  status.fade = musicFade_;
  status.fadeRate = fadeRate_.load();
  status.source = music_->Source();
  if (output_ && status.source != 0) {
    alGetSourcef(status.source, AL_GAIN, &status.gain);
    status.sourcePlaying = SourceState(status.source) == AL_PLAYING;
  }
  return status;
}
