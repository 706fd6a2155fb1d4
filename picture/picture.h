#pragma once
#include "c64/sizes.h"
#include "colour/tcolor.h"
#include "geometry/geometry.h"
#include "modes/picture_format.h"
#include "picture/area_scan.h"
#include <array>
#include <cstdint>
#include <span>

struct Mode;

// The multicolour bitmap's pixels: 160 x 200, the size of the Multicolor and FLI modes.
constexpr int kPictureColumns = kMulticolorColumns;
constexpr int kPictureRows = kBitmapRows;
constexpr int kPictureBytes = kPictureColumns * kPictureRows;
// The picture's storage holds the widest mode's pixels (hires, 320 x 200); a mode uses its
// first width x height bytes, `width` to a row (modes/mode.h).
constexpr int kWidestColumns = kHiresColumns;
constexpr int kStorageBytes = kWidestColumns * kPictureRows;
using StoredPicture = std::array<std::uint8_t, kStorageBytes>;

// What each colour index is called.
extern const std::array<const char*, 16> colour_names;

// What an analysis found: the first three colours of the area besides the background, in the
// order met (a slot holding the background is empty), the colour read last, and the count.
struct Analysis {
    std::uint8_t color1 = 0, color2 = 0, color3 = 0;
    std::uint8_t scan = 0, count = 0;
    bool operator==(const Analysis&) const = default;
};

// What a plot attempt did: whether the pixel took the colour, and each judgement on the way
// (FLI asks the pixel's row, then its cell) with what its analysis found, before the write.
// The model calls no window: whoever shows the picture shows it from this.
struct PlotResult {
    bool accepted = false;
    PixelPos at; // the pixel tried, where its preview band starts
    std::array<Analysis, 2> judgements{};
    int judged = 0;

    explicit operator bool() const { return accepted; }
    std::span<const Analysis> found() const { return {judgements.data(), std::size_t(judged)}; }
    // The pixel written; nothing when the plot was refused.
    PixelArea touched() const {
        return accepted ? PixelArea{at.column, at.row, 1, 1} : PixelArea{};
    }
};

// Told of each pixel that write_pixel is about to store.
class PixelWatch {
public:
    virtual ~PixelWatch() = default;
    virtual void writing(std::int32_t column, std::int32_t row) = 0;
};

// The one picture, the current and grid colours, and the colour-cell rules that guard painting.
class PictureModel {
public:
    StoredPicture picture{};
    // The picture's size and cells, as its mode has them; the document keeps it to the mode.
    PictureShape shape{kPictureColumns, kPictureRows, {4, 8}, 2};
    // Whether the areas share a background (no hires mode has one): the analysis then keeps
    // the background out of the three slots.
    bool shared_background = true;
    std::uint8_t draw_color = 1;
    std::uint8_t back_color = 0;
    TColor pixel_grid_color = 0x555555;
    TColor char_grid_color = 0x11E0FF;
    // Results of the last analysis and plot attempt.
    std::uint8_t scan_color = 0;
    std::uint8_t cell_color1 = 0;
    std::uint8_t cell_color2 = 0;
    std::uint8_t cell_color3 = 0;
    std::uint8_t old_color = 0;
    std::uint8_t cell_count = 0;

    PixelWatch* write_watch = nullptr;

    // Columns and rows within the shape (0..159 and 0..199 in Multicolor); anything else reads 0
    // and is never written.
    std::uint8_t read_pixel(std::int32_t column, std::int32_t row) const;
    void write_pixel(std::uint32_t column, std::uint32_t row, std::uint8_t color);

    // Each analysis also leaves what it found in the scratch fields above.
    Analysis analyse_cell(std::int32_t column, std::int32_t row); // the character cell
    Analysis analyse_row(std::int32_t column, std::int32_t row);  // its row of pixels
    Analysis analyse(const PixelArea& area);                      // of at most 8 x 8 pixels
    // What the scratch fields hold now.
    Analysis last_analysis() const;

    PlotResult plot_multicolor(std::int32_t column, std::int32_t row, std::uint8_t color);
    PlotResult plot_fli(std::int32_t column, std::int32_t row, std::uint8_t color);
    // Judges the pixel in the `area`-sized block that holds it.
    PlotResult plot_in(CellSize area, std::int32_t column, std::int32_t row, std::uint8_t color);
    // Multicolor (format 1) and FLI (2) plot as their modes do; any other value, hires and AFLI
    // included, plots nothing, judges nothing and refuses.
    PlotResult plot_pixel(std::uint8_t format, std::int32_t column, std::int32_t row,
                          std::uint8_t color);
    // As `mode` plots: the entry every mode paints through.
    PlotResult plot_in_mode(const Mode& mode, std::int32_t column, std::int32_t row,
                            std::uint8_t color);

    // While one is held, the model keeps what it read of each cell or row it analyses and
    // follows each write_pixel there, so that plotting many pixels reads each of them once rather
    // than for every pixel. Nothing may write `picture` but write_pixel while one is held.
    class KeepingScans {
    public:
        explicit KeepingScans(PictureModel& model);
        ~KeepingScans();
        KeepingScans(const KeepingScans&) = delete;
        KeepingScans& operator=(const KeepingScans&) = delete;

    private:
        PictureModel& model_;
    };

private:
    ConstPixelGrid pixels() const { return {picture.data(), shape.width, shape.height}; }
    KeptScans kept_;
    bool keeping_ = false;

    bool inside_picture(std::int32_t column, std::int32_t row) const;
    // Writes an accepted pixel, and adds the judgement to `result`.
    PlotResult& write_plotted(PlotResult& result, bool accepted, std::uint8_t color);
    // Whether the last analysis of an area with no shared background found `color` there.
    bool holds(std::uint8_t color) const;
    std::uint16_t area_colours_ = 0; // bit i: the last such area held colour i
    void count_colors();
    PlotResult& plot(PlotResult& result, std::uint8_t color);
};
