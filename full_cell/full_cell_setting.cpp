#include "full_cell/full_cell_setting.h"
#include <QSettings>
#include <QStringList>

namespace {

const QString kKey = QStringLiteral("edit/full_cell");
// By choice, in the order of FullCell.
const QStringList kNames = {QStringLiteral("keep"), QStringLiteral("refuse"),
                            QStringLiteral("replace"), QStringLiteral("nearest"),
                            QStringLiteral("free")};

QSettings settings() { return QSettings(QStringLiteral("Vexlor"), QStringLiteral("Vexlor")); }

} // namespace

FullCell stored_full_cell() {
    const qsizetype index = kNames.indexOf(settings().value(kKey).toString());
    return index < 0 ? FullCell::KeepColours : FullCell(index);
}

void store_full_cell(FullCell choice) { settings().setValue(kKey, kNames[qsizetype(choice)]); }
