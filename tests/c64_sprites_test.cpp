#include "c64/fli_prg.h"
#include "c64/prg.h"
#include "c64/sprite_multiplex.h"
#include "c64/sprite_prg.h"
#include "tests/c64_cpu.h"
#include "tests/c64_support.h"
#include <climits>
#include <gtest/gtest.h>

namespace {

// A sprite with every pixel set but a few of its last row, which tell the sprites apart.
Sprite solid(int number, int x, int y, std::uint8_t colour = 1) {
    Sprite sprite{.x = x, .y = y, .colour = colour};
    sprite.data.fill(0xFF);
    sprite.data.back() = std::uint8_t(number);
    return sprite;
}

// Eight sprites side by side, numbered from `first`.
std::vector<Sprite> band(int first, int y, int x = 0) {
    std::vector<Sprite> sprites;
    for (int n = 0; n < 8; ++n)
        sprites.push_back(solid(first + n, x + 40 * n, y, std::uint8_t((first + n) % 16)));
    return sprites;
}

SpriteSet set_of(std::vector<std::vector<Sprite>> groups) {
    SpriteSet set{.sprites = {}, .shared_colour0 = 13, .shared_colour1 = 6};
    for (const auto& group : groups)
        set.sprites.insert(set.sprites.end(), group.begin(), group.end());
    return set;
}

// Which hardware sprite shows each sprite of `count`, -1 for none.
std::vector<int> hardware_of(const MultiplexPlan& plan, std::size_t count) {
    std::vector<int> hardware(count, -1);
    for (const RasterInterrupt& interrupt : plan.interrupts)
        for (const SpriteRewrite& rewrite : interrupt.rewrites)
            hardware[std::size_t(rewrite.sprite)] = rewrite.hardware;
    return hardware;
}

MulticolorImage picture() {
    std::mt19937 random(3);
    return encode_multicolor(multicolor_grid(random_encodable_picture(random, 9))).image;
}

// Whether two sprites' pixels meet in the display window (for sprites as `solid` makes them).
bool overlap(const Sprite& a, const Sprite& b) {
    const int left = std::max({a.x, b.x, 0}),
              right = std::min({a.x + a.width(), b.x + b.width(), 320});
    const int top = std::max({a.y, b.y, 0}),
              bottom = std::min({a.y + a.height(), b.y + b.height(), 200});
    return left < right && top < bottom;
}

// What the C64's registers hold after one interrupt of a frame.
struct Moment {
    int line = 0; // the interrupt below the picture, for the frame to come, counts as -1
    std::map<std::uint16_t, std::uint8_t> registers;
    std::vector<std::uint8_t> memory;
    long rewrites = 0, cycles = 0;
};

// Runs the interrupts of one frame as the program asks for them, from the one below the picture.
std::vector<Moment> one_frame(Cpu& cpu) {
    std::vector<Moment> frame;
    const int below = cpu.io_writes.at(0xD012);
    do {
        const int line = frame.empty() ? -1 : cpu.io_writes.at(0xD012);
        cpu.writes.clear();
        const long before = cpu.cycles;
        if (!cpu.interrupt()) return {};
        const long rewrites = std::count_if(cpu.writes.begin(), cpu.writes.end(), [](auto at) {
            return at >= 0xD027 && at <= 0xD02E; // a colour a sprite
        });
        frame.push_back({line, cpu.io_writes, cpu.memory, rewrites, cpu.cycles - before});
    } while (cpu.io_writes.at(0xD012) != below);
    return frame;
}

// Whether hardware sprite n shows `sprite` at that moment.
bool shows(const Moment& moment, int n, const Sprite& sprite) {
    const auto reg = [&](int address) { return moment.registers.at(std::uint16_t(address)); };
    const auto bit = [&](int address) { return (reg(address) >> n & 1) != 0; };
    const int x = (kWindowLeft + sprite.x + 504) % 504; // the line wraps at 504 on PAL
    const auto block = moment.memory.begin() + 0x4000 + moment.memory[0x43F8u + unsigned(n)] * 64;
    return reg(0xD001 + 2 * n) == kWindowTop + sprite.y && reg(0xD000 + 2 * n) == (x & 0xFF) &&
           bit(0xD010) == (x > 0xFF) && std::equal(sprite.data.begin(), sprite.data.end(), block) &&
           reg(0xD027 + n) == sprite.colour && bit(0xD01C) == sprite.multicolour &&
           bit(0xD01D) == sprite.expand_x && bit(0xD017) == sprite.expand_y &&
           bit(0xD01B) == sprite.behind;
}

} // namespace

