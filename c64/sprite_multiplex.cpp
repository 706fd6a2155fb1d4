#include "c64/sprite_multiplex.h"
#include "c64/sizes.h"
#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <span>
#include <tuple>

namespace {

// PAL: the raster lines of a frame, and the CPU cycles of a line.
constexpr int kRasterLines = 312;
constexpr int kLineCycles = 63;
constexpr int kLineX = 504; // the X positions of a line; a sprite's X wraps at the end
// What the VIC-II takes from the CPU: the 40 character fetches of a bad line and the 3 cycles
// that warn the CPU first; the fetches of up to 8 sprites, 2 cycles each and 3 of warning.
constexpr int kBadLineCycles = 43;
constexpr int kSpriteFetchCycles = 19;
// A sprite at Y is drawn from line Y + 1, so the picture's first line is kWindowTop + 1.
constexpr int kPictureTopLine = kWindowTop + 1;
constexpr int kBelowPictureLine = kPictureTopLine + kBitmapRows;
constexpr int kLastInterruptLine = 255; // the viewer compares the raster line in 8 bits
// On cycle 55 of a line the VIC-II compares each sprite's Y with the line and starts fetching
// the sprites it meets; a sprite's registers are written by cycle 50 of that line at the latest.
constexpr int kWritesBefore = 50;

// The interrupt handler's cycles, as c64/sprite_viewer.asm's `irq` spends them: from the start
// of its raster line to its first instruction (the main loop's JMP ends, then the CPU's
// interrupt sequence); LDX and the five registers every hardware sprite has a bit in; a
// sprite's Y, X, pointer and colour; on to the next entry; and from the last colour to RTI.
constexpr int kIrqLatency = 12;
constexpr int kSharedRegisters = 43;
constexpr int kRewrite = 44;
constexpr int kNextRewrite = 11;
constexpr int kHandlerExit = 30;

// With the vertical scroll at 3, as the viewer sets it, every eighth line of the picture from
// its first is a bad line.
bool is_bad_line(int line) {
    return line >= kPictureTopLine && line < kBelowPictureLine && (line - kPictureTopLine) % 8 == 0;
}

// The columns of the window a sprite's line covers with a visible pixel, bit i for screen
// column x + i, for a sprite that reaches into the window.
std::uint64_t opaque_pixels(const Sprite& sprite, int line) {
    const int row = (sprite.expand_y ? line / 2 : line) * kSpriteRowBytes;
    const std::uint32_t bits =
        std::uint32_t(sprite.data[row] << 16 | sprite.data[row + 1] << 8 | sprite.data[row + 2]);
    const int scale = sprite.expand_x ? 2 : 1;
    std::uint64_t mask = 0;
    for (int pixel = 0; pixel < kSpriteWidth; ++pixel) {
        // A multicolour pixel is a pair of bits, a hires pixel one.
        const bool shows = sprite.multicolour ? (bits >> (22 - (pixel & ~1)) & 3) != 0
                                              : (bits >> (23 - pixel) & 1) != 0;
        if (shows) mask |= (scale == 2 ? 3ull : 1ull) << (pixel * scale);
    }
    if (sprite.x < 0) mask = mask >> -sprite.x << -sprite.x;
    const int inside = kHiresColumns - sprite.x;
    return inside < 64 ? mask & ((1ull << inside) - 1) : mask;
}

// A sprite that shows: the lines the VIC-II fetches it on, and its pixels on each line drawn.
struct Use {
    int sprite = 0;
    int top = 0;                         // its Y: fetched from this line on, drawn from the next
    int bottom = 0;                      // the last line it is drawn on
    int x = 0;                           // in the window's columns
    std::vector<std::uint64_t> pixels{}; // a line drawn each, from top + 1

