#include "formats/koala.h"
#include "tests/c64_support.h"
#include <gtest/gtest.h>

namespace {

MulticolorImage some_image() {
    std::mt19937 random(3);
    return encode_multicolor(multicolor_grid(random_encodable_picture(random, 6))).image;
}

// Flat areas, as drawn pictures have, so that packing pays.
MulticolorImage drawn_image() {
    PictureBytes picture{};
    for (int cell = 0; cell < kCells; ++cell) fill_cell(picture, cell, std::uint8_t(cell / 100));
    return encode_multicolor(multicolor_grid(picture)).image;
}

std::string refusal(const std::vector<std::uint8_t>& file,
                    KoalaPacking packing = KoalaPacking::Plain) {
    const KoalaRead read = read_koala(file, packing);
    EXPECT_FALSE(read.image.has_value());
    return read.error;
}

} // namespace

TEST(Koala, WritesTheStandardFile) {
    const MulticolorImage image = some_image();
    const std::vector<std::uint8_t> file = write_koala(image);
    ASSERT_EQ(file.size(), 10003u);
    EXPECT_EQ(file[0], 0x00);
    EXPECT_EQ(file[1], 0x60);
    EXPECT_TRUE(std::equal(image.bitmap.begin(), image.bitmap.end(), file.begin() + 2));
    EXPECT_TRUE(std::equal(image.screen.begin(), image.screen.end(), file.begin() + 8002));
    EXPECT_TRUE(std::equal(image.color.begin(), image.color.end(), file.begin() + 9002));
    EXPECT_EQ(file[10002], 6);
}

TEST(Koala, EveryPictureThatObeysTheLimitSurvivesAFile) {
    std::mt19937 random(99);
    for (int round = 0; round < 20; ++round) {
        const PictureBytes picture =
            random_encodable_picture(random, std::uint8_t(15 - round % 16));
        const KoalaRead read =
            read_koala(write_koala(encode_multicolor(multicolor_grid(picture)).image));
        ASSERT_TRUE(read.image) << read.error;
        PictureBytes decoded{};
        decode_multicolor(*read.image, multicolor_grid(decoded));
        ASSERT_EQ(decoded, picture) << "round " << round;
    }
}

TEST(Koala, GreenAndPurpleAreWrittenAndReadAsTheC64Numbers) {
    PictureBytes picture{};
    fill_cell(picture, 0, 4); // Vexlor green
    fill_cell(picture, 1, 5); // Vexlor purple
    std::vector<std::uint8_t> file = write_koala(encode_multicolor(multicolor_grid(picture)).image);
    EXPECT_EQ(file[8002] >> 4, 5);
    EXPECT_EQ(file[8003] >> 4, 4);
    // A file whose cell shows C64 colour 4 is Vexlor's purple.
    file[8002] = 0x40;
    PictureBytes decoded{};
    decode_multicolor(*read_koala(file).image, multicolor_grid(decoded));
    EXPECT_EQ(decoded[0], 5);
    EXPECT_EQ(decoded[4], 5);
}

TEST(Koala, ReadsTheVariantsFoundInTheWild) {
    const MulticolorImage image = some_image();
    const std::vector<std::uint8_t> file = write_koala(image);

    std::vector<std::uint8_t> padded = file;
    padded.resize(10003 + 255, 0x1A);
    EXPECT_EQ(read_koala(padded).image, image);

    std::vector<std::uint8_t> border = file;
    border.push_back(14);
    EXPECT_EQ(read_koala(border).image, image);

    std::vector<std::uint8_t> elsewhere = file;
    elsewhere[1] = 0x44; // $4400
    EXPECT_EQ(read_koala(elsewhere).image, image);

    // A packed file, and a file named as packed that is not.
    const std::vector<std::uint8_t> packed = pack(write_koala(drawn_image()));
    ASSERT_LT(packed.size(), 3000u);
    EXPECT_EQ(read_koala(packed, KoalaPacking::RunLength).image, drawn_image());
    EXPECT_EQ(read_koala(file, KoalaPacking::RunLength).image, image);

    // Packed files take the same padding as plain ones, and a packed picture of noise is longer
    // than a plain file and still packed.
    std::vector<std::uint8_t> packed_padded = packed;
    packed_padded.resize(packed.size() + 255, 0x1A);
    EXPECT_EQ(read_koala(packed_padded, KoalaPacking::RunLength).image, drawn_image());
    const std::vector<std::uint8_t> noisy = pack(write_koala(noisy_image(5)));
    ASSERT_GT(noisy.size(), kKoalaFileBytes);
    EXPECT_EQ(read_koala(noisy, KoalaPacking::RunLength).image, noisy_image(5));
}

