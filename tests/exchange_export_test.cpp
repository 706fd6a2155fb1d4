#include "c64/sprite_prg.h"
#include "formats/rows.h"
#include "storage/picture_file.h"
#include "tests/exchange_support.h"
#include "tests/run_vexlor.h"
#include <QFileDialog>
#include <QSaveFile>

namespace {

// Five colours in each of the given cells, so that they cannot be shown exactly.
void make_clashes(PictureBytes& picture, std::initializer_list<int> cells) {
    for (int cell : cells)
        for (int pixel = 0; pixel < kCellPixels; ++pixel)
            picture[cell_pixel_offset(cell, pixel)] = std::uint8_t(pixel % 5 + 1);
}

std::uint32_t rgb_of(TColor color) { return SurfaceWord(color) & 0xFFFFFF; }

} // namespace

TEST_F(Exchange, KoalaExportWritesTheStandardFileAndAddsTheExtensionToATypedName) {
    picture = some_picture(4, 6);
    background = 6;
    TFileDialog::QueueAnswer(path("out"));
    EXPECT_TRUE(export_koala(save_dialog, multicolor_grid(picture), background));
    EXPECT_EQ(save_dialog.FileName, path("out.koa"));
    const std::vector<std::uint8_t> bytes = read(path("out.koa"));
    EXPECT_EQ(bytes, write_koala(encode_multicolor(multicolor_grid(picture), background).image));
    ASSERT_EQ(bytes.size(), 10003u);
    EXPECT_EQ(bytes[10002], 6);
    PictureBytes back{};
    decode_multicolor(*read_koala(bytes).image, multicolor_grid(back));
    EXPECT_EQ(back, picture);

    TFileDialog::QueueAnswer(path("other.kla"));
    EXPECT_TRUE(export_koala(save_dialog, multicolor_grid(picture), background));
    EXPECT_TRUE(QFile::exists(path("other.kla")));
    EXPECT_FALSE(QFile::exists(path("other.kla.koa")));
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(save_dialog.Filter.startsWith("Koala pictures|*.koa;*.kla|"));
}

TEST_F(Exchange, PrgExportWritesTheViewerWithThePicture) {
    picture = some_picture(5, 2);
    background = 2;
    TFileDialog::QueueAnswer(path("show"));
    EXPECT_TRUE(export_prg(save_dialog, multicolor_grid(picture), background));
    EXPECT_EQ(save_dialog.FileName, path("show.prg"));
    EXPECT_EQ(read(path("show.prg")),
              write_prg(encode_multicolor(multicolor_grid(picture), background).image));
}

// The sprites go to the C64 in its colour numbers (Vexlor's green 4 is the C64's 5); sprites a
// C64 cannot show are refused in words before a name is asked, and nothing is written.
TEST_F(Exchange, PrgExportShowsTheSpritesOrSaysWhyItCannot) {
    const auto sprite = [](int x, int y, std::uint8_t colour) {
        Sprite made{.x = x, .y = y, .colour = colour, .multicolour = colour == 5};
        made.data.fill(0xA5);
        return made;
    };
    SpriteSet shown{.sprites = {sprite(10, 20, 4), sprite(200, 150, 5)},
                    .shared_colour0 = 4,
                    .shared_colour1 = 5};
    SpriteSet crowded;
    for (int i = 0; i < 9; ++i) crowded.sprites.push_back(sprite(i * 30, 40, 1));
    SpriteSet in_c64_numbers = shown;
    in_c64_numbers.sprites[0].colour = 5;
    in_c64_numbers.sprites[1].colour = 4;
    in_c64_numbers.shared_colour0 = 5;
    in_c64_numbers.shared_colour1 = 4;
    picture = some_picture(5, 2);
    background = 2;
    const std::vector<std::uint8_t> program =
        write_prg(encode_multicolor(multicolor_grid(picture), background).image, in_c64_numbers)
            .bytes;
    ASSERT_FALSE(program.empty());
    struct Case {
        const char* name;
        PictureFormat mode;
        SpriteSet sprites;
        std::vector<std::uint8_t> written; // empty: refused
        const char* reason;
    };
    const Case cases[] = {
        {"multicolour", fmtMulticolor, shown, program, ""},
        {"nine on a line", fmtMulticolor, crowded, {}, "Row 40 of the picture holds 9 sprites"},
        {"FLI", fmtFli, shown, {}, "cannot show sprites over an FLI picture"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        errors.clear();
        const QString file = path(QString("%1.prg").arg(test.name));
        TFileDialog::QueueAnswer(file);
        const int asked = TFileDialog::ExecuteCount();
        EXPECT_EQ(
            export_prg(save_dialog, multicolor_grid(picture), background, test.mode, test.sprites),
            !test.written.empty());
        if (!test.written.empty()) {
            EXPECT_EQ(read(file), test.written);
            EXPECT_TRUE(errors.isEmpty());
            continue;
        }
        TFileDialog::DropAnswers();
        EXPECT_EQ(TFileDialog::ExecuteCount(), asked);
        EXPECT_FALSE(QFile::exists(file));
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(test.reason)) << errors[0].toStdString();
    }
}

