#include "c64/fli.h"
#include "c64/render.h"
#include "conversion/convert.h"
#include "conversion/diffusion.h"
#include "conversion/pair_search.h"
#include "tests/c64_support.h"
#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <set>

namespace {

RgbImage flat_image(int width, int height, std::uint32_t rgb) {
    RgbImage image{width, height, {}};
    for (int i = 0; i < width * height; ++i)
        image.rgb.insert(image.rgb.end(),
                         {std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)});
    return image;
}

void set_pixel(RgbImage& image, int x, int y, std::uint32_t rgb) {
    std::uint8_t* p = image.rgb.data() + (y * image.width + x) * 3;
    p[0] = std::uint8_t(rgb >> 16), p[1] = std::uint8_t(rgb >> 8), p[2] = std::uint8_t(rgb);
}

RgbImage noise_image(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    RgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    for (std::uint8_t& v : image.rgb) v = std::uint8_t(random());
    return image;
}

Lab lab_at(const PictureTarget& target, int x, int y) { return target.pixels[y * 160 + x]; }

bool obeys_limit(const Conversion& conversion) {
    return inexact_cells(multicolor_grid(conversion.picture), conversion.background).none();
}

// The colour `share` of the way from `from` to `to` in CIELAB.
Lab between(const Lab& from, const Lab& to, float share) {
    return {from.L + share * (to.L - from.L), from.a + share * (to.a - from.a),
            from.b + share * (to.b - from.b)};
}

double cells_error(const std::vector<Lab>& target, const LabPalette& colors,
                   const CellColors& cells) {
    const PictureTarget whole{target, 0, 0, 160, 200, false};
    return mean_delta_e(whole, whole.grid_of(map_to_cells(whole, colors, cells, Dither::None)),
                        colors);
}

} // namespace

TEST(Fit, TakesA160By200ImagePixelForPixelAnd320By200AsPairs) {
    RgbImage narrow = flat_image(160, 200, 0x000000);
    set_pixel(narrow, 3, 5, 0xFF0000);
    const PictureTarget one = fit_to_picture(narrow);
    EXPECT_FALSE(one.scaled);
    EXPECT_EQ(one.width, 160);
    EXPECT_NEAR(lab_at(one, 3, 5).L, lab_from_rgb(255, 0, 0).L, 0.01);
    EXPECT_NEAR(lab_at(one, 4, 5).L, 0, 0.01);

    RgbImage wide = flat_image(320, 200, 0x000000);
    set_pixel(wide, 6, 1, 0x404040); // pair 3: two greys
    set_pixel(wide, 7, 1, 0xC0C0C0);
    set_pixel(wide, 8, 1, 0xFFFFFF); // pair 4: white
    set_pixel(wide, 9, 1, 0xFFFFFF);
    const PictureTarget pairs = fit_to_picture(wide);
    EXPECT_FALSE(pairs.scaled);
    EXPECT_EQ(pairs.width, 160);
    const float light = (linear_from_srgb(0x40) + linear_from_srgb(0xC0)) / 2; // mixed as light
    EXPECT_NEAR(lab_at(pairs, 3, 1).L, lab_from_linear(light, light, light).L, 0.01);
    EXPECT_NEAR(lab_at(pairs, 4, 1).L, 100, 0.01);
}

TEST(Fit, ScalesAnyOtherSizeToFitTheScreenKeepingItsAspect) {
    const PictureTarget photo = fit_to_picture(flat_image(640, 480, 0xFFFFFF));
    EXPECT_TRUE(photo.scaled);
    EXPECT_EQ(photo.height, 200);
    EXPECT_EQ(photo.width, 134); // 267 screen pixels
    EXPECT_EQ(photo.left, 13);
    EXPECT_NEAR(lab_at(photo, 13, 0).L, 100, 0.01);
    EXPECT_NEAR(lab_at(photo, 12, 0).L, 0, 0.01); // black beside it
    EXPECT_NEAR(lab_at(photo, 146, 199).L, 100, 0.01);
    EXPECT_NEAR(lab_at(photo, 147, 199).L, 0, 0.01);

    const PictureTarget banner = fit_to_picture(flat_image(100, 50, 0xFFFFFF));
    EXPECT_EQ(banner.width, 160);
    EXPECT_EQ(banner.height, 160);
    EXPECT_EQ(banner.top, 20);
    EXPECT_TRUE(fit_to_picture(flat_image(160, 100, 0)).scaled);
}

