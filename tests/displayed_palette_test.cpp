#include "display/displayed_palette.h"
#include <gtest/gtest.h>

// Every view looks colours up in the shown palette: it follows the choice, Vexlor's own stays
// as it is, and the C64's green (its 5) shows at Vexlor's index 4.
TEST(DisplayedPalette, PaletteFollowsTheChoice) {
    EXPECT_EQ(shown_palette(), PaletteId::Vexlor);
    EXPECT_EQ(&shown_colors(), &palette_colors(PaletteId::Vexlor));
    for (PaletteId id : kKnownPalettes) {
        show_palette(id);
        EXPECT_EQ(shown_palette(), id);
        EXPECT_EQ(&shown_colors(), &palette_colors(id));
        for (unsigned index = 0; index < 32; ++index)
            ASSERT_EQ(palette_color(index), palette_colors(id)[index & 0x0F]);
    }
    show_palette(PaletteId::Colodore);
    EXPECT_EQ(palette_color(4), RGBColor(0x56, 0xAC, 0x4D));
    EXPECT_EQ(palette_color(5), RGBColor(0x8E, 0x3C, 0x97));
    EXPECT_EQ(palette_colors(PaletteId::Vexlor)[4], 0x00CC00u);
    show_palette(PaletteId::Vexlor);
    EXPECT_EQ(palette_color(4), 0x00CC00u);
}

TEST(DisplayedPalette, VexlorsOwnKeepsGreenBeforePurple) {
    EXPECT_EQ(palette_color(4), 0x00CC00u);
    EXPECT_EQ(palette_color(5), 0xFF00FFu);
    EXPECT_EQ(palette_color(7), 0x11E0FFu);
    EXPECT_EQ(palette_color(11), 0x555555u);
    EXPECT_EQ(palette_color(0x17), palette_color(7)); // a stray byte never reads past the table
}

TEST(DisplayedPalette, NamesGoBothWays) {
    for (PaletteId id : kKnownPalettes) EXPECT_EQ(palette_from_key(palette_key(id)), id);
    EXPECT_EQ(palette_key(PaletteId::ViceColodore), "VICE");
    for (const char* unknown : {"", "colodore", "Vexlor ", "VICE colodore"})
        EXPECT_FALSE(palette_from_key(unknown)) << unknown;
}
