#pragma once
#include "c64/sizes.h"
#include "colour/tcolor.h"
#include "geometry/geometry.h"
#include "modes/picture_format.h"
#include "picture/area_scan.h"
#include <array>
#include <cstdint>

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

// What a plot attempt brings up to date once it has decided: the four analysis swatches, then
// the preview block that starts at the attempted pixel.
class PlotRefresh {
public:
    virtual ~PlotRefresh() = default;
    virtual void show_color1(unsigned index) = 0;
    virtual void show_color2(unsigned index) = 0;
    virtual void show_color3(unsigned index) = 0;
    virtual void show_back() = 0;
    virtual void redraw_preview_band(std::uint32_t column, std::uint32_t row) = 0;
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

    PlotRefresh* refresh = nullptr;
    PixelWatch* write_watch = nullptr;

    // Columns and rows within the shape (0..159 and 0..199 in Multicolor); anything else reads 0
    // and is never written.
    std::uint8_t read_pixel(std::int32_t column, std::int32_t row) const;
    void write_pixel(std::uint32_t column, std::uint32_t row, std::uint8_t color);

    void analyse_cell(std::int32_t column, std::int32_t row); // the character cell
    void analyse_row(std::int32_t column, std::int32_t row);  // its row of pixels
    void analyse(const PixelArea& area);                      // of at most 8 x 8 pixels

    bool plot_multicolor(std::int32_t column, std::int32_t row, std::uint8_t color);
    bool plot_fli(std::int32_t column, std::int32_t row, std::uint8_t color);
    // Judges the pixel in the `area`-sized block that holds it.
    bool plot_in(CellSize area, std::int32_t column, std::int32_t row, std::uint8_t color);
    // Multicolor (format 1) and FLI (2) plot as their modes do; any other value, hires and AFLI
    // included, plots nothing, refreshes nothing and refuses.
    bool plot_pixel(std::uint8_t format, std::int32_t column, std::int32_t row, std::uint8_t color);
    // As `mode` plots: the entry every mode paints through.
    bool plot_in_mode(const Mode& mode, std::int32_t column, std::int32_t row, std::uint8_t color);

    // The swatches from the last analysis, then the preview band at the pixel.
    void refresh_windows(std::int32_t column, std::int32_t row);

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
    bool write_plotted(bool accepted, std::int32_t column, std::int32_t row, std::uint8_t color);
    // Whether the last analysis of an area with no shared background found `color` there.
    bool holds(std::uint8_t color) const;
    std::uint16_t area_colours_ = 0; // bit i: the last such area held colour i
    void count_colors();
    bool plot(std::int32_t column, std::int32_t row, std::uint8_t color);
};
