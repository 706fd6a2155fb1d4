#include "raster/raster.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <tuple>
#include <vector>

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
    const auto area = fill_area(grid_over(picture, 160, 200), {77, 123});
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
    const auto inside = fill_area(grid_over(picture, 160, 200), {15, 15});
    EXPECT_EQ(inside.size(), 9u * 9u);
    for (auto [c, r] : inside) {
        EXPECT_GT(c, 10);
        EXPECT_LT(c, 20);
    }
    EXPECT_EQ(fill_area(grid_over(picture, 160, 200), {10, 12}).size(), 40u - 1u);
    EXPECT_TRUE(fill_area(grid_over(picture, 160, 200), {160, 5}).empty());
    EXPECT_TRUE(fill_area(grid_over(picture, 160, 200), {-1, 5}).empty());
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
    EXPECT_EQ(replace_colour(grid_over(picture, 160, 200), 3, 12),
              std::size_t(std::count(before.begin(), before.end(), 3)));
    for (std::size_t i = 0; i < picture.size(); ++i)
        ASSERT_EQ(picture[i], before[i] == 3 ? 12 : before[i]);
    EXPECT_EQ(replace_colour(grid_over(picture, 160, 200), 5, 5), 0u);
}

namespace {

// An outline drawn into a grid one pixel larger than its box on every side.
struct OutlineGrid {
    int left, top, width, height;
    std::vector<char> on;
    OutlineGrid(int left, int top, int columns, int rows, const std::set<std::pair<int, int>>& set)
        : left(left - 1), top(top - 1), width(columns + 2), height(rows + 2),
          on(std::size_t(width * height)) {
        for (auto [c, r] : set) on[index(c, r)] = 1;
    }
    std::size_t index(int column, int row) const {
        return std::size_t((row - top) * width + column - left);
    }
    // The pixels a 4-connected walk from outside the box reaches without crossing the outline.
    std::vector<char> outside() const {
        std::vector<char> seen(on.size());
        std::vector<std::pair<int, int>> todo{{left, top}};
        while (!todo.empty()) {
            auto [c, r] = todo.back();
            todo.pop_back();
            if (c < left || r < top || c >= left + width || r >= top + height) continue;
            const std::size_t i = index(c, r);
            if (on[i] || seen[i]) continue;
            seen[i] = 1;
            todo.insert(todo.end(), {{c + 1, r}, {c - 1, r}, {c, r + 1}, {c, r - 1}});
        }
        return seen;
    }
    // Whether the outline's pixels are one 8-connected piece.
    bool connected(const std::set<std::pair<int, int>>& set) const {
        std::set<std::pair<int, int>> reached;
        std::vector<std::pair<int, int>> todo{*set.begin()};
        while (!todo.empty()) {
            auto at = todo.back();
            todo.pop_back();
            if (!set.contains(at) || !reached.insert(at).second) continue;
            for (int dc = -1; dc <= 1; ++dc)
                for (int dr = -1; dr <= 1; ++dr) todo.push_back({at.first + dc, at.second + dr});
        }
        return reached.size() == set.size();
    }
};

// The true ellipse through the middles of the box's outer pixels.
struct TrueEllipse {
    double middle_x, middle_y, a, b;
    TrueEllipse(int left, int top, int columns, int rows)
        : middle_x(left + (columns - 1) / 2.0), middle_y(top + (rows - 1) / 2.0),
          a(std::max((columns - 1) / 2.0, 1e-9)), b(std::max((rows - 1) / 2.0, 1e-9)) {}
    double level(double x, double y) const { return (x / a) * (x / a) + (y / b) * (y / b); }
    // Whether the curve passes through the pixel's square: its nearest point to the middle is
    // inside or on the curve, its farthest outside or on it.
    bool crosses(int column, int row) const {
        const double x = std::abs(column - middle_x), y = std::abs(row - middle_y);
        return level(std::max(x - 0.5, 0.0), std::max(y - 0.5, 0.0)) <= 1 + 1e-9 &&
               level(x + 0.5, y + 0.5) >= 1 - 1e-9;
    }
    bool inside(int column, int row) const {
        return level(column - middle_x, row - middle_y) < 1 - 1e-9;
    }
};

// Whether the outline is closed: no pixel inside the true ellipse is reached from outside.
bool closed(const OutlineGrid& grid, const TrueEllipse& ellipse) {
    const std::vector<char> outside = grid.outside();
    for (int r = grid.top; r < grid.top + grid.height; ++r)
        for (int c = grid.left; c < grid.left + grid.width; ++c)
            if (outside[grid.index(c, r)] && ellipse.inside(c, r)) return false;
    return true;
}

} // namespace

