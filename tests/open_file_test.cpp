// Pictures opened by their kind: through File > Open, a file named on the command line, files
// dropped on the windows; and what every place that opens a file a user names makes of one that
// is no regular file.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "app/startup.h"
#include "c64/render.h"
#include "exchange/import_dialog.h"
#include "formats/image_file.h"
#include "formats/koala.h"
#include "formats/png.h"
#include "formats/vxr.h"
#include "formats/vxs.h"
#include "modes/mode.h"
#include "platform/common_dialogs.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "storage/dlg_open.h"
#include "storage/picture_file.h"
#include "tests/c64_support.h"
#include "tests/fifo_deadline.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct OpeningFiles : ::testing::Test {
    QTemporaryDir dir;
    QStringList errors;
    PictureBytes drawn;

    void SetUp() override {
        ResetEditor();
        SetErrorMessageDisplay([this](const QString&, const QString& text) { errors << text; });
        std::mt19937 random(7);
        drawn = random_encodable_picture(random, 0);
    }
    void TearDown() override { SetErrorMessageDisplay(nullptr); }

    QString write(const QString& name, const std::vector<std::uint8_t>& bytes) const {
        return write_file(dir.filePath(name), bytes);
    }
    QString koala_file(const QString& name) const {
        return write(name, write_koala(encode_multicolor(multicolor_grid(drawn)).image));
    }
    bool shows_drawn() const {
        return std::equal(drawn.begin(), drawn.end(), okno2->picture.begin());
    }
    static QString undo_text() { return okno1->EditUndoItem->text().remove(QLatin1Char('&')); }
};

