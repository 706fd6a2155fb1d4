#pragma once
#include "conversion/convert.h"
#include "ui_import_dialog.h"
#include <QDialog>

// An image converted to a picture, shown before it is taken in the colours the editor shows,
// with the conversion's choices: palette, background, dithering, mode. A changed choice
// converts again at once.
class ImportDialog : public QDialog, public Ui::ImportDialog {
    Q_OBJECT
public:
    // `decoded_size` is the size of the image the working copy `image` was made from; the mode
    // offered first is `format`.
    ImportDialog(RgbImage image, QSize decoded_size, PictureFormat format = fmtMulticolor,
                 QWidget* parent = nullptr);

    ConversionOptions options() const;
    PictureFormat format() const;
    const Conversion& conversion() const { return conversion_; }

private:
    void convert();
    void show_result(const StoredPicture& picture);

    RgbImage image_;
    QString title_;
    Conversion conversion_;
};
