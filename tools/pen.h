#pragma once
#include "geometry/geometry.h"
#include "tools/brush.h"
#include <cstdint>
#include <optional>
#include <vector>

enum class PenShape : std::uint8_t { Round, Square };

constexpr int kPenSizes = 8; // pens are 1 to 8 pixels high

// What the pen and the brush tools paint with: a round or square pen of 1 to 8 pixels, or a
// brush lifted from the picture. A brush, while there is one, takes the pen's place.
struct Pen {
    PenShape shape = PenShape::Round;
    int size = 1;
    std::optional<Brush> brush;

    // The one-pixel pen with no brush: what free painting would paint.
    bool plain() const { return size == 1 && !brush; }
    // Back to the one-pixel pen; the shape stays.
    void make_plain();
    // One size smaller or larger, within 1 to 8; a brush is dropped for the pen.
    void resize(int step);
};

// A pixel of a stamp, relative to the pixel under the pointer.
struct StampPixel {
    int column = 0, row = 0;
    std::uint8_t color = 0;
};

// What the pen covers at the pixel under the pointer. A pen of size n is n pixels high and as
// wide as looks the same on screen, where a pixel is `pixel_aspect` times as wide as high; its
// middle is under the pointer. The pixels take `color`.
std::vector<StampPixel> pen_stamp(PenShape shape, int size, int pixel_aspect, std::uint8_t color);

// What the brush puts down, its middle under the pointer: its own colours (`own_colours`), or
// else its shape in `color`. A pixel of its transparent colour (the background colour `back`
// unless it has another) is left out unless the brush is opaque; one it does not hold always.
std::vector<StampPixel> brush_stamp(const Brush& brush, bool own_colours, std::uint8_t color,
                                    std::uint8_t back);
