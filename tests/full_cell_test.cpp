#include "c64/fli.h"
#include "clashes/clash_fix.h"
#include "colour/color_difference.h"
#include "full_cell/full_cell.h"
#include "full_cell/refused_plot.h"
#include "modes/mode.h"
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
    const char* before; // the cell's top row, then after a "/" its bottom row if that has colour
    int target;         // which pixel of the top row is painted
    std::uint8_t color;
    const char* after[kFullCellChoices]; // the cell after the plot, for each choice in menu order
};

// In the form of the model's worked examples, on black: the cell before, the plot, and the cell
// after it under Keep Its Colours, Refuse, Replace, Nearest and Paint Freely. An unchanged cell
// is a refused plot.
const Example kExamples[] = {
    {fmtFli, "0000", 0, 9, {"9000", "9000", "9000", "9000", "9000"}},
    // a fourth colour onto the background of a full row: the rarest colour is 7, met last;
    // brown is nearest to red
    {fmtFli, "2570", 3, 9, {"2570", "2570", "2599", "2572", "2579"}},
    // a colour the row holds, onto its background: over only under the model's own rule
    {fmtFli, "2570", 3, 2, {"2570", "2572", "2572", "2572", "2572"}},
    // over the row's only 5: three colours after it
    {fmtFli, "2570", 1, 9, {"2970", "2970", "2970", "2970", "2970"}},
    // over one of two 5s: four colours after it
    {fmtFli, "2575", 1, 9, {"2975", "2575", "2979", "2275", "2975"}},
    // cyan is nearest to yellow (by CIE76 it was black, the background)
    {fmtFli, "2579", 1, 3, {"2379", "2579", "2379", "2779", "2379"}},
    // the pixel's own purple is gone once it is painted: grey takes the nearest of the others
    {fmtFli, "2579", 1, 12, {"2C79", "2579", "2C79", "2779", "2C79"}},
    // the right button: the background is never a fourth colour
    {fmtFli, "2570", 2, 0, {"2500", "2500", "2500", "2500", "2500"}},
    {fmtFli, "2579", 0, 0, {"0579", "0579", "0579", "0579", "0579"}},
    // four colours, painted with one of them: three after it
    {fmtFli, "2579", 0, 5, {"5579", "5579", "5579", "5579", "5579"}},
    // a third colour in a row whose cell shares none of them with another full row
    {fmtFli, "4500/1230", 2, 13, {"45D0/1230", "4500/1230", "4DD0/1230", "4540/1230", "45D0/1230"}},
    // the colour the rows share, painted over: replaced in every row, as its colour RAM is
    {fmtFli, "1450/1230", 0, 13, {"D450/1230", "1450/1230", "D450/D230", "4450/1230", "D450/1230"}},
    // the cell: 2 and 5 once, 7 twice; the rarest of equals is the one met last
    {fmtMulticolor,
     "2570/7000",
     3,
     9,
     {"2570/7000", "2570/7000", "2979/7000", "2572/7000", "2579/7000"}},
    {fmtMulticolor,
     "2570/2000",
     3,
     9,
     {"2570/2000", "2570/2000", "2599/2000", "2572/2000", "2579/2000"}},
};

// The cell at (8, 16) as an example writes it.
std::string cell_digits(const PictureModel& model, bool with_bottom) {
    return digits_of(model, 8, 16) + (with_bottom ? "/" + digits_of(model, 8, 23) : "");
}

} // namespace