// The program moves the hardware sprites so that each sprite of the set is in place from its
// top line to its bottom one, whichever sprite lies on top where two meet, and each interrupt
// takes no more time than the plan allowed it.
TEST(SpriteProgram, ShowsEverySpriteFromItsTopLineToItsBottomLine) {
    auto varied = [] {
        std::vector<Sprite> sprites = {solid(0, -47, 30),  solid(1, -23, -20), solid(2, 310, -5),
                                       solid(3, 319, 60),  solid(4, 232, 90),  solid(5, 200, -41),
                                       solid(6, 150, 199), solid(7, 60, 160),  solid(8, 100, 120)};
        sprites[0].expand_x = sprites[5].expand_y = sprites[7].expand_x = sprites[7].expand_y =
            true;
        sprites[3].multicolour = sprites[4].multicolour = sprites[8].behind = true;
        return sprites;
    };
    auto crossed = [] {
        std::vector<Sprite> sprites;
        for (int n = 0; n < 4; ++n) // 0-3 over 4-7 low down, 8-11 under 12-15 above them
            sprites.push_back(solid(n, 30 + 70 * n, 100)),
                sprites.push_back(solid(4 + n, 42 + 70 * n, 108));
        for (int n = 0; n < 4; ++n)
            sprites.push_back(solid(8 + n, 36 + 70 * n, 18)),
                sprites.push_back(solid(12 + n, 24 + 70 * n, 10));
        return sprites;
    };
    const struct {
        const char* layout;
        SpriteSet set;
    } rows[] = {
        {"four bands, each hardware sprite reused three times",
         set_of({band(0, 0), band(8, 30, 5), band(16, 60, 10), band(24, 90, 3)})},
        {"pairs that meet, the set's order against the screen's", set_of({crossed()})},
        {"every kind of sprite, across the window's edges", set_of({varied()})},
    };
    const MulticolorImage image = picture();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.layout);
        const SpriteProgram program = write_prg(image, row.set);
        ASSERT_EQ(program.refusal, "");
        Cpu cpu;
        cpu.load(program.bytes);
        ASSERT_TRUE(cpu.run_until_it_holds()) << cpu.stopped;
        // The picture in bank 1: screen RAM at $4000, the bitmap at $6000.
        EXPECT_EQ(cpu.io_writes[0xDD00] & 3, 2);
        const std::map<std::uint16_t, int> registers = {
            {0xD011, 0x3B}, {0xD016, kMulticolourControl2},
            {0xD018, 0x08}, {0xD021, image.background},
            {0xD025, 13},   {0xD026, 6}};
        for (const auto& [address, value] : registers) EXPECT_EQ(cpu.io_writes[address], value);
        EXPECT_TRUE(
            std::equal(image.screen.begin(), image.screen.end(), cpu.memory.begin() + 0x4000));
        EXPECT_TRUE(
            std::equal(image.bitmap.begin(), image.bitmap.end(), cpu.memory.begin() + 0x6000));
        EXPECT_TRUE(
            std::equal(image.color.begin(), image.color.end(), cpu.memory.begin() + 0xD800));

        const std::vector<Moment> frame = one_frame(cpu);
        ASSERT_FALSE(frame.empty()) << cpu.stopped;
        std::vector<int> hardware(row.set.sprites.size(), -1);
        for (std::size_t s = 0; s < row.set.sprites.size(); ++s) {
            const Sprite& sprite = row.set.sprites[s];
            const int top = kWindowTop + sprite.y, bottom = top + sprite.height();
            const auto in_force = std::find_if(frame.rbegin(), frame.rend(),
                                               [&](const Moment& m) { return m.line < top; });
            for (int n = 0; n < kHardwareSprites; ++n)
                if (shows(*in_force, n, sprite)) hardware[s] = n;
            ASSERT_GE(hardware[s], 0) << "sprite " << s << " is not in place at its top line";
            for (const Moment& moment : frame)
                EXPECT_TRUE(moment.line < top || moment.line > bottom ||
                            shows(moment, hardware[s], sprite))
                    << "sprite " << s << " is moved on line " << moment.line;
        }
        for (std::size_t a = 0; a < hardware.size(); ++a)
            for (std::size_t b = a + 1; b < hardware.size(); ++b)
                EXPECT_TRUE(!overlap(row.set.sprites[a], row.set.sprites[b]) ||
                            hardware[a] < hardware[b])
                    << "sprites " << a << " and " << b;
        for (const Moment& moment : frame)
            EXPECT_LE(moment.cycles, interrupt_cycles(int(moment.rewrites))) << moment.line;
    }
}

