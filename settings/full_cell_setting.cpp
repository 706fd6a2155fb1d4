#include "settings/full_cell_setting.h"
#include "settings/user_settings.h"
#include <QSettings>
#include <QStringList>

namespace {

const QString kKey = QStringLiteral("edit/full_cell");
// By choice, in the order of FullCell.
const QStringList kNames = {QStringLiteral("keep"), QStringLiteral("refuse"),
                            QStringLiteral("replace"), QStringLiteral("nearest"),
                            QStringLiteral("free")};

} // namespace

FullCell stored_full_cell() {
    const std::unique_ptr<QSettings> settings = user_settings();
    const qsizetype index = settings ? kNames.indexOf(settings->value(kKey).toString()) : -1;
    return index < 0 ? FullCell::KeepColours : FullCell(index);
}

void store_full_cell(FullCell choice) {
    if (const std::unique_ptr<QSettings> settings = user_settings())
        settings->setValue(kKey, kNames[qsizetype(choice)]);
}