TEST(FullCell, EachChoiceFollowsTheWorkedExamples) {
    for (const Example& e : kExamples)
        for (int choice = 0; choice < kFullCellChoices; ++choice) {
            SCOPED_TRACE(std::string(e.before) + " paint " + std::to_string(e.color) + " at " +
                         std::to_string(e.target) + ", choice " + std::to_string(choice));
            PictureModel model;
            const bool with_bottom = e.before[4] == '/';
            const auto top = pixels_of(e.before);
            const auto bottom = pixels_of(with_bottom ? e.before + 5 : "0000");
            for (int i = 0; i < 4; ++i) {
                model.write_pixel(8 + i, 16, top[i]);
                model.write_pixel(8 + i, 23, bottom[i]);
            }
            const Plotted plotted = plot_as_chosen(model, FullCell(choice), e.format, 8 + e.target,
                                                   16, e.color, lab_palette(PaletteId::Vexlor));
            EXPECT_EQ(cell_digits(model, with_bottom), e.after[choice]);
            EXPECT_EQ(plotted.accepted, cell_digits(model, with_bottom) != e.before);
        }
}

// Plots of every colour into four cells: two in FLI's last cell row, where rows 197 to 199 show
// row 196's screen colours, and one that no C64 shows to begin with. Under Refuse, Replace and
// Nearest no plot makes a cell unshowable, nor paints a background pixel but its own.
TEST(FullCell, PaintingNeverMakesACellUnshowable) {
    const auto unshowable = [](const PictureModel& model, PictureFormat format) {
        if (format == fmtMulticolor)
            return inexact_cells(multicolor_grid(model.picture), model.back_color);
        const CellRowSet rows =
            encode_fli(multicolor_grid(model.picture), model.back_color).inexact;
        CellSet cells;
        for (int cell = 0; cell < kCells; ++cell)
            for (int y = 0; y < kCellHeight; ++y)
                if (rows[std::size_t(first_cell_row(cell) + y * kCellColumns)]) cells.set(cell);
        return cells;
    };
    std::mt19937 random(35);
    for (const PictureFormat format : {fmtMulticolor, fmtFli})
        for (const FullCell choice :
             {FullCell::RefuseFourth, FullCell::ReplaceColour, FullCell::NearestColour}) {
            SCOPED_TRACE(std::to_string(format) + ", choice " + std::to_string(int(choice)));
            PictureModel model;
            for (int i = 0; i < 4; ++i) model.write_pixel(40 + i, 184, std::uint8_t(1 + i));
            const CellSet unshowable_at_start = unshowable(model, format);
            for (int plot = 0; plot < 150; ++plot) {
                const int column = 40 + int(random() % 8), row = 188 + int(random() % 12);
                const auto color = std::uint8_t(random() % 16);
                const StoredPicture before = model.picture;
                plot_as_chosen(model, choice, format, column, row, color,
                               lab_palette(PaletteId::Vexlor));
                int background_painted = 0;
                for (int p = 0; p < kPictureBytes; ++p)
                    background_painted += before[std::size_t(p)] == model.back_color &&
                                          model.picture[std::size_t(p)] != model.back_color &&
                                          p != row * kPictureColumns + column;
                if (background_painted > 0 ||
                    (unshowable(model, format) & ~unshowable_at_start).any()) {
                    ADD_FAILURE() << "after " << int(color) << " at " << column << ", " << row;
                    break;
                }
            }
        }
}

