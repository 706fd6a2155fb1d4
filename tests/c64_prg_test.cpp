#include "c64/prg.h"
#include "tests/c64_support.h"
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

// Just enough of a 6502 to follow the viewer: the instructions it uses, the zero flag, and a
// record of the writes to the I/O area ($D000-$DFFF). Anything else stops it.
struct Cpu {
    std::vector<std::uint8_t> memory = std::vector<std::uint8_t>(0x10000);
    std::map<std::uint16_t, std::uint8_t> io_writes;
    std::uint16_t pc = 0;
    std::uint8_t a = 0, x = 0;
    bool zero = false, interrupts_off = false;
    std::string stopped;

    std::uint8_t byte() { return memory[pc++]; }
    std::uint16_t word() {
        const std::uint16_t low = byte();
        return std::uint16_t(low | byte() << 8);
    }
    void store(std::uint16_t address, std::uint8_t value) {
        memory[address] = value;
        if (address >= 0xD000 && address < 0xD800) io_writes[address] = value;
    }
    std::uint8_t flags(std::uint8_t value) {
        zero = value == 0;
        return value;
    }

    // Runs until the program jumps to itself; false when it does something else first.
    bool run_until_it_holds(int steps = 100000) {
        while (steps-- > 0) {
            const std::uint16_t at = pc;
            switch (const std::uint8_t op = byte()) {
            case 0x78:
                interrupts_off = true;
                break;
            case 0xA9:
                a = flags(byte());
                break;
            case 0xA2:
                x = flags(byte());
                break;
            case 0xAD:
                a = flags(memory[word()]);
                break;
            case 0xBD:
                a = flags(memory[std::uint16_t(word() + x)]);
                break;
            case 0x8D:
                store(word(), a);
                break;
            case 0x9D:
                store(std::uint16_t(word() + x), a);
                break;
            case 0xE8:
                x = flags(std::uint8_t(x + 1));
                break;
            case 0xE0:
                zero = x == byte();
                break;
            case 0xD0: {
                const auto offset = std::int8_t(byte());
                if (!zero) pc = std::uint16_t(pc + offset);
                break;
            }
            case 0x4C: {
                const std::uint16_t target = word();
                if (target == at) return true;
                pc = target;
                break;
            }
            default:
                stopped = "unknown instruction " + std::to_string(op) + " at " + std::to_string(at);
                return false;
            }
        }
        stopped = "no end";
        return false;
    }
};

MulticolorImage some_image() {
    std::mt19937 random(8);
    MulticolorImage image = encode_multicolor(random_encodable_picture(random, 14).data()).image;
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
        std::copy(file.begin() + 2, file.end(), cpu.memory.begin() + 0x0801);
        cpu.pc = std::uint16_t(std::stoi(std::string(file.begin() + 7, file.begin() + 11)));
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
