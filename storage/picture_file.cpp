#include "storage/picture_file.h"
#include "picture/picture.h"
#include "platform/common_dialogs.h"
#include "storage/vxr_codec.h"
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool load_picture_file(const QString& path, std::uint8_t* picture) {
    return load_vxr_file(QFile::encodeName(path).toStdString(), picture, kPictureBytes);
}

bool is_vexlor_file_name(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("vxr"), Qt::CaseInsensitive) == 0;
}

QString unreadable_reason(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists()) return QStringLiteral("there is no such file");
    if (file.isDir()) return QStringLiteral("it is a folder");
    if (!file.isFile()) return QStringLiteral("it is not a regular file");
    return QStringLiteral("it cannot be read");
}

static std::function<void(QSaveFile&)>& beforeCommit() {
    static std::function<void(QSaveFile&)> hook;
    return hook;
}

void SetBeforeCommitHook(std::function<void(QSaveFile&)> hook) { beforeCommit() = std::move(hook); }

QString write_file_atomically(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QSaveFile file(path);
    // A writable file in a folder that is not writable has no room for a temporary file
    // beside it; only then is it written in place.
    file.setDirectWriteFallback(true);
    const bool saved =
        file.open(QIODevice::WriteOnly) && file.write(reinterpret_cast<const char*>(bytes.data()),
                                                      qint64(bytes.size())) == qint64(bytes.size());
    if (saved && beforeCommit()) beforeCommit()(file);
    if (saved && file.commit()) return {};
    return file.errorString().isEmpty() ? QStringLiteral("it could not be written")
                                        : file.errorString();
}

bool save_file_atomically(const QString& path, const std::vector<std::uint8_t>& bytes) {
    const QString error = write_file_atomically(path, bytes);
    if (!error.isEmpty())
        ShowErrorMessage(
            QStringLiteral("Vexlor"),
            QStringLiteral("The picture could not be saved to \"%1\".\n\n%2").arg(path, error));
    return error.isEmpty();
}

bool save_picture_file(const QString& path, const std::uint8_t* picture) {
    return save_file_atomically(path, encode_vxr(picture, kPictureBytes));
}
