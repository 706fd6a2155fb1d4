#include "c64/fli_prg.h"
#include "colour/palettes.h"
#include "conversion/convert.h"
#include "conversion/diffusion.h"
#include "formats/fli_file.h"
#include "tests/c64_support.h"
#include <gtest/gtest.h>

namespace {

// A random picture that FLI shows exactly on `background`: per cell one shared colour, per row
// two more, the last three rows of the picture with the colours of row 196.
PictureBytes random_fli_picture(std::mt19937& random, std::uint8_t background) {
    PictureBytes picture{};
    std::uniform_int_distribution<int> color(0, 15), slot(0, 3);
    for (int cell = 0; cell < kCells; ++cell) {
        const std::uint8_t shared = std::uint8_t(color(random));
        std::uint8_t first = 0, second = 0;
        for (int y = 0; y < kCellHeight; ++y) {
            if (screen_row_of(cell / kCellColumns * kCellHeight + y) ==
                cell / kCellColumns * kCellHeight + y)
                first = std::uint8_t(color(random)), second = std::uint8_t(color(random));
            const std::uint8_t colors[4] = {background, first, second, shared};
            for (int x = 0; x < kCellWidth; ++x)
                picture[cell_pixel_offset(cell, y * kCellWidth + x)] = colors[slot(random)];
        }
    }
    return picture;
}

void set_row(PictureBytes& picture, int cell, int y, std::array<std::uint8_t, 4> colors) {
    for (int x = 0; x < kCellWidth; ++x)
        picture[cell_pixel_offset(cell, y * kCellWidth + x)] = colors[x];
}

int row_index(int cell, int y) { return first_cell_row(cell) + y * kCellColumns; }

FliImage some_image(unsigned seed, std::uint8_t background = 6) {
    std::mt19937 random(seed);
    return encode_fli(random_fli_picture(random, background).data(), background).image;
}

// The FLI Designer file of an image: the FLI Graph file without its backgrounds.
std::vector<std::uint8_t> designer_file(const FliImage& image) {
    std::vector<std::uint8_t> file = write_fli_graph(image);
    file.erase(file.begin() + 2, file.begin() + 2 + 256);
    file[0] = 0x00, file[1] = 0x3C;
    return file;
}

} // namespace

// Cells built to need each case: what the limit lets through, and which rows it marks.
TEST(FliLimit, MarksExactlyTheRowsAC64CannotShow) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::array<std::uint8_t, 4>>> rows; // cell 45's rows
        std::vector<int> inexact;
    };
    const std::vector<Case> cases = {
        {"two own colours a row and one shared by all",
         {{0, {2, 3, 7, 0}}, {1, {4, 5, 7, 7}}, {2, {8, 9, 0, 7}}, {7, {10, 11, 7, 0}}},
         {}},
        {"a row with four colours besides the background", {{3, {2, 3, 4, 5}}}, {3}},
        {"two rows that would each need a third colour of their own",
         {{0, {2, 3, 4, 4}}, {1, {5, 6, 7, 7}}, {2, {5, 6, 7, 0}}},
         {0}},
        {"three colours in a row are fine when one is shared",
         {{0, {2, 3, 4, 0}}, {1, {4, 5, 6, 0}}, {6, {4, 8, 9, 9}}},
         {}},
    };
    for (const Case& c : cases) {
        PictureBytes picture{};
        for (const auto& [y, colors] : c.rows) set_row(picture, 45, y, colors);
        const FliEncoding encoding = encode_fli(picture.data(), 0);
        std::vector<int> inexact;
        for (int y = 0; y < kCellHeight; ++y)
            if (encoding.inexact[std::size_t(row_index(45, y))]) inexact.push_back(y);
        EXPECT_EQ(inexact, c.inexact) << c.what;
        EXPECT_EQ(int(encoding.inexact.count()), int(c.inexact.size())) << c.what;
        const CellRowSet marks = fli_clash_rows(picture.data(), 0);
        EXPECT_EQ(marks & ~encoding.inexact, fli_clash_rows(PictureBytes{}.data(), 0)) << c.what;
    }
}

