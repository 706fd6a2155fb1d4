#include "clashes/clash_fix.h"
#include "c64/hires.h"
#include "clashes/area_colours.h"
#include "colour/color_difference.h"
#include <algorithm>
#include <climits>

namespace {

using Distances = std::array<std::array<float, 16>, 16>;

Distances distances_in(const LabPalette& shown) {
    Distances d{};
    for (int p = 0; p < 16; ++p)
        for (int q = 0; q < 16; ++q) d[p][q] = color_difference(shown[p], shown[q]);
    return d;
}

struct Choice {
    std::array<std::uint8_t, 3> colours{};
    int changed = INT_MAX;
    float distance = 0;
};

// The total difference of the pixels that keep none of their colour, each to the nearest
// of the kept colours or the background.
float changed_distance(const AreaCounts& counts, const std::array<std::uint8_t, 3>& kept,
                       std::uint8_t back, const Distances& d) {
    float total = 0;
    for (int p = 0; p < 16; ++p) {
        if (counts[p] == 0 || p == back || p == kept[0] || p == kept[1] || p == kept[2]) continue;
        float nearest = d[p][back];
        for (std::uint8_t q : kept) nearest = std::min(nearest, d[p][q]);
        total += float(counts[p]) * nearest;
    }
    return total;
}

// Only colours the cell holds can keep pixels unchanged, so the triples are made of them.
Choice best_triple(const AreaCounts& counts, std::uint8_t back, const Distances& d) {
    std::array<std::uint8_t, 16> present{};
    int n = 0, coloured = 0;
    for (int p = 0; p < 16; ++p)
        if (p != back && counts[p] > 0) present[n++] = std::uint8_t(p), coloured += counts[p];
    Choice best;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            for (int k = j + 1; k < n; ++k) {
                const std::array<std::uint8_t, 3> kept = {present[i], present[j], present[k]};
                const int changed = coloured - counts[kept[0]] - counts[kept[1]] - counts[kept[2]];
                if (changed > best.changed) continue;
                const float distance = changed_distance(counts, kept, back, d);
                if (changed < best.changed || distance < best.distance)
                    best = {kept, changed, distance};
            }
    return best;
}

// Makes the cell showable.
void fix_cell(std::uint8_t* picture, int cell, std::uint8_t back, const LabPalette& shown,
              const Distances& d) {
    AreaCounts counts{};
    for (int p = 0; p < kCellPixels; ++p) ++counts[picture[cell_pixel_offset(cell, p)] & 0x0F];
    if (colours_besides(counts, back) <= 3) return;
    const Choice best = best_triple(counts, back, d);
    AreaCounts kept{};
    kept[back] = 1;
    for (std::uint8_t c : best.colours) kept[c] = 1;
    std::array<std::uint8_t, 16> becomes{};
    for (int p = 0; p < 16; ++p)
        becomes[p] = kept[p] ? std::uint8_t(p) : nearest_kept(shown[p], kept, shown);
    for (int p = 0; p < kCellPixels; ++p) {
        std::uint8_t& pixel = picture[cell_pixel_offset(cell, p)];
        pixel = becomes[pixel & 0x0F];
    }
}

} // namespace

void fix_cell_clashes(std::uint8_t* picture, std::uint8_t back, const LabPalette& shown,
                      const PixelArea& within) {
    if (within.empty()) return;
    back &= 0x0F;
    const Distances d = distances_in(shown);
    for (int y = within.top / kCellHeight; y <= within.bottom() / kCellHeight; ++y)
        for (int x = within.left / kCellWidth; x <= within.right() / kCellWidth; ++x)
            fix_cell(picture, y * kCellColumns + x, back, shown, d);
}

namespace {

// The rows an export could not show exactly, within `within`, take what the export shows.
// `width` is the picture's, `cell_width` its cells'.
void take_export(std::uint8_t* picture, const std::uint8_t* shown, const CellRowSet& inexact,
                 int width, int cell_width, const PixelArea& within) {
    for (int row = within.top; row <= within.bottom(); ++row)
        for (int x = within.left / cell_width; x <= within.right() / cell_width; ++x) {
            if (!inexact[std::size_t(row * kCellColumns + x)]) continue;
            const int from = row * width + x * cell_width;
            std::copy_n(shown + from, cell_width, picture + from);
        }
}

} // namespace

// The FLI export chooses each cell's shared colour and each row's own two with the fewest
// pixels changed; its picture, read back, is what those rows become.
void fix_row_clashes(std::uint8_t* picture, std::uint8_t back, const LabPalette&,
                     const PixelArea& within) {
    if (within.empty()) return;
    const FliEncoding encoding = encode_fli(picture, back & 0x0F);
    PictureBytes shown{};
    decode_fli(encoding.image, shown.data());
    take_export(picture, shown.data(), encoding.inexact, kMulticolorColumns, kCellWidth, within);
}

// The hires and AFLI exports keep the pair with the most pixels, which changes the fewest.
template <typename Encoding, typename Image>
void take_hires_export(std::uint8_t* picture, const Encoding& encoding,
                       void (*decode)(const Image&, std::uint8_t*), const PixelArea& within) {
    HiresBytes shown{};
    decode(encoding.image, shown.data());
    take_export(picture, shown.data(), encoding.inexact, kHiresColumns, kHiresCellWidth, within);
}

void fix_pair_clashes(std::uint8_t* picture, std::uint8_t, const LabPalette&,
                      const PixelArea& within) {
    if (within.empty()) return;
    take_hires_export(picture, encode_hires(picture), decode_hires, within);
}

void fix_afli_clashes(std::uint8_t* picture, std::uint8_t, const LabPalette&,
                      const PixelArea& within) {
    if (within.empty()) return;
    take_hires_export(picture, encode_afli(picture), decode_afli, within);
}
