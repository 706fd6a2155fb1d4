#include "storage/picture_file.h"
#include "picture/picture.h"
#include "platform/common_dialogs.h"
#include "storage/vxr_codec.h"
#include <QFile>
#include <QSaveFile>

bool load_picture_file(const QString& path, std::uint8_t* picture) {
    return load_vxr_file(QFile::encodeName(path).toStdString(), picture, kPictureBytes);
}

static std::function<void(QSaveFile&)>& beforeCommit() {
    static std::function<void(QSaveFile&)> hook;
    return hook;
}

void SetBeforeCommitHook(std::function<void(QSaveFile&)> hook) { beforeCommit() = std::move(hook); }

bool save_file_atomically(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QSaveFile file(path);
    // A writable file in a folder that is not writable has no room for a temporary file
    // beside it; only then is it written in place.
    file.setDirectWriteFallback(true);
    bool saved = file.open(QIODevice::WriteOnly) &&
                 file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) ==
                     qint64(bytes.size());
    if (saved && beforeCommit()) beforeCommit()(file);
    saved = saved && file.commit();
    if (!saved)
        ShowErrorMessage(QStringLiteral("Vexlor"),
                         QStringLiteral("The picture could not be saved to \"%1\".\n\n%2")
                             .arg(path, file.errorString()));
    return saved;
}

bool save_picture_file(const QString& path, const std::uint8_t* picture) {
    return save_file_atomically(path, encode_vxr(picture, kPictureBytes));
}