    std::uint64_t pixels_on(int line) const { return pixels[std::size_t(line - top - 1)]; }
};

std::vector<Use> uses_of(const SpriteSet& set) {
    std::vector<Use> uses;
    for (std::size_t n = 0; n < set.sprites.size(); ++n) {
        const Sprite& sprite = set.sprites[n];
        if (sprite.x <= -sprite.width() || sprite.x >= kHiresColumns ||
            sprite.y <= -sprite.height() || sprite.y >= kBitmapRows)
            continue; // wholly outside the window
        Use use{.sprite = int(n),
                .top = kWindowTop + sprite.y,
                .bottom = kWindowTop + sprite.y + sprite.height(),
                .x = sprite.x};
        bool shows = false;
        for (int line = 0; line < sprite.height(); ++line) {
            const int row = sprite.y + line;
            use.pixels.push_back(row >= 0 && row < kBitmapRows ? opaque_pixels(sprite, line) : 0);
            shows = shows || use.pixels.back() != 0;
        }
        if (shows) uses.push_back(std::move(use));
    }
    std::stable_sort(uses.begin(), uses.end(),
                     [](const Use& a, const Use& b) { return a.top < b.top; });
    return uses;
}

bool pixels_meet(const Use& a, const Use& b) {
    const int dx = b.x - a.x;
    if (dx >= 64 || dx <= -64) return false;
    for (int line = std::max(a.top, b.top) + 1; line <= std::min(a.bottom, b.bottom); ++line) {
        const std::uint64_t pa = a.pixels_on(line), pb = b.pixels_on(line);
        if ((dx >= 0 ? pa >> dx & pb : pa & pb >> -dx) != 0) return true;
    }
    return false;
}

std::string joined(const std::vector<int>& numbers) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        text += (i == 0                    ? ""
                 : i + 1 == numbers.size() ? " and "
                                           : ", ") +
                std::to_string(numbers[i]);
    return text;
}

bool reaches_window(const Sprite& sprite) {
    return sprite.x > -sprite.width() && sprite.x < kHiresColumns && sprite.y > -sprite.height() &&
           sprite.y < kBitmapRows;
}

// Why a row holds more sprites than a C64 can show; empty when none does.
std::string crowded_line(const SpriteSet& set) {
    const std::optional<int> row = crowded_row(set);
    if (!row) return {};
    const std::vector<int> sprites = sprites_on_row(set, *row);
    return "Row " + std::to_string(*row) + " of the picture holds " +
           std::to_string(sprites.size()) + " sprites (" + joined(sprites) +
           "): a C64 shows at most 8 on a line";
}

// The CPU cycles each raster line leaves the interrupts.
class Timeline {
public:
    explicit Timeline(const std::vector<Use>& uses) {
        std::array<bool, kRasterLines> fetched{};
        for (const Use& use : uses)
            for (int line = use.top; line <= use.bottom; ++line) fetched[std::size_t(line)] = true;
        for (std::size_t line = 0; line < kRasterLines; ++line) {
            const int sprites = fetched[line] ? kSpriteFetchCycles : 0;
            cycles_[line] = kLineCycles - (is_bad_line(int(line)) ? kBadLineCycles : 0) - sprites;
            before_compare_[line] = is_bad_line(int(line)) ? 0 : kWritesBefore - sprites;
        }
    }

    // The line in which `cycles` of CPU time from the start of `line` have run (on into the
    // next frame past the last line).
    int line_after(int line, int cycles) const {
        while (cycles > cycles_[std::size_t(line % kRasterLines)])
            cycles -= cycles_[std::size_t(line++ % kRasterLines)];
        return line;
    }

    // How many lines too late `cycles` from the start of `line` end for a sprite fetched from
    // line `fetch` on: 0 when they end in time for its Y to be compared there.
    int lines_late(int line, int cycles, int fetch) const {
        for (int ran = 0;; ran += cycles_[std::size_t(line++ % kRasterLines)])
            if (line >= fetch && cycles <= ran + before_compare_[std::size_t(line % kRasterLines)])
                return line - fetch;
    }

private:
    std::array<int, kRasterLines> cycles_{};
    std::array<int, kRasterLines> before_compare_{};
};

// A hardware sprite moved from one use to its next. Lines of the next frame count on from
// kRasterLines.
struct Rewrite {
    int hardware = 0;
    std::size_t from = 0, to = 0; // uses
    int release = 0;              // the first line it may run in: the old use has been drawn
    int fetch = 0;                // the new use's top: it must end in time for its Y there
};

