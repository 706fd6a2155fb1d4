// Raw sprite data and the assembler source that places the sprites.
#include "colour/palettes.h"
#include "formats/raw_sprites.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

namespace {

Sprite numbered(int n, std::uint8_t colour, bool multicolour) {
    Sprite sprite{.colour = colour, .multicolour = multicolour};
    for (std::size_t i = 0; i < sprite.data.size(); ++i) sprite.data[i] = std::uint8_t(n * 7 + i);
    return sprite;
}

// GIMP's C64 sprite plug-in writes the load address $2000 and then a block a sprite, the image's
// 24 x 21 tiles row by row, each block's 64th byte 0.
std::vector<std::uint8_t> as_gimp_writes(int sprites) {
    std::vector<std::uint8_t> file = {0x00, 0x20};
    for (int n = 0; n < sprites; ++n) {
        const Sprite sprite = numbered(n, 0, false);
        file.insert(file.end(), sprite.data.begin(), sprite.data.end());
        file.push_back(0);
    }
    return file;
}

} // namespace

// What the writer writes reads back with each sprite's shape, colour and kind; GIMP's files
// and headerless ones read in rows of 8 from the top-left, in the colour given where the 64th
// byte names none; any other length is refused.
TEST(RawSprites, ReadWhatSpriteEditorsWrite) {
    constexpr std::uint8_t kGiven = 7, kGreen = 4, kPurple = 5; // Vexlor indices
    SpriteSet written{
        .sprites = {numbered(0, kGreen, false), numbered(1, kPurple, true), numbered(2, 1, false)}};
    const std::vector<std::uint8_t> raw = write_raw_sprites(written);
    ASSERT_EQ(raw.size(), 3u * 64);
    EXPECT_EQ(raw[63], c64_color_number(kGreen));
    EXPECT_EQ(raw[127], 0x80 | c64_color_number(kPurple));
    const struct {
        const char* what;
        std::vector<std::uint8_t> file;
        std::vector<Sprite> sprites; // placed where they lie
    } rows[] = {{"written here", raw,
                 [&] {
                     std::vector<Sprite> placed = written.sprites;
                     placed[1].x = 24, placed[2].x = 48;
                     return placed;
                 }()},
                {"by GIMP, nine", as_gimp_writes(9), [] {
                     std::vector<Sprite> placed;
                     for (int n = 0; n < 9; ++n) {
                         Sprite sprite = numbered(n, kGiven, false);
                         sprite.x = n % 8 * 24, sprite.y = n / 8 * 21;
                         placed.push_back(sprite);
                     }
                     return placed;
                 }()}};
    for (const auto& [what, file, sprites] : rows) {
        SCOPED_TRACE(what);
        const RawSpritesRead read = read_raw_sprites(file, kGiven);
        ASSERT_TRUE(read.sprites) << read.error;
        EXPECT_EQ(read.sprites->sprites, sprites);
    }
    for (const std::size_t length : {0, 2, 63, 65, 127, 129}) {
        SCOPED_TRACE(length);
        const RawSpritesRead read = read_raw_sprites(std::vector<std::uint8_t>(length), kGiven);
        EXPECT_FALSE(read.sprites);
        EXPECT_NE(read.error.find(std::to_string(length)), std::string::npos) << read.error;
    }
}

// ACME assembles the source into the tables it describes (VIC-II positions, C64 colours, the
// flags) followed by the data, whatever the data file's name holds.
TEST(RawSprites, AssemblerSourceAssemblesToItsTables) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("vexlor-asm-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    SpriteSet set{.sprites = {numbered(0, 4, false), numbered(1, 2, true)},
                  .shared_colour0 = 5,
                  .shared_colour1 = 6};
    set.sprites[0].x = 300, set.sprites[0].y = -10, set.sprites[0].expand_y = true;
    set.sprites[1].x = -30, set.sprites[1].y = 100, set.sprites[1].behind = true;
    const std::vector<std::uint8_t> raw = write_raw_sprites(set);
    std::ofstream(dir / "my sprites.spr", std::ios::binary)
        .write(reinterpret_cast<const char*>(raw.data()), std::streamsize(raw.size()));
    std::ofstream(dir / "sprites.asm") << sprites_assembler(set, "my \"sprites\".spr\n");
    std::ofstream(dir / "main.asm") << "!to \"out.bin\", plain\n* = $1000\n"
                                       "!byte sprite_count, sprite_shared_colour0, "
                                       "sprite_shared_colour1\n!source \"sprites.asm\"\n";
    ASSERT_EQ(
        std::system(("cd '" + dir.string() + "' && timeout 60 " VEXLOR_ACME " main.asm").c_str()),
        0);
    std::ifstream out(dir / "out.bin", std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(out), {}};
    const std::vector<std::uint8_t> tables = {2,    4,    6, // the count and the shared colours
                                              0x44, 0x01, 0xF2, 0x01, // X: 324, and -6 wraps to 498
                                              40,   150,              // Y
                                              5,    2,                // colours, C64 numbers
                                              0x04, 0x09};            // flags
    ASSERT_EQ(bytes.size(), tables.size() + raw.size());
    EXPECT_TRUE(std::equal(tables.begin(), tables.end(), bytes.begin()));
    EXPECT_TRUE(std::equal(raw.begin(), raw.end(), bytes.begin() + std::ptrdiff_t(tables.size())));
    fs::remove_all(dir);
}
