#pragma once
#include <QPoint>
#include <QString>
#include <QStringList>
#include <map>

class QSettings;

// The places of the frame's inner windows within it, by the window's name.
using WindowPlaces = std::map<QString, QPoint>;

// A place that does not read as a point, or lies left of or above the area, is left out: the
// window keeps the place it starts with.
WindowPlaces read_window_places(const QSettings& settings);
// Stores `places` as the only ones kept; none stored when empty.
void write_window_places(QSettings& settings, const WindowPlaces& places);

// File > Open Recent keeps this many pictures.
inline constexpr qsizetype kRecentFiles = 8;

// The pictures last opened or saved, the latest first; what does not read as a list of file
// names is no list.
QStringList read_recent_files(const QSettings& settings);
void write_recent_files(QSettings& settings, const QStringList& files);
// `files` with `path` first, once, and no more than kRecentFiles of them.
QStringList with_recent_file(QStringList files, const QString& path);
