#include "conversion/pair_search.h"
#include "colour/color_difference.h"
#include "colour/mix.h"
#include <limits>

namespace {

enum class Counted : std::uint8_t { Nearest, Mix, Frequency };

// What a pixel costs against each colour on its own, when the nearer of a pair counts.
using Singles = std::array<float, 16>;

Singles singles_of(const Lab& wanted, const LabCPalette& palette, Counted counted) {
    Singles singles;
    const LabC color = with_chroma(wanted);
    const int nearest = nearest_color(color, palette);
    for (int c = 0; c < 16; ++c)
        singles[std::size_t(c)] = counted == Counted::Frequency
                                      ? float(c != nearest)
                                      : color_difference(color, palette[std::size_t(c)]);
    return singles;
}

RowColors search(const PictureTarget& target, const LabPalette& colors, const Mode& mode,
                 Counted counted) {
    const LabCPalette palette = with_chroma(colors);
    RowColors choice;
    std::vector<Singles> singles;
    std::vector<const Lab*> wanted;
    for_each_colour_area(mode, [&](const PixelArea& area) {
        singles.clear();
        wanted.clear();
        for (int y = area.top; y <= area.bottom(); ++y)
            for (int x = area.left; x <= area.right(); ++x) {
                wanted.push_back(&target.pixels[std::size_t(y * target.columns + x)]);
                if (counted != Counted::Mix)
                    singles.push_back(singles_of(*wanted.back(), palette, counted));
            }
        float least = std::numeric_limits<float>::max();
        std::uint8_t first = 0, second = 1;
        for (int a = 0; a < 16; ++a)
            for (int b = a + 1; b < 16; ++b) {
                float error = 0;
                // A picture to be dithered is diffused in CIELAB (see diffusion.h), so its pairs
                // are weighed by their mixes in CIELAB too.
                for (std::size_t p = 0; p < wanted.size() && error < least; ++p)
                    error += counted == Counted::Mix
                                 ? std::sqrt(fit_mix(*wanted[p], colors[std::size_t(a)],
                                                     colors[std::size_t(b)])
                                                 .error_squared)
                                 : std::min(singles[p][std::size_t(a)], singles[p][std::size_t(b)]);
                if (error < least) least = error, first = std::uint8_t(a), second = std::uint8_t(b);
            }
        for (int y = area.top; y <= area.bottom(); ++y)
            choice.rows[std::size_t(target.cell_row_at(area.left, y))] = pair_set(first, second);
    });
    return choice;
}

} // namespace

RowColors choose_pairs(const PictureTarget& target, const LabPalette& colors, const Mode& mode,
                       CellError error) {
    return search(target, colors, mode, error == CellError::Mix ? Counted::Mix : Counted::Nearest);
}

RowColors choose_pairs_by_frequency(const PictureTarget& target, const LabPalette& colors,
                                    const Mode& mode) {
    return search(target, colors, mode, Counted::Frequency);
}
