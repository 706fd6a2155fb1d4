#pragma once
// Moving the zoom view over the picture: the zoom levels, the cell-wise places the view can
// take, and the rules by which the preview, the wheel, a middle-button drag and the keys move
// it. Plain C++: the windows only pass the pointer, the keys and the picture's shape in.
#include "geometry/geometry.h"
#include <array>
#include <cstddef>

// The zoom view's drawing area in screen pixels; every level fills it exactly.
constexpr int kViewWidth = 640;
constexpr int kViewHeight = 480;

// A zoom level, in character cells across and down. Cells are square on screen, so every
// level keeps a pixel's shape.
struct ZoomLevel {
    int cells_across = 4;
    int cells_down = 3;
    int columns(CellSize cell) const { return cells_across * cell.width; }
    int rows(CellSize cell) const { return cells_down * cell.height; }
    int pixel_width(CellSize cell) const { return kViewWidth / columns(cell); }
    int pixel_height(CellSize cell) const { return kViewHeight / rows(cell); }
    // The pixel grid outlines every pixel with a line at each edge. Four screen rows high, a
    // pixel would keep only as many rows of its colour as the grid takes, and the picture
    // would drown in the grid's colour; the character grid still shows the cells there.
    bool pixel_grid_fits(CellSize cell) const { return pixel_height(cell) > 4; }
    bool operator==(const ZoomLevel&) const = default;
};

// From the closest to the widest: 40 x 20, 20 x 10, 10 x 5 and 8 x 4 screen pixels a pixel.
constexpr std::array<ZoomLevel, 4> kZoomLevels{{{4, 3}, {8, 6}, {16, 12}, {20, 15}}};

// The picture pixel at the view's top-left corner: always a cell's corner, within the scroll
// bars' ranges (from 0 to the last cell column across, to past the last cell row down).
struct ViewPlace {
    int scroll_x = 0;
    int scroll_y = 0;
    bool operator==(const ViewPlace&) const = default;
};

// The level's place in kZoomLevels; kZoomLevels.size() for a level not in it.
std::size_t zoom_level_index(ZoomLevel level);

// A zoom level as a pixel size: the screen rows a picture row takes; a pixel is the picture's
// pixel aspect times as wide. The four cell levels above are 20, 10, 5 and 4.
constexpr std::array<int, 10> kPixelSizes{1, 2, 3, 4, 5, 6, 8, 10, 16, 20};

// The size's place in kPixelSizes; kPixelSizes.size() for a size not in it.
std::size_t pixel_size_index(int size);
// The size `steps` places larger (negative: smaller), held within kPixelSizes.
int stepped_pixel_size(int size, int steps);

// What the zoom view shows: pixels `pixel_size` screen rows high over a drawing area of `width`
// x `height` screen pixels, which holds whole pixels only.
struct ViewFrame {
    int pixel_size = 20;
    int width = kViewWidth;
    int height = kViewHeight;
    int pixel_width(const PictureShape& picture) const { return pixel_size * picture.pixel_aspect; }
    int pixel_height() const { return pixel_size; }
    int columns(const PictureShape& picture) const { return width / pixel_width(picture); }
    int rows() const { return height / pixel_size; }
    // As ZoomLevel::pixel_grid_fits: the grid would drown a pixel four screen rows high.
    bool pixel_grid_fits() const { return pixel_size > 4; }
    bool operator==(const ViewFrame&) const = default;
};

// The cell level shown over the start's drawing area.
ViewFrame frame_of(ZoomLevel level, const PictureShape& picture);
// The cells a pixel size shows over the start's drawing area: one of kZoomLevels for the sizes
// that have a cell level, and one not in it for the others.
ZoomLevel cell_level_of(int pixel_size, const PictureShape& picture);

// The room beside the scroll bars in a zoom window's client area of `width` x `height`: what
// is left of it besides the strips that the start's 670 x 520 window gives the bars.
constexpr int kBarStripWidth = 30;
constexpr int kBarStripHeight = 40;
// The drawing area at `pixel_size` in that room: as many whole pixels as fit, at least one.
ViewFrame frame_in_room(int pixel_size, int client_width, int client_height,
                        const PictureShape& picture);
