#include "app/Main.h"
#include "platform/beep.h"
#include "platform/common_dialogs.h"
#include "preview/preview_window.h"
#include "storage/dlg_open.h"
#include "storage/picture_file.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void answerOk() {
    WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
}
void answerCancel() {
    WhenModal([] { QTest::mouseClick(dlgopen->CancelBtn, Qt::LeftButton); });
}

struct Storage : ::testing::Test {
    QTemporaryDir dir;
    QStringList errors;
    void SetUp() override {
        ResetEditor();
        SetErrorMessageDisplay([this](const QString&, const QString& text) { errors << text; });
        SetQuestionDisplay([](const QString&, const QString&) { return true; }); // Replace
    }
    void TearDown() override {
        SetErrorMessageDisplay(nullptr);
        SetQuestionDisplay(nullptr);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path(name);
    }
    static QByteArray read(const QString& name) {
        QFile file(name);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
};

} // namespace

TEST_F(Storage, CancelInTheConfirmationStopsBeforeTheFileDialog) {
    const int shown = TFileDialog::ExecuteCount();
    answerCancel();
    okno1->FileOpen();
    EXPECT_EQ(TFileDialog::ExecuteCount(), shown);
    EXPECT_EQ(dlgopen->ModalResult, mrCancel);
}

TEST_F(Storage, CancellingTheFileDialogLeavesThePicture) {
    okno2->picture.fill(3);
    answerOk();
    TFileDialog::QueueAnswer(std::nullopt);
    okno1->FileOpen();
    EXPECT_EQ(TFileDialog::PendingAnswers(), 0);
    EXPECT_EQ(okno2->picture[500], 3);
}

TEST_F(Storage, OpenRedrawsThePreviewAndTheZoomViewAtOnce) {
    okno2->FormPaint();
    const QString file = write("five.vxr", QByteArray(32000, 5));
    answerOk();
    TFileDialog::QueueAnswer(file);
    okno1->FileOpen();
    EXPECT_EQ(okno2->picture[0], 5);
    EXPECT_EQ(okno2->picture[31999], 5);
    EXPECT_TRUE(AreaIs(okno_prv, QRect(QPoint(2, 2), QPoint(641, 401)), palette_color(5)));
    EXPECT_TRUE(AreaIs(okno2, QRect(41, 21, 38, 18), palette_color(5)));
    EXPECT_EQ(okno1->OpenDialog.FileName, file);
    EXPECT_EQ(okno1->image_changed, 1);
}

// A short file leaves nothing of the picture before it: what it does not hold is colour 0.
TEST_F(Storage, AShortFileOpensWithTheRestInColourZeroAndSaysHowMuchItHeld) {
    okno2->picture.fill(3);
    const QString file = write("short.vxr", QByteArray(100, 5));
    answerOk();
    TFileDialog::QueueAnswer(file);
    okno1->FileOpen();
    EXPECT_EQ(okno2->picture[99], 5);
    EXPECT_EQ(okno2->picture[100], 0);
    EXPECT_EQ(okno2->picture[31999], 0);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(file));
    EXPECT_TRUE(errors[0].contains("holds 100 of the picture's 32000 pixels"))
        << errors[0].toStdString();
}

