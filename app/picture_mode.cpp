// The picture's mode: Picture > Mode and the preferences' General tab.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "display/displayed_palette.h"
#include "prefs/prefswin.h"
#include "zoom/zoom_window.h"
#include <QActionGroup>
#include <QMainWindow>
#include <QStatusBar>
#include <string>

constexpr int kMessageTime = 15000; // milliseconds a message stays on the status bar

QString counted(int count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

void Tokno1::show_status(const QString& message) {
    static_cast<QMainWindow*>(Host())->statusBar()->showMessage(message, kMessageTime);
}

// One item a mode, in the table's order.
void Tokno1::set_up_mode_menu() {
    auto* modes = new QActionGroup(this);
    for (const Mode& mode : all_modes()) {
        QAction* item = PictureModeMenu->addAction("&" + QString::fromUtf8(mode.name));
        item->setObjectName(QStringLiteral("PictureMode%1Item").arg(mode.name));
        item->setCheckable(true);
        item->setData(mode.format);
        modes->addAction(item);
        const std::uint8_t format = mode.format;
        connect(item, &QAction::triggered, this, [this, format] {
            if (format != picture_format) set_picture_format(format);
        });
    }
}

QAction* Tokno1::mode_item(std::uint8_t format) const {
    for (QAction* item : PictureModeMenu->actions())
        if (item->data().toUInt() == format) return item;
    return nullptr;
}

// A mode of another shape converts the pixels and fixes what it cannot show; between modes of
// one shape the pixels stay as they are, and the status bar says what the new mode cannot show.
void Tokno1::set_picture_format(std::uint8_t format) {
    const Mode& to = mode_of(format);
    const ModeSwitch done = desk().set_mode(format, lab_palette(shown_palette()));
    show_picture_format();
    if (done.fix.areas > 0)
        show_status(QStringLiteral("%1 mode: fixed %2 it could not show (%3 changed)")
                        .arg(to.name, counted(done.fix.areas, to.area_one, to.area_many),
                             counted(done.fix.pixels, "pixel", "pixels")));
    else if (done.unshown > 0)
        show_status(QStringLiteral("%1 mode: %2 a C64 cannot show exactly; Fix Colour Clashes "
                                   "fixes them")
                        .arg(to.name, counted(done.unshown, to.area_one, to.area_many)));
    else
        show_status(QStringLiteral("%1 mode: no %2 to fix").arg(to.name, to.area_many));
}

void Tokno1::mark_picture_mode() {
    if (QAction* item = mode_item(picture_format)) item->setChecked(true);
}

void Tokno1::show_picture_format() {
    mark_picture_mode();
    prefs->show_mode(PictureFormat(picture_format));
    // Koala and FLI hold 160 x 200 pixels: a hires picture has files of its own.
    const bool multicolour_bitmap = desk().document().mode().shape.width == kPictureColumns;
    for (QAction* item : {PictureKoalaItem, PictureFliItem}) item->setEnabled(multicolour_bitmap);
    okno2->keep_place();
    okno2->show_analysis(); // the information window shows as many colours as a cell has
    show_file();
    if (desk().view().clashes) okno2->FormPaint();
}
