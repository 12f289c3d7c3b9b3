#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/DataFiles.h"
#include "support/TempDir.h"

// A fresh per-user data folder for each test, with helpers to plant and inspect its files.
class ProfilesFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetDataFolder(folder.Path()); }
  void TearDown() override { platform::SetDataFolder(""); }

  using Bytes = std::vector<uint8_t>;

  // Stores a payload packed as the game packs it.
  void Plant(const std::string& name, const Bytes& payload) {
    ASSERT_TRUE(platform::SaveDataPacked(name, payload, false));
  }
  // Stores bytes as they are.
  void PlantRaw(const std::string& name, const Bytes& raw) {
    ASSERT_TRUE(platform::WriteDataFile(name, raw));
  }
  Bytes Raw(const std::string& name) const {
    std::ifstream in(platform::DataFilePath(name), std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  std::optional<Bytes> Payload(const std::string& name, uint32_t max = 1u << 24) const {
    return platform::LoadDataPacked(name, false, max);
  }
  bool Exists(const std::string& rel) const {
    return std::filesystem::exists(folder.Path() + "/" + rel);
  }

  TempDir folder;
};

inline void PutU16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}
inline void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}
inline void PutI64(std::vector<uint8_t>& b, size_t at, int64_t v) {
  for (int i = 0; i < 8; ++i) b[at + size_t(i)] = uint8_t(uint64_t(v) >> (8 * i));
}
// A "Profiles" payload: current slot, then (length, units) per name.
inline std::vector<uint8_t> ProfilesPayload(uint16_t current,
                                            const std::vector<std::u16string>& names) {
  std::vector<uint8_t> b;
  const auto u16 = [&](uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
  };
  u16(current);
  for (const std::u16string& n : names) {
    u16(uint16_t(n.size()));
    for (char16_t c : n) u16(c);
  }
  return b;
}