TEST(FliLimit, MarksTheBugColumnsAndTheLastRowsThatShareRow196sScreen) {
    PictureBytes picture{};
    const CellRowSet empty = fli_clash_rows(picture.data(), 0);
    EXPECT_EQ(int(empty.count()), kFliBugCellColumns * kPictureRows);
    EXPECT_TRUE(empty[std::size_t(cell_row_of(11, 57))]);
    EXPECT_FALSE(empty[std::size_t(cell_row_of(12, 57))]);
    const int cell = 24 * kCellColumns + 10; // the last cell row
    set_row(picture, cell, 3, {8, 9, 0, 0}); // row 195 has a screen of its own
    set_row(picture, cell, 4, {2, 3, 0, 0});
    set_row(picture, cell, 5, {2, 3, 7, 7});
    EXPECT_FALSE(encode_fli(picture.data(), 0).inexact.any()) << "row 197 uses row 196's pair";
    set_row(picture, cell, 7, {4, 0, 0, 0});
    const FliEncoding encoding = encode_fli(picture.data(), 0);
    EXPECT_EQ(encoding.inexact.count(), 1u);
    EXPECT_TRUE(encoding.inexact[std::size_t(row_index(cell, 7))]);
    for (int screen = 4; screen < kFliScreens; ++screen)
        EXPECT_EQ(encoding.image.screens[screen][cell], encoding.image.screens[4][cell]);
}

// The encoder's choices on cells built for them: the shared colour is the one every row needs,
// not the most used; each row keeps its two most used others; a colour it cannot keep shows as
// its nearest on a C64.
TEST(FliEncoder, ChoosesTheColoursThatChangeTheFewestPixels) {
    PictureBytes picture{};
    set_row(picture, 0, 0, {2, 2, 3, 9});   // 9 is the least used colour, but every row but
    set_row(picture, 0, 1, {4, 4, 6, 9});   // the third needs it
    set_row(picture, 0, 2, {1, 1, 12, 15}); // white, grey and light grey: no room for all
    set_row(picture, 0, 3, {1, 1, 1, 1});
    const FliEncoding encoding = encode_fli(picture.data(), 0);
    const FliImage& image = encoding.image;
    EXPECT_EQ(image.color[0], 9);
    EXPECT_EQ(image.screens[0][0], 0x23);
    EXPECT_EQ(image.screens[1][0], 0x56); // Vexlor's green is C64 colour 5
    EXPECT_EQ(image.screens[2][0], 0x1C);
    EXPECT_EQ(image.screens[3][0], 0x10);
    EXPECT_EQ(image.bitmap[0], 0b01011011);
    EXPECT_EQ(image.bitmap[1], 0b01011011);
    EXPECT_EQ(image.bitmap[2], 0b01011010); // light grey shows as grey, the nearer
    EXPECT_EQ(encoding.inexact.count(), 1u);
    EXPECT_TRUE(encoding.inexact[std::size_t(row_index(0, 2))]);
    PictureBytes decoded{};
    decode_fli(image, decoded.data());
    EXPECT_EQ(decoded[2 * kPictureColumns + 3], 12);
}

TEST(FliEncoder, WritesC64NumbersAndTheBackgroundOnEveryLine) {
    PictureBytes picture{};
    picture.fill(4);                      // Vexlor green
    set_row(picture, 0, 0, {5, 5, 4, 4}); // Vexlor purple
    const FliImage image = encode_fli(picture.data(), 5).image;
    for (std::uint8_t line : image.backgrounds) ASSERT_EQ(line, 4); // C64 purple
    EXPECT_EQ(image.color[0] == 5 || image.screens[0][0] >> 4 == 5, true);
}

