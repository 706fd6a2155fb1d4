// The sprites over the picture without windows: their pixels, painting them, the eight-a-line
// limit and what shows with them.
#include "c64/sprite_multiplex.h"
#include "sprites/shown_screen.h"
#include "sprites/sprite_fix.h"
#include "sprites/sprite_pixels.h"
#include "tests/c64_support.h"
#include <gtest/gtest.h>
#include <random>

namespace {

constexpr std::uint8_t kShared0 = 13, kShared1 = 6;

SpriteSet set_of(std::vector<Sprite> sprites) {
    return {.sprites = std::move(sprites), .shared_colour0 = kShared0, .shared_colour1 = kShared1};
}

// A sprite whose first row is the bits `row0` (bit 23 its leftmost pixel) and whose other rows
// are clear.
Sprite with_first_row(std::uint32_t row0, Sprite sprite) {
    sprite.data[0] = std::uint8_t(row0 >> 16);
    sprite.data[1] = std::uint8_t(row0 >> 8);
    sprite.data[2] = std::uint8_t(row0);
    return sprite;
}

Sprite solid(int x, int y, std::uint8_t colour) {
    Sprite sprite{.x = x, .y = y, .colour = colour};
    sprite.data.fill(0xFF);
    return sprite;
}

} // namespace

