#include "arrange/tiling.h"
#include <algorithm>
#include <numeric>
#include <tuple>

long long shared_area(const Box& a, const Box& b) {
    const long long width = std::min(a.right(), b.right()) - std::max(a.left, b.left);
    const long long height = std::min(a.bottom(), b.bottom()) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

namespace {

long long area_of(const Box& box) { return (long long)box.width * box.height; }

Box frame_at(const TiledWindow& window, Place place) {
    return {place.left, place.top, window.width, window.height};
}

Box kept_at(const TiledWindow& window, Place place) {
    return {place.left + window.keep.left, place.top + window.keep.top, window.keep.width,
            window.keep.height};
}

// What a place costs, compared in this order.
struct Cost {
    long long hidden_kept{};
    long long outside{};
    long long overlap{};
    long long distance{};
    auto operator<=>(const Cost&) const = default;
    Cost& operator+=(const Cost& other) {
        hidden_kept += other.hidden_kept;
        outside += other.outside;
        overlap += other.overlap;
        distance += other.distance;
        return *this;
    }
};

struct Placed {
    const TiledWindow* window;
    Place place;
};

Cost cost_of(const Box& area, const TiledWindow& window, Place place,
             const std::vector<Placed>& placed) {
    const Box frame = frame_at(window, place), kept = kept_at(window, place);
    Cost cost{area_of(kept) - shared_area(kept, area), area_of(frame) - shared_area(frame, area), 0,
              (long long)place.left + place.top};
    for (const Placed& other : placed) {
        const Box other_frame = frame_at(*other.window, other.place);
        cost.hidden_kept += shared_area(frame, kept_at(*other.window, other.place)) +
                            shared_area(other_frame, kept);
        cost.overlap += shared_area(frame, other_frame);
    }
    return cost;
}

// Where a window may go: against the area's edges, and against the frames and kept parts of
// the windows placed already, on every side.
std::vector<Place> candidates(const Box& area, const TiledWindow& window,
                              const std::vector<Placed>& placed) {
    std::vector<int> xs{0, area.width - window.width}, ys{0, area.height - window.height};
    for (const Placed& other : placed) {
        const Box frame = frame_at(*other.window, other.place);
        const Box kept = kept_at(*other.window, other.place);
        for (const Box& edge : {frame, kept}) {
            xs.insert(xs.end(), {edge.right(), edge.right() - window.keep.left,
                                 edge.left - window.width, edge.left - window.keep.right()});
            ys.insert(ys.end(), {edge.bottom(), edge.bottom() - window.keep.top,
                                 edge.top - window.height, edge.top - window.keep.bottom()});
        }
    }
    std::vector<Place> places;
    for (int x : xs)
        for (int y : ys)
            if (x >= 0 && y >= 0) places.push_back({x, y});
    return places;
}

} // namespace

// Each order of the windows places them one at a time, each where it costs least beside those
// placed before; the order whose windows cost least in all wins.
std::vector<Place> tile(int area_width, int area_height, const std::vector<TiledWindow>& windows) {
    const Box area{0, 0, area_width, area_height};
    std::vector<std::size_t> order(windows.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<Place> best(windows.size());
    Cost best_cost{};
    bool first = true;
    do {
        std::vector<Placed> placed;
        std::vector<Place> places(windows.size());
        Cost total;
        for (std::size_t index : order) {
            const TiledWindow& window = windows[index];
            Place chosen{};
            Cost chosen_cost{};
            bool any = false;
            for (Place place : candidates(area, window, placed)) {
                const Cost cost = cost_of(area, window, place, placed);
                if (!any || cost < chosen_cost) chosen = place, chosen_cost = cost, any = true;
            }
            placed.push_back({&window, chosen});
            places[index] = chosen;
            total += chosen_cost;
        }
        if (first || total < best_cost) best = places, best_cost = total, first = false;
    } while (std::next_permutation(order.begin(), order.end()));
    return best;
}

long long hidden_kept_area(int area_width, int area_height, const std::vector<TiledWindow>& windows,
                           const std::vector<Place>& places) {
    const Box area{0, 0, area_width, area_height};
    long long hidden = 0;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const Box kept = kept_at(windows[i], places[i]);
        hidden += area_of(kept) - shared_area(kept, area);
        for (std::size_t j = 0; j < windows.size(); ++j)
            if (j != i) hidden += shared_area(frame_at(windows[j], places[j]), kept);
    }
    return hidden;
}

namespace {

// The others stacked down from the top in columns that fill leftwards from the right edge, or
// (`along_bottom`) side by side from the left in rows that fill upwards from the bottom edge.
// A window too large for the area leaves none.
std::optional<RoomyTiling> stacked(int area_width, int area_height,
                                   const std::vector<TiledWindow>& others, bool along_bottom) {
    // Worked out as columns against the right edge; the rows against the bottom are the same
    // with the axes swapped.
    const int length = along_bottom ? area_width : area_height;
    const int depth = along_bottom ? area_height : area_width;
    RoomyTiling tiling;
    int band = 0, band_depth = 0, along = 0; // the column's start and width, the next window's top
    for (const TiledWindow& window : others) {
        const int size = along_bottom ? window.width : window.height;
        const int thickness = along_bottom ? window.height : window.width;
        if (size > length) return std::nullopt;
        if (along + size > length) band += band_depth, band_depth = 0, along = 0;
        band_depth = std::max(band_depth, thickness);
        const int from_edge = depth - band - thickness;
        if (from_edge < 0) return std::nullopt;
        // A thinner window in a column lies against the column's far side, the area's edge.
        tiling.places.push_back(along_bottom ? Place{along, from_edge} : Place{from_edge, along});
        along += size;
    }
    const int left_over = depth - band - band_depth;
    tiling.room =
        along_bottom ? Box{0, 0, area_width, left_over} : Box{0, 0, left_over, area_height};
    return tiling;
}

} // namespace

std::optional<RoomyTiling> tile_with_room(int area_width, int area_height, int least_width,
                                          int least_height,
                                          const std::vector<TiledWindow>& others) {
    std::optional<RoomyTiling> best;
    for (bool along_bottom : {false, true}) {
        std::optional<RoomyTiling> tiling = stacked(area_width, area_height, others, along_bottom);
        if (!tiling || tiling->room.width < least_width || tiling->room.height < least_height)
            continue;
        if (!best || area_of(tiling->room) > area_of(best->room)) best = std::move(tiling);
    }
    return best;
}
