#pragma once
#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

// The local files among what is dragged; links to anything else are left out.
QStringList dropped_files(const QMimeData* data);

// Lets files be dropped on the frame and on everything inside it (Qt hands a drag on to the
// nearest window that takes drops): a drag of local files is welcome, and a drop hands them to
// the frame once the drop itself is over, as the questions and dialogs of opening must not run
// inside the drag-and-drop exchange with the other program.
void accept_file_drops(QWidget* frame);