// A sprite shows its own colour where a hires bit is set; a multicolour pixel's pair picks the
// shared colour 0, its own or the shared colour 1 across two screen pixels; expansion doubles
// each pixel; the topmost box (the lowest index) is the one under a pixel.
TEST(SpritePixels, ShowTheColourTheirBitsPick) {
    const Sprite hires = with_first_row(0x800001, {.x = 10, .y = 5, .colour = 7});
    const Sprite multi =
        with_first_row(0b01'10'11'00u << 16, {.x = 10, .y = 5, .colour = 3, .multicolour = true});
    const Sprite wide = with_first_row(
        0x400000, {.x = 10, .y = 5, .colour = 2, .expand_x = true, .expand_y = true});
    const struct {
        const char* what;
        Sprite sprite;
        PixelPos at;
        std::optional<std::uint8_t> shown;
    } rows[] = {{"hires: the leftmost pixel", hires, {10, 5}, 7},
                {"hires: the rightmost pixel", hires, {33, 5}, 7},
                {"hires: a clear pixel", hires, {11, 5}, std::nullopt},
                {"hires: the next row is clear", hires, {10, 6}, std::nullopt},
                {"left of the box", hires, {9, 5}, std::nullopt},
                {"right of the box", hires, {34, 5}, std::nullopt},
                {"below the box", hires, {10, 26}, std::nullopt},
                {"multicolour 01, left half", multi, {10, 5}, kShared0},
                {"multicolour 01, right half", multi, {11, 5}, kShared0},
                {"multicolour 10", multi, {13, 5}, 3},
                {"multicolour 11", multi, {14, 5}, kShared1},
                {"multicolour 00", multi, {16, 5}, std::nullopt},
                {"expanded: the second pixel covers 2 x 2", wide, {13, 6}, 2},
                {"expanded: the first pixel is clear", wide, {11, 5}, std::nullopt},
                {"expanded: the box is 48 x 42", wide, {57, 46}, std::nullopt}};
    for (const auto& [what, sprite, at, shown] : rows) {
        SCOPED_TRACE(what);
        EXPECT_EQ(sprite_colour_at(set_of({sprite}), 0, at), shown);
    }
    const SpriteSet stack = set_of({solid(20, 0, 1), solid(0, 0, 2), wide});
    EXPECT_EQ(sprite_under(stack, {20, 0}), 0u);
    EXPECT_EQ(sprite_under(stack, {19, 20}), 1u);
    EXPECT_EQ(sprite_under(stack, {50, 30}), 2u);
    EXPECT_EQ(sprite_under(stack, {70, 0}), std::nullopt);
    EXPECT_EQ(sprite_colour_at(stack, 3, {0, 0}), std::nullopt); // no such sprite
}

// Painting sets the pixel of the topmost sprite under the screen pixel to a colour the sprite
// can show, refuses one it cannot, and clears it with no colour; nothing else changes.
TEST(SpritePixels, PaintWithinTheSpritesColours) {
    const Sprite hires{.x = 0, .y = 0, .colour = 7};
    const Sprite multi{.x = 100, .y = 0, .colour = 3, .multicolour = true};
    const Sprite tall{.x = 200, .y = 0, .colour = 5, .expand_x = true, .expand_y = true};
    const auto none = std::nullopt;
    const struct {
        const char* what;
        PixelPos at;
        std::optional<std::uint8_t> colour;
        SpritePaint result;
        std::optional<std::uint8_t> shown;
    } strokes[] = {{"hires, its colour", {3, 4}, 7, SpritePaint::Painted, 7},
                   {"again", {3, 4}, 7, SpritePaint::Unchanged, 7},
                   {"hires, another colour", {3, 4}, kShared0, SpritePaint::NotItsColour, 7},
                   {"hires, cleared", {3, 4}, none, SpritePaint::Painted, none},
                   {"cleared again", {3, 4}, none, SpritePaint::Unchanged, none},
                   {"multicolour, shared 0", {105, 20}, kShared0, SpritePaint::Painted, kShared0},
                   {"multicolour, its own", {104, 20}, 3, SpritePaint::Painted, 3},
                   {"multicolour, shared 1", {105, 20}, kShared1, SpritePaint::Painted, kShared1},
                   {"multicolour, another", {105, 20}, 1, SpritePaint::NotItsColour, kShared1},
                   {"expanded", {203, 41}, 5, SpritePaint::Painted, 5},
                   {"outside every sprite", {150, 100}, 7, SpritePaint::NoSprite, none}};
    SpriteSet set = set_of({hires, multi, tall});
    for (const auto& [what, at, colour, result, shown] : strokes) {
        SCOPED_TRACE(what);
        EXPECT_EQ(paint_sprite_pixel(set, at, colour), result);
        const std::optional<std::size_t> under = sprite_under(set, at);
        EXPECT_EQ(under ? sprite_colour_at(set, *under, at) : none, shown);
    }
    // The painted pixels and no others: the multicolour pair covers screen pixels 104 and 105,
    // the expanded pixel 202..203 on lines 40..41.
    for (int row = 0; row < 42; ++row)
        for (int column = 0; column < 248; ++column) {
            const bool painted = (row == 20 && (column == 104 || column == 105)) ||
                                 (row >= 40 && (column == 202 || column == 203));
            const std::optional<std::size_t> under = sprite_under(set, {column, row});
            EXPECT_EQ(under && sprite_colour_at(set, *under, {column, row}), painted)
                << column << ", " << row;
        }
    // Where boxes overlap, the topmost sprite takes the pixel.
    SpriteSet overlapping = set_of({{.x = 10, .y = 0, .colour = 2}, {.x = 0, .y = 0, .colour = 2}});
    EXPECT_EQ(paint_sprite_pixel(overlapping, {12, 0}, 2), SpritePaint::Painted);
    EXPECT_EQ(overlapping.sprites[0].data[0], 0x20);
    EXPECT_EQ(overlapping.sprites[1].data, Sprite().data);
}

// A row that 9 sprites' boxes cover is crowded, blank sprites included, wherever the boxes
// reach into the window; the program refuses the same row.
TEST(SpriteRows, NineOnARowAreCrowded) {
    const auto band = [](int count, int y, int step = 30) {
        std::vector<Sprite> sprites;
        for (int n = 0; n < count; ++n) sprites.push_back({.x = step * n, .y = y});
        return sprites;
    };
    const auto with = [](std::vector<Sprite> sprites, Sprite more) {
        sprites.push_back(more);
        return sprites;
    };
    const struct {
        const char* what;
        std::vector<Sprite> sprites;
        std::vector<int> crowded;
    } rows[] = {
        {"eight", band(8, 50), {}},
        {"nine", band(9, 50), {50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60,
                               61, 62, 63, 64, 65, 66, 67, 68, 69, 70}},
        {"nine, the ninth lower", with(band(8, 50), {.y = 65}), {65, 66, 67, 68, 69, 70}},
        {"the ninth expanded reaches further",
         with(band(8, 50), {.y = 20, .expand_y = true}),
         {50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61}},
        {"nine at the top, partly above", band(9, -18), {0, 1, 2}},
        {"nine at the bottom", band(9, 198), {198, 199}},
        {"the ninth right of the window", with(band(8, 50), {.x = 320, .y = 50}), {}},
        {"the ninth left of the window", with(band(8, 50), {.x = -24, .y = 50}), {}},
        {"the ninth just in from the left", with(band(8, 50), {.x = -23, .y = 69}), {69, 70}},
        {"the ninth below the window", with(band(8, 180), {.y = 200}), {}}};
    for (const auto& [what, sprites, crowded] : rows) {
        SCOPED_TRACE(what);
        const SpriteSet set = set_of(sprites);
        EXPECT_EQ(crowded_rows(set), crowded);
        EXPECT_EQ(crowded_row(set), crowded.empty() ? std::nullopt : std::optional(crowded[0]));
        const std::string refusal = plan_multiplex(set).refusal;
        if (crowded.empty()) {
            EXPECT_EQ(refusal.find("holds"), std::string::npos) << refusal;
        } else {
            EXPECT_EQ(
                refusal.rfind("Row " + std::to_string(crowded[0]) + " of the picture holds 9", 0),
                0u)
                << refusal;
            EXPECT_EQ(sprites_on_row(set, crowded[0]).size(), 9u);
        }
    }
}

// Over a row of the bitmap, sprite 0 lies over sprite 1 and so on; a sprite behind shows only
// where the bitmap's pixel is not foreground, and there also hides the sprites under it, as on
// the VIC-II. Pixels past the window's edges are not drawn.
TEST(ShownScreen, SpritesLieInOrderOverOrBehindTheBitmap) {
    constexpr std::uint8_t kBitmap = 9;
    std::vector<std::uint8_t> foreground(320, 0);
    std::fill(foreground.begin() + 160, foreground.end(), 1);
    const auto behind = [](Sprite sprite) {
        sprite.behind = true;
        return sprite;
    };
    const Sprite hollow = with_first_row(0x00FFFF, {.x = 0, .y = 3, .colour = 1});
    const struct {
        const char* what;
        std::vector<Sprite> sprites;
        int column;
        std::uint8_t shown;
    } rows[] = {{"the first over the second", {solid(0, 3, 1), solid(10, 3, 2)}, 12, 1},
                {"the second where the first is clear", {hollow, solid(0, 3, 2)}, 3, 2},
                {"the second beyond the first", {solid(0, 3, 1), solid(10, 3, 2)}, 30, 2},
                {"no sprite", {solid(0, 3, 1)}, 24, kBitmap},
                {"behind, over the background", {behind(solid(150, 3, 1))}, 159, 1},
                {"behind, under the foreground", {behind(solid(150, 3, 1))}, 160, kBitmap},
                {"behind hides the one under it",
                 {behind(solid(150, 3, 1)), solid(150, 3, 2)},
                 165,
                 kBitmap},
                {"in front of one behind", {solid(150, 3, 2), behind(solid(150, 3, 1))}, 165, 2},
                {"past the left edge", {solid(-20, 3, 1)}, 3, 1},
                {"past the right edge", {solid(310, 3, 1)}, 319, 1},
                {"another row", {solid(0, 4, 1)}, 0, kBitmap}};
    for (const auto& [what, sprites, column, shown] : rows) {
        SCOPED_TRACE(what);
        std::vector<std::uint8_t> colours(320, kBitmap);
        compose_row(set_of(sprites), 3, colours, foreground);
        EXPECT_EQ(colours[std::size_t(column)], shown);
    }
}

namespace {

// What a C64 shows of an encoded picture with sprites over it, worked out pixel by pixel from
// the VIC-II's rules: the bitmap's colour and whether it is foreground from its bits, then the
// first sprite in the set with a pixel there.
std::vector<std::uint8_t> c64_screen(const C64Image& image, const SpriteSet& set) {
    const bool multicolour = std::holds_alternative<MulticolorImage>(image);
    std::vector<std::uint8_t> pixels(kHiresBytes);
    if (multicolour)
        decode_multicolor(std::get<MulticolorImage>(image), multicolor_grid(pixels));
    else
        decode_hires(std::get<HiresImage>(image), hires_grid(pixels));
    const auto& bitmap =
        multicolour ? std::get<MulticolorImage>(image).bitmap : std::get<HiresImage>(image).bitmap;
    std::vector<std::uint8_t> screen(kHiresBytes);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x) {
            const int byte = bitmap[std::size_t((y / 8 * 40 + x / 8) * 8 + y % 8)];
            const bool foreground = multicolour ? (byte >> (7 - x % 8 / 2 * 2) & 1) != 0
                                                : (byte >> (7 - x % 8) & 1) != 0;
            std::uint8_t& shown = screen[std::size_t(y * 320 + x)];
            shown = multicolour ? pixels[std::size_t(y * 160 + x / 2)]
                                : pixels[std::size_t(y * 320 + x)];
            for (const Sprite& sprite : set.sprites) {
                const int sx = (x - sprite.x) >> int(sprite.expand_x);
                const int sy = (y - sprite.y) >> int(sprite.expand_y);
                if (x < sprite.x || y < sprite.y || sx >= 24 || sy >= 21) continue;
                const int bits = sprite.data[std::size_t(sy * 3 + sx / 8)];
                const int value = sprite.multicolour ? bits >> (6 - sx % 8 / 2 * 2) & 3
                                                     : (bits >> (7 - sx % 8) & 1) * 2;
                if (value == 0) continue;
                const std::uint8_t colours[4] = {0, set.shared_colour0, sprite.colour,
                                                 set.shared_colour1};
                if (!(sprite.behind && foreground)) shown = colours[value];
                break;
            }
        }
    return screen;
}

} // namespace

