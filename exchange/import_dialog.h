#pragma once
#include "conversion/adjust.h"
#include "conversion/convert.h"
#include "ui_import_dialog.h"
#include <QDialog>
#include <QImage>
#include <QTimer>
#include <optional>

// An image converted to a picture, shown before it is taken in the colours the editor shows,
// with the conversion's choices: palette, background, dithering, mode; and the image's
// adjustments: its tones, the part of it taken (dragged over the original) and where it lands
// on the picture and how large (the picture dragged in the result, or its corner). A changed
// choice converts again at once; a changed adjustment after a short pause, so that a slider
// dragged keeps up.
class ImportDialog : public QDialog, public Ui::ImportDialog {
    Q_OBJECT
public:
    // `decoded_size` is the size of the image the working copy `image` was made from, and
    // `decoded` that image itself, from which the adjusted copies are made (without it, `image`
    // stands for it); the mode offered first is `format`.
    ImportDialog(RgbImage image, QSize decoded_size, PictureFormat format = fmtMulticolor,
                 QWidget* parent = nullptr, QImage decoded = {});

    ConversionOptions options() const;
    PictureFormat format() const;
    // The tones, the crop (none for the whole image) and the place (none while it is fitted).
    ImageAdjustments adjustments() const;
    const Conversion& conversion() const { return conversion_; }
    // The image as the adjustments make it (the crop taken and the tones changed), to be laid
    // where adjustments().place says.
    const RgbImage& adjusted_image() { return adjusted_copy(adjustments()); }

    // An adjustment changed a moment ago is converted before the dialog closes with OK.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void set_up_adjustments();
    void convert();
    void convert_soon();
    void show_result(const StoredPicture& picture);
    void show_original();
    void show_adjustments(const ImageAdjustments& adjustments);
    // The working copy for the adjustments; made anew only when what it depends on changed.
    const RgbImage& adjusted_copy(const ImageAdjustments& adjustments);
    bool drag_original(QEvent* event);
    bool drag_result(QEvent* event);

    RgbImage image_;
    QImage decoded_;
    QString title_;
    Conversion conversion_;
    QTimer pending_;      // an adjustment's conversion, waiting for the pause
    bool placed_ = false; // the place is the user's, not the fit
    // The working copy of the adjustments last asked for (the place's corner aside).
    RgbImage adjusted_;
    std::optional<ImageAdjustments> adjusted_for_;
    QPixmap original_; // the original as the view shows it, without the crop's outline
    // A drag in one of the views: from which point, and the crop or place it started from.
    enum class Drag : std::uint8_t { None, Crop, Move, Size };
    Drag drag_ = Drag::None;
    QPointF drag_from_;
    PixelArea drag_start_;
};