TEST(Palettes, AnImageDrawnInAKnownPaletteIsRecognised) {
    std::mt19937 random(4);
    const PictureBytes picture = random_encodable_picture(random, 0);
    for (PaletteId id : kKnownPalettes) {
        const RgbImage image = render_picture(multicolor_grid(picture), {.palette = id});
        EXPECT_EQ(recognise_palette(image), id) << palette_name(id);
    }
    EXPECT_EQ(recognise_palette(noise_image(160, 200, 1)), std::nullopt);
    EXPECT_EQ(recognise_palette(flat_image(10, 10, 0x808000)), std::nullopt);
}

TEST(Palettes, NearMissesOfAPaletteAreStillIt) {
    // The other circulating Pepto table, and one stray colour in a hundred pixels.
    const std::uint32_t pepto_copy[] = {0x67372D, 0x73A3B1, 0x6F3D86, 0x588D43, 0x352879};
    RgbImage image = flat_image(100, 1, 0x000000);
    for (int x = 0; x < 99; ++x) set_pixel(image, x, 0, pepto_copy[x % 5]);
    set_pixel(image, 99, 0, 0x123456);
    EXPECT_EQ(recognise_palette(image), PaletteId::Pepto);
    set_pixel(image, 98, 0, 0x654321); // two strays in a hundred are too many
    EXPECT_EQ(recognise_palette(image), std::nullopt);
}

TEST(Conversion, AnImageDrawnInAPaletteUnderTheLimitIsTakenColourForColour) {
    std::mt19937 random(21);
    const PictureBytes on_black = random_encodable_picture(random, 0);
    for (PaletteId id : kKnownPalettes) {
        const Conversion conversion =
            convert_image(render_picture(multicolor_grid(on_black), {.palette = id}), {});
        EXPECT_TRUE(conversion.palette.drawn_in_it);
        EXPECT_EQ(conversion.palette.palette, id);
        EXPECT_FALSE(conversion.scaled);
        EXPECT_EQ(conversion.picture, stored(on_black)) << palette_name(id);
    }
    // On another background only "best" finds it; black cannot show it.
    const PictureBytes on_blue = random_encodable_picture(random, 6);
    const RgbImage image = render_picture(multicolor_grid(on_blue),
                                          {.double_width = false, .palette = PaletteId::Colodore});
    const Conversion best = convert_image(image, {.background = BackgroundChoice::Best});
    EXPECT_EQ(best.background, 6);
    EXPECT_EQ(best.picture, stored(on_blue));
    const Conversion black = convert_image(image, {});
    EXPECT_EQ(black.background, 0);
    EXPECT_NE(black.picture, stored(on_blue));
    EXPECT_TRUE(obeys_limit(black));
}

TEST(Conversion, SearchesTheCombinationsRatherThanTakingTheMostFrequentColours) {
    // One cell: three greys, 7 pixels each, red 6, black 6. Most frequent: the greys, and red
    // is lost; least error: red and two greys.
    const LabPalette& colors = lab_palette(PaletteId::Pepto);
    std::vector<Lab> target(kPictureBytes, colors[0]);
    const std::uint8_t shades[] = {11, 12, 15, 2, 0};
    const int counts[] = {7, 7, 7, 6, 5};
    int pixel = 0;
    for (int k = 0; k < 5; ++k)
        for (int n = 0; n < counts[k]; ++n)
            target[cell_pixel_offset(0, pixel++)] = colors[shades[k]];
    const CellColors searched = choose_cell_colors(target, colors, 0);
    EXPECT_NE(std::find(searched.cells[0].begin(), searched.cells[0].end(), 2),
              searched.cells[0].end());
    const CellColors frequent = choose_cell_colors_by_frequency(target, colors);
    EXPECT_EQ(std::find(frequent.cells[0].begin(), frequent.cells[0].end(), 2),
              frequent.cells[0].end());
    EXPECT_LT(cells_error(target, colors, searched), cells_error(target, colors, frequent));
}

