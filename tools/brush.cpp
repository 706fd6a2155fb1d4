#include "tools/brush.h"
#include <algorithm>
#include <utility>

namespace {

// As wide as the picture at most, so that its PNG loads back pixel for pixel.
constexpr int kLargestBrush = 160; // pixels across or down

template <class Source> PixelBlock made(int width, int height, Source source) {
    PixelBlock block{width, height, {}};
    block.pixels.reserve(std::size_t(width * height));
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) block.pixels.push_back(source(column, row));
    return block;
}

PixelBlock flipped(const PixelBlock& block, bool across, bool down) {
    return made(block.width, block.height, [&](int column, int row) {
        return block.at(across ? block.width - 1 - column : column,
                        down ? block.height - 1 - row : row);
    });
}

// Measured in squares of screen, the brush is pixel_aspect squares a pixel across and one down;
// each new pixel takes the square under its left end.
PixelBlock quarter_turned(const PixelBlock& block, int aspect) {
    return made((block.height + aspect - 1) / aspect, block.width * aspect,
                [&](int column, int row) {
                    return block.at(row / aspect, block.height - 1 - column * aspect);
                });
}

PixelBlock scaled(const PixelBlock& block, int scale) {
    if (scale >= 0) {
        const int times = 1 << scale;
        return made(block.width * times, block.height * times,
                    [&](int column, int row) { return block.at(column / times, row / times); });
    }
    const int step = 1 << -scale;
    return made((block.width + step - 1) / step, (block.height + step - 1) / step,
                [&](int column, int row) { return block.at(column * step, row * step); });
}

} // namespace

Brush::Brush(PixelBlock source, int pixel_aspect)
    : source_(std::move(source)), pixel_aspect_(pixel_aspect) {
    reshape();
}

void Brush::flip_left_right() {
    flipped_across_ = !flipped_across_;
    reshape();
}

void Brush::flip_top_bottom() {
    flipped_down_ = !flipped_down_;
    reshape();
}

// Turning what was flipped left to right is flipping top to bottom what was turned, and the
// other way round.
void Brush::turn() {
    turns_ = (turns_ + 1) % 4;
    std::swap(flipped_across_, flipped_down_);
    reshape();
}

bool Brush::double_size() {
    if (2 * std::max(shown_.width, shown_.height) > kLargestBrush) return false;
    ++scale_;
    reshape();
    return true;
}

bool Brush::halve_size() {
    if (shown_.width < 2 && shown_.height < 2) return false;
    --scale_;
    reshape();
    return true;
}

// Three quarter turns are a half turn and then a quarter turn, so each shape is resampled once.
void Brush::reshape() {
    PixelBlock block = turns_ >= 2 ? flipped(source_, true, true) : source_;
    if (turns_ % 2) block = quarter_turned(block, pixel_aspect_);
    shown_ = flipped(scaled(block, scale_), flipped_across_, flipped_down_);
}
