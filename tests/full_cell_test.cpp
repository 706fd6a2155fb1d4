#include "c64/fli.h"
#include "colour/color_difference.h"
#include "full_cell/clash_fix.h"
#include "full_cell/full_cell.h"
#include <climits>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

// A row of four pixels as hex digits, "2570".
std::array<std::uint8_t, 4> pixels_of(const char* digits) {
    std::array<std::uint8_t, 4> row{};
    for (int i = 0; i < 4; ++i)
        row[i] = std::uint8_t(std::stoi(std::string(1, digits[i]), nullptr, 16));
    return row;
}

std::string digits_of(const PictureModel& model, int left, int row) {
    std::string digits;
    for (int c = left; c < left + 4; ++c) digits += "0123456789ABCDEF"[model.read_pixel(c, row)];
    return digits;
}

struct Example {
    PictureFormat format;
    const char* before; // the area's row; in Multicolor the cell's top row, the rest background
    int extra;          // in Multicolor, a colour at the cell's bottom-left pixel, or -1
    int target;         // which pixel of the row is painted
    std::uint8_t color;
    const char* after[kFullCellChoices]; // the row after the plot, for each choice in menu order
};

// In the form of the model's worked examples, on black: the row before, the plot, and the row
// after it under Keep Its Colours, Refuse, Replace, Nearest and Paint Freely. An unchanged row
// is a refused plot.
const Example kExamples[] = {
    {fmtFli, "0000", -1, 0, 9, {"9000", "9000", "9000", "9000", "9000"}},
    // a fourth colour onto the background of a full row: the rarest colour is 7, met last;
    // brown is nearest to red
    {fmtFli, "2570", -1, 3, 9, {"2570", "2570", "2599", "2572", "2579"}},
    // a colour the row holds, onto its background: over only under the model's own rule
    {fmtFli, "2570", -1, 3, 2, {"2570", "2572", "2572", "2572", "2572"}},
    // over the row's only 5: three colours after it
    {fmtFli, "2570", -1, 1, 9, {"2970", "2970", "2970", "2970", "2970"}},
    // over one of two 5s: four colours after it
    {fmtFli, "2575", -1, 1, 9, {"2975", "2575", "2979", "2275", "2975"}},
    // cyan is nearest to yellow (by CIE76 it was black, the background)
    {fmtFli, "2579", -1, 1, 3, {"2379", "2579", "2379", "2779", "2379"}},
    // the right button: the background is never a fourth colour
    {fmtFli, "2570", -1, 2, 0, {"2500", "2500", "2500", "2500", "2500"}},
    {fmtFli, "2579", -1, 0, 0, {"0579", "0579", "0579", "0579", "0579"}},
    // four colours, painted with one of them: three after it
    {fmtFli, "2579", -1, 0, 5, {"5579", "5579", "5579", "5579", "5579"}},
    // the cell: 2 and 5 once, 7 twice; the rarest of equals is the one met last
    {fmtMulticolor, "2570", 7, 3, 9, {"2570", "2570", "2979", "2572", "2579"}},
    {fmtMulticolor, "2570", 2, 3, 9, {"2570", "2570", "2599", "2572", "2579"}},
};

} // namespace

TEST(FullCell, EachChoiceFollowsTheWorkedExamples) {
    for (const Example& e : kExamples)
        for (int choice = 0; choice < kFullCellChoices; ++choice) {
            SCOPED_TRACE(std::string(e.before) + " paint " + std::to_string(e.color) + " at " +
                         std::to_string(e.target) + ", choice " + std::to_string(choice));
            PictureModel model;
            const auto before = pixels_of(e.before);
            for (int i = 0; i < 4; ++i) model.write_pixel(8 + i, 16, before[i]);
            if (e.extra >= 0) model.write_pixel(8, 23, std::uint8_t(e.extra));
            const Plotted plotted = plot_as_chosen(model, FullCell(choice), e.format, 8 + e.target,
                                                   16, e.color, lab_palette(PaletteId::Vexlor));
            EXPECT_EQ(digits_of(model, 8, 16), e.after[choice]);
            EXPECT_EQ(plotted.accepted, digits_of(model, 8, 16) != e.before);
            if (e.extra >= 0) {
                EXPECT_EQ(model.read_pixel(8, 23), e.extra);
            }
        }
}

