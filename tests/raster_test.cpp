#include "raster/raster.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

using Picture = std::array<std::uint8_t, 160 * 200>;

std::set<std::pair<int, int>> as_set(const std::vector<PixelPos>& pixels) {
    std::set<std::pair<int, int>> set;
    for (auto [c, r] : pixels) set.insert({c, r});
    return set;
}

} // namespace

TEST(Fill, AnEmptyPictureIsFilledWholeAndEachPixelOnce) {
    Picture picture{};
    const auto area = fill_area(picture.data(), 160, 200, {77, 123});
    EXPECT_EQ(area.size(), 32000u);
    EXPECT_EQ(as_set(area).size(), 32000u);
    EXPECT_EQ(area.front(), (PixelPos{0, 123})); // the seed's span comes first
}

// A ring of another colour bounds the area; a diagonal gap does not let a 4-connected fill out.
TEST(Fill, StopsAtTheAreasEdgeAndDoesNotLeakThroughCorners) {
    Picture picture{};
    auto put = [&](int c, int r) { picture[r * 160 + c] = 2; };
    for (int i = 10; i <= 20; ++i) put(i, 10), put(i, 20), put(10, i), put(20, i);
    picture[10 * 160 + 20] = 0; // a gap at the corner, diagonal only to the inside
    put(21, 10), put(20, 9);
    const auto inside = fill_area(picture.data(), 160, 200, {15, 15});
    EXPECT_EQ(inside.size(), 9u * 9u);
    for (auto [c, r] : inside) {
        EXPECT_GT(c, 10);
        EXPECT_LT(c, 20);
    }
    EXPECT_EQ(fill_area(picture.data(), 160, 200, {10, 12}).size(), 40u - 1u);
    EXPECT_TRUE(fill_area(picture.data(), 160, 200, {160, 5}).empty());
    EXPECT_TRUE(fill_area(picture.data(), 160, 200, {-1, 5}).empty());
}

// Every octant: both ends, one pixel per step of the longer axis, each next to the last, and
// never more than half a pixel off the true line.
TEST(Line, RunsBetweenItsEndsInEveryDirection) {
    const PixelPos centre{50, 50};
    for (PixelPos end : {PixelPos{60, 53},
                         {53, 60},
                         {47, 60},
                         {40, 53},
                         {40, 47},
                         {47, 40},
                         {53, 40},
                         {60, 47},
                         {60, 50},
                         {50, 60},
                         {40, 40},
                         {61, 61}}) {
        SCOPED_TRACE(::testing::Message() << end.column << "," << end.row);
        const auto line = line_pixels(centre, end);
        const int dx = end.column - centre.column, dy = end.row - centre.row;
        ASSERT_EQ(line.size(), std::size_t(std::max(std::abs(dx), std::abs(dy))) + 1);
        EXPECT_EQ(line.front(), centre);
        EXPECT_EQ(line.back(), end);
        for (std::size_t i = 1; i < line.size(); ++i) {
            EXPECT_LE(std::abs(line[i].column - line[i - 1].column), 1);
            EXPECT_LE(std::abs(line[i].row - line[i - 1].row), 1);
        }
        for (auto [c, r] : line) {
            const double off =
                std::abs(double(dy) * (c - centre.column) - double(dx) * (r - centre.row)) /
                std::max(std::abs(dx), std::abs(dy));
            EXPECT_LE(off, 0.5 + 1e-9);
        }
    }
    EXPECT_EQ(line_pixels({7, 9}, {7, 9}), (std::vector<PixelPos>{{7, 9}}));
}

TEST(Rectangle, OutlinedOrFilledWithItsCornersInAnyOrder) {
    const auto outline = as_set(rectangle_pixels({3, 4}, {7, 9}, false));
    EXPECT_EQ(outline.size(), 2u * 5u + 2u * 4u);
    EXPECT_TRUE(outline.count({3, 4}) && outline.count({7, 9}) && outline.count({3, 9}));
    EXPECT_FALSE(outline.count({5, 6}));
    EXPECT_EQ(as_set(rectangle_pixels({7, 9}, {3, 4}, false)), outline);
    EXPECT_EQ(as_set(rectangle_pixels({3, 9}, {7, 4}, false)), outline);
    EXPECT_EQ(rectangle_pixels({7, 4}, {3, 9}, true).size(), 5u * 6u);
    EXPECT_EQ(rectangle_pixels({5, 5}, {5, 5}, false).size(), 1u);
    EXPECT_EQ(rectangle_pixels({5, 5}, {9, 5}, false).size(), 5u);
}

TEST(ReplaceColour, ChangesEveryPixelOfOneColourAndNothingElse) {
    Picture picture{};
    for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = std::uint8_t(i % 7);
    const Picture before = picture;
    EXPECT_EQ(replace_colour(picture.data(), picture.size(), 3, 12),
              std::size_t(std::count(before.begin(), before.end(), 3)));
    for (std::size_t i = 0; i < picture.size(); ++i)
        ASSERT_EQ(picture[i], before[i] == 3 ? 12 : before[i]);
    EXPECT_EQ(replace_colour(picture.data(), picture.size(), 5, 5), 0u);
}
