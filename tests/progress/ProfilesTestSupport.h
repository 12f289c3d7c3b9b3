#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/DataFiles.h"
#include "support/TempDir.h"

using Bytes = std::vector<uint8_t>;

// A fresh per-user data folder for each test, with helpers to plant and read its files.
class ProfilesFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { base::SetDataFolder(folder.Path()); }
  void TearDown() override { base::SetDataFolder(""); }

  // A payload packed as the game packs it, or bytes as they are.
  void Plant(const std::string& name, const Bytes& payload) {
    ASSERT_TRUE(base::SaveDataPacked(name, payload, false));
  }
  void PlantRaw(const std::string& name, const Bytes& raw) {
    ASSERT_TRUE(base::WriteDataFile(name, raw));
  }
  Bytes Raw(const std::string& name) const {
    std::ifstream in(base::DataFilePath(name), std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  std::optional<Bytes> Payload(const std::string& name) const {
    return base::LoadDataPacked(name, false);
  }
  bool Exists(const std::string& rel) const {
    return std::filesystem::exists(folder.Path() + "/" + rel);
  }

  TempDir folder;
};

// Stores `size` bytes of v little-endian at `at`.
template <class T>
void Put(Bytes& b, size_t at, T v, size_t size = sizeof(T)) {
  for (size_t i = 0; i < size; ++i) b[at + i] = uint8_t(uint64_t(v) >> (8 * i));
}

// A "Profiles" payload: the current slot, then each name's length and units.
inline Bytes ProfilesPayload(uint16_t current, const std::vector<std::u16string>& names) {
  Bytes b;
  const auto u16 = [&](uint16_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); };
  u16(current);
  for (const std::u16string& n : names) {
    u16(uint16_t(n.size()));
    for (char16_t c : n) u16(c);
  }
  return b;
}
