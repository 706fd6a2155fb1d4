#pragma once
#include "colour/lab.h"

// A pattern of two colours, `share` of its pixels `to` and the rest `from`, seen from a
// distance: its error against a wanted colour is the distance to the mixed colour plus the
// pattern's own spread, weighted so that far-apart colours mix only where they make up the
// wanted colour clearly better than near ones.
struct MixFit {
    float share = 0;
    float error_squared = 0;
};

inline MixFit fit_mix(const Lab& wanted, const Lab& from, const Lab& to) {
    constexpr float kSpreadWeight = 0.1f;
    const Lab step{to.L - from.L, to.a - from.a, to.b - from.b};
    const Lab off{wanted.L - from.L, wanted.a - from.a, wanted.b - from.b};
    const float length2 = step.L * step.L + step.a * step.a + step.b * step.b;
    if (length2 == 0) return {0, delta_e_squared(wanted, from)};
    const float along = off.L * step.L + off.a * step.a + off.b * step.b;
    float share = (2 * along - kSpreadWeight * length2) / (2 * length2 * (1 - kSpreadWeight));
    share = share < 0 ? 0 : share > 1 ? 1 : share;
    const Lab mixed{from.L + share * step.L, from.a + share * step.a, from.b + share * step.b};
    return {share, delta_e_squared(wanted, mixed) + kSpreadWeight * share * (1 - share) * length2};
}
