#pragma once
#include "tools/ink.h"
#include "tools/spray.h"
#include "tools/symmetry.h"
#include <cstdint>
#include <memory>
#include <optional>

class Desk;
class DeskObserver;

// The pattern, its transparency and the second colour, kept between runs in the settings.
// With nothing stored, or values out of range, the solid ink with colour 0.
Ink stored_ink();
void store_ink(const Ink& ink);

// The symmetry and its centre, kept between runs in the settings. With nothing stored, none
// about the middle.
SymmetryChoice stored_symmetry();
void store_symmetry(const SymmetryChoice& stored);

// The brush's transparent colour, the spray's flow and whether clash marks show, kept between
// runs. With nothing stored: the background, the spray's first flow, and clash marks shown.
struct HandSettings {
    std::optional<std::uint8_t> brush_transparent;
    int spray_flow = kSprayFlow;
    bool clash_marks = true;
    bool operator==(const HandSettings&) const = default;
};
HandSettings stored_hand();
void store_hand(const HandSettings& hand);

// Gives `desk` the pattern, the symmetry, the full-cell choice and the hand's settings the last
// run left, and keeps each for the next run whenever it changes, as long as the observer
// returned lives (it must not outlive the desk).
std::unique_ptr<DeskObserver> keep_paint_settings(Desk& desk);
