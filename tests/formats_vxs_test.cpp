// Vexlor's file of a picture with sprites: what it keeps, and the files it refuses.
#include "formats/format_table.h"
#include "formats/vxs.h"
#include "modes/mode.h"
#include "tests/c64_support.h"
#include <gtest/gtest.h>

namespace {

PictureWithSprites with_sprites(PictureFormat format) {
    PictureWithSprites picture{.background = 11, .format = format};
    std::mt19937 random(format);
    const bool wide = mode_of(format).shape.width == kHiresColumns;
    picture.pixels = wide ? hires_stripes(3) : stored(random_encodable_picture(random, 11));
    picture.sprites.shared_colour0 = 13;
    picture.sprites.shared_colour1 = 10; // a byte that .vxr writes as two
    for (int n = 0; n < 5; ++n) {
        Sprite sprite{.x = -23 + 90 * n, .y = 190 - 60 * n, .colour = std::uint8_t(n * 3)};
        for (std::size_t i = 0; i < sprite.data.size(); ++i)
            sprite.data[i] = std::uint8_t(i * 37 + n);
        sprite.multicolour = n % 2 == 1;
        sprite.expand_x = n == 2;
        sprite.expand_y = n >= 3;
        sprite.behind = n == 4;
        picture.sprites.sprites.push_back(sprite);
    }
    return picture;
}

std::vector<std::uint8_t> written(const PictureWithSprites& picture) {
    return encode_vxs(mode_of(picture.format).grid_of(picture.pixels.data()), picture.format,
                      picture.background, picture.sprites);
}

} // namespace

// A picture in any mode comes back with its background and every sprite as it was, through the
// table's row, which is the one Save picks for a picture with sprites.
TEST(VexlorSpritesFile, KeepsThePictureInItsModeAndItsSprites) {
    for (const PictureFormat format : {fmtMulticolor, fmtFli, fmtHires, fmtAfli}) {
        SCOPED_TRACE(mode_of(format).name);
        const PictureWithSprites picture = with_sprites(format);
        const FileFormat& row = saved_format(format, true);
        ASSERT_TRUE(row.keeps_sprites());
        const std::vector<std::uint8_t> file =
            row.write({.pixels = mode_of(format).grid_of(picture.pixels.data()),
                       .mode = format,
                       .background = picture.background,
                       .sprites = picture.sprites});
        const VxsRead read = decode_vxs(file);
        ASSERT_TRUE(read.picture) << read.error;
        EXPECT_EQ(read.picture->format, format);
        EXPECT_EQ(read.picture->background, 11);
        EXPECT_EQ(read.picture->pixels, picture.pixels);
        EXPECT_EQ(read.picture->sprites, picture.sprites);
    }
    EXPECT_FALSE(saved_format(fmtMulticolor).keeps_sprites());
    EXPECT_TRUE(format_opened("VXS")->keeps_sprites());
}

// A file cut short anywhere, one with a byte more, or one with a value no picture has is refused
// whole, with the reason.
TEST(VexlorSpritesFile, RefusesShortLongAndDamagedFiles) {
    const std::vector<std::uint8_t> good = written(with_sprites(fmtMulticolor));
    const std::size_t pixels_end = good.size() - 4 - 5 * 69;
    const auto changed = [&](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> file = good;
        file[at] = value;
        return file;
    };
    const auto longer = [&] {
        std::vector<std::uint8_t> file = good;
        file.push_back(0);
        return file;
    }();
    const struct {
        const char* what;
        std::vector<std::uint8_t> file;
        const char* error;
    } rows[] = {{"empty", {}, "starts with"},
                {"another magic", changed(2, 'R'), "starts with"},
                {"a newer version", changed(4, 2), "version 2"},
                {"no such mode", changed(5, 9), "no mode"},
                {"a background of 16", changed(6, 16), "background"},
                {"pixels longer than the file", changed(9, 1), "ends inside its pixels"},
                {"a pixel of 16", changed(20, 16), "damaged pixels"},
                {"a shared colour of 16", changed(pixels_end, 16), "no sprite has"},
                {"one sprite more", changed(pixels_end + 2, 6), "of 6 sprites has 345 bytes"},
                {"a byte more", longer, "has 346 bytes"},
                {"a flag no sprite has", changed(good.size() - 1, 0x10), "no sprite has"},
                {"a sprite colour of 16", changed(good.size() - 2, 16), "no sprite has"}};
    for (const auto& [what, file, error] : rows) {
        SCOPED_TRACE(what);
        const VxsRead read = decode_vxs(file);
        EXPECT_FALSE(read.picture);
        EXPECT_NE(read.error.find(error), std::string::npos) << read.error;
    }
    for (std::size_t length = 0; length < good.size(); length += 97)
        EXPECT_FALSE(decode_vxs(std::span(good).first(length)).picture) << length;
    EXPECT_FALSE(decode_vxs(std::span(good).first(good.size() - 1)).picture);
}
