#include "settings/palette_setting.h"
#include "display/displayed_palette.h"
#include "settings/user_settings.h"
#include <QSettings>

namespace {

const QString kKey = QStringLiteral("view/palette");
const QString kPalKey = QStringLiteral("view/pal_display");
const QString kPalZoomKey = QStringLiteral("view/pal_zoom_view");

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

PalView stored_pal_view() {
    const std::unique_ptr<QSettings> settings = user_settings();
    if (!settings) return {};
    return {settings->value(kPalKey, false).toBool(), settings->value(kPalZoomKey, false).toBool()};
}

void store_pal_view(PalView view) {
    if (const std::unique_ptr<QSettings> settings = user_settings()) {
        settings->setValue(kPalKey, view.preview);
        settings->setValue(kPalZoomKey, view.zoom_view);
    }
}
