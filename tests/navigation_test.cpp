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
