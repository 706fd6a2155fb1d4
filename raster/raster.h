#pragma once
#include "geometry/geometry.h"
#include <cstddef>
#include <cstdint>
#include <vector>

// The pixels the drawing tools touch, worked out without touching the picture: the tools then
// paint them one by one through the colour-cell rules.

// The 4-connected area of the seed's colour in the picture, in the order a fill paints it: span
// by span, each span left to right. Empty when the seed lies outside the picture.
std::vector<PixelPos> fill_area(ConstPixelGrid picture, PixelPos seed);

// The standard integer line from one pixel to another, both ends included.
std::vector<PixelPos> line_pixels(PixelPos from, PixelPos to);

// The outline of the rectangle with the two corners, in any order, or all of it when filled.
std::vector<PixelPos> rectangle_pixels(PixelPos corner, PixelPos opposite, bool filled);

// The ellipse that fills the box with the two corners, in any order: its outline, closed and
// one pixel thick, or all of it when filled. It is the same mirrored left to right and top to
// bottom within its box; a box one or two pixels across or down is all outline.
std::vector<PixelPos> ellipse_pixels(PixelPos corner, PixelPos opposite, bool filled);

// Turns every pixel `from` into `to`; how many changed.
std::size_t replace_colour(PixelGrid picture, std::uint8_t from, std::uint8_t to);
