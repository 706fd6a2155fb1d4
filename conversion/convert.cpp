#include "conversion/convert.h"
#include "colour/mix.h"
#include "conversion/diffusion.h"
#include "conversion/pair_search.h"
#include "conversion/search_dither.h"
#include <algorithm>
#include <limits>
#include <unordered_map>

namespace {

constexpr float kNearMiss = 5.0f;
constexpr double kDrawnShare = 0.99;
// An image with more distinct colours than this was not drawn in a 16-colour palette.
constexpr std::size_t kMaxDrawnColors = 4096;

using Histogram = std::unordered_map<std::uint32_t, std::uint64_t>;

std::optional<Histogram> color_histogram(int width, int height, const RowReader& row) {
    Histogram histogram;
    std::uint32_t last = 0xFFFFFFFF;
    std::uint64_t* last_count = nullptr;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* rgb = row(y);
        for (int x = 0; x < width; ++x, rgb += 3) {
            const std::uint32_t key = rgb[0] << 16 | rgb[1] << 8 | rgb[2];
            if (key != last) {
                last = key;
                last_count = &histogram[key];
                if (histogram.size() > kMaxDrawnColors) return std::nullopt;
            }
            ++*last_count;
        }
    }
    return histogram;
}

using CellSet4 = std::array<std::uint8_t, 4>;

const CellSet4& colors_at(const PictureTarget& target, const RowColors& rows, int column, int row) {
    return rows.rows[std::size_t(target.cell_row_at(column, row))];
}

// The two of a cell's colours whose mix best makes up the wanted colour.
struct Mix {
    std::uint8_t from = 0, to = 0;
    float share = 0;
};

Mix best_mix(const Lab& wanted, const CellSet4& set, const LabPalette& colors) {
    Mix best{set[0], set[0], 0};
    float least = std::numeric_limits<float>::max();
    for (int i = 0; i < 4; ++i)
        for (int j = i; j < 4; ++j) {
            const MixFit fit = fit_mix(wanted, colors[set[i]], colors[set[j]]);
            if (fit.error_squared < least)
                least = fit.error_squared, best = {set[i], set[j], fit.share};
        }
    return best;
}

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

StoredPicture map_nearest(const PictureTarget& target, const LabPalette& colors,
                          const RowColors& rows) {
    const LabCPalette palette = with_chroma(colors);
    StoredPicture picture{};
    for (std::size_t i = 0; i < target.pixels.size(); ++i) {
        const int column = int(i) % target.columns, row = int(i) / target.columns;
        picture[i] = nearest_in_set(with_chroma(target.pixels[i]),
                                    colors_at(target, rows, column, row), palette);
    }
    return picture;
}

StoredPicture map_ordered(const PictureTarget& target, const LabPalette& colors,
                          const RowColors& rows) {
    StoredPicture picture{};
    for (int row = 0; row < kPictureRows; ++row)
        for (int column = 0; column < target.columns; ++column) {
            const std::size_t i = std::size_t(row * target.columns + column);
            const Mix mix =
                best_mix(target.pixels[i], colors_at(target, rows, column, row), colors);
            const float threshold = (kBayer[row % 4][column % 4] + 0.5f) / 16;
            picture[i] = mix.share > threshold ? mix.to : mix.from;
        }
    return picture;
}

} // namespace

std::optional<PaletteId> recognise_palette(const RgbImage& image,
                                           std::span<const PaletteId> candidates) {
    return recognise_palette(image.width, image.height, rows_of(image), candidates);
}

