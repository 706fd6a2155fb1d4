#include "selection/pixel_selection.h"
#include "raster/raster.h"
#include <algorithm>
#include <cmath>

namespace {

std::size_t index_in(const PixelArea& area, PixelPos at) {
    return std::size_t((at.row - area.top) * area.width + (at.column - area.left));
}

// Where the outline's lines cross the middle of each row of pixels: an edge counts the rows from
// its upper end to just above its lower end, so that a corner where the outline turns back is
// crossed twice or not at all, and one where it goes on once.
std::vector<std::pair<int, double>> row_crossings(std::span<const PixelPos> outline,
                                                  const PixelArea& area) {
    std::vector<std::pair<int, double>> crossings;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const PixelPos a = outline[i], b = outline[(i + 1) % outline.size()];
        if (a.row == b.row) continue;
        const int first = std::max(std::min(a.row, b.row), area.top);
        const int last = std::min(std::max(a.row, b.row) - 1, area.bottom());
        const double slope = double(b.column - a.column) / (b.row - a.row);
        for (int row = first; row <= last; ++row)
            crossings.emplace_back(row, a.column + (row - a.row) * slope);
    }
    std::sort(crossings.begin(), crossings.end());
    return crossings;
}

} // namespace

PixelSelection::PixelSelection(const PixelArea& area) {
    if (!area.empty()) bounds_ = area;
}

// The bounds shrink to the selected pixels, and a mask that selects them all is dropped, so that
// one set of pixels is always kept alike.
PixelSelection::PixelSelection(const PixelArea& area, const std::vector<std::uint8_t>& mask) {
    if (area.empty() || mask.size() != std::size_t(area.width) * std::size_t(area.height)) return;
    int left = area.right() + 1, right = area.left - 1, top = area.bottom() + 1,
        bottom = area.top - 1;
    for (int row = 0; row < area.height; ++row)
        for (int column = 0; column < area.width; ++column)
            if (mask[std::size_t(row * area.width + column)]) {
                left = std::min(left, area.left + column),
                right = std::max(right, area.left + column);
                top = std::min(top, area.top + row), bottom = std::max(bottom, area.top + row);
            }
    if (left > right) return;
    bounds_ = {left, top, right - left + 1, bottom - top + 1};
    bool all = true;
    mask_.reserve(std::size_t(bounds_.width * bounds_.height));
    for (int row = top; row <= bottom; ++row)
        for (int column = left; column <= right; ++column) {
            mask_.push_back(mask[index_in(area, {column, row})] != 0);
            all = all && mask_.back();
        }
    if (all) mask_.clear();
}

PixelSelection PixelSelection::lasso(std::span<const PixelPos> outline, const PixelArea& within) {
    if (outline.empty()) return {};
    PixelArea around{outline.front().column, outline.front().row, 1, 1};
    for (PixelPos point : outline) around = united(around, {point.column, point.row, 1, 1});
    const PixelArea area = clipped(around, within);
    if (area.empty()) return {};
    std::vector<std::uint8_t> mask(std::size_t(area.width * area.height));
    const auto crossings = row_crossings(outline, area);
    // A closed outline crosses each row an even number of times: inside lies between pairs.
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
        const auto& [row, from] = crossings[i];
        const int first = std::max(int(std::floor(from)) + 1, area.left);
        const int last = std::min(int(std::ceil(crossings[i + 1].second)) - 1, area.right());
        for (int column = first; column <= last; ++column) mask[index_in(area, {column, row})] = 1;
    }
    for (std::size_t i = 0; i < outline.size(); ++i)
        for (PixelPos at : line_pixels(outline[i], outline[(i + 1) % outline.size()]))
            if (area.contains(at)) mask[index_in(area, at)] = 1;
    return {area, mask};
}

PixelSelection PixelSelection::wand(ConstPixelGrid picture, PixelPos from) {
    const std::vector<PixelPos> pixels = fill_area(picture, from);
    if (pixels.empty()) return {};
    PixelArea area{from.column, from.row, 1, 1};
    for (PixelPos at : pixels) area = united(area, {at.column, at.row, 1, 1});
    std::vector<std::uint8_t> mask(std::size_t(area.width * area.height));
    for (PixelPos at : pixels) mask[index_in(area, at)] = 1;
    return {area, mask};
}