TEST(Conversion, TheSearchIsNeverWorseThanTheFrequentColours) {
    const LabPalette& colors = lab_palette(PaletteId::Colodore);
    const PictureTarget target = fit_to_picture(noise_image(160, 200, 7));
    const CellColors frequent = choose_cell_colors_by_frequency(target.pixels, colors);
    const CellColors searched = choose_cell_colors(target.pixels, colors, frequent.background);
    const CellColors best = choose_cell_colors(target.pixels, colors, std::nullopt);
    const double simple_error = cells_error(target.pixels, colors, frequent);
    EXPECT_LT(cells_error(target.pixels, colors, searched), simple_error);
    EXPECT_LE(cells_error(target.pixels, colors, best),
              cells_error(target.pixels, colors, searched) + 1e-3);
}

// Noise, and a photograph-like image: smooth gradients, a bright disc, a fine texture.
TEST(Conversion, EveryOptionGivesAPictureThatObeysTheLimit) {
    RgbImage photo{320, 200, std::vector<std::uint8_t>(320 * 200 * 3)};
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x) {
            const bool disc = (x - 200) * (x - 200) + (y - 90) * (y - 90) < 3600;
            set_pixel(photo, x, y,
                      std::uint32_t(disc ? 230 : x * 255 / 320) << 16 |
                          std::uint32_t(disc ? 180 - y / 2 : y * 255 / 200) << 8 |
                          std::uint32_t((x + y) % 7 < 3 ? 40 : 160 + (x * y) % 90));
        }
    const RgbImage noise = noise_image(123, 77, 9);
    const struct {
        const RgbImage& image;
        PictureFormat format;
        BackgroundChoice background;
        Dither dither;
    } cases[] = {
        {noise, fmtMulticolor, BackgroundChoice::Black, Dither::None},
        {noise, fmtMulticolor, BackgroundChoice::Best, Dither::Ordered},
        {noise, fmtMulticolor, BackgroundChoice::Given, Dither::FloydSteinberg},
        {photo, fmtMulticolor, BackgroundChoice::Best, Dither::FloydSteinberg},
        {photo, fmtMulticolor, BackgroundChoice::Given, Dither::None},
        {noise, fmtFli, BackgroundChoice::Black, Dither::FloydSteinberg},
        {noise, fmtFli, BackgroundChoice::Given, Dither::Ordered},
        {photo, fmtFli, BackgroundChoice::Black, Dither::None},
        {photo, fmtFli, BackgroundChoice::Best, Dither::FloydSteinberg},
        {photo, fmtFli, BackgroundChoice::Given, Dither::FloydSteinberg},
        {noise, fmtHires, BackgroundChoice::Black, Dither::None},
        {photo, fmtHires, BackgroundChoice::Best, Dither::Ordered},
        {photo, fmtHires, BackgroundChoice::Black, Dither::FloydSteinberg},
        {noise, fmtAfli, BackgroundChoice::Black, Dither::FloydSteinberg},
        {photo, fmtAfli, BackgroundChoice::Black, Dither::None},
        {photo, fmtAfli, BackgroundChoice::Black, Dither::FloydSteinberg},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << &c.image << " format " << int(c.format) << " background "
                                        << int(c.background) << " dither " << int(c.dither));
        const Conversion conversion =
            convert_image(c.image, {PaletteId::Pepto, c.background, c.dither, 14, c.format});
        EXPECT_TRUE(c.background != BackgroundChoice::Given || conversion.background == 14);
        const Mode& mode = mode_of(c.format);
        EXPECT_EQ(
            mode.areas_over_limit(mode.grid_of(conversion.picture.data()), conversion.background),
            0);
        for (std::uint8_t index : conversion.picture) ASSERT_LT(index, 16);
    }
    EXPECT_TRUE(obeys_limit(convert_image(RgbImage{}, {})));
}

