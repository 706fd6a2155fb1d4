#pragma once
#include <QPoint>
#include <QSize>
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

// The zoom view's pixel size and its window's size where they differ from the start's, and
// whether the window was left maximised. A value that does not read is none: 0, an empty size.
struct ZoomViewSetting {
    int pixel_size = 0;
    QSize size;
    bool maximized = false;
};
ZoomViewSetting read_zoom_view(const QSettings& settings);
void write_zoom_view(QSettings& settings, const ZoomViewSetting& setting);

// File > Open Recent keeps this many pictures.
inline constexpr qsizetype kRecentFiles = 8;

// The pictures last opened or saved, the latest first; what does not read as a list of file
// names is no list.
QStringList read_recent_files(const QSettings& settings);
void write_recent_files(QSettings& settings, const QStringList& files);
// `files` with `path` first, once, and no more than kRecentFiles of them.
QStringList with_recent_file(QStringList files, const QString& path);