namespace {

// The least pixels changed, then the least total difference, over every triple of the 15
// colours besides the background, each other pixel taking its nearest kept colour.
struct Best {
    int changed = INT_MAX;
    float distance = 0;
};

Best brute_force(const std::uint8_t* picture, int cell, std::uint8_t back,
                 const LabPalette& shown) {
    Best best;
    std::vector<std::uint8_t> others;
    for (int c = 0; c < 16; ++c)
        if (c != back) others.push_back(std::uint8_t(c));
    int triples = 0;
    for (std::size_t i = 0; i < others.size(); ++i)
        for (std::size_t j = i + 1; j < others.size(); ++j)
            for (std::size_t k = j + 1; k < others.size(); ++k, ++triples) {
                const std::uint8_t kept[] = {back, others[i], others[j], others[k]};
                Best here{0, 0};
                for (int p = 0; p < kCellPixels; ++p) {
                    const std::uint8_t pixel = picture[cell_pixel_offset(cell, p)];
                    if (std::find(std::begin(kept), std::end(kept), pixel) != std::end(kept))
                        continue;
                    float nearest = 1e9f;
                    for (std::uint8_t q : kept)
                        nearest = std::min(nearest, color_difference(shown[pixel], shown[q]));
                    ++here.changed;
                    here.distance += nearest;
                }
                if (here.changed < best.changed ||
                    (here.changed == best.changed && here.distance < best.distance))
                    best = here;
            }
    EXPECT_EQ(triples, 455);
    return best;
}

// What the fix did to a cell: the pixels changed and their total difference.
Best measured(const PictureBytes& before, const PictureBytes& after, int cell,
              const LabPalette& shown) {
    Best change{0, 0};
    for (int p = 0; p < kCellPixels; ++p) {
        const std::uint8_t was = before[std::size_t(cell_pixel_offset(cell, p))];
        const std::uint8_t is = after[std::size_t(cell_pixel_offset(cell, p))];
        if (was == is) continue;
        ++change.changed;
        change.distance += color_difference(shown[was], shown[is]);
    }
    return change;
}

PictureBytes noise(unsigned seed, int colours) {
    std::mt19937 random(seed);
    PictureBytes picture{};
    for (auto& pixel : picture) pixel = std::uint8_t(random() % unsigned(colours));
    return picture;
}

} // namespace

TEST(FixColourClashes, EachCellKeepsTheBestOfAllTriples) {
    const struct {
        unsigned seed;
        int colours;
        std::uint8_t back;
        PaletteId palette;
    } cases[] = {{1, 16, 0, PaletteId::Vexlor},
                 {2, 6, 0, PaletteId::Colodore},
                 {3, 5, 6, PaletteId::Pepto},
                 {4, 16, 11, PaletteId::ViceColodore}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seed);
        const LabPalette& shown = lab_palette(c.palette);
        const PictureBytes before = noise(c.seed, c.colours);
        PictureBytes after = before;
        const ClashFix fix = fix_colour_clashes(after.data(), c.back, fmtMulticolor, shown);
        EXPECT_TRUE(inexact_cells(after.data(), c.back).none());
        int pixels = 0;
        for (int cell = 0; cell < kCells; ++cell)
            pixels += measured(before, after, cell, shown).changed;
        EXPECT_EQ(fix.pixels, pixels);
        EXPECT_EQ(fix.areas, int(inexact_cells(before.data(), c.back).count()));
        for (int cell : {0, 1, 41, 500, 999}) {
            const Best best = brute_force(before.data(), cell, c.back, shown);
            const Best change = measured(before, after, cell, shown);
            EXPECT_EQ(change.changed, best.changed) << "cell " << cell;
            EXPECT_NEAR(change.distance, best.distance, 1e-3) << "cell " << cell;
        }
    }
}

// A cell that fits is left alone, and only the cells a selection touches are fixed.
TEST(FixColourClashes, LeavesWhatFitsAndWhatLiesOutsideTheSelection) {
    const LabPalette& shown = lab_palette(PaletteId::Vexlor);
    const PictureBytes before = noise(7, 16);
    PictureBytes after = before;
    // columns 6..9 and rows 9..9 touch the cells 1 and 2 of the second cell row
    const ClashFix fix =
        fix_colour_clashes(after.data(), 0, fmtMulticolor, shown, PixelArea{6, 9, 4, 1});
    EXPECT_EQ(fix.areas, 2);
    const CellSet left = inexact_cells(after.data(), 0);
    EXPECT_EQ(left.count(), inexact_cells(before.data(), 0).count() - 2);
    EXPECT_FALSE(left[41] || left[42]);
    EXPECT_TRUE(left[40] && left[43] && left[1]);

    PictureBytes fitting{};
    fitting.fill(3);
    const ClashFix none = fix_colour_clashes(fitting.data(), 0, fmtMulticolor, shown);
    EXPECT_EQ(none.areas, 0);
    EXPECT_EQ(none.pixels, 0);
}

// In FLI the rows take what the FLI export would show: afterwards it shows every row exactly.
TEST(FixColourClashes, InFliEveryRowCanBeShown) {
    PictureBytes picture = noise(9, 16);
    const std::size_t inexact = encode_fli(picture.data(), 0).inexact.count();
    const ClashFix fix =
        fix_colour_clashes(picture.data(), 0, fmtFli, lab_palette(PaletteId::Vexlor));
    EXPECT_EQ(std::size_t(fix.areas), inexact);
    EXPECT_TRUE(encode_fli(picture.data(), 0).inexact.none());
}
