#include "navigation/navigation.h"
#include <algorithm>

namespace {

// The scroll bars' ranges: 0..39 cells across, 0..25 down.
constexpr int kLastScrollX = 39 * kCellWidth;
constexpr int kLastScrollY = 25 * kCellHeight;

int floor_div(int num, int den) { return num / den - (num % den != 0 && (num < 0) != (den < 0)); }

// The multiple of `step` nearest to num / den (den > 0); a tie goes to the larger.
int nearest_multiple(int num, int den, int step) {
    return floor_div(2 * num + step * den, 2 * step * den) * step;
}

// A move by whole cells from `base` may go anywhere down to 0, but outwards only as far as the
// view already is (`now`) or the furthest place, whichever is further.
int moved(int base, int by, int now, int furthest) {
    return std::clamp(base + by, 0, std::max(now, furthest));
}

} // namespace

std::size_t zoom_level_index(ZoomLevel level) {
    return std::size_t(std::find(kZoomLevels.begin(), kZoomLevels.end(), level) -
                       kZoomLevels.begin());
}

ViewPlace furthest_place(ZoomLevel level) {
    const auto furthest = [](int shown, int picture, int step, int last) {
        return std::clamp(floor_div(picture - shown, step) * step, 0, last);
    };
    return {furthest(level.columns(), kPictureColumns, kCellWidth, kLastScrollX),
            furthest(level.rows(), kPictureRows, kCellHeight, kLastScrollY)};
}

// The pixel's middle lies at scroll + x / pixel_width when scroll = pixel + 1/2 - x / width.
ViewPlace place_pixel_at(PixelPos pixel, int x, int y, ZoomLevel level) {
    const int w = level.pixel_width(), h = level.pixel_height();
    const ViewPlace furthest = furthest_place(level);
    return {std::clamp(nearest_multiple((2 * pixel.column + 1) * w - 2 * x, 2 * w, kCellWidth), 0,
                       furthest.scroll_x),
            std::clamp(nearest_multiple((2 * pixel.row + 1) * h - 2 * y, 2 * h, kCellHeight), 0,
                       furthest.scroll_y)};
}

ViewPlace centred_on(PixelPos pixel, ZoomLevel level) {
    return place_pixel_at(pixel, kViewWidth / 2, kViewHeight / 2, level);
}

ViewPlace zoomed_at(ViewPlace from, ZoomLevel from_level, ZoomLevel to_level, int x, int y) {
    x = std::clamp(x, 0, kViewWidth - 1);
    y = std::clamp(y, 0, kViewHeight - 1);
    const PixelPos pixel{from.scroll_x + x / from_level.pixel_width(),
                         from.scroll_y + y / from_level.pixel_height()};
    return place_pixel_at(pixel, x, y, to_level);
}

ViewPlace moved_by(ViewPlace from, int cells_across, int cells_down, ZoomLevel level) {
    const ViewPlace furthest = furthest_place(level);
    return {moved(from.scroll_x, cells_across * kCellWidth, from.scroll_x, furthest.scroll_x),
            moved(from.scroll_y, cells_down * kCellHeight, from.scroll_y, furthest.scroll_y)};
}

ViewPlace stepped(ViewPlace from, ViewStep step, ZoomLevel level) {
    switch (step) {
    case ViewStep::Left:
        return moved_by(from, -1, 0, level);
    case ViewStep::Right:
        return moved_by(from, 1, 0, level);
    case ViewStep::Up:
        return moved_by(from, 0, -1, level);
    case ViewStep::Down:
        return moved_by(from, 0, 1, level);
    case ViewStep::PageUp:
        return moved_by(from, 0, -level.cells_down, level);
    case ViewStep::PageDown:
        return moved_by(from, 0, level.cells_down, level);
    }
    return from;
}

ViewPlace dragged(ViewPlace pressed, ViewPlace now, int dx, int dy, ZoomLevel level) {
    const int across = nearest_multiple(-dx, level.pixel_width(), kCellWidth);
    const int down = nearest_multiple(-dy, level.pixel_height(), kCellHeight);
    const ViewPlace furthest = furthest_place(level);
    return {moved(pressed.scroll_x, across, now.scroll_x, furthest.scroll_x),
            moved(pressed.scroll_y, down, now.scroll_y, furthest.scroll_y)};
}

int WheelNotches::take(int angle) {
    rest_ += angle;
    const int notches = rest_ / 120;
    rest_ -= notches * 120;
    return notches;
}

namespace {

// A picture pixel is 4 x 2 screen pixels from (2, 2) at double size, 2 x 1 from (0, 0) at
// single size.
PixelPos preview_position(int x, int y, int size) {
    if (size == 2) return {floor_div(x - 2, 4), floor_div(y - 2, 2)};
    return {floor_div(x, 2), y};
}

} // namespace

bool on_preview_picture(int x, int y, int size) {
    const PixelPos at = preview_position(x, y, size);
    return 0 <= at.column && at.column < kPictureColumns && 0 <= at.row && at.row < kPictureRows;
}

PixelPos preview_pixel_at(int x, int y, int size) {
    const PixelPos at = preview_position(x, y, size);
    return {std::clamp(at.column, 0, kPictureColumns - 1), std::clamp(at.row, 0, kPictureRows - 1)};
}
