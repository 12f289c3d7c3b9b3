#pragma once
#include "support/TempDir.h"
// Shared helpers of the sound tests: temporary content folders, generated Ogg files, Ogg
// page surgery for damaged inputs, and the reader of the WAV file the "wave" output driver
// writes (see SoundTestEnvironment.cpp).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

#include "data/FileSystem.h"
#include "ksynth/VorbisWriter.h"

namespace soundtest {

using Bytes = std::vector<uint8_t>;

using ::TempDir;

// A content folder in a temporary place, mounted into its own FileSystem.
class ContentFolder {
 public:
  ContentFolder() { files.Mount(dir_ / "content"); }
  // Writes content/<rel> and mounts the folder again so the file is known.
  void Add(const std::string& rel, const std::vector<uint8_t>& bytes);

  FileSystem files;

 private:
  TempDir dir_;
};

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void ContentFolder::Add(const std::string& rel, const std::vector<uint8_t>& bytes) {
  WriteBytes(dir_ / ("content/" + rel), bytes);
  files.Mount(dir_ / "content");
}

// A steady sine tone (amplitude 0.5) as Ogg Vorbis.
inline Bytes Tone(double hz, double seconds, int channels = 2, int rate = 44100) {
  const size_t frames = size_t(seconds * rate);
  std::vector<float> pcm(frames * size_t(channels));
  for (size_t f = 0; f < frames; ++f) {
    const float v = float(0.5 * std::sin(2.0 * std::numbers::pi * hz * double(f) / rate));
    for (int c = 0; c < channels; ++c) pcm[f * size_t(channels) + size_t(c)] = v;
  }
  Bytes out;
  ksynth::VorbisWriter::Encode(pcm, channels, rate, 0.4f, out);
  return out;
}

// The pages of an Ogg stream, for tests that damage particular fields.
struct OggPage {
  size_t offset = 0;
  size_t size = 0;
};

inline std::vector<OggPage> OggPages(const Bytes& data) {
  std::vector<OggPage> pages;
  size_t pos = 0;
  while (pos + 27 <= data.size() && std::memcmp(&data[pos], "OggS", 4) == 0) {
    const size_t segments = data[pos + 26];
    if (pos + 27 + segments > data.size()) break;
    size_t body = 0;
    for (size_t i = 0; i < segments; ++i) body += data[pos + 27 + i];
    const size_t size = 27 + segments + body;
    if (pos + size > data.size()) break;
    pages.push_back({pos, size});
    pos += size;
  }
  return pages;
}

// Recomputes a page's checksum after an edit, so the damage is in the field, not the CRC.
inline void FixPageChecksum(Bytes& data, const OggPage& page) {
  auto crc = [](const uint8_t* p, size_t n) {
    uint32_t r = 0;
    for (size_t i = 0; i < n; ++i) {
      r ^= uint32_t(p[i]) << 24;
      for (int b = 0; b < 8; ++b) r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
    }
    return r;
  };
  std::memset(&data[page.offset + 22], 0, 4);
  const uint32_t sum = crc(&data[page.offset], page.size);
  for (int i = 0; i < 4; ++i) data[page.offset + 22 + size_t(i)] = uint8_t(sum >> (8 * i));
}

inline void SetGranule(Bytes& data, const OggPage& page, int64_t granule) {
  for (int i = 0; i < 8; ++i)
    data[page.offset + 6 + size_t(i)] = uint8_t(uint64_t(granule) >> (8 * i));
  FixPageChecksum(data, page);
}

// What the wave output driver recorded, as floats per channel frame (left, right, ...).
struct Recording {
  int channels = 0;
  int rate = 0;
  std::vector<float> samples;

  size_t Frames() const { return channels ? samples.size() / size_t(channels) : 0; }
  // Root-mean-square level of the first channel in consecutive windows of ms milliseconds.
  std::vector<double> Levels(int ms) const {
    std::vector<double> levels;
    const size_t window = size_t(rate) * size_t(ms) / 1000;
    for (size_t start = 0; window && start + window <= Frames(); start += window) {
      double sum = 0.0;
      for (size_t f = start; f < start + window; ++f) {
        const double v = samples[f * size_t(channels)];
        sum += v * v;
      }
      levels.push_back(std::sqrt(sum / double(window)));
    }
    return levels;
  }
};

inline Recording ReadWave(const std::string& path) {
  Recording rec;
  const Bytes data = ReadBytes(path);
  auto u16 = [&](size_t at) { return uint32_t(data[at] | data[at + 1] << 8); };
  auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  if (data.size() < 12 || std::memcmp(data.data(), "RIFF", 4) != 0) return rec;
  int bits = 0;
  bool isFloat = false;
  for (size_t pos = 12; pos + 8 <= data.size();) {
    const size_t size = u32(pos + 4);
    const size_t body = pos + 8;
    if (std::memcmp(&data[pos], "fmt ", 4) == 0 && body + 16 <= data.size()) {
      uint32_t tag = u16(body);
      rec.channels = int(u16(body + 2));
      rec.rate = int(u32(body + 4));
      bits = int(u16(body + 14));
      if (tag == 0xFFFE && body + 26 <= data.size()) tag = u16(body + 24);
      isFloat = tag == 3;
    } else if (std::memcmp(&data[pos], "data", 4) == 0) {
      // The size field is only right once the device was closed; trust the file length.
      const size_t bytes = std::min(size, data.size() - body);
      const size_t step = size_t(bits / 8);
      for (size_t at = body; step && at + step <= body + bytes; at += step) {
        if (isFloat && bits == 32) {
          float v;
          std::memcpy(&v, &data[at], 4);
          rec.samples.push_back(v);
        } else if (bits == 16) {
          rec.samples.push_back(float(int16_t(u16(at))) / 32768.0f);
        }
      }
      break;
    }
    pos = body + size + (size & 1);
  }
  return rec;
}

// The file the wave output driver writes for every device the tests open.
const std::string& WaveOutputPath();

}  // namespace soundtest
