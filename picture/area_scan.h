#pragma once
#include "geometry/geometry.h"
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

// Where each colour first appears in an area of at most 8 x 8 pixels of a picture, read row by
// row from the top, each row left to right, past the picture's edges as 0. The analyses are made
// from this, and it can follow a write to one pixel without reading the whole area again. A
// pixel's place is row * 8 + column within the area, so places keep the reading order whatever
// the area's width.
class AreaScan {
public:
    static constexpr int kSide = 8; // the widest and highest area

    // What lies past 8 x 8 is left unread.
    AreaScan(const ConstPixelGrid& picture, const PixelArea& area);

    // The pixel at `at` is about to change from `was` to `now`.
    void change(const ConstPixelGrid& picture, const PixelArea& area, PixelPos at, std::uint8_t was,
                std::uint8_t now);

    // Bit c: the area holds colour c (by its low four bits).
    std::uint16_t colours() const { return colours_; }
    bool holds(std::uint8_t color) const { return (colours_ >> (color & 0x0F) & 1) != 0; }
    // The first pixels of the colours held, in reading order, leaving out `left_out`'s.
    template <class Visit> void firsts(const PixelArea& area, int left_out, Visit visit) const {
        std::uint64_t places = firsts_;
        if (left_out >= 0 && holds(std::uint8_t(left_out)))
            places &= ~(std::uint64_t(1) << first_[left_out & 0x0F]);
        for (; places; places &= places - 1) visit(pixel_at(area, std::countr_zero(places)));
    }

private:
    static PixelPos pixel_at(const PixelArea& area, int place) {
        return {area.left + place % kSide, area.top + place / kSide};
    }
    void see(int place, std::uint8_t color);
    void forget(std::uint8_t color);

    std::array<std::uint8_t, 16> first_{}; // the place of each colour held
    std::uint64_t firsts_ = 0;             // bit p: the pixel at place p is its colour's first
    std::uint16_t colours_ = 0;
};

// The scans of a picture's blocks, each block at most 8 x 8 on the grid of its size from the
// picture's corner, kept for a round of plots: a block is read once in a round, and each write
// the round makes is followed in the blocks that hold it.
class KeptScans {
public:
    // Forgets every scan kept: what follows reads `picture` afresh.
    void start_round(const ConstPixelGrid& picture);
    // The scan of `block`, read now if this round has none; none for an area that is no such
    // block within the picture.
    const AreaScan* of(const ConstPixelGrid& picture, const PixelArea& block);
    // The pixel at `at` is about to change from `was` to `now`.
    void change(const ConstPixelGrid& picture, PixelPos at, std::uint8_t was, std::uint8_t now);

private:
    struct Entry {
        AreaScan scan{{}, {}};
        std::uint32_t round = 0;
    };
    // The blocks of one size, a block to an entry, the picture's top row of blocks first.
    struct Blocks {
        CellSize size;
        int across = 0;
        std::vector<Entry> entries;
        // The block last asked for: most plots ask for the block of the one before.
        PixelArea last{};
        std::size_t last_entry = 0;
        Entry& at(const PixelArea& block);
    };
    std::vector<Blocks> blocks_;
    int width_ = 0, height_ = 0;
    std::uint32_t round_ = 0;
};
