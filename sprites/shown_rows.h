#pragma once
#include "c64/sizes.h"
#include "document/document.h"
#include <cstdint>
#include <vector>

// What shows on the rows a view draws, the sprites laid over the picture's pixels, in screen
// pixels (a multicolour picture's pixel is two). Made for one redraw, while the document does
// not change: it composes only the rows asked for that a sprite's box lies on, and keeps them
// for the next redraw of the same picture and sprites.
class ShownRows {
public:
    explicit ShownRows(const Document& document);
    // Whether the set has a sprite whose box lies on the picture row: else the row shows the
    // picture's pixels alone.
    bool has_sprites(int row) const;
    // The screen pixels of the picture's columns `from` .. `to` - 1 on `row`, the picture's
    // pixel aspect of them a column, into `out`.
    void row(int row, int from, int to, std::uint8_t* out);

private:
    struct Composed;
    const Document& document_;
    std::vector<bool> rows_; // of each row, whether a sprite's box lies on it
    Composed* composed_ = nullptr;
};

// What shows of the whole document as a grid of pixels `aspect` screen pixels wide, for a view
// that reads every row (the PAL display): the picture itself while it has no sprites, else
// the screen's 320 x 200 with the sprites laid over.
struct ShownGrid {
    std::vector<std::uint8_t> screen;
    ConstPixelGrid grid;
    int aspect = 1;
};
ShownGrid shown_grid(const Document& document);

// The colour that shows at a screen pixel (320 x 200) of the document; past the screen, what the
// picture model reads there.
std::uint8_t shown_colour_at(const Document& document, PixelPos screen);
