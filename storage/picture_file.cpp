#include "storage/picture_file.h"
#include "picture/picture.h"
#include "platform/common_dialogs.h"
#include "storage/vxr_codec.h"
#include <QFile>
#include <QSaveFile>

bool load_picture_file(const QString& path, std::uint8_t* picture) {
    return load_vxr_file(QFile::encodeName(path).toStdString(), picture, kPictureBytes);
}

bool save_picture_file(const QString& path, const std::uint8_t* picture) {
    const std::vector<std::uint8_t> bytes = encode_vxr(picture, kPictureBytes);
    QSaveFile file(path);
    const bool saved = file.open(QIODevice::WriteOnly) &&
                       file.write(reinterpret_cast<const char*>(bytes.data()),
                                  qint64(bytes.size())) == qint64(bytes.size()) &&
                       file.commit();
    if (!saved)
        ShowErrorMessage(QStringLiteral("Vexlor"),
                         QStringLiteral("The picture could not be saved to \"%1\".\n\n%2")
                             .arg(path, file.errorString()));
    return saved;
}
