// The brush turned and scaled by any amount, its transparent colour, and a brush that holds
// only some pixels.
#include "tools/pen.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <string>
#include <string_view>

namespace {

// Rows of hex digits, "/" between rows, '.' for a pixel the block does not hold.
PixelBlock block_of(std::string_view digits) {
    PixelBlock block{int(std::min(digits.find('/'), digits.size())), 0, {}};
    std::vector<std::uint8_t> held;
    for (char digit : digits) {
        if (digit == '/') continue;
        held.push_back(digit != '.');
        block.pixels.push_back(
            digit == '.' ? 0 : std::uint8_t(std::stoi(std::string(1, digit), nullptr, 16)));
    }
    block.height = int(block.pixels.size()) / block.width;
    if (std::ranges::count(held, 0) > 0) block.mask = held;
    return block;
}

std::string rows_of(const PixelBlock& block) {
    std::string rows;
    for (int row = 0; row < block.height; ++row) {
        if (row > 0) rows += '/';
        for (int column = 0; column < block.width; ++column)
            rows += block.holds(column, row) ? "0123456789ABCDEF"[block.at(column, row)] : '.';
    }
    return rows;
}

PixelBlock filled(int width, int height, std::uint8_t color) {
    return {width, height, std::vector<std::uint8_t>(std::size_t(width * height), color)};
}

} // namespace