// The largest of kPixelSizes at which the whole picture fits that room; the smallest where
// none does.
int fitting_pixel_size(int client_width, int client_height, const PictureShape& picture);

// The picture pixel under the point (x, y) of the drawing area, wherever the point lies.
PixelPos pixel_under(ViewPlace place, int x, int y, const ViewFrame& frame,
                     const PictureShape& picture);

// How far the scroll bars reach. A drawing area no larger than the start's keeps their reach
// there (to the last cell column across, one cell row past the picture down); a larger one
// reaches only as far as it still shows as much of the picture as it can.
ViewPlace scroll_reach(const ViewFrame& frame, const PictureShape& picture);

// While a shape is dragged with the pointer at (x, y) past the drawing area's edge, the view
// takes a cell's step towards it (none while it lies inside).
ViewPlace autoscrolled(ViewPlace from, int x, int y, const ViewFrame& frame,
                       const PictureShape& picture);

// The furthest place the view needs: where it shows the picture's right and bottom edges, or
// the corner where it shows the whole picture.
ViewPlace furthest_place(ZoomLevel level, const PictureShape& picture);
ViewPlace furthest_place(const ViewFrame& frame, const PictureShape& picture);

// The place that brings the middle of `pixel` nearest to the point (x, y) of the drawing area.
ViewPlace place_pixel_at(PixelPos pixel, int x, int y, ZoomLevel level,
                         const PictureShape& picture);
ViewPlace place_pixel_at(PixelPos pixel, int x, int y, const ViewFrame& frame,
                         const PictureShape& picture);

// The map's rule: `pixel` as near the middle of the view as the cell-wise places allow.
ViewPlace centred_on(PixelPos pixel, ZoomLevel level, const PictureShape& picture);
ViewPlace centred_on(PixelPos pixel, const ViewFrame& frame, const PictureShape& picture);

// Another level, keeping the picture pixel under the point (x, y) of the drawing area under it.
ViewPlace zoomed_at(ViewPlace from, ZoomLevel from_level, ZoomLevel to_level, int x, int y,
                    const PictureShape& picture);
ViewPlace zoomed_at(ViewPlace from, const ViewFrame& from_frame, const ViewFrame& to_frame, int x,
                    int y, const PictureShape& picture);

// Moved by whole cells. A move never takes the view further out than it was or than the
// furthest place, so that it never shows less of the picture than it could.
ViewPlace moved_by(ViewPlace from, int cells_across, int cells_down, ZoomLevel level,
                   const PictureShape& picture);
ViewPlace moved_by(ViewPlace from, int cells_across, int cells_down, const ViewFrame& frame,
                   const PictureShape& picture);

// The keys: an arrow moves one cell, Page Up and Page Down the view's height.
enum class ViewStep { Left, Right, Up, Down, PageUp, PageDown };
ViewPlace stepped(ViewPlace from, ViewStep step, ZoomLevel level, const PictureShape& picture);
ViewPlace stepped(ViewPlace from, ViewStep step, const ViewFrame& frame,
                  const PictureShape& picture);

// A middle-button drag: the picture follows the pointer, moved (dx, dy) screen pixels since the
// press at `pressed`, by whole cells (the nearest); `now` is where the view is.
ViewPlace dragged(ViewPlace pressed, ViewPlace now, int dx, int dy, ZoomLevel level,
                  const PictureShape& picture);
ViewPlace dragged(ViewPlace pressed, ViewPlace now, int dx, int dy, const ViewFrame& frame,
                  const PictureShape& picture);

// Wheel turns in eighths of a degree, 120 to a notch; a touchpad sends less at a time, so the
// rest is kept for the next turn.
class WheelNotches {
public:
    int take(int angle);

private:
    int rest_ = 0;
};

// The preview at `size` (2 double, 1 single) shows a pixel `size` screen pixels high and
// `pixel_aspect` times as wide, from (2, 2) at double size and (0, 0) at single size.
struct PreviewPixels {
    int width, height, origin;
};
PreviewPixels preview_pixels(int size, const PictureShape& picture);

// Whether the point (x, y) of the preview lies on the picture, and the picture pixel there,
// the nearest one when it lies off the picture.
bool on_preview_picture(int x, int y, int size, const PictureShape& picture);
PixelPos preview_pixel_at(int x, int y, int size, const PictureShape& picture);
