#include "sprites/shown_rows.h"
#include "sprites/shown_screen.h"
#include <algorithm>
#include <span>

namespace {

constexpr auto kScreenWidth = std::size_t(kHiresColumns);

bool any_behind(const SpriteSet& set) { return std::ranges::any_of(set.sprites, &Sprite::behind); }

} // namespace

// What was composed last: the picture and the sprites it was composed from, the picture's
// foreground, and the screen rows composed so far. A redraw that finds them unchanged (a scroll,
// a zoom, a window uncovered) takes the rows composed before; any change starts afresh, and the
// foreground, which takes encoding the whole picture, is made again only when the picture
// changed.
struct ShownRows::Composed {
    std::uint8_t format = 0, background = 0;
    std::vector<std::uint8_t> pixels;
    SpriteSet sprites;
    std::vector<std::uint8_t> foreground; // empty while no sprite lies behind
    std::vector<std::uint8_t> screen;     // 320 x 200
    std::vector<bool> done;               // of each row, whether it is composed

    static Composed& of(const Document& document) {
        thread_local Composed composed;
        composed.follow(document);
        return composed;
    }

    void follow(const Document& document) {
        const ConstPixelGrid grid = document.grid();
        const std::span<const std::uint8_t> now(grid.pixels, std::size_t(grid.width * grid.height));
        const bool picture_changed = format != document.format() ||
                                     background != document.back_color ||
                                     !std::ranges::equal(pixels, now);
        if (!picture_changed && sprites == document.sprites()) return;
        if (picture_changed || (foreground.empty() && any_behind(document.sprites()))) {
            format = document.format();
            background = document.back_color;
            pixels.assign(now.begin(), now.end());
            foreground = foreground_mask(document);
        }
        sprites = document.sprites();
        screen.assign(kScreenWidth * kBitmapRows, 0);
        done.assign(kBitmapRows, false);
    }

    // The picture's row as screen pixels, the sprites over it.
    const std::uint8_t* row(const Document& document, int row) {
        std::uint8_t* line = screen.data() + std::size_t(row) * kScreenWidth;
        if (done[std::size_t(row)]) return line;
        const ConstPixelGrid grid = document.grid();
        const int widen = kHiresColumns / grid.width;
        const std::uint8_t* picture_row = grid.row(row);
        for (int column = 0; column < grid.width; ++column)
            std::fill_n(line + column * widen, widen, picture_row[column]);
        const std::span<const std::uint8_t> behind =
            any_behind(sprites) ? std::span<const std::uint8_t>(foreground)
                                      .subspan(std::size_t(row) * kScreenWidth, kScreenWidth)
                                : std::span<const std::uint8_t>();
        compose_row(sprites, row, {line, kScreenWidth}, behind);
        done[std::size_t(row)] = true;
        return line;
    }
};

ShownRows::ShownRows(const Document& document) : document_(document) {
    for (const Sprite& sprite : document.sprites().sprites) {
        if (rows_.empty()) rows_.resize(kBitmapRows);
        const int top = std::max(sprite.y, 0),
                  end = std::min(sprite.y + sprite.height(), kBitmapRows);
        if (sprite.x >= kHiresColumns || sprite.x + sprite.width() <= 0) continue;
        for (int row = top; row < end; ++row) rows_[std::size_t(row)] = true;
    }
    if (!rows_.empty()) composed_ = &Composed::of(document);
}

bool ShownRows::has_sprites(int row) const {
    return !rows_.empty() && row >= 0 && row < kBitmapRows && rows_[std::size_t(row)];
}

void ShownRows::row(int row, int from, int to, std::uint8_t* out) {
    const int aspect = document_.mode().shape.pixel_aspect;
    if (!has_sprites(row)) {
        const std::uint8_t* picture_row = document_.grid().row(row);
        for (int column = from; column < to; ++column)
            std::fill_n(out + (column - from) * aspect, aspect, picture_row[column]);
        return;
    }
    const std::uint8_t* line = composed_->row(document_, row);
    std::copy(line + from * aspect, line + to * aspect, out);
}

ShownGrid shown_grid(const Document& document) {
    if (document.sprites().sprites.empty())
        return {{}, document.grid(), document.mode().shape.pixel_aspect};
    ShownRows shown(document);
    const int width = document.mode().shape.width;
    ShownGrid grid{std::vector<std::uint8_t>(kScreenWidth * kBitmapRows), {}, 1};
    for (int row = 0; row < kBitmapRows; ++row)
        shown.row(row, 0, width, grid.screen.data() + std::size_t(row) * kScreenWidth);
    grid.grid = {grid.screen.data(), kHiresColumns, kBitmapRows};
    return grid;
}

std::uint8_t shown_colour_at(const Document& document, PixelPos screen) {
    const int aspect = document.mode().shape.pixel_aspect;
    if (!PixelArea{0, 0, kHiresColumns, kBitmapRows}.contains(screen)) // past the picture
        return document.read_pixel(screen.column / aspect, screen.row);
    std::array<std::uint8_t, 2> pair{};
    ShownRows(document).row(screen.row, screen.column / aspect, screen.column / aspect + 1,
                            pair.data());
    return pair[std::size_t(screen.column % aspect)];
}
