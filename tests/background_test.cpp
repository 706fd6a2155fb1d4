#include "background/background.h"
#include "c64/multicolor.h"
#include <gtest/gtest.h>

namespace {

// Fills cell `cell` with `colors`, one after the other in scan order, repeating.
void paint_cell(PictureModel& model, int cell, std::initializer_list<std::uint8_t> colors) {
    for (int pixel = 0; pixel < kCellPixels; ++pixel)
        model.picture[std::size_t(cell_pixel_offset(cell, pixel))] =
            *(colors.begin() + pixel % int(colors.size()));
}

} // namespace

// Recolouring turns the old background's pixels into the new one; keeping leaves every pixel.
// Either way the background is the new colour, and choosing the same one changes nothing.
TEST(Background, ChangesRecolouringOrKeepingThePixels) {
    for (bool recolour : {true, false}) {
        SCOPED_TRACE(recolour);
        Document model;
        paint_cell(model, 0, {0, 2, 6});
        const auto before = model.picture;
        Document::Edit edit(model, "Background Colour");
        EXPECT_FALSE(set_background(edit, 0, recolour));
        EXPECT_TRUE(set_background(edit, 6, recolour));
        EXPECT_EQ(model.back_color, 6);
        for (std::size_t i = 0; i < std::size_t(kPictureBytes); ++i)
            ASSERT_EQ(model.picture[i], recolour && before[i] == 0 ? 6 : before[i]) << i;
        EXPECT_TRUE(set_background(edit, 0x1B, recolour)); // a colour index has four bits
        EXPECT_EQ(model.back_color, 11);
    }
}

// A picture without a background keeps the current one while every cell fits with it, else
// takes the first that fits them all, black first, else keeps it.
TEST(Background, APictureThatComesWithoutOneKeepsOrFindsOne) {
    struct Case {
        const char* what;
        std::initializer_list<std::uint8_t> cell0, cell1;
        std::uint8_t current, expected;
    };
    const Case cases[] = {
        {"empty", {0}, {0}, 0, 0},
        {"drawn on blue", {6, 2, 5, 7}, {6, 3, 4, 8}, 0, 6},
        {"on blue, reopened on blue", {6, 2, 5, 7}, {6, 3, 4, 8}, 6, 6},
        {"fits the current one", {0, 2, 5}, {6}, 3, 3},
        {"fits black and others", {0, 2, 5, 7}, {0, 1}, 3, 0},
        {"fits 9 and 11 only", {9, 11, 2, 5}, {9, 11, 3, 4}, 0, 9},
        {"fits none", {0, 2, 5, 7}, {6, 3, 4, 8}, 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PictureModel model;
        paint_cell(model, 0, c.cell0);
        paint_cell(model, 1, c.cell1);
        EXPECT_EQ(background_for_loaded(multicolor_grid(model.picture), c.current), c.expected);
    }
}
