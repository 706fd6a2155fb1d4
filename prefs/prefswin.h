#pragma once
#include "modes/picture_format.h"
#include "platform/common_dialogs.h"
#include "platform/tform.h"
#include "settings/stored_preferences.h"
#include "ui_prefswin.h"

// The picture's mode, zoom, grids and preview size for the current run. The grid check boxes
// and the preview's size switch the desk's, which the views read whenever they draw.
class Tprefs : public TForm, public Ui::Tprefs {
    Q_OBJECT
public:
    explicit Tprefs(QWidget* owner);

    TColorDialog ColorDialog1;

public slots:
    void FormShow(TObject* Sender = nullptr);
    void gridcol1Click(TObject* Sender = nullptr);
    void gridcol2Click(TObject* Sender = nullptr);
    void zom1Click(TObject* Sender = nullptr);
    void zom2Click(TObject* Sender = nullptr);
    void vexlor_grid1Click(TObject* Sender = nullptr);
    void vexlor_grid2Click(TObject* Sender = nullptr);
    void prvdoubleClick(TObject* Sender = nullptr);
    void bt_multicolorClick(TObject* Sender = nullptr);
    void bt_fliClick(TObject* Sender = nullptr);
    void Button1Click(TObject* Sender = nullptr);
    void Button2Click(TObject* Sender = nullptr);

    // Checks the mode button of `format`; a mode with no button of its own leaves none checked.
    void show_mode(PictureFormat format);

private:
    void choose_grid_color(TColor& grid_color, TShape* shape);
    void switch_grid(QCheckBox* box, QPushButton* color_button);
    void show_zoom_level();
};

extern Tprefs* prefs;

// The settings as the dialog, the desk and the zoom view hold them now.
StoredPreferences preferences_in_force();
// Puts them into the dialog, the desk and the zoom view, as if chosen there; draws nothing.
void apply_preferences(const StoredPreferences& values);
// Applies the user's stored settings over those in force; nothing stored changes nothing.
void restore_preferences();