TEST_F(Storage, AFileThatCannotBeOpenedChangesNothing) {
    okno2->picture.fill(3);
    answerOk();
    TFileDialog::QueueAnswer(dir.path()); // a directory
    okno1->FileOpen();
    answerOk();
    TFileDialog::QueueAnswer(path("missing.vxr"));
    okno1->FileOpen();
    EXPECT_EQ(okno2->picture[0], 3);
    EXPECT_TRUE(AreaIs(okno_prv, QRect(0, 0, 700, 450), clBlack)); // no redraw
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(Storage, DoubleClickOnTheFramesSurfaceOpens) {
    const int shown = TFileDialog::ExecuteCount();
    answerOk();
    TFileDialog::QueueAnswer(std::nullopt);
    QWidget* surface = okno1->MdiClient()->viewport();
    QTest::mouseDClick(surface, Qt::LeftButton, {},
                       QPoint(surface->width() - 20, surface->height() - 20));
    EXPECT_EQ(TFileDialog::ExecuteCount(), shown + 1);
}

TEST_F(Storage, SaveAsWritesTheFileFormatAndRemembersTheName) {
    okno2->picture.fill(1);
    okno2->picture[0] = 10;
    TFileDialog::QueueAnswer(path("saved.vxr"));
    okno1->FileSaveAs();
    const QByteArray bytes = read(path("saved.vxr"));
    ASSERT_EQ(bytes.size(), 32001);
    EXPECT_EQ(bytes.left(3), QByteArray("\x0D\x0A\x01"));
    EXPECT_EQ(okno1->SaveDialog.FileName, path("saved.vxr"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(Storage, SaveAsOverALongerFileLeavesExactlyTheNewLength) {
    const QString file = write("long.vxr", QByteArray(70000, 7));
    TFileDialog::QueueAnswer(file);
    okno1->FileSaveAs();
    EXPECT_EQ(read(file), QByteArray(32000, 0));
}

TEST_F(Storage, CancelledSaveWritesNothing) {
    TFileDialog::QueueAnswer(std::nullopt);
    okno1->FileSaveAs();
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// A pipe or a device is never replaced by the file, nor written to (a pipe would wait for a
// reader), even through a link.
TEST_F(Storage, AFailedSaveSaysWhichFileAndWhyAndLeavesWhatIsThere) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.vxr")).constData(), 0600), 0);
    QFile::link(path("pipe.vxr"), path("link.vxr"));
    const struct {
        QString target;
        const char* reason; // empty: Qt's own words
    } cases[] = {
        {path("no/such/folder/picture.vxr"), ""},
        {dir.path(), ""},
        {path("pipe.vxr"), "it is not a regular file"},
        {path("link.vxr"), "it is not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        errors.clear();
        TFileDialog::QueueAnswer(c.target);
        okno1->FileSaveAs();
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(c.target));
        EXPECT_TRUE(errors[0].contains(c.reason)) << errors[0].toStdString();
    }
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
    const QFileInfo pipe(path("pipe.vxr"));
    EXPECT_TRUE(pipe.exists() && !pipe.isFile());
    EXPECT_TRUE(QFileInfo(path("link.vxr")).isSymLink());
}

TEST_F(Storage, ASaveThatFailsHalfWayKeepsTheOldFile) {
    const QString file = write("old.vxr", QByteArray(32000, 4));
    okno2->picture.fill(10); // 64000 bytes to write
    // Let the file system refuse everything past 40000 bytes, as a full disk does.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{}, small{40000, 40000};
    getrlimit(RLIMIT_FSIZE, &old);
    small.rlim_max = old.rlim_max;
    setrlimit(RLIMIT_FSIZE, &small);
    TFileDialog::QueueAnswer(file);
    okno1->FileSaveAs();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(read(file), QByteArray(32000, 4));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.vxr"});
}

TEST_F(Storage, ASaveWhoseLastStepFailsSaysSoAndKeepsTheOldFile) {
    const QString file = write("old.vxr", QByteArray(32000, 4));
    okno2->picture.fill(2);
    SetBeforeCommitHook([](QSaveFile& save) { save.cancelWriting(); });
    TFileDialog::QueueAnswer(file);
    okno1->FileSaveAs();
    SetBeforeCommitHook(nullptr);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(file));
    EXPECT_EQ(read(file), QByteArray(32000, 4));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.vxr"});
}

TEST_F(Storage, AWritableFileInAFolderThatIsNotWritableIsWrittenInPlace) {
    const QString file = write("old.vxr", QByteArray(32000, 4));
    const QString locked = path("locked");
    QDir(dir.path()).mkdir("locked");
    QFile::rename(file, locked + "/old.vxr");
    QFile(locked).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    std::vector<std::uint8_t> bytes(32000, 6);
    bool saved = false, refused = true;
    ASSERT_TRUE(without_file_permission_override([&] {
        saved = save_file_atomically(locked + "/old.vxr", bytes);
        refused = !save_file_atomically(locked + "/new.vxr", bytes);
    }));
    QFile(locked).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                 QFileDevice::ExeOwner);
    EXPECT_TRUE(saved);
    EXPECT_EQ(read(locked + "/old.vxr"), QByteArray(32000, 6));
    EXPECT_TRUE(refused); // nothing to write in place: the folder takes no new file
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(locked + "/new.vxr"));
}

// A 64 KiB file system holding the old file and a filler, with less room left than a save needs.
struct FullDisk {
    QString root, file;
    bool mounted = false;
    FullDisk(const QString& where, const QByteArray& old_content) : root(where) {
        QDir().mkpath(root);
        mounted =
            ::mount("tmpfs", QFile::encodeName(root).constData(), "tmpfs", 0, "size=64k") == 0;
        if (!mounted) return;
        file = root + "/old.vxr";
        for (const auto& [name, bytes] :
             {std::pair{file, old_content}, std::pair{root + "/filler", QByteArray(32768, 1)}}) {
            QFile out(name);
            out.open(QIODevice::WriteOnly);
            out.write(bytes);
        }
    }
    ~FullDisk() {
        if (mounted) ::umount2(QFile::encodeName(root).constData(), MNT_DETACH);
    }
};

TEST_F(Storage, ASaveOnAFullDiskKeepsTheOldFileAndNamesTheReason) {
    const QByteArray old_content(4096, 4);
    const std::vector<std::uint8_t> bytes(64000, 6);
    for (const bool folder_writable : {true, false}) {
        SCOPED_TRACE(folder_writable ? "written beside the file" : "written in place");
        errors.clear();
        const FullDisk disk(path(folder_writable ? "beside" : "in-place"), old_content);
        if (!disk.mounted) GTEST_SKIP() << "no tmpfs can be mounted here";
        bool saved = true;
        if (folder_writable) {
            saved = save_file_atomically(disk.file, bytes);
        } else {
            QFile(disk.root).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            ASSERT_TRUE(without_file_permission_override(
                [&] { saved = save_file_atomically(disk.file, bytes); }));
            QFile(disk.root).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner);
        }
        EXPECT_FALSE(saved);
        EXPECT_EQ(read(disk.file), old_content);
        EXPECT_EQ(QDir(disk.root).entryList(QDir::Files), (QStringList{"filler", "old.vxr"}));
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(disk.file)) << errors[0].toStdString();
        EXPECT_TRUE(errors[0].contains("No space left on device")) << errors[0].toStdString();
    }
}

