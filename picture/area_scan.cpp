#include "picture/area_scan.h"
#include <algorithm>

namespace {

std::uint8_t pixel_or_zero(const ConstPixelGrid& picture, PixelPos at) {
    return picture.contains(at) ? picture.at(at) : 0;
}

} // namespace

AreaScan::AreaScan(const ConstPixelGrid& picture, const PixelArea& area) {
    for (int row = 0; row < std::min(area.height, kSide); ++row)
        for (int column = 0; column < std::min(area.width, kSide); ++column)
            see(row * kSide + column, pixel_or_zero(picture, {area.left + column, area.top + row}));
}

void AreaScan::change(const ConstPixelGrid& picture, const PixelArea& area, PixelPos at,
                      std::uint8_t was, std::uint8_t now) {
    was &= 0x0F, now &= 0x0F;
    if (was == now) return;
    const int place = (at.row - area.top) * kSide + at.column - area.left;
    if (first_[was] == place) { // `was` now first appears further on, if at all
        forget(was);
        for (int next = place + 1; next < std::min(area.height, kSide) * kSide; ++next)
            if (next % kSide < std::min(area.width, kSide) &&
                (pixel_or_zero(picture, pixel_at(area, next)) & 0x0F) == was) {
                see(next, was);
                break;
            }
    }
    if (!holds(now) || first_[now] > place) {
        forget(now);
        see(place, now);
    }
}

void AreaScan::see(int place, std::uint8_t color) {
    color &= 0x0F;
    if (holds(color)) return;
    colours_ |= std::uint16_t(1u << color);
    first_[color] = std::uint8_t(place);
    firsts_ |= std::uint64_t(1) << place;
}

void AreaScan::forget(std::uint8_t color) {
    if (!holds(color)) return;
    colours_ &= std::uint16_t(~(1u << color));
    firsts_ &= ~(std::uint64_t(1) << first_[color]);
}

void KeptScans::start_round(const ConstPixelGrid& picture) {
    // Another shape has other blocks.
    if (picture.width != width_ || picture.height != height_) blocks_.clear();
    width_ = picture.width, height_ = picture.height;
    ++round_;
}

KeptScans::Entry& KeptScans::Blocks::at(const PixelArea& block) {
    if (block != last) {
        last = block;
        last_entry = std::size_t(block.top / size.height * across + block.left / size.width);
    }
    return entries[last_entry];
}

const AreaScan* KeptScans::of(const ConstPixelGrid& picture, const PixelArea& block) {
    const CellSize size{block.width, block.height};
    if (size.width > AreaScan::kSide || size.height > AreaScan::kSide ||
        block_at({block.left, block.top}, size) != block ||
        !picture.contains({block.left, block.top}) ||
        !picture.contains({block.right(), block.bottom()}))
        return nullptr;
    auto blocks = std::ranges::find(blocks_, size, &Blocks::size);
    if (blocks == blocks_.end()) {
        const int across = width_ / size.width, down = height_ / size.height;
        blocks = blocks_.insert(
            blocks_.end(),
            Blocks{size, across, std::vector<Entry>(std::size_t(across * down)), {}, 0});
    }
    Entry& entry = blocks->at(block);
    if (entry.round != round_) entry = {AreaScan(picture, block), round_};
    return &entry.scan;
}

void KeptScans::change(const ConstPixelGrid& picture, PixelPos at, std::uint8_t was,
                       std::uint8_t now) {
    for (Blocks& blocks : blocks_) {
        const PixelArea block = block_at(at, blocks.size);
        if (block.right() >= width_ || block.bottom() >= height_) continue;
        Entry& entry = blocks.at(block);
        if (entry.round == round_) entry.scan.change(picture, block, at, was, now);
    }
}
