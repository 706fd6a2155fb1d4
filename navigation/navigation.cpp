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

std::size_t pixel_size_index(int size) {
    return std::size_t(std::find(kPixelSizes.begin(), kPixelSizes.end(), size) -
                       kPixelSizes.begin());
}

int stepped_pixel_size(int size, int steps) {
    const auto at = std::lower_bound(kPixelSizes.begin(), kPixelSizes.end(), size);
    const int index = int(at - kPixelSizes.begin()) + steps;
    return kPixelSizes[std::size_t(std::clamp(index, 0, int(kPixelSizes.size()) - 1))];
}

ViewFrame frame_of(ZoomLevel level, const PictureShape& picture) {
    return {level.pixel_height(picture.cell), kViewWidth, kViewHeight};
}

ZoomLevel cell_level_of(int pixel_size, const PictureShape& picture) {
    const ViewFrame frame{pixel_size, kViewWidth, kViewHeight};
    return {frame.columns(picture) / picture.cell.width, frame.rows() / picture.cell.height};
}

ViewFrame frame_in_room(int pixel_size, int client_width, int client_height,
                        const PictureShape& picture) {
    const auto whole = [](int room, int pixel) { return std::max(room / pixel, 1) * pixel; };
    const int pixel_width = pixel_size * picture.pixel_aspect;
    return {pixel_size, whole(client_width - kBarStripWidth, pixel_width),
            whole(client_height - kBarStripHeight, pixel_size)};
}

int fitting_pixel_size(int client_width, int client_height, const PictureShape& picture) {
    for (auto size = kPixelSizes.rbegin(); size != kPixelSizes.rend(); ++size) {
        const ViewFrame frame = frame_in_room(*size, client_width, client_height, picture);
        if (frame.columns(picture) >= picture.width && frame.rows() >= picture.height) return *size;
    }
    return kPixelSizes.front();
}

PixelPos pixel_under(ViewPlace place, int x, int y, const ViewFrame& frame,
                     const PictureShape& picture) {
    return {place.scroll_x + floor_div(x, frame.pixel_width(picture)),
            place.scroll_y + floor_div(y, frame.pixel_height())};
}

ViewPlace furthest_place(ZoomLevel level, const PictureShape& picture) {
    return furthest_place(frame_of(level, picture), picture);
}

ViewPlace furthest_place(const ViewFrame& frame, const PictureShape& picture) {
    // Rounded up to a cell, so that a view of part of a cell still reaches the picture's edge.
    const auto furthest = [](int shown, int size, int step, int last) {
        return std::clamp(-floor_div(shown - size, step) * step, 0, last);
    };
    return {
        furthest(frame.columns(picture), picture.width, picture.cell.width, last_scroll_x(picture)),
        furthest(frame.rows(), picture.height, picture.cell.height, last_scroll_y(picture))};
}

ViewPlace scroll_reach(const ViewFrame& frame, const PictureShape& picture) {
    const ViewPlace furthest = furthest_place(frame, picture);
    return {frame.width <= kViewWidth ? last_scroll_x(picture) : furthest.scroll_x,
            frame.height <= kViewHeight ? last_scroll_y(picture) : furthest.scroll_y};
}

// The pixel's middle lies at scroll + x / pixel_width when scroll = pixel + 1/2 - x / width.
ViewPlace place_pixel_at(PixelPos pixel, int x, int y, ZoomLevel level,
                         const PictureShape& picture) {
    return place_pixel_at(pixel, x, y, frame_of(level, picture), picture);
}

ViewPlace place_pixel_at(PixelPos pixel, int x, int y, const ViewFrame& frame,
                         const PictureShape& picture) {
    const CellSize cell = picture.cell;
    const int w = frame.pixel_width(picture), h = frame.pixel_height();
    const ViewPlace furthest = furthest_place(frame, picture);
    return {std::clamp(nearest_multiple((2 * pixel.column + 1) * w - 2 * x, 2 * w, cell.width), 0,
                       furthest.scroll_x),
            std::clamp(nearest_multiple((2 * pixel.row + 1) * h - 2 * y, 2 * h, cell.height), 0,
                       furthest.scroll_y)};
}