// Hires and AFLI: a picture in the palette's colours comes back as it was, and dithered, a
// gradient no pair of colours shows comes closer, seen from a distance (the mean of each 8 x 8
// block, as an eye at a distance sees it), than the nearest colours do.
TEST(Conversion, HiresModesTakeAFlatPictureExactlyAndDitherAGradientCloser) {
    const LabPalette& colors = lab_palette(PaletteId::Colodore);
    RgbImage gradient{320, 200, {}};
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x)
            gradient.rgb.insert(gradient.rgb.end(),
                                {std::uint8_t(x * 255 / 320), std::uint8_t(60 + y / 2),
                                 std::uint8_t(200 - x * 150 / 320)});
    StoredPicture flat{};
    flat.fill(14); // light blue
    const RgbImage flat_image =
        render_picture(hires_grid(flat), {.palette = PaletteId::Colodore, .hires = true});
    const PictureTarget target = fit_to_picture(gradient, nullptr, fmtHires);
    // The mean difference between each 8 x 8 block of the gradient and of the picture.
    const auto seen_from_afar = [&](const StoredPicture& picture) {
        double sum = 0;
        for (int top = 0; top < 200; top += 8)
            for (int left = 0; left < 320; left += 8) {
                Lab wanted, shown;
                const auto add = [](Lab& sum, const Lab& c) {
                    sum = {sum.L + c.L / 64, sum.a + c.a / 64, sum.b + c.b / 64};
                };
                for (int y = top; y < top + 8; ++y)
                    for (int x = left; x < left + 8; ++x) {
                        add(wanted, target.pixels[std::size_t(y * 320 + x)]);
                        add(shown, colors[picture[std::size_t(y * 320 + x)]]);
                    }
                sum += delta_e(wanted, shown);
            }
        return sum / 1000;
    };
    for (PictureFormat format : {fmtHires, fmtAfli}) {
        SCOPED_TRACE(mode_of(format).name);
        double afar[2] = {};
        for (Dither dither : {Dither::None, Dither::FloydSteinberg}) {
            const ConversionOptions options{PaletteId::Colodore, {}, dither, 0, format};
            const Conversion converted = convert_image(flat_image, options);
            EXPECT_FALSE(converted.scaled);
            EXPECT_EQ(converted.picture, flat) << int(dither);
            afar[dither == Dither::FloydSteinberg] =
                seen_from_afar(convert_image(gradient, options).picture);
        }
        EXPECT_LT(afar[1], afar[0] * 0.6);
    }
}

// The hires diffusion weighs every pixel of an area once: a cell whose first row is black and
// whose seven rows below are half-way between orange and grey takes orange and grey, the seven
// rows its mixes make up outweighing the one it misses. AFLI's hidden columns, three cells of
// 8, keep the pairs they were given and pass no error on.
TEST(Conversion, TheHiresDiffusionWeighsEachPixelOnceAndKeepsTheHiddenColumns) {
    const LabPalette& colors = lab_palette(PaletteId::Colodore);
    constexpr std::uint8_t kWhite = 1, kOrange = 8, kGrey = 12;
    PictureTarget cell{std::vector<Lab>(kStorageBytes, colors[0]), 0, 0, 320, 200, false, 320};
    for (int y = 9; y < 16; ++y)
        for (int x = 80; x < 88; ++x)
            cell.pixels[std::size_t(y * 320 + x)] = between(colors[kOrange], colors[kGrey], 0.5f);
    const StoredPicture hires = diffuse_pairs(cell, colors, RowColors{}, mode_of(fmtHires));
    std::set<std::uint8_t> used;
    for (int y = 8; y < 16; ++y)
        for (int x = 80; x < 88; ++x) used.insert(hires[std::size_t(y * 320 + x)]);
    EXPECT_EQ(used, (std::set<std::uint8_t>{kOrange, kGrey}));

    const PictureTarget white{
        std::vector<Lab>(kStorageBytes, colors[kWhite]), 0, 0, 320, 200, false, 320};
    RowColors black_and_blue;
    for (auto& row : black_and_blue.rows) row = pair_set(0, 6);
    const StoredPicture afli = diffuse_pairs(white, colors, black_and_blue, mode_of(fmtAfli));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(afli[std::size_t(y * 320 + x)] == kWhite, x >= 24) << x << ", " << y;
}

TEST(Conversion, DitheringMixesColoursToComeCloserOnAverage) {
    // A flat colour no C64 colour matches: a blue between Colodore's blue and light blue.
    const RgbImage image = flat_image(160, 200, 0x4F4CC3);
    const Lab wanted = lab_from_rgb(0x4F, 0x4C, 0xC3);
    const LabPalette& colors = lab_palette(PaletteId::Colodore);
    auto mean_of = [&](const StoredPicture& picture) {
        Lab sum;
        for (int y = 100; y < 108; ++y)
            for (int x = 80; x < 88; ++x) {
                const Lab& c = colors[picture[y * 160 + x]];
                sum = {sum.L + c.L / 64, sum.a + c.a / 64, sum.b + c.b / 64};
            }
        return sum;
    };
    const Conversion plain = convert_image(image, {PaletteId::Colodore});
    const float plain_miss = delta_e(mean_of(plain.picture), wanted);
    EXPECT_GT(plain_miss, 5);
    for (Dither dither : {Dither::Ordered, Dither::FloydSteinberg}) {
        const Conversion dithered = convert_image(image, {PaletteId::Colodore, {}, dither});
        EXPECT_LT(delta_e(mean_of(dithered.picture), wanted), plain_miss / 2) << int(dither);
    }
}

