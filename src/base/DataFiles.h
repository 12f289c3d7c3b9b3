#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/PackedData.h"

namespace base {

// The per-user data folder: $KALODRUS3_DATA when set, else $XDG_DATA_HOME/Brask/Kalodrus3
// (XDG_DATA_HOME defaulting to ~/.local/share). Created when missing; empty when no folder
// can be found, in which case every file operation below fails on its own.
std::string ResolveDataFolder();
// The folder ResolveDataFolder uses, without creating it: an absolute path (a relative
// KALODRUS3_DATA is taken from the working directory), empty when no home is known.
std::string WantedDataFolder();
// path itself when absolute, else below the working directory.
std::string AbsolutePath(const std::string& path);
void SetDataFolder(std::string folder);
const std::string& DataFolder();

// "<data folder>/<name>.sav". Stored names use "\" between folders ("1\Progress"); those
// become "/" and the folders are created first.
std::string DataFilePath(std::string_view name);
bool DataFileExists(std::string_view name);
// The whole file, or none when it is missing, cannot be read, is no regular file or is
// larger than maxSize bytes. The size is checked before anything is read, so a huge file
// costs neither time nor memory.
inline constexpr uint64_t kMaxDataFileSize = 64u * 1024u * 1024u;
std::optional<Bytes> ReadDataFile(std::string_view name, uint64_t maxSize = kMaxDataFileSize);
// Replaces the file atomically: a crash or a full disk leaves either the old or the new
// content, never a mix. False when anything fails; the old file is then untouched.
bool WriteDataFile(std::string_view name, std::span<const uint8_t> data);
bool DeleteDataFile(std::string_view name);

// A file that could not be used is moved out of the way, never overwritten: "<name>.<label>"
// ("1\Progress" becomes "1/Progress.damaged.sav"), or "<name>.<label>-2", -3 ... when that
// name is taken. False when there was nothing to move or it could not be moved.
bool KeepDataFileAside(std::string_view name, std::string_view label);
// The stored name of the last good copy of a file: "<name>.last-good".
std::string LastGoodName(std::string_view name);

bool SaveDataPacked(std::string_view name, std::span<const uint8_t> data, bool encode);
// A file larger than the packed form of maxLength bytes can be is refused by its size.
std::optional<Bytes> LoadDataPacked(std::string_view name, bool encode,
                                    uint32_t maxLength = kMaxUnpackedSize);

// The atomic replacement itself. `failAt` lets tests stop it at one step as a crash or a
// full disk would.
enum class WriteStep { None, Open, Write, Sync, Rename };
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> data,
                         WriteStep failAt = WriteStep::None);

}  // namespace base