struct HandlerRun {
    int end = 0;          // the line the handler returns in
    std::size_t late = 0; // the first rewrite that ends too late
    int lines_late = 0;   // by how many lines; 0 when every rewrite is in time
    bool fits() const { return lines_late == 0; }
};

// The handler started on `line` for `rewrites`, in their order.
HandlerRun run_handler(const Timeline& timeline, int line, std::span<const Rewrite> rewrites) {
    HandlerRun run;
    int cycles = kIrqLatency + kSharedRegisters;
    for (std::size_t i = 0; i < rewrites.size(); ++i) {
        cycles += kRewrite;
        const int late = timeline.lines_late(line, cycles, rewrites[i].fetch);
        if (late > 0 && run.fits()) run.late = i, run.lines_late = late;
        cycles += i + 1 < rewrites.size() ? kNextRewrite : kHandlerExit;
    }
    if (line > kLastInterruptLine && run.fits()) run.lines_late = line - kLastInterruptLine;
    run.end = timeline.line_after(line, interrupt_cycles(int(rewrites.size())));
    return run;
}

Rewrite rewrite_between(const std::vector<Use>& uses, int hardware, std::size_t from,
                        std::size_t to) {
    return {.hardware = hardware,
            .from = from,
            .to = to,
            .release = uses[from].bottom + 1,
            .fetch = uses[to].top};
}

std::string too_close(const std::vector<Use>& uses, const Rewrite& rewrite, int lines_late) {
    const Use &upper = uses[rewrite.from], &lower = uses[rewrite.to];
    return "Sprites " + std::to_string(upper.sprite) + " and " + std::to_string(lower.sprite) +
           " are too close for the raster interrupts: leave " +
           std::to_string(lower.top - upper.bottom + lines_late) + " lines between them";
}

// Gives each use a hardware sprite: from the top down, the one free longest among those that
// keep the order of the sprites it overlaps and that can be rewritten in time on their own;
// where that leads nowhere, the next choice, back to the uses above.
class Assignment {
public:
    Assignment(const std::vector<Use>& uses, const Timeline& timeline)
        : uses_(uses), timeline_(timeline), hardware_(uses.size(), -1), overlaps_(uses.size()) {
        for (std::size_t a = 0; a < uses.size(); ++a)
            for (std::size_t b = a + 1; b < uses.size(); ++b)
                if (pixels_meet(uses[a], uses[b]))
                    overlaps_[a].push_back(b), overlaps_[b].push_back(a);
        last_.fill(kNone);
    }

    bool run() { return place(0); }
    const std::vector<int>& hardware() const { return hardware_; }
    const std::string& refusal() const { return refusal_; }

private:
    static constexpr std::size_t kNone = SIZE_MAX;
    static constexpr int kSearchSteps = 100000; // a layout still unplaced then is refused

    int lines_late(int hardware, std::size_t use) const {
        if (last_[std::size_t(hardware)] == kNone) return 0;
        const Rewrite rewrite = rewrite_between(uses_, hardware, last_[std::size_t(hardware)], use);
        return run_handler(timeline_, rewrite.release, {&rewrite, 1}).lines_late;
    }
    int free_since(int hardware) const {
        const std::size_t last = last_[std::size_t(hardware)];
        return last == kNone ? INT_MIN : uses_[last].bottom;
    }