std::optional<PaletteId> recognise_palette(int width, int height, const RowReader& row,
                                           std::span<const PaletteId> candidates) {
    const std::optional<Histogram> histogram = color_histogram(width, height, row);
    if (!histogram || histogram->empty()) return std::nullopt;
    std::vector<std::pair<Lab, std::uint64_t>> distinct;
    std::uint64_t pixels = 0;
    for (const auto& [key, count] : *histogram) {
        distinct.push_back({lab_from_rgb(key >> 16, (key >> 8) & 0xFF, key & 0xFF), count});
        pixels += count;
    }
    std::optional<PaletteId> recognised;
    double least_error = std::numeric_limits<double>::max();
    for (PaletteId id : candidates) {
        const LabPalette& colors = lab_palette(id);
        std::uint64_t matched = 0;
        double error = 0;
        for (const auto& [lab, count] : distinct) {
            const float miss = delta_e(lab, colors[nearest_color(lab, colors)]);
            if (miss <= kNearMiss) matched += count;
            error += double(miss) * double(count);
        }
        if (matched >= kDrawnShare * double(pixels) && error < least_error)
            recognised = id, least_error = error;
    }
    return recognised;
}

PaletteMatch match_palette(const RgbImage& image, std::optional<PaletteId> wanted) {
    if (wanted) return {*wanted, recognise_palette(image, {&*wanted, 1}).has_value()};
    if (const std::optional<PaletteId> drawn = recognise_palette(image)) return {*drawn, true};
    return {};
}

StoredPicture map_to_rows(const PictureTarget& target, const LabPalette& colors,
                          const RowColors& rows, Dither dither) {
    switch (dither) {
    case Dither::Ordered:
        return map_ordered(target, colors, rows);
    case Dither::FloydSteinberg:
    case Dither::Search:
        return diffuse_onto_rows(target, colors, rows);
    case Dither::None:
        break;
    }
    return map_nearest(target, colors, rows);
}

StoredPicture map_to_cells(const PictureTarget& target, const LabPalette& colors,
                           const CellColors& cells, Dither dither) {
    return map_to_rows(target, colors, rows_of_cells(cells), dither);
}

namespace {

// The palette and the target a conversion works on.
struct Prepared {
    PaletteMatch palette;
    const LabPalette* colors;
    PictureTarget target;
};

Prepared prepare(const RgbImage& image, const ConversionOptions& options) {
    const PaletteMatch palette = match_palette(image, options.palette);
    const LabPalette& colors = lab_palette(palette.palette);
    return {palette, &colors,
            fit_to_picture(image, palette.drawn_in_it ? &colors : nullptr, options.format,
                           options.place)};
}

// The background the user fixed, if any.
std::optional<std::uint8_t> fixed_background(const ConversionOptions& options) {
    if (options.background == BackgroundChoice::Black) return 0;
    if (options.background == BackgroundChoice::Given) return options.given_background & 0x0F;
    return std::nullopt;
}

CellError cell_error(const ConversionOptions& options) {
    return options.dither == Dither::None ? CellError::Nearest : CellError::Mix;
}

// FLI rows are searched by their nearest colours; with Floyd-Steinberg that gives each cell's
// colour-RAM colour, and the rows' screen colours are chosen again as the dither reaches them
// (see diffusion.h). The best background
// is the one the multicolour search settles on: trying all 16 would take 16 times as long.
// A mode that shares no background has a pair for each colour area (see pair_search.h).
RowColors search_rows(const Prepared& prepared, const ConversionOptions& options) {
    const Mode& mode = mode_of(options.format);
    if (!mode.shared.background)
        return choose_pairs(prepared.target, *prepared.colors, mode, cell_error(options));
    if (!mode.shared.cell_colour)
        return rows_of_cells(choose_cell_colors(prepared.target.pixels, *prepared.colors,
                                                fixed_background(options), cell_error(options)));
    const std::optional<std::uint8_t> fixed = fixed_background(options);
    const std::uint8_t background =
        fixed
            ? *fixed
            : choose_cell_colors(prepared.target.pixels, *prepared.colors, std::nullopt).background;
    return choose_fli_colors(prepared.target.pixels, *prepared.colors, background);
}

bool diffused(Dither dither) {
    return dither == Dither::FloydSteinberg || dither == Dither::Search;
}

StoredPicture map_searched(const Prepared& prepared, const ConversionOptions& options,
                           const RowColors& rows) {
    const Mode& mode = mode_of(options.format);
    if (diffused(options.dither) && !mode.shared.background)
        return diffuse_pairs(prepared.target, *prepared.colors, rows, mode);
    if (mode.shared.cell_colour && diffused(options.dither))
        return diffuse_fli(prepared.target, *prepared.colors, rows);
    return map_to_rows(prepared.target, *prepared.colors, rows, options.dither);
}

// The dither as asked; the search starts from Floyd-Steinberg's picture.
StoredPicture dithered(const Prepared& prepared, const ConversionOptions& options,
                       const RowColors& rows, const SearchProgress& progress = {}) {
    const StoredPicture picture = map_searched(prepared, options, rows);
    if (options.dither != Dither::Search) return picture;
    SearchSettings settings;
    settings.progress = progress;
    return search_dither(prepared.target, *prepared.colors, mode_of(options.format),
                         rows.background, picture, settings);
}

// The simple method's colours: each pixel its nearest colour, and the most frequent of those
// in each area.
RowColors simple_rows(const Prepared& prepared, const ConversionOptions& options) {
    const Mode& mode = mode_of(options.format);
    if (!mode.shared.background)
        return choose_pairs_by_frequency(prepared.target, *prepared.colors, mode);
    return rows_of_cells(choose_cell_colors_by_frequency(prepared.target.pixels, *prepared.colors));
}

// The picture outside the image takes the background, which costs no cell a colour. (The
// search saw black there, as a mode without a background keeps it.)
void background_outside(const PictureTarget& target, const Mode& mode, std::uint8_t background,
                        StoredPicture& picture) {
    if (!mode.shared.background) return;
    const PixelArea image{target.left, target.top, target.width, target.height};
    for (int row = 0; row < mode.shape.height; ++row)
        for (int column = 0; column < mode.shape.width; ++column)
            if (!image.contains({column, row}))
                picture[std::size_t(row * mode.shape.width + column)] = background;
}

} // namespace

