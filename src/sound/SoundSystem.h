#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include "sound/DecodedSound.h"
#include "sound/SoundOptions.h"

class FileSystem;
class MusicStream;

// Sound effects from fully decoded buffers and one music track at a time, streamed by a
// background thread with half-second fades when the track changes or the window loses or
// regains activation. Without an audio device every operation does nothing.
//
// Threads: the owner's (main) thread calls everything; the streaming thread only runs
// StreamStep; a precache worker may call DecodeSound while the main thread does not touch
// effects. All music state is guarded by one lock that the main thread waits for and the
// streaming thread never waits for (it skips a step when the lock is taken).
class SoundSystem {
 public:
  // An effect's source; kNoSound when nothing plays.
  using Handle = uint32_t;
  static constexpr Handle kNoSound = 0;

  static constexpr const char* kNoDeviceCaption = "Game";
  static constexpr const char* kNoDeviceText =
      "No sound device has been detected.\nThe game will continue without audio.\n";
  // Effects and voice lines are short; anything decoding to more is refused.
  static constexpr uint64_t kMaxDecodedBytes = 64ull << 20;
  static constexpr uint32_t kStreamPeriodMs = 400;
  static constexpr uint32_t kFadePeriodMs = 10;
  static constexpr float kFadePerMs = 0.002f;  // a whole fade takes 500 ms

  // Opens the audio device and starts the streaming thread; volumes are the player's, 0..100.
  SoundSystem(FileSystem& files, int musicVolume, int effectsVolume);
  SoundSystem(FileSystem& files, SoundOptions options);
  // Stops and joins the streaming thread, then releases every source, buffer and the device.
  ~SoundSystem();
  SoundSystem(const SoundSystem&) = delete;
  SoundSystem& operator=(const SoundSystem&) = delete;

  bool HasAudio() const { return output_ != nullptr; }

  // --- Effects (main thread) ---

  // Plays the sound stored under name (no extension) relative to the listener, at gain
  // effectsVolume squared. kNoSound when no such sound is loaded.
  Handle PlaySound(std::string_view name, bool loop = false);
  // Stop, pause or (re)start an effect; ignored for anything that is not a live effect.
  void StopSound(Handle source);
  void PauseSound(Handle source);
  void ResumeSound(Handle source);

  // Decodes one ".ogg" file into the single pending slot (the sound's name is the file name
  // cut at ".ogg"). Safe on the precache worker; each call must be followed by
  // FinishDecoded before the next one.
  void DecodeSound(std::string_view file);
  // Turns the pending sound into a buffer stored under its name, and frees the PCM.
  void FinishDecoded();
  // DecodeSound then FinishDecoded.
  void LoadSound(std::string_view file);
  // Stops every effect that uses the sound, detaches it and deletes the buffer.
  void UnloadSound(std::string_view name);
  bool IsLoaded(std::string_view name) const;
  // The keys of the ".ogg" files below "sounds/" folders, voice lines ("/vo/") excluded.
  void ListEffectFiles(std::vector<std::string>& list) const;

  // --- Music (main thread) ---

  // Changes the music to name (no extension): the current track fades out over half a
  // second and the new one fades in. The track playing now, or a missing file, changes
  // nothing.
  void PlayMusic(std::string_view name);

  void SetMusicVolume(float volume);
  float MusicVolume() const;
  void SetEffectsVolume(float volume);
  float EffectsVolume() const { return effectsVolume_; }

  // --- Frame and activation (main thread) ---

  // Reclaims the sources of effects that have finished.
  void Update();
  // The window lost activation: effects pause and the music fades out.
  void Pause();
  // The window is active again: paused effects go on and the music fades in.
  void Resume();

  // One step of the music streamer: advances a fade, switches to a pending track once the
  // music is silent, and refills the stream buffers. Does nothing when the lock is taken.
  void StreamStep();

  // --- Observers (tests, diagnostics) ---

  struct MusicStatus {
    int state = 0;  // 0 none, 1 opened, 2 playing
    std::string current;
    std::string pending;
    float fade = 1.0f;
    int fadeRate = 0;
    float gain = 0.0f;  // the music source's gain as OpenAL reports it
    Handle source = 0;
    bool sourcePlaying = false;
  };
  MusicStatus Music() const;
  size_t VoiceCount() const { return voices_.size(); }
  bool StreamerRunning() const { return streamer_.joinable() && !streamerDone_.load(); }

 private:
  void OpenDevice(const std::string& deviceName);
  void StreamerLoop();
  uint32_t Now() const { return clock_(); }
  // The music change itself; the caller holds musicLock_.
  void PlayMusicLocked(const std::string& name);
  float MusicGainLocked() const { return musicVolume_ * musicFade_; }
  bool IsVoice(Handle source) const;
  void ReleaseVoice(Handle source);

  FileSystem& files_;
  std::function<uint32_t()> clock_;
  std::function<void(const char*, const std::string&)> notify_;
  struct AudioOutput;
  std::unique_ptr<AudioOutput> output_;  // none without an audio device

  // Effects. buffers_ and decoded_ are also reached by the precache worker.
  mutable std::mutex effectsLock_;
  std::unordered_map<std::string, uint32_t> buffers_;  // OpenAL buffer names
  DecodedSound decoded_;
  std::vector<Handle> voices_;
  std::vector<Handle> pausedVoices_;  // effects Pause stopped, for Resume
  float effectsVolume_ = 1.0f;

  // Music; everything here is guarded by musicLock_.
  mutable std::mutex musicLock_;
  std::unique_ptr<MusicStream> music_;
  std::string pendingMusic_;
  float musicVolume_ = 1.0f;
  float musicFade_ = 1.0f;
  uint32_t fadeTime_ = 0;
  // Written under musicLock_; atomic so the streaming thread can choose its period without it.
  std::atomic<int> fadeRate_{0};

  std::atomic<bool> active_{true};
  std::atomic<bool> quit_{false};
  std::atomic<bool> streamerDone_{false};
  std::thread streamer_;
};
