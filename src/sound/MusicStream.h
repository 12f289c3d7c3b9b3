#pragma once
#include <AL/al.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sound/OggDecoder.h"

class FileSystem;

// One music track streamed from Ogg Vorbis through three rotating OpenAL buffers on one
// source. The track loops: when the decoder reaches the end, it goes back to the start and
// the buffer being filled goes on with the first samples, so the loop has no gap.
//
// Not thread-safe: the SoundSystem calls it only while it holds its music lock.
class MusicStream {
 public:
  enum State { kNone = 0, kOpened = 1, kPlaying = 2 };
  static constexpr int kBufferCount = 3;
  // Half a second of 44.1 kHz 16-bit stereo audio.
  static constexpr size_t kBufferBytes = 88200;

  MusicStream() = default;
  ~MusicStream();
  MusicStream(const MusicStream&) = delete;
  MusicStream& operator=(const MusicStream&) = delete;

  // Opens name + ".ogg", fills and queues the buffers on a new source with the given gain:
  // state opened. False, and closed, when the file is missing, not playable, or yields no
  // audio at all.
  bool Open(FileSystem& files, const std::string& name, float gain);
  // Stops and deletes the source and the buffers and closes the decoder: state none.
  void Close();

  // Starts an opened track: state playing. A track that was stopped starts from its
  // beginning.
  void Start();
  // Stops the source; the next Start plays the track from its beginning: state opened.
  void Stop();

  void SetGain(float gain);

  // Unqueues every buffer the source has finished with and queues it again with the next
  // part of the track. False once the track cannot be decoded any further and everything
  // decoded before has played: the owner then closes it.
  bool Refill();
  // Starts the source again when it ran dry while playing.
  void KeepPlaying();

  State GetState() const { return state_; }
  const std::string& Name() const { return name_; }
  ALuint Source() const { return source_; }
  // True once the decoder has failed; what was decoded before still plays.
  bool Failed() const { return failed_; }

 private:
  // Decodes up to one buffer's worth into decodeBuffer_, going back to the start of the
  // track at its end. Returns the bytes decoded; sets failed_ on an error, on a stream that
  // yields nothing, or when the decoder cannot go back.
  size_t Fill();
  // Fills and queues every buffer of the (stopped, empty) source from the current position.
  int QueueFreshBuffers();

  OggDecoder decoder_;
  std::vector<uint8_t> decodeBuffer_;
  std::array<ALuint, kBufferCount> buffers_{};
  ALuint source_ = 0;
  ALenum format_ = 0;
  int rate_ = 0;
  State state_ = kNone;
  std::string name_;
  bool failed_ = false;
  bool rewindOnStart_ = false;
  uint64_t sinceRewind_ = 0;  // bytes decoded since the track last started from the top
};
