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

// The settings as the preferences dialog and the windows hold them now.
StoredPreferences preferences_in_force();
// Puts them into the dialog and the windows, as if chosen there; draws nothing.
void apply_preferences(const StoredPreferences& values);

// Stores the settings in force as the user's own; says why when they cannot be written.
bool save_preferences();
// Applies the user's stored settings over those in force; nothing stored changes nothing.
void restore_preferences();
