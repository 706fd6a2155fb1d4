#include "sprites/sprite_fix.h"
#include "c64/sprite_multiplex.h"
#include "sprites/shown_screen.h"
#include <algorithm>

namespace {

// Whether the C64 program of the mode's pictures shows sprites.
bool shows_sprites(const Document& document) {
    const C64Image image = document.mode().encode(document.grid(), document.back_color).image;
    return std::holds_alternative<MulticolorImage>(image) ||
           std::holds_alternative<HiresImage>(image);
}

// The screen pixels some sprite of the set shows a pixel of, 1 each (320 x 200).
std::vector<std::uint8_t> covered_by(const SpriteSet& set) {
    constexpr std::uint8_t kNone = 0xFF; // no colour: what a sprite writes is below 16
    std::vector<std::uint8_t> covered(std::size_t(kHiresColumns) * kBitmapRows, kNone);
    for (int row = 0; row < kBitmapRows; ++row) {
        const std::span<std::uint8_t> line(covered.data() + std::size_t(row) * kHiresColumns,
                                           kHiresColumns);
        compose_row(set, row, line, {});
        for (std::uint8_t& pixel : line) pixel = pixel != kNone;
    }
    return covered;
}

// Places new sprites over the pixels the fix changed, each pixel of a sprite's colour that its
// box reaches taken at once.
class SpritePlacer {
public:
    SpritePlacer(SpriteSet& set, ConstPixelGrid original, ConstPixelGrid fixed)
        : set_(set), original_(original), fixed_(fixed), widen_(kHiresColumns / fixed.width),
          counts_(sprites_per_row(set)),
          open_(std::size_t(fixed.width) * std::size_t(fixed.height)) {
        const std::vector<std::uint8_t> covered = covered_by(set);
        for (int row = 0; row < fixed.height; ++row)
            for (int column = 0; column < fixed.width; ++column)
                open_[index(column, row)] =
                    fixed.row(row)[column] != original.row(row)[column] &&
                    !std::any_of(covered.begin() + screen(column, row),
                                 covered.begin() + screen(column, row) + widen_,
                                 [](std::uint8_t c) { return c != 0; });
    }

    // How many of the changed pixels the new sprites show as they were.
    int place_all() {
        int taken = 0;
        for (int row = 0; row < fixed_.height; ++row)
            for (int column = 0; column < fixed_.width; ++column)
                if (open_[index(column, row)]) taken += place_over(column, row);
        return taken;
    }

private:
    std::size_t index(int column, int row) const {
        return std::size_t(row) * std::size_t(fixed_.width) + std::size_t(column);
    }
    std::ptrdiff_t screen(int column, int row) const {
        return std::ptrdiff_t(row) * kHiresColumns + column * widen_;
    }

    // Whether every picture row of a box from `top` on has room for one sprite more.
    bool room_from(int top) const {
        for (int row = std::max(top, 0); row < std::min(top + kSpriteHeight, kBitmapRows); ++row)
            if (counts_[std::size_t(row)] >= kHardwareSprites) return false;
        return true;
    }

    // A sprite over the pixel (as low as the rows leave room for), taking every open pixel of
    // its colour in its box; 0 when no row has room, and the pixel stays as fixed.
    int place_over(int column, int row) {
        open_[index(column, row)] = false;
        int top = row;
        while (top > row - kSpriteHeight && !room_from(top)) --top;
        if (top == row - kSpriteHeight) return 0;
        const std::uint8_t colour = original_.row(row)[column];
        Sprite sprite{.x = column * widen_, .y = top, .colour = colour};
        int taken = 1;
        set_bits(sprite, column, row);
        const int last_column = std::min(fixed_.width, column + kSpriteWidth / widen_);
        for (int r = row; r < std::min(top + kSpriteHeight, fixed_.height); ++r)
            for (int c = column; c < last_column; ++c)
                if (open_[index(c, r)] && original_.row(r)[c] == colour) {
                    open_[index(c, r)] = false;
                    set_bits(sprite, c, r);
                    ++taken;
                }
        set_.sprites.push_back(sprite);
        counts_ = sprites_per_row(set_);
        return taken;
    }

    // The sprite's bits under the picture pixel: one in hires, two for a multicolour pixel.
    void set_bits(Sprite& sprite, int column, int row) const {
        for (int x = column * widen_; x < (column + 1) * widen_; ++x) {
            const int bit = x - sprite.x;
            sprite.data[std::size_t((row - sprite.y) * kSpriteRowBytes + bit / 8)] |=
                std::uint8_t(0x80 >> (bit % 8));
        }
    }

    SpriteSet& set_;
    ConstPixelGrid original_, fixed_;
    int widen_;
    std::array<int, kBitmapRows> counts_;
    std::vector<bool> open_; // changed by the fix, under no sprite, not yet tried
};

} // namespace

SpriteFix fix_clashes_with_sprites(Document::Edit& edit, const LabPalette& shown,
                                   const PixelArea& within) {
    Document& document = edit.document();
    const ConstPixelGrid now = document.grid();
    const std::vector<std::uint8_t> original(now.pixels, now.pixels + now.width * now.height);
    const int changed =
        document.mode().fix_clashes(edit.pixels(within), document.back_color, shown, within).pixels;
    if (changed == 0 || !shows_sprites(document)) return {0, changed};
    SpritePlacer placer(edit.sprites(), {original.data(), now.width, now.height}, document.grid());
    const int taken = placer.place_all();
    return {taken, changed - taken};
}