// Each outline against the true ellipse: every pixel within half a pixel of the curve, the
// box filled to its edges, the same mirrored both ways, closed, one piece, and one pixel thick
// (no pixel, with its mirror images, can go and leave it closed, whole and as large). Filled,
// it is the outline and all it encloses.
TEST(Ellipse, OutlinesAreCloseToTheTrueEllipseClosedThinAndSymmetric) {
    const std::pair<int, int> sizes[] = {
        {1, 1},   {1, 6},   {2, 2},   {2, 9},   {3, 3},     {3, 4},     {3, 60},
        {4, 4},   {4, 11},  {5, 3},   {5, 5},   {6, 200},   {7, 7},     {8, 5},
        {9, 3},   {10, 10}, {11, 31}, {16, 16}, {20, 21},   {33, 17},   {40, 80},
        {64, 63}, {81, 50}, {100, 2}, {120, 7}, {159, 199}, {160, 200}, {160, 3}};
    for (auto [columns, rows] : sizes) {
        SCOPED_TRACE(testing::Message() << columns << " x " << rows);
        const int left = 3, top = 5, right = left + columns - 1, bottom = top + rows - 1;
        const auto outline = as_set(ellipse_pixels({right, top}, {left, bottom}, false));
        const TrueEllipse ellipse(left, top, columns, rows);
        int min_c = right, max_c = left, min_r = bottom, max_r = top;
        for (auto [c, r] : outline) {
            EXPECT_TRUE(ellipse.crosses(c, r)) << c << "," << r;
            EXPECT_TRUE(outline.contains({left + right - c, r}));
            EXPECT_TRUE(outline.contains({c, top + bottom - r}));
            min_c = std::min(min_c, c), max_c = std::max(max_c, c);
            min_r = std::min(min_r, r), max_r = std::max(max_r, r);
        }
        EXPECT_EQ(std::tuple(min_c, max_c, min_r, max_r), std::tuple(left, right, top, bottom));
        const OutlineGrid grid(left, top, columns, rows, outline);
        EXPECT_TRUE(closed(grid, ellipse));
        EXPECT_TRUE(grid.connected(outline));
        EXPECT_EQ(ellipse_pixels({left, top}, {right, bottom}, false).size(), outline.size());

        if (columns > 2 && rows > 2)
            for (auto [c, r] : outline) {
                if (2 * c < left + right || 2 * r > top + bottom) continue; // one of each four
                auto thinner = outline;
                for (int mc : {c, left + right - c})
                    for (int mr : {r, top + bottom - r}) thinner.erase({mc, mr});
                const bool as_large =
                    std::ranges::any_of(thinner, [&](auto p) { return p.first == left; }) &&
                    std::ranges::any_of(thinner, [&](auto p) { return p.second == top; });
                const OutlineGrid thinned(left, top, columns, rows, thinner);
                EXPECT_FALSE(as_large && !thinner.empty() && closed(thinned, ellipse) &&
                             thinned.connected(thinner))
                    << "doubled at " << c << "," << r;
            }

        const std::vector<char> outside = grid.outside();
        std::set<std::pair<int, int>> enclosed;
        for (int r = top; r <= bottom; ++r)
            for (int c = left; c <= right; ++c)
                if (!outside[grid.index(c, r)]) enclosed.insert({c, r});
        EXPECT_EQ(as_set(ellipse_pixels({left, bottom}, {right, top}, true)), enclosed);
    }
}
