#include "exchange/png_options_dialog.h"
#include "display/displayed_palette.h"
#include <QComboBox>
#include <QSpinBox>

PngOptionsDialog::PngOptionsDialog(QWidget* parent) : QDialog(parent) {
    setupUi(this);
    paletteBox->setCurrentIndex(int(shown_palette())); // the box lists kKnownPalettes
    connect(widthBox, &QComboBox::currentIndexChanged, this, &PngOptionsDialog::show_size);
    connect(scaleBox, &QSpinBox::valueChanged, this, &PngOptionsDialog::show_size);
    show_size();
}

RenderOptions PngOptionsDialog::options() const {
    // The box lists 320 x 200, 160 x 200 and 320 x 200 as a PAL display.
    return {widthBox->currentIndex() != 1, scaleBox->value(),
            kKnownPalettes[std::size_t(paletteBox->currentIndex())], widthBox->currentIndex() == 2};
}

void PngOptionsDialog::show_size() {
    sizeNote->setText(tr("The file will be %1 × %2 pixels.")
                          .arg(rendered_width(options()))
                          .arg(rendered_height(options())));
}