Conversion convert_image(const RgbImage& image, const ConversionOptions& options,
                         const SearchProgress& progress) {
    const Prepared prepared = prepare(image, options);
    const RowColors rows = search_rows(prepared, options);
    Conversion conversion{dithered(prepared, options, rows, progress), rows.background,
                          prepared.palette, prepared.target.scaled};
    background_outside(prepared.target, mode_of(options.format), rows.background,
                       conversion.picture);
    return conversion;
}

ConversionError measure_conversion(const RgbImage& image, const ConversionOptions& options) {
    const Prepared prepared = prepare(image, options);
    const LabPalette& colors = *prepared.colors;
    const PictureTarget& target = prepared.target;
    const StoredPicture searched = dithered(prepared, options, search_rows(prepared, options));
    const StoredPicture simple =
        map_to_rows(target, colors, simple_rows(prepared, options), Dither::None);
    StoredPicture nearest{};
    for (std::size_t i = 0; i < target.pixels.size(); ++i)
        nearest[i] = std::uint8_t(nearest_color(target.pixels[i], colors));
    return {mean_delta_e(target, target.grid_of(nearest), colors),
            mean_delta_e(target, target.grid_of(searched), colors),
            mean_delta_e(target, target.grid_of(simple), colors)};
}

double mean_delta_e(const PictureTarget& target, ConstPixelGrid picture, const LabPalette& colors) {
    require_size(picture, target.columns, kPictureRows, "mean_delta_e");
    double sum = 0;
    for (int y = target.top; y < target.top + target.height; ++y)
        for (int x = target.left; x < target.left + target.width; ++x) {
            const int i = y * target.columns + x;
            sum +=
                color_difference(target.pixels[std::size_t(i)], colors[picture.at({x, y}) & 0x0F]);
        }
    const int pixels = target.width * target.height;
    return pixels ? sum / pixels : 0;
}
