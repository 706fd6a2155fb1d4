#include "formats/fli_file.h"
#include "modes/mode.h"
#include "tests/exchange_support.h"
#include "tests/run_vexlor.h"
#include <QComboBox>
#include <QFileDialog>
#include <set>

// Import brings a file's picture, background and mode into the editor (see the formats' tests
// for what each file gives); the file dialog offers the table's entries and keeps the name.
TEST_F(Exchange, AnImportTakesTheFilesPictureBackgroundAndModeAndTheDialogKeepsTheName) {
    // On purple: Vexlor's 5, the C64's 4.
    const PictureBytes drawn = some_picture(1, 5);
    EXPECT_TRUE(
        import(write("lines.bml", write_fli_graph(encode_fli(multicolor_grid(drawn), 5).image))));
    EXPECT_EQ(format, fmtFli);
    EXPECT_TRUE(
        import(write("d", write_koala(encode_multicolor(multicolor_grid(drawn), 5).image))));
    EXPECT_EQ(picture, drawn);
    EXPECT_EQ(background, 5);
    EXPECT_EQ(format, fmtMulticolor);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(open_dialog.FileName, path("d"));
    QFileDialog shown;
    open_dialog.Configure(shown);
    auto* entries = shown.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_TRUE(entries);
    QStringList names;
    for (int i = 0; i < entries->count(); ++i) names << entries->itemText(i);
    const QString c64 = "*.koa *.kla *.gg *.bml *.fli *.fd2 *.ocp *.mpic *.art *.ip64h *.iph *.dd "
                        "*.ddl *.jj *.afl *.afli *.a64 *.pi *.bpi *.ism *.64i *.ip64l *.ipt *.vid "
                        "*.vco *.tbe *.drz *.dp64 *.sar *.ami *.pmg";
    const QString images = "*.png *.gif *.bmp *.jpg *.jpeg";
    EXPECT_EQ(names, (QStringList{"C64 pictures and images (" + c64 + ' ' + images + ')',
                                  "C64 pictures (" + c64 + ')', "Images (" + images + ')',
                                  "All Files (*.*)"}));
}

// A file refused is named in a message with the reason; the picture and the mode stay.
TEST_F(Exchange, ARefusedFileIsNamedWithTheReasonAndThePictureAndTheModeStay) {
    format = fmtFli;
    expect_refused(path("missing.png"), "No such file or directory");
    expect_refused(write("short.koa", std::vector<std::uint8_t>(5000)), "5000 bytes");
    EXPECT_EQ(format, fmtFli);
}

