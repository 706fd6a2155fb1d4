#pragma once
#include "colour/palettes.h"
#include "colour/rgb_image.h"
#include "conversion/cell_search.h"
#include "conversion/fit.h"
#include "conversion/fli_search.h"
#include <functional>
#include <optional>
#include <span>

// Turning an ordinary image into a picture that a C64 can show: laid onto the picture (see
// fit.h), matched to the C64's colours in CIELAB, and reduced cell by cell to the background
// and three colours with the least error, or in FLI row by row (see fli_search.h; with
// Floyd-Steinberg each row's screen colours are chosen as the dither reaches it, see
// diffusion.h). In hires and AFLI each cell, or row of 8, takes the pair of colours with the
// least error (see pair_search.h), with Floyd-Steinberg chosen as the dither reaches it.

// Black, the colour that shows the image best, or the one in `given_background`.
enum class BackgroundChoice : std::uint8_t { Black, Best, Given };
// Search starts from Floyd-Steinberg and changes pixels and colours while the picture, seen
// from a distance, comes closer to the image (see search_dither.h).
enum class Dither : std::uint8_t { None, Ordered, FloydSteinberg, Search };

struct ConversionOptions {
    std::optional<PaletteId> palette = std::nullopt; // none: find out
    BackgroundChoice background = BackgroundChoice::Black;
    Dither dither = Dither::None;
    std::uint8_t given_background = 0; // a Vexlor index, for BackgroundChoice::Given
    PictureFormat format = fmtMulticolor;
    // Where the image lands on the 320 x 200 screen, and how large (see fit_to_picture); none:
    // fitted whole and centred. In a mode with a background, the picture outside the image is
    // the background.
    std::optional<PixelArea> place = std::nullopt;
};

// The known palette the image was drawn in, if any: nearly all of its pixels (99 %) lie within
// a near miss (CIE76 difference 5) of that palette's colours; the closest such palette wins.
std::optional<PaletteId> recognise_palette(const RgbImage& image,
                                           std::span<const PaletteId> candidates = kKnownPalettes);
// The same for an image read row by row.
std::optional<PaletteId> recognise_palette(int width, int height, const RowReader& row,
                                           std::span<const PaletteId> candidates = kKnownPalettes);

// The palette an image is matched against: the one asked for, or the one it was drawn in, or
// else Colodore's measured C64 colours. An image drawn in it is taken colour for colour.
struct PaletteMatch {
    PaletteId palette = PaletteId::Colodore;
    bool drawn_in_it = false;
};
PaletteMatch match_palette(const RgbImage& image, std::optional<PaletteId> wanted);

// Each pixel of the target as one of its cell's four colours: the nearest, or dithered
// (a 4 x 4 ordered pattern mixing the two colours that best make up the pixel, or
// Floyd-Steinberg error diffusion).
StoredPicture map_to_cells(const PictureTarget& target, const LabPalette& colors,
                           const CellColors& cells, Dither dither);
StoredPicture map_to_rows(const PictureTarget& target, const LabPalette& colors,
                          const RowColors& rows, Dither dither);

// Told, as a search goes, how far it has come (0 to 1) and the picture as it stands.
using SearchProgress = std::function<void(double done, const StoredPicture& picture)>;

struct Conversion {
    StoredPicture picture{};     // Vexlor colour indices, as many as the mode's shape has
    std::uint8_t background = 0; // black in a mode that has none
    PaletteMatch palette;
    bool scaled = false;
};
Conversion convert_image(const RgbImage& image, const ConversionOptions& options,
                         const SearchProgress& progress = {});

// The mean CIEDE2000 difference per pixel between the picture, shown in `colors`, and the target,
// over the area the image covers. The picture is `target.columns` x 200; another is refused.
double mean_delta_e(const PictureTarget& target, ConstPixelGrid picture, const LabPalette& colors);

// How close a conversion comes to the image: its mean difference next to that of the simple
// method (each pixel its nearest colour, the most frequent as background, each cell's three
// most frequent others), on the same target and palette; and the floor, each pixel its nearest
// colour with no limit per cell, which neither can pass.
struct ConversionError {
    double floor = 0;
    double searched = 0;
    double simple = 0;
};
ConversionError measure_conversion(const RgbImage& image, const ConversionOptions& options);
