#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/PackedData.h"

namespace platform {

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
std::optional<Bytes> ReadDataFile(std::string_view name);
// Replaces the file atomically: a crash or a full disk leaves either the old or the new
// content, never a mix. False when anything fails; the old file is then untouched.
bool WriteDataFile(std::string_view name, std::span<const uint8_t> data);
bool DeleteDataFile(std::string_view name);

bool SaveDataPacked(std::string_view name, std::span<const uint8_t> data, bool encode);
std::optional<Bytes> LoadDataPacked(std::string_view name, bool encode,
                                    uint32_t maxLength = kMaxUnpackedSize);

// The atomic replacement itself. `failAt` lets tests stop it at one step as a crash or a
// full disk would.
enum class WriteStep { None, Open, Write, Sync, Rename };
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> data,
                         WriteStep failAt = WriteStep::None);

}  // namespace platform
