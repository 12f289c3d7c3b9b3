#include "sound/MusicStream.h"

#include "data/FileSystem.h"

namespace {

// Consecutive "hole" reports tolerated before a damaged stream is given up.
constexpr int kMaxHoles = 32;

}  // namespace

MusicStream::~MusicStream() { Close(); }

bool MusicStream::Open(FileSystem& files, const std::string& name, float gain) {
  Close();
  if (!decoder_.Open(files, name + ".ogg")) return false;
  format_ = decoder_.Channels() == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
  rate_ = decoder_.Rate();
  decodeBuffer_.resize(kBufferBytes);

  alGenBuffers(kBufferCount, buffers_.data());
  alGenSources(1, &source_);
  if (source_ == 0 || buffers_[kBufferCount - 1] == 0) {
    Close();
    return false;
  }
  alSource3f(source_, AL_POSITION, 0.0f, 0.0f, 0.0f);
  alSource3f(source_, AL_VELOCITY, 0.0f, 0.0f, 0.0f);
  alSource3f(source_, AL_DIRECTION, 0.0f, 0.0f, 0.0f);
  alSourcef(source_, AL_ROLLOFF_FACTOR, 0.0f);
  alSourcei(source_, AL_SOURCE_RELATIVE, AL_TRUE);
  alSourcef(source_, AL_GAIN, gain);
  if (QueueFreshBuffers() == 0) {
    Close();
    return false;
  }
  name_ = name;
  state_ = kOpened;
  return true;
}

void MusicStream::Close() {
  if (source_ != 0) {
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    alDeleteSources(1, &source_);
    source_ = 0;
  }
  if (buffers_[0] != 0) alDeleteBuffers(kBufferCount, buffers_.data());
  buffers_.fill(0);
  decodeBuffer_.clear();
  decodeBuffer_.shrink_to_fit();
  decoder_.Close();
  state_ = kNone;
  name_.clear();
  failed_ = false;
  rewindOnStart_ = false;
  sinceRewind_ = 0;
}

void MusicStream::Start() {
  if (state_ != kOpened) return;
  if (rewindOnStart_) {
    rewindOnStart_ = false;
    alSourcei(source_, AL_BUFFER, 0);  // a stopped source lets go of its whole queue
    if (!decoder_.Rewind()) failed_ = true;
    sinceRewind_ = 0;
    QueueFreshBuffers();
  }
  alSourcePlay(source_);
  state_ = kPlaying;
}

void MusicStream::Stop() {
  if (state_ != kPlaying) return;
  alSourceStop(source_);
  rewindOnStart_ = true;
  state_ = kOpened;
}

void MusicStream::SetGain(float gain) {
  if (source_ != 0) alSourcef(source_, AL_GAIN, gain);
}

int MusicStream::QueueFreshBuffers() {
  int queued = 0;
  for (ALuint buffer : buffers_) {
    if (failed_) break;
    const size_t n = Fill();
    if (n == 0) break;
    alBufferData(buffer, format_, decodeBuffer_.data(), ALsizei(n), rate_);
    alSourceQueueBuffers(source_, 1, &buffer);
    ++queued;
  }
  return queued;
}

size_t MusicStream::Fill() {
  size_t filled = 0;
  int holes = 0;
  while (filled < kBufferBytes && !failed_) {
    const long n = decoder_.Read(decodeBuffer_.data() + filled, kBufferBytes - filled);
    if (n > 0) {
      filled += size_t(n);
      sinceRewind_ += uint64_t(n);
      holes = 0;
    } else if (n == OV_HOLE && ++holes <= kMaxHoles) {
      continue;
    } else if (n == 0 && sinceRewind_ > 0 && decoder_.Rewind()) {
      sinceRewind_ = 0;  // the end of the track: go on with its beginning
    } else {
      // An error, a stream that yields nothing, or one that cannot go back to its start.
      failed_ = true;
    }
  }
  return filled;
}

bool MusicStream::Refill() {
  if (source_ == 0) return false;
  ALint processed = 0;
  alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
  for (; processed > 0; --processed) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(source_, 1, &buffer);
    if (buffer == 0) break;
    if (failed_) continue;  // nothing more to decode: the queue runs out
    const size_t n = Fill();
    if (n == 0) continue;
    alBufferData(buffer, format_, decodeBuffer_.data(), ALsizei(n), rate_);
    alSourceQueueBuffers(source_, 1, &buffer);
  }
  if (!failed_) return true;
  ALint queued = 0;
  alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
  return queued > 0;
}

void MusicStream::KeepPlaying() {
  if (state_ != kPlaying || source_ == 0) return;
  ALint sourceState = AL_STOPPED;
  ALint queued = 0;
  alGetSourcei(source_, AL_SOURCE_STATE, &sourceState);
  alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
  if (sourceState != AL_PLAYING && queued > 0) alSourcePlay(source_);
}
