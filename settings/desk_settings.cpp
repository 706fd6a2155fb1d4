#include "settings/desk_settings.h"
#include <QSettings>

namespace {

const QString kWindowsGroup = QStringLiteral("windows");
const QString kRecentFilesKey = QStringLiteral("recent/files");
const QString kZoomSizeKey = QStringLiteral("zoom_view/pixel_size");
const QString kZoomWindowKey = QStringLiteral("zoom_view/window_size");
const QString kZoomMaximizedKey = QStringLiteral("zoom_view/maximized");

} // namespace

WindowPlaces read_window_places(const QSettings& settings) {
    WindowPlaces places;
    for (const QString& key : settings.allKeys()) {
        if (!key.startsWith(kWindowsGroup + '/')) continue;
        const QVariant value = settings.value(key);
        if (value.typeId() != QMetaType::QPoint) continue;
        const QPoint place = value.toPoint();
        if (place.x() >= 0 && place.y() >= 0) places[key.section('/', 1)] = place;
    }
    return places;
}

void write_window_places(QSettings& settings, const WindowPlaces& places) {
    settings.remove(kWindowsGroup);
    for (const auto& [name, place] : places) settings.setValue(kWindowsGroup + '/' + name, place);
}

ZoomViewSetting read_zoom_view(const QSettings& settings) {
    ZoomViewSetting setting;
    bool number = false;
    const int pixel_size = settings.value(kZoomSizeKey).toInt(&number);
    if (number && pixel_size > 0) setting.pixel_size = pixel_size;
    const QVariant size = settings.value(kZoomWindowKey);
    if (size.typeId() == QMetaType::QSize && !size.toSize().isEmpty()) setting.size = size.toSize();
    setting.maximized = settings.value(kZoomMaximizedKey).toString() == QStringLiteral("true");
    return setting;
}

// Only what differs from the start is stored, so that a later start is the first one's.
void write_zoom_view(QSettings& settings, const ZoomViewSetting& setting) {
    settings.remove(QStringLiteral("zoom_view"));
    if (setting.pixel_size > 0) settings.setValue(kZoomSizeKey, setting.pixel_size);
    if (!setting.size.isEmpty()) settings.setValue(kZoomWindowKey, setting.size);
    if (setting.maximized) settings.setValue(kZoomMaximizedKey, true);
}

QStringList read_recent_files(const QSettings& settings) {
    const QVariant value = settings.value(kRecentFilesKey);
    if (value.typeId() != QMetaType::QStringList && value.typeId() != QMetaType::QString) return {};
    QStringList files = value.toStringList();
    files.removeAll(QString());
    files.removeDuplicates();
    return files.mid(0, kRecentFiles);
}

void write_recent_files(QSettings& settings, const QStringList& files) {
    settings.setValue(kRecentFilesKey, files);
}

QStringList with_recent_file(QStringList files, const QString& path) {
    files.removeAll(path);
    files.prepend(path);
    return files.mid(0, kRecentFiles);
}
