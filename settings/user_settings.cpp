#include "settings/user_settings.h"
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

QString user_settings_file() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Vexlor/Vexlor.conf");
}

// Named by its path, the file is the only one QSettings reads: not the organisation's
// Vexlor.conf beside its folder, nor those of the folders in XDG_CONFIG_DIRS, which settings
// named by organisation and application would read too. Before it writes, QSettings reads the
// lock file beside it, which a pipe would hang as well.
std::unique_ptr<QSettings> user_settings() {
    const QString file = user_settings_file();
    for (const QString& read : {file, file + QStringLiteral(".lock")}) {
        const QFileInfo info(read);
        if (info.exists() && !info.isFile()) return nullptr;
    }
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}
