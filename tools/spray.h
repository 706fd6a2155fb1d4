#pragma once
#include <string>

// The spray's reach follows the pen's size; its flow, in dots a second, is a setting of its own.
// A held spray sprinkles at each tick of the time it is held.
constexpr int kSprayTick = 40;       // milliseconds from one sprinkle of a held spray to the next
constexpr int kSprayFlow = 150;      // dots a second, at first
constexpr int kLeastSprayFlow = 25;  // a dot each tick
constexpr int kMostSprayFlow = 2500; // a hundred each tick

// How many rows from the middle the spray reaches with a pen `pen_size` pixels high (and as far
// across on screen): 8 with the one-pixel pen, 4 more for each size up.
int spray_radius(int pen_size);

// What the spray is set to, as the Brush menu names it: "Spray, 8 rows round, 150 dots a second".
std::string spray_text(int pen_size, int flow);
