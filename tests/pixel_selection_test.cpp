// Selections of any shape: which pixels a lasso, the wand and a colour take, the edge the ants
// run along, and copying, clearing, flipping and pasting what they hold.
#include "modes/mode.h"
#include "picture/picture.h"
#include "selection/pixel_selection.h"
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr PixelArea kWhole{0, 0, 160, 200};

// The selection over `area`: '#' selected, '.' not, rows joined by '/'.
std::string drawn(const PixelSelection& selection, const PixelArea& area) {
    std::string rows;
    for (int row = area.top; row <= area.bottom(); ++row) {
        if (row > area.top) rows += '/';
        for (int column = area.left; column <= area.right(); ++column)
            rows += selection.contains({column, row}) ? '#' : '.';
    }
    return rows;
}

// Rows of hex digits, "/" between them, written into a picture from its corner.
std::vector<std::uint8_t> picture_of(std::string_view rows) {
    std::vector<std::uint8_t> picture(kPictureBytes);
    int column = 0, row = 0;
    for (char digit : rows) {
        if (digit == '/') {
            column = 0, ++row;
            continue;
        }
        picture[std::size_t(row * 160 + column++)] =
            std::uint8_t(std::stoi(std::string(1, digit), nullptr, 16));
    }
    return picture;
}

std::string rows_of(const std::vector<std::uint8_t>& picture, const PixelArea& area) {
    std::string rows;
    for (int row = area.top; row <= area.bottom(); ++row) {
        if (row > area.top) rows += '/';
        for (int column = area.left; column <= area.right(); ++column)
            rows += "0123456789ABCDEF"[picture[std::size_t(row * 160 + column)]];
    }
    return rows;
}

ConstPixelGrid grid(const std::vector<std::uint8_t>& picture) { return {picture.data(), 160, 200}; }
PixelGrid grid(std::vector<std::uint8_t>& picture) { return {picture.data(), 160, 200}; }

} // namespace

// A lasso takes the pixels its lines pass through and those whose middles lie inside by the
// even-odd rule: a loop crossing itself leaves out what lies inside twice. The picture's
// edges cut it; a point alone is one pixel.
TEST(PixelSelectionMaking, ALassoTakesItsOutlineAndWhatLiesInside) {
    const struct {
        const char* what;
        std::vector<PixelPos> outline;
        PixelArea shown;
        const char* rows;
    } cases[] = {
        {"a triangle",
         {{0, 0}, {6, 0}, {0, 6}},
         {0, 0, 7, 7},
         "#######/######./#####../####.../###..../##...../#......"},
        {"a hollow U",
         {{0, 0}, {2, 0}, {2, 3}, {4, 3}, {4, 0}, {6, 0}, {6, 5}, {0, 5}},
         {0, 0, 7, 6},
         "###.###/###.###/###.###/#######/#######/#######"},
        {"a loop inside the outline leaves a hole",
         {{0, 0}, {8, 0}, {8, 8}, {4, 8}, {4, 2}, {6, 2}, {6, 6}, {2, 6}, {2, 4}, {0, 4}},
         {0, 0, 9, 9},
         "#########/#########/#########/#####.###/#####.###/..###.###/..#######/"
         "....#####/....#####"},
        {"one point", {{5, 5}}, {4, 4, 3, 3}, ".../.#./..."},
        {"cut at the picture's corner",
         {{-3, -3}, {3, -3}, {3, 3}, {-3, 3}},
         {0, 0, 5, 5},
         "####./####./####./####./....."},
        {"wholly outside", {{-9, -9}, {-2, -9}, {-2, -2}}, {0, 0, 3, 3}, ".../.../..."},
        {"no points", {}, {0, 0, 2, 2}, "../.."},
    };
    for (const auto& c : cases) {
        const PixelSelection selection = PixelSelection::lasso(c.outline, kWhole);
        EXPECT_EQ(drawn(selection, c.shown), c.rows) << c.what;
    }
    // A lasso round a rectangle is the rectangle.
    const PixelPos corners[] = {{3, 4}, {9, 4}, {9, 8}, {3, 8}};
    EXPECT_EQ(PixelSelection::lasso(corners, kWhole), PixelSelection({3, 4, 7, 5}));
}

// The wand takes the area of the pixel's colour joined to it by sides, not by corners; Shift's
// choice takes every pixel of the colour. Outside the picture, nothing.
TEST(PixelSelectionMaking, TheWandTakesAConnectedAreaAndAColourTakesAllItsPixels) {
    const auto picture = picture_of("1121/1211/2112/1111");
    const struct {
        const char* what;
        PixelSelection selection;
        const char* rows;
    } cases[] = {
        {"the wand on 1, not across a corner", PixelSelection::wand(grid(picture), {0, 0}),
         "##.../#..../...../...../....."},
        {"the wand on a winding 1", PixelSelection::wand(grid(picture), {3, 0}),
         "...#./..##./.##../####./....."},
        {"the wand on a lone 2", PixelSelection::wand(grid(picture), {2, 0}),
         "..#../...../...../...../....."},
        {"the wand on the 0 around", PixelSelection::wand(grid(picture), {4, 0}),
         "....#/....#/....#/....#/#####"},
        {"the wand outside", PixelSelection::wand(grid(picture), {-1, 0}),
         "...../...../...../...../....."},
        {"all of 2", PixelSelection::of_colour(grid(picture), 2), "..#../.#.../#..#./...../....."},
    };
    for (const auto& c : cases) EXPECT_EQ(drawn(c.selection, {0, 0, 5, 5}), c.rows) << c.what;
    EXPECT_EQ(PixelSelection::of_colour(grid(picture), 2).bounds(), (PixelArea{0, 0, 4, 3}));
}