TEST(FliFiles, EveryPictureThatObeysTheLimitSurvivesBothFormats) {
    std::mt19937 random(5);
    for (int round = 0; round < 8; ++round) {
        const std::uint8_t background = std::uint8_t(round * 3 % 16);
        const PictureBytes picture = random_fli_picture(random, background);
        const FliEncoding encoding = encode_fli(picture.data(), background);
        ASSERT_FALSE(encoding.inexact.any()) << "round " << round;
        const std::vector<std::uint8_t> file = write_fli_graph(encoding.image);
        ASSERT_EQ(file.size(), 17474u);
        EXPECT_EQ(file[0], 0x00);
        EXPECT_EQ(file[1], 0x3B);
        const FliRead read = read_fli(file, FliFormat::Graph);
        ASSERT_TRUE(read.image) << read.error;
        EXPECT_EQ(write_fli_graph(*read.image), file) << "byte for byte";
        PictureBytes decoded{};
        decode_fli(*read.image, decoded.data());
        ASSERT_EQ(decoded, picture) << "round " << round;
        // Screens 5 to 7 of the last cell row show nowhere on a C64, whatever they hold.
        FliImage later_screens = *read.image;
        for (int screen = 5; screen < kFliScreens; ++screen)
            for (int cell = 24 * kCellColumns; cell < kCells; ++cell)
                later_screens.screens[std::size_t(screen)][std::size_t(cell)] ^= 0x5A;
        decode_fli(later_screens, decoded.data());
        ASSERT_EQ(decoded, picture) << "round " << round;
        if (background != 0) continue; // a Designer file has no background: black
        const FliRead designer = read_fli(designer_file(encoding.image), FliFormat::Designer);
        ASSERT_TRUE(designer.image) << designer.error;
        decode_fli(*designer.image, decoded.data());
        ASSERT_EQ(decoded, picture) << "round " << round;
    }
}

TEST(FliFiles, ReadEachLinesBackground) {
    FliImage image = some_image(1);
    image.backgrounds[0] = 2;
    image.backgrounds[199] = 5;
    PictureBytes decoded{};
    decode_fli(*read_fli(write_fli_graph(image), FliFormat::Graph).image, decoded.data());
    EXPECT_EQ(image.bitmap[0] >> 6 == 0, decoded[0] == 2);
    const int last = (kPictureRows - 1) * kPictureColumns;
    EXPECT_EQ(image.bitmap[24 * 320 + 7] >> 6 == 0, decoded[last] == 4); // C64 5 is Vexlor 4
}

TEST(FliFiles, AreRefusedByTheirSizeOrLoadAddressButNotForPadding) {
    const std::vector<std::uint8_t> graph = write_fli_graph(some_image(2));
    const std::vector<std::uint8_t> designer = designer_file(some_image(2));
    struct Case {
        std::vector<std::uint8_t> file;
        FliFormat format;
        const char* reason; // empty: read
    };
    auto resized = [](std::vector<std::uint8_t> file, std::size_t size) {
        file.resize(size);
        return file;
    };
    auto loading_at = [](std::vector<std::uint8_t> file, std::uint8_t high) {
        file[1] = high;
        return file;
    };
    const std::vector<Case> cases = {
        {graph, FliFormat::Graph, ""},
        {resized(graph, 17664), FliFormat::Graph, ""},
        {resized(graph, 17473), FliFormat::Graph, "it holds 17473 bytes"},
        {resized(graph, 17665), FliFormat::Graph,
         "it holds more than 17664 bytes, where an FLI "
         "Graph picture takes 17474"},
        {{}, FliFormat::Graph, "it holds 0 bytes"},
        {loading_at(graph, 0x60), FliFormat::Graph, "it loads at $6000"},
        {designer, FliFormat::Designer, ""},
        {resized(designer, 17408), FliFormat::Designer, ""},
        {graph, FliFormat::Designer, "where an FLI Designer picture takes 17218"},
        {designer, FliFormat::Graph, "it holds 17218 bytes"},
        {loading_at(designer, 0x3B), FliFormat::Designer, "loads at $3C00"},
    };
    for (const Case& c : cases) {
        const FliRead read = read_fli(c.file, c.format);
        EXPECT_EQ(read.image.has_value(), std::string(c.reason).empty()) << c.reason;
        EXPECT_NE(read.error.find(c.reason), std::string::npos) << read.error;
    }
}