TEST_F(Exchange, CellsThatCannotBeShownExactlyAreCountedAndTheUserDecides) {
    picture = some_picture(6);
    make_clashes(picture, {0, 500, 999});
    answer_yes = false;
    const int shown = TFileDialog::ExecuteCount();
    EXPECT_FALSE(export_koala(save_dialog, multicolor_grid(picture), background));
    EXPECT_EQ(TFileDialog::ExecuteCount(), shown);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains("3 of the picture's 1000 cells"))
        << questions[0].toStdString();

    answer_yes = true;
    TFileDialog::QueueAnswer(path("anyway.prg"));
    EXPECT_TRUE(export_prg(save_dialog, multicolor_grid(picture), background));
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(read(path("anyway.prg")),
              write_prg(encode_multicolor(multicolor_grid(picture), background).image));

    // One such cell is enough to ask.
    picture = some_picture(6);
    make_clashes(picture, {321});
    answer_yes = false;
    questions.clear();
    EXPECT_FALSE(export_koala(save_dialog, multicolor_grid(picture), background));
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains("1 of the picture's 1000 cells"))
        << questions[0].toStdString();
}

TEST_F(Exchange, AFailedWriteNamesTheFileAndKeepsWhatWasThere) {
    TFileDialog::QueueAnswer(path("no/such/folder/x.koa"));
    EXPECT_FALSE(export_koala(save_dialog, multicolor_grid(picture), background));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(path("no/such/folder/x.koa")));

    const QString kept = write("kept.png", {1, 2, 3});
    SetBeforeCommitHook([](QSaveFile& file) { file.cancelWriting(); });
    TFileDialog::QueueAnswer(kept);
    WhenModal([] {
        auto* options = qobject_cast<PngOptionsDialog*>(QApplication::activeModalWidget());
        press(options->buttonBox, QDialogButtonBox::Ok);
    });
    EXPECT_FALSE(export_png(save_dialog, multicolor_grid(picture)));
    SetBeforeCommitHook(nullptr);
    EXPECT_EQ(errors.size(), 2);
    EXPECT_EQ(read(kept), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(Exchange, PngExportShowsThePictureAsTheEditorDoesUnlessToldOtherwise) {
    picture = some_picture(7);
    make_clashes(picture, {12}); // a PNG shows every pixel as it is
    TFileDialog::QueueAnswer(path("shot"));
    QString size_note;
    WhenModal([&] {
        auto* options = qobject_cast<PngOptionsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(options, nullptr);
        EXPECT_EQ(options->widthBox->currentIndex(), 0);
        EXPECT_EQ(options->scaleBox->value(), 1);
        EXPECT_EQ(options->paletteBox->currentIndex(), 0);
        size_note = options->sizeNote->text();
        press(options->buttonBox, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(export_png(save_dialog, multicolor_grid(picture)));
    EXPECT_TRUE(size_note.contains("320 × 200")) << size_note.toStdString();
    EXPECT_TRUE(questions.isEmpty());
    const QImage wide(path("shot.png"));
    ASSERT_EQ(wide.size(), QSize(320, 200));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(wide.pixel(x, y) & 0xFFFFFF, rgb_of(palette_color(picture[y * 160 + x / 2])))
                << x << "," << y;
}

TEST_F(Exchange, PngOptionsOfferOnePixelEachAScaleAndTheC64Palettes) {
    picture = some_picture(8);
    TFileDialog::QueueAnswer(path("big.png"));
    WhenModal([] {
        auto* options = qobject_cast<PngOptionsDialog*>(QApplication::activeModalWidget());
        options->widthBox->setCurrentIndex(1);
        options->scaleBox->setValue(3);
        options->paletteBox->setCurrentIndex(1);
        EXPECT_TRUE(options->sizeNote->text().contains("480 × 600"));
        press(options->buttonBox, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(export_png(save_dialog, multicolor_grid(picture)));
    const QImage big(path("big.png"));
    ASSERT_EQ(big.size(), QSize(480, 600));
    const Palette& pepto = palette_colors(PaletteId::Pepto);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 480; ++x)
            ASSERT_EQ(big.pixel(x, y) & 0xFFFFFF, rgb_of(pepto[picture[y / 3 * 160 + x / 3]]));

    TFileDialog::QueueAnswer(path("cancelled.png"));
    WhenModal([] {
        auto* options = qobject_cast<PngOptionsDialog*>(QApplication::activeModalWidget());
        press(options->buttonBox, QDialogButtonBox::Cancel);
    });
    EXPECT_FALSE(export_png(save_dialog, multicolor_grid(picture)));
    EXPECT_FALSE(QFile::exists(path("cancelled.png")));
    TFileDialog::QueueAnswer(std::nullopt);
    EXPECT_FALSE(export_koala(save_dialog, multicolor_grid(picture), background));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(Exchange, OtherC64FormatsArePickedByTheTypedExtensionElseByTheChosenEntry) {
    picture = some_picture(7, 6);
    background = 6;
    const MulticolorImage image = encode_multicolor(multicolor_grid(picture), background).image;
    const struct {
        const char* typed;
        const char* chosen; // the entry chosen, as the dialog reports it
        const char* written;
        const FileFormat& format;
    } rows[] = {
        {"wizard2", "Artist 64 (*.a64)", "wizard2.a64", artist64_format()},
        {"named.tbe", "Artist 64 (*.a64)", "named.tbe", twilight_format()},
        {"NAMED.OCP", "Interpaint Lores (*.ip64l *.ipt)", "NAMED.OCP",
         advanced_art_studio_format()},
        {"odd.name", "Advanced Art Studio (*.ocp *.mpic)", "odd.name",
         advanced_art_studio_format()},
        {"packed", "Packed Drazpaint (*.drz) (*.drz)", "packed.drz", drazpaint_packed_format()},
        {"again", "", "again.drz", drazpaint_packed_format()}, // the entry chosen last
    };
    for (const auto& row : rows) {
        TFileDialog::QueueAnswer(path(row.typed), row.chosen);
        EXPECT_TRUE(export_other_c64(save_dialog, multicolor_grid(picture), background))
            << row.typed;
        EXPECT_EQ(read(path(row.written)), row.format.write({.encoded = image})) << row.typed;
    }
    QStringList entries = save_dialog.Filter.split('|');
    for (int i = 1; i < entries.size(); ++i) entries.removeAt(i); // the patterns
    EXPECT_EQ(entries,
              (QStringList{"Advanced Art Studio (*.ocp *.mpic)", "Artist 64 (*.a64)",
                           "Blazing Paddles (*.pi *.bpi)", "Image System (*.ism *.64i)",
                           "Interpaint Lores (*.ip64l *.ipt)", "Vidcom 64 (*.vid *.vco)",
                           "Twilight (*.tbe)", "Packed Drazpaint (*.drz)", "Amica Paint (*.ami)"}));
    // Qt's dialog reports each entry chosen in a way that leads back to it.
    QFileDialog dialog;
    save_dialog.Configure(dialog);
    const QStringList filters = TFileDialog::QtFilters(save_dialog.Filter);
    for (int entry = 1; entry <= filters.size(); ++entry) {
        dialog.selectNameFilter(filters[entry - 1]);
        EXPECT_EQ(TFileDialog::EntryOf(save_dialog.Filter, dialog.selectedNameFilter()), entry);
    }
    EXPECT_TRUE(errors.isEmpty());
}

// The converter for build scripts converts an image to the very bytes that Import and then
// Export write with the same choices.
TEST_F(Exchange, TheConverterWritesWhatImportThenExportWriteWithTheSameChoices) {
    const QString in = write_png("photo.png", photograph());
    const struct {
        QStringList options;
        int palette, background, dither; // the dialog's boxes
    } choices[] = {
        {{}, 0, 0, 0},
        {{"--palette", "colodore", "--dither", "ordered"}, 3, 0, 1},
        {{"--palette=pepto", "--dither=floyd-steinberg", "--background", "black"}, 2, 0, 2},
        {{"--palette", "vice"}, 4, 0, 0},
    };
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice.options.join(' ').toStdString());
        const Finished run =
            run_vexlor(QStringList{"--convert", in, path("cli.kla")} + choice.options);
        EXPECT_EQ(run.exit_code, 0) << run.err.toStdString();

        when_import_dialog([&](ImportDialog& dialog) {
            dialog.paletteBox->setCurrentIndex(choice.palette);
            dialog.backgroundBox->setCurrentIndex(choice.background);
            dialog.ditherBox->setCurrentIndex(choice.dither);
            press(dialog.buttonBox, QDialogButtonBox::Ok);
        });
        ASSERT_TRUE(import(in));
        TFileDialog::QueueAnswer(path("dialogs.kla"));
        ASSERT_TRUE(export_koala(save_dialog, multicolor_grid(picture), background));
        EXPECT_EQ(read(path("cli.kla")), read(path("dialogs.kla")));
    }
}
