// Opening a picture from a path: the File menu, the command line and files dropped on a window.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "background/background.h"
#include "exchange/picture_import.h"
#include "formats/file_reading.h"
#include "formats/format_table.h"
#include "storage/picture_file.h"
#include <QFile>
#include <QFileInfo>

// The grid of a picture in the mode with that picture_format value, in `storage`.
static ConstPixelGrid in_mode(const StoredPicture& storage, std::uint8_t format) {
    const PictureShape& shape = mode_of(format).shape;
    return {storage.data(), shape.width, shape.height};
}

// The picture an import brings has no .vxr file yet; a C64 file brings its mode. The import
// asks its questions before anything changes.
void Tokno1::import_step(const Import& import) {
    StoredPicture pixels{};
    std::uint8_t background = desk().document().back_color, format = picture_format;
    if (!import(grid_over(pixels, kWidestColumns, kPictureRows), background, format)) return;
    desk().replace_picture("Import", in_mode(pixels, format), background, format);
    set_picture_path({});
}

// Whether the name is that of a file there to read, by the one check every opening makes: a
// folder, a pipe, a file gone or one without permission is not.
static bool is_readable_file(const QString& path) {
    QFile file;
    return open_for_reading(file, path).isEmpty();
}

// Both views show the picture opened, so that nobody paints into the old one. A .vxr file
// opened becomes the picture's file; a C64 file is read as Import reads it, by its content.
void Tokno1::open_picture(const QString& path, OpenAs as) {
    if (as == OpenAs::ByKindQuietly && !is_readable_file(path)) return;
    if (!is_vexlor_file_name(path)) {
        const FileFormat* read_as = nullptr;
        import_step([&](PixelGrid storage, std::uint8_t& background, std::uint8_t& format) {
            return import_picture_file(path, storage, background, format, &read_as);
        });
        // A file of the kind Save writes for its picture's mode (a hires mode's own) becomes
        // the picture's file.
        if (read_as && read_as == &saved_format(PictureFormat(picture_format)))
            set_picture_path(path);
        return;
    }
    if (format_opened(QFileInfo(path).suffix().toStdString())->keeps_sprites()) {
        open_with_sprites(path, as);
        return;
    }
    const Document& document = desk().document();
    PictureBytes loaded{};
    std::copy_n(document.picture.begin(), loaded.size(), loaded.begin());
    std::size_t pixels = 0;
    if (!load_picture_file(path, multicolor_grid(loaded), &pixels)) {
        if (as == OpenAs::ByKind)
            ShowErrorMessage(
                QStringLiteral("Vexlor"),
                QStringLiteral("\"%1\" cannot be opened: %2.").arg(path, unreadable_reason(path)));
        return;
    }
    // The file holds no background: the picture keeps one that all its cells fit with. It
    // holds no mode either: Open keeps the current one where it has the file's shape, and a
    // hires mode gives way to Multicolor.
    const std::uint8_t format = document.mode().shape.width == kPictureColumns
                                    ? picture_format
                                    : std::uint8_t(fmtMulticolor);
    const ConstPixelGrid opened = multicolor_grid(loaded);
    const SpriteSet none;
    desk().replace_picture("Open", opened, background_for_loaded(opened, document.back_color),
                           format, &none);
    set_picture_path(path);
    if (pixels < kPictureBytes)
        ShowErrorMessage(QStringLiteral("Vexlor"),
                         QStringLiteral("\"%1\" holds %2 of the picture's %3 pixels; the rest "
                                        "are colour 0.")
                             .arg(path)
                             .arg(pixels)
                             .arg(kPictureBytes));
}

// A file with sprites holds the whole picture: its mode, background and sprites; a damaged one
// is refused whole.
void Tokno1::open_with_sprites(const QString& path, OpenAs as) {
    const SpritesFileRead read = load_sprites_file(path);
    if (!read.picture) {
        if (as == OpenAs::ByKind)
            ShowErrorMessage(QStringLiteral("Vexlor"),
                             QStringLiteral("\"%1\" cannot be opened: %2.").arg(path, read.error));
        return;
    }
    const PictureWithSprites& opened = *read.picture;
    desk().replace_picture("Open", in_mode(opened.pixels, opened.format), opened.background,
                           opened.format, &opened.sprites);
    set_picture_path(path);
}

void Tokno1::open_dropped(const QStringList& paths) {
    if (paths.isEmpty() || !confirmed_change()) return;
    if (paths.size() > 1)
        ShowErrorMessage(QStringLiteral("Vexlor"),
                         QStringLiteral("%1 files were dropped. Vexlor opens one picture at a "
                                        "time: it takes the first, \"%2\".")
                             .arg(paths.size())
                             .arg(paths.first()));
    open_picture(paths.first(), OpenAs::ByKind);
}
