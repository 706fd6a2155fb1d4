#include "formats/fli_file.h"
#include "formats/rows.h"
#include "tests/exchange_support.h"
#include "tests/fifo_deadline.h"
#include <QComboBox>
#include <QFileDialog>
#include <QImageReader>
#include <set>

TEST_F(Exchange, AKoalaFileIsTakenAsItIsByNameOrByContent) {
    // On purple: Vexlor's 5, the C64's 4.
    const PictureBytes drawn = some_picture(1, 5);
    const std::vector<std::uint8_t> koala = write_koala(encode_multicolor(drawn.data(), 5).image);
    ASSERT_EQ(koala[10002], 4);
    for (const QString name : {"a.koa", "b.KLA", "c.png", "d"}) {
        picture.fill(9);
        background = 0;
        EXPECT_TRUE(import(write(name, koala))) << name.toStdString();
        EXPECT_EQ(picture, drawn) << name.toStdString();
        EXPECT_EQ(background, 5);
    }
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(open_dialog.FileName, path("d"));
    QFileDialog shown;
    open_dialog.Configure(shown);
    auto* entries = shown.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_TRUE(entries);
    QStringList names;
    for (int i = 0; i < entries->count(); ++i) names << entries->itemText(i);
    EXPECT_EQ(names, (QStringList{"C64 pictures (*.koa *.kla *.gg *.bml *.fli *.fd2 *.ocp *.mpic "
                                  "*.a64 *.pi *.bpi *.ism *.64i *.ip64l *.ipt *.vid *.vco *.tbe "
                                  "*.drz *.dp64 *.sar *.ami *.pmg)",
                                  "Images (*.png *.gif *.bmp *.jpg *.jpeg)", "All Files (*.*)"}));
}

TEST_F(Exchange, PackedAndPaddedKoalaFilesAreRead) {
    PictureBytes drawn{};
    for (int cell = 0; cell < kCells; ++cell) fill_cell(drawn, cell, std::uint8_t(cell % 7));
    std::vector<std::uint8_t> koala = write_koala(encode_multicolor(drawn.data()).image);
    EXPECT_TRUE(import(write("packed.gg", pack(koala))));
    EXPECT_EQ(picture, drawn);
    picture.fill(9);
    koala.resize(koala.size() + 30, 0);
    EXPECT_TRUE(import(write("padded.koa", koala)));
    EXPECT_EQ(picture, drawn);
    // Packed noise is longer than a plain file, and still packed.
    const MulticolorImage noisy = noisy_image(7);
    PictureBytes noise;
    decode_multicolor(noisy, noise.data());
    const std::vector<std::uint8_t> packed_noise = pack(write_koala(noisy));
    ASSERT_GT(packed_noise.size(), kKoalaFileBytes);
    EXPECT_TRUE(import(write("noisy.gg", packed_noise)));
    EXPECT_EQ(picture, noise);
}

