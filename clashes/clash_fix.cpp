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
void fix_cell(PixelGrid picture, int cell, std::uint8_t back, const LabPalette& shown,
              const Distances& d) {
    AreaCounts counts{};
    for (int p = 0; p < kCellPixels; ++p)
        ++counts[picture.pixels[cell_pixel_offset(cell, p)] & 0x0F];
    if (colours_besides(counts, back) <= 3) return;
    const Choice best = best_triple(counts, back, d);
    AreaCounts kept{};
    kept[back] = 1;
    for (std::uint8_t c : best.colours) kept[c] = 1;
    std::array<std::uint8_t, 16> becomes{};
    for (int p = 0; p < 16; ++p)
        becomes[p] = kept[p] ? std::uint8_t(p) : nearest_kept(shown[p], kept, shown);
    for (int p = 0; p < kCellPixels; ++p) {
        std::uint8_t& pixel = picture.pixels[cell_pixel_offset(cell, p)];
        pixel = becomes[pixel & 0x0F];
    }
}

} // namespace

void fix_cell_clashes(PixelGrid picture, std::uint8_t back, const LabPalette& shown,
                      const PixelArea& wanted) {
    require_size(picture, kMulticolorColumns, kBitmapRows, "fix_cell_clashes");
    const PixelArea within = clipped(wanted, picture.whole());
    if (within.empty()) return;
    back &= 0x0F;
    const Distances d = distances_in(shown);
    for (int y = within.top / kCellHeight; y <= within.bottom() / kCellHeight; ++y)
        for (int x = within.left / kCellWidth; x <= within.right() / kCellWidth; ++x)
            fix_cell(picture, y * kCellColumns + x, back, shown, d);
}

namespace {

// The rows an export could not show exactly, within `within`, take what the export shows.
// `shown` is the export read back, of the picture's size; `cell_width` is its cells' width.
void take_export(PixelGrid picture, ConstPixelGrid shown, const CellRowSet& inexact, int cell_width,
                 const PixelArea& wanted) {
    const PixelArea within = clipped(wanted, picture.whole());
    for (int row = within.top; row <= within.bottom(); ++row)
        for (int x = within.left / cell_width; x <= within.right() / cell_width; ++x) {
            if (!inexact[std::size_t(row * kCellColumns + x)]) continue;
            std::copy_n(shown.row(row) + x * cell_width, cell_width,
                        picture.row(row) + x * cell_width);
        }
}

} // namespace

// The FLI export chooses each cell's shared colour and each row's own two with the fewest
// pixels changed; its picture, read back, is what those rows become.
void fix_row_clashes(PixelGrid picture, std::uint8_t back, const LabPalette&,
                     const PixelArea& within) {
    if (within.empty()) return;
    const FliEncoding encoding = encode_fli(picture, back & 0x0F);
    PictureBytes shown{};
    decode_fli(encoding.image, multicolor_grid(shown));
    take_export(picture, multicolor_grid(shown), encoding.inexact, kCellWidth, within);
}

// The hires and AFLI exports keep the pair with the most pixels, which changes the fewest.
template <typename Encoding, typename Image>
void take_hires_export(PixelGrid picture, const Encoding& encoding,
                       void (*decode)(const Image&, PixelGrid), const PixelArea& within) {
    HiresBytes shown{};
    decode(encoding.image, hires_grid(shown));
    take_export(picture, hires_grid(shown), encoding.inexact, kHiresCellWidth, within);
}

void fix_pair_clashes(PixelGrid picture, std::uint8_t, const LabPalette&, const PixelArea& within) {
    if (within.empty()) return;
    take_hires_export(picture, encode_hires(picture), decode_hires, within);
}

void fix_afli_clashes(PixelGrid picture, std::uint8_t, const LabPalette&, const PixelArea& within) {
    if (within.empty()) return;
    take_hires_export(picture, encode_afli(picture), decode_afli, within);
}
