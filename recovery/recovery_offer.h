#pragma once
#include "recovery/recovery_copy.h"
#include <QDateTime>
#include <QString>

class Desk;
class QWidget;

// The picture as it stands on the desk, its spare page with it, for the keeper to write.
RecoveryCopy picture_as_it_stands(const Desk& desk);

// "Vexlor was not closed properly. Recover the picture it held at 14:32 (wizard.vxr, changed
// since it was saved)?" The time is the copy's, or, where that cannot be right, `written`, when
// the copy's file was written; a name too long to show is cut short in its middle.
QString recovery_question(const RecoveryCopy& copy, const QDateTime& written);

// At start, while a keeper runs: offers the newest copy whose editor is no longer running, in a
// question over `parent`. Recover brings it back onto `desk` as one step, "Recover", and it
// becomes this editor's copy; Discard removes it; closing the question keeps it for a later
// start. True when it was recovered.
bool offer_recovery(Desk& desk, QWidget* parent);
