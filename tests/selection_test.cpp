#include "display/displayed_palette.h"
#include "picture/picture.h"
#include "selection/block.h"
#include "selection/block_exchange.h"
#include <gtest/gtest.h>
#include <random>

namespace {

using Picture = std::array<std::uint8_t, kPictureBytes>;

Picture noise(unsigned seed) {
    std::mt19937 random(seed);
    Picture picture;
    for (auto& pixel : picture) pixel = std::uint8_t(random() % 16);
    return picture;
}

// The Multicolor picture's size and cells.
constexpr PixelArea kWholePicture{0, 0, 160, 200};
constexpr CellSize kCell{4, 8};
constexpr PictureShape kShape{160, 200, kCell, 2};

PixelGrid grid(Picture& picture) { return {picture.data(), 160, 200}; }
ConstPixelGrid grid(const Picture& picture) { return {picture.data(), 160, 200}; }
PixelGrid grid(PictureModel& model) { return {model.picture.data(), 160, 200}; }

// Pastes as a model's picture on its background takes it, in the mode of `format`.
void paste(PictureModel& model, std::uint8_t format, const PixelBlock& block, PixelPos at,
           bool exact) {
    paste_block(grid(model), model.back_color, mode_of(format), block, at, exact);
}

std::uint8_t& at(Picture& picture, int column, int row) {
    return picture[std::size_t(row * kPictureColumns + column)];
}

// Each row runs through `colors` from its left end.
RgbImage image_of(int width, int height, const std::vector<TColor>& colors) {
    RgbImage image{width, height, {}};
    for (int i = 0; i < width * height; ++i) {
        const TColor color = colors[std::size_t(i % width) % colors.size()];
        image.rgb.insert(image.rgb.end(), {std::uint8_t(RedOf(color)), std::uint8_t(GreenOf(color)),
                                           std::uint8_t(BlueOf(color))});
    }
    return image;
}

} // namespace

// Both corners belong to the rectangle, in whichever order they come; the picture's edges cut it.
TEST(SelectionGeometry, TheRectangleHoldsBothCornersAndEndsAtThePicturesEdges) {
    const struct {
        PixelPos corner, opposite;
        PixelArea area;
    } cases[] = {
        {{3, 4}, {3, 4}, {3, 4, 1, 1}},
        {{10, 20}, {17, 27}, {10, 20, 8, 8}},
        {{17, 27}, {10, 20}, {10, 20, 8, 8}},
        {{17, 20}, {10, 27}, {10, 20, 8, 8}},
        {{-5, -9}, {2, 3}, {0, 0, 3, 4}},
        {{150, 190}, {170, 230}, {150, 190, 10, 10}},
        {{160, 5}, {170, 9}, {}},
        {{-3, 0}, {-1, 5}, {}},
    };
    for (const auto& c : cases) {
        const PixelArea area = area_between(c.corner, c.opposite, kWholePicture);
        EXPECT_EQ(area, c.area) << c.corner.column << "," << c.corner.row;
        EXPECT_EQ(area.empty(), c.area.empty());
    }
}

