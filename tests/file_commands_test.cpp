// New, Save and Save As with the file the picture belongs to, and the caption that names it.
#include "app/Main.h"
#include "platform/beep.h"
#include "platform/common_dialogs.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "storage/dlg_open.h"
#include "storage/picture_file.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QSaveFile>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct FileCommands : ::testing::Test {
    QTemporaryDir dir;
    QStringList errors;
    void SetUp() override {
        ResetEditor();
        QApplication::setActiveWindow(okno1->Host());
        SetErrorMessageDisplay([this](const QString&, const QString& text) { errors << text; });
    }
    void TearDown() override {
        SetErrorMessageDisplay(nullptr);
        SetBeforeCommitHook(nullptr);
        TFileDialog::DropAnswers();
    }
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    static void answer(QAbstractButton* button) {
        WhenModal([button] { QTest::mouseClick(button, Qt::LeftButton); });
    }
    void open(const QString& path) {
        answer(dlgopen->OKBtn);
        TFileDialog::QueueAnswer(path);
        okno1->FileOpen();
    }
    // Paints picture pixel (1, 1) in the draw colour with the mouse.
    static void paint_pixel() {
        QTest::mousePress(okno2, Qt::LeftButton, {}, QPoint(60, 30));
        QTest::mouseRelease(okno2, Qt::LeftButton, {}, QPoint(60, 30));
    }
    // Once a dialog has gone the frame takes the keyboard back.
    static void press_ctrl_s() {
        EXPECT_TRUE(SettleUntil([] { return QApplication::activeWindow() == okno1->Host(); }));
        QTest::keyClick(okno1->Host(), Qt::Key_S, Qt::ControlModifier);
    }
    static QString caption() { return okno1->Host()->windowTitle(); }
};

} // namespace

// Ctrl+S writes to the file the picture was opened from or last saved to, without a dialog.
TEST_F(FileCommands, SaveWritesToThePicturesOwnFileAtOnce) {
    const QString a = write("a.vxr", QByteArray(32000, 5));
    open(a);
    paint_pixel();
    const int dialogs = TFileDialog::ExecuteCount();
    press_ctrl_s();
    QByteArray expected(32000, 5);
    expected[161] = 1;
    EXPECT_EQ(read(a), expected);

    const QString b = dir.filePath("b.vxr");
    TFileDialog::QueueAnswer(b);
    okno1->FileSaveAsItem->trigger();
    okno2->picture[0] = 7;
    okno1->FileSaveItem->trigger();
    expected[0] = 7;
    EXPECT_EQ(read(b), expected);
    EXPECT_EQ(read(a)[0], 5);
    EXPECT_EQ(TFileDialog::ExecuteCount(), dialogs + 1);
    EXPECT_TRUE(errors.isEmpty());
}

// Without a file of its own (at start, after New, after an import) Save asks for a name.
TEST_F(FileCommands, SaveWithoutAFileActsAsSaveAs) {
    const QString koala = [&] {
        QByteArray bytes(10003, 0);
        bytes[1] = 0x60; // loads at $6000
        return write("k.koa", bytes);
    }();
    const QString a = write("a.vxr", QByteArray(32000, 5));
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"start", [] {}},
        {"New",
         [&] {
             open(a);
             answer(dlgopen->OKBtn);
             okno1->FileNewItem->trigger();
         }},
        {"import",
         [&] {
             open(a);
             answer(dlgopen->OKBtn);
             TFileDialog::QueueAnswer(koala);
             okno1->PictureImportItem->trigger();
         }},
    };
    for (const auto& [way, reach] : ways) {
        SCOPED_TRACE(way);
        reach();
        const int dialogs = TFileDialog::ExecuteCount();
        TFileDialog::QueueAnswer(std::nullopt);
        press_ctrl_s();
        EXPECT_EQ(TFileDialog::ExecuteCount(), dialogs + 1);
        EXPECT_EQ(okno1->SaveDialog.FileName, "picture0.vxr");
        EXPECT_EQ(read(a), QByteArray(32000, 5));
    }
}

TEST_F(FileCommands, AFailingSaveKeepsTheOldFileAndSaysWhy) {
    const QString a = write("a.vxr", QByteArray(32000, 5));
    open(a);
    okno2->picture.fill(9);
    SetBeforeCommitHook([](QSaveFile& save) { save.cancelWriting(); });
    press_ctrl_s();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(a));
    EXPECT_EQ(read(a), QByteArray(32000, 5));
    EXPECT_EQ(okno1->picture_path(), a); // still the picture's file, for the next try
}

