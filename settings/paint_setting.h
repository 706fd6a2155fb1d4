#pragma once
#include "tools/ink.h"
#include "tools/symmetry.h"
#include <memory>

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

// Gives `desk` the pattern, the symmetry and the full-cell choice the last run left, and keeps
// each for the next run whenever it changes, as long as the observer returned lives (it must
// not outlive the desk).
std::unique_ptr<DeskObserver> keep_paint_settings(Desk& desk);
