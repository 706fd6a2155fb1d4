#include "c64/sprite_prg.h"
#include "c64/fli_prg.h"
#include "c64/prg.h"
#include "c64/sprite_multiplex.h"
#include "sprite_viewer_program.h"
#include <algorithm>
#include <array>
#include <iterator>
#include <map>

namespace {

namespace viewer = sprite_viewer;

constexpr std::size_t file_offset(std::uint16_t address) { return address - kPrgLoadAddress + 2; }

static_assert(viewer::program[0] == (kPrgLoadAddress & 0xFF) &&
              viewer::program[1] == kPrgLoadAddress >> 8);
static_assert(file_offset(viewer::background) == std::size(viewer::program),
              "the writer's bytes follow the viewer's code");

// The VIC-II's bank starts with the screen RAM; a sprite's pointer is its block's place there.
constexpr int kFirstPointer = (viewer::sprite_blocks - viewer::screen_ram) / kSpriteBlockBytes;
// Each hardware sprite shows at most 11 sprites a frame: their Y lie between 9 and 249 and
// 21 lines apart at least. So the table and the blocks always have room.
constexpr int kMostShown = kHardwareSprites * 11;
static_assert(kMostShown <= viewer::table_entries);
static_assert(kMostShown <= (viewer::bitmap - viewer::sprite_blocks) / kSpriteBlockBytes);

// The registers in which hardware sprite n has bit n.
struct SharedBits {
    std::uint8_t x_high = 0, multicolour = 0, wide = 0, tall = 0, behind = 0;
};

SharedBits shared_bits(const SpriteSet& set, const std::array<int, kHardwareSprites>& showing) {
    SharedBits bits;
    for (int n = 0; n < kHardwareSprites; ++n) {
        if (showing[std::size_t(n)] < 0) continue;
        const Sprite& sprite = set.sprites[std::size_t(showing[std::size_t(n)])];
        const auto bit = std::uint8_t(1 << n);
        if (vic_position(sprite).x > 0xFF) bits.x_high |= bit;
        if (sprite.multicolour) bits.multicolour |= bit;
        if (sprite.expand_x) bits.wide |= bit;
        if (sprite.expand_y) bits.tall |= bit;
        if (sprite.behind) bits.behind |= bit;
    }
    return bits;
}

class ProgramFile {
public:
    explicit ProgramFile(std::size_t size) : bytes_(size) {
        std::copy(std::begin(viewer::program), std::end(viewer::program), bytes_.begin());
    }
    std::uint8_t& at(std::uint16_t address, std::size_t index = 0) {
        return bytes_[file_offset(address) + index];
    }
    template <class Bytes> void put(std::uint16_t address, const Bytes& bytes) {
        std::copy(bytes.begin(), bytes.end(),
                  bytes_.begin() + std::ptrdiff_t(file_offset(address)));
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Each different shape once, in the blocks from viewer::sprite_blocks on; the pointer of each
// sprite shown.
std::map<int, std::uint8_t> place_blocks(ProgramFile& file, const SpriteSet& set,
                                         const MultiplexPlan& plan) {
    std::map<std::array<std::uint8_t, kSpriteBytes>, std::uint8_t> blocks;
    std::map<int, std::uint8_t> pointers;
    for (const RasterInterrupt& interrupt : plan.interrupts)
        for (const SpriteRewrite& rewrite : interrupt.rewrites) {
            const auto& data = set.sprites[std::size_t(rewrite.sprite)].data;
            const auto [block, added] =
                blocks.try_emplace(data, std::uint8_t(kFirstPointer + blocks.size()));
            if (added)
                file.put(std::uint16_t(viewer::sprite_blocks +
                                       (block->second - kFirstPointer) * kSpriteBlockBytes),
                         data);
            pointers[rewrite.sprite] = block->second;
        }
    return pointers;
}

// Where each interrupt's entries start in the table: each interrupt's in a row, in the order
// the interrupts run.
std::vector<std::size_t> first_entries(const MultiplexPlan& plan) {
    std::vector<std::size_t> firsts;
    std::size_t entry = 0;
    for (const RasterInterrupt& interrupt : plan.interrupts) {
        firsts.push_back(entry);
        entry += interrupt.rewrites.size();
    }
    return firsts;
}

// An interrupt's entries from `first` on: a sprite's registers each, and with the first the
// registers every hardware sprite has a bit in, as `showing` leaves them.
void write_entries(ProgramFile& file, const SpriteSet& set, const RasterInterrupt& interrupt,
                   std::size_t first, const std::array<int, kHardwareSprites>& showing,
                   const std::map<int, std::uint8_t>& pointers) {
    const SharedBits bits = shared_bits(set, showing);
    file.at(viewer::x_high, first) = bits.x_high;
    file.at(viewer::multicolour, first) = bits.multicolour;
    file.at(viewer::wide, first) = bits.wide;
    file.at(viewer::tall, first) = bits.tall;
    file.at(viewer::behind, first) = bits.behind;
    for (std::size_t k = 0; k < interrupt.rewrites.size(); ++k) {
        const SpriteRewrite& rewrite = interrupt.rewrites[k];
        const Sprite& sprite = set.sprites[std::size_t(rewrite.sprite)];
        const VicPosition position = vic_position(sprite);
        file.at(viewer::position_register, first + k) = std::uint8_t(2 * rewrite.hardware);
        file.at(viewer::new_y, first + k) = std::uint8_t(position.y);
        file.at(viewer::new_x, first + k) = std::uint8_t(position.x);
        file.at(viewer::hardware_sprite, first + k) = std::uint8_t(rewrite.hardware);
        file.at(viewer::pointer, first + k) = pointers.at(rewrite.sprite);
        file.at(viewer::colour, first + k) = sprite.colour & 0x0F;
    }
}

void write_table(ProgramFile& file, const SpriteSet& set, const MultiplexPlan& plan) {
    const std::map<int, std::uint8_t> pointers = place_blocks(file, set, plan);
    const std::vector<std::size_t> firsts = first_entries(plan);
    // The interrupt below the picture puts every hardware sprite's first sprite in place; the
    // program starts with it.
    std::array<int, kHardwareSprites> showing;
    showing.fill(-1);
    for (const SpriteRewrite& rewrite : plan.interrupts.back().rewrites)
        showing[std::size_t(rewrite.hardware)] = rewrite.sprite;
    for (int n = 0; n < kHardwareSprites; ++n)
        if (showing[std::size_t(n)] >= 0) file.at(viewer::enabled) |= std::uint8_t(1 << n);
    file.at(viewer::first_line) = std::uint8_t(plan.interrupts.back().line);
    file.at(viewer::first_entry) = std::uint8_t(firsts.back());

    for (std::size_t i = 0; i < plan.interrupts.size(); ++i) {
        const RasterInterrupt& interrupt = plan.interrupts[i];
        for (const SpriteRewrite& rewrite : interrupt.rewrites)
            showing[std::size_t(rewrite.hardware)] = rewrite.sprite;
        write_entries(file, set, interrupt, firsts[i], showing, pointers);
        // The last entry names the next interrupt's line, which is never 0 (the first follows a
        // sprite's last line), and its first entry.
        const std::size_t next = (i + 1) % plan.interrupts.size();
        const std::size_t last = firsts[i] + interrupt.rewrites.size() - 1;
        file.at(viewer::next_line, last) = std::uint8_t(plan.interrupts[next].line);
        file.at(viewer::next_entry, last) = std::uint8_t(firsts[next]);
    }
}

std::vector<std::uint8_t> sprite_program(const MulticolorImage& image, std::uint8_t control2,
                                         const SpriteSet& sprites, const MultiplexPlan& plan) {
    ProgramFile file(file_offset(viewer::bitmap) + kBitmapBytes);
    file.at(viewer::background) = image.background & 0x0F;
    file.at(viewer::control2) = control2;
    file.at(viewer::shared_colours) = sprites.shared_colour0 & 0x0F;
    file.at(viewer::shared_colours, 1) = sprites.shared_colour1 & 0x0F;
    file.put(viewer::colour_data, image.color);
    file.put(viewer::screen_ram, image.screen);
    file.put(viewer::bitmap, image.bitmap);
    write_table(file, sprites, plan);
    return file.take();
}

template <class Image> using Writer = std::vector<std::uint8_t> (*)(const Image&);

// The sprite viewer where a sprite shows; else the program `without` makes.
template <class Image>
SpriteProgram program_for(const Image& image, const SpriteSet& sprites, Writer<Image> without,
                          const MulticolorImage& as_multicolour, std::uint8_t control2) {
    const MultiplexPlan plan = plan_multiplex(sprites);
    if (!plan.refusal.empty()) return {.refusal = plan.refusal};
    if (plan.interrupts.empty()) return {.bytes = without(image)};
    return {.bytes = sprite_program(as_multicolour, control2, sprites, plan)};
}

// FLI's colour changes are timed to the cycle on every line; sprite fetches would take cycles
// from those lines.
template <class Image>
SpriteProgram without_sprites(const Image& image, const SpriteSet& sprites, const char* mode,
                              Writer<Image> write) {
    const MultiplexPlan plan = plan_multiplex(sprites);
    if (plan.interrupts.empty() && plan.refusal.empty()) return {.bytes = write(image)};
    return {.refusal = std::string("A C64 program cannot show sprites over an ") + mode +
                       " picture: its colour changes are timed to the cycle on every line, "
                       "and fetching sprites takes cycles from those lines"};
}

} // namespace

SpriteProgram write_prg(const MulticolorImage& image, const SpriteSet& sprites) {
    return program_for<MulticolorImage>(image, sprites, write_prg, image, kMulticolourControl2);
}

// Colour RAM and the background play no part in hires: the border is black.
SpriteProgram write_hires_prg(const HiresImage& image, const SpriteSet& sprites) {
    return program_for<HiresImage>(image, sprites, write_hires_prg,
                                   {.bitmap = image.bitmap, .screen = image.screen},
                                   kHiresControl2);
}

SpriteProgram write_fli_prg(const FliImage& image, const SpriteSet& sprites) {
    return without_sprites<FliImage>(image, sprites, "FLI", write_fli_prg);
}

SpriteProgram write_afli_prg(const AfliImage& image, const SpriteSet& sprites) {
    return without_sprites<AfliImage>(image, sprites, "AFLI", write_afli_prg);
}
