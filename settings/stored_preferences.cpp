#include "settings/stored_preferences.h"
#include "platform/common_dialogs.h"
#include "settings/user_settings.h"
#include <QRegularExpression>
#include <QSettings>
#include <optional>

namespace {

const char* const kZoom = "zoom";
const char* const kPixelGrid = "grid/pixels";
const char* const kPixelGridColor = "grid/pixels_color";
const char* const kCharGrid = "grid/chars";
const char* const kCharGridColor = "grid/chars_color";
const char* const kDoublePreview = "preview/double_size";

const QString kZoom4x3 = QStringLiteral("4x3");
const QString kZoom8x6 = QStringLiteral("8x6");

std::optional<bool> read_switch(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool) return value.toBool();
    const QString text = value.toString();
    if (text == "true") return true;
    if (text == "false") return false;
    return std::nullopt;
}

// Colours are stored as people write them, "#RRGGBB".
QString color_text(TColor color) {
    return QStringLiteral("#%1").arg((RedOf(color) << 16) | (GreenOf(color) << 8) | BlueOf(color),
                                     6, 16, QChar('0'));
}

std::optional<TColor> read_color(const QVariant& value) {
    static const QRegularExpression form(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    const QString text = value.toString();
    if (!form.match(text).hasMatch()) return std::nullopt;
    const unsigned rgb = text.mid(1).toUInt(nullptr, 16);
    return RGBColor(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::optional<bool> read_zoom_8x6(const QVariant& value) {
    const QString text = value.toString();
    if (text == kZoom4x3) return false;
    if (text == kZoom8x6) return true;
    return std::nullopt;
}

} // namespace

StoredPreferences read_preferences(const QSettings& settings, const StoredPreferences& fallback) {
    StoredPreferences values;
    values.zoom_8x6 = read_zoom_8x6(settings.value(kZoom)).value_or(fallback.zoom_8x6);
    values.pixel_grid = read_switch(settings.value(kPixelGrid)).value_or(fallback.pixel_grid);
    values.pixel_grid_color =
        read_color(settings.value(kPixelGridColor)).value_or(fallback.pixel_grid_color);
    values.char_grid = read_switch(settings.value(kCharGrid)).value_or(fallback.char_grid);
    values.char_grid_color =
        read_color(settings.value(kCharGridColor)).value_or(fallback.char_grid_color);
    values.double_preview =
        read_switch(settings.value(kDoublePreview)).value_or(fallback.double_preview);
    return values;
}

void write_preferences(QSettings& settings, const StoredPreferences& values) {
    settings.setValue(kZoom, values.zoom_8x6 ? kZoom8x6 : kZoom4x3);
    settings.setValue(kPixelGrid, values.pixel_grid);
    settings.setValue(kPixelGridColor, color_text(values.pixel_grid_color));
    settings.setValue(kCharGrid, values.char_grid);
    settings.setValue(kCharGridColor, color_text(values.char_grid_color));
    settings.setValue(kDoublePreview, values.double_preview);
}

bool save_preferences(const StoredPreferences& values) {
    const std::unique_ptr<QSettings> settings = user_settings();
    if (settings) {
        write_preferences(*settings, values);
        settings->sync();
        if (settings->status() == QSettings::NoError) return true;
    }
    const QString file = settings ? settings->fileName() : user_settings_file();
    ShowErrorMessage(QStringLiteral("Vexlor"),
                     QStringLiteral("The preferences could not be saved to \"%1\".").arg(file));
    return false;
}

StoredPreferences stored_preferences(const StoredPreferences& fallback) {
    const std::unique_ptr<QSettings> settings = user_settings();
    return settings ? read_preferences(*settings, fallback) : fallback;
}
