#include "bench/bench_support.h"
#include "c64/sprite_prg.h"
#include "desk/desk.h"
#include "sprites/shown_screen.h"
#include <random>

// Eight bands of eight sprites, nine lines apart (as close as the interrupts allow), random
// shapes, some expanded, multicolour or behind; the top band partly above the picture.
SpriteSet sixty_four_sprites() {
    std::mt19937 random(5);
    SpriteSet set;
    for (int band = 0; band < 8; ++band)
        for (int n = 0; n < 8; ++n) {
            Sprite sprite{.x = 40 * n + band, .y = -20 + 30 * band, .colour = std::uint8_t(n)};
            for (std::uint8_t& byte : sprite.data) byte = std::uint8_t(random());
            sprite.multicolour = n % 3 == 0;
            sprite.expand_x = n == 7;
            sprite.behind = n % 2 == 1;
            set.sprites.push_back(sprite);
        }
    return set;
}

namespace {

// A pixel painted through the painter into a stroke's edit, in two colours by turns: a sprite's
// (a multicolour sprite, its own colour and a shared one), beside a bitmap pixel in a cell
// that holds both colours.
void paint_by_turns(benchmark::State& state, PaintTarget target) {
    Desk desk;
    {
        Document::Edit edit = desk.open_edit("Sprites");
        edit.sprites() = sixty_four_sprites();
        edit.sprites().sprites.insert(edit.sprites().sprites.begin(),
                                      {.x = 100, .y = 100, .colour = 3, .multicolour = true});
        edit.sprites().shared_colour0 = 5;
        edit.commit();
    }
    desk.choose_paint_target(target);
    const bool sprites = target == PaintTarget::Sprites;
    const std::uint8_t colours[2] = {3, 5};
    const PixelPos at = sprites ? PixelPos{104, 104} : PixelPos{52, 104};
    Document::Edit edit = desk.open_edit("Paint");
    Painter& painter = desk.painter();
    int turn = 0;
    for (auto _ : state) {
        painter.paint(at, colours[turn ^= 1]);
        benchmark::DoNotOptimize(painter.take_report());
    }
}

void BM_PaintSpritePixel(benchmark::State& s) { paint_by_turns(s, PaintTarget::Sprites); }
void BM_PaintBitmapPixel(benchmark::State& s) { paint_by_turns(s, PaintTarget::Bitmap); }

// Writing the program for a full screen of sprites, as Export as PRG does.
void BM_SpritePrg(benchmark::State& state) {
    const SpriteSet set = sixty_four_sprites();
    const MulticolorImage image{};
    if (!write_prg(image, set).refusal.empty()) state.SkipWithError("the sprites are refused");
    for (auto _ : state) benchmark::DoNotOptimize(write_prg(image, set));
}

// The slowest refusal: four bands above, and below them nine sprites each over the next,
// which no choice of hardware sprites can keep; the search tries the bands' choices too.
void BM_SpritePrgRefused(benchmark::State& state) {
    SpriteSet set = sixty_four_sprites();
    set.sprites.resize(32);
    for (int n = 0; n < 9; ++n) {
        Sprite& sprite = set.sprites.emplace_back(Sprite{.x = 10 * n, .y = 100 + 10 * n});
        sprite.data.fill(0xFF);
    }
    const MulticolorImage image{};
    if (write_prg(image, set).refusal.find("overlaps") == std::string::npos)
        state.SkipWithError("the sprites are not refused for their order");
    for (auto _ : state) benchmark::DoNotOptimize(write_prg(image, set));
}

// What shows of a whole multicolour picture with 64 sprites, half of them behind (so the
// foreground is worked out from the picture's encoding too), against the picture alone.
void shown_with(benchmark::State& state, SpriteSet sprites) {
    Document document;
    Document::Edit edit(document, "Sprites");
    const PixelGrid pixels = edit.pixels(document.whole());
    for (int row = 0; row < pixels.height; ++row)
        for (int column = 0; column < pixels.width; ++column)
            pixels.row(row)[column] = std::uint8_t((column / 3 + row / 8) % 16);
    edit.sprites() = std::move(sprites);
    edit.commit();
    for (auto _ : state) benchmark::DoNotOptimize(shown_screen(document));
}

void BM_ShownScreen(benchmark::State& state) { shown_with(state, sixty_four_sprites()); }
void BM_ShownScreenWithoutSprites(benchmark::State& state) { shown_with(state, {}); }

// The sprites laid over every row of a screen, as a view redraws it: the bitmap's rows copied and
// composed with 64 sprites, the foreground worked out beforehand; against no sprites.
void compose_with(benchmark::State& state, const SpriteSet& set) {
    std::vector<std::uint8_t> bitmap(320 * 200), screen(320 * 200), foreground(320 * 200);
    for (std::size_t i = 0; i < bitmap.size(); ++i) {
        bitmap[i] = std::uint8_t(i / 3 % 16);
        foreground[i] = std::uint8_t(i / 2 % 2);
    }
    for (auto _ : state) {
        screen = bitmap;
        for (int row = 0; row < 200; ++row)
            compose_row(set, row, std::span(screen).subspan(std::size_t(row) * 320, 320),
                        std::span(foreground).subspan(std::size_t(row) * 320, 320));
        benchmark::DoNotOptimize(screen.data());
    }
}

void BM_Compose(benchmark::State& state) { compose_with(state, sixty_four_sprites()); }
void BM_ComposeWithoutSprites(benchmark::State& state) { compose_with(state, {}); }

} // namespace

VEXLOR_BENCH(BM_Compose, "sprites/compose_64");
VEXLOR_BENCH(BM_ComposeWithoutSprites, "sprites/compose_64/baseline");
VEXLOR_BENCH(BM_ShownScreen, "sprites/shown_screen_64");
VEXLOR_BENCH(BM_ShownScreenWithoutSprites, "sprites/shown_screen_64/baseline");
VEXLOR_BENCH(BM_SpritePrg, "sprite_prg/64_sprites");
VEXLOR_BENCH(BM_PaintSpritePixel, "Painter, a sprite pixel");
VEXLOR_BENCH(BM_PaintBitmapPixel, "Painter, a sprite pixel/baseline");
VEXLOR_BENCH(BM_SpritePrgRefused, "sprite_prg/refused_after_the_search");
