#include "arrange/reach.h"
#include <algorithm>

namespace {

// As wide a piece of the title bar as a pointer needs to take hold of it.
constexpr int kTitleGrip = 48;

} // namespace

bool title_in_reach(const Box& window, int title_height, int area_width, int area_height) {
    const int visible = std::min(window.right(), area_width) - std::max(window.left, 0);
    return window.top >= 0 && window.top + title_height <= area_height &&
           visible >= std::min(kTitleGrip, window.width);
}

Place into_view(const Box& window, int area_width, int area_height) {
    const auto within = [](int at, int size, int room) {
        return std::max(0, std::min(at, room - size));
    };
    return {within(window.left, window.width, area_width),
            within(window.top, window.height, area_height)};
}
