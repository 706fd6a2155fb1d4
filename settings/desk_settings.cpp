#include "settings/desk_settings.h"
#include <QSettings>

namespace {

const QString kWindowsGroup = QStringLiteral("windows");
const QString kRecentFilesKey = QStringLiteral("recent/files");

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
