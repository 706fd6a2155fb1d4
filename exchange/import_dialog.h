#pragma once
#include "c64/convert.h"
#include "ui_import_dialog.h"
#include <QDialog>

// An image converted to a picture, shown before it is taken in the colours the editor shows,
// with the conversion's choices: palette, background, dithering. A changed choice converts
// again at once.
class ImportDialog : public QDialog, public Ui::ImportDialog {
    Q_OBJECT
public:
    // `decoded_size` is the size of the image the working copy `image` was made from.
    ImportDialog(RgbImage image, QSize decoded_size, QWidget* parent = nullptr);

    ConversionOptions options() const;
    const Conversion& conversion() const { return conversion_; }

private:
    void convert();

    RgbImage image_;
    Conversion conversion_;
};