ViewPlace centred_on(PixelPos pixel, ZoomLevel level, const PictureShape& picture) {
    return centred_on(pixel, frame_of(level, picture), picture);
}

ViewPlace centred_on(PixelPos pixel, const ViewFrame& frame, const PictureShape& picture) {
    return place_pixel_at(pixel, frame.width / 2, frame.height / 2, frame, picture);
}

ViewPlace zoomed_at(ViewPlace from, ZoomLevel from_level, ZoomLevel to_level, int x, int y,
                    const PictureShape& picture) {
    return zoomed_at(from, frame_of(from_level, picture), frame_of(to_level, picture), x, y,
                     picture);
}

ViewPlace zoomed_at(ViewPlace from, const ViewFrame& from_frame, const ViewFrame& to_frame, int x,
                    int y, const PictureShape& picture) {
    x = std::clamp(x, 0, from_frame.width - 1);
    y = std::clamp(y, 0, from_frame.height - 1);
    return place_pixel_at(pixel_under(from, x, y, from_frame, picture), x, y, to_frame, picture);
}

ViewPlace moved_by(ViewPlace from, int cells_across, int cells_down, ZoomLevel level,
                   const PictureShape& picture) {
    return moved_by(from, cells_across, cells_down, frame_of(level, picture), picture);
}

ViewPlace moved_by(ViewPlace from, int cells_across, int cells_down, const ViewFrame& frame,
                   const PictureShape& picture) {
    const ViewPlace furthest = furthest_place(frame, picture);
    return {
        moved(from.scroll_x, cells_across * picture.cell.width, from.scroll_x, furthest.scroll_x),
        moved(from.scroll_y, cells_down * picture.cell.height, from.scroll_y, furthest.scroll_y)};
}

ViewPlace autoscrolled(ViewPlace from, int x, int y, const ViewFrame& frame,
                       const PictureShape& picture) {
    const auto towards = [](int at, int size) { return at < 0 ? -1 : at >= size ? 1 : 0; };
    return moved_by(from, towards(x, frame.width), towards(y, frame.height), frame, picture);
}

ViewPlace stepped(ViewPlace from, ViewStep step, ZoomLevel level, const PictureShape& picture) {
    return stepped(from, step, frame_of(level, picture), picture);
}

// A page is as many whole cell rows as the view shows, at least one.
ViewPlace stepped(ViewPlace from, ViewStep step, const ViewFrame& frame,
                  const PictureShape& picture) {
    const int page = std::max(frame.rows() / picture.cell.height, 1);
    switch (step) {
    case ViewStep::Left:
        return moved_by(from, -1, 0, frame, picture);
    case ViewStep::Right:
        return moved_by(from, 1, 0, frame, picture);
    case ViewStep::Up:
        return moved_by(from, 0, -1, frame, picture);
    case ViewStep::Down:
        return moved_by(from, 0, 1, frame, picture);
    case ViewStep::PageUp:
        return moved_by(from, 0, -page, frame, picture);
    case ViewStep::PageDown:
        return moved_by(from, 0, page, frame, picture);
    }
    return from;
}

ViewPlace dragged(ViewPlace pressed, ViewPlace now, int dx, int dy, ZoomLevel level,
                  const PictureShape& picture) {
    return dragged(pressed, now, dx, dy, frame_of(level, picture), picture);
}

ViewPlace dragged(ViewPlace pressed, ViewPlace now, int dx, int dy, const ViewFrame& frame,
                  const PictureShape& picture) {
    const CellSize cell = picture.cell;
    const int across = nearest_multiple(-dx, frame.pixel_width(picture), cell.width);
    const int down = nearest_multiple(-dy, frame.pixel_height(), cell.height);
    const ViewPlace furthest = furthest_place(frame, picture);
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