TEST_F(Exchange, AnImageDrawnInAPaletteIsTakenColourForColourOnceAccepted) {
    const PictureBytes drawn = some_picture(3);
    const QString file = write_png(
        "drawn.png", render_picture(multicolor_grid(drawn), {.palette = PaletteId::Pepto}));
    QString palette_note;
    bool scaled_shown = true;
    when_import_dialog([&](ImportDialog& dialog) {
        palette_note = dialog.paletteNote->text();
        scaled_shown = dialog.scaledNote->isVisibleTo(&dialog);
        press(dialog.buttonBox, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(import(file));
    EXPECT_EQ(picture, drawn);
    EXPECT_TRUE(palette_note.contains("Pepto")) << palette_note.toStdString();
    EXPECT_FALSE(scaled_shown);
}

TEST_F(Exchange, TheDialogConvertsAgainWhenAChoiceChangesAndTakesWhatItShows) {
    RgbImage gradient{200, 150, {}};
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x)
            gradient.rgb.insert(gradient.rgb.end(),
                                {std::uint8_t(x), std::uint8_t(y + 50), std::uint8_t(255 - x)});
    const QString file = write_png("gradient.png", gradient);
    StoredPicture shown{};
    std::uint8_t chosen_background = 0;
    QString scaled_note;
    when_import_dialog([&](ImportDialog& dialog) {
        scaled_note = dialog.scaledNote->isVisibleTo(&dialog) ? dialog.scaledNote->text() : "";
        const QImage plain = dialog.resultView->pixmap().toImage();
        EXPECT_EQ(plain.size(), QSize(640, 400));
        dialog.ditherBox->setCurrentIndex(2);
        EXPECT_NE(dialog.resultView->pixmap().toImage(), plain);
        dialog.backgroundBox->setCurrentIndex(1);
        dialog.paletteBox->setCurrentIndex(2);
        EXPECT_EQ(dialog.options().palette, PaletteId::Pepto);
        EXPECT_EQ(dialog.options().dither, Dither::FloydSteinberg);
        EXPECT_EQ(dialog.options().background, BackgroundChoice::Best);
        shown = dialog.conversion().picture;
        chosen_background = dialog.conversion().background;
        // Matched to Pepto, shown as the editor shows it.
        const QImage expected = to_qimage(
            render_picture(multicolor_grid(shown), {.scale = 2, .palette = PaletteId::Vexlor}));
        EXPECT_EQ(dialog.resultView->pixmap().toImage().convertToFormat(QImage::Format_RGB888),
                  expected);
        press(dialog.buttonBox, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(import(file));
    EXPECT_EQ(picture, multicolour_part(shown));
    EXPECT_NE(chosen_background, 0); // the best for this picture is not black
    EXPECT_EQ(background, chosen_background);
    EXPECT_TRUE(scaled_note.contains("200 × 150")) << scaled_note.toStdString();
}

// The search shows how far it has come, and its picture after each pass: the bar is full at the
// end, the view shows the result, and the bar goes with the search.
TEST_F(Exchange, TheSearchDitherShowsItsProgressAndItsPictureAsItGoes) {
    RgbImage gradient{160, 100, {}};
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 160; ++x)
            gradient.rgb.insert(gradient.rgb.end(),
                                {std::uint8_t(x), std::uint8_t(2 * y + 30), std::uint8_t(200 - x)});
    const QString file = write_png("search.png", gradient);
    when_import_dialog([&](ImportDialog& dialog) {
        EXPECT_FALSE(dialog.searchProgress->isVisibleTo(&dialog));
        dialog.ditherBox->setCurrentIndex(2);
        const QImage diffused = dialog.resultView->pixmap().toImage();
        dialog.ditherBox->setCurrentIndex(3);
        EXPECT_EQ(dialog.options().dither, Dither::Search);
        EXPECT_TRUE(dialog.searchProgress->isVisibleTo(&dialog));
        EXPECT_EQ(dialog.searchProgress->value(), dialog.searchProgress->maximum());
        const QImage searched = dialog.resultView->pixmap().toImage();
        EXPECT_NE(searched, diffused);
        EXPECT_EQ(searched.convertToFormat(QImage::Format_RGB888),
                  to_qimage(render_picture(multicolor_grid(dialog.conversion().picture),
                                           {.scale = 2, .palette = PaletteId::Vexlor})));
        dialog.ditherBox->setCurrentIndex(0);
        EXPECT_FALSE(dialog.searchProgress->isVisibleTo(&dialog));
        press(dialog.buttonBox, QDialogButtonBox::Cancel);
    });
    EXPECT_FALSE(import(file));
}

TEST_F(Exchange, CancellingEitherDialogLeavesThePicture) {
    const QString file =
        write_png("flat.png", RgbImage{160, 200, std::vector<std::uint8_t>(96000, 200)});
    when_import_dialog(
        [](ImportDialog& dialog) { press(dialog.buttonBox, QDialogButtonBox::Cancel); });
    EXPECT_FALSE(import(file));
    TFileDialog::QueueAnswer(std::nullopt);
    StoredPicture storage;
    storage.fill(9);
    EXPECT_FALSE(import_picture(open_dialog, grid_over(storage, kWidestColumns, kPictureRows),
                                background, format));
    for (std::uint8_t index : storage) ASSERT_EQ(index, 9);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(Exchange, AnImageIsConvertedForTheModeTheDialogShows) {
    const Palette& colors = palette_colors(PaletteId::Colodore);
    RgbImage image{160, 200, std::vector<std::uint8_t>(160 * 200 * 3)};
    for (int row = 0; row < 200; ++row)
        for (int column = 0; column < 160; ++column) {
            const TColor color = colors[std::size_t(screen_row_of(row) % 5 + 1)];
            std::uint8_t* pixel = image.rgb.data() + (row * 160 + column) * 3;
            pixel[0] = RedOf(color), pixel[1] = GreenOf(color), pixel[2] = BlueOf(color);
        }
    const QString file = write_png("stripes.png", image);
    const struct {
        std::uint8_t editor;
        int chosen; // the dialog's mode box, or -1 to leave it
        std::uint8_t imported;
        // The first cell's: all five where each row has colours of its own, else three on
        // black, or a hires pair.
        std::size_t first_cell_colours;
    } cases[] = {{fmtFli, -1, fmtFli, 5},       {fmtMulticolor, -1, fmtMulticolor, 3},
                 {fmtMulticolor, 1, fmtFli, 5}, {fmtFli, 0, fmtMulticolor, 3},
                 {fmtHires, -1, fmtHires, 2},   {fmtMulticolor, 2, fmtHires, 2},
                 {fmtHires, 3, fmtAfli, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        format = c.editor;
        bool offered_first = false;
        when_import_dialog([&](ImportDialog& dialog) {
            offered_first = dialog.format() == c.editor;
            if (c.chosen >= 0) dialog.modeBox->setCurrentIndex(c.chosen);
            press(dialog.buttonBox, QDialogButtonBox::Ok);
        });
        EXPECT_TRUE(import(file));
        EXPECT_TRUE(offered_first);
        EXPECT_EQ(format, c.imported);
        const PictureShape& shape = mode_of(c.imported).shape;
        std::set<std::uint8_t> first_cell;
        for (int y = 0; y < shape.cell.height; ++y)
            for (int x = 0; x < shape.cell.width; ++x)
                first_cell.insert(storage[std::size_t(y * shape.width + x)]);
        EXPECT_EQ(first_cell.size(), c.first_cell_colours);
    }
}

namespace {

// A drag with the left button, from one point of the view to another.
void drag(QWidget* view, QPointF from, QPointF to) {
    const std::tuple<QEvent::Type, QPointF, Qt::MouseButton, Qt::MouseButtons> steps[] = {
        {QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton},
        {QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton},
        {QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton}};
    for (const auto& [type, at, button, held] : steps) {
        QMouseEvent event(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }
}

// Where a label shows the corner of its picture.
QPointF picture_corner(const QLabel* view) {
    const QSizeF size = view->pixmap().size();
    return QRectF(view->contentsRect()).center() - QPointF(size.width(), size.height()) / 2;
}

} // namespace

// A changed adjustment is shown once the hand pauses (within a test's generous wait), as the
// image adjusted and then converted; OK takes the picture with every change made, even one
// made a moment before.
TEST_F(Exchange, TheAdjustmentsShowAfterAPauseAndComeWithThePicture) {
    const RgbImage image = photograph();
    const QString file = write_png("photo.png", image);
    const auto converted = [&](const ImageAdjustments& adjustments) {
        return convert_image(working_copy(to_qimage(image), adjustments), {}).picture;
    };
    when_import_dialog([&](ImportDialog& dialog) {
        const QImage before = dialog.resultView->pixmap().toImage();
        dialog.brightnessSlider->setValue(40);
        EXPECT_EQ(dialog.brightnessBox->value(), 40);
        QTRY_VERIFY_WITH_TIMEOUT(dialog.resultView->pixmap().toImage() != before, 10000);
        EXPECT_EQ(dialog.adjustments(), (ImageAdjustments{.brightness = 40}));
        EXPECT_EQ(dialog.conversion().picture, converted({.brightness = 40}));
        dialog.gammaBox->setValue(1.5);
        press(dialog.buttonBox, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(import(file));
    EXPECT_EQ(picture, multicolour_part(converted({.brightness = 40, .gamma = 1.5})));
}

// A drag over the original crops the image to the pixels from the one pressed to the one let
// go; a drag of the picture in the result moves it on the screen (each screen pixel two of the
// view's), and one from its bottom right corner sizes it.
TEST_F(Exchange, DraggingCropsTheOriginalAndMovesOrSizesThePicture) {
    const QString file = write_png("photo.png", photograph()); // shown 320 x 200, a pixel each
    const PixelArea fitted = fitted_place(100, 50, mode_of(fmtMulticolor).shape);
    const PixelArea crop{10, 20, 100, 50}; // each drag starts from it, the place fitted
    const struct {
        const char* what;
        QPointF from, to; // in the view's picture; in the result's from the place's corner
        bool in_result, from_far_corner;
        ImageAdjustments adjusted;
    } drags[] = {
        {"crop", {30, 40}, {79, 99}, false, false, {.crop = PixelArea{30, 40, 50, 60}}},
        {"crop backwards", {79, 99}, {30, 40}, false, false, {.crop = PixelArea{30, 40, 50, 60}}},
        {"move",
         {30, 30},
         {70, 50},
         true,
         false,
         {.crop = crop,
          .place = PixelArea{fitted.left + 20, fitted.top + 10, fitted.width, fitted.height}}},
        {"size",
         {0, 0},
         {-20, -10},
         true,
         true,
         {.crop = crop,
          .place = PixelArea{fitted.left, fitted.top, fitted.width - 10, fitted.height - 5}}},
    };
    when_import_dialog([&](ImportDialog& dialog) {
        for (const auto& d : drags) {
            SCOPED_TRACE(d.what);
            dialog.fitButton->click();
            dialog.cropLeft->setValue(crop.left), dialog.cropTop->setValue(crop.top);
            dialog.cropWidth->setValue(crop.width), dialog.cropHeight->setValue(crop.height);
            QLabel* view = d.in_result ? dialog.resultView : dialog.originalView;
            QPointF from = picture_corner(view) + d.from;
            if (d.in_result)
                from += d.from_far_corner ? QPointF(2 * (fitted.left + fitted.width),
                                                    2 * (fitted.top + fitted.height))
                                          : QPointF(2 * fitted.left, 2 * fitted.top);
            drag(view, from, from + (d.to - d.from));
            EXPECT_EQ(dialog.adjustments(), d.adjusted);
        }
        press(dialog.buttonBox, QDialogButtonBox::Cancel);
    });
    EXPECT_FALSE(import(file));
}

// View > Reference Image brings an image in through Import's dialog: its tones and place are
// the user's there; cancelling it brings nothing, so the editor keeps its old reference.
TEST_F(Exchange, AReferenceImageTakesTheAdjustmentsOfImportsDialog) {
    const QString file =
        write_png("grey.png", RgbImage{160, 200, std::vector<std::uint8_t>(96000, 100)});
    const struct {
        const char* what;
        bool accepted;
        PixelArea area; // where the reference lies, in picture pixels 160 x 200
    } rows[] = {
        {"brightened and laid at the top left, half as high", true, {0, 0, 80, 100}},
        {"cancelled", false, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        when_import_dialog([&](ImportDialog& dialog) {
            dialog.brightnessSlider->setValue(40);
            dialog.placeLeft->setValue(0), dialog.placeTop->setValue(0);
            dialog.placeWidth->setValue(160), dialog.placeHeight->setValue(100);
            press(dialog.buttonBox, row.accepted ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        });
        TFileDialog::QueueAnswer(file);
        const std::optional<ReferenceImage> reference =
            ask_reference_image(open_dialog, fmtMulticolor);
        ASSERT_EQ(reference.has_value(), row.accepted);
        if (!reference) continue;
        EXPECT_EQ(reference->area, row.area);
        const auto red_at = [&](int x, int y) {
            return reference->rgb.rgb[std::size_t((y * kPictureColumns + x) * 3)];
        };
        EXPECT_GT(red_at(0, 0), 100);   // brightened
        EXPECT_EQ(red_at(100, 150), 0); // where the image does not lie
    }
}