// The viewer's bytes, then the picture where the C64 reads it: screens at $4000, the bitmap at
// $6000, the colour RAM after the code.
TEST(FliPrg, PlacesThePictureWhereTheViewerAndTheVicReadIt) {
    FliImage image = some_image(3);
    const std::vector<std::uint8_t> file = write_fli_prg(image);
    auto at = [&](unsigned address) { return file.begin() + (address - 0x0801 + 2); };
    ASSERT_EQ(file.size(), 0x7F40u - 0x0801 + 2);
    EXPECT_EQ(file[0], 0x01);
    EXPECT_EQ(file[1], 0x08);
    EXPECT_EQ(file[6], 0x9E); // 10 SYS ...
    for (int n = 0; n < kFliScreens; ++n)
        EXPECT_TRUE(std::equal(image.screens[n].begin(), image.screens[n].end(),
                               at(0x4000 + 0x400 * unsigned(n))));
    EXPECT_TRUE(std::equal(image.bitmap.begin(), image.bitmap.end(), at(0x6000)));
    const auto colour =
        std::search(file.begin(), at(0x4000), image.color.begin(), image.color.end());
    ASSERT_NE(colour, at(0x4000));
    EXPECT_EQ(*(colour - 1), 6); // the background just before it
}

// Where each row of a cell needs colours of its own, FLI shows what Multicolor cannot.
TEST(FliConversion, ShowsRowsOfTheirOwnColoursExactly) {
    RgbImage image{160, 200, std::vector<std::uint8_t>(160 * 200 * 3)};
    const Palette& colors = palette_colors(PaletteId::Colodore);
    for (int row = 0; row < 200; ++row)
        for (int column = 0; column < 160; ++column) {
            const int y = screen_row_of(row);
            const TColor color = colors[std::size_t(column % 4 < 2 ? y % 7 + 1 : (y + 3) % 7 + 8)];
            std::uint8_t* pixel = image.rgb.data() + (row * 160 + column) * 3;
            pixel[0] = RedOf(color), pixel[1] = GreenOf(color), pixel[2] = BlueOf(color);
        }
    ConversionOptions options{.palette = PaletteId::Colodore};
    options.format = fmtFli;
    const Conversion fli = convert_image(image, options);
    EXPECT_FALSE(encode_fli(fli.picture.data(), fli.background).inexact.any());
    options.format = fmtMulticolor;
    const double fli_error =
        measure_conversion(image, {.palette = PaletteId::Colodore, .format = fmtFli}).searched;
    const double multicolor_error = measure_conversion(image, options).searched;
    EXPECT_LT(fli_error, 0.01);
    EXPECT_GT(multicolor_error, 5.0);
}

// Rows 197 to 199 show row 196's screen colours, so the dither in FLI chooses row 196's pair
// for all four rows: here the red and blue of the three rows below, not the white of the row.
TEST(FliConversion, Row196ChoosesThePairThatTheRowsBelowItShow) {
    const LabPalette& colors = lab_palette(PaletteId::Colodore);
    constexpr std::uint8_t kWhite = 1, kRed = 2, kBlue = 6, kYellow = 7;
    constexpr int kColumn = 80;
    PictureTarget target{std::vector<Lab>(kPictureBytes, colors[0]), 0, 0, 160, 200, false};
    RowColors rows;
    for (int x = 0; x < kCellWidth; ++x) {
        target.pixels[std::size_t(kLastScreenRow * 160 + kColumn + x)] = colors[kWhite];
        for (int row = kLastScreenRow + 1; row < 200; ++row)
            target.pixels[std::size_t(row * 160 + kColumn + x)] = colors[x % 2 ? kBlue : kRed];
    }
    for (int row = kLastScreenRow; row < 200; ++row)
        rows.rows[std::size_t(cell_row_of(kColumn, row))] = {0, kRed, kBlue, kYellow};
    const PictureBytes picture = diffuse_fli(target, colors, rows);
    for (int row = kLastScreenRow + 1; row < 200; ++row)
        for (int x = 0; x < kCellWidth; ++x)
            EXPECT_EQ(picture[row * 160 + kColumn + x], x % 2 ? kBlue : kRed) << row << ", " << x;
}