// The suite's own guard against waiting for ever: a dialog left open fails the test that
// showed it and is closed; a file dialog that nobody queued an answer for fails at once.
TEST(Guard, ADialogLeftOpenOrUnansweredFailsTheTestInsteadOfWaiting) {
    GuardAgainstHangingDialogs(1000);
    EXPECT_NONFATAL_FAILURE(dlgopen->ShowModal(), "was still open after 1000 ms");
    EXPECT_FALSE(dlgopen->Host()->isVisible());
    // Each showing counts from its own start: many quick ones, back to back with no events
    // between them, are no dialog left open (the guard would fail this test).
    QElapsedTimer clock;
    clock.start();
    while (!clock.hasExpired(1500)) {
        WhenModal([] { QTest::mouseClick(dlgopen->CancelBtn, Qt::LeftButton); });
        dlgopen->ShowModal();
    }
    GuardAgainstHangingDialogs();
    TOpenDialog dialog;
    EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(dialog.Execute()), "open dialog was shown with no answer");
}

TEST(Confirmation, HasItsLayout) {
    EXPECT_EQ(dlgopen->Label1->text(), "Vexloor image was changed.");
    EXPECT_EQ(dlgopen->Label2->text(), "Proceed anyway ?");
    EXPECT_EQ(dlgopen->OKBtn->text(), "OK");
    EXPECT_EQ(dlgopen->CancelBtn->text(), "Cancel");
    EXPECT_EQ(dlgopen->OKBtn->geometry(), QRect(105, 78, 93, 30));
    EXPECT_EQ(dlgopen->Image1->pixmap().size(), QSize(32, 32));
}

