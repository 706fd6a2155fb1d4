#include "exchange/picture_export.h"
#include "c64/sizes.h"
#include "exchange/png_options_dialog.h"
#include "formats/format_table.h"
#include "storage/picture_file.h"
#include <QApplication>
#include <QFileInfo>

namespace {

QString from_view(std::string_view text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// The dialog starts with the name it holds in the format's extension.
void start_as(TSaveDialog& dialog, const FileFormat& format) {
    if (!dialog.FileName.isEmpty()) dialog.FileName = named_for(dialog.FileName, format);
}

// The one format `command` offers for pictures of `kind` (or of any), with the dialog set up for
// it: its filter, its extension for a name typed without one, and the name it starts with.
const FileFormat& offer(TSaveDialog& dialog, Command command, std::optional<PictureFormat> kind) {
    const FileFormat& format = *formats_offered(command, kind).front();
    dialog.Filter = QString::fromStdString(dialog_filter(command, kind));
    dialog.DefaultExt = from_view(format.extensions().front());
    start_as(dialog, format);
    return format;
}

// The format of the dialog's chosen entry.
const FileFormat& entry_chosen(const TSaveDialog& dialog,
                               const std::vector<const FileFormat*>& formats) {
    return *formats[std::size_t(std::clamp(dialog.FilterIndex, 1, int(formats.size())) - 1)];
}

// The file is made before anything is asked: one its writer refuses is named in words at once.
bool export_as(TSaveDialog& dialog, Command command, PictureFormat kind, ConstPixelGrid picture,
               std::uint8_t background, const SpriteSet& sprites = {}) {
    EncodedPicture encoded = encode_picture(kind, picture, background);
    const FileFormat& format = offer(dialog, command, kind);
    std::vector<std::uint8_t> bytes;
    try {
        bytes = format.write(
            {.pixels = picture, .encoded = std::move(encoded.image), .sprites = sprites});
    } catch (const WriteRefused& refused) {
        ShowErrorMessage(
            QStringLiteral("Vexlor"),
            QStringLiteral("The picture was not exported.\n\n%1.").arg(refused.what()));
        return false;
    }
    if (!write_anyway(encoded, kind, QStringLiteral("Export anyway")) || !dialog.Execute())
        return false;
    return save_file_atomically(dialog.GetFileName(), bytes);
}

// The format the name's extension gives, else the dialog's chosen entry; a name without an
// extension takes that format's.
const FileFormat& chosen_format(TSaveDialog& dialog,
                                const std::vector<const FileFormat*>& formats) {
    const std::string suffix = QFileInfo(dialog.FileName).suffix().toStdString();
    for (const FileFormat* format : formats)
        if (format->has_extension(suffix)) return *format;
    const FileFormat& chosen = entry_chosen(dialog, formats);
    if (suffix.empty()) {
        if (!dialog.FileName.endsWith('.')) dialog.FileName += '.';
        dialog.FileName += from_view(chosen.extensions().front());
    }
    return chosen;
}

} // namespace

bool export_other_c64(TSaveDialog& dialog, ConstPixelGrid picture, std::uint8_t background,
                      PictureFormat mode) {
    const auto held = [](PictureFormat kind) {
        std::vector<const FileFormat*> formats = formats_offered(Command::ExportOther, kind);
        std::erase_if(formats, [&](const FileFormat* format) { return format->kind() != kind; });
        return formats;
    };
    const PictureFormat kind = held(mode).empty() ? fmtMulticolor : mode;
    EncodedPicture encoded = encode_picture(kind, picture, background);
    if (!write_anyway(encoded, kind, QStringLiteral("Export anyway"))) return false;
    const std::vector<const FileFormat*> formats = held(kind);
    dialog.Filter = QString::fromStdString(dialog_filter(Command::ExportOther, kind));
    dialog.DefaultExt.clear();
    start_as(dialog, entry_chosen(dialog, formats));
    const FileFormat* format = nullptr;
    // The dialog asked about the name as typed; one that gets its extension here is asked
    // about again, and No shows the dialog again.
    while (!format) {
        if (!dialog.Execute()) return false;
        const QString typed = dialog.FileName;
        format = &chosen_format(dialog, formats);
        if (dialog.FileName != typed && QFileInfo::exists(dialog.FileName) &&
            !MayReplace(dialog.FileName))
            format = nullptr;
    }
    return save_file_atomically(
        dialog.GetFileName(),
        format->write({.pixels = picture, .encoded = std::move(encoded.image)}));
}

bool export_koala(TSaveDialog& dialog, ConstPixelGrid picture, std::uint8_t background) {
    return export_as(dialog, Command::ExportKoala, fmtMulticolor, picture, background);
}

bool export_prg(TSaveDialog& dialog, ConstPixelGrid picture, std::uint8_t background,
                PictureFormat mode, const SpriteSet& sprites) {
    return export_as(dialog, Command::ExportPrg, mode, picture, background, sprites);
}

bool export_fli(TSaveDialog& dialog, ConstPixelGrid picture, std::uint8_t background) {
    return export_as(dialog, Command::ExportFli, fmtFli, picture, background);
}

bool export_png(TSaveDialog& dialog, ConstPixelGrid picture) {
    const FileFormat& format = offer(dialog, Command::ExportPng, std::nullopt);
    if (!dialog.Execute()) return false;
    PngOptionsDialog options(QApplication::activeWindow());
    if (options.exec() != QDialog::Accepted) return false;
    RenderOptions rendering = options.options();
    rendering.hires = picture.width == kHiresColumns;
    return save_file_atomically(dialog.GetFileName(),
                                format.write({.pixels = picture, .rendering = rendering}));
}
