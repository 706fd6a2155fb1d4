#pragma once
#include "c64/sprites.h"
#include <string>

// What a change to the sprites did: made, or refused with the reason for the status bar.
struct SpriteOutcome {
    std::string refusal; // empty when the change was made
    explicit operator bool() const { return refusal.empty(); }
};

// Why a change from `before` to `after` breaks the eight-a-line limit ("Row 57 would hold 9
// sprites"), or empty when it keeps it. A row crowded before the change (painted freely, or
// opened so) refuses it only where it would hold more sprites than it did.
std::string crowding_refusal(const SpriteSet& before, const SpriteSet& after);
