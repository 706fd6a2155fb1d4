#include "prefs/prefswin.h"
#include "app/Main.h"
#include "navigation/navigation.h"
#include "platform/controls.h"
#include "settings/stored_preferences.h"
#include "zoom/zoom_window.h"
#include <QSignalBlocker>

Tprefs* prefs = nullptr;

Tprefs::Tprefs(QWidget* owner) : TForm(owner) {
    setupUi(this);
    Loaded();
}

void Tprefs::FormShow(TObject*) {
    gcol1->SetBrushColor(okno2->pixel_grid_color);
    gcol2->SetBrushColor(okno2->char_grid_color);
    show_zoom_level();
}

// Whichever way the view came to its level; neither button at a level of neither. Checked
// here, a button does not set the level again, which would move the view to the top left.
void Tprefs::show_zoom_level() {
    const std::size_t level = zoom_level_index(okno2->zoom_level());
    for (TRadioButton* zoom : {zom1, zom2}) {
        const QSignalBlocker quiet(zoom);
        zoom->setAutoExclusive(false);
        zoom->setChecked(level == (zoom == zom1 ? 0 : 1));
        zoom->setAutoExclusive(true);
    }
}

// The colour dialog starts from the colour it returned last, not from the grid's own.
void Tprefs::choose_grid_color(TColor& grid_color, TShape* shape) {
    if (!ColorDialog1.Execute()) return;
    grid_color = ColorDialog1.Color;
    shape->SetBrushColor(grid_color);
}

void Tprefs::gridcol1Click(TObject*) { choose_grid_color(okno2->pixel_grid_color, gcol1); }
void Tprefs::gridcol2Click(TObject*) { choose_grid_color(okno2->char_grid_color, gcol2); }

void Tprefs::zom1Click(TObject*) {
    okno2->set_zoom(4, 3);
    okno2->FormPaint();
}

void Tprefs::zom2Click(TObject*) {
    okno2->set_zoom(8, 6);
    okno2->FormPaint();
}

void Tprefs::switch_grid(QCheckBox* box, QPushButton* color_button) {
    color_button->setEnabled(box->isChecked());
    okno2->FormPaint();
}

void Tprefs::vexlor_grid1Click(TObject*) { switch_grid(vexlor_grid1, gridcol1); }
void Tprefs::vexlor_grid2Click(TObject*) { switch_grid(vexlor_grid2, gridcol2); }

void Tprefs::prvdoubleClick(TObject*) { okno1->preview_size = prvdouble->isChecked() ? 2 : 1; }

// The General tab's format takes effect at once, as Picture > Mode does.
void Tprefs::bt_multicolorClick(TObject*) { okno1->set_picture_format(fmtMulticolor); }
void Tprefs::bt_fliClick(TObject*) { okno1->set_picture_format(fmtFli); }

void Tprefs::Button1Click(TObject*) { ModalResult = mrCancel; }

// "Save" keeps the settings for the next runs and closes the dialog as "Use" does.
void Tprefs::Button2Click(TObject*) {
    save_preferences();
    ModalResult = mrCancel;
}
