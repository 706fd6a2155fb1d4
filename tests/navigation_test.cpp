#include "navigation/navigation.h"
#include <gtest/gtest.h>

namespace {

// A Multicolor picture: 160 x 200 double-width pixels in cells of 4 x 8.
constexpr PictureShape kPicture{160, 200, {4, 8}, 2};

} // namespace

// A press in the preview, at either size, brings the pixel under it as near the view's middle
// as the cell-wise places allow, and never so far that the view shows less than it could.
TEST(Navigation, APressInThePreviewCentresTheViewOnThePixelThere) {
    const struct {
        std::size_t level;
        int size, x, y; // preview point
        ViewPlace place;
    } rows[] = {
        {0, 2, 2, 2, {0, 0}},                      // top-left pixel
        {0, 2, 641, 2, {144, 0}},                  // top-right: columns 144..159 shown
        {0, 2, 2, 401, {0, 176}},                  // bottom-left: rows 176..199
        {0, 2, 641, 401, {144, 176}},              // bottom-right
        {0, 2, 4 * 80 + 2, 2 * 100 + 2, {72, 88}}, // pixel (80, 100): middle 80, 100 shown
        {0, 2, 4 * 10 + 2, 2 * 10 + 2, {4, 0}},    // pixel (10, 10): 4 is nearer than 0
        {0, 1, 2 * 80, 100, {72, 88}},             // single size, the same pixel
        {0, 1, 319, 199, {144, 176}},
        {1, 2, 2, 2, {0, 0}},
        {1, 2, 641, 401, {128, 152}},
        {1, 2, 4 * 80 + 2, 2 * 100 + 2, {64, 80}},
        {2, 2, 2, 2, {0, 0}},
        {2, 2, 641, 401, {96, 104}},
        {2, 2, 4 * 80 + 2, 2 * 100 + 2, {48, 56}},
        {3, 2, 2, 2, {0, 0}},
        {3, 2, 641, 401, {80, 80}},
        {3, 2, 4 * 80 + 2, 2 * 100 + 2, {40, 40}},
        {3, 2, 5000, -50, {80, 0}}, // dragged off the preview: the nearest pixel, (159, 0)
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "level " << row.level << " size " << row.size << " at "
                                        << row.x << ", " << row.y);
        const ViewPlace place = centred_on(preview_pixel_at(row.x, row.y, row.size, kPicture),
                                           kZoomLevels[row.level], kPicture);
        EXPECT_EQ(place.scroll_x, row.place.scroll_x);
        EXPECT_EQ(place.scroll_y, row.place.scroll_y);
    }
}

TEST(Navigation, OnlyThePicturesPixelsCountAsOnThePreview) {
    EXPECT_TRUE(on_preview_picture(2, 2, 2, kPicture));
    EXPECT_TRUE(on_preview_picture(641, 401, 2, kPicture));
    EXPECT_FALSE(on_preview_picture(1, 2, 2, kPicture));   // the margin
    EXPECT_FALSE(on_preview_picture(642, 2, 2, kPicture)); // right of the picture
    EXPECT_TRUE(on_preview_picture(0, 0, 1, kPicture));
    EXPECT_FALSE(on_preview_picture(320, 0, 1, kPicture));
    EXPECT_FALSE(on_preview_picture(0, 200, 1, kPicture));
}

// Every level fills the drawing area exactly, each pixel twice as wide as high.
TEST(Navigation, ZoomLevelsFillTheDrawingArea) {
    for (const ZoomLevel& level : kZoomLevels) {
        EXPECT_EQ(level.columns(kPicture.cell) * level.pixel_width(kPicture.cell), kViewWidth);
        EXPECT_EQ(level.rows(kPicture.cell) * level.pixel_height(kPicture.cell), kViewHeight);
        EXPECT_EQ(level.pixel_width(kPicture.cell), 2 * level.pixel_height(kPicture.cell));
    }
    EXPECT_EQ(kZoomLevels[3].pixel_width(kPicture.cell), 8);
    EXPECT_EQ(zoom_level_index({16, 12}), 2u);
    EXPECT_EQ(zoom_level_index({5, 3}), kZoomLevels.size());
}

namespace {

constexpr PictureShape kHires{320, 200, {8, 8}, 1};

// The client area of a zoom window maximised on a 1920 x 1080 screen, and at the start.
constexpr int kWideWidth = 1310, kWideHeight = 850;
constexpr int kStartWidth = 670, kStartHeight = 520;

} // namespace

// The drawing area holds whole pixels beside the bars' strips; at the start's size every cell
// level fills 640 x 480 as before.
TEST(Navigation, TheDrawingAreaFillsTheRoomInWholePixels) {
    const struct {
        int pixel_size, client_width, client_height;
        PictureShape picture;
        int width, height, columns, rows;
    } rows[] = {
        {20, kStartWidth, kStartHeight, kPicture, 640, 480, 16, 24},
        {10, kStartWidth, kStartHeight, kPicture, 640, 480, 32, 48},
        {4, kStartWidth, kStartHeight, kPicture, 640, 480, 80, 120},
        {20, kStartWidth, kStartHeight, kHires, 640, 480, 32, 24},
        {3, kStartWidth, kStartHeight, kPicture, 636, 480, 106, 160},
        {4, kWideWidth, kWideHeight, kPicture, 1280, 808, 160, 202},
        {4, kWideWidth, kWideHeight, kHires, 1280, 808, 320, 202},
        {1, kWideWidth, kWideHeight, kPicture, 1280, 810, 640, 810},
        {20, 40, 50, kPicture, 40, 20, 1, 1}, // smaller than a pixel: one still shows
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.pixel_size << "x in " << row.client_width << " x "
                                        << row.client_height);
        const ViewFrame frame =
            frame_in_room(row.pixel_size, row.client_width, row.client_height, row.picture);
        EXPECT_EQ(frame.width, row.width);
        EXPECT_EQ(frame.height, row.height);
        EXPECT_EQ(frame.columns(row.picture), row.columns);
        EXPECT_EQ(frame.rows(), row.rows);
    }
}

