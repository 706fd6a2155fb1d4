#pragma once
#include <optional>
#include <vector>

// Placing the frame's inner windows side by side. Plain C++: boxes in the pixels of the area
// that holds the windows, its top-left corner at (0, 0).
struct Box {
    int left{}, top{}, width{}, height{};
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Box&) const = default;
};

// The pixels two boxes share.
long long shared_area(const Box& a, const Box& b);

// A window to place: its whole size with border and title, and the part of it that no other
// window may cover (the zoom view's drawing area, the preview's picture, the swatches), in the
// window's own coordinates.
struct TiledWindow {
    int width{}, height{};
    Box keep;
};

struct Place {
    int left{}, top{};
    bool operator==(const Place&) const = default;
};

// Places for the windows within an area of the size given, in their order, so that no window
// covers another's kept part and every kept part is within the area. Where the area is too
// small for that, the least of the kept parts is covered or outside it; then as little of the
// windows as can be lies outside the area, then they overlap as little as they can, then they
// lie as near the top left as they can.
std::vector<Place> tile(int area_width, int area_height, const std::vector<TiledWindow>& windows);

// The pixels of kept parts covered by another window or outside the area, with the windows at
// `places`: 0 when the tiling leaves them all in view.
long long hidden_kept_area(int area_width, int area_height, const std::vector<TiledWindow>& windows,
                           const std::vector<Place>& places);

// The windows tiled so that the first of them takes all the room the others leave: the others
// keep their sizes and lie side by side against the area's right edge (in columns, from the
// top) or against its bottom edge (in rows, from the left), whichever leaves the first window
// more room. `room` is then the first window's box, and `places` hold the others' places, in
// their order. None where the others do not fit the area so or leave the first window less
// than `least_width` x `least_height`.
struct RoomyTiling {
    Box room;
    std::vector<Place> places;
};
std::optional<RoomyTiling> tile_with_room(int area_width, int area_height, int least_width,
                                          int least_height, const std::vector<TiledWindow>& others);