// The conversion dialog, once up, is accepted as it opens.
void accept_conversion() {
    WhenModal([] {
        auto* dialog = qobject_cast<ImportDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTest::mouseClick(dialog->buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
}

// File > Open and a file named at start read a C64 file by its content, as Import does (a
// Koala file Vexlor exported, the Art Studio or AFLI file Save writes in Hires and AFLI), and a
// .vxr as Vexlor's own; a file named at start may be an image too, converted as Import would.
TEST_F(OpeningFiles, FileOpenAndAFileNamedAtStartReadEachFileByItsKind) {
    const StoredPicture stripes = hires_stripes(47);
    const auto saved = [&](const QString& name, PictureFormat mode) {
        const QString file = dir.filePath(name);
        EXPECT_TRUE(save_picture_file(file, mode_of(mode).grid_of(stripes.data()), mode));
        return file;
    };
    const struct {
        QString file;
        PictureFormat mode;
        bool hires;        // the stripes, else the picture drawn
        bool picture_file; // the file becomes the picture's own
        const char* step;
        const char* warning = nullptr;
        bool image = false; // converted first; named at start only
    } files[] = {
        {write("harbour.vxr", encode_vxr(multicolor_grid(drawn))), fmtMulticolor, false, true,
         "Undo Open"},
        {koala_file("harbour.kla"), fmtMulticolor, false, false, "Undo Import"},
        {koala_file("harbour.KLA"), fmtMulticolor, false, false, "Undo Import"},
        {koala_file("harbour-no-extension"), fmtMulticolor, false, false, "Undo Import"},
        {saved("logo.art", fmtHires), fmtHires, true, true, "Undo Import"},
        {saved("logo.afl", fmtAfli), fmtAfli, true, true, "Undo Import"},
        // The name says Vexlor's own: the bytes are taken as pixels (up to the first 0x1A).
        {koala_file("koala-bytes.vxr"), fmtMulticolor, false, true, "Undo Open",
         "of the picture's 32000 pixels; the rest are colour 0"},
        {write("harbour.png", encode_png(render_picture(multicolor_grid(drawn),
                                                        {.palette = PaletteId::Colodore}))),
         fmtMulticolor, false, false, "Undo Import", nullptr, true},
    };
    for (const bool at_start : {false, true})
        for (const auto& row : files) {
            if (row.image && !at_start) continue;
            SCOPED_TRACE((at_start ? "at start: " : "File > Open: ") + row.file.toStdString());
            ResetEditor();
            errors.clear();
            const auto shown = [&] {
                return row.hires ? okno2->picture == stripes : shows_drawn();
            };
            if (at_start) {
                if (row.image) accept_conversion();
                open_at_start(row.file);
                SettleUntil([&] { return shown() || !errors.isEmpty(); }, 3000);
            } else {
                WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
                TFileDialog::QueueAnswer(row.file);
                okno1->FileOpenItem->trigger();
                EXPECT_EQ(TFileDialog::PendingAnswers(), 0);
            }
            EXPECT_EQ(okno1->picture_format, row.mode);
            EXPECT_EQ(okno1->picture_path(),
                      row.picture_file ? QFileInfo(row.file).absoluteFilePath() : QString());
            EXPECT_EQ(undo_text(), row.step);
            EXPECT_FALSE(QApplication::activeModalWidget());
            if (row.warning) {
                ASSERT_EQ(errors.size(), 1);
                EXPECT_TRUE(errors[0].contains(row.warning)) << errors[0].toStdString();
                continue;
            }
            EXPECT_TRUE(shown());
            EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
            // Opening redraws the preview; the top left pixel is the picture's.
            EXPECT_TRUE(AreaIs(okno_prv, QRect(2, 2, row.hires ? 2 : 4, 2),
                               palette_color(row.hires ? stripes[0] : drawn[0])));
        }
}

// A file with sprites opens with its mode, background and sprites, and saves back byte for byte;
// a damaged one is refused and changes nothing; a .vxr opened after it brings no sprites.
TEST_F(OpeningFiles, AFileWithSpritesOpensAndSavesWhole) {
    SpriteSet sprites{.sprites = {Sprite{.x = 5, .y = 7, .colour = 2, .multicolour = true}},
                      .shared_colour0 = 3,
                      .shared_colour1 = 4};
    sprites.sprites[0].data.fill(0x99);
    const StoredPicture stripes = hires_stripes(5);
    const std::vector<std::uint8_t> bytes =
        encode_vxs(mode_of(fmtHires).grid_of(stripes.data()), fmtHires, 6, sprites);
    const QString file = write("logo.vxs", bytes);
    const Document& document = desk().document();
    okno1->open_picture(file, OpenAs::ByKind);
    EXPECT_EQ(document.sprites(), sprites);
    EXPECT_EQ(document.format(), fmtHires);
    EXPECT_EQ(document.back_color, 6);
    EXPECT_EQ(okno2->picture, stripes);
    EXPECT_EQ(okno1->picture_path(), QFileInfo(file).absoluteFilePath());
    TFileDialog::QueueAnswer(dir.filePath("copy.vxs"));
    okno1->FileSaveAs();
    EXPECT_EQ(TFileDialog::PendingAnswers(), 0);
    QFile copy(dir.filePath("copy.vxs"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    const QByteArray saved = copy.readAll();
    EXPECT_EQ(std::vector<std::uint8_t>(saved.begin(), saved.end()), bytes);

    std::vector<std::uint8_t> damaged = bytes;
    damaged.pop_back();
    okno1->open_picture(write("damaged.vxs", damaged), OpenAs::ByKind);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("a Vexlor picture with sprites")) << errors[0].toStdString();
    EXPECT_EQ(document.sprites(), sprites);
    okno1->open_picture(write("plain.vxr", encode_vxr(multicolor_grid(drawn))), OpenAs::ByKind);
    EXPECT_TRUE(shows_drawn());
    EXPECT_TRUE(document.sprites().sprites.empty());
}

TEST_F(OpeningFiles, AFileNamedAtStartThatCannotBeReadIsNamedOnceAndTheEditorRunsOn) {
    const struct {
        QString file;
        const char* reason;
    } unreadable[] = {
        {dir.filePath("missing.vxr"), "cannot be opened: No such file or directory."},
        {dir.path() + "/folder.vxr", "cannot be opened: Is a directory."},
        {write("noise.kla", std::vector<std::uint8_t>(200, 0x55)), "cannot be imported"},
        {write("noise.png", std::vector<std::uint8_t>(3000, 0x55)), "not an image"},
    };
    QDir(dir.path()).mkdir("folder.vxr");
    okno2->picture.fill(3);
    for (const auto& file : unreadable) {
        SCOPED_TRACE(file.file.toStdString());
        errors.clear();
        open_at_start(file.file);
        ASSERT_TRUE(SettleUntil([&] { return !errors.isEmpty(); }));
        Settle();
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(file.file)) << errors[0].toStdString();
        EXPECT_TRUE(errors[0].contains(file.reason)) << errors[0].toStdString();
        EXPECT_EQ(okno2->picture[0], 3);
        EXPECT_TRUE(okno1->Host()->isVisible());
    }
}

// Sends a drag of `urls` onto the window and, when it is welcome, drops it there. The source
// offers a move, which Shift proposes; a file is only ever taken as a copy.
bool drop_on(QWidget* window, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(20, 20), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(window, &enter);
    if (!enter.isAccepted()) return false;
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(20, 20), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(drop.proposedAction(), Qt::MoveAction);
    QApplication::sendEvent(window, &drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    return drop.isAccepted();
}

TEST_F(OpeningFiles, AFileDroppedOnAnyWindowOpensAfterTheQuestion) {
    const QString file = koala_file("dropped.kla");
    for (TForm* window : all_windows()) {
        if (window == dlgopen || window == prefs) continue;
        SCOPED_TRACE(window->objectName().toStdString());
        ResetEditor();
        WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
        ASSERT_TRUE(drop_on(window, {QUrl::fromLocalFile(file)}));
        EXPECT_TRUE(SettleUntil([&] { return shows_drawn(); }));
        EXPECT_EQ(undo_text(), "Undo Import");
    }
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(OpeningFiles, ADropAsksFirstTakesTheFirstOfSeveralAndIgnoresWhatIsNoLocalFile) {
    const QString first = write("first.vxr", encode_vxr(multicolor_grid(drawn)));
    const QString second = koala_file("second.kla");
    QWidget* frame = okno1->Host();

    okno2->picture.fill(3);
    const QPointer<QTimer> cancel =
        WhenModal([] { QTest::mouseClick(dlgopen->CancelBtn, Qt::LeftButton); });
    ASSERT_TRUE(drop_on(frame, {QUrl::fromLocalFile(first)}));
    EXPECT_TRUE(SettleUntil([&] { return cancel.isNull(); }));
    Settle();
    EXPECT_EQ(okno2->picture[0], 3);

    EXPECT_FALSE(drop_on(frame, {QUrl("https://example.org/picture.kla")}));

    WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
    ASSERT_TRUE(drop_on(frame, {QUrl("https://example.org/picture.kla"), QUrl::fromLocalFile(first),
                                QUrl::fromLocalFile(second)}));
    EXPECT_TRUE(SettleUntil([&] { return shows_drawn(); }));
    EXPECT_EQ(undo_text(), "Undo Open");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("2 files were dropped")) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains(first)) << errors[0].toStdString();
}

// A pipe, whatever its name, a link to one, a device, a folder and a file not there, at each
// place that opens a file a user names: nothing waits on the pipe, nothing changes (the
// picture, its file, the brush, the reference image), and the place says why in the system's
// words. File > Open alone may keep quiet, as it does for any file it cannot open.
TEST_F(OpeningFiles, EveryPlaceThatOpensANamedFileRefusesWhatIsNoRegularFileAtOnce) {
    const auto pipe = [this](const char* name) {
        const QString path = dir.filePath(name);
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
        return path;
    };
    const auto link_to_pipe = [&] {
        const QString path = dir.filePath("link.png");
        QFile::link(pipe("linked.png"), path);
        return path;
    };
    const auto folder = [this] {
        QDir(dir.path()).mkdir("folder.kla");
        return dir.filePath("folder.kla");
    };
    const struct {
        std::function<QString()> make;
        const char* reason;
    } hostile[] = {
        {[&] { return pipe("pipe.vxr"); }, "it is not a regular file"},
        {[&] { return pipe("pipe.kla"); }, "it is not a regular file"},
        {[&] { return pipe("pipe.png"); }, "it is not a regular file"},
        {link_to_pipe, "it is not a regular file"},
        {[] { return QStringLiteral("/dev/zero"); }, "it is not a regular file"},
        {folder, "Is a directory"},
        {[this] { return dir.filePath("missing.png"); }, "No such file or directory"},
    };
    const auto answer_with = [](QAction* item) {
        return [item](const QString& path) {
            TFileDialog::QueueAnswer(path);
            item->trigger();
        };
    };
    const struct {
        const char* place;
        std::function<void(const QString&)> open;
        bool may_keep_quiet = false;
    } places[] = {
        {"File > Open", answer_with(okno1->FileOpenItem), true},
        {"File > Open Recent",
         [](const QString& path) {
             okno1->remember_recent(path);
             for (QAction* item : okno1->RecentMenu->actions())
                 if (item->statusTip() == path) {
                     // The file may have become what it is since the menu showed it.
                     item->setEnabled(true);
                     item->trigger();
                 }
         }},
        {"a drop",
         [](const QString& path) { drop_on(okno1->Host(), {QUrl::fromLocalFile(path)}); }},
        {"the command line", [](const QString& path) { open_at_start(path); }},
        {"Picture > Import", answer_with(okno1->PictureImportItem)},
        {"View > Reference Image", answer_with(okno1->ViewReferenceItem)},
        {"Brush > Load Brush", answer_with(okno1->BrushLoadItem)},
    };
    const PixelBlock brush{2, 1, {1, 2}};
    const ReferenceImage reference = reference_from_image({1, 1, {0, 255, 0}});
    for (const auto& place : places)
        for (const auto& file : hostile) {
            ResetEditor();
            okno2->picture.fill(3);
            desk().change_pen([&](Pen& pen) { pen.brush.emplace(brush, 2); });
            desk().document().set_reference(reference);
            errors.clear();
            const QString path = file.make();
            SCOPED_TRACE(std::string(place.place) + ": " + path.toStdString());
            {
                // Only this test's own pipes are ever written to, or taken away.
                std::optional<FifoDeadline> deadline;
                if (path.startsWith(dir.path()))
                    deadline.emplace(QFile::encodeName(path).toStdString());
                // Open, Open Recent and a drop ask first, since the picture counts as changed.
                const QPointer<QTimer> go_on =
                    WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
                place.open(path);
                Settle();
                delete go_on.data();
                EXPECT_FALSE(deadline && deadline->had_to_step_in()) << "it waited on the pipe";
            }
            EXPECT_EQ(std::count(okno2->picture.begin(), okno2->picture.end(), 3),
                      std::ssize(okno2->picture));
            EXPECT_TRUE(okno1->picture_path().isEmpty());
            EXPECT_TRUE(desk().painter().pen.brush && desk().painter().pen.brush->block() == brush);
            EXPECT_EQ(desk().document().reference(), reference);
            EXPECT_FALSE(QApplication::activeModalWidget());
            EXPECT_EQ(errors.size(), place.may_keep_quiet && errors.isEmpty() ? 0 : 1)
                << errors.join('\n').toStdString();
            for (const QString& error : errors) {
                EXPECT_TRUE(error.contains(path)) << error.toStdString();
                EXPECT_TRUE(error.contains(file.reason)) << error.toStdString();
            }
        }
    ResetEditor();
}

} // namespace
