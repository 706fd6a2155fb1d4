#include "arrange/tiling.h"
#include <gtest/gtest.h>

namespace {

// The three windows as the editor shows them: the zoom view (a 640 x 480 drawing area under a
// title bar), the preview at double size (its 640 x 400 picture from (2, 2)) and the
// information window, kept whole.
const TiledWindow kZoom{680, 550, {4, 26, 640, 480}};
const TiledWindow kPreview{791, 494, {6, 28, 640, 400}};
const TiledWindow kInfo{255, 182, {0, 0, 255, 182}};

long long outside(int width, int height, const std::vector<TiledWindow>& windows,
                  const std::vector<Place>& places) {
    long long area = 0;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const Box frame{places[i].left, places[i].top, windows[i].width, windows[i].height};
        area += (long long)frame.width * frame.height - shared_area(frame, {0, 0, width, height});
    }
    return area;
}

} // namespace

TEST(Tiling, KeepsTheDrawingAreaPictureAndSwatchesUncoveredAsFarAsTheAreaAllows) {
    // Two windows whose kept parts fit side by side only where one covers the other's edge.
    const TiledWindow kept_left{120, 100, {0, 0, 100, 100}};
    const TiledWindow kept_right{120, 100, {20, 0, 100, 100}};
    const TiledWindow whole{100, 100, {0, 0, 100, 100}};
    const struct {
        const char* what;
        int width, height;
        std::vector<TiledWindow> windows;
        long long hidden; // kept pixels covered by another window or outside the area
    } cases[] = {
        {"a full HD frame", 1850, 960, {kZoom, kPreview, kInfo}, 0},
        {"a tall frame, the windows one above another", 800, 1300, {kZoom, kPreview, kInfo}, 0},
        {"one window", 700, 600, {kZoom}, 0},
        {"windows overlapping where nothing is kept", 220, 100, {kept_left, kept_right}, 0},
        // 200 kept columns in 150: 50 of them go past the edge rather than under a window,
        // where they could not be scrolled to.
        {"too small an area", 150, 100, {whole, whole}, 50 * 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<Place> places = tile(c.width, c.height, c.windows);
        ASSERT_EQ(places.size(), c.windows.size());
        EXPECT_EQ(hidden_kept_area(c.width, c.height, c.windows, places), c.hidden);
        for (const Place& place : places) {
            EXPECT_GE(place.left, 0);
            EXPECT_GE(place.top, 0);
        }
    }
}

TEST(Tiling, LeavesWhatFitsInsideTheAreaAndAtItsTopLeft) {
    const struct {
        const char* what;
        int width, height;
        std::vector<TiledWindow> windows;
        long long outside;
    } cases[] = {
        {"room for all three whole", 1850, 960, {kZoom, kPreview, kInfo}, 0},
        {"one window in a larger area", 1000, 1000, {kInfo}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<Place> places = tile(c.width, c.height, c.windows);
        EXPECT_EQ(outside(c.width, c.height, c.windows, places), c.outside);
        bool one_at_corner = false;
        for (const Place& place : places) one_at_corner |= place == Place{0, 0};
        EXPECT_TRUE(one_at_corner);
    }
}

TEST(Tiling, GivesTheFirstWindowTheRoomTheOthersLeave) {
    const TiledWindow kSmallPreview{335, 266, {6, 28, 320, 200}};
    const TiledWindow kBanner{1000, 200, {0, 0, 1000, 200}};
    const struct {
        const char* what;
        int width, height;
        std::vector<TiledWindow> others;
        std::optional<Box> room; // none: the three are tiled at their sizes instead
    } cases[] = {
        {"a full HD frame: the others in a column at the right",
         1850,
         960,
         {kPreview, kInfo},
         Box{0, 0, 1850 - 791, 960}},
        {"a small preview leaves more",
         1850,
         960,
         {kSmallPreview, kInfo},
         Box{0, 0, 1850 - 335, 960}},
        {"a wide window: the others in a row at the bottom",
         1850,
         960,
         {kBanner, kInfo},
         Box{0, 0, 1850, 960 - 200}},
        {"a column too high for the frame wraps into a second one",
         1850,
         600,
         {kInfo, kInfo, kInfo, kInfo},
         Box{0, 0, 1850 - 2 * 255, 600}},
        {"too little room left for the zoom window's start size",
         1300,
         650,
         {kPreview, kInfo},
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<RoomyTiling> tiling =
            tile_with_room(c.width, c.height, kZoom.width, kZoom.height, c.others);
        ASSERT_EQ(tiling.has_value(), c.room.has_value());
        if (!tiling) continue;
        EXPECT_EQ(tiling->room, *c.room);
        // Every other window whole in the area, beside the room and the rest.
        const Box area{0, 0, c.width, c.height};
        std::vector<Box> boxes{tiling->room};
        for (std::size_t i = 0; i < c.others.size(); ++i)
            boxes.push_back({tiling->places[i].left, tiling->places[i].top, c.others[i].width,
                             c.others[i].height});
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_EQ(shared_area(boxes[i], area), (long long)boxes[i].width * boxes[i].height);
            for (std::size_t j = i + 1; j < boxes.size(); ++j)
                EXPECT_EQ(shared_area(boxes[i], boxes[j]), 0) << i << " " << j;
        }
    }
}
