#include "exchange/import_dialog.h"
#include "c64/render.h"
#include "display/displayed_palette.h"
#include "formats/image_file.h"
#include "modes/mode.h"
#include <QComboBox>
#include <QCoreApplication>
#include <QPixmap>
#include <algorithm>

ImportDialog::ImportDialog(RgbImage image, QSize decoded_size, PictureFormat format,
                           QWidget* parent)
    : QDialog(parent), image_(std::move(image)) {
    setupUi(this);
    title_ = windowTitle();
    for (const Mode& mode : all_modes())
        modeBox->addItem(QString::fromLatin1(mode.name), int(mode.format));
    modeBox->setCurrentIndex(std::max(0, modeBox->findData(int(format))));
    originalView->setPixmap(QPixmap::fromImage(to_qimage(image_).scaled(
        originalView->minimumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    scaledNote->setText(tr("The image is %1 × %2 pixels: it has been scaled to fit 320 × 200, "
                           "keeping its shape.")
                            .arg(decoded_size.width())
                            .arg(decoded_size.height()));
    // Colours are matched to the C64 palette the editor shows, when it shows one.
    if (shown_palette() != PaletteId::Vexlor)
        paletteBox->setCurrentIndex(1 + int(shown_palette())); // after "Automatic"
    for (QComboBox* box : {paletteBox, backgroundBox, ditherBox, modeBox})
        connect(box, &QComboBox::currentIndexChanged, this, &ImportDialog::convert);
    convert();
}

// The boxes list their choices in the order of the enumerations, after "Automatic" for the
// palette.
ConversionOptions ImportDialog::options() const {
    ConversionOptions options;
    if (paletteBox->currentIndex() > 0)
        options.palette = kKnownPalettes[paletteBox->currentIndex() - 1];
    options.background = BackgroundChoice(backgroundBox->currentIndex());
    options.dither = Dither(ditherBox->currentIndex());
    options.format = format();
    return options;
}

PictureFormat ImportDialog::format() const { return PictureFormat(modeBox->currentData().toInt()); }

void ImportDialog::convert() {
    const Mode& mode = mode_of(format());
    // A mode the frame's caption names is named in the title too.
    setWindowTitle(*mode.caption ? tr("%1 for %2").arg(title_, QString::fromLatin1(mode.name))
                                 : title_);
    searchProgress->setVisible(options().dither == Dither::Search);
    searchProgress->setValue(0);
    // A search shows its picture after each pass; the boxes wait until it ends.
    conversion_ = convert_image(image_, options(), [this](double done, const StoredPicture& now) {
        searchProgress->setValue(int(done * searchProgress->maximum()));
        show_result(now);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    show_result(conversion_.picture);
    const PaletteMatch& match = conversion_.palette;
    paletteNote->setText(
        match.drawn_in_it
            ? tr("Drawn in the %1 palette: taken colour for colour.")
                  .arg(palette_name(match.palette))
            : tr("Colours matched to the %1 palette.").arg(palette_name(match.palette)));
    scaledNote->setVisible(conversion_.scaled);
}

// The result shows in the editor's colours, as it will once taken.
void ImportDialog::show_result(const StoredPicture& picture) {
    const Mode& mode = mode_of(format());
    const RgbImage shown = render_picture(
        mode.grid_of(picture.data()),
        {.scale = 2, .palette = shown_palette(), .hires = mode.shape.pixel_aspect == 1});
    resultView->setPixmap(QPixmap::fromImage(to_qimage(shown)));
}