TEST_F(Exchange, OtherPaintProgramsPicturesAreTakenByTheirContent) {
    const PictureBytes drawn = some_picture(3, 6);
    const MulticolorImage image = encode_multicolor(drawn.data(), 6).image;
    for (const FileFormat* codec : {&artist64_format(), &amica_paint_format()}) {
        picture.fill(9);
        EXPECT_TRUE(import(write("picture", codec->write({.encoded = image})))) << codec->name();
        EXPECT_EQ(picture, drawn) << codec->name();
        EXPECT_EQ(background, 6);
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(Exchange, AnImageIsImportedAsAnImageWhateverItsName) {
    const PictureBytes drawn = some_picture(4);
    const QString file = write_png("drawn.kla", render_picture(drawn.data(), {}));
    when_import_dialog([](ImportDialog& dialog) { press(dialog.buttonBox, QDialogButtonBox::Ok); });
    EXPECT_TRUE(import(file));
    EXPECT_EQ(picture, drawn);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(Exchange, FilesThatCannotBeImportedAreRefusedAndThePictureStays) {
    const std::vector<std::uint8_t> koala =
        write_koala(encode_multicolor(some_picture(2).data()).image);
    expect_refused(write("short.koa", {koala.begin(), koala.begin() + 5000}), "5000 bytes");
    std::vector<std::uint8_t> oversized = koala;
    oversized.resize(200000);
    expect_refused(write("big.kla", oversized), "more than 10258 bytes");
    expect_refused(write("text.koa", std::vector<std::uint8_t>(10003, 'x')), "$7878");
    expect_refused(write("broken.gg", {0x00, 0x60, 0xFE, 0x01}), "inside a run");
    expect_refused(write("noise.png", std::vector<std::uint8_t>(3000, 0x55)),
                   "3000 bytes loading at $5555: no C64 picture format loads there, and it is "
                   "not an image");
    std::vector<std::uint8_t> art_studio = advanced_art_studio_format().write(
        {.encoded = encode_multicolor(some_picture(2).data()).image});
    art_studio.pop_back();
    expect_refused(write("short.koa", art_studio),
                   "10017 bytes loading at $2000: an Advanced Art Studio picture takes 10018");
    std::vector<std::uint8_t> png = encode_png(render_picture(picture.data(), {}));
    png.resize(png.size() / 2);
    expect_refused(write("cut.png", png), "cannot be decoded");
    for (const char* name : {"cut.gif", "cut.jpg"})
        expect_refused(write_cut_image(name), "it ends before its image does");
    // Cut where a data sub-block's length byte belongs: after the header, 128 colours, the
    // image's descriptor and code size, ten whole sub-blocks.
    std::vector<std::uint8_t> gif = gif_of_greys(160, 100);
    gif.resize(13 + 3 * 128 + 10 + 1 + 10 * 256);
    expect_refused(write("cut-between-blocks.gif", gif), "it ends before its image does");
}

TEST_F(Exchange, AFileThatCannotBeOpenedIsRefusedWithTheSystemsReason) {
    expect_refused(path("missing.png"), "No such file or directory");
    expect_refused(dir.path(), "Is a directory");
    const QString fifo = path("pipe.koa");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    FifoDeadline deadline(QFile::encodeName(fifo).toStdString());
    expect_refused(fifo, "not a regular file");
    EXPECT_FALSE(deadline.had_to_step_in()) << "the import waited on the pipe";
    const QString locked = write("locked.koa", std::vector<std::uint8_t>(kKoalaFileBytes));
    QFile(locked).setPermissions({});
    ASSERT_TRUE(
        without_file_permission_override([&] { expect_refused(locked, "Permission denied"); }));
}

// The decoding may take the image at its own depth; a 16-bit image takes 8 bytes a pixel.
TEST_F(Exchange, ASixteenBitImageWithinTheSizeLimitIsImported) {
    const QString file = write("deep.png", png_16bit(6000, 6000, 0xFFFF, 0x0000, 0x0000));
    when_import_dialog([](ImportDialog& dialog) { press(dialog.buttonBox, QDialogButtonBox::Ok); });
    EXPECT_TRUE(import(file));
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    // A square: 100 red pixels across the middle of each row, in the C64 colour nearest red.
    const std::uint8_t red = picture[100 * 160 + 80];
    EXPECT_NE(red, 0);
    EXPECT_EQ(std::count(picture.begin(), picture.end(), red), 100 * 200);
}

// A tiny file may describe a vast image. Decoding it takes what the image needs and no more:
// the working copy is small and nothing else of the image's size is made. The limit set for it
// is Qt's one for every image: afterwards it is as it was.
TEST_F(Exchange, AVastImageCostsItsDecodingAndNoMore) {
    // One pixel on an 8000 x 8000 screen.
    const std::vector<std::uint8_t> gif = {
        'G', 'I',  'F', '8', '9', 'a', 0x40, 0x1F, 0x40, 0x1F, 0x80, 0, 0, 0,    0,    0, 255, 255,
        255, 0x2C, 0,   0,   0,   0,   1,    0,    1,    0,    0,    2, 2, 0x4C, 0x01, 0, 0x3B};
    const QString file = write("vast.gif", gif);
    ImageRead read;
#ifndef __SANITIZE_ADDRESS__ // the sanitizer keeps freed memory aside: the peak says nothing
    const long grew = peak_growth_mib([&] {
        QFile in(file);
        in.open(QIODevice::ReadOnly);
        read = read_image(in);
    });
    EXPECT_GE(grew, 0);
    EXPECT_LE(grew, (8000L * 8000 * 4 >> 20) + 64); // the decoding, 4 bytes a pixel
#endif
    QFile in(file);
    in.open(QIODevice::ReadOnly);
    const int limit = QImageReader::allocationLimit();
    read = read_image(in);
    EXPECT_EQ(QImageReader::allocationLimit(), limit);
    EXPECT_EQ(read.decoded_size, QSize(8000, 8000));
    EXPECT_LE(read.image.width, 640);
    EXPECT_LE(read.image.height, 400);
    // Laid onto the picture as the whole image would be: a square 200 rows high.
    EXPECT_EQ(fit_to_picture(read.image).width, 100);
    EXPECT_EQ(fit_to_picture(read.image).height, 200);
}

TEST_F(Exchange, AnImageTooLargeToDecodeIsRefusedBeforeDecoding) {
    QImage wide(kMaxImageSide + 1, 2, QImage::Format_RGB888);
    wide.fill(Qt::white);
    wide.save(path("wide.png"));
    expect_refused(path("wide.png"), "8193 × 2 pixels");
    QImage largest(kMaxImageSide, 1, QImage::Format_RGB888);
    largest.fill(Qt::white);
    largest.save(path("largest.png"));
    when_import_dialog([](ImportDialog& dialog) { press(dialog.buttonBox, QDialogButtonBox::Ok); });
    EXPECT_TRUE(import(path("largest.png")));
}

TEST_F(Exchange, AnImageDrawnInAPaletteIsTakenColourForColourOnceAccepted) {
    const PictureBytes drawn = some_picture(3);
    const QString file =
        write_png("drawn.png", render_picture(drawn.data(), {.palette = PaletteId::Pepto}));
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
    PictureBytes shown{};
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
        const QImage expected =
            to_qimage(render_picture(shown.data(), {.scale = 2, .palette = PaletteId::Vexlor}));
        EXPECT_EQ(dialog.resultView->pixmap().toImage().convertToFormat(QImage::Format_RGB888),
                  expected);
        press(dialog.buttonBox, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(import(file));
    EXPECT_EQ(picture, shown);
    EXPECT_NE(chosen_background, 0); // the best for this picture is not black
    EXPECT_EQ(background, chosen_background);
    EXPECT_TRUE(scaled_note.contains("200 × 150")) << scaled_note.toStdString();
}

TEST_F(Exchange, CancellingEitherDialogLeavesThePicture) {
    const QString file =
        write_png("flat.png", RgbImage{160, 200, std::vector<std::uint8_t>(96000, 200)});
    when_import_dialog(
        [](ImportDialog& dialog) { press(dialog.buttonBox, QDialogButtonBox::Cancel); });
    EXPECT_FALSE(import(file));
    TFileDialog::QueueAnswer(std::nullopt);
    EXPECT_FALSE(import_picture(open_dialog, picture.data(), background, format));
    for (std::uint8_t index : picture) ASSERT_EQ(index, 9);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(Exchange, TransparentPartsComeInAsTheBlackBackground) {
    QImage image(160, 200, QImage::Format_ARGB32);
    image.fill(QColor(255, 255, 255, 0)); // invisible white
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 4; ++x) image.setPixelColor(x, y, QColor(255, 255, 255));
    image.save(path("clear.png"));
    when_import_dialog([](ImportDialog& dialog) { press(dialog.buttonBox, QDialogButtonBox::Ok); });
    EXPECT_TRUE(import(path("clear.png")));
    EXPECT_EQ(picture[0], 1);
    EXPECT_EQ(picture[4], 0);
    EXPECT_EQ(picture[199 * 160 + 159], 0);
}

TEST_F(Exchange, AGifIsMeasuredByItsWholeScreenNotByItsFirstFrame) {
    // One white pixel on a 1 x 1 screen; then the same frame on larger screens.
    std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1,   0,    1,    0, 0x80, 0,
                                     0,   0,   0,   0,   255, 255, 255, 0x2C, 0,    0, 0,    0,
                                     1,   0,   1,   0,   0,   2,   2,   0x4C, 0x01, 0, 0x3B};
    when_import_dialog([](ImportDialog& dialog) { press(dialog.buttonBox, QDialogButtonBox::Ok); });
    EXPECT_TRUE(import(write("dot.gif", gif)));
    EXPECT_EQ(picture[100 * 160 + 80], 1);
    gif[6] = 9000 & 0xFF, gif[7] = 9000 >> 8;
    expect_refused(write("wide.gif", gif), "9000 × 1 pixels");
    // Far too large to decode at all: refused for its size, not for a failed decoding.
    gif[8] = 20000 & 0xFF, gif[9] = 20000 >> 8;
    expect_refused(write("huge.gif", gif), "9000 × 20000 pixels");
}

// FLI files are read by name and bring FLI with them; a Koala file brings Multicolor. Files of
// the wrong size or load address are refused, and the picture and the mode stay.
TEST_F(Exchange, FliFilesAreReadByContentAndSwitchTheMode) {
    PictureBytes drawn{};
    for (int row = 0; row < 200; ++row) drawn[row * 160 + 40] = std::uint8_t(row % 5 + 1);
    drawn[199 * 160 + 40] = drawn[196 * 160 + 40]; // the last rows share row 196's colours
    drawn[198 * 160 + 40] = drawn[197 * 160 + 40] = 0;
    const std::vector<std::uint8_t> graph = write_fli_graph(encode_fli(drawn.data(), 0).image);
    std::vector<std::uint8_t> designer(graph.begin() + 256, graph.end());
    designer[0] = 0x00, designer[1] = 0x3C;
    for (const auto& [name, bytes] :
         {std::pair{"a.bml", graph}, std::pair{"b.FLI", graph}, std::pair{"c.fd2", designer},
          std::pair{"graph.fd2", graph}, std::pair{"designer.fli", designer}}) {
        picture.fill(9);
        format = fmtMulticolor;
        EXPECT_TRUE(import(write(name, bytes))) << name;
        EXPECT_EQ(picture, drawn) << name;
        EXPECT_EQ(format, fmtFli) << name;
    }
    // The background most lines show is the picture's, not line 0's.
    std::vector<std::uint8_t> first_line_red = graph;
    first_line_red[2] = 2;
    EXPECT_TRUE(import(write("red-top.bml", first_line_red)));
    EXPECT_EQ(background, 0);
    EXPECT_TRUE(import(write("back.koa", write_koala(encode_multicolor(drawn.data()).image))));
    EXPECT_EQ(format, fmtMulticolor);
    format = fmtFli;
    expect_refused(write("short.bml", {graph.begin(), graph.end() - 1}), "17473 bytes");
    std::vector<std::uint8_t> long_file = graph;
    long_file.resize(100000);
    expect_refused(write("long.bml", long_file), "it holds more than 17664 bytes");
    std::vector<std::uint8_t> elsewhere = graph;
    elsewhere[1] = 0x40;
    expect_refused(write("elsewhere.bml", elsewhere), "it loads at $4000");
    EXPECT_EQ(format, fmtFli);
}

// The import dialog offers the editor's mode first and may switch it: an image converted for
// FLI brings rows of colours of their own exactly, where Multicolor would have to change them.
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
    } cases[] = {{fmtFli, -1, fmtFli},
                 {fmtMulticolor, -1, fmtMulticolor},
                 {fmtMulticolor, 1, fmtFli},
                 {fmtFli, 0, fmtMulticolor}};
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
        std::set<std::uint8_t> first_cell;
        for (int pixel = 0; pixel < kCellPixels; ++pixel)
            first_cell.insert(picture[std::size_t(cell_pixel_offset(0, pixel))]);
        EXPECT_EQ(first_cell.size(), c.imported == fmtFli ? 5u : 3u); // all five, or three on black
    }
}