// The edge runs between the selected pixels and the others, holes included, each run straight
// with the selection on one side.
TEST(PixelSelectionEdge, RunsAlongTheSelectedPixelsEdges) {
    const std::vector<std::uint8_t> ring{1, 1, 1, 1, 0, 1, 1, 1, 1};
    const std::vector<std::uint8_t> diagonal{1, 0, 0, 1};
    const struct {
        const char* what;
        PixelSelection selection;
        std::vector<EdgeRun> runs;
    } cases[] = {
        {"a rectangle",
         PixelSelection({2, 3, 4, 2}),
         {{{2, 3}, 4, true}, {{2, 5}, 4, true}, {{2, 3}, 2, false}, {{6, 3}, 2, false}}},
        {"a ring round a hole",
         PixelSelection({0, 0, 3, 3}, ring),
         {{{0, 0}, 3, true},
          {{1, 1}, 1, true},
          {{1, 2}, 1, true},
          {{0, 3}, 3, true},
          {{0, 0}, 3, false},
          {{1, 1}, 1, false},
          {{2, 1}, 1, false},
          {{3, 0}, 3, false}}},
        {"two pixels touching at a corner: the runs part where the side changes",
         PixelSelection({0, 0, 2, 2}, diagonal),
         {{{0, 0}, 1, true},
          {{0, 1}, 1, true},
          {{1, 1}, 1, true},
          {{1, 2}, 1, true},
          {{0, 0}, 1, false},
          {{1, 0}, 1, false},
          {{1, 1}, 1, false},
          {{2, 1}, 1, false}}},
        {"nothing", PixelSelection(), {}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.selection.edge(), c.runs) << c.what;
}

// Copy takes only the selected pixels (a rectangle's block as always), Delete clears only them,
// and a flip mirrors them and the selection within its bounds, the pixels it leaves taking the
// background; a rectangle flips as it always has.
TEST(PixelSelectionEditing, CopyClearAndFlipTouchOnlyTheSelectedPixels) {
    const auto before = picture_of("1234/5678/9ABC");
    const PixelArea shown{0, 0, 4, 3};
    const PixelSelection triangle({0, 0, 3, 3}, {1, 1, 1, 1, 1, 0, 1, 0, 0});
    const PixelSelection square({1, 1, 2, 2});
    const struct {
        const char* what;
        PixelSelection selection;
        const char *cleared, *flipped_across, *flipped_down, *selected_across;
    } cases[] = {
        {"a triangle", triangle, "0004/0078/0ABC", "3214/0658/0A9C", "9004/5678/123C",
         "###./.##./..#."},
        {"a rectangle", square, "1234/5008/900C", "1234/5768/9BAC", "1234/5AB8/967C",
         "..../.##./.##."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PixelBlock block = copy_selected(grid(before), c.selection);
        const PixelBlock whole = copy_block(grid(before), c.selection.bounds());
        EXPECT_EQ(block.pixels, whole.pixels);
        EXPECT_EQ(block.mask, c.selection.mask());
        EXPECT_EQ(c.selection.rectangular(), block == whole);

        auto picture = before;
        fill_selected(grid(picture), c.selection, 0);
        EXPECT_EQ(rows_of(picture, shown), c.cleared);

        picture = before;
        const PixelSelection across = flip_selected(grid(picture), c.selection, true, 0);
        EXPECT_EQ(rows_of(picture, shown), c.flipped_across);
        EXPECT_EQ(drawn(across, shown), c.selected_across);
        picture = before;
        flip_selected(grid(picture), c.selection, false, 0);
        EXPECT_EQ(rows_of(picture, shown), c.flipped_down);
    }
}

// A block that holds only some pixels puts down only those, and the colour limit counts only
// them: the pixels it leaves out neither land nor fill a cell.
TEST(PixelSelectionEditing, APasteLandsOnlyTheHeldPixels) {
    auto picture = picture_of("1000/0000");
    // Held: 4 and 5, which the cell has room for; left out: 6 and 7, which would fill it.
    const PixelBlock block{4, 1, {4, 6, 7, 5}, {1, 0, 0, 1}};
    paste_block(grid(picture), 0, mode_of(fmtMulticolor), block, {0, 1}, false);
    EXPECT_EQ(rows_of(picture, {0, 0, 4, 2}), "1000/4005");
}
