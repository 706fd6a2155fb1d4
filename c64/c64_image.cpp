#include "c64/c64_image.h"

namespace {

// The cells of a hires picture that a set of its 8 x 1 rows touches.
int cells_touched(const CellRowSet& rows) {
    int cells = 0;
    for (int cell = 0; cell < kCells; ++cell) {
        const int top = cell / kCellColumns * kCellHeight, column = cell % kCellColumns;
        for (int y = top; y < top + kCellHeight; ++y)
            if (rows[std::size_t(y * kCellColumns + column)]) {
                ++cells;
                break;
            }
    }
    return cells;
}

} // namespace

EncodedPicture encoded_multicolor(ConstPixelGrid picture, std::uint8_t background) {
    const Encoding multicolor = encode_multicolor(picture, background);
    return {multicolor.image, multicolor.inexact_cells, kCells};
}

EncodedPicture encoded_fli(ConstPixelGrid picture, std::uint8_t background) {
    FliEncoding fli = encode_fli(picture, background);
    return {std::move(fli.image), int(fli.inexact.count()), kCellRowsOfPicture};
}

EncodedPicture encoded_hires(ConstPixelGrid picture, std::uint8_t) {
    const HiresEncoding hires = encode_hires(picture);
    return {hires.image, cells_touched(hires.inexact), kCells};
}

EncodedPicture encoded_afli(ConstPixelGrid picture, std::uint8_t) {
    AfliEncoding afli = encode_afli(picture);
    return {std::move(afli.image), int(afli.inexact.count()), kCellRowsOfPicture};
}
