#include "tools/brush.h"
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

// As wide as the picture at most, so that its PNG loads back pixel for pixel.
constexpr int kLargestBrush = 160; // pixels across or down
// What a free turn or scale may make before the halvings: larger is refused at once.
constexpr int kLargestTurned = 16 * kLargestBrush;

// A block of `width` x `height` whose pixel at (column, row) is `block`'s pixel at `from(column,
// row)`; where that lies outside it, or is one it does not hold, the new pixel is not held.
template <class From>
PixelBlock resampled(const PixelBlock& block, int width, int height, From from) {
    PixelBlock made{width, height, {}};
    const std::size_t count = std::size_t(width) * std::size_t(height);
    made.pixels.reserve(count);
    std::vector<std::uint8_t> held;
    held.reserve(count);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const PixelPos at = from(column, row);
            const bool inside =
                0 <= at.column && at.column < block.width && 0 <= at.row && at.row < block.height;
            made.pixels.push_back(inside ? block.at(at.column, at.row) : 0);
            held.push_back(inside && block.holds(at.column, at.row));
        }
    if (std::ranges::count(held, 0) > 0) made.mask = std::move(held);
    return made;
}

PixelBlock flipped(const PixelBlock& block, bool across, bool down) {
    return resampled(block, block.width, block.height, [&](int column, int row) {
        return PixelPos{across ? block.width - 1 - column : column,
                        down ? block.height - 1 - row : row};
    });
}

// Measured in squares of screen, the brush is pixel_aspect squares a pixel across and one down;
// each new pixel takes the square under its left end.
PixelBlock quarter_turned(const PixelBlock& block, int aspect) {
    return resampled(block, (block.height + aspect - 1) / aspect, block.width * aspect,
                     [&](int column, int row) {
                         return PixelPos{row / aspect, block.height - 1 - column * aspect};
                     });
}

PixelBlock scaled(const PixelBlock& block, int scale) {
    if (scale >= 0) {
        const int times = 1 << scale;
        return resampled(block, block.width * times, block.height * times,
                         [&](int column, int row) {
                             return PixelPos{column / times, row / times};
                         });
    }
    const int step = 1 << -scale;
    return resampled(block, (block.width + step - 1) / step, (block.height + step - 1) / step,
                     [&](int column, int row) {
                         return PixelPos{column * step, row * step};
                     });
}

// A sine or cosine of a right angle, as it is rather than a hair off.
double exact(double value) { return std::abs(value) < 1e-12 ? 0.0 : value; }

// Worked out on screen, from the middle of the block: each new pixel's middle, scaled and
// turned back, falls on the pixel it takes. The new block is as large as the turned box; none
// where that would be larger than any halving could bring within the limit.
std::optional<PixelBlock> freely_turned(const PixelBlock& block, double degrees, double across,
                                        double down, int aspect) {
    if (degrees == 0 && across == 1 && down == 1) return block;
    const double radians = degrees * std::numbers::pi / 180;
    const double cosine = exact(std::cos(radians)), sine = exact(std::sin(radians));
    const double width = block.width * aspect * across, height = block.height * down;
    const double turned_columns = (std::abs(width * cosine) + std::abs(height * sine)) / aspect;
    const double turned_rows = std::abs(width * sine) + std::abs(height * cosine);
    if (!(turned_columns <= kLargestTurned && turned_rows <= kLargestTurned)) return std::nullopt;
    const int columns = std::max(1, int(std::lround(turned_columns)));
    const int rows = std::max(1, int(std::lround(turned_rows)));
    return resampled(block, columns, rows, [&](int column, int row) {
        const double x = (column + 0.5) * aspect - columns * aspect / 2.0;
        const double y = row + 0.5 - rows / 2.0;
        const double source_x = (x * cosine + y * sine) / across + block.width * aspect / 2.0;
        const double source_y = (y * cosine - x * sine) / down + block.height / 2.0;
        return PixelPos{int(std::floor(source_x / aspect)), int(std::floor(source_y))};
    });
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

bool Brush::rotate_to(double degrees) {
    const double kept = degrees_;
    degrees_ = std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0);
    if (reshape_within_limit()) return true;
    degrees_ = kept;
    return false;
}

bool Brush::scale_to(double across, double down) {
    if (!(across > 0 && down > 0)) return false;
    const double kept_across = across_, kept_down = down_;
    across_ = across, down_ = down;
    if (reshape_within_limit()) return true;
    across_ = kept_across, down_ = kept_down;
    return false;
}

// Three quarter turns are a half turn and then a quarter turn, so each shape is resampled once.
std::optional<PixelBlock> Brush::shaped() const {
    std::optional<PixelBlock> block =
        freely_turned(source_, degrees_, across_, down_, pixel_aspect_);
    if (!block) return std::nullopt;
    if (turns_ >= 2) block = flipped(*block, true, true);
    if (turns_ % 2) block = quarter_turned(*block, pixel_aspect_);
    return flipped(scaled(*block, scale_), flipped_across_, flipped_down_);
}

// The free changes were kept within the limit when they were made.
void Brush::reshape() { shown_ = *shaped(); }

bool Brush::reshape_within_limit() {
    std::optional<PixelBlock> block = shaped();
    if (!block || block->width > kLargestBrush || block->height > kLargestBrush) return false;
    shown_ = std::move(*block);
    return true;
}
