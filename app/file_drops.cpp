#include "app/file_drops.h"
#include "app/Main.h"
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace {

class FileDrops : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove &&
            event->type() != QEvent::Drop)
            return QObject::eventFilter(watched, event);
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = dropped_files(drop->mimeData());
        // Taken as a copy, never as a move: a source that deletes what was moved would delete
        // the user's file.
        if (files.isEmpty() || !(drop->possibleActions() & Qt::CopyAction)) return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (event->type() == QEvent::Drop)
            QTimer::singleShot(0, okno1, [files] { okno1->open_dropped(files); });
        return true;
    }
};

} // namespace

QStringList dropped_files(const QMimeData* data) {
    QStringList files;
    if (!data) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}

void accept_file_drops(QWidget* frame) {
    frame->setAcceptDrops(true);
    frame->installEventFilter(new FileDrops(frame));
}