namespace {

// Fix Colour Clashes as the mode's row does it, by default over the whole picture.
ClashFix fix_clashes(std::uint8_t format, std::uint8_t* picture, std::uint8_t back,
                     const LabPalette& shown, const PixelArea& within = {0, 0, 160, 200}) {
    const Mode& mode = mode_of(format);
    return mode.fix_clashes(mode.grid_of(picture), back, shown, within);
}

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

// A refused plot is told in words: the cell it lies in (in cells from the corner) and the
// colours that fill the area the mode counts, the background left out, in the order met; in
// FLI and AFLI the row, and the last four rows together. Outside the picture, nothing.
TEST(RefusedPlot, NamesTheFullCellOrRowAndItsColours) {
    const struct {
        PictureFormat format;
        PixelPos at;
        const char* cell; // its rows, "/" between them, from the top
        const char* text;
        PixelArea flashed; // the cell's outline
    } cases[] = {
        {fmtMulticolor,
         {69, 41},
         "0000/0100/0002/0000/0000/0000/0000/3000",
         "Cell 17, 5 is full: white, red, cyan",
         {68, 40, 4, 8}},
        {fmtFli,
         {69, 43},
         "1000/0000/0000/0052/0000/0000/0000/3000",
         "Row 3 of cell 17, 5 is full: purple, red",
         {68, 40, 4, 8}},
        {fmtFli,
         {2, 198},
         "3000/0000/0000/0000/0000/0700/0000/0000",
         "Rows 4 to 7 of cell 0, 24 are full: yellow",
         {0, 192, 4, 8}},
        {fmtHires,
         {139, 41},
         "01000000/00000000/00000000/00000000/00000000/00000000/00000000/00000000",
         "Cell 17, 5 is full: black, white",
         {136, 40, 8, 8}},
        {fmtAfli,
         {136, 47},
         "01000000/00000000/00000000/00000000/00000000/00000000/00000000/11111110",
         "Row 7 of cell 17, 5 is full: white, black",
         {136, 40, 8, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Mode& mode = mode_of(c.format);
        std::vector<std::uint8_t> picture(std::size_t(mode.shape.width * mode.shape.height));
        int column = c.flashed.left, row = c.flashed.top;
        for (const char* digit = c.cell; *digit; ++digit)
            if (*digit == '/')
                column = c.flashed.left, ++row;
            else
                picture[std::size_t(row * mode.shape.width + column++)] =
                    std::uint8_t(std::stoi(std::string(1, *digit), nullptr, 16));
        const ConstPixelGrid grid{picture.data(), mode.shape.width, mode.shape.height};
        const std::optional<FullArea> full = full_area_at(mode, grid, 0, c.at);
        ASSERT_TRUE(full);
        EXPECT_EQ(full_area_text(*full), c.text);
        EXPECT_EQ(full->cell, c.flashed);
        EXPECT_FALSE(full_area_at(mode, grid, 0, {mode.shape.width, 0}));
    }
}

// What the fix did to a cell: the pixels changed and their total difference.
Best measured(const StoredPicture& before, const StoredPicture& after, int cell,
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

StoredPicture noise(unsigned seed, int colours) {
    std::mt19937 random(seed);
    StoredPicture picture{};
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
        const StoredPicture before = noise(c.seed, c.colours);
        StoredPicture after = before;
        const ClashFix fix = fix_clashes(fmtMulticolor, after.data(), c.back, shown);
        EXPECT_TRUE(inexact_cells(multicolor_grid(after), c.back).none());
        int pixels = 0;
        for (int cell = 0; cell < kCells; ++cell)
            pixels += measured(before, after, cell, shown).changed;
        EXPECT_EQ(fix.pixels, pixels);
        EXPECT_EQ(fix.areas, int(inexact_cells(multicolor_grid(before), c.back).count()));
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
    const StoredPicture before = noise(7, 16);
    StoredPicture after = before;
    // columns 6..9 and rows 9..9 touch the cells 1 and 2 of the second cell row
    const ClashFix fix = fix_clashes(fmtMulticolor, after.data(), 0, shown, PixelArea{6, 9, 4, 1});
    EXPECT_EQ(fix.areas, 2);
    const CellSet left = inexact_cells(multicolor_grid(after), 0);
    EXPECT_EQ(left.count(), inexact_cells(multicolor_grid(before), 0).count() - 2);
    EXPECT_FALSE(left[41] || left[42]);
    EXPECT_TRUE(left[40] && left[43] && left[1]);

    StoredPicture fitting{};
    fitting.fill(3);
    const ClashFix none = fix_clashes(fmtMulticolor, fitting.data(), 0, shown);
    EXPECT_EQ(none.areas, 0);
    EXPECT_EQ(none.pixels, 0);
}

// In FLI the rows take what the FLI export would show: afterwards it shows every row exactly.
TEST(FixColourClashes, InFliEveryRowCanBeShown) {
    StoredPicture picture = noise(9, 16);
    const int inexact = mode_of(fmtFli).areas_over_limit(multicolor_grid(picture), 0);
    const ClashFix fix = fix_clashes(fmtFli, picture.data(), 0, lab_palette(PaletteId::Vexlor));
    EXPECT_EQ(fix.areas, inexact);
    EXPECT_TRUE(encode_fli(multicolor_grid(picture), 0).inexact.none());
}

// Both counts the user reads, what a mode cannot show and what the fix changed, are of the
// mode's colour areas: a hires cell is one however many of its rows change, an FLI or AFLI row
// is one, and the last four rows of a cell column, which share one screen, are one together.
TEST(FixColourClashes, CountsTheModesColourAreas) {
    struct Stray {
        int column, row;
        std::uint8_t color;
    };
    // Both diagonals of the first cell, and a pair in a cell of the next cell row.
    const std::vector<Stray> every_row_of_two_cells = {
        {0, 0, 2}, {1, 1, 2}, {2, 2, 2}, {3, 3, 2},  {4, 4, 2}, {5, 5, 2}, {6, 6, 2},
        {7, 7, 2}, {0, 7, 3}, {1, 6, 3}, {2, 5, 3},  {3, 4, 3}, {4, 3, 3}, {5, 2, 3},
        {6, 1, 3}, {7, 0, 3}, {0, 1, 3}, {16, 8, 2}, {17, 8, 3}};
    const struct {
        const char* what;
        std::uint8_t format;
        std::vector<Stray> strays; // over a picture of colour 1 on a background of 0
        int areas, pixels;
    } cases[] = {
        {"a Multicolor cell of four colours",
         fmtMulticolor,
         {{0, 0, 2}, {1, 1, 3}, {2, 2, 4}},
         1,
         1},
        {"an FLI row of four colours", fmtFli, {{12, 9, 2}, {13, 9, 3}, {14, 9, 4}}, 1, 1},
        {"FLI's last four rows of a cell column",
         fmtFli,
         {{16, 196, 2}, {17, 197, 3}, {18, 198, 4}, {19, 199, 2}},
         1,
         1},
        {"three pixels in three rows of a hires cell",
         fmtHires,
         {{0, 0, 2}, {1, 1, 2}, {2, 2, 2}, {3, 3, 3}, {4, 4, 3}, {5, 5, 3}, {6, 6, 3}},
         1,
         3},
        {"every row of two hires cells", fmtHires, every_row_of_two_cells, 2, 9},
        {"three rows of an AFLI cell",
         fmtAfli,
         {{24, 0, 2}, {25, 0, 3}, {24, 1, 2}, {25, 1, 3}, {24, 2, 2}, {25, 2, 3}},
         3,
         3},
        {"AFLI's last four rows of a cell column",
         fmtAfli,
         {{32, 196, 2}, {33, 197, 3}, {34, 198, 2}, {35, 199, 3}, {36, 199, 3}},
         1,
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Mode& mode = mode_of(c.format);
        StoredPicture picture{};
        std::fill_n(picture.begin(), mode.shape.width * mode.shape.height, std::uint8_t(1));
        for (const Stray& stray : c.strays)
            picture[std::size_t(stray.row * mode.shape.width + stray.column)] = stray.color;
        EXPECT_EQ(mode.areas_over_limit(mode.grid_of(picture.data()), 0), c.areas);
        const ClashFix fix = mode.fix_clashes(mode.grid_of(picture.data()), 0,
                                              lab_palette(PaletteId::Vexlor), mode.whole());
        EXPECT_EQ(fix.areas, c.areas);
        EXPECT_EQ(fix.pixels, c.pixels);
        EXPECT_EQ(mode.areas_over_limit(mode.grid_of(picture.data()), 0), 0);
    }
}