// What shows of a document is what a C64 shows of the same picture and sprites (the bitmap as
// the mode encodes it, which the program is made from), multicolour and hires, sprites of every
// kind over and behind it, partly off the window.
TEST(ShownScreen, AgreesWithTheC64) {
    for (const bool hires : {false, true}) {
        SCOPED_TRACE(hires ? "hires" : "multicolour");
        std::mt19937 random(hires ? 11 : 12);
        Document document;
        Document::Edit edit(document, "Import");
        edit.set_background(6);
        if (hires) edit.set_mode(fmtHires);
        const StoredPicture picture =
            hires ? hires_stripes(4) : stored(random_encodable_picture(random, 6));
        const PixelGrid pixels = edit.pixels(document.whole());
        std::copy_n(picture.begin(), pixels.width * pixels.height, pixels.pixels);
        SpriteSet& set = edit.sprites();
        set.shared_colour0 = kShared0;
        set.shared_colour1 = kShared1;
        for (int n = 0; n < 24; ++n) {
            Sprite sprite{.x = int(random() % 340) - 20,
                          .y = int(random() % 220) - 20,
                          .colour = std::uint8_t(random() % 16)};
            for (std::uint8_t& byte : sprite.data) byte = std::uint8_t(random());
            sprite.multicolour = n % 2 == 0;
            sprite.expand_x = n % 3 == 0;
            sprite.expand_y = n % 5 == 0;
            sprite.behind = n % 4 < 2;
            set.sprites.push_back(sprite);
        }
        edit.commit();
        const C64Image image = document.mode().encode(document.grid(), document.back_color).image;
        EXPECT_EQ(shown_screen(document), c64_screen(image, document.sprites()));
    }
}

