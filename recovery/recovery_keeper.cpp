#include "recovery/recovery_keeper.h"
#include "platform/common_dialogs.h"
#include "storage/picture_file.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUuid>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

RecoveryKeeper* current = nullptr;
constexpr int kWriteDelayMs = 1000;
const QString kCopySuffix = QStringLiteral(".vxrc");

QString system_reason() { return QString::fromLocal8Bit(std::strerror(errno)); }

// A lock that only a dead editor leaves behind is stale; one held by a running editor never
// is, however old.
std::unique_ptr<QLockFile> lock_for(const QString& copy_path) {
    auto lock = std::make_unique<QLockFile>(copy_path + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    return lock;
}

struct ReadCopy {
    QString problem; // empty when the copy is sound
    RecoveryCopy copy;
};

// Never follows a link nor waits on a pipe: only a regular file is read.
ReadCopy read_copy(const QString& path) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return {errno == ELOOP ? QStringLiteral("it is not a regular file") : system_reason(), {}};
    struct stat info {};
    std::vector<std::uint8_t> bytes;
    QString problem;
    if (::fstat(fd, &info) != 0)
        problem = system_reason();
    else if (!S_ISREG(info.st_mode))
        problem = QStringLiteral("it is not a regular file");
    else {
        bytes.resize(std::min<std::size_t>(std::size_t(info.st_size), kMaxRecoveryCopyBytes + 1));
        const ssize_t got = ::read(fd, bytes.data(), bytes.size());
        if (got < 0) problem = system_reason();
        bytes.resize(got < 0 ? 0 : std::size_t(got));
    }
    ::close(fd);
    if (!problem.isEmpty()) return {problem, {}};
    DecodedRecovery decoded = decode_recovery_copy(bytes);
    if (decoded.fault != RecoveryFault::None)
        return {QString::fromUtf8(describe(decoded.fault)), {}};
    return {{}, std::move(decoded.copy)};
}

void set_aside(const QString& path, const QString& problem) {
    const QString aside = path + QStringLiteral(".set-aside");
    QFile::remove(aside);
    const QString line =
        QFile::rename(path, aside)
            ? QStringLiteral("vexlor: recovery copy \"%1\" set aside as \"%2\": %3\n")
                  .arg(path, aside, problem)
            : QStringLiteral("vexlor: recovery copy \"%1\" cannot be taken back nor set aside: "
                             "%2\n")
                  .arg(path, problem);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

} // namespace

QString recovery_folder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("recovery"));
}

QString write_recovery_copy(const QString& path, const RecoveryCopy& copy) {
    return write_file_atomically(path, encode_recovery_copy(copy));
}

RecoveryKeeper::RecoveryKeeper(QString folder, Snapshot snapshot)
    : folder_(std::move(folder)),
      name_(QStringLiteral("%1-%2")
                .arg(QCoreApplication::applicationPid())
                .arg(QUuid::createUuid().toString(QUuid::Id128).left(12)) +
            kCopySuffix),
      snapshot_(std::move(snapshot)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kWriteDelayMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { write_now(); });
    current = this;
}

RecoveryKeeper::~RecoveryKeeper() {
    if (current == this) current = nullptr;
}

RecoveryKeeper* RecoveryKeeper::running() { return current; }

QString RecoveryKeeper::copy_path() const { return QDir(folder_).filePath(name_); }

// A timer already running writes this change too, so a burst of steps costs one write.
void RecoveryKeeper::schedule() {
    if (!timer_.isActive()) timer_.start();
}

void RecoveryKeeper::picture_changed() { schedule(); }

// The folder and this editor's lock, made once; empty when both are there, else why not.
QString RecoveryKeeper::make_place() {
    if (lock_ && lock_->isLocked()) return {};
    errno = 0;
    if (!QDir().mkpath(folder_))
        return errno ? system_reason() : QStringLiteral("the folder cannot be made");
    lock_ = lock_for(copy_path());
    if (lock_->tryLock(0)) return {};
    return lock_->error() == QLockFile::PermissionError
               ? QString::fromLocal8Bit(std::strerror(EACCES))
               : QStringLiteral("its lock cannot be made");
}

bool RecoveryKeeper::write_now() {
    timer_.stop();
    QString reason = make_place();
    if (reason.isEmpty()) {
        RecoveryCopy copy = snapshot_();
        copy.kept_at = QDateTime::currentSecsSinceEpoch();
        reason = write_recovery_copy(copy_path(), copy);
    }
    if (!reason.isEmpty() && !reported_) {
        reported_ = true;
        ShowErrorMessage(QStringLiteral("Vexlor"),
                         QStringLiteral("Vexlor cannot keep a recovery copy of the picture in "
                                        "\"%1\": %2.\n\nIt goes on without one; save your work "
                                        "to keep it safe.")
                             .arg(folder_, reason));
    }
    return reason.isEmpty();
}

void RecoveryKeeper::finish() {
    timer_.stop();
    if (!lock_ || !lock_->isLocked()) return;
    QFile::remove(copy_path());
    lock_->unlock();
}

void note_picture_changed() {
    if (current) current->picture_changed();
}

std::optional<AbandonedCopy> find_abandoned_copy(const QString& folder) {
    std::optional<AbandonedCopy> newest;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        {QStringLiteral("*") + kCopySuffix},
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString path = entry.filePath();
        std::unique_ptr<QLockFile> lock = lock_for(path);
        if (!lock->tryLock(0)) continue; // its editor is running
        ReadCopy read = read_copy(path);
        if (!read.problem.isEmpty())
            set_aside(path, read.problem);
        else if (!newest || read.copy.kept_at > newest->copy.kept_at)
            newest = AbandonedCopy{path, std::move(read.copy), std::move(lock)};
    }
    return newest;
}