TEST(Koala, ReadsPackedRunsOf256AndLiteralMarkers) {
    MulticolorImage image; // all zero: long runs
    image.screen[500] = 0xFE;
    image.background = 0xFE;
    const std::vector<std::uint8_t> packed = pack(write_koala(image));
    EXPECT_NE(std::find(packed.begin(), packed.end(), 0), packed.end()); // a count of 256
    EXPECT_EQ(read_koala(packed, KoalaPacking::RunLength).image, image);
}

TEST(Koala, RefusesWhatIsNotAKoalaPictureAndSaysWhy) {
    const std::vector<std::uint8_t> file = write_koala(some_image());

    EXPECT_NE(refusal({}).find("0 bytes"), std::string::npos);
    const std::vector<std::uint8_t> truncated(file.begin(), file.begin() + 9000);
    EXPECT_NE(refusal(truncated).find("9000 bytes"), std::string::npos);
    std::vector<std::uint8_t> oversized = file;
    oversized.resize(10003 + 256);
    EXPECT_NE(refusal(oversized).find("more than 10258 bytes"), std::string::npos);
    std::vector<std::uint8_t> text(10003, 'x');
    EXPECT_NE(refusal(text).find("$7878"), std::string::npos);
    std::vector<std::uint8_t> high = file;
    high[1] = 0xE0; // the picture would run past $FFFF
    EXPECT_NE(refusal(high).find("$E000"), std::string::npos);

    constexpr KoalaPacking packed = KoalaPacking::RunLength;
    const std::vector<std::uint8_t> whole = pack(write_koala(drawn_image()));
    ASSERT_EQ(whole[whole.size() - 3], 0xFE);
    const std::vector<std::uint8_t> cut(whole.begin(), whole.end() - 3); // without the last run
    EXPECT_NE(refusal(cut, packed).find("the packed data end after"), std::string::npos);
    EXPECT_NE(refusal(cut).find(std::to_string(cut.size()) + " bytes"), std::string::npos);
    std::vector<std::uint8_t> trailing = whole;
    trailing.resize(whole.size() + 256);
    EXPECT_NE(refusal(trailing, packed).find("256 bytes follow"), std::string::npos);
    std::vector<std::uint8_t> overrun = {0x00, 0x60};
    for (int run = 0; run < 39; ++run) overrun.insert(overrun.end(), {0xFE, 0x00, 0x00});
    overrun.insert(overrun.end(), {0xFE, 0x00, 0x20}); // 39 * 256 + 32 bytes, 10001 wanted
    EXPECT_NE(refusal(overrun, packed).find("goes past the end"), std::string::npos);
    const std::vector<std::uint8_t> open_run = {0x00, 0x60, 0x01, 0xFE, 0x00};
    EXPECT_NE(refusal(open_run, packed).find("inside a run"), std::string::npos);
}

TEST(Koala, IsRecognisedByContentOnlyAtItsOwnLoadAddress) {
    const std::vector<std::uint8_t> file = write_koala(some_image());
    EXPECT_TRUE(looks_like_koala(file));
    EXPECT_FALSE(looks_like_koala(pack(write_koala(drawn_image()))));
    std::vector<std::uint8_t> elsewhere = file;
    elsewhere[1] = 0x44;
    EXPECT_FALSE(looks_like_koala(elsewhere));
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_FALSE(looks_like_koala(png));
}
