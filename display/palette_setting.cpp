#include "display/palette_setting.h"
#include "display/displayed_palette.h"
#include "settings/user_settings.h"
#include <QSettings>

namespace {

const QString kKey = QStringLiteral("view/palette");

} // namespace

PaletteId stored_palette() {
    const std::unique_ptr<QSettings> settings = user_settings();
    const QString name = settings ? settings->value(kKey).toString() : QString();
    return palette_from_key(name.toStdString()).value_or(PaletteId::Vexlor);
}

void store_palette(PaletteId id) {
    if (const std::unique_ptr<QSettings> settings = user_settings())
        settings->setValue(
            kKey, QString::fromUtf8(palette_key(id).data(), qsizetype(palette_key(id).size())));
}
