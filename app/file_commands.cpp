// The File menu's commands on the picture's own file: New, Save, Save As, Print and the file
// the picture belongs to.
#include "app/Main.h"
#include "prefs/prefswin.h"
#include "recovery/recovery_keeper.h"
#include "storage/picture_file.h"
#include "zoom/zoom_window.h"
#include <QFileInfo>

// What the preferences' picture name says for a picture without a file.
static const QString kUnnamedPicture = QStringLiteral("picture0.vxr");

void Tokno1::set_picture_path(const QString& path) {
    picture_path = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (!picture_path.isEmpty()) note_picture_saved();
    const QString name = QFileInfo(picture_path).fileName();
    show_caption();
    prefs->name->setText(name.isEmpty() ? kUnnamedPicture : name);
}

// The form keeps the layout's caption; the frame shows it with the mode and the file's name:
// "Vexlor v0.1 [FLI] - wizard.vxr".
void Tokno1::show_caption() {
    const QString name = QFileInfo(picture_path).fileName();
    QString caption = windowTitle();
    if (picture_format == fmtFli) caption += QStringLiteral(" [FLI]");
    if (!name.isEmpty()) caption += " - " + name;
    Host()->setWindowTitle(caption);
}

QString Tokno1::picture_name() const {
    if (!picture_path.isEmpty()) return QFileInfo(picture_path).fileName();
    return prefs->name->text().isEmpty() ? kUnnamedPicture : prefs->name->text();
}

// A new picture replaces the old one, so it asks like Open and Clear, but without Clear's beep.
void Tokno1::FileNew(TObject*) {
    if (!confirmed_change()) return;
    change_picture("New", [] {
        okno2->picture.fill(okno2->back_color);
        return true;
    });
    set_picture_path({});
}

bool Tokno1::save_picture(const QString& path) {
    if (!save_picture_file(path, okno2->picture.data())) return false;
    set_picture_path(path);
    return true;
}

void Tokno1::FileSave(TObject*) {
    if (picture_path.isEmpty())
        FileSaveAs();
    else
        save_picture(picture_path);
}

void Tokno1::FileSaveAs(TObject*) {
    SaveDialog.FileName = picture_path.isEmpty() ? prefs->name->text() : picture_path;
    if (!SaveDialog.Execute()) return;
    save_picture(SaveDialog.GetFileName());
}

void Tokno1::FilePrint(TObject*) { printer_.print(Host(), okno2->picture.data(), picture_name()); }

void Tokno1::FilePrintSetup(TObject*) { printer_.page_setup(Host()); }
