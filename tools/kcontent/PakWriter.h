#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Writes the game's ".pak" archives: ZIP files whose entries are deflated (or stored when
// deflating does not help) and encrypted with the ZIP format's traditional encryption under
// the game's archive password. The output is reproducible: entries in the order added, fixed
// timestamps and attributes, and an encryption header derived from the entry itself instead
// of a random one.
class PakWriter {
 public:
  struct EntryOptions {
    bool encrypt = true;
    bool compress = true;  // deflate when it makes the entry smaller
    // Another password than the game's (for tests of what the game does with it).
    const char* password = nullptr;
  };

  PakWriter() = default;
  ~PakWriter();
  PakWriter(const PakWriter&) = delete;
  PakWriter& operator=(const PakWriter&) = delete;

  // Creates (or truncates) the archive file.
  bool Open(const std::string& path);
  // Adds one entry; name uses "/" between folders.
  bool Add(std::string_view name, std::span<const uint8_t> bytes, EntryOptions options);
  bool Add(std::string_view name, std::string_view text, EntryOptions options) {
    return Add(name, {reinterpret_cast<const uint8_t*>(text.data()), text.size()}, options);
  }
  bool Add(std::string_view name, std::string_view text) { return Add(name, text, {}); }
  // Writes the central directory and closes the file. False if anything failed.
  bool Close();
  const std::string& Error() const { return error_; }

  // Packs every file below folder (recursively; names starting with "." are skipped, as
  // the game's folder scan skips them) into the archive out, with paths relative to folder,
  // sorted in byte order. Missing folders above out are created; the archive is written
  // beside out and renamed over it at the end.
  // On failure error says why and out is left as it was.
  static bool PackFolder(const std::string& folder, const std::string& out, std::string& error);

 private:
  void* zip_ = nullptr;
  bool failed_ = false;
  std::string error_;
};
