#include "display/palette_setting.h"
#include "display/displayed_palette.h"
#include <QSettings>

namespace {

const QString kKey = QStringLiteral("view/palette");

QSettings settings() { return QSettings(QStringLiteral("Vexlor"), QStringLiteral("Vexlor")); }

} // namespace

PaletteId stored_palette() {
    const QString name = settings().value(kKey).toString();
    return palette_from_key(name.toStdString()).value_or(PaletteId::Vexlor);
}

void store_palette(PaletteId id) {
    settings().setValue(
        kKey, QString::fromUtf8(palette_key(id).data(), qsizetype(palette_key(id).size())));
}
