#pragma once
#include <cstdint>
#include <vector>

// An image as 8-bit red, green, blue triples, rows top to bottom, no padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    const std::uint8_t* pixel(int x, int y) const {
        return rgb.data() + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3;
    }
    bool operator==(const RgbImage&) const = default;
};
