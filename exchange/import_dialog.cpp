#include "exchange/import_dialog.h"
#include "c64/render.h"
#include "display/displayed_palette.h"
#include "formats/image_file.h"
#include "modes/mode.h"
#include "selection/block.h"
#include <QComboBox>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace {

constexpr int kAdjustPause = 40; // milliseconds an adjustment waits for the next change
constexpr int kResultScale = 2;  // the result shows the 320 x 200 screen twice as large
constexpr int kCornerReach = 6;  // screen pixels from the place's corner that take its size
constexpr int kScreenWidth = 2 * kPictureColumns;

// Where a pixmap shows in a label that centres it.
QRectF shown_in(const QLabel& view, QSizeF size) {
    const QRectF room = view.contentsRect();
    return {room.center() - QPointF(size.width(), size.height()) / 2, size};
}

PixelPos pixel_at(QPointF point) {
    return {int(std::floor(point.x())), int(std::floor(point.y()))};
}

QRectF rect_of(const PixelArea& area, double scale) {
    return {area.left * scale, area.top * scale, area.width * scale, area.height * scale};
}

} // namespace

ImportDialog::ImportDialog(RgbImage image, QSize decoded_size, PictureFormat format,
                           QWidget* parent, QImage decoded)
    : QDialog(parent), image_(std::move(image)),
      decoded_(decoded.isNull() ? to_qimage(image_) : std::move(decoded)) {
    setupUi(this);
    title_ = windowTitle();
    for (const Mode& mode : all_modes())
        modeBox->addItem(QString::fromLatin1(mode.name), int(mode.format));
    modeBox->setCurrentIndex(std::max(0, modeBox->findData(int(format))));
    original_ = QPixmap::fromImage(to_qimage(image_).scaled(
        originalView->minimumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    scaledNote->setText(tr("The image is %1 × %2 pixels: it has been scaled to fit 320 × 200, "
                           "keeping its shape.")
                            .arg(decoded_size.width())
                            .arg(decoded_size.height()));
    // Colours are matched to the C64 palette the editor shows, when it shows one.
    if (shown_palette() != PaletteId::Vexlor)
        paletteBox->setCurrentIndex(1 + int(shown_palette())); // after "Automatic"
    for (QComboBox* box : {paletteBox, backgroundBox, ditherBox, modeBox})
        connect(box, &QComboBox::currentIndexChanged, this, &ImportDialog::convert);
    set_up_adjustments();
    convert();
}

// Each slider moves with its box; the crop starts as the whole image, the place as the fit.
void ImportDialog::set_up_adjustments() {
    const std::pair<QSlider*, QSpinBox*> pairs[] = {{brightnessSlider, brightnessBox},
                                                    {contrastSlider, contrastBox},
                                                    {saturationSlider, saturationBox}};
    for (auto [slider, box] : pairs) {
        connect(slider, &QSlider::valueChanged, box, &QSpinBox::setValue);
        connect(box, &QSpinBox::valueChanged, slider, &QSlider::setValue);
        connect(box, &QSpinBox::valueChanged, this, &ImportDialog::convert_soon);
    }
    connect(gammaBox, &QDoubleSpinBox::valueChanged, this, &ImportDialog::convert_soon);
    const int width = decoded_.width(), height = decoded_.height();
    cropLeft->setRange(0, width - 1), cropWidth->setRange(1, width);
    cropTop->setRange(0, height - 1), cropHeight->setRange(1, height);
    const int across = kMostPlaced * kScreenWidth, down = kMostPlaced * kPictureRows;
    placeLeft->setRange(-across, across), placeWidth->setRange(1, across);
    placeTop->setRange(-down, down), placeHeight->setRange(1, down);
    for (QSpinBox* box : {cropLeft, cropTop, cropWidth, cropHeight})
        connect(box, &QSpinBox::valueChanged, this, &ImportDialog::convert_soon);
    for (QSpinBox* box : {placeLeft, placeTop, placeWidth, placeHeight})
        connect(box, &QSpinBox::valueChanged, this, [this] {
            placed_ = true;
            convert_soon();
        });
    connect(wholeImageButton, &QPushButton::clicked, this, [this] {
        ImageAdjustments whole = adjustments();
        whole.crop.reset();
        show_adjustments(whole);
        convert_soon();
    });
    connect(fitButton, &QPushButton::clicked, this, [this] {
        placed_ = false;
        convert_soon();
    });
    connect(resetTonesButton, &QPushButton::clicked, this, [this] {
        const ImageAdjustments now = adjustments();
        show_adjustments({.crop = now.crop, .place = now.place});
        convert_soon();
    });
    pending_.setSingleShot(true);
    pending_.setInterval(kAdjustPause);
    connect(&pending_, &QTimer::timeout, this, &ImportDialog::convert);
    show_adjustments({});
    originalView->installEventFilter(this);
    resultView->installEventFilter(this);
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
    options.place = adjustments().place;
    return options;
}

PictureFormat ImportDialog::format() const { return PictureFormat(modeBox->currentData().toInt()); }

ImageAdjustments ImportDialog::adjustments() const {
    ImageAdjustments adjustments{.brightness = brightnessBox->value(),
                                 .contrast = contrastBox->value(),
                                 .saturation = saturationBox->value(),
                                 .gamma = gammaBox->value()};
    const PixelArea crop{cropLeft->value(), cropTop->value(), cropWidth->value(),
                         cropHeight->value()};
    if (crop != PixelArea{0, 0, decoded_.width(), decoded_.height()}) adjustments.crop = crop;
    if (placed_)
        adjustments.place = PixelArea{placeLeft->value(), placeTop->value(), placeWidth->value(),
                                      placeHeight->value()};
    return adjustments;
}

// The boxes take the values quietly; an unplaced image shows the place the fit gives it.
void ImportDialog::show_adjustments(const ImageAdjustments& adjustments) {
    const PixelArea crop = cropped_area(decoded_.width(), decoded_.height(), adjustments.crop);
    const PixelArea place =
        adjustments.place.value_or(fitted_place(crop.width, crop.height, mode_of(format()).shape));
    const std::pair<QSpinBox*, int> values[] = {{brightnessBox, adjustments.brightness},
                                                {contrastBox, adjustments.contrast},
                                                {saturationBox, adjustments.saturation},
                                                {cropLeft, crop.left},
                                                {cropTop, crop.top},
                                                {cropWidth, crop.width},
                                                {cropHeight, crop.height},
                                                {placeLeft, place.left},
                                                {placeTop, place.top},
                                                {placeWidth, place.width},
                                                {placeHeight, place.height}};
    for (auto [box, value] : values) {
        const QSignalBlocker quiet(box);
        box->setValue(value);
    }
    for (QSlider* slider : {brightnessSlider, contrastSlider, saturationSlider}) {
        const QSignalBlocker quiet(slider);
        slider->setValue(slider == brightnessSlider ? adjustments.brightness
                         : slider == contrastSlider ? adjustments.contrast
                                                    : adjustments.saturation);
    }
    const QSignalBlocker quiet(gammaBox);
    gammaBox->setValue(adjustments.gamma);
    placed_ = adjustments.place.has_value();
}

// The boxes and the original's outline follow at once (an unplaced image's place follows the
// crop); the conversion waits for the pause.
void ImportDialog::convert_soon() {
    show_adjustments(adjustments());
    show_original();
    pending_.start();
}

void ImportDialog::done(int result) {
    if (result == Accepted && pending_.isActive()) convert();
    QDialog::done(result);
}

const RgbImage& ImportDialog::adjusted_copy(const ImageAdjustments& adjustments) {
    if (adjustments == ImageAdjustments{}) return image_;
    ImageAdjustments key = adjustments; // the copy's size follows the place's, not its corner
    if (key.place) key.place->left = key.place->top = 0;
    if (key != adjusted_for_) {
        adjusted_ = working_copy(decoded_, key);
        adjusted_for_ = key;
    }
    return adjusted_;
}

void ImportDialog::convert() {
    pending_.stop();
    const Mode& mode = mode_of(format());
    // A mode the frame's caption names is named in the title too.
    setWindowTitle(*mode.caption ? tr("%1 for %2").arg(title_, QString::fromLatin1(mode.name))
                                 : title_);
    searchProgress->setVisible(options().dither == Dither::Search);
    searchProgress->setValue(0);
    const ImageAdjustments adjusted = adjustments();
    show_adjustments(adjusted); // an unplaced image's place follows the mode and the crop
    show_original();
    // A search shows its picture after each pass; the boxes wait until it ends.
    conversion_ = convert_image(
        adjusted_copy(adjusted), options(), [this](double done, const StoredPicture& now) {
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

// The result shows in the editor's colours, as it will once taken; an image placed by hand
// has a dotted line round its place.
void ImportDialog::show_result(const StoredPicture& picture) {
    const Mode& mode = mode_of(format());
    const RgbImage shown = render_picture(
        mode.grid_of(picture.data()),
        {.scale = kResultScale, .palette = shown_palette(), .hires = mode.shape.pixel_aspect == 1});
    QPixmap result = QPixmap::fromImage(to_qimage(shown));
    if (!placed_) return resultView->setPixmap(result);
    QPainter painter(&result);
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    const PixelArea place{placeLeft->value(), placeTop->value(), placeWidth->value(),
                          placeHeight->value()};
    painter.drawRect(rect_of(place, kResultScale).adjusted(0, 0, -1, -1));
    painter.end();
    resultView->setPixmap(result);
}

// The original, with a dotted line round the part taken where that is not all of it.
void ImportDialog::show_original() {
    QPixmap shown = original_;
    if (adjustments().crop) {
        QPainter painter(&shown);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        const PixelArea crop{cropLeft->value(), cropTop->value(), cropWidth->value(),
                             cropHeight->value()};
        painter.drawRect(
            rect_of(crop, double(original_.width()) / decoded_.width()).adjusted(0, 0, -1, -1));
    }
    originalView->setPixmap(shown);
}

bool ImportDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == originalView) return drag_original(event);
    if (watched == resultView) return drag_result(event);
    return QDialog::eventFilter(watched, event);
}

// A drag over the original takes the rectangle from the pixel pressed to the pixel under the
// pointer, both included, within the image.
bool ImportDialog::drag_original(QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QRectF shown = shown_in(*originalView, original_.size());
    const double scale = decoded_.width() / shown.width();
    const QPointF at = (mouse->position() - shown.topLeft()) * scale;
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        drag_ = Drag::Crop;
        drag_from_ = at;
    } else if (type == QEvent::MouseButtonRelease) {
        drag_ = Drag::None;
        return true;
    }
    if (drag_ != Drag::Crop) return false;
    const PixelArea crop = area_between(pixel_at(drag_from_), pixel_at(at),
                                        {0, 0, decoded_.width(), decoded_.height()});
    if (crop.empty()) return true;
    ImageAdjustments adjusted = adjustments();
    adjusted.crop = crop;
    show_adjustments(adjusted);
    convert_soon();
    return true;
}

// A drag of the picture in the result moves the image; one from near its bottom right corner
// sizes it.
bool ImportDialog::drag_result(QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPixmap result = resultView->pixmap();
    const QPointF at =
        (mouse->position() - shown_in(*resultView, result.size()).topLeft()) / kResultScale;
    const PixelArea place{placeLeft->value(), placeTop->value(), placeWidth->value(),
                          placeHeight->value()};
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        const QPointF corner(place.left + place.width, place.top + place.height);
        const QPointF off = at - corner;
        if (std::max(std::abs(off.x()), std::abs(off.y())) <= kCornerReach)
            drag_ = Drag::Size;
        else if (place.contains(pixel_at(at)))
            drag_ = Drag::Move;
        drag_from_ = at;
        drag_start_ = place;
        return true;
    }
    if (type == QEvent::MouseButtonRelease) {
        drag_ = Drag::None;
        return true;
    }
    if (drag_ != Drag::Move && drag_ != Drag::Size) return false;
    const QPoint moved = (at - drag_from_).toPoint();
    PixelArea dragged = drag_start_;
    if (drag_ == Drag::Move) {
        dragged.left += moved.x(), dragged.top += moved.y();
    } else {
        dragged.width = std::max(1, dragged.width + moved.x());
        dragged.height = std::max(1, dragged.height + moved.y());
    }
    ImageAdjustments adjusted = adjustments();
    adjusted.place = dragged;
    show_adjustments(adjusted);
    convert_soon();
    return true;
}
