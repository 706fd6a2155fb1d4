#include "navigation/navigation.h"
#include <algorithm>

namespace {

// The scroll bars' last places: the last cell column across, and one cell row past the
// picture down.
int last_scroll_x(const PictureShape& picture) {
    return (picture.width / picture.cell.width - 1) * picture.cell.width;
}
int last_scroll_y(const PictureShape& picture) {
    return picture.height / picture.cell.height * picture.cell.height;
}

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

ViewPlace furthest_place(ZoomLevel level, const PictureShape& picture) {
    const auto furthest = [](int shown, int size, int step, int last) {
        return std::clamp(floor_div(size - shown, step) * step, 0, last);
    };
    const CellSize cell = picture.cell;
    return {furthest(level.columns(cell), picture.width, cell.width, last_scroll_x(picture)),
            furthest(level.rows(cell), picture.height, cell.height, last_scroll_y(picture))};
}

// The pixel's middle lies at scroll + x / pixel_width when scroll = pixel + 1/2 - x / width.
ViewPlace place_pixel_at(PixelPos pixel, int x, int y, ZoomLevel level,
                         const PictureShape& picture) {
    const CellSize cell = picture.cell;
    const int w = level.pixel_width(cell), h = level.pixel_height(cell);
    const ViewPlace furthest = furthest_place(level, picture);
    return {std::clamp(nearest_multiple((2 * pixel.column + 1) * w - 2 * x, 2 * w, cell.width), 0,
                       furthest.scroll_x),
            std::clamp(nearest_multiple((2 * pixel.row + 1) * h - 2 * y, 2 * h, cell.height), 0,
                       furthest.scroll_y)};
}

ViewPlace centred_on(PixelPos pixel, ZoomLevel level, const PictureShape& picture) {
    return place_pixel_at(pixel, kViewWidth / 2, kViewHeight / 2, level, picture);
}

ViewPlace zoomed_at(ViewPlace from, ZoomLevel from_level, ZoomLevel to_level, int x, int y,
                    const PictureShape& picture) {
    x = std::clamp(x, 0, kViewWidth - 1);
    y = std::clamp(y, 0, kViewHeight - 1);
    const PixelPos pixel{from.scroll_x + x / from_level.pixel_width(picture.cell),
                         from.scroll_y + y / from_level.pixel_height(picture.cell)};
    return place_pixel_at(pixel, x, y, to_level, picture);
}

ViewPlace moved_by(ViewPlace from, int cells_across, int cells_down, ZoomLevel level,
                   const PictureShape& picture) {
    const ViewPlace furthest = furthest_place(level, picture);
    return {
        moved(from.scroll_x, cells_across * picture.cell.width, from.scroll_x, furthest.scroll_x),
        moved(from.scroll_y, cells_down * picture.cell.height, from.scroll_y, furthest.scroll_y)};
}

ViewPlace stepped(ViewPlace from, ViewStep step, ZoomLevel level, const PictureShape& picture) {
    switch (step) {
    case ViewStep::Left:
        return moved_by(from, -1, 0, level, picture);
    case ViewStep::Right:
        return moved_by(from, 1, 0, level, picture);
    case ViewStep::Up:
        return moved_by(from, 0, -1, level, picture);
    case ViewStep::Down:
        return moved_by(from, 0, 1, level, picture);
    case ViewStep::PageUp:
        return moved_by(from, 0, -level.cells_down, level, picture);
    case ViewStep::PageDown:
        return moved_by(from, 0, level.cells_down, level, picture);
    }
    return from;
}

ViewPlace dragged(ViewPlace pressed, ViewPlace now, int dx, int dy, ZoomLevel level,
                  const PictureShape& picture) {
    const CellSize cell = picture.cell;
    const int across = nearest_multiple(-dx, level.pixel_width(cell), cell.width);
    const int down = nearest_multiple(-dy, level.pixel_height(cell), cell.height);
    const ViewPlace furthest = furthest_place(level, picture);
    return {moved(pressed.scroll_x, across, now.scroll_x, furthest.scroll_x),
            moved(pressed.scroll_y, down, now.scroll_y, furthest.scroll_y)};
}

int WheelNotches::take(int angle) {
    rest_ += angle;
    const int notches = rest_ / 120;
    rest_ -= notches * 120;
    return notches;
}

PreviewPixels preview_pixels(int size, const PictureShape& picture) {
    return {size * picture.pixel_aspect, size, size == 2 ? 2 : 0};
}

namespace {

PixelPos preview_position(int x, int y, int size, const PictureShape& picture) {
    const PreviewPixels pixels = preview_pixels(size, picture);
    return {floor_div(x - pixels.origin, pixels.width),
            floor_div(y - pixels.origin, pixels.height)};
}

} // namespace

bool on_preview_picture(int x, int y, int size, const PictureShape& picture) {
    const PixelPos at = preview_position(x, y, size, picture);
    return 0 <= at.column && at.column < picture.width && 0 <= at.row && at.row < picture.height;
}

PixelPos preview_pixel_at(int x, int y, int size, const PictureShape& picture) {
    const PixelPos at = preview_position(x, y, size, picture);
    return {std::clamp(at.column, 0, picture.width - 1), std::clamp(at.row, 0, picture.height - 1)};
}