// Pixel sizes: the cell levels are four of them, the steps keep within them, and Fit takes the
// largest at which the whole picture shows.
TEST(Navigation, PixelSizesStepAndFit) {
    for (std::size_t level = 0; level < kZoomLevels.size(); ++level) {
        const int size = frame_of(kZoomLevels[level], kPicture).pixel_size;
        EXPECT_EQ(cell_level_of(size, kPicture), kZoomLevels[level]) << size;
        EXPECT_EQ(cell_level_of(size, kHires), kZoomLevels[level]) << size;
    }
    for (int size : {1, 2, 3, 6, 8, 16})
        EXPECT_EQ(zoom_level_index(cell_level_of(size, kPicture)), kZoomLevels.size()) << size;
    const struct {
        int size, steps, stepped;
    } steps[] = {{20, 1, 20}, {20, -1, 16}, {16, -2, 8}, {4, -1, 3}, {1, -1, 1}, {1, 3, 4}};
    for (const auto& row : steps)
        EXPECT_EQ(stepped_pixel_size(row.size, row.steps), row.stepped)
            << row.size << " by " << row.steps;
    const struct {
        int client_width, client_height;
        PictureShape picture;
        int size;
    } fits[] = {
        {kWideWidth, kWideHeight, kPicture, 4},
        {kWideWidth, kWideHeight, kHires, 4},
        {kStartWidth, kStartHeight, kPicture, 2},
        {1310, 840, kPicture, 4},
        {1309, 840, kPicture, 3},
        {1366 - 10, 620, kPicture, 2},
        {200, 100, kPicture, 1},
    };
    for (const auto& row : fits)
        EXPECT_EQ(fitting_pixel_size(row.client_width, row.client_height, row.picture), row.size)
            << row.client_width << " x " << row.client_height;
}

// The pointer's picture pixel at every size, left of and above the view too; the bars reach
// as before at the start's size and only as far as there is picture in a larger view.
TEST(Navigation, ThePointersPixelAndTheBarsReach) {
    const struct {
        ViewFrame frame;
        ViewPlace place;
        int x, y;
        PixelPos pixel;
    } pixels[] = {
        {{20, 640, 480}, {8, 16}, 0, 0, {8, 16}},        {{20, 640, 480}, {8, 16}, 39, 19, {8, 16}},
        {{20, 640, 480}, {8, 16}, 40, 20, {9, 17}},      {{20, 640, 480}, {8, 16}, -1, -1, {7, 15}},
        {{1, 1280, 808}, {0, 0}, 1, 0, {0, 0}},          {{1, 1280, 808}, {0, 0}, 2, 0, {1, 0}},
        {{4, 1280, 808}, {0, 0}, 1279, 799, {159, 199}},
    };
    for (const auto& row : pixels)
        EXPECT_EQ(pixel_under(row.place, row.x, row.y, row.frame, kPicture), row.pixel)
            << row.frame.pixel_size << "x at " << row.x << ", " << row.y;
    const struct {
        ViewFrame frame;
        ViewPlace reach;
    } reaches[] = {
        {{20, 640, 480}, {156, 200}},
        {{4, 640, 480}, {156, 200}},
        {{4, 1280, 808}, {0, 0}},
        {{20, 1280, 800}, {128, 160}},
        {{20, 640, 800}, {156, 160}},
        {{6, 1280, 800}, {56, 72}}, // part of a cell shows: the edge still comes into view
    };
    for (const auto& row : reaches) {
        EXPECT_EQ(scroll_reach(row.frame, kPicture), row.reach)
            << row.frame.pixel_size << "x over " << row.frame.width << " x " << row.frame.height;
    }
}

// A pointer held past an edge moves the view a cell that way each step, never past the
// furthest place; inside the area it stays.
TEST(Navigation, ADragPastTheEdgeMovesTheViewByCells) {
    const ViewFrame start{20, 640, 480};
    const struct {
        ViewPlace from;
        int x, y;
        ViewPlace to;
    } rows[] = {
        {{0, 0}, 320, 240, {0, 0}},     {{0, 0}, 640, 240, {4, 0}},
        {{0, 0}, 700, 500, {4, 8}},     {{8, 8}, -1, -1, {4, 0}},
        {{0, 0}, -5, 240, {0, 0}},      {{144, 176}, 900, 900, {144, 176}},
        {{140, 0}, 639, 479, {140, 0}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(autoscrolled(row.from, row.x, row.y, start, kPicture), row.to)
            << row.x << ", " << row.y;
}
