#include "tools/ink.h"

namespace {

// The 4 x 4 ordered dither: the sixteenths at which each place turns to the second colour.
constexpr int kThresholds[4][4] = {
    {0, 8, 2, 10},
    {12, 4, 14, 6},
    {3, 11, 1, 9},
    {15, 7, 13, 5},
};

} // namespace

PatternKind Pattern::kind() const {
    if (index == 0) return PatternKind::Solid;
    if (index <= kDitherLevels) return PatternKind::Dither;
    return index == kDitherLevels + 1 ? PatternKind::HorizontalLines : PatternKind::VerticalLines;
}

std::string Pattern::name() const {
    switch (kind()) {
    case PatternKind::Solid:
        return "Solid";
    case PatternKind::Dither:
        return "Dither " + std::to_string(level()) + "/16";
    case PatternKind::HorizontalLines:
        return "Horizontal Lines";
    case PatternKind::VerticalLines:
        return "Vertical Lines";
    }
    return {};
}

Pattern Pattern::stepped(int step) const {
    return {((index + step) % kPatterns + kPatterns) % kPatterns};
}

// Masking with 3 keeps the pattern going the same way left of and above the picture.
bool dithered(PixelPos at, int level) { return kThresholds[at.row & 3][at.column & 3] < level; }

std::optional<std::uint8_t> Ink::at(PixelPos at, std::uint8_t color) const {
    bool second = false;
    switch (pattern.kind()) {
    case PatternKind::Solid:
        return color;
    case PatternKind::Dither:
        second = dithered(at, pattern.level());
        break;
    case PatternKind::HorizontalLines:
        second = (at.row & 1) != 0;
        break;
    case PatternKind::VerticalLines:
        second = (at.column & 1) != 0;
        break;
    }
    if (!second) return color;
    if (transparent) return std::nullopt;
    return second_color;
}
