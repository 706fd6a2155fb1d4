// The hires and AFLI files: each written picture reads back as itself, by its content where the
// content tells.
#include "formats/format_table.h"
#include "formats/rows.h"
#include "modes/mode.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string name_of(const FileFormat* format) {
    return format ? std::string(format->name()) : "nothing";
}

// The format that reads the file under that name; "nothing" when it is refused.
std::string taken_for(const Bytes& file, std::string_view extension) {
    const PictureFileRead read = read_picture_file(file, extension);
    return name_of(read.image ? read.format : nullptr);
}

// A picture in `mode` whose every colour area holds two colours, picked at random (one of them
// the packed files' run marker's low nybble, 14, half the time); AFLI's last four rows share one
// pair, as a C64 shows them.
StoredPicture random_picture(const Mode& mode, unsigned seed) {
    std::mt19937 random(seed);
    StoredPicture picture{};
    std::uniform_int_distribution<int> color(0, 15);
    for (int top = 0; top < mode.shape.height;) {
        const int rows = mode.colour_area_at({0, top}).height;
        for (int left = 0; left < mode.shape.width; left += mode.colour_area.width) {
            const std::uint8_t pair[2] = {std::uint8_t(random() % 2 ? 14 : color(random)),
                                          std::uint8_t(color(random))};
            for (int y = top; y < top + rows; ++y)
                for (int x = left; x < left + mode.colour_area.width; ++x)
                    picture[std::size_t(y * mode.shape.width + x)] = pair[random() % 2];
        }
        top += rows;
    }
    return picture;
}

} // namespace

// Written, read back under the format's name and under none, and decoded: the picture drawn,
// pixel for pixel, in the mode of its file, whatever AFLI's unread screens hold.
TEST(HiresFiles, EveryPictureWrittenReadsBackAsItself) {
    const struct {
        const FileFormat& format;
        const FileFormat* unnamed; // what the bytes alone are taken for; none for packed Doodle
        std::size_t length;        // 0: it varies
        std::size_t bitmap_at;     // after the load address; 0: packed
    } rows[] = {
        {art_studio_format(), &art_studio_format(), 9002, 0},
        {interpaint_hires_format(), &interpaint_hires_format(), 9002, 0},
        {doodle_format(), &doodle_format(), 9218, 1024},
        {packed_doodle_format(), nullptr, 0, 0},
        {afli_format(), &afli_format(), 16386, 8192},
    };
    for (const auto& row : rows) {
        const PictureFormat kind = *row.format.kind();
        for (unsigned seed = 0; seed < 4; ++seed) {
            SCOPED_TRACE(testing::Message() << row.format.name() << ", seed " << seed);
            const StoredPicture drawn = random_picture(mode_of(kind), seed);
            const ConstPixelGrid picture = mode_of(kind).grid_of(drawn.data());
            const EncodedPicture encoded = encode_picture(kind, picture, 0);
            EXPECT_EQ(encoded.inexact, 0);
            Bytes file = row.format.write({.pixels = picture, .encoded = encoded.image});
            if (kind == fmtAfli) // rows 197 to 199 show row 196's screen: their own go unread
                for (std::size_t screen = 5; screen < 8; ++screen)
                    std::fill_n(file.begin() + std::ptrdiff_t(2 + screen * 1024 + 24 * 40), 40,
                                0x5A);
            if (row.length) {
                EXPECT_EQ(file.size(), row.length);
                const auto& bitmap =
                    std::visit([](const auto& image) { return image.bitmap; }, encoded.image);
                EXPECT_TRUE(std::equal(bitmap.begin(), bitmap.end(),
                                       file.begin() + 2 + std::ptrdiff_t(row.bitmap_at)));
            }
            EXPECT_EQ(taken_for(file, ""), name_of(row.unnamed));
            const PictureFileRead read = read_picture_file(file, row.format.extensions().back());
            ASSERT_EQ(name_of(read.format), row.format.name()) << read.error;
            ASSERT_TRUE(read.image);
            const DecodedPicture decoded = decode_picture(*read.image);
            EXPECT_EQ(decoded.format, kind);
            EXPECT_TRUE(decoded.pixels == drawn);
        }
    }
}

// Art Studio's hires file and Advanced Art Studio's multicolour one load at $2000 under the name
// .ocp: the length tells them apart, an Art Studio file with its border byte and padding too.
TEST(HiresFiles, ArtStudioIsToldFromAdvancedArtStudioByLength) {
    const StoredPicture hires = random_picture(mode_of(fmtHires), 9);
    Bytes art = art_studio_format().write(
        {.encoded = encode_picture(fmtHires, mode_of(fmtHires).grid_of(hires.data()), 0).image});
    const StoredPicture multicolour = random_picture(mode_of(fmtMulticolor), 9);
    const Bytes ocp = advanced_art_studio_format().write(
        {.encoded =
             encode_picture(fmtMulticolor, mode_of(fmtMulticolor).grid_of(multicolour.data()), 0)
                 .image});
    EXPECT_EQ(taken_for(art, "ocp"), "Art Studio");
    EXPECT_EQ(taken_for(ocp, "ocp"), "Advanced Art Studio");
    art.insert(art.end(), {14, 0, 0, 0, 0, 0, 0});
    const PictureFileRead padded = read_picture_file(art, "ocp");
    ASSERT_TRUE(padded.image) << padded.error;
    EXPECT_TRUE(decode_picture(*padded.image).pixels == hires);
    art.push_back(0);
    EXPECT_FALSE(read_picture_file(art, "ocp").image);
}
