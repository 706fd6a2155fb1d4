#include "app/Main.h"
#include "platform/common_dialogs.h"
#include "preview/preview_window.h"
#include "storage/dlg_open.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

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
    }
    void TearDown() override { SetErrorMessageDisplay(nullptr); }
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

TEST_F(Storage, OpenRedrawsThePreviewAtOnceButNotTheZoomView) {
    okno2->FormPaint();
    const QString file = write("five.vxr", QByteArray(32000, 5));
    answerOk();
    TFileDialog::QueueAnswer(file);
    okno1->FileOpen();
    EXPECT_EQ(okno2->picture[0], 5);
    EXPECT_EQ(okno2->picture[31999], 5);
    EXPECT_TRUE(AreaIs(okno_prv, QRect(QPoint(2, 2), QPoint(641, 401)), palette[5]));
    EXPECT_TRUE(AreaIs(okno2, QRect(41, 21, 38, 18), palette[0])); // still the old picture
    okno2->FormPaint();
    EXPECT_TRUE(AreaIs(okno2, QRect(41, 21, 38, 18), palette[5]));
    EXPECT_EQ(okno1->OpenDialog.FileName, file);
    EXPECT_EQ(okno1->image_changed, 1);
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

TEST_F(Storage, AFailedSaveSaysWhichFileAndWhy) {
    const QString nowhere = path("no/such/folder/picture.vxr");
    TFileDialog::QueueAnswer(nowhere);
    okno1->FileSaveAs();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(nowhere));
    TFileDialog::QueueAnswer(dir.path());
    okno1->FileSaveAs();
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[1].contains(dir.path()));
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
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

TEST(FileDialogs, OfferTheEditorsFilterAsTwoEntries) {
    EXPECT_EQ(okno1->OpenDialog.Filter, "Vexlor file|*.vxr|All Files|*.*");
    EXPECT_EQ(okno1->SaveDialog.Filter, okno1->OpenDialog.Filter);
    EXPECT_EQ(TFileDialog::QtFilters(okno1->OpenDialog.Filter),
              (QStringList{"Vexlor file (*.vxr)", "All Files (*.*)"}));
}
