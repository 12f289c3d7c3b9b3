#pragma once
#include <vorbis/vorbisfile.h>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "data/FileReader.h"

class FileSystem;

// Decodes one Ogg Vorbis file of the FileSystem to 16-bit signed little-endian PCM. The
// decoder reads through a FileReader, so the file's content stays cached while it is open.
//
// Only streams the sound system can play are accepted: one or two channels, a sane sample
// rate, and every chained link in the same format as the first one.
class OggDecoder {
 public:
  static constexpr int kMinRate = 1000;
  static constexpr int kMaxRate = 384000;

  OggDecoder() = default;
  ~OggDecoder();
  OggDecoder(const OggDecoder&) = delete;
  OggDecoder& operator=(const OggDecoder&) = delete;

  // Opens the file and reads its headers. False (and closed) for a missing or empty file, a
  // stream that is not Vorbis, or a format this decoder refuses.
  bool Open(FileSystem& files, std::string_view name);
  void Close();
  bool IsOpen() const { return open_; }

  int Channels() const { return channels_; }
  int Rate() const { return rate_; }
  // Samples per channel of the whole stream as its last granule position claims them; a
  // negative library error code when the length is unknown. Hostile files lie here.
  int64_t TotalSamples();

  // Decodes up to `bytes` bytes (rounded down to whole sample frames) into out. Returns the
  // number of bytes written, 0 at the end of the stream, or a negative library error code. A
  // link whose format differs from the first one counts as an error.
  long Read(void* out, size_t bytes);

  // Goes back to the first sample. False when the stream cannot be repositioned.
  bool Rewind();

  // Decodes the whole stream for an effect. The size comes from the header (64-bit
  // arithmetic, at most maxBytes); decoding never writes past it and stops at the end of
  // the stream or at the first error, leaving the rest silent. False, with pcm empty, when
  // the header length is unusable or too large.
  bool DecodeAll(std::vector<int16_t>& pcm, uint64_t maxBytes);

 private:
  static size_t ReadCallback(void* ptr, size_t size, size_t count, void* source);
  static int SeekCallback(void* source, ogg_int64_t offset, int whence);
  static long TellCallback(void* source);

  FileReader reader_;
  OggVorbis_File file_{};
  bool open_ = false;
  int channels_ = 0;
  int rate_ = 0;
  int link_ = 0;  // the chained link the last read came from
};