    bool place(std::size_t k) {
        if (k == uses_.size()) return true;
        if (++steps_ > kSearchSteps) return false;
        const int sprite = uses_[k].sprite;
        int lowest = 0, highest = kHardwareSprites - 1, above = 0, below = 0;
        for (std::size_t other : overlaps_[k]) {
            const bool over = uses_[other].sprite < sprite;
            if (hardware_[other] < 0)
                ++(over ? above : below);
            else if (over)
                lowest = std::max(lowest, hardware_[other] + 1);
            else
                highest = std::min(highest, hardware_[other] - 1);
        }
        std::vector<int> choices;
        for (int n = lowest; n <= highest; ++n)
            if (lines_late(n, k) == 0) choices.push_back(n);
        // Leave room for the overlapping sprites still to come, then take the one free longest.
        const auto rank = [&](int n) {
            return std::tuple(n < lowest + above || n > highest - below, free_since(n), n);
        };
        std::sort(choices.begin(), choices.end(), [&](int a, int b) { return rank(a) < rank(b); });
        for (int n : choices) {
            const std::size_t before = last_[std::size_t(n)];
            hardware_[k] = n;
            last_[std::size_t(n)] = k;
            if (place(k + 1)) return true;
            last_[std::size_t(n)] = before;
        }
        hardware_[k] = -1;
        // The deepest use no choice takes explains the refusal (not one cut short).
        if (steps_ <= kSearchSteps && k >= deepest_) deepest_ = k, refusal_ = why_not(k);
        return false;
    }

    // Why no hardware sprite takes use k: every one is busy too near it, or the free ones
    // cannot keep its order with the sprites it overlaps.
    std::string why_not(std::size_t k) const {
        int nearest = -1, nearest_late = INT_MAX;
        for (int n = 0; n < kHardwareSprites; ++n) {
            const int late = lines_late(n, k);
            if (late == 0) return out_of_order(k);
            if (late < nearest_late) nearest = n, nearest_late = late;
        }
        const Rewrite rewrite = rewrite_between(uses_, nearest, last_[std::size_t(nearest)], k);
        return too_close(uses_, rewrite, nearest_late);
    }

    std::string out_of_order(std::size_t k) const {
        std::vector<int> placed;
        for (std::size_t other : overlaps_[k])
            if (hardware_[other] >= 0) placed.push_back(uses_[other].sprite);
        std::sort(placed.begin(), placed.end());
        const int row = std::max(0, uses_[k].top + 1 - kPictureTopLine);
        return "Sprite " + std::to_string(uses_[k].sprite) + " overlaps sprite" +
               (placed.size() > 1 ? "s " : " ") + joined(placed) +
               " in an order the hardware sprites free on row " + std::to_string(row) +
               " cannot keep: move one of them";
    }

    const std::vector<Use>& uses_;
    const Timeline& timeline_;
    std::vector<int> hardware_;
    std::vector<std::vector<std::size_t>> overlaps_;
    std::array<std::size_t, kHardwareSprites> last_{};
    int steps_ = 0;
    std::size_t deepest_ = 0;
    std::string refusal_;
};

// Every rewrite of a frame, the earliest fetch first: each hardware sprite from one use to
// the next, and below the picture from its last use back to its first for the next frame.
std::vector<Rewrite> rewrites_of(const std::vector<Use>& uses, const std::vector<int>& hardware) {
    std::vector<Rewrite> rewrites;
    for (int n = 0; n < kHardwareSprites; ++n) {
        std::vector<std::size_t> mine;
        for (std::size_t k = 0; k < uses.size(); ++k)
            if (hardware[k] == n) mine.push_back(k);
        if (mine.empty()) continue;
        for (std::size_t i = 0; i + 1 < mine.size(); ++i)
            rewrites.push_back(rewrite_between(uses, n, mine[i], mine[i + 1]));
        rewrites.push_back({.hardware = n,
                            .from = mine.back(),
                            .to = mine.front(),
                            .release = kBelowPictureLine,
                            .fetch = kRasterLines + uses[mine.front()].top});
    }
    std::sort(rewrites.begin(), rewrites.end(), [](const Rewrite& a, const Rewrite& b) {
        return std::tie(a.fetch, a.release, a.hardware) < std::tie(b.fetch, b.release, b.hardware);
    });
    return rewrites;
}

struct Group {
    int line = 0;
    int end = 0;
    std::vector<Rewrite> rewrites;
};