TEST(Confirmation, EnterAnswersOkAndTheAnswerStays) {
    WhenModal([] {
        EXPECT_EQ(QApplication::focusWidget(), dlgopen->OKBtn);
        EXPECT_TRUE(dlgopen->OKBtn->isDefault());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(dlgopen->ShowModal(), mrOk);
    EXPECT_EQ(dlgopen->ModalResult, mrOk);
    EXPECT_FALSE(dlgopen->Host()->isVisible());
    Settle();
    EXPECT_EQ(dlgopen->ModalResult, mrOk);
}

TEST(Confirmation, EscapeAndTheCloseBoxAnswerCancelWhereverTheFocusIs) {
    WhenModal([] {
        dlgopen->OKBtn->setFocus();
        QTest::keyClick(dlgopen->OKBtn, Qt::Key_Escape);
    });
    EXPECT_EQ(dlgopen->ShowModal(), mrCancel);
    WhenModal([] { dlgopen->Host()->close(); });
    EXPECT_EQ(dlgopen->ShowModal(), mrCancel);
    EXPECT_EQ(dlgopen->ModalResult, mrCancel);
}

TEST(Confirmation, ShowingItAgainStartsWithoutAnAnswer) {
    int during = -1;
    WhenModal([&] {
        during = dlgopen->ModalResult;
        QTest::mouseClick(dlgopen->CancelBtn, Qt::LeftButton);
    });
    dlgopen->ShowModal();
    EXPECT_EQ(during, mrNone);
}

// The answer of an earlier showing must not stand in for the next one.
TEST(Confirmation, TheCloseBoxAfterAnEarlierOkAnswersCancel) {
    okno2->picture.fill(3);
    WhenModal([] { QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton); });
    EXPECT_EQ(dlgopen->ShowModal(), mrOk);
    WhenModal([] { dlgopen->Host()->close(); });
    const int beeps = BeepCount();
    okno1->tool_clrClick();
    EXPECT_EQ(dlgopen->ModalResult, mrCancel);
    EXPECT_EQ(BeepCount(), beeps);
    EXPECT_EQ(okno2->picture[100], 3);
}

// Each dialog that opens a picture shows at first every file it reads: Open Vexlor's own and
// the C64 pictures, Import and Reference Image the C64 pictures and the images; each ends with
// an entry for all files.
TEST(FileDialogs, TheOpeningDialogsShowAtFirstEveryFileTheyRead) {
    const QStringList c64 = {"a.kla", "a.KOA", "a.bml", "a.ocp", "a.art", "a.dd", "a.afl"};
    const QStringList images = {"a.png", "a.jpg", "a.jpeg", "a.gif", "a.bmp"};
    const QStringList others = {"a.vxr", "a.txt"};
    const struct {
        QAction* item;
        bool asks_first;
        TOpenDialog& dialog;
        QStringList shown, hidden;
    } dialogs[] = {
        {okno1->FileOpenItem, true, okno1->OpenDialog, c64 + QStringList{"a.vxr"}, images},
        {okno1->PictureImportItem, true, okno1->ImportFileDialog, c64 + images, others},
        {okno1->ViewReferenceItem, false, okno1->ReferenceFileDialog, c64 + images, others},
    };
    for (const auto& row : dialogs) {
        SCOPED_TRACE(row.item->text().toStdString());
        if (row.asks_first) answerOk();
        TFileDialog::QueueAnswer(std::nullopt);
        row.item->trigger();
        Settle();
        EXPECT_EQ(TFileDialog::PendingAnswers(), 0);
        const QStringList parts = row.dialog.Filter.split('|');
        EXPECT_EQ(row.dialog.FilterIndex, 1);
        const QStringList first = parts.value(1).split(';');
        for (const QString& name : row.shown)
            EXPECT_TRUE(QDir::match(first, name)) << name.toStdString();
        for (const QString& name : row.hidden)
            EXPECT_FALSE(QDir::match(first, name)) << name.toStdString();
        EXPECT_EQ(parts.last(), "*.*");
    }
}

// "All Files" must show a name without a dot, and must not rewrite a name typed to save.
TEST(FileDialogs, AllFilesMeansEveryFile) {
    QTemporaryDir dir;
    QFile(dir.filePath("picture")).open(QIODevice::WriteOnly);
    QFile(dir.filePath("other.vxr")).open(QIODevice::WriteOnly);
    QFileDialog open;
    okno1->OpenDialog.Configure(open);
    open.setDirectory(dir.path());
    open.selectNameFilter(open.nameFilters().back());
    auto* list = open.findChild<QListView*>("listView");
    ASSERT_TRUE(list);
    auto shown = [list] {
        QStringList names;
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row) {
            const QModelIndex item = list->model()->index(row, 0, list->rootIndex());
            if (item.flags() & Qt::ItemIsEnabled) names << item.data().toString(); // choosable
        }
        names.sort();
        return names;
    };
    // The folder is read on a thread of the dialog's own.
    const QStringList every{"other.vxr", "picture"};
    SettleUntil([&] { return shown() == every; });
    EXPECT_EQ(shown(), every);

    QFileDialog save;
    okno1->SaveDialog.Configure(save);
    save.setDirectory(dir.path());
    auto* name = save.findChild<QLineEdit*>("fileNameEdit");
    name->setText("mine.vxr");
    save.selectNameFilter(save.nameFilters()[1]);
    EXPECT_EQ(name->text(), "mine.vxr");
}