// Each sprite gets the hardware sprite free longest that keeps the order of the sprites it
// meets; a sprite that shows nothing gets none.
TEST(SpriteProgram, PlacesEachSpriteOnTheHardwareSpriteFreeLongest) {
    std::vector<Sprite> staggered; // sprite 7 starts first, sprite 0 last; then one more below
    for (int n = 0; n < 8; ++n) staggered.push_back(solid(n, 40 * n, 7 - n));
    staggered.push_back(solid(8, 100, 60));
    std::vector<Sprite> tall_first = band(0, 0); // sprite 0 ends below the others
    tall_first[0].expand_y = true;
    tall_first.push_back(solid(8, 100, 60));
    Sprite blank = solid(0, 0, 0);
    blank.data.fill(0);
    const struct {
        const char* layout;
        SpriteSet set;
        std::vector<int> hardware;
    } rows[] = {
        {"a band, in the set's order", set_of({band(0, 20)}), {0, 1, 2, 3, 4, 5, 6, 7}},
        {"the first one to end is reused", set_of({staggered}), {7, 6, 5, 4, 3, 2, 1, 0, 0}},
        {"not the lowest number", set_of({tall_first}), {0, 1, 2, 3, 4, 5, 6, 7, 1}},
        {"the one on top starts lower", set_of({{solid(0, 10, 10), solid(1, 0, 0)}}), {0, 1}},
        {"blank or outside the window",
         set_of({{blank, solid(1, 320, 0), solid(2, 0, 200), solid(3, INT_MIN, INT_MAX),
                  solid(4, 9, 9)}}),
         {-1, -1, -1, -1, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.layout);
        const MultiplexPlan plan = plan_multiplex(row.set);
        EXPECT_EQ(plan.refusal, "");
        EXPECT_EQ(hardware_of(plan, row.set.sprites.size()), row.hardware);
    }
}

// A picture without a sprite that shows keeps the program it always had; what a C64 cannot
// show is refused with the reason.
TEST(SpriteProgram, WritesThePlainProgramOrRefusesWithTheReason) {
    const MulticolorImage image = picture();
    const HiresImage hires{.bitmap = image.bitmap, .screen = image.screen};
    const FliImage fli = random_fli_image(4);
    const AfliImage afli{.bitmap = image.bitmap};
    Sprite blank = solid(0, 10, 10);
    blank.data.fill(0);
    const SpriteSet none, unseen = set_of({{blank, solid(1, -24, 0), solid(2, 0, -21)}});
    const SpriteSet one = set_of({{solid(0, 50, 50)}});
    std::vector<Sprite> nine = band(0, 40), stairs;
    nine.push_back(solid(8, 0, 48));
    for (int n = 0; n < 9; ++n) stairs.push_back(solid(n, 10 * n, 10 * n)); // each over the next
    const struct {
        const char* case_;
        SpriteProgram program;
        std::vector<std::uint8_t> bytes;
        std::string refusal;
    } rows[] = {
        {"multicolour, no sprites", write_prg(image, none), write_prg(image), ""},
        {"hires, none that shows", write_hires_prg(hires, unseen), write_hires_prg(hires), ""},
        {"FLI, none that shows", write_fli_prg(fli, unseen), write_fli_prg(fli), ""},
        {"AFLI, no sprites", write_afli_prg(afli, none), write_afli_prg(afli), ""},
        {"nine on a line",
         write_prg(image, set_of({nine})),
         {},
         "Row 48 of the picture holds 9 sprites (0, 1, 2, 3, 4, 5, 6, 7 and 8): a C64 shows at "
         "most "
         "8 on a line"},
        {"bands too close",
         write_hires_prg(hires, set_of({band(0, 0), band(8, 29)})),
         {},
         "Sprites 7 and 15 are too close for the raster interrupts: leave 10 lines between them"},
        {"FLI with a sprite",
         write_fli_prg(fli, one),
         {},
         "A C64 program cannot show sprites over an FLI picture: its colour changes are timed to "
         "the cycle on every line, and fetching sprites takes cycles from those lines"},
        {"AFLI with a sprite",
         write_afli_prg(afli, one),
         {},
         "A C64 program cannot show sprites over an AFLI picture: its colour changes are timed to "
         "the cycle on every line, and fetching sprites takes cycles from those lines"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.case_);
        EXPECT_EQ(row.program.refusal, row.refusal);
        EXPECT_TRUE(row.program.bytes == row.bytes);
    }
}