// Puts the rewrites into interrupts: each joins the one before when all of its rewrites still
// end in time, and else starts its own, after the one before has returned.
MultiplexPlan interrupts_for(const std::vector<Use>& uses, const std::vector<Rewrite>& rewrites,
                             const Timeline& timeline) {
    std::vector<Group> groups;
    for (const Rewrite& rewrite : rewrites) {
        Group joined;
        HandlerRun joined_run;
        if (!groups.empty()) {
            joined = groups.back();
            joined.line = std::max(joined.line, rewrite.release);
            joined.rewrites.push_back(rewrite);
            joined_run = run_handler(timeline, joined.line, joined.rewrites);
            if (joined_run.fits()) {
                joined.end = joined_run.end;
                groups.back() = std::move(joined);
                continue;
            }
        }
        Group alone{.line = std::max(rewrite.release, groups.empty() ? 0 : groups.back().end + 1),
                    .rewrites = {rewrite}};
        const HandlerRun run = run_handler(timeline, alone.line, alone.rewrites);
        if (!run.fits()) {
            // Name the pair that needs the fewest more lines: as one interrupt with the ones
            // before it, or after them.
            if (!groups.empty() && joined_run.lines_late < run.lines_late)
                return {.refusal = too_close(uses, joined.rewrites[joined_run.late],
                                             joined_run.lines_late)};
            return {.refusal = too_close(uses, rewrite, run.lines_late)};
        }
        alone.end = run.end;
        groups.push_back(std::move(alone));
    }
    MultiplexPlan plan;
    for (const Group& group : groups) {
        RasterInterrupt& interrupt = plan.interrupts.emplace_back(RasterInterrupt{group.line, {}});
        for (const Rewrite& rewrite : group.rewrites)
            interrupt.rewrites.push_back({rewrite.hardware, uses[rewrite.to].sprite});
    }
    return plan;
}

} // namespace

std::array<int, kBitmapRows> sprites_per_row(const SpriteSet& set) {
    // How many sprites start and end on each row, then a running count down the picture.
    std::array<int, kBitmapRows + 1> starts{};
    for (const Sprite& sprite : set.sprites) {
        if (!reaches_window(sprite)) continue;
        ++starts[std::size_t(std::max(sprite.y, 0))];
        --starts[std::size_t(std::min(sprite.y + sprite.height(), kBitmapRows))];
    }
    std::array<int, kBitmapRows> counts{};
    for (int row = 0, on_row = 0; row < kBitmapRows; ++row)
        counts[std::size_t(row)] = on_row += starts[std::size_t(row)];
    return counts;
}

std::vector<int> crowded_rows(const SpriteSet& set) {
    const std::array<int, kBitmapRows> counts = sprites_per_row(set);
    std::vector<int> rows;
    for (int row = 0; row < kBitmapRows; ++row)
        if (counts[std::size_t(row)] > kHardwareSprites) rows.push_back(row);
    return rows;
}

std::optional<int> crowded_row(const SpriteSet& set) {
    const std::vector<int> rows = crowded_rows(set);
    return rows.empty() ? std::nullopt : std::optional(rows.front());
}

std::vector<int> sprites_on_row(const SpriteSet& set, int row) {
    std::vector<int> on_row;
    for (std::size_t n = 0; n < set.sprites.size(); ++n) {
        const Sprite& sprite = set.sprites[n];
        if (reaches_window(sprite) && row >= sprite.y && row < sprite.y + sprite.height())
            on_row.push_back(int(n));
    }
    return on_row;
}

int interrupt_cycles(int rewrites) {
    return kIrqLatency + kSharedRegisters + rewrites * kRewrite + (rewrites - 1) * kNextRewrite +
           kHandlerExit;
}

VicPosition vic_position(const Sprite& sprite) {
    const int x = kWindowLeft + sprite.x;
    return {x < 0 ? x + kLineX : x, kWindowTop + sprite.y};
}

MultiplexPlan plan_multiplex(const SpriteSet& sprites) {
    const std::vector<Use> uses = uses_of(sprites);
    if (std::string crowded = crowded_line(sprites); !crowded.empty()) return {.refusal = crowded};
    const Timeline timeline(uses);
    Assignment assignment(uses, timeline);
    if (!assignment.run()) return {.refusal = assignment.refusal()};
    return interrupts_for(uses, rewrites_of(uses, assignment.hardware()), timeline);
}