TEST(SelectionGeometry, SnappingGrowsOutToWholeCells) {
    const struct {
        PixelArea area, snapped;
    } cases[] = {
        {{5, 9, 1, 1}, {4, 8, 4, 8}},         {{4, 8, 4, 8}, {4, 8, 4, 8}},
        {{3, 7, 2, 2}, {0, 0, 8, 16}},        {{157, 195, 3, 5}, {156, 192, 4, 8}},
        {{0, 0, 160, 200}, {0, 0, 160, 200}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(snapped_to_cells(c.area, kCell, kWholePicture), c.snapped);
}

TEST(SelectionBlocks, CopyTakesTheAreaAndFillCoversExactlyIt) {
    Picture picture = noise(1);
    const PixelArea area{7, 11, 5, 3};
    const PixelBlock block = copy_block(grid(picture), area);
    ASSERT_EQ(block.pixels.size(), 15u);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(block.at(column, row), at(picture, 7 + column, 11 + row));
    const Picture before = picture;
    fill_block(grid(picture), area, 9);
    for (int row = 0; row < kPictureRows; ++row)
        for (int column = 0; column < kPictureColumns; ++column)
            EXPECT_EQ(at(picture, column, row),
                      area.contains({column, row}) ? 9 : before[std::size_t(row * 160 + column)]);
}

// A flip mirrors the area and nothing else; twice gives the picture back.
TEST(SelectionBlocks, FlipsMirrorTheAreaAndUndoThemselves) {
    const Picture original = noise(2);
    const PixelArea area{13, 21, 6, 5};
    for (auto [flip, across] : {std::pair{&flip_horizontally, true}, {&flip_vertically, false}}) {
        for (const PixelArea& where : {area, kWholePicture}) {
            Picture picture = original;
            flip(grid(picture), where);
            for (int row = 0; row < kPictureRows; ++row)
                for (int column = 0; column < kPictureColumns; ++column) {
                    PixelPos from{column, row};
                    if (where.contains(from)) {
                        if (across)
                            from.column = where.left + where.right() - column;
                        else
                            from.row = where.top + where.bottom() - row;
                    }
                    ASSERT_EQ(at(picture, column, row),
                              original[std::size_t(from.row * 160 + from.column)])
                        << column << "," << row;
                }
            flip(grid(picture), where);
            EXPECT_EQ(picture, original);
        }
    }
}

// A pixel that would bring a fourth colour besides the background into its cell is refused and
// keeps its colour; one whose colour the cell holds, or that replaces a colour's last pixel,
// lands. In FLI the limit is the 4 x 1 row. Written exactly, every pixel lands.
TEST(SelectionPaste, ThroughTheLimitOnlyAFourthColourIsRefused) {
    const struct {
        const char* what;
        PixelPos at;
        std::uint8_t color;
        std::uint8_t format;
        bool lands;
    } cases[] = {
        {"a colour the cell holds, on the background", {11, 20}, 3, fmtMulticolor, true},
        {"a fourth colour on the background", {11, 20}, 5, fmtMulticolor, false},
        {"a fourth colour over a colour's last pixel", {10, 16}, 5, fmtMulticolor, true},
        {"a fourth colour over one of a colour's pixels", {8, 16}, 5, fmtMulticolor, false},
        {"the background over anything", {8, 16}, 0, fmtMulticolor, true},
        {"a fourth colour in a row with room, in FLI", {11, 20}, 5, fmtFli, true},
        {"a fourth colour in a full row, in FLI", {11, 16}, 5, fmtFli, false},
        {"a colour in the cell next door", {12, 16}, 5, fmtMulticolor, true},
    };
    for (const auto& c : cases)
        for (bool exact : {false, true}) {
            PictureModel model;
            model.write_pixel(8, 16, 2);
            model.write_pixel(8, 23, 2);
            model.write_pixel(9, 16, 3);
            model.write_pixel(10, 16, 4);
            const std::uint8_t old = model.read_pixel(c.at.column, c.at.row);
            paste(model, c.format, {1, 1, {c.color}}, c.at, exact);
            EXPECT_EQ(model.read_pixel(c.at.column, c.at.row), c.lands || exact ? c.color : old)
                << c.what << (exact ? ", exact" : "");
        }
}

// A cell of three colours and background, with many pixels of each, moved onto an empty place
// and onto a place of one other colour, lands whole.
TEST(SelectionPaste, AWholeCellMovesThroughTheLimit) {
    Picture source{};
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 4; ++column) at(source, column, row) = (column + row) % 4 + 5;
    const PixelBlock cell = copy_block(grid(source), {0, 0, 4, 8});
    for (std::uint8_t under : {0, 9}) {
        PictureModel model;
        model.back_color = 5;
        fill_block(grid(model), kWholePicture, under);
        paste(model, fmtMulticolor, cell, {20, 40}, false);
        EXPECT_EQ(copy_block(grid(model), {20, 40, 4, 8}), cell) << int(under);
    }
}

TEST(SelectionPaste, ABlockIsCutAtThePicturesEdges) {
    PixelBlock block{6, 4, std::vector<std::uint8_t>(24, 3)};
    const struct {
        PixelPos at;
        PixelArea lands;
    } cases[] = {{{157, 198}, {157, 198, 3, 2}},
                 {{-4, -2}, {0, 0, 2, 2}},
                 {{160, 0}, {}},
                 {{0, -4}, {}},
                 {{20, 30}, {20, 30, 6, 4}}};
    for (const auto& c : cases) {
        PictureModel model;
        paste(model, fmtMulticolor, block, c.at, true);
        int written = 0;
        for (int row = 0; row < kPictureRows; ++row)
            for (int column = 0; column < kPictureColumns; ++column)
                if (model.read_pixel(column, row) == 3) {
                    ++written;
                    EXPECT_TRUE(c.lands.contains({column, row})) << column << "," << row;
                }
        EXPECT_EQ(written, c.lands.width * c.lands.height) << c.at.column << "," << c.at.row;
    }
}

TEST(SelectionClipboardForm, ABlockComesBackAsItWent) {
    const Picture picture = noise(3);
    for (const PixelArea& area : {PixelArea{0, 0, 1, 1}, PixelArea{3, 5, 17, 9}, kWholePicture}) {
        const PixelBlock block = copy_block(grid(picture), area);
        const std::vector<std::uint8_t> bytes = encode_block(block);
        EXPECT_EQ(bytes.size(), 4 + block.pixels.size());
        EXPECT_EQ(decode_block(bytes, kShape), block);
    }
    const std::vector<std::uint8_t> two_by_one{2, 0, 1, 0, 15, 0};
    EXPECT_EQ(decode_block(two_by_one, kShape), (PixelBlock{2, 1, {15, 0}}));
    // A block that holds some of its pixels keeps its mask; one whose mask holds all is whole.
    const PixelBlock masked{2, 1, {15, 7}, {0, 1}};
    EXPECT_EQ(decode_block(encode_block(masked), kShape), masked);
    const std::vector<std::uint8_t> all_held{2, 0, 1, 0, 15, 0, 1, 1};
    EXPECT_EQ(decode_block(all_held, kShape), (PixelBlock{2, 1, {15, 0}}));
}

// Bytes from another program, or damaged, never make a block past the picture's size or
// colours, nor reach past their end.
TEST(SelectionClipboardForm, HostileBytesAreRefused) {
    auto bytes = [](int width, int height, std::size_t count, std::uint8_t fill = 1) {
        std::vector<std::uint8_t> b{std::uint8_t(width), std::uint8_t(width >> 8),
                                    std::uint8_t(height), std::uint8_t(height >> 8)};
        b.resize(4 + count, fill);
        return b;
    };
    const std::vector<std::uint8_t> cases[] = {
        {},
        {1, 0, 1},
        bytes(0, 5, 0),
        bytes(5, 0, 0),
        bytes(161, 1, 161),
        bytes(1, 201, 201),
        bytes(0xFFFF, 0xFFFF, 10),
        bytes(4, 4, 15),
        bytes(4, 4, 17),
        bytes(4, 4, 16, 16),
        bytes(4, 4, 16, 0xFF),
        bytes(4, 4, 32, 2), // a mask byte of 2
        bytes(4, 4, 31),
    };
    for (const auto& c : cases) EXPECT_FALSE(decode_block(c, kShape)) << c.size() << " bytes";
    EXPECT_TRUE(decode_block(bytes(160, 200, 32000), kShape));
}

// Drawn in the shown colours, an image comes back colour for colour: one pixel each when it is
// narrow, one pixel per pair when it is wider than the picture. Only what fits is taken.
TEST(SelectionExternalImage, KeepsItsSizeTakesPairsWhenWideAndIsCutToThePicture) {
    const std::vector<TColor> colors{palette_color(2), palette_color(7), palette_color(1),
                                     palette_color(14), palette_color(0)};
    const struct {
        int width, height;
        int pair; // image pixels per picture pixel
        int block_width, block_height;
    } cases[] = {{5, 3, 1, 5, 3},         {160, 2, 1, 160, 2},     {163, 4, 2, 82, 4},
                 {320, 200, 2, 160, 200}, {401, 300, 2, 160, 200}, {7, 250, 1, 7, 200}};
    for (const auto& c : cases) {
        // Each pair of image pixels shares its colour, so pairs average to that colour.
        std::vector<TColor> pattern;
        for (TColor color : colors) pattern.insert(pattern.end(), c.pair, color);
        const RgbImage image = image_of(c.width, c.height, pattern);
        const PixelBlock block = block_from_image(image, shown_lab_palette(), kShape);
        ASSERT_EQ(block.width, c.block_width) << c.width;
        ASSERT_EQ(block.height, c.block_height) << c.width;
        for (int row = 0; row < block.height; ++row)
            for (int column = 0; column < block.width; ++column) {
                const std::uint8_t* p = image.pixel(column * c.pair, row);
                EXPECT_EQ(palette_color(block.at(column, row)), RGBColor(p[0], p[1], p[2]))
                    << c.width << ": " << column << "," << row;
            }
    }
}

// Colours between the palette's take the nearest in CIELAB; a pair of black and white averages
// in linear light.
TEST(SelectionExternalImage, ColoursAreMatchedInCielab) {
    const LabPalette shown = shown_lab_palette();
    const PixelBlock near = block_from_image(
        image_of(2, 1, {RGBColor(250, 4, 250), RGBColor(200, 10, 5)}), shown, kShape);
    EXPECT_EQ(near.pixels, (std::vector<std::uint8_t>{5, 2}));
    const PixelBlock pair = block_from_image(image_of(170, 1, {clBlack, clWhite}), shown, kShape);
    EXPECT_EQ(pair.at(0, 0), 15); // light grey; the mean of the RGB values would be grey (12)
}
