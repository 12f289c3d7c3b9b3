#include "ksynth/VorbisWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace ksynth {
namespace {

constexpr size_t kChunkFrames = 1024;

void Append(std::vector<uint8_t>& out, const ogg_page& page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

bool VorbisWriter::Encode(const std::vector<float>& interleaved, int channels, int rate,
                          float quality, std::vector<uint8_t>& out, uint32_t serial) {
  out.clear();
  if (channels < 1 || channels > 8 || rate <= 0) return false;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
    vorbis_info_clear(&info);
    return false;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, "ENCODER", "ksynth");
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, int(serial & 0x7FFFFFFF));

  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &headerComment);
  ogg_stream_packetin(&stream, &headerCode);
  ogg_page page;
  // The headers get pages of their own, so that audio starts on a fresh page.
  while (ogg_stream_flush(&stream, &page) != 0) Append(out, page);

  const size_t frames = interleaved.size() / size_t(channels);
  size_t done = 0;
  bool ended = false;
  while (!ended) {
    const size_t n = std::min(kChunkFrames, frames - done);
    if (n == 0) {
      vorbis_analysis_wrote(&dsp, 0);  // the end of the stream
    } else {
      float** buffer = vorbis_analysis_buffer(&dsp, int(n));
      for (size_t f = 0; f < n; ++f) {
        for (int c = 0; c < channels; ++c) {
          buffer[c][f] =
              std::clamp(interleaved[(done + f) * size_t(channels) + size_t(c)], -1.0f, 1.0f);
        }
      }
      vorbis_analysis_wrote(&dsp, int(n));
      done += n;
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) Append(out, page);
      }
    }
    if (n == 0) {
      while (ogg_stream_flush(&stream, &page) != 0) Append(out, page);
      ended = true;
    }
  }

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return true;
}

}  // namespace ksynth