// The colours a cell gets cannot depend on where they stand in the palette: with mixes, each of
// the three is mixed with the background as well as with the other two.
TEST(Conversion, TheCellSearchDoesNotDependOnTheOrderOfThePalette) {
    const LabPalette& colors = lab_palette(PaletteId::Colodore);
    LabPalette reversed;
    for (int i = 0; i < 16; ++i) reversed[i] = colors[15 - i];
    // Each pixel part background, part another colour, as dithered art is seen from afar.
    std::mt19937 random(9);
    std::vector<Lab> target(kPictureBytes);
    for (int cell = 0; cell < 40; ++cell) {
        const int mixed[3] = {int(1 + random() % 15), int(1 + random() % 15),
                              int(1 + random() % 15)};
        for (int pixel = 0; pixel < kCellPixels; ++pixel) {
            const Lab& other = colors[mixed[pixel % 3]];
            const float share = float(random() % 1000) / 1000;
            target[cell_pixel_offset(cell, pixel)] = {other.L * share, other.a * share,
                                                      other.b * share};
        }
    }
    const CellColors plain = choose_cell_colors(target, colors, 0, CellError::Mix);
    const CellColors turned = choose_cell_colors(target, reversed, 15, CellError::Mix);
    for (int cell = 0; cell < 40; ++cell) {
        std::array<std::uint8_t, 4> back = turned.cells[cell];
        for (std::uint8_t& c : back) c = std::uint8_t(15 - c);
        std::array<std::uint8_t, 4> chosen = plain.cells[cell];
        std::sort(back.begin(), back.end());
        std::sort(chosen.begin(), chosen.end());
        EXPECT_EQ(chosen, back) << "cell " << cell;
    }
}

// Error diffusion passes on what a pixel misses, and colours beyond any the C64 has miss by the
// same amount pixel after pixel. What is carried is bounded, so that it does not run on as a
// streak into the part of the picture that the C64 shows as it is.
TEST(Conversion, FloydSteinbergCarriesNoStreakOutOfASaturatedArea) {
    constexpr std::uint32_t kGreen = 0x40A040; // Colodore's green, near enough
    RgbImage image = flat_image(160, 200, kGreen);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 80; ++x) set_pixel(image, x, y, 0x0000FF); // bluer than any C64 blue
    const ConversionOptions options{PaletteId::Colodore, {}, Dither::FloydSteinberg};
    const Conversion green_alone = convert_image(flat_image(160, 200, kGreen), options);
    const Conversion converted = convert_image(image, options);
    // Past the first cell of green, each row as the green alone.
    const LabPalette& colors = lab_palette(PaletteId::Colodore);
    for (int y = 0; y < 200; ++y) {
        double drift = 0;
        for (int x = 84; x < 160; ++x)
            drift += delta_e(colors[converted.picture[y * 160 + x]],
                             colors[green_alone.picture[y * 160 + x]]);
        ASSERT_LT(drift / 76, 1.0) << "row " << y;
    }
}

// Floyd-Steinberg passes 7/16 of what a pixel misses to the right, 3/16 below left, 5/16 below
// and 1/16 below right. At the right edge, a grey a quarter of the way to white is shown black,
// and 3/16 of its miss (1/16 would not) tips the grey below left, just short of half-way, to
// white.
TEST(Conversion, FloydSteinbergPassesThreeSixteenthsBelowLeft) {
    const LabPalette& colors = lab_palette(PaletteId::Colodore);
    PictureTarget target{std::vector<Lab>(kPictureBytes, colors[0]), 0, 0, 160, 200, false};
    target.pixels[10 * 160 + 159] = between(colors[0], colors[1], 0.25f);
    target.pixels[11 * 160 + 158] = between(colors[0], colors[1], 0.47f);
    RowColors black_and_white;
    for (auto& row : black_and_white.rows) row = {0, 1, 0, 1};
    const StoredPicture picture = diffuse_onto_rows(target, colors, black_and_white);
    EXPECT_EQ(picture[11 * 160 + 158], 1);
    EXPECT_EQ(std::count(picture.begin(), picture.end(), 1), 1);
}
