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
    return {widthBox->currentIndex() == 0, scaleBox->value(),
            kKnownPalettes[std::size_t(paletteBox->currentIndex())]};
}

void PngOptionsDialog::show_size() {
    sizeNote->setText(tr("The file will be %1 × %2 pixels.")
                          .arg(rendered_width(options()))
                          .arg(rendered_height(options())));
}