TEST_F(FileCommands, NewAsksThenGivesAnEmptyPictureAsOneStepWithoutABeep) {
    const QString a = write("a.vxr", QByteArray(32000, 5));
    okno2->back_color = 6; // a picture on blue, which the file's cells all fit with
    open(a);
    const int beeps = BeepCount();
    answer(dlgopen->CancelBtn);
    okno1->FileNewItem->trigger();
    EXPECT_EQ(okno2->picture[100], 5);
    EXPECT_EQ(okno1->picture_path(), a);

    answer(dlgopen->OKBtn);
    okno1->FileNewItem->trigger();
    EXPECT_EQ(std::count(okno2->picture.begin(), okno2->picture.end(), 6), kPictureBytes);
    EXPECT_EQ(BeepCount(), beeps);
    EXPECT_EQ(okno1->picture_path(), "");
    EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo New");
    EXPECT_TRUE(AreaIs(okno_prv, QRect(2, 2, 640, 400), palette_color(6)));
    EXPECT_TRUE(AreaIs(okno2, QRect(41, 21, 38, 18), palette_color(6)));
    okno1->EditUndoItem->trigger();
    EXPECT_EQ(okno2->picture[100], 5);
    EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo Open");
}

// The caption and the preferences' picture name follow the picture's file; Save As offers it.
TEST_F(FileCommands, CaptionAndPictureNameFollowThePicturesFile) {
    EXPECT_EQ(caption(), "Vexlor v0.1");
    EXPECT_EQ(prefs->name->text(), "picture0.vxr");
    prefs->name->setText("castle.vxr");
    TFileDialog::QueueAnswer(std::nullopt);
    okno1->FileSaveAs();
    EXPECT_EQ(okno1->SaveDialog.FileName, "castle.vxr");

    const QString wizard = write("wizard.vxr", QByteArray(32000, 2));
    open(wizard);
    EXPECT_EQ(caption(), "Vexlor v0.1 - wizard.vxr");
    EXPECT_EQ(prefs->name->text(), "wizard.vxr");
    TFileDialog::QueueAnswer(std::nullopt);
    okno1->FileSaveAs();
    EXPECT_EQ(okno1->SaveDialog.FileName, wizard);

    TFileDialog::QueueAnswer(dir.filePath("hat.vxr"));
    okno1->FileSaveAs();
    EXPECT_EQ(caption(), "Vexlor v0.1 - hat.vxr");
    EXPECT_EQ(prefs->name->text(), "hat.vxr");

    TFileDialog::QueueAnswer(dir.filePath("no/such/folder/x.vxr"));
    okno1->FileSaveAs();
    EXPECT_EQ(caption(), "Vexlor v0.1 - hat.vxr"); // a failed save names nothing new

    answer(dlgopen->OKBtn);
    okno1->FileNew();
    EXPECT_EQ(caption(), "Vexlor v0.1");
    EXPECT_EQ(prefs->name->text(), "picture0.vxr");
}

// Every command that writes a file the user names asks before replacing one that is there: No
// keeps it byte for byte and shows the dialog again, Replace writes over it.
TEST_F(FileCommands, NothingIsReplacedWithoutAsking) {
    desk().change_pen([](Pen& pen) { pen.brush.emplace(PixelBlock{1, 1, {5}}, 1); });
    okno1->OtherFileDialog.FilterIndex = 1;
    const auto accept_png_options = [] {
        WhenModal([] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->accept(); });
    };
    const struct {
        const char* name;
        QAction* command;
        std::function<void()> before = [] {}; // on Replace
        const char* typed = nullptr;          // the name typed, if not `name`
    } rows[] = {
        {"saved.vxr", okno1->FileSaveAsItem},
        {"exported.koa", okno1->PictureKoalaItem},
        {"exported.fli", okno1->PictureFliItem},
        {"exported.ocp", okno1->PictureOtherItem},
        {"typed.ocp", okno1->PictureOtherItem, [] {}, "typed"}, // the first entry's extension
        {"exported.prg", okno1->PicturePrgItem},
        {"exported.png", okno1->PicturePngItem, accept_png_options},
        {"brush.png", okno1->BrushSaveItem},
    };
    QStringList questions;
    bool replace = false;
    SetQuestionDisplay([&](const QString&, const QString& text) {
        questions << text;
        return replace;
    });
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = write(row.name, "the user's own file");
        for (const bool answer : {false, true}) {
            replace = answer;
            questions.clear();
            const int dialogs = TFileDialog::ExecuteCount();
            TFileDialog::QueueAnswer(row.typed ? dir.filePath(row.typed) : path);
            if (answer)
                row.before(); // the dialogs that follow the file dialog
            else
                TFileDialog::QueueAnswer(std::nullopt); // Cancel, shown again after No
            row.command->trigger();
            EXPECT_EQ(
                questions,
                QStringList{QStringLiteral("\"%1\" already exists. Replace it?").arg(row.name)});
            EXPECT_EQ(TFileDialog::ExecuteCount(), dialogs + (answer ? 1 : 2));
            EXPECT_EQ(read(path) == "the user's own file", !answer);
        }
    }
    SetQuestionDisplay(nullptr);
}
