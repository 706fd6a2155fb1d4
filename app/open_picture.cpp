// Opening a picture from a path: the File menu, the command line and files dropped on a window.
#include "app/Main.h"
#include "background/background.h"
#include "exchange/picture_import.h"
#include "storage/picture_file.h"
#include "zoom/zoom_window.h"

// The picture an import brings has no .vxr file yet; a C64 file brings its mode.
void Tokno1::import_step(const Import& import) {
    change_picture("Import", [&] {
        if (!import(okno2->picture.data(), okno2->back_color, picture_format)) return false;
        set_picture_path({});
        return true;
    });
    show_picture_format();
}

// Both views show the picture opened, so that nobody paints into the old one. A .vxr file
// opened becomes the picture's file.
void Tokno1::open_picture(const QString& path, OpenAs as) {
    if (as == OpenAs::ByKind && !is_vexlor_file_name(path)) {
        import_step([&](std::uint8_t* picture, std::uint8_t& background, std::uint8_t& format) {
            return import_picture_file(path, picture, background, format);
        });
        return;
    }
    begin_step();
    std::size_t pixels = 0;
    if (!load_picture_file(path, okno2->picture.data(), &pixels)) {
        if (as == OpenAs::ByKind)
            ShowErrorMessage(
                QStringLiteral("Vexlor"),
                QStringLiteral("\"%1\" cannot be opened: %2.").arg(path, unreadable_reason(path)));
        return;
    }
    // The file holds no background: the picture keeps one that all its cells fit with.
    const std::uint8_t background = okno2->back_color;
    okno2->back_color = background_for_loaded(okno2->picture.data(), background);
    end_step("Open");
    set_picture_path(path);
    tool_b3Click();
    okno2->FormPaint();
    if (okno2->back_color != background) show_background();
    if (pixels < kPictureBytes)
        ShowErrorMessage(QStringLiteral("Vexlor"),
                         QStringLiteral("\"%1\" holds %2 of the picture's %3 pixels; the rest "
                                        "are colour 0.")
                             .arg(path)
                             .arg(pixels)
                             .arg(kPictureBytes));
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
