#pragma once
#include "colour/rgb_image.h"
#include <cstdint>
#include <vector>

// The image as the bytes of a PNG file, as Qt's PNG writer makes them.
std::vector<std::uint8_t> encode_png(const RgbImage& image);
