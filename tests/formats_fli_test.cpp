// FLI Graph and FLI Designer files: every picture FLI shows survives them, each raster line's
// background comes back, and a file of another size or load address is refused.
#include "formats/fli_file.h"
#include "tests/c64_support.h"
#include <gtest/gtest.h>

namespace {

// The FLI Designer file of an image: the FLI Graph file without its backgrounds.
std::vector<std::uint8_t> designer_file(const FliImage& image) {
    std::vector<std::uint8_t> file = write_fli_graph(image);
    file.erase(file.begin() + 2, file.begin() + 2 + 256);
    file[0] = 0x00, file[1] = 0x3C;
    return file;
}

} // namespace

TEST(FliFiles, EveryPictureThatObeysTheLimitSurvivesBothFormats) {
    std::mt19937 random(5);
    for (int round = 0; round < 8; ++round) {
        const std::uint8_t background = std::uint8_t(round * 3 % 16);
        const PictureBytes picture = random_fli_picture(random, background);
        const FliEncoding encoding = encode_fli(multicolor_grid(picture), background);
        ASSERT_FALSE(encoding.inexact.any()) << "round " << round;
        const std::vector<std::uint8_t> file = write_fli_graph(encoding.image);
        ASSERT_EQ(file.size(), 17474u);
        EXPECT_EQ(file[0], 0x00);
        EXPECT_EQ(file[1], 0x3B);
        const FliRead read = read_fli(file, FliFormat::Graph);
        ASSERT_TRUE(read.image) << read.error;
        EXPECT_EQ(write_fli_graph(*read.image), file) << "byte for byte";
        PictureBytes decoded{};
        decode_fli(*read.image, multicolor_grid(decoded));
        ASSERT_EQ(decoded, picture) << "round " << round;
        // Screens 5 to 7 of the last cell row show nowhere on a C64, whatever they hold.
        FliImage later_screens = *read.image;
        for (int screen = 5; screen < kFliScreens; ++screen)
            for (int cell = 24 * kCellColumns; cell < kCells; ++cell)
                later_screens.screens[std::size_t(screen)][std::size_t(cell)] ^= 0x5A;
        decode_fli(later_screens, multicolor_grid(decoded));
        ASSERT_EQ(decoded, picture) << "round " << round;
        if (background != 0) continue; // a Designer file has no background: black
        const FliRead designer = read_fli(designer_file(encoding.image), FliFormat::Designer);
        ASSERT_TRUE(designer.image) << designer.error;
        decode_fli(*designer.image, multicolor_grid(decoded));
        ASSERT_EQ(decoded, picture) << "round " << round;
    }
}

TEST(FliFiles, ReadEachLinesBackground) {
    FliImage image = random_fli_image(1);
    image.backgrounds[0] = 2;
    image.backgrounds[199] = 5;
    PictureBytes decoded{};
    decode_fli(*read_fli(write_fli_graph(image), FliFormat::Graph).image, multicolor_grid(decoded));
    EXPECT_EQ(image.bitmap[0] >> 6 == 0, decoded[0] == 2);
    const int last = (kPictureRows - 1) * kPictureColumns;
    EXPECT_EQ(image.bitmap[24 * 320 + 7] >> 6 == 0, decoded[last] == 4); // C64 5 is Vexlor 4
}

TEST(FliFiles, AreRefusedByTheirSizeOrLoadAddressButNotForPadding) {
    const std::vector<std::uint8_t> graph = write_fli_graph(random_fli_image(2));
    const std::vector<std::uint8_t> designer = designer_file(random_fli_image(2));
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
