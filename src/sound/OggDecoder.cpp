#include "sound/OggDecoder.h"

#include <algorithm>
#include <climits>

#include "data/FileSystem.h"

namespace {

// The size of one decoder call when a whole effect is decoded.
constexpr size_t kDecodeChunk = 16384;
// The largest request handed to the decoder at once (its length argument is an int).
constexpr size_t kMaxRequest = 1u << 20;

bool SupportedFormat(const vorbis_info* info) {
  return info && (info->channels == 1 || info->channels == 2) &&
         info->rate >= OggDecoder::kMinRate && info->rate <= OggDecoder::kMaxRate;
}

}  // namespace

OggDecoder::~OggDecoder() { Close(); }

size_t OggDecoder::ReadCallback(void* ptr, size_t size, size_t count, void* source) {
  if (size == 0 || count == 0) return 0;
  auto* reader = static_cast<FileReader*>(source);
  // Whole items only, as fread does; the decoder asks with size 1 anyway.
  const size_t items = std::min(count, SIZE_MAX / size);
  return reader->Read(ptr, items * size) / size;
}

int OggDecoder::SeekCallback(void* source, ogg_int64_t offset, int whence) {
  return static_cast<FileReader*>(source)->Seek(int64_t(offset), whence);
}

long OggDecoder::TellCallback(void* source) {
  return long(static_cast<FileReader*>(source)->Tell());
}

bool OggDecoder::Open(FileSystem& files, std::string_view name) {
  Close();
  if (!reader_.Open(files, name) || reader_.Size() <= 0) {
    reader_.Close();
    return false;
  }
  // The reader belongs to this object, so the decoder must not close it.
  const ov_callbacks callbacks{&ReadCallback, &SeekCallback, nullptr, &TellCallback};
  if (ov_open_callbacks(&reader_, &file_, nullptr, 0, callbacks) != 0) {
    // A failed open has already released the decoder's own state.
    file_ = OggVorbis_File{};
    reader_.Close();
    return false;
  }
  open_ = true;
  const vorbis_info* info = ov_info(&file_, -1);
  if (!SupportedFormat(info)) {
    Close();
    return false;
  }
  channels_ = info->channels;
  rate_ = int(info->rate);
  link_ = 0;
  return true;
}

void OggDecoder::Close() {
  if (open_) ov_clear(&file_);
  file_ = OggVorbis_File{};
  open_ = false;
  channels_ = 0;
  rate_ = 0;
  link_ = 0;
  reader_.Close();
}

int64_t OggDecoder::TotalSamples() {
  if (!open_) return OV_EINVAL;
  return int64_t(ov_pcm_total(&file_, -1));
}

long OggDecoder::Read(void* out, size_t bytes) {
  if (!open_) return OV_EINVAL;
  const size_t frame = size_t(channels_) * 2;
  const size_t request = std::min(bytes, kMaxRequest) / frame * frame;
  if (request == 0) return 0;
  int link = link_;
  const long n = ov_read(&file_, static_cast<char*>(out), int(request), 0, 2, 1, &link);
  if (n > 0 && link != link_) {
    // A chained stream may switch format between links; such audio would play garbled.
    const vorbis_info* info = ov_info(&file_, link);
    if (!info || info->channels != channels_ || info->rate != rate_) return OV_EBADLINK;
    link_ = link;
  }
  return n;
}

bool OggDecoder::Rewind() {
  if (!open_) return false;
  if (ov_pcm_seek(&file_, 0) == 0 || ov_raw_seek(&file_, 0) == 0) {
    link_ = 0;
    return true;
  }
  return false;
}

bool OggDecoder::DecodeAll(std::vector<int16_t>& pcm, uint64_t maxBytes) {
  pcm.clear();
  if (!open_) return false;
  const int64_t total = TotalSamples();
  const uint64_t frame = uint64_t(channels_) * 2;
  // The header's claim is checked before anything is multiplied or allocated.
  if (total <= 0 || uint64_t(total) > maxBytes / frame) return false;
  const uint64_t bytes = uint64_t(total) * frame;
  pcm.assign(size_t(bytes / 2), 0);
  auto* data = reinterpret_cast<char*>(pcm.data());
  uint64_t written = 0;
  while (written < bytes) {
    const long n = Read(data + written, size_t(std::min<uint64_t>(kDecodeChunk, bytes - written)));
    if (n <= 0) break;  // the end of the stream, or an error: the rest stays silent
    written += uint64_t(n);
  }
  return true;
}
