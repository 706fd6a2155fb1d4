#include "prefs/prefswin.h"
#include "app/Main.h"
#include "app/editor_desk.h"
#include "navigation/navigation.h"
#include "platform/controls.h"
#include "zoom/zoom_window.h"
#include <QSignalBlocker>

Tprefs* prefs = nullptr;

// However a box comes to be checked, by a click or by the settings, the desk follows it.
Tprefs::Tprefs(QWidget* owner) : TForm(owner) {
    setupUi(this);
    Loaded();
    connect(vexlor_grid1, &QCheckBox::toggled, this,
            [](bool on) { desk().change_view([on](ViewChoices& view) { view.pixel_grid = on; }); });
    connect(vexlor_grid2, &QCheckBox::toggled, this,
            [](bool on) { desk().change_view([on](ViewChoices& view) { view.char_grid = on; }); });
    connect(prvdouble, &QCheckBox::toggled, this,
            [](bool on) { desk().set_preview_size(on ? 2 : 1); });
}

void Tprefs::FormShow(TObject*) {
    gcol1->SetBrushColor(desk().document().pixel_grid_color);
    gcol2->SetBrushColor(desk().document().char_grid_color);
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

void Tprefs::gridcol1Click(TObject*) {
    choose_grid_color(desk().document().pixel_grid_color, gcol1);
}
void Tprefs::gridcol2Click(TObject*) {
    choose_grid_color(desk().document().char_grid_color, gcol2);
}

void Tprefs::zom1Click(TObject*) {
    okno2->set_zoom(4, 3);
    okno2->FormPaint();
}

void Tprefs::zom2Click(TObject*) {
    okno2->set_zoom(8, 6);
    okno2->FormPaint();
}

// The zoom view shows the grid's change as the desk tells it.
void Tprefs::switch_grid(QCheckBox* box, QPushButton* color_button) {
    color_button->setEnabled(box->isChecked());
}

void Tprefs::vexlor_grid1Click(TObject*) { switch_grid(vexlor_grid1, gridcol1); }
void Tprefs::vexlor_grid2Click(TObject*) { switch_grid(vexlor_grid2, gridcol2); }

void Tprefs::prvdoubleClick(TObject*) { desk().set_preview_size(prvdouble->isChecked() ? 2 : 1); }

// The General tab's format takes effect at once, as Picture > Mode does.
void Tprefs::bt_multicolorClick(TObject*) { okno1->set_picture_format(fmtMulticolor); }
void Tprefs::bt_fliClick(TObject*) { okno1->set_picture_format(fmtFli); }

void Tprefs::show_mode(PictureFormat format) {
    const std::pair<QRadioButton*, PictureFormat> buttons[] = {{bt_multicolor, fmtMulticolor},
                                                               {bt_fli, fmtFli}};
    for (const auto& [button, shown] : buttons) button->setChecked(shown == format);
}

void Tprefs::Button1Click(TObject*) { ModalResult = mrCancel; }

// "Save" keeps the settings for the next runs and closes the dialog as "Use" does.
void Tprefs::Button2Click(TObject*) {
    save_preferences(preferences_in_force());
    ModalResult = mrCancel;
}

StoredPreferences preferences_in_force() {
    const Document& document = desk().document();
    return {prefs->zom2->isChecked(), desk().view().pixel_grid, document.pixel_grid_color,
            desk().view().char_grid,  document.char_grid_color, desk().preview_size == 2};
}

// The zoom buttons of the tool bar show the zoom that the view starts with.
void apply_preferences(const StoredPreferences& values) {
    (values.zoom_8x6 ? prefs->zom2 : prefs->zom1)->setChecked(true);
    (values.zoom_8x6 ? okno1->tool_zoom1 : okno1->tool_zoom2)->setChecked(true);
    if (values.zoom_8x6)
        okno2->set_zoom(8, 6);
    else
        okno2->set_zoom(4, 3);
    prefs->vexlor_grid1->setChecked(values.pixel_grid);
    prefs->gridcol1->setEnabled(values.pixel_grid);
    desk().document().pixel_grid_color = values.pixel_grid_color;
    prefs->vexlor_grid2->setChecked(values.char_grid);
    prefs->gridcol2->setEnabled(values.char_grid);
    desk().document().char_grid_color = values.char_grid_color;
    prefs->prvdouble->setChecked(values.double_preview);
    desk().set_preview_size(values.double_preview ? 2 : 1);
}

void restore_preferences() {
    const StoredPreferences in_force = preferences_in_force();
    const StoredPreferences stored = stored_preferences(in_force);
    if (stored != in_force) apply_preferences(stored);
}
