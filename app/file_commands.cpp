// The File menu's commands on the picture's own file: New, Save, Save As, Print and the file
// the picture belongs to.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "formats/format_table.h"
#include "prefs/prefswin.h"
#include "sprites/shown_screen.h"
#include "storage/picture_file.h"
#include <QFileInfo>

// What the preferences' picture name says for a picture without a file.
static const QString kUnnamedPicture = QStringLiteral("picture0.vxr");

QString Tokno1::picture_path() const { return QString::fromStdString(desk().document().file()); }

// The picture opened from or saved to the file no longer counts as changed; a picture that
// loses its file keeps counting as it did.
void Tokno1::set_picture_path(const QString& path) {
    const QString file = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    desk().document().set_file(file.toStdString());
    if (file.isEmpty()) return;
    desk().document().mark_saved();
    remember_recent(file);
}

// The form keeps the layout's caption; the frame shows it with the mode and the file's name:
// "Vexlor v0.1 [FLI] - wizard.vxr".
void Tokno1::show_file() {
    const QString name = QFileInfo(picture_path()).fileName();
    QString caption = windowTitle() + QString::fromUtf8(desk().document().mode().caption);
    if (!name.isEmpty()) caption += " - " + name;
    if (desk().page_shown() == 2) caption += QStringLiteral(" (spare page)");
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
    desk().clear("New");
    set_picture_path({});
}

namespace {

const FileFormat& saved_format_of(const Document& document) {
    return saved_format(PictureFormat(document.format()), !document.sprites().sprites.empty());
}

// Whether a file of that name may hold the format: a name of its own, or one no other format
// that Vexlor writes uses (a hires picture saved as "logo.vxr" would pass for a multicolour one).
bool fits_name(const FileFormat& format, const QString& path) {
    const std::string suffix = QFileInfo(path).suffix().toStdString();
    if (format.has_extension(suffix)) return true;
    for (std::string_view name : written_extensions())
        if (std::equal(name.begin(), name.end(), suffix.begin(), suffix.end(),
                       [](char a, char b) { return a == QChar::fromLatin1(b).toLower(); }))
            return false;
    return true;
}

QString first_extension(const FileFormat& format) {
    const std::string_view name = format.extensions().front();
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

} // namespace

// A picture is saved in its mode's file only: Vexlor's own holds 160 x 200 pixels, so a hires
// picture goes to its mode's C64 file, which holds it exactly. Vexlor's own file takes any name
// the user gives it, as it always has. A file with sprites (.vxs) holds any mode; a picture with
// sprites saved in another keeps only its bitmap, once the user says so.
bool Tokno1::save_picture(const QString& path) {
    const Document& document = desk().document();
    const FileFormat& format = saved_format(PictureFormat(document.format()));
    if (!keeps_sprites(path) && format.kind() && !fits_name(format, path)) {
        ShowErrorMessage(QStringLiteral("Vexlor"),
                         QStringLiteral("The picture was not saved: \"%1\" is the name of "
                                        "another kind of file. A picture in %2 mode is saved "
                                        "as %3 (.%4).")
                             .arg(path, QString::fromUtf8(document.mode().name),
                                  QString::fromStdString(format.a_picture()),
                                  first_extension(format)));
        return false;
    }
    if (!save_picture_file(path, document.grid(), PictureFormat(document.format()),
                           document.back_color, document.sprites()))
        return false;
    set_picture_path(path);
    return true;
}

// The picture's file takes the picture only where its name fits the mode's format (a file
// opened before the mode changed may not), or where it keeps sprites, which holds any picture
// with or without them: else Save asks for a name.
void Tokno1::FileSave(TObject*) {
    const QString path = picture_path();
    if (path.isEmpty() ||
        !(keeps_sprites(path) || fits_name(saved_format_of(desk().document()), path)))
        FileSaveAs();
    else
        save_picture(path);
}

// A picture with sprites is offered the file that keeps them first, then the bitmap's own.
void Tokno1::FileSaveAs(TObject*) {
    const Document& document = desk().document();
    const FileFormat& format = saved_format_of(document);
    SaveDialog.Filter = QString::fromStdString(
        save_filter(PictureFormat(document.format()), format.keeps_sprites()));
    // A name typed without an extension gets a C64 file's own, or .vxs; Vexlor's file without
    // sprites never had one.
    SaveDialog.DefaultExt =
        format.kind() || format.keeps_sprites() ? first_extension(format) : QString();
    SaveDialog.FileName = picture_path().isEmpty() ? prefs->name->text() : picture_path();
    if (!fits_name(format, SaveDialog.FileName))
        SaveDialog.FileName = named_for(SaveDialog.FileName, format);
    if (!SaveDialog.Execute()) return;
    save_picture(SaveDialog.GetFileName());
}

// The page shows what the screen shows, sprites and all.
void Tokno1::FilePrint(TObject*) {
    const std::vector<std::uint8_t> screen = shown_screen(desk().document());
    printer_.print(Host(), screen_image(hires_grid(screen), 1), picture_name());
}

void Tokno1::FilePrintSetup(TObject*) { printer_.page_setup(Host()); }