PixelSelection PixelSelection::of_colour(ConstPixelGrid picture, std::uint8_t color) {
    const PixelArea whole = picture.whole();
    std::vector<std::uint8_t> mask(std::size_t(whole.width * whole.height));
    for (std::size_t i = 0; i < mask.size(); ++i)
        mask[i] = (picture.pixels[i] & 0x0F) == (color & 0x0F);
    return {whole, mask};
}

bool PixelSelection::contains(PixelPos at) const {
    return bounds_.contains(at) && (mask_.empty() || mask_[index_in(bounds_, at)]);
}

// A run goes on while the edge does and the selected pixels stay on its same side; it ends where
// the edge turns or the side changes.
std::vector<EdgeRun> PixelSelection::edge() const {
    std::vector<EdgeRun> runs;
    // The side of the edge between two pixels: 0 where both or neither are selected.
    auto side = [&](PixelPos before, PixelPos after) {
        return int(contains(after)) - int(contains(before));
    };
    struct Corner {
        PixelPos at, before, after;
    };
    auto collect = [&](bool across, int lines, int steps, auto corner) {
        for (int line = 0; line <= lines; ++line) {
            int start = 0, running = 0;
            for (int step = 0; step <= steps; ++step) {
                const Corner here = corner(line, step);
                const int now = step < steps ? side(here.before, here.after) : 0;
                if (now == running) continue;
                if (running != 0) runs.push_back({corner(line, start).at, step - start, across});
                start = step, running = now;
            }
        }
    };
    const PixelArea& b = bounds_;
    // Along each row of corners, the pixels above and below; down each column, left and right.
    collect(true, b.height, b.width, [&](int line, int step) {
        const int column = b.left + step, row = b.top + line;
        return Corner{{column, row}, {column, row - 1}, {column, row}};
    });
    collect(false, b.width, b.height, [&](int line, int step) {
        const int column = b.left + line, row = b.top + step;
        return Corner{{column, row}, {column - 1, row}, {column, row}};
    });
    return runs;
}

PixelSelection held_pixels(const PixelBlock& block, PixelPos at) {
    const PixelArea area{at.column, at.row, block.width, block.height};
    return block.mask.empty() ? PixelSelection(area) : PixelSelection(area, block.mask);
}

PixelSelection clipped(const PixelSelection& selection, const PixelArea& within) {
    const PixelArea area = clipped(selection.bounds(), within);
    if (selection.rectangular() || area.empty()) return PixelSelection(area);
    std::vector<std::uint8_t> mask;
    mask.reserve(std::size_t(area.width * area.height));
    for (int row = area.top; row <= area.bottom(); ++row)
        for (int column = area.left; column <= area.right(); ++column)
            mask.push_back(selection.contains({column, row}));
    return {area, mask};
}

PixelBlock copy_selected(ConstPixelGrid picture, const PixelSelection& selection) {
    if (selection.empty()) return {};
    PixelBlock block = copy_block(picture, selection.bounds());
    block.mask = selection.mask();
    return block;
}

void fill_selected(PixelGrid picture, const PixelSelection& selection, std::uint8_t color) {
    if (selection.rectangular()) return fill_block(picture, selection.bounds(), color);
    const PixelArea& area = selection.bounds();
    for (int row = area.top; row <= area.bottom(); ++row)
        for (int column = area.left; column <= area.right(); ++column)
            if (selection.contains({column, row})) picture.row(row)[column] = color;
}

PixelSelection flip_selected(PixelGrid picture, const PixelSelection& selection, bool across,
                             std::uint8_t back) {
    const PixelArea& area = selection.bounds();
    if (selection.rectangular()) {
        across ? flip_horizontally(picture, area) : flip_vertically(picture, area);
        return selection;
    }
    if (selection.empty()) return selection;
    const PixelBlock before = copy_selected(picture, selection);
    std::vector<std::uint8_t> mirrored(before.mask.size());
    for (int row = 0; row < area.height; ++row)
        for (int column = 0; column < area.width; ++column) {
            const int from_column = across ? area.width - 1 - column : column;
            const int from_row = across ? row : area.height - 1 - row;
            const std::size_t at = std::size_t(row * area.width + column);
            std::uint8_t& pixel = picture.row(area.top + row)[area.left + column];
            mirrored[at] = before.holds(from_column, from_row);
            if (mirrored[at])
                pixel = before.at(from_column, from_row);
            else if (before.holds(column, row))
                pixel = back;
        }
    return {area, mirrored};
}
