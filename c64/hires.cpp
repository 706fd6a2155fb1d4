#include "c64/hires.h"
#include "c64/colour_count.h"
#include "colour/lab.h"
#include "colour/palettes.h"
#include <bit>

namespace {

// The two colours (Vexlor indices) an area is drawn with: `paper` for a clear bit (the
// colour with the most pixels), `ink` for a set bit.
struct Pair {
    std::uint8_t paper = 0, ink = 0;
};

constexpr int bitmap_index(int cell_column, int row) {
    return (row / kCellHeight * kCellColumns + cell_column) * kCellHeight + row % kCellHeight;
}

// Encodes the 8-pixel-wide area of `rows` rows from `top` in cell column `cell_column` into
// `bitmap`: its pair, and whether it shows exactly.
Pair encode_area(ConstPixelGrid picture, int cell_column, int top, int rows, std::uint8_t* bitmap,
                 bool& exact) {
    const int left = cell_column * kHiresCellWidth;
    AreaCounts counts{};
    for (int y = top; y < top + rows; ++y)
        for (int x = left; x < left + kHiresCellWidth; ++x) ++counts[picture.at({x, y}) & 0x0F];
    int first = 0, second = -1, colours = 0;
    for (int c = 0; c < 16; ++c) {
        if (counts[c] == 0) continue;
        ++colours;
        if (counts[c] > counts[first])
            second = first, first = c;
        else if (c != first && (second < 0 || counts[c] > counts[second]))
            second = c;
    }
    const Pair pair{std::uint8_t(first), std::uint8_t(second < 0 ? 0 : second)};
    exact = colours <= 2;
    // A pixel of neither colour takes the nearer as a C64 shows them.
    const LabPalette& c64 = lab_palette(PaletteId::Pepto);
    std::array<bool, 16> inked{};
    for (int c = 0; c < 16; ++c)
        inked[std::size_t(c)] =
            c == pair.ink || (c != pair.paper && delta_e_squared(c64[c], c64[pair.ink]) <
                                                     delta_e_squared(c64[c], c64[pair.paper]));
    for (int y = top; y < top + rows; ++y) {
        std::uint8_t bits = 0;
        for (int x = left; x < left + kHiresCellWidth; ++x)
            bits = std::uint8_t(bits << 1 | inked[picture.at({x, y}) & 0x0F]);
        bitmap[bitmap_index(cell_column, y)] = bits;
    }
    return pair;
}

std::uint8_t screen_byte(Pair pair) {
    return std::uint8_t(c64_color_number(pair.ink) << 4 | c64_color_number(pair.paper));
}

void mark(CellRowSet& rows, int cell_column, int top, int count) {
    for (int y = top; y < top + count; ++y)
        rows[std::size_t(y * kCellColumns + cell_column)] = true;
}

// The pixel rows of a screen byte: (row, how many rows share it).
template <class Visit> void each_area(int area_rows, Visit visit) {
    for (int cx = 0; cx < kCellColumns; ++cx)
        for (int top = 0; top < kBitmapRows; top += area_rows) {
            // The last rows AFLI can fetch a screen for share it with the rows below.
            const int rows =
                area_rows == 1 && top == kLastScreenRow ? kBitmapRows - top : area_rows;
            visit(cx, top, rows);
            top += rows - area_rows;
        }
}

void decode_area(const std::uint8_t* bitmap, std::uint8_t screen, int cell_column, int row,
                 PixelGrid picture) {
    const std::uint8_t ink = vexlor_color_index(screen >> 4), paper = vexlor_color_index(screen);
    const std::uint8_t bits = bitmap[bitmap_index(cell_column, row)];
    for (int x = 0; x < kHiresCellWidth; ++x)
        picture.at({cell_column * kHiresCellWidth + x, row}) = (bits >> (7 - x) & 1) ? ink : paper;
}

void require_hires(ConstPixelGrid picture, const char* reader) {
    require_size(picture, kHiresColumns, kBitmapRows, reader);
}

} // namespace

HiresEncoding encode_hires(ConstPixelGrid picture) {
    require_hires(picture, "encode_hires");
    HiresEncoding encoding;
    each_area(kCellHeight, [&](int cx, int top, int rows) {
        bool exact = true;
        const Pair pair = encode_area(picture, cx, top, rows, encoding.image.bitmap.data(), exact);
        encoding.image.screen[std::size_t(top / kCellHeight * kCellColumns + cx)] =
            screen_byte(pair);
        if (!exact) mark(encoding.inexact, cx, top, rows);
    });
    return encoding;
}

AfliEncoding encode_afli(ConstPixelGrid picture) {
    require_hires(picture, "encode_afli");
    AfliEncoding encoding;
    each_area(1, [&](int cx, int top, int rows) {
        bool exact = true;
        const Pair pair = encode_area(picture, cx, top, rows, encoding.image.bitmap.data(), exact);
        for (int y = top; y < top + rows; ++y)
            encoding.image.screens[std::size_t(y % kCellHeight)]
                                  [std::size_t(y / kCellHeight * kCellColumns + cx)] =
                screen_byte(pair);
        if (!exact) mark(encoding.inexact, cx, top, rows);
    });
    return encoding;
}

void decode_hires(const HiresImage& image, PixelGrid picture) {
    require_hires(picture, "decode_hires");
    for (int row = 0; row < kBitmapRows; ++row)
        for (int cx = 0; cx < kCellColumns; ++cx)
            decode_area(image.bitmap.data(),
                        image.screen[std::size_t(row / kCellHeight * kCellColumns + cx)], cx, row,
                        picture);
}

// A C64 shows rows 197 to 199 with the screen of row 196.
void decode_afli(const AfliImage& image, PixelGrid picture) {
    require_hires(picture, "decode_afli");
    for (int row = 0; row < kBitmapRows; ++row) {
        const int screen_row = screen_row_of(row);
        for (int cx = 0; cx < kCellColumns; ++cx)
            decode_area(image.bitmap.data(),
                        image.screens[std::size_t(screen_row % kCellHeight)]
                                     [std::size_t(screen_row / kCellHeight * kCellColumns + cx)],
                        cx, row, picture);
    }
}

bool hires_shows_with(ConstPixelGrid picture, PixelPos at, std::uint8_t color, int area_rows) {
    require_hires(picture, "hires_shows_with");
    const int left = at.column / kHiresCellWidth * kHiresCellWidth;
    int top = at.row / area_rows * area_rows, rows = area_rows;
    if (area_rows == 1 && at.row >= kLastScreenRow) top = kLastScreenRow, rows = kBitmapRows - top;
    std::uint16_t colours = 0;
    for (int y = top; y < top + rows; ++y)
        for (int x = left; x < left + kHiresCellWidth; ++x) {
            const bool target = x == at.column && y == at.row;
            colours |= std::uint16_t(1u << ((target ? color : picture.at({x, y})) & 0x0F));
        }
    return std::popcount(unsigned(colours)) <= 2;
}

CellRowSet hires_clash_rows(ConstPixelGrid picture) { return encode_hires(picture).inexact; }

CellRowSet afli_clash_rows(ConstPixelGrid picture) {
    CellRowSet rows = encode_afli(picture).inexact;
    for (int cx = 0; cx < kFliBugCellColumns; ++cx) mark(rows, cx, 0, kBitmapRows);
    return rows;
}
