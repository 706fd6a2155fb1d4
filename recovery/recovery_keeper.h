#pragma once
#include "recovery/recovery_copy.h"
#include <QLockFile>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

// Where running editors keep their recovery copies: AppLocalDataLocation/recovery.
QString recovery_folder();

// Writes the copy to `path` as a save writes a picture: in full, or not at all. Empty once it
// is there, else the system's reason.
QString write_recovery_copy(const QString& path, const RecoveryCopy& copy);

// While the editor runs, keeps a copy of its picture in the recovery folder, written a moment
// after each change (so a stroke costs one write, once it ends), and removes it at a clean
// end. A lock file beside the copy tells other editors that this one is still running.
// Nothing is made until the picture first changes.
class RecoveryKeeper {
public:
    using Snapshot = std::function<RecoveryCopy()>; // the picture as it stands, its time aside
    RecoveryKeeper(QString folder, Snapshot snapshot);
    // Leaves the copy where it is: only a clean end removes it.
    ~RecoveryKeeper();
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    // The keeper of this run, if one is keeping.
    static RecoveryKeeper* running();

    const QString& folder() const { return folder_; }
    QString copy_path() const;
    // A step, an undo or a redo, or the picture's file changed (opened, saved): the copy
    // follows within a second.
    void picture_changed();
    // How long until the copy is written, in milliseconds; -1 while no write waits.
    int ms_until_write() const { return timer_.remainingTime(); }
    // Writes the copy at once. When it cannot, says why the first time in a run, and goes on
    // trying at later changes.
    bool write_now();
    // The editor ends cleanly: the copy and the lock go.
    void finish();

private:
    QString make_place();
    void schedule();

    QString folder_;
    QString name_;
    Snapshot snapshot_;
    std::unique_ptr<QLockFile> lock_;
    QTimer timer_;
    bool reported_ = false;
};

// What a step, an undo or a redo, and an open or save tell the running keeper, if any.
void note_picture_changed();

// A copy whose editor is no longer running, held by its lock while the user decides.
struct AbandonedCopy {
    QString path;
    RecoveryCopy copy;
    std::unique_ptr<QLockFile> lock;
};

// The newest copy in `folder` whose editor is no longer running. A copy that cannot be taken
// back (cut short, damaged, another version's, not a regular file, unreadable) is renamed
// "*.set-aside", with one line on stderr saying why; older sound copies wait for a later start.
std::optional<AbandonedCopy> find_abandoned_copy(const QString& folder);