// A free turn or scale keeps the shape on screen (a multicolour pixel two squares wide), takes
// each new pixel from the pixel under its middle, leaves the corners a turn opens empty, and is
// always worked out from the pixels the brush was made of.
TEST(BrushFreeChanges, TurnAndScaleFromTheBrushsOwnPixels) {
    const struct {
        const char* what;
        const char* brush;
        int aspect;
        double degrees, across, down;
        const char* rows;
    } cases[] = {
        {"a square quarter turn", "12/34", 1, 90, 1, 1, "31/42"},
        {"a bar of wide pixels, upright", "1234", 2, 90, 1, 1, "1/1/2/2/3/3/4/4"},
        {"a half turn", "12/3.", 1, 180, 1, 1, ".3/21"},
        {"a full turn", "12/34", 2, 360, 1, 1, "12/34"},
        {"45 degrees: the corners stay empty", "111/111/111", 1, 45, 1, 1, ".11./1111/1111/.11."},
        {"twice as wide", "12", 2, 0, 2, 1, "1122"},
        {"half of each way", "1234/5678", 1, 0, 0.5, 0.5, "68"},
        {"one and a half times, both ways", "12/34", 1, 0, 1.5, 1.5, "122/344/344"},
        {"a held pixel only where one was", "1./.2", 1, 0, 2, 2, "11../11../..22/..22"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Brush brush(block_of(c.brush), c.aspect);
        ASSERT_TRUE(brush.scale_to(c.across, c.down));
        ASSERT_TRUE(brush.rotate_to(c.degrees));
        EXPECT_EQ(rows_of(brush.block()), c.rows);
        // Back to no change: the very pixels it was made of.
        ASSERT_TRUE(brush.rotate_to(0));
        ASSERT_TRUE(brush.scale_to(1, 1));
        EXPECT_EQ(brush.block(), block_of(c.brush));
    }
}

// Turned by 45 degrees, a rectangle of wide pixels holds the pixels whose middles lie in the
// turned rectangle as it shows on screen, give or take the pixels its edge crosses.
TEST(BrushFreeChanges, ATurnedBrushFillsItsTurnedOutline) {
    for (double degrees : {30.0, 45.0, 110.0}) {
        SCOPED_TRACE(degrees);
        const int aspect = 2, columns = 30, rows = 24; // 60 x 24 on screen
        Brush brush(filled(columns, rows, 7), aspect);
        ASSERT_TRUE(brush.rotate_to(degrees));
        const PixelBlock& turned = brush.block();
        const double angle = degrees * std::numbers::pi / 180;
        int inside = 0, held_inside = 0;
        for (int row = 0; row < turned.height; ++row)
            for (int column = 0; column < turned.width; ++column) {
                const double x = (column + 0.5 - turned.width / 2.0) * aspect;
                const double y = row + 0.5 - turned.height / 2.0;
                // Turned back, on screen, from the middle.
                const double along = std::abs(x * std::cos(angle) + y * std::sin(angle));
                const double down = std::abs(y * std::cos(angle) - x * std::sin(angle));
                const double margin = 1.5; // the edge's pixels may go either way
                const bool well_inside = along < columns - margin && down < rows / 2.0 - margin;
                const bool well_outside = along > columns + margin || down > rows / 2.0 + margin;
                inside += well_inside;
                held_inside += well_inside && turned.holds(column, row);
                EXPECT_FALSE(well_outside && turned.holds(column, row)) << column << "," << row;
            }
        EXPECT_EQ(held_inside, inside);
        EXPECT_GT(inside, columns * rows / 2);
    }
}

// The free turn and scale come before the quarter turns, the flips and the doublings, which act
// on what they make as they act on any brush; so their order makes no difference.
TEST(BrushFreeChanges, TheQuarterTurnsActOnTheFreelyTurnedBrush) {
    const PixelBlock source = block_of("1234/5678/9ABC");
    Brush turned_first(source, 2), turned_last(source, 2);
    ASSERT_TRUE(turned_first.rotate_to(30));
    ASSERT_TRUE(turned_first.scale_to(1.5, 1));
    Brush made_of_it(turned_first.block(), 2);
    for (Brush* brush : {&turned_first, &made_of_it, &turned_last}) {
        brush->turn();
        brush->flip_left_right();
        ASSERT_TRUE(brush->double_size());
    }
    ASSERT_TRUE(turned_last.scale_to(1.5, 1));
    ASSERT_TRUE(turned_last.rotate_to(30));
    EXPECT_EQ(turned_first.block(), made_of_it.block());
    EXPECT_EQ(turned_last.block(), made_of_it.block());
}

// A change that would take the brush past 160 pixels either way, or a scale of nothing, is
// refused and changes nothing.
TEST(BrushFreeChanges, TooLargeOrNothingIsRefused) {
    const struct {
        const char* what;
        int width, height;
        double degrees, across, down;
        bool taken;
    } cases[] = {
        {"three times 60", 60, 60, 0, 3, 3, false},
        {"two and a half times 60", 60, 60, 0, 2.5, 2.5, true},
        {"a square of 160 turned 45 degrees", 160, 160, 45, 1, 1, false},
        {"a row of 160 stood up", 160, 1, 90, 1, 1, true},
        {"a thousand million times", 2, 2, 0, 1e9, 1, false},
        {"no width", 8, 8, 0, 0, 1, false},
        {"not a number", 8, 8, 0, std::nan(""), 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Brush brush(filled(c.width, c.height, 3), 1);
        const PixelBlock before = brush.block();
        const bool taken = brush.scale_to(c.across, c.down) && brush.rotate_to(c.degrees);
        EXPECT_EQ(taken, c.taken);
        if (!taken) {
            EXPECT_EQ(brush.block(), before);
        }
    }
}

// A stamp leaves out the brush's transparent colour (the background, unless another is
// chosen) unless the brush is opaque, and the pixels it does not hold whatever it is.
TEST(BrushStamps, LeaveOutTheTransparentColourAndWhatTheBrushDoesNotHold) {
    const struct {
        const char* what;
        std::optional<std::uint8_t> transparent;
        bool opaque;
        const char* stamped; // the pixels painted, in a row: "." for those left out
    } cases[] = {
        {"the background left out", std::nullopt, false, "12.3."},
        {"another colour left out", 2, false, "1.03."},
        {"opaque", 2, true, "1203."},
    };
    for (const auto& c : cases) {
        Brush brush(block_of("1203."), 2); // on a background of 0
        brush.transparent = c.transparent;
        brush.opaque = c.opaque;
        std::string stamped(5, '.');
        for (const StampPixel& pixel : brush_stamp(brush, true, 9, 0))
            stamped[std::size_t(pixel.column + 2)] = "0123456789ABCDEF"[pixel.color];
        EXPECT_EQ(stamped, c.stamped) << c.what;
    }
}
