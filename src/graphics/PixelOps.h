#pragma once
#include <cstdint>
#include <vector>

#include "graphics/Texture.h"

// Pixel work done on the CPU before an upload: halving oversize images and building mip chains.
// Works for every pixel format: 16-bit pixels are averaged per bit field.

// Number of levels of a full mip chain for a width × height image (down to 1×1).
int MipLevelCount(int width, int height);

// The image at half size (each side halved by integer division, at least 1). Each output
// pixel is the per-channel average, rounded, of the 2×2 block above it; where a side is
// already 1 the block is 1 pixel wide or high.
std::vector<uint8_t> HalveImage(const uint8_t* pixels, int width, int height, PixelFormat format);
