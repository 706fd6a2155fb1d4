#include "settings/user_settings.h"
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

QString user_settings_file() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Vexlor/Vexlor.conf");
}

// Named by its path, the file is the only one read: no other file on the way can be a pipe.
std::unique_ptr<QSettings> user_settings() {
    const QString file = user_settings_file();
    const QFileInfo info(file);
    if (info.exists() && !info.isFile()) return nullptr;
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}