// Fix Colour Clashes with sprites shows the picture as it was wherever new sprites take the
// pixels the fix changed: everywhere, when the rows have room; not on rows that already hold 8
// sprites, nor under a sprite already there; and only the plain fix in FLI.
TEST(SpriteFix, ShowsThePictureAsItWasWhereSpritesTakeThePixels) {
    const auto eight_blank_on_row = [](int y) {
        std::vector<Sprite> sprites;
        for (int n = 0; n < 8; ++n) sprites.push_back({.x = 200 + n, .y = y});
        return sprites;
    };
    const struct {
        const char* what;
        PictureFormat mode;
        std::vector<Sprite> sprites;
        bool all_taken;
    } rows[] = {{"multicolour", fmtMulticolor, {}, true},
                {"hires", fmtHires, {}, true},
                {"rows full", fmtMulticolor, eight_blank_on_row(0), false},
                {"rows full elsewhere", fmtMulticolor, eight_blank_on_row(150), true},
                {"under a sprite", fmtMulticolor, {solid(0, 0, 1)}, false},
                {"FLI", fmtFli, {}, false}};
    for (const auto& [what, mode, sprites, all_taken] : rows) {
        SCOPED_TRACE(what);
        Document document(mode);
        {
            // Four colours on the background in the first cell of the top cell row, and of a
            // row lower down (100 to 107): one too many in multicolour, two in hires.
            Document::Edit edit(document, "Paint");
            const PixelGrid pixels = edit.pixels(document.whole());
            for (int row : {0, 1, 2, 3, 4, 5, 6, 7, 100, 101, 102, 103, 104, 105, 106, 107})
                for (int column = 0; column < document.mode().shape.cell.width; ++column)
                    pixels.row(row)[column] = std::uint8_t(1 + column % 4);
            edit.sprites().sprites = sprites;
            edit.commit();
        }
        const std::vector<std::uint8_t> before = shown_screen(document);
        const std::vector<std::uint8_t> pixels_before(document.picture.begin(),
                                                      document.picture.end());
        Document::Edit edit(document, "Fix Colour Clashes");
        const SpriteFix fix =
            fix_clashes_with_sprites(edit, lab_palette(PaletteId::Vexlor), document.whole());
        edit.commit();
        // Every screen pixel of a pixel changed shows another colour, but where an old sprite
        // hides the bitmap.
        const std::vector<std::uint8_t> after = shown_screen(document);
        const SpriteSet old = set_of(sprites);
        const int widen = 320 / document.grid().width;
        int differ = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 320; ++x) {
                const std::optional<std::size_t> under = sprite_under(old, {x, y});
                const bool hidden = under && sprite_colour_at(old, *under, {x, y});
                const std::size_t pixel = std::size_t(y * document.grid().width + x / widen);
                const bool repainted = document.picture[pixel] != pixels_before[pixel];
                const std::size_t i = std::size_t(y * 320 + x);
                differ += hidden ? repainted : after[i] != before[i];
            }
        EXPECT_EQ(differ, fix.changed * widen);
        EXPECT_GT(fix.to_sprites + fix.changed, 0);
        EXPECT_EQ(fix.changed == 0, all_taken);
        EXPECT_EQ(fix.to_sprites > 0, mode != fmtFli);
        EXPECT_EQ(crowded_row(document.sprites()), std::nullopt);
        EXPECT_TRUE(document.mode().inexact_rows(document.grid(), document.back_color).none());
    }
}
