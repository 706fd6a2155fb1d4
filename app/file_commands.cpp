// The File menu's commands on the picture's own file: New, Save, Save As, Print and the file
// the picture belongs to.
#include "app/Main.h"
#include "prefs/prefswin.h"
#include "storage/picture_file.h"
#include "zoom/zoom_window.h"
#include <QFileInfo>

// What the preferences' picture name says for a picture without a file.
static const QString kUnnamedPicture = QStringLiteral("picture0.vxr");

QString Tokno1::picture_path() const { return QString::fromStdString(okno2->file()); }

// The picture opened from or saved to the file no longer counts as changed; a picture that
// loses its file keeps counting as it did.
void Tokno1::set_picture_path(const QString& path) {
    const QString file = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    okno2->set_file(file.toStdString());
    if (file.isEmpty()) return;
    okno2->mark_saved();
    remember_recent(file);
}

// The form keeps the layout's caption; the frame shows it with the mode and the file's name:
// "Vexlor v0.1 [FLI] - wizard.vxr".
void Tokno1::show_file() {
    const QString name = QFileInfo(picture_path()).fileName();
    QString caption = windowTitle() + QString::fromUtf8(okno2->mode().caption);
    if (!name.isEmpty()) caption += " - " + name;
    if (page_shown() == 2) caption += QStringLiteral(" (spare page)");
    Host()->setWindowTitle(caption);
    prefs->name->setText(name.isEmpty() ? kUnnamedPicture : name);
}

QString Tokno1::picture_name() const {
    if (!picture_path().isEmpty()) return QFileInfo(picture_path()).fileName();
    return prefs->name->text().isEmpty() ? kUnnamedPicture : prefs->name->text();
}

// A new picture replaces the old one, so it asks like Open and Clear, but without Clear's beep.
void Tokno1::FileNew(TObject*) {
    if (!confirmed_change()) return;
    change_picture("New", [](Document::Edit& edit) {
        fill_block(edit.pixels(okno2->whole()), okno2->whole(), okno2->back_color);
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
    if (picture_path().isEmpty())
        FileSaveAs();
    else
        save_picture(picture_path());
}

void Tokno1::FileSaveAs(TObject*) {
    SaveDialog.FileName = picture_path().isEmpty() ? prefs->name->text() : picture_path();
    if (!SaveDialog.Execute()) return;
    save_picture(SaveDialog.GetFileName());
}

void Tokno1::FilePrint(TObject*) {
    printer_.print(Host(), screen_image(okno2->grid(), okno2->mode().shape.pixel_aspect),
                   picture_name());
}

void Tokno1::FilePrintSetup(TObject*) { printer_.page_setup(Host()); }
