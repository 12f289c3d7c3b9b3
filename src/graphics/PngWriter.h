#pragma once
#include <cstdint>
#include <string>

// Writes 8-bit RGB (channels 3) or RGBA (channels 4) pixels, rows top to bottom, as a PNG.
// The file is written beside the target under a temporary name and renamed over it, so a
// failure never leaves a half-written picture. Returns false on any failure.
bool WritePng(const std::string& path, int width, int height, int channels, const uint8_t* pixels);
