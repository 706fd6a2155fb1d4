// The picture's mode, Multicolor or FLI: Picture > FLI Mode and the preferences' General tab.
#include "app/Main.h"
#include "prefs/prefswin.h"
#include "zoom/zoom_window.h"
#include <string>

void Tokno1::set_picture_format(std::uint8_t format) {
    change_picture((std::string(mode_of(format).name) + " Mode").c_str(),
                   [format](Document::Edit& edit) {
                       edit.set_mode(format);
                       return true;
                   });
    show_picture_format();
}

void Tokno1::show_picture_format() {
    const bool fli = picture_format == fmtFli;
    PictureFliModeItem->setChecked(fli);
    prefs->bt_fli->setChecked(fli);
    prefs->bt_multicolor->setChecked(!fli);
    show_file();
    if (okno2->show_clashes) okno2->FormPaint();
}

void Tokno1::PictureFliModeClick(TObject*) {
    set_picture_format(PictureFliModeItem->isChecked() ? fmtFli : fmtMulticolor);
}
