#include "c64/prg.h"
#include "tests/c64_cpu.h"
#include "tests/c64_support.h"
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

MulticolorImage some_image() {
    std::mt19937 random(8);
    MulticolorImage image =
        encode_multicolor(multicolor_grid(random_encodable_picture(random, 14))).image;
    for (std::uint8_t& color : image.color) color |= 0xF0; // the high bits mean nothing
    return image;
}

std::uint16_t at(const std::vector<std::uint8_t>& file, std::uint16_t address) {
    return std::uint16_t(file[address - 0x0801 + 2] | file[address - 0x0801 + 3] << 8);
}

} // namespace

TEST(Prg, LoadsAtBasicsStartAndItsOneLineIsSysToTheCode) {
    const std::vector<std::uint8_t> file = write_prg(some_image());
    ASSERT_EQ(file[0], 0x01);
    ASSERT_EQ(file[1], 0x08);
    const std::uint16_t next_line = at(file, 0x0801);
    EXPECT_EQ(at(file, 0x0803), 10); // line number
    const std::size_t text = 2 + 4;
    EXPECT_EQ(file[text], 0x9E); // SYS
    std::string digits;
    std::size_t i = text + 1;
    while (file[i] != 0) digits += char(file[i++]);
    EXPECT_EQ(next_line, 0x0801 + (i + 1 - 2));
    EXPECT_EQ(at(file, next_line), 0); // the end of the program
    EXPECT_EQ(std::stoi(digits), next_line + 2);
}

TEST(Prg, TheBitmapLoadsStraightToWhereTheVicReadsIt) {
    const MulticolorImage image = some_image();
    const std::vector<std::uint8_t> file = write_prg(image);
    ASSERT_EQ(file.size(), 2u + 0x3F40 - 0x0801);
    EXPECT_TRUE(std::equal(image.bitmap.begin(), image.bitmap.end(), file.end() - 8000));
}

// The same viewer shows a hires picture: $D016 without multicolour, a black border.
TEST(Prg, TheViewerShowsThePictureWithTheDocumentedRegisterValues) {
    const MulticolorImage image = some_image();
    const struct {
        const char* mode;
        std::vector<std::uint8_t> file;
        std::uint8_t control2, border;
        bool colour_ram;
    } rows[] = {
        {"multicolour", write_prg(image), 0x18, 14, true},
        {"hires", write_hires_prg({.bitmap = image.bitmap, .screen = image.screen}), 0x08, 0,
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.mode);
        const std::vector<std::uint8_t>& file = row.file;
        Cpu cpu;
        cpu.load(file);
        ASSERT_TRUE(cpu.run_until_it_holds()) << cpu.stopped;

        const std::map<std::uint16_t, std::uint8_t> expected = {{0xD011, 0x3B},
                                                                {0xD016, row.control2},
                                                                {0xD018, 0x18},
                                                                {0xD020, row.border},
                                                                {0xD021, row.border}};
        EXPECT_EQ(cpu.io_writes, expected);
        for (int cell = 0; cell < kCells; ++cell) {
            ASSERT_EQ(cpu.memory[0x0400 + cell], image.screen[cell]) << cell;
            if (row.colour_ram) {
                ASSERT_EQ(cpu.memory[0xD800 + cell] & 0x0F, image.color[cell] & 0x0F) << cell;
            }
        }
        EXPECT_TRUE(
            std::equal(image.bitmap.begin(), image.bitmap.end(), cpu.memory.begin() + 0x2000));
        // Until a reset: no interrupts, and RESTORE's NMI returns at once.
        EXPECT_TRUE(cpu.interrupts_off);
        EXPECT_EQ(cpu.memory[cpu.memory[0x0318] | cpu.memory[0x0319] << 8], 0x40); // RTI
    }
}
