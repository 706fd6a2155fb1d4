#include "storage/file_access.h"
#include "formats/format_table.h"
#include "formats/raw_sprites.h"
#include "formats/vxr.h"
#include "picture/picture.h"
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool load_picture_file(const QString& path, PixelGrid picture, std::size_t* pixels) {
    require_size(picture, kPictureColumns, kPictureRows, "load_picture_file");
    return load_vxr_file(QFile::encodeName(path).toStdString(), picture, pixels);
}

SpritesFileRead load_sprites_file(const QString& path) {
    // The longest file: the header, every pixel written as two bytes, 65535 sprites.
    constexpr qint64 kLongest = 11 + 2 * qint64(kStorageBytes) + 4 + 65535 * 69;
    QFile file;
    if (const QString why = open_for_reading(file, path); !why.isEmpty()) return {{}, why};
    const QByteArray bytes = file.read(kLongest + 1);
    if (bytes.size() > kLongest) return {{}, QStringLiteral("it is too long for a Vexlor picture")};
    VxsRead read = decode_vxs(
        {reinterpret_cast<const std::uint8_t*>(bytes.data()), std::size_t(bytes.size())});
    return {std::move(read.picture), QString::fromStdString(read.error)};
}

RawSpritesFileRead load_raw_sprites_file(const QString& path, std::uint8_t colour) {
    // As many sprites as a picture with sprites keeps, and a load address.
    constexpr qint64 kLongest = 2 + 65535 * qint64(kSpriteBlockBytes);
    QFile file;
    if (const QString why = open_for_reading(file, path); !why.isEmpty()) return {{}, why};
    const QByteArray bytes = file.read(kLongest + 1);
    if (bytes.size() > kLongest) return {{}, QStringLiteral("it holds too many sprites")};
    RawSpritesRead read = read_raw_sprites(
        {reinterpret_cast<const std::uint8_t*>(bytes.data()), std::size_t(bytes.size())}, colour);
    return {std::move(read.sprites), QString::fromStdString(read.error)};
}

bool is_vexlor_file_name(const QString& path) {
    return format_opened(QFileInfo(path).suffix().toStdString()) != nullptr;
}

static std::function<void(QSaveFile&)>& beforeCommit() {
    static std::function<void(QSaveFile&)> hook;
    return hook;
}

void SetBeforeCommitHook(std::function<void(QSaveFile&)> hook) { beforeCommit() = std::move(hook); }

namespace {

// The system's reason for the last failed call, as it names it ("No space left on device").
QString system_reason() { return QString::fromLocal8Bit(std::strerror(errno)); }

bool write_all_at_start(int fd, const std::uint8_t* data, std::size_t size) {
    for (std::size_t done = 0; done < size;) {
        const ssize_t wrote = ::pwrite(fd, data + done, size - done, off_t(done));
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += std::size_t(wrote);
    }
    return true;
}

bool read_whole(int fd, std::vector<std::uint8_t>& content) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return false;
    if (!S_ISREG(info.st_mode)) {
        errno = EINVAL;
        return false;
    }
    content.resize(std::size_t(info.st_size));
    for (std::size_t done = 0; done < content.size();) {
        const ssize_t got = ::pread(fd, content.data() + done, content.size() - done, off_t(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += std::size_t(got);
    }
    return true;
}

bool replace_content(int fd, const std::vector<std::uint8_t>& bytes) {
    return write_all_at_start(fd, bytes.data(), bytes.size()) &&
           ::ftruncate(fd, off_t(bytes.size())) == 0 && ::fsync(fd) == 0;
}

// For a writable file in a folder that takes no temporary file: the file is overwritten where
// it stands. Its old content is held in memory first and put back, at its old length, when any
// step fails, so that a full disk never leaves it cut off. Empty when written, else why not.
QString write_in_place(const QString& path, const std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return system_reason();
    std::vector<std::uint8_t> old;
    QString reason;
    if (!read_whole(fd, old) || !replace_content(fd, bytes)) {
        reason = system_reason();
        replace_content(fd, old);
    }
    ::close(fd);
    return reason;
}

} // namespace

// Whether the path names something other than a regular file, a folder or nothing (a link is
// followed): a pipe, a device or a socket, which a file renamed over it would replace.
static bool is_special_file(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode) &&
           !S_ISDIR(info.st_mode);
}

// Unbuffered, so that a write the disk refuses fails at once with the system's reason, which
// Qt's own message would not name.
QString write_file_atomically(const QString& path, const std::vector<std::uint8_t>& bytes) {
    if (is_special_file(path)) return not_a_regular_file();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QString why = file.errorString();
        const QFileInfo target(path);
        return target.isFile() && target.isWritable() ? write_in_place(path, bytes) : why;
    }
    errno = 0;
    const bool written = file.write(reinterpret_cast<const char*>(bytes.data()),
                                    qint64(bytes.size())) == qint64(bytes.size());
    if (written && beforeCommit()) beforeCommit()(file);
    if (written && file.commit()) return {};
    return errno ? system_reason() : file.errorString();
}
