#pragma once
#include "colour/tcolor.h"

class QSettings;

// What the preferences dialog stores between runs: the zoom, both grids with their colours,
// and the preview size.
struct StoredPreferences {
    bool zoom_8x6{};
    bool pixel_grid{};
    TColor pixel_grid_color{};
    bool char_grid{};
    TColor char_grid_color{};
    bool double_preview{};
    bool operator==(const StoredPreferences&) const = default;
};

// A value that is missing or does not read as one of its kind keeps its value in `fallback`:
// a file edited by hand never stops a start.
StoredPreferences read_preferences(const QSettings& settings, const StoredPreferences& fallback);
void write_preferences(QSettings& settings, const StoredPreferences& values);

// Stores `values` as the user's own; says why when they cannot be written.
bool save_preferences(const StoredPreferences& values);
// The user's stored settings, each value that is missing or unreadable taken from `fallback`;
// `fallback` itself when nothing is stored.
StoredPreferences stored_preferences(const StoredPreferences& fallback);
